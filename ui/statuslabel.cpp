#include "statuslabel.h"

#include "skin.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace nimbra {

StatusLabel::StatusLabel(QWidget *parent, int pixelSize, bool wordWrap) : QLabel(parent)
{
    setFont(Skin::statusFont(pixelSize));
    QPalette look = palette();
    look.setColor(QPalette::WindowText, Skin::StatusColor);
    setPalette(look);
    setWordWrap(wordWrap);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setText(kStatusRest);
}

int StatusLabel::roomWidth() const
{
    const QRect place = contentsRect();
    const QWidget *window = this->window();
    if (window == this)
        return place.width();
    const int windowRight = window->width() - mapTo(window, place.topLeft()).x();
    return qMax(0, qMin(place.width(), windowRight));
}

QString StatusLabel::shownText() const
{
    if (wordWrap())
        return text();
    return fontMetrics().elidedText(text(), Qt::ElideRight, roomWidth());
}

bool StatusLabel::isCut() const
{
    if (wordWrap())
        return heightForWidth(width()) > height();
    return shownText() != text();
}

bool StatusLabel::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && isCut()) {
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(event);
}

void StatusLabel::paintEvent(QPaintEvent *event)
{
    if (wordWrap() || !isCut()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), int(alignment()) | Qt::TextSingleLine, shownText());
}

} // namespace nimbra
