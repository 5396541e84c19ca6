#include "tform2.h"

#include "adventurespage.h"
#include "authorizationpage.h"
#include "extraspage.h"
#include "graphicspage.h"
#include "loginpage.h"
#include "objectspage.h"
#include "parameterspage.h"
#include "scriptspage.h"
#include "soundfilespage.h"
#include "soundspage.h"

#include <QGuiApplication>
#include <QScreen>

namespace nimbra {

namespace {

SkinnedWindow::Options toolsWindowLook()
{
    SkinnedWindow::Options o;
    o.title = QStringLiteral("Ferramentas de edição");
    o.width = 420;
    o.height = QGuiApplication::primaryScreen()->geometry().height() - 82;
    o.stayOnTop = true;
    o.hasVerticalLock = true;
    o.lockX = 365;
    o.closeX = 390;
    return o;
}

} // namespace

TForm2::TForm2(Workspace &work, PageEditor &editor) : SkinnedWindow(toolsWindowLook())
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Ferramentas"));
    move(10, 51);
    Abook = new QStackedWidget(this);
    Abook->setGeometry(5, 30, 410, std::max(683, height() - 35));
    m_login = new LoginPage(work, *this, Abook);
    m_extras = new ExtrasPage(Abook);
    m_adventures = new AdventuresPage(work, *this, Abook);
    m_scripts = new ScriptsPage(work, editor, *this, Abook);
    Abook->addWidget(m_login);
    Abook->addWidget(m_extras);
    Abook->addWidget(m_adventures);
    Abook->addWidget(m_scripts);
    m_graphics = new GraphicsPage(work, editor, Abook);
    m_sounds = new SoundsPage(work, editor, *this, Abook);
    m_soundFiles = new SoundFilesPage(work, *this, Abook);
    m_objects = new ObjectsPage(work, editor, Abook);
    m_parameters = new ParametersPage(work, *this, Abook);
    m_authorization = new AuthorizationPage(work, *this, Abook);
    // In the notebook's order, Graphics to Authorization.
    const std::initializer_list<QWidget *> pages{m_graphics, m_objects,    m_parameters,
                                                 m_sounds,   m_soundFiles, m_authorization};
    for (QWidget *page : pages)
        Abook->addWidget(page);
    showPage(Login);
    show();
}

void TForm2::showPage(Page page)
{
    Abook->setCurrentIndex(page);
    Abook->raise();
}

void TForm2::setTypedLogin(const std::optional<QString> &login, const std::optional<QString> &password)
{
    if (login)
        m_login->XLog->setText(*login);
    if (password)
        m_login->XSen->setText(*password);
}

} // namespace nimbra
