#include "app/weblauncher.h"

#include "app/processsetup.h"
#include "ui/modules.h"

#include "ui/mainwindow.h"
#include "web/webfeaturesinterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QPluginLoader>

#include <functional>

#include <unistd.h>

namespace velmora {

namespace {

// The embedded browser will not run for the superuser with its sandbox on,
// and it ends the whole process when asked to: better to say so and keep
// the program running. The program never turns the sandbox off itself.
bool browserRefusesThisUser()
{
    return ::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX") &&
           !qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--no-sandbox");
}

// One of the main window's web requests, to be answered by the web features.
using WebRequest = std::function<void(WebFeaturesInterface &)>;

class WebLauncher : public QObject
{
public:
    WebLauncher(MainWindow &main, const QStringList &directories)
        : QObject(&main)
        , m_main(main)
        , m_directories(directories)
    {
        connect(&main, &MainWindow::pictureCodeRequested, this, [this](PictureCode code, const QString &message) {
            launch([code, message](WebFeaturesInterface &web) { web.showPictureCode(code, message); });
        });
        connect(&main, &MainWindow::sitePageRequested, this, [this] { launch(&WebFeaturesInterface::openSitePage); });
        connect(&main, &MainWindow::contactPageRequested, this,
                [this] { launch(&WebFeaturesInterface::openContactPage); });
        connect(&main, &MainWindow::aboutRequested, this, [this] { launch(&WebFeaturesInterface::showAbout); });
    }

private:
    // The module's root object, from the first directory that holds a module
    // with the expected interface; it stays loaded for the rest of the run.
    WebModuleInterface *loadModule(QString &error)
    {
        QStringList tried;
        for (const QString &dir : std::as_const(m_directories)) {
            QPluginLoader loader(QDir(dir).filePath(QStringLiteral("velmora-web")));
            QObject *root = loader.instance();
            if (!root) {
                tried << loader.errorString();
                continue;
            }
            if (auto *module = qobject_cast<WebModuleInterface *>(root))
                return module;
            tried << QStringLiteral("%1: not the web module of this program (%2)")
                         .arg(loader.fileName(), QStringLiteral(VelmoraWebModuleInterface_iid));
        }
        error = tried.join(QLatin1Char('\n'));
        return nullptr;
    }

    void warn(const QString &text, const QString &details = {})
    {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("VelmoraWin III"), text, QMessageBox::Ok, &m_main);
        box.setAccessibleName(QStringLiteral("Message"));
        if (!details.isEmpty())
            box.setDetailedText(details);
        box.exec();
    }

    void launch(const WebRequest &request)
    {
        if (browserRefusesThisUser()) {
            warn(QStringLiteral("Les fonctions web de VelmoraWin ne fonctionnent pas pour l'administrateur "
                                "(root) : le navigateur intégré refuse de s'exécuter sans sa protection. "
                                "Lancez VelmoraWin avec un compte ordinaire."));
            return;
        }
        // Without a shared context the browser still works, drawing in software.
        prepareSharedOpenGLContext();
        QString error;
        WebModuleInterface *module = loadModule(error);
        WebFeaturesInterface *web = module ? module->attachTo(m_main) : nullptr;
        if (!web) {
            warn(QStringLiteral("Les fonctions web de VelmoraWin ne sont pas disponibles."), error);
            return; // the next request tries again
        }
        // From now on the web features answer the requests themselves; this
        // first one is handed over.
        disconnect(&m_main, nullptr, this, nullptr);
        request(*web);
        deleteLater();
    }

    MainWindow &m_main;
    QStringList m_directories;
};

} // namespace

QStringList webModuleDirectories()
{
    return moduleDirectories();
}

void installWebLauncher(MainWindow &main, const QStringList &directories)
{
    new WebLauncher(main, directories);
}

} // namespace velmora
