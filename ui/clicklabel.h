#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace nimbra {

// A label that acts on a left click, like the captions that pick a kind or
// a link.
class ClickLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        event->accept();
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
    }
};

} // namespace nimbra
