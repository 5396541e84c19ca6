#include "tform4.h"

#include "eventhold.h"
#include "formkit.h"
#include "imagebutton.h"
#include "navigatingpage.h"
#include "pageeditor.h"
#include "previewpage.h"
#include "skin.h"
#include "workspace.h"

#include <QWebEngineView>

namespace nimbra {

namespace {

SkinnedWindow::Options previewWindowLook()
{
    SkinnedWindow::Options o;
    o.width = 930;
    o.height = 475;
    o.stayOnTop = true;
    o.hasVerticalLock = true;
    o.lockX = 865;
    o.closeX = 890;
    return o;
}

} // namespace

TForm4::TForm4(Workspace &work, PageEditor &editor)
    : SkinnedWindow(previewWindowLook()), m_work(work), m_editor(editor)
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Prévia"));
    move(200, 51);
    titleLabel()->setFont(arialFont(13, true));
    setTextColour(titleLabel(), QColor(0x44, 0x4A, 0x51));
    titleLabel()->move(5, 4);

    btIns = actionButton(this, 640, 5, QString(), QStringLiteral("btIns"));
    connect(btIns, &ImageButton::clicked, this, &TForm4::btInsClick);
    lbIns = caption(this, 665, 5, QStringLiteral("Instruções de programação"));
    setTextColour(lbIns, QColor(0x2B, 0x3A, 0x55));
    addDragHandle(lbIns);
    setInstructionsVisible(false);
    InstrucsUrl = work.session.SiteUrl + QStringLiteral("html/vestra/pags/instrucs/index.htm");

    auto *abook = new QWidget(this);
    abook->setGeometry(5, 30, 920, 440);
    Pan1 = new QStackedWidget(abook);
    Pan1->setGeometry(0, 0, 920, 440);
    buildPreviewPage();
    Pan1->addWidget(buildScriptPage());
    buildBrowserPage();
    Pan1->setCurrentIndex(PreviewTab);
    setPageBackground(Skin::WindowBackground);
}

void TForm4::buildPreviewPage()
{
    m_preview = new PreviewPage(Pan1);
    Pan1->addWidget(m_preview);
    PageEdits *edits = &m_editor.edits();
    connect(m_preview, &PreviewPage::iconClicked, this, [edits](int k) { edits->showIcon(k); });
    connect(m_preview, &PreviewPage::objectsBarClicked, this, [edits] { edits->toggleObjectsBar(); });
    connect(m_preview, &PreviewPage::screenPressed, this, &TForm4::screenPressed);
    connect(m_preview, &PreviewPage::textPressed, this, &TForm4::textPressed);
    connect(m_preview, &PreviewPage::hotspotDragStarted, this, [edits] { edits->hotspotDragStarted(); });
    connect(m_preview, &PreviewPage::hotspotChanged, this,
            [edits](const QString &l, const QString &t, const QString &w, const QString &h) {
                edits->hotspotMoved(l, t, w, h);
            });
    connect(m_preview, &PreviewPage::hotspotDragFinished, this, [edits] { edits->hotspotDragFinished(); });
}

QWidget *TForm4::buildScriptPage()
{
    auto *page = new QWidget(Pan1);
    Memo3 = new QPlainTextEdit(page);
    Memo3->setObjectName(QStringLiteral("Memo3"));
    Memo3->setGeometry(0, 0, 816, 440);
    QFont courier(QStringLiteral("Courier New"));
    courier.setPixelSize(16);
    Memo3->setFont(courier);
    Memo3->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const auto button = [page](int y, const QString &text, const QString &name) {
        ImageButton *b = actionButton(page, 825, y, text, name);
        QLabel *label = page->findChildren<QLabel *>().last();
        label->setFont(arialFont(13, true, true));
        label->adjustSize();
        return b;
    };
    connect(button(62, QStringLiteral("Gravar"), QStringLiteral("Image2")), &ImageButton::clicked, this,
            &TForm4::Image2Click);
    connect(button(92, QStringLiteral("Retornar"), QStringLiteral("Image1")), &ImageButton::clicked, this,
            &TForm4::Image1Click);
    auto *line = new QFrame(page);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(822, 150, 96, 3);
    connect(button(192, QStringLiteral("Executar"), QStringLiteral("Image3")), &ImageButton::clicked, this,
            &TForm4::Image3Click);
    return page;
}

void TForm4::buildBrowserPage()
{
    auto *holder = new QWidget(Pan1);
    Browser = new QWebEngineView(holder);
    Browser->setObjectName(QStringLiteral("Web2"));
    Browser->setGeometry(-2, -2, 924, 444);
    auto *page = new NavigatingPage(Browser);
    Browser->setPage(page);
    connect(page, &NavigatingPage::navigating, this, [this](const QUrl &url) {
        EventHold::whenFree(this, [this, url] { browserNavigating(url); });
    });
    Pan1->addWidget(holder);
}

void TForm4::browserNavigating(const QUrl &url)
{
    const QString address = QString::fromLatin1(url.toEncoded());
    if (address.contains(QLatin1StringView("instrucs")))
        InstrucsUrl = address;
    else
        m_work.session.BrowserUrl = address;
}

void TForm4::btInsClick()
{
    Browser->load(QUrl(InstrucsUrl));
    setPageBackground(QColor(0xCE, 0xD6, 0xD6));
}

void TForm4::backToPreview()
{
    Pan1->setCurrentIndex(PreviewTab);
    emit previewShownAgain();
}

void TForm4::Image2Click()
{
    if (!m_editor.StoreSourceText())
        return;
    backToPreview();
    m_editor.runPage(true);
}

void TForm4::Image1Click()
{
    backToPreview();
}

void TForm4::Image3Click()
{
    if (m_editor.StoreSourceText())
        m_editor.runPage(true);
}

void TForm4::setInstructionsVisible(bool visible)
{
    btIns->setVisible(visible);
    lbIns->setVisible(visible);
}

void TForm4::showPreviewPage()
{
    Pan1->setCurrentIndex(PreviewTab);
    setInstructionsVisible(false);
}

void TForm4::showSourcePage()
{
    Pan1->setCurrentIndex(ScriptTab);
    show();
    raise();
    setPageBackground(Skin::WindowBackground);
}

void TForm4::showWebPages(const QString &url)
{
    show();
    Pan1->setCurrentIndex(BrowserTab);
    setTitle(QStringLiteral("Páginas oficiais do Tarvo Velorin"));
    raise();
    Browser->load(QUrl(url));
    setInstructionsVisible(true);
}

void TForm4::setTitle(const QString &title)
{
    titleLabel()->setText(title);
    titleLabel()->adjustSize();
}

void TForm4::setPageBackground(const QColor &colour)
{
    setBackground(colour);
}

QColor TForm4::pageBackground() const
{
    return background();
}

} // namespace nimbra
