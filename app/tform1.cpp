#include "tform1.h"

#include "adventurespage.h"
#include "appfolders.h"
#include "backupwindow.h"
#include "checkwindow.h"
#include "creationpage.h"
#include "eventhold.h"
#include "extraspage.h"
#include "findwindow.h"
#include "formkit.h"
#include "graphicspage.h"
#include "imagebutton.h"
#include "inputgate.h"
#include "loginpage.h"
#include "mapwindow.h"
#include "navigatingpage.h"
#include "objectspage.h"
#include "pageeditor.h"
#include "parameterspage.h"
#include "previewpage.h"
#include "pump.h"
#include "requesturl.h"
#include "scriptspage.h"
#include "settingsfile.h"
#include "skin.h"
#include "soundfilespage.h"
#include "textcontrols.h"
#include "tform2.h"
#include "tform3.h"
#include "tform4.h"
#include "tform5.h"
#include "windoweditorview.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>

#include <algorithm>
#include <QEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace nimbra {

namespace {

constexpr int kDesignWidth = 1388;
constexpr int kBandHeight = 54;
const QColor kLedRest(0x80, 0x00, 0x00);
const QColor kLedRequest(0x00, 0xFF, 0x00);
const QColor kLedUpload(0xFF, 0x00, 0x00);

QRect screenArea()
{
    return QGuiApplication::primaryScreen()->geometry();
}

} // namespace

TForm1::TForm1() : QWidget(nullptr, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TForm1"));
    const QRect screen = screenArea();
    setGeometry(0, 0, screen.width(), screen.height() - 30);
    setBackgroundColour(this, Skin::MainBackground);

    work.session.AppDir = adventuresFolder();
    work.session.setSite(builtInSiteUrl());
    work.session.BrowserUrl.clear();
    work.showActivity = [this](Activity a) { setActivity(a); };
    work.client.setIndicator([this](Activity a) { setActivity(a); });
    work.http.setPump(letPendingMessagesBeProcessed);
    buildControls();
    // During a transfer: Esc and the indicator cancel it, the exit ends the run.
    InputGate &gate = InputGate::instance();
    gate.setCancel([this] { work.http.cancel(); });
    gate.addCancelWidget(m_led);
    gate.addActingWidget(m_fim);
}

TForm1::~TForm1()
{
    InputGate::instance().setCancel({});
    // The other windows have no parent; they end with the main window.
    delete editor;
    delete findWindow;
    delete checkWindow;
    delete backupWindow;
    delete form6;
    delete form5;
    delete form4;
    delete form3;
    delete form2;
    delete m_view;
}

void TForm1::createWindows()
{
    m_view = new WindowEditorView;
    editor = new PageEditor(work, *m_view);
    form2 = new TForm2(work, *editor);
    form3 = new TForm3;
    form4 = new TForm4(work, *editor);
    form5 = new TForm5;
    form6 = new TForm6;
    findWindow = new FindWindow(work);
    checkWindow = new CheckWindow;
    backupWindow = new BackupWindow(work);
    m_view->attach(*form2, *form3, *form4);
    connectWindows();
    addUndoShortcuts(form2);
    addUndoShortcuts(form4);
    // The page's controls undo the page's steps; the raw source and a new
    // page's name keep their own typing undo.
    leaveUndoToWindow({form2->scripts(), form2->extras()->Memo4, form4->preview()}, form2->scripts()->creation());
}

