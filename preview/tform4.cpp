#include "tform4.h"

#include "formkit.h"
#include "imagebutton.h"
#include "skin.h"
#include "tform1.h"

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

TForm4::TForm4(TForm1 &main) : SkinnedWindow(previewWindowLook()), m_main(main)
{
    setObjectName(QStringLiteral("TForm4"));
    move(200, 51);
    titleLabel()->setFont(arialFont(13, true));
    setTextColour(titleLabel(), QColor(0x44, 0x4A, 0x51));
    titleLabel()->move(5, 4);

    btIns = actionButton(this, 640, 5, QString(), QStringLiteral("btIns"));
    lbIns = caption(this, 665, 5, QStringLiteral("Instruções de programação"));
    setTextColour(lbIns, QColor(0x2B, 0x3A, 0x55));
    setInstructionsVisible(false);

    auto *abook = new QWidget(this);
    abook->setGeometry(5, 30, 920, 440);
    Pan1 = new QStackedWidget(abook);
    Pan1->setGeometry(0, 0, 920, 440);
    Pan1->addWidget(new QWidget(Pan1));
    Pan1->addWidget(new QWidget(Pan1));
    Browser = new QWebEngineView(Pan1);
    Pan1->addWidget(Browser);
    Pan1->setCurrentIndex(PreviewPage);
    setPageBackground(Skin::WindowBackground);
}

void TForm4::setInstructionsVisible(bool visible)
{
    btIns->setVisible(visible);
    lbIns->setVisible(visible);
}

void TForm4::showPreviewPage()
{
    Pan1->setCurrentIndex(PreviewPage);
    setInstructionsVisible(false);
}

void TForm4::showWebPages(const QString &url)
{
    show();
    Pan1->setCurrentIndex(BrowserPage);
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
    setBackgroundColour(Pan1->parentWidget(), colour);
}

QColor TForm4::pageBackground() const
{
    return backgroundColour(Pan1->parentWidget());
}

} // namespace nimbra
