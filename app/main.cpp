// VelmoraWin III: the start routine. Creates the main window, shows it, and
// from then on the program only answers clicks.
#include "app/processsetup.h"
#include "app/weblauncher.h"
#include "ui/mainwindow.h"
#include "ui/translations.h"
#include "velmora_config.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // No OpenGL at start-up: the context the embedded browser shares is made
    // at the first web feature (prepareSharedOpenGLContext).
    velmora::keepFilesOutOfTheHomeFolder();
    velmora::FontconfigWarmUp fonts;
    QApplication app(argc, argv);
    fonts.wait();
    velmora::installQtTranslations();
    QCoreApplication::setApplicationName(QStringLiteral("velmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));

    // The hidden sections are made once the window is on screen.
    velmora::MainWindow mainWindow(nullptr, velmora::MainWindow::Sections::BuiltOnceShown);

    // The web features answer the main window's web requests from the
    // first one on; until then no web engine is loaded.
    velmora::installWebLauncher(mainWindow);

    mainWindow.show();
    return app.exec();
}