// What one window asks of another goes through here.
void TForm1::connectWindows()
{
    connect(editor, &PageEditor::pageOpened, form6, &TForm6::followPage);
    connect(form6, &TForm6::openPageRequested, this, &TForm1::openRequestedPage);
    connect(checkWindow, &CheckWindow::openPageRequested, this, &TForm1::openRequestedPage);
    connect(findWindow, &FindWindow::openPageRequested, this, &TForm1::openRequestedPage);
    connect(findWindow, &FindWindow::pagesStored, this, &TForm1::reopenStoredPage);
    connect(backupWindow, &BackupWindow::adventureRestored, this, &TForm1::showRestoredAdventure);
    findWindow->setScriptLister([this] { return work.service.listScripts(); });
    findWindow->setHeldPage(
        [this](const QString &page) { return page == work.page.scriptName() && editor->hasUnstoredChanges(); });
    // The run view may report a navigation while a transfer runs: it is
    // followed once the transfer has ended, in its order.
    connect(form3->page(), &NavigatingPage::navigating, editor, [this](const QUrl &url) {
        EventHold::whenFree(editor, [this, url] { editor->followNavigation(url); });
    });
    connect(form2->login(), &LoginPage::loggedIn, this, &TForm1::showAdventuresMenu);
    connect(form2->adventures(), &AdventuresPage::backdropChosen, form3, &TForm3::setBackdropColour);
    connect(form2->adventures(), &AdventuresPage::adventureChosen, this, &TForm1::openChosenAdventure);
    connect(form2->parameters(), &ParametersPage::titleChanged, form4, &TForm4::setTitle);
    ScriptsPage *scripts = form2->scripts();
    connect(scripts, &ScriptsPage::pagePicked, this, &TForm1::openPickedPage);
    connect(scripts, &ScriptsPage::sourceRequested, this, &TForm1::showSourceEditor);
    connect(scripts, &ScriptsPage::qrToggled, this, &TForm1::toggleQrCode);
    connect(form4, &TForm4::screenPressed, scripts, [this, scripts] {
        scripts->editScreenImage(work.page.model().ScreenImage);
    });
    connect(form4, &TForm4::textPressed, scripts, [scripts] { scripts->showForm(ScriptsPage::Text); });
    connect(form4, &TForm4::previewShownAgain, scripts, [scripts] { scripts->showForm(ScriptsPage::Default); });
}

void TForm1::openChosenAdventure()
{
    // Nothing of the previous adventure stays on screen, or storable, under
    // the new one's title.
    editor->closePage();
    const Session &s = work.session;
    form3->show();
    form4->showPreviewPage();
    form4->show();
    form5->hide();
    form3->navigate(runUrl(s.SiteUrl, s.UserIdx, s.AdvPrefix, s.ScriptName));
    form2->showPage(TForm2::Scripts);
    form2->scripts()->ListScripts();
    editor->OpenPage();
    form4->setTitle(s.AdvName);
    m_view->selectScript(s.ScriptName);
    showAdventureMenu();
}

void TForm1::openPickedPage()
{
    const Session &s = work.session;
    form4->raise();
    form4->setPageBackground(Skin::WindowBackground);
    if (form4->sourceShown()) {
        editor->loadSourceText();
    } else {
        form2->scripts()->showForm(ScriptsPage::Default);
        form4->showPreviewPage();
        form4->show();
    }
    if (!editor->OpenPage())
        return;
    if (form5->isVisible())
        form5->navigate(qrChartUrl(s.SiteUrl, pageQrText(s.SiteUrl, s.AdvPrefix, s.UserIdx, s.ScriptName)));
    editor->runPage(true);
}

void TForm1::showSourceEditor()
{
    form4->showSourcePage();
    letPendingMessagesBeProcessed();
}

void TForm1::toggleQrCode()
{
    if (form5->isVisible()) {
        form5->hide();
        return;
    }
    const Session &s = work.session;
    form5->show();
    form5->navigate(qrChartUrl(s.SiteUrl, adventureQrText(s.SiteUrl, s.AdvPrefix)));
}

void TForm1::addUndoShortcuts(QWidget *window)
{
    QUndoStack &steps = editor->edits().undoStack();
    QAction *undo = steps.createUndoAction(window);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction *redo = steps.createRedoAction(window);
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    window->addAction(undo);
    window->addAction(redo);
}

