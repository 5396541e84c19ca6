#pragma once

#include "dragmover.h"

#include <QColor>
#include <QLabel>
#include <QWidget>

class QWebEngineView;

namespace nimbra {

class NavigatingPage;

// The run view: the page as the player sees it, in a shaped frame that
// drags in both directions.
class TForm3 final : public QWidget {
    Q_OBJECT
public:
    TForm3();

    void navigate(const QString &url);
    void setBackdropColour(const QColor &colour);
    QColor backdropColour() const;

    QWebEngineView *Web = nullptr;
    NavigatingPage *page() const { return m_page; }

    // The frame picture; magenta pixels lie outside the window.
    static QImage framePicture();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_imp = nullptr;
    QWidget *m_webFnd = nullptr;
    NavigatingPage *m_page = nullptr;
    DragMover m_drag;
};

} // namespace nimbra
