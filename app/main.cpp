#include "tform1.h"
#include "tform2.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    // The web views share the windows' graphics context.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    nimbra::TForm1 main;
    main.createWindows();
    main.show();
    // Without a window manager nothing keeps the tools window over the main one.
    main.form2->raise();
    main.activateWindow();
    // Without a window manager the main window may never be activated.
    QTimer::singleShot(0, &main, &nimbra::TForm1::applySettingsOnce);
    return app.exec();
}