void TForm1::buildControls()
{
    m_topo1 = new QLabel(this);
    m_topo1->setPixmap(Skin::topo1());
    m_topo1->setGeometry(0, 0, 150, kBandHeight);
    m_topo2 = new QLabel(this);
    m_topo2->setPixmap(Skin::topo2());
    m_topo2->setScaledContents(true);
    m_topo2->setGeometry(150, 0, width() - 150, kBandHeight);

    m_title = new QLabel(QStringLiteral("Nimbra - Velorin mobile  -  autoria de aventuras para celular"), this);
    m_title->setFont(arialFont(16, true, true));
    setTextColour(m_title, QColor(0xD7, 0xEB, 0xFF));
    m_title->move(145, 1);
    m_title->adjustSize();

    addMenu(QStringLiteral("Image22"), 157, QStringLiteral("Principal"), true);
    addMenu(QStringLiteral("btWeb"), 262, QStringLiteral("Páginas web"), true);
    addMenu(QStringLiteral("btAdv"), 392, QStringLiteral("Suas aventuras"), false);
    addMenu(QStringLiteral("btFer"), 540, QStringLiteral("Ferramentas"), false);
    addMenu(QStringLiteral("btLsp"), 662, QStringLiteral("Scripts"), false);
    addMenu(QStringLiteral("btObj"), 762, QStringLiteral("Objetos"), false);
    addMenu(QStringLiteral("btImg"), 862, QStringLiteral("Imagens"), false);
    addMenu(QStringLiteral("btSnd"), 967, QStringLiteral("Sons"), false);
    addMenu(QStringLiteral("btPrm"), 1047, QStringLiteral("Parâmetros"), false);
    addMenu(QStringLiteral("btMap"), 1167, QStringLiteral("Mapa"), false);
    buildToolsMenu();

    m_led = new QWidget(this);
    m_led->setObjectName(QStringLiteral("Led"));
    m_led->resize(15, 8);
    setActivity(Activity::Rest);

    m_btBtf = new ImageButton(this, Skin::btUp(), Skin::btDw(), QStringLiteral("Alterna o fundo do aplicativo"));
    m_btBtf->setObjectName(QStringLiteral("btBtf"));
    connect(m_btBtf, &ImageButton::pressed, this, &TForm1::toggleBackground);
    connect(m_btBtf, &ImageButton::released, this, [] { letPendingMessagesBeProcessed(); });

    lbVrs = new QLabel(work.ownVersion, this);
    lbVrs->setObjectName(QStringLiteral("lbVrs"));
    lbVrs->setFont(arialFont(13, true));
    lbVrs->setAlignment(Qt::AlignRight | Qt::AlignTop);
    setTextColour(lbVrs, QColor(0x38, 0x65, 0xA9));
    lbVrs->resize(std::max(30, lbVrs->sizeHint().width()), 16);

    m_fim = new ImageButton(this, Skin::btUp(), Skin::btDw(), QStringLiteral("Encerra o sistema"));
    m_fim->setObjectName(QStringLiteral("Fim"));
    connect(m_fim, &ImageButton::pressed, this, [this] {
        letPendingMessagesBeProcessed();
        m_settingsError = writeSettingsFile();
    });
    connect(m_fim, &ImageButton::released, this, [this] {
        letPendingMessagesBeProcessed();
        // Shown here, not at the press: a box then would take the release.
        if (m_settingsError)
            QMessageBox::warning(this, QStringLiteral("Nimbra"), *m_settingsError);
        endRun(std::chrono::milliseconds(200));
    });
    placeRightAnchored();
}

TForm1::MenuEntry TForm1::addMenu(const QString &name, int x, const QString &caption, bool visible)
{
    auto *button = new ImageButton(this, Skin::btUp3(), Skin::btDw3(), QStringLiteral("Acesso aos jogos e parâmetros"));
    button->setObjectName(name);
    button->move(x, 26);
    auto *label = new QLabel(caption, this);
    label->setFont(arialFont(13, true));
    setTextColour(label, Skin::Navy);
    label->move(x + 25, 26);
    label->adjustSize();
    button->setVisible(visible);
    label->setVisible(visible);
    connect(button, &ImageButton::clicked, this, [this, name] { openMenuPage(name); });
    const MenuEntry entry{button, label};
    m_menu.append({name, entry});
    return entry;
}

