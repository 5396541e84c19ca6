#include "tform3.h"

#include "formkit.h"
#include "navigatingpage.h"
#include "windowdrag.h"

#include <QBitmap>
#include <QPainter>
#include <QWebEngineView>

namespace nimbra {

namespace {

constexpr QSize kFrameSize(940, 480);
const QColor kOutside(0xFF, 0x00, 0xFF);

} // namespace

QImage TForm3::framePicture()
{
    QImage picture(kFrameSize, QImage::Format_RGB32);
    picture.fill(kOutside);
    QPainter p(&picture);
    p.setPen(Qt::black);
    // The tab with its lettering, rows 0 to 19.
    p.setBrush(QColor(0x2B, 0x3A, 0x55));
    p.drawRect(0, 0, 179, 20);
    p.setPen(QColor(0xD7, 0xEB, 0xFF));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 180, 20), Qt::AlignCenter, QStringLiteral("visão no navegador"));
    // The white body with its one-pixel black border.
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(0, 20, kFrameSize.width() - 1, kFrameSize.height() - 21);
    return picture;
}

TForm3::TForm3() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("Execução"));
    const QImage frame = framePicture();
    resize(frame.size());
    move(263, 116);
    m_imp = new QLabel(this);
    m_imp->setPixmap(QPixmap::fromImage(frame));
    m_imp->setGeometry(QRect(QPoint(0, 0), frame.size()));
    setMask(QBitmap::fromImage(frame.createMaskFromColor(kOutside.rgb(), Qt::MaskInColor)));

    m_webFnd = new QWidget(this);
    m_webFnd->setGeometry(1, 21, 938, 458);
    setBackdropColour(QColor(206, 206, 206));

    auto *pan2 = new QWidget(this);
    pan2->setGeometry(10, 30, 920, 440);
    setBackgroundColour(pan2, Qt::white);
    Web = new QWebEngineView(pan2);
    m_page = new NavigatingPage(Web);
    Web->setPage(m_page);
    Web->setGeometry(-2, -2, 940, 444);

    m_imp->installEventFilter(this);
    m_webFnd->installEventFilter(this);
}

void TForm3::navigate(const QString &url)
{
    Web->load(QUrl(url));
}

void TForm3::setBackdropColour(const QColor &colour)
{
    setBackgroundColour(m_webFnd, colour);
}

QColor TForm3::backdropColour() const
{
    return backgroundColour(m_webFnd);
}

bool TForm3::eventFilter(QObject *watched, QEvent *event)
{
    // No vertical lock here: the run view drags in both directions.
    return dragWindow(m_drag, event, this, false) || QWidget::eventFilter(watched, event);
}

} // namespace nimbra
