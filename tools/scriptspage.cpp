#include "scriptspage.h"

#include "clicklabel.h"
#include "creationpage.h"
#include "formkit.h"
#include "historypage.h"
#include "iconspage.h"
#include "imagebutton.h"
#include "pageeditor.h"
#include "screenpage.h"
#include "skin.h"
#include "statuslabel.h"
#include "textlookpage.h"
#include "tform2.h"
#include "workspace.h"

namespace nimbra {

ScriptsPage::ScriptsPage(Workspace &work, PageEditor &editor, TForm2 &tools, QWidget *parent) : QWidget(parent), m_work(work), m_editor(editor), m_tools(tools)
{
    caption(this, 0, 0, QStringLiteral("Scripts"));
    Lbx2 = new SortedList(this);
    Lbx2->setObjectName(QStringLiteral("Lbx2"));
    Lbx2->setGeometry(15, 25, 391, 308);
    connect(Lbx2, &QListWidget::itemClicked, this, &ScriptsPage::Lbx2Click);
    separator(this, 338);
    buildActions();
    separator(this, 430);
    buildInnerPages();
    connectEdits();
}

void ScriptsPage::buildActions()
{
    btCmp = actionButton(this, 10, 347, QStringLiteral("Compilar e gravar script"), QStringLiteral("btCmp"));
    connect(btCmp, &ImageButton::clicked, this, &ScriptsPage::btCmpClick);
    Stx = status(this, 35, 365, QStringLiteral("Stx"), 206, 36);
    Cb1 = new QCheckBox(QStringLiteral("Retornável"), this);
    Cb1->setObjectName(QStringLiteral("Cb1"));
    Cb1->setFont(arialFont(13, true));
    setTextColour(Cb1, Skin::Navy);
    Cb1->move(295, 345);
    Cb1->adjustSize();
    Edit20 = edit(this, 283, 375, 98, QStringLiteral("Som:"));
    Edit20->setObjectName(QStringLiteral("Edit20"));
    btSom = new ClickLabel(QStringLiteral("[...]"), this);
    btSom->setObjectName(QStringLiteral("btSom"));
    btSom->setFont(arialFont(13, true));
    setTextColour(btSom, Skin::Navy);
    btSom->setToolTip(QStringLiteral("Sons"));
    btSom->move(385, 378);
    btSom->adjustSize();
    connect(btSom, &ClickLabel::clicked, this, [this] { m_tools.showPage(TForm2::Sounds); });
    Image2 = actionButton(this, 10, 406, QStringLiteral("Qr code aventura"), QStringLiteral("Image2"));
    connect(Image2, &ImageButton::clicked, this, &ScriptsPage::Image2Click);
    Image4 = actionButton(this, 170, 406, QStringLiteral("Criar script"), QStringLiteral("Image4"));
    connect(Image4, &ImageButton::clicked, this, [this] { Abook2->setCurrentIndex(Create); });
    Image3 = actionButton(this, 285, 406, QStringLiteral("Script original"), QStringLiteral("Image3"));
    connect(Image3, &ImageButton::clicked, this, &ScriptsPage::Image3Click);
}

void ScriptsPage::buildInnerPages()
{
    Abook2 = new QStackedWidget(this);
    Abook2->setGeometry(0, 435, 410, 248);
    m_icons = new IconsPage(Abook2);
    m_creation = new CreationPage(Abook2);
    m_textLook = new TextLookPage(Abook2);
    m_screen = new ScreenPage(Abook2);
    m_history = new HistoryPage(Abook2);
    for (QWidget *page : {static_cast<QWidget *>(m_history), static_cast<QWidget *>(m_icons), static_cast<QWidget *>(m_creation),
                          static_cast<QWidget *>(m_textLook), static_cast<QWidget *>(m_screen)})
        Abook2->addWidget(page);
}

void ScriptsPage::connectEdits()
{
    const auto edits = [this] { return &m_editor.edits(); };
    connect(&m_editor, &PageEditor::pageOpened, this, &ScriptsPage::showHistory);
    connect(&m_editor, &PageEditor::historyChanged, this, &ScriptsPage::showHistory);
    connect(m_history, &HistoryPage::restoreClicked, this, [this] {
        if (const std::optional<PageHistory::Version> version = m_history->picked())
            m_editor.restoreVersion(*version);
        else
            showStatus(m_history->Sth, QStringLiteral("Escolha uma versão!!!"));
    });
    connect(m_icons, &IconsPage::activeToggled, this, [edits](int k) { edits()->toggleIcon(k); });
    connect(m_icons, &IconsPage::imageEntered, this,
            [edits](int k, const QString &image) { edits()->setIconImage(k, image); });
    connect(m_icons, &IconsPage::targetEntered, this,
            [edits](int k, const QString &target) { edits()->setIconTarget(k, target); });
    connect(m_icons, &IconsPage::copyNameClicked, this,
            [this] { m_icons->Edit1->setText(m_work.session.PickedFileName); });
    connect(m_creation, &CreationPage::createClicked, this,
            [this](NewPageKind kind) { m_editor.CreatePage(kind); });
    connect(m_textLook, &TextLookPage::changed, this, [edits](const QString &what) { edits()->controlChanged(what); });
    connect(Cb1, &QCheckBox::clicked, this, [edits] { edits()->controlChanged(QStringLiteral("retornável")); });
    connect(Edit20, &QLineEdit::editingFinished, this, [this, edits] {
        if (Edit20->isModified()) {
            Edit20->setModified(false);
            edits()->controlChanged(QStringLiteral("som inicial"));
        }
    });
    connect(m_screen, &ScreenPage::screenImageEntered, this, [this, edits](const QString &name) {
        edits()->setScreenImage(name);
        m_editor.CompileAndStore();
    });
    connect(m_screen, &ScreenPage::copyNameClicked, this, [this] {
        m_screen->Edit13->setText(m_work.session.PickedFileName);
        m_screen->Edit13->setFocus();
    });
    connect(m_screen, &ScreenPage::linkClicked, this, [edits](int i) { edits()->selectLink(i); });
    connect(m_screen, &ScreenPage::activeToggled, this, [edits] { edits()->toggleSelectedLink(); });
    connect(m_screen, &ScreenPage::linkEditsEntered, this, [edits] { edits()->takeLinkEdits(); });
    connect(m_screen, &ScreenPage::registerClicked, this, [this, edits] {
        if (!edits()->registerLink())
            return;
        // "Ok" only once the page is stored; a refusal stays visible.
        showStatus(m_screen->Stt, QString());
        const bool stored = m_editor.CompileAndStore();
        showStatus(m_screen->Stt, stored ? QStringLiteral("Ok") : QStringLiteral("Não gravado: veja o status ao lado da lista!!!"));
    });
}

void ScriptsPage::ListScripts()
{
    Lbx2->clear();
    for (const QString &name : m_work.service.listScripts())
        Lbx2->addRow(name);
}

void ScriptsPage::Lbx2Click()
{
    const QListWidgetItem *row = Lbx2->currentItem();
    if (!row)
        return;
    Session &s = m_work.session;
    s.ScriptName = row->text();
    showStatus(Stx, s.ScriptName);
    emit pagePicked();
}

void ScriptsPage::showHistory()
{
    showStatus(m_history->Sth, QString());
    m_history->showVersions(PageHistory(m_work.session.AdvFolder).versions(m_work.page.scriptName()));
}

void ScriptsPage::editScreenImage(const QString &name)
{
    showForm(Screen);
    m_screen->Edit13->setText(name);
}

void ScriptsPage::btCmpClick()
{
    m_editor.CompileAndStore();
}

void ScriptsPage::Image3Click()
{
    m_editor.loadSourceText();
    emit sourceRequested();
}

void ScriptsPage::Image2Click()
{
    emit qrToggled();
}

} // namespace nimbra