void TForm1::placeRightAnchored()
{
    const int shift = width() - kDesignWidth;
    m_led->move(1312 + shift, 30);
    m_btBtf->move(1321 + shift, 2);
    // Right-aligned: its right edge stays where the design puts it.
    lbVrs->move(1338 + shift + 30 - lbVrs->width(), 25);
    m_fim->move(1351 + shift, 2);
    m_topo2->resize(width() - 150, kBandHeight);
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_fim)
        placeRightAnchored();
}

ImageButton *TForm1::menuButton(const QString &name) const
{
    for (const auto &[n, entry] : m_menu) {
        if (n == name)
            return entry.Button;
    }
    return nullptr;
}

void TForm1::showMenuEntries(const QStringList &names)
{
    for (const auto &[name, entry] : m_menu) {
        if (names.contains(name)) {
            entry.Button->show();
            entry.Label->show();
        }
    }
}

void TForm1::showAdventuresMenu()
{
    showMenuEntries({QStringLiteral("btAdv")});
}

void TForm1::showAdventureMenu()
{
    showMenuEntries({QStringLiteral("btLsp"), QStringLiteral("btObj"), QStringLiteral("btImg"), QStringLiteral("btSnd"),
                     QStringLiteral("btPrm"), QStringLiteral("btMap"), QStringLiteral("btFer")});
}

void TForm1::openMenuPage(const QString &name)
{
    form4->setPageBackground(QColor(0xE1, 0xE1, 0xE1));
    if (name == QLatin1String("Image22")) {
        form2->show();
        form2->raise();
    } else if (name == QLatin1String("btWeb")) {
        if (work.session.BrowserUrl.isEmpty())
            work.session.BrowserUrl = work.session.SiteUrl + QStringLiteral("nimbra/index.htm");
        form4->showWebPages(work.session.BrowserUrl);
    } else if (name == QLatin1String("btAdv")) {
        form2->showPage(TForm2::Adventures);
    } else if (name == QLatin1String("btLsp")) {
        form2->showPage(TForm2::Scripts);
        form4->showPreviewPage();
    } else if (name == QLatin1String("btImg")) {
        form2->showPage(TForm2::Graphics);
        form2->graphics()->showFiles();
    } else if (name == QLatin1String("btObj")) {
        form2->showPage(TForm2::Objects);
        form2->objects()->ListObjects();
    } else if (name == QLatin1String("btPrm")) {
        form2->showPage(TForm2::Parameters);
    } else if (name == QLatin1String("btSnd")) {
        form2->showPage(TForm2::SoundFiles);
        form2->soundFiles()->showFiles();
    } else if (name == QLatin1String("btMap")) {
        openMap();
    } else if (name == QLatin1String("btFer")) {
        const ImageButton *button = menuButton(name);
        toolsMenu->popup(button->mapToGlobal(QPoint(0, button->height())));
    }
}

void TForm1::openMap()
{
    form6->show();
    form6->raise();
    form6->setScriptLister([this] { return work.service.listScripts(); });
    form6->setFileLister([this] { return work.service.serverFiles(); });
    QStringList names;
    const SortedList *list = form2->scripts()->Lbx2;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    form6->load(work.service, names, form2->adventures()->startScript(), work.session.AdvFolder);
    form6->followPage(work.session.ScriptName);
}

void TForm1::buildToolsMenu()
{
    toolsMenu = new QMenu(this);
    toolsMenu->setFont(arialFont(13, true));
    const auto add = [this](const char *name, const QString &text, void (TForm1::*open)()) {
        QAction *action = toolsMenu->addAction(text, this, open);
        action->setObjectName(QString::fromLatin1(name));
    };
    add("acBuscar", QStringLiteral("Buscar e substituir..."), &TForm1::openFind);
    add("acVerificar", QStringLiteral("Verificar a aventura..."), &TForm1::openCheck);
    add("acCopia", QStringLiteral("Cópia de segurança..."), &TForm1::openBackup);
}

