#include "tform2.h"

#include "adventurespage.h"
#include "authorizationpage.h"
#include "extraspage.h"
#include "loginpage.h"
#include "objectspage.h"
#include "parameterspage.h"
#include "scriptspage.h"

#include <QGuiApplication>
#include <QHash>
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

TForm2::TForm2(TForm1 &main) : SkinnedWindow(toolsWindowLook()), m_main(main)
{
    setObjectName(QStringLiteral("TForm2"));
    move(10, 51);
    Abook = new QStackedWidget(this);
    Abook->setGeometry(5, 30, 410, std::max(683, height() - 35));
    m_login = new LoginPage(main, *this, Abook);
    m_extras = new ExtrasPage(Abook);
    m_adventures = new AdventuresPage(main, *this, Abook);
    m_scripts = new ScriptsPage(main, *this, Abook);
    Abook->addWidget(m_login);
    Abook->addWidget(m_extras);
    Abook->addWidget(m_adventures);
    Abook->addWidget(m_scripts);
    m_objects = new ObjectsPage(main, Abook);
    m_parameters = new ParametersPage(main, *this, Abook);
    m_authorization = new AuthorizationPage(main, *this, Abook);
    const QHash<int, QWidget *> built{{Objects, m_objects}, {Parameters, m_parameters},
                                      {Authorization, m_authorization}};
    // The pages not built yet stay empty.
    for (int page = Graphics; page <= Authorization; ++page)
        Abook->addWidget(built.value(page) ? built.value(page) : new QWidget(Abook));
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
