#include "loginpage.h"

#include "adventurespage.h"
#include "appfolders.h"
#include "extraspage.h"
#include "formkit.h"
#include "imagebutton.h"
#include "pump.h"
#include "runprogram.h"
#include "skin.h"
#include "statuslabel.h"
#include "workspace.h"
#include "tform2.h"
#include "update.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

namespace nimbra {

namespace {

QLabel *wrappedText(QWidget *parent, int x, int y, int width, const QString &text)
{
    QLabel *label = caption(parent, x, y, text, 13, false);
    label->setWordWrap(true);
    label->resize(width, label->heightForWidth(width));
    return label;
}

} // namespace

LoginPage::LoginPage(Workspace &work, TForm2 &tools, QWidget *parent) : QWidget(parent), m_work(work), m_tools(tools)
{
    buildLogin();
    buildVersionPanel();
    separator(this, 300);
    buildAccount();
}

void LoginPage::buildLogin()
{
    QFont courier(QStringLiteral("Courier New"));
    courier.setPixelSize(16);
    XLog = edit(this, 155, 30, 170, QStringLiteral("Login:"), 16);
    XLog->setObjectName(QStringLiteral("XLog"));
    XLog->setFont(courier);
    XSen = edit(this, 155, 60, 170, QStringLiteral("Senha:"), 16);
    XSen->setObjectName(QStringLiteral("XSen"));
    XSen->setFont(courier);
    XSen->setEchoMode(QLineEdit::Password);
    // A "*" for each character, not the style's bullet.
    XSen->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    btLog = actionButton(this, 160, 96, QStringLiteral("Logar..."), QStringLiteral("btLog"));
    connect(btLog, &ImageButton::clicked, this, &LoginPage::btLogClick);
    connect(XSen, &QLineEdit::returnPressed, this, &LoginPage::btLogClick);
    Sta = status(this, 160, 119, QStringLiteral("Sta"), 240, 36);
}

void LoginPage::buildVersionPanel()
{
    PanVrs = new QWidget(this);
    PanVrs->setObjectName(QStringLiteral("PanVrs"));
    PanVrs->setGeometry(9, 160, 396, 121);
    setBackgroundColour(PanVrs, Skin::WindowBackground);
    QLabel *title = caption(PanVrs, 8, 8, QStringLiteral("Existe versão mais nova deste programa"), 19);
    title->setFont(arialFont(19, true, true));
    title->adjustSize();
    m_download = new QWidget(PanVrs);
    m_download->setGeometry(0, 45, PanVrs->width(), 25);
    Image14 = actionButton(m_download, 10, 5, QStringLiteral("Fazer download..."), QStringLiteral("Image14"));
    connect(Image14, &ImageButton::clicked, this, &LoginPage::Image14Click);
    m_packageNote = wrappedText(PanVrs, 10, 45, 376,
                                QStringLiteral("Atualize o Nimbra pelo gerenciador de pacotes do sistema (apt)."));
    m_packageNote->setObjectName(QStringLiteral("lbPacote"));
    setUpdatesByPackage(isInstalledRun());
    Std = new StatusLabel(PanVrs, 16, false);
    Std->setObjectName(QStringLiteral("Std"));
    Std->move(10, 80);
    Std->adjustSize();
    PanVrs->hide();
}

void LoginPage::setUpdatesByPackage(bool byPackage)
{
    m_updatesByPackage = byPackage;
    m_download->setVisible(!byPackage);
    m_packageNote->setVisible(byPackage);
}

void LoginPage::buildAccount()
{
    Edit14 = edit(this, 65, 325, 110, QStringLiteral("Login:"), 16);
    Edit14->setObjectName(QStringLiteral("Edit14"));
    Edit15 = edit(this, 235, 325, 120, QStringLiteral("Senha"), 16);
    Edit15->setObjectName(QStringLiteral("Edit15"));
    Edit16 = edit(this, 65, 355, 290, QStringLiteral("E-mail"));
    Edit16->setObjectName(QStringLiteral("Edit16"));
    Sty = status(this, 65, 384, QStringLiteral("Sty"), 341, 72);
    btConta = actionButton(this, 7, 467, QString(), QStringLiteral("btConta"));
    connect(btConta, &ImageButton::clicked, this, &LoginPage::btContaClick);
    wrappedText(this, 35, 464, 360,
                QStringLiteral("Se você não tem um cadastro no sistema Velorin use os campos acima e crie uma conta. "
                               "Tudo que você fizer no VL depende deste registro. Não deixe de registrar também um "
                               "e-mail válido."));
    wrappedText(this, 35, 544, 360,
                QStringLiteral("Se não houver problema com seu cadastro um e-mail será enviado para você "
                               "desbloquear o acesso."));
}

void LoginPage::btLogClick()
{
    showStatus(Sta, QString());
    if (XLog->text().isEmpty()) {
        showStatus(Sta, QStringLiteral("Informe seu login no VL..."));
        return;
    }
    if (XSen->text().isEmpty()) {
        showStatus(Sta, QStringLiteral("Informe sua senha no VL..."));
        return;
    }
    const Reply reply = m_work.service.login(XLog->text(), XSen->text());
    if (!reply.isOk()) {
        showStatus(Sta, reply.status());
        m_tools.extras()->Memo1->setPlainText(reply.text());
        return;
    }
    // Without the name and the index nobody can be logged in.
    if (reply.line(1).isEmpty() || reply.line(4).isEmpty()) {
        showStatus(Sta, QStringLiteral("Resposta de login incompleta!!!"));
        m_tools.extras()->Memo1->setPlainText(reply.text());
        return;
    }
    Session &s = m_work.session;
    s.Login = reply.line(1);
    s.Password = XSen->text();
    s.UserIdx = reply.line(4);
    afterLogin();
}

void LoginPage::afterLogin()
{
    m_tools.adventures()->ListAdventures();
    emit loggedIn();
    QString error;
    switch (CheckVersion(m_work.service, m_work.ownVersion, &error)) {
    case VersionCheck::Other:
        letPendingMessagesBeProcessed();
        PanVrs->show();
        m_tools.showPage(TForm2::Login);
        break;
    case VersionCheck::Same:
        m_tools.showPage(TForm2::Adventures);
        break;
    case VersionCheck::Failed:
        showStatus(Sta, error);
        break;
    }
}

void LoginPage::btContaClick()
{
    if (Edit14->text().isEmpty()) {
        showStatus(Sty, QStringLiteral("Defina um apelido para ser seu login!!!"));
        return;
    }
    if (Edit15->text().isEmpty()) {
        showStatus(Sty, QStringLiteral("Defina uma senha!!!"));
        return;
    }
    if (Edit16->text().isEmpty()) {
        showStatus(Sty, QStringLiteral("Registre um e-mail válido!!!"));
        return;
    }
    showStatus(Sty, m_work.service.newAccount(Edit14->text(), Edit15->text(), Edit16->text()));
}

void LoginPage::Image14Click()
{
    // An installed program is replaced only by the package manager.
    if (m_updatesByPackage)
        return;
    showStatus(Std, QStringLiteral("Baixando..."));
    letPendingMessagesBeProcessed();
    const QString updater = m_work.session.AppDir + kUpdaterName;
    if (!QFile::exists(updater)) {
        if (const auto error = FetchUpdater(m_work.service, kUpdaterName)) {
            showStatus(Std, *error);
            return;
        }
        showStatus(Std, QStringLiteral("Ok"));
        letPendingMessagesBeProcessed();
        QThread::msleep(300);
    }
    if (!RunProgram(updater, updaterParameters(m_work.session.SiteUrl))) {
        showStatus(Std, QStringLiteral("Não foi possível iniciar o atualizador!!!"));
        return;
    }
    letPendingMessagesBeProcessed();
    QCoreApplication::quit();
}

} // namespace nimbra