void TForm1::openFind()
{
    findWindow->show();
    findWindow->raise();
}

void TForm1::openCheck()
{
    checkWindow->show();
    checkWindow->raise();
    CheckWindow::Sources sources;
    sources.pages = [this] { return work.service.listScripts(); };
    sources.files = [this] { return work.service.serverFiles(); };
    sources.objects = [this] { return work.service.objectPictures(); };
    checkWindow->check(work.service, sources, form2->adventures()->startScript());
}

void TForm1::openBackup()
{
    backupWindow->show();
    backupWindow->raise();
}

// Pages may have come and changed: the list is fetched again and the open
// page shown as it now is, unless it holds edits not yet stored.
void TForm1::showRestoredAdventure()
{
    form2->scripts()->ListScripts();
    m_view->selectScript(work.page.scriptName());
    editor->adventureFilesChanged();
}

// The editor's page, changed on the service by a replace, is shown as it
// now is unless it holds edits not yet stored.
void TForm1::reopenStoredPage(const QStringList &pages)
{
    if (pages.contains(work.page.scriptName()))
        editor->adventureFilesChanged();
}

// A page asked for by the map, the check or the find window opens as one
// picked in the script list.
void TForm1::openRequestedPage(const QString &name)
{
    work.session.ScriptName = name;
    if (!editor->OpenPage())
        return;
    m_view->selectScript(name);
    editor->runPage(true);
}

void TForm1::setActivity(Activity activity)
{
    const QColor c = activity == Activity::Rest ? kLedRest : activity == Activity::Upload ? kLedUpload : kLedRequest;
    setBackgroundColour(m_led, c);
    m_led->repaint();
    if (activity != Activity::Rest)
        letPendingMessagesBeProcessed();
}

QColor TForm1::ledColor() const
{
    return backgroundColour(m_led);
}

void TForm1::toggleBackground()
{
    const QRect screen = screenArea();
    resize(width(), height() != kBandHeight ? kBandHeight : screen.height() - 30);
}

void TForm1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        applySettingsOnce();
}

void TForm1::applySettingsOnce()
{
    if (!m_firstActivation || !form2)
        return;
    m_firstActivation = false;
    letPendingMessagesBeProcessed();
    const Settings s = readSettings(settingsPath());
    m_savedLogin = s.Login.value_or(QString());
    m_savedPassword = s.Password.value_or(QString());
    form2->setTypedLogin(s.Login, s.Password);
    const QRect screen = screenArea();
    auto place = [&](QWidget *window, const Settings::Position &p) {
        const QPoint wanted(p.Left.value_or(window->x()), p.Top.value_or(window->y()));
        window->move(keptOnScreen(wanted, window->size(), screen));
    };
    place(form2, s.Tools);
    place(form3, s.Run);
    place(form4, s.Preview);
}

std::optional<QString> TForm1::writeSettingsFile()
{
    // Before any login the session is empty: keep what the file held.
    const bool loggedIn = !work.session.Login.isEmpty() || !work.session.Password.isEmpty();
    return writeSettings(settingsPath(), loggedIn ? work.session.Login : m_savedLogin,
                                 loggedIn ? work.session.Password : m_savedPassword, form2->pos(), form3->pos(),
                                 form4->pos());
}

void TForm1::endRun(std::chrono::milliseconds after)
{
    // No request may start or go on once the end is decided.
    work.http.stop();
    QTimer::singleShot(after, qApp, [this] { m_end(); });
}

// Closed through the desktop: the run ends, the settings are not written.
void TForm1::closeEvent(QCloseEvent *event)
{
    event->accept();
    endRun(std::chrono::milliseconds(0));
}

} // namespace nimbra
