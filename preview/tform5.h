#pragma once

#include <QWidget>

class QWebEngineView;

namespace nimbra {


// A bare 150 by 150 pane near the top right corner that shows QR pictures.
class TForm5 final : public QWidget {
    Q_OBJECT
public:
    TForm5();
    void navigate(const QString &url);

    QWebEngineView *Web = nullptr;
};

} // namespace nimbra
