#include "imagebutton.h"

#include "skin.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <qdrawutil.h>

namespace nimbra {

ImageButton::ImageButton(QWidget *parent, QPixmap released, QPixmap pressed, const QString &hint)
    : QLabel(parent), m_released(std::move(released)), m_pressed(std::move(pressed))
{
    setToolTip(hint);
    setCursor(Qt::DragMoveCursor);
    showLook(false);
    resize(m_released.size());
}

ImageButton::ImageButton(QWidget *parent, const QString &hint)
    : ImageButton(parent, Skin::btUp3(), Skin::btDw3(), hint)
{
}

void ImageButton::setLooks(QPixmap released, QPixmap pressed)
{
    m_released = std::move(released);
    m_pressed = std::move(pressed);
    showLook(m_down);
}

void ImageButton::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void ImageButton::showLook(bool down)
{
    m_down = down;
    setPixmap(down ? m_pressed : m_released);
}

void ImageButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    showLook(true);
    // The press may start a long synchronous request; show the look now.
    repaint();
    emit pressed();
}

void ImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool click = event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (click) {
        // The pressed look stays while the click's action runs, telling the
        // author the request is still going.
        QPointer<ImageButton> alive(this);
        emit clicked();
        if (!alive)
            return;
    }
    showLook(false);
    emit released();
}

void ImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPixmap look = pixmap();
    if (!look.isNull()) {
        const int edge = qMin(2, qMin(look.width(), look.height()) / 3);
        qDrawBorderPixmap(&painter, rect(), QMargins(edge, edge, edge, edge), look);
    }
    if (!m_caption.isEmpty()) {
        // A pressed button's caption sinks with it.
        const QRect area = m_down ? rect().translated(1, 1) : rect();
        painter.setPen(palette().color(foregroundRole()));
        painter.setFont(font());
        painter.drawText(area, Qt::AlignCenter, m_caption);
    }
}

} // namespace nimbra
