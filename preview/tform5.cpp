#include "tform5.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWebEngineView>

namespace nimbra {

TForm5::TForm5() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Código QR"));
    resize(150, 150);
    move(QGuiApplication::primaryScreen()->geometry().width() - 160, 60);
    auto *panel1 = new QWidget(this);
    panel1->setGeometry(0, 0, 150, 150);
    // 20 pixels on every side (borders, margins, scroll bars) stay outside the pane.
    Web = new QWebEngineView(panel1);
    Web->setGeometry(-20, -20, 190, 190);
}

void TForm5::navigate(const QString &url)
{
    Web->load(QUrl(url));
}

} // namespace nimbra
