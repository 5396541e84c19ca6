#include "tform1.h"
#include "tform2.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

namespace {

// The program's name and icon as the desktop shows them.
void nameTheProgram()
{
    QGuiApplication::setApplicationName(QStringLiteral("nimbra"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Nimbra"));
    QGuiApplication::setApplicationVersion(QStringLiteral(NIMBRA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("nimbra"));
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("nimbra"), QIcon(QStringLiteral(":/nimbra.svg"))));
}

} // namespace

int main(int argc, char *argv[])
{
    // The web views share the windows' graphics context.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    nameTheProgram();
    nimbra::TForm1 main;
    main.setWindowTitle(QStringLiteral("Nimbra"));
    main.createWindows();
    main.show();
    // Without a window manager nothing keeps the tools window over the main one.
    main.form2->raise();
    main.activateWindow();
    // Without a window manager the main window may never be activated.
    QTimer::singleShot(0, &main, &nimbra::TForm1::applySettingsOnce);
    return app.exec();
}
