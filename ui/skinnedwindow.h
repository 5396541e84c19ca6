#pragma once

#include "dragmover.h"

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

class QLabel;

namespace nimbra {

class ImageButton;

// A borderless window in the skin's look: a picture title bar that drags
// the window, an optional vertical lock and a close picture. Windows place
// their own controls at fixed pixel positions.
class SkinnedWindow : public QWidget {
    Q_OBJECT
public:
    // Where a locked window sits: just under the main window.
    static constexpr int LockedTop = 51;

    struct Options {
        QString title;
        int width = 400;
        int height = 300;
        bool stayOnTop = false;
        bool hasVerticalLock = false;
        int lockX = -1;  // -1: left of the close picture
        int closeX = -1; // -1: at the right end of the title bar
        QRect titleBarRect; // empty: (1, 1, width - 2, 24)

        // A window of its own that stays above the main window.
        static Options onTop(const QString &title, int width, int height)
        {
            Options o;
            o.title = title;
            o.width = width;
            o.height = height;
            o.stayOnTop = true;
            return o;
        }
    };

    explicit SkinnedWindow(const Options &options, QWidget *parent = nullptr);

    // Always false when the window has no lock.
    bool verticalLock() const { return m_locked; }
    // Turning the lock on puts the window back at LockedTop.
    void setVerticalLock(bool on);

    QLabel *titleLabel() const { return m_title; }
    QLabel *titleBar() const { return m_bar; }
    ImageButton *closeButton() const { return m_close; }
    QLabel *lockIcon() const { return m_lock; } // null without a lock

    // Another control that drags the window, as the title bar does.
    void addDragHandle(QWidget *handle);
    // The window's own background, seen around its controls.
    void setBackground(const QColor &colour);
    QColor background() const { return m_background; }

signals:
    void verticalLockChanged(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_bar = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_lock = nullptr;
    ImageButton *m_close = nullptr;
    QList<QWidget *> m_dragHandles;
    DragMover m_mover;
    QColor m_background;
    bool m_locked = false;
};

} // namespace nimbra
