// VelmoraWin III: the start routine. Creates the main window, shows it, and
// from then on the program only answers clicks.
#include "app/weblauncher.h"
#include "ui/mainwindow.h"
#include "velmora_config.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The embedded browser of the web features shares OpenGL contexts; this
    // must be set before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));

    velmora::MainWindow mainWindow;

    // The web features answer the main window's web requests from the
    // first one on; until then no web engine is loaded.
    velmora::installWebLauncher(mainWindow);

    mainWindow.show();
    return app.exec();
}
