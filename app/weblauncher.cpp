#include "app/weblauncher.h"

#include "app/processsetup.h"

#include "ui/mainwindow.h"
#include "ui/widgets.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <unistd.h>

namespace velmora {

namespace {

using AttachFunction = QObject *(*)(MainWindow *);

// The embedded browser will not run for the superuser with its sandbox on,
// and it ends the whole process when asked to: better to say so and keep
// the program running. The program never turns the sandbox off itself.
bool browserRefusesThisUser()
{
    return ::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX") &&
           !qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--no-sandbox");
}

class WebLauncher : public QObject
{
public:
    WebLauncher(MainWindow &main, const QStringList &directories)
        : QObject(&main), m_main(main), m_directories(directories)
    {
        const struct {
            QAbstractButton *button;
            const char *handler;
        } triggers[] = {
            {main.gatoCodeButton(), "codeGato"},
            {main.mersCodeButton(), "codeMers"},
            {main.semaphoreCodeButton(), "codeSemaphore"},
            {main.siteIcon(), "openSite"},
            {main.contactIcon(), "openContact"},
            {main.aboutIcon(), "showAbout"},
        };
        for (const auto &t : triggers) {
            const char *handler = t.handler;
            m_connections << connect(t.button, &QAbstractButton::clicked, this, [this, handler] { launch(handler); });
        }
    }

private:
    AttachFunction loadModule(QString &error)
    {
        QStringList tried;
        for (const QString &dir : std::as_const(m_directories)) {
            QLibrary library(QDir(dir).filePath(QStringLiteral("velmora-web")));
            if (!library.load()) {
                tried << library.errorString();
                continue;
            }
            if (auto attach = reinterpret_cast<AttachFunction>(library.resolve("velmoraAttachWebFeatures")))
                return attach; // stays loaded for the rest of the run
            tried << library.errorString();
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

    void launch(const char *handler)
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
        const AttachFunction attach = loadModule(error);
        QObject *features = attach ? attach(&m_main) : nullptr;
        if (!features) {
            warn(QStringLiteral("Les fonctions web de VelmoraWin ne sont pas disponibles."), error);
            return; // the next click tries again
        }
        // From now on the module answers the buttons itself; this click is
        // handed over by hand.
        for (const auto &c : std::as_const(m_connections))
            disconnect(c);
        QMetaObject::invokeMethod(features, handler);
        deleteLater();
    }

    MainWindow &m_main;
    QStringList m_directories;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace

QStringList webModuleDirectories()
{
    const QString here = QCoreApplication::applicationDirPath();
    return {here, QDir(here).filePath(QStringLiteral("../lib/velmora")), QStringLiteral(VELMORA_MODULE_DIR)};
}

void installWebLauncher(MainWindow &main, const QStringList &directories)
{
    new WebLauncher(main, directories);
}

} // namespace velmora
