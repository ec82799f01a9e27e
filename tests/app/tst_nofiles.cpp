// The program writes no files. Run under a real X server (the OpenGL path of
// the embedded browser, where shader caches live), the test starts itself
// again with a fresh, empty home folder and fresh XDG folders; that child
// uses every feature of the program, web pages included, and ends; then the
// folders must still be empty. It has no session bus, and a "dbus-launch"
// that, like the real one, would start a bus and save its address under the
// home folder if asked.
#include "../ui/uitest.h"
#include "app/processsetup.h"
#include "app/weblauncher.h"

#include <QDirIterator>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

using namespace velmora;

namespace {

constexpr char kChildVariable[] = "VELMORA_NOFILES_CHILD";

QWidget *visibleWindow(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

template <class T>
T *control(const QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

// Every feature a person can reach, clicked in turn. Returns false with a
// message when something did not answer.
bool useEveryFeature(QString &failure)
{
    MainWindow main;
    installWebLauncher(main, {QStringLiteral(VELMORA_WEB_MODULE_DIR)});
    main.show();
    if (!QTest::qWaitForWindowExposed(&main)) {
        failure = QStringLiteral("the main window was not shown");
        return false;
    }
    const struct {
        const char *plate, *message, *button;
    } local[] = {
        {"morseIm", "txtMsgMorse", "cmdCodeMorse"}, {"morseIm", "txtMsgMorse", "cmdCodeMorse2"},
        {"Image1", "alphaTxt", "cmdAlphaNumOK"},    {"caesarIm", "caesarCode", "cmdCode"},
        {"Image3", "polybeCode", "cmdCodePolybe"},
    };
    for (const auto &step : local) {
        uitest::click(control<QAbstractButton>(&main, step.plate));
        uitest::typeMessage(control<QPlainTextEdit>(&main, step.message), QStringLiteral("Bonjour à tous."));
        uitest::click(control<QAbstractButton>(&main, step.button));
        if (!QTest::qWaitFor([] { return visibleWindow(QStringLiteral("frmMorse")) != nullptr; }, 10000)) {
            failure = QStringLiteral("no result window after %1").arg(QLatin1String(step.button));
            return false;
        }
    }
    const struct {
        const char *plate, *button;
        QString title;
    } pictures[] = {
        {"gatoIm", "cmdCodeGato", QStringLiteral("Gato")},
        {"mersIm", "cmdCodeM", QStringLiteral("Code des Mers")},
        {"semaIm", "cmdCodeS", QStringLiteral("Sémaphore")},
    };
    for (const auto &step : pictures) {
        uitest::click(control<QAbstractButton>(&main, step.plate));
        uitest::click(control<QAbstractButton>(&main, step.button));
        if (!QTest::qWaitFor(
                [&step] {
                    QWidget *browser = visibleWindow(QStringLiteral("frmBrowser"));
                    return browser && browser->windowTitle().startsWith(step.title);
                },
                30000)) {
            failure = QStringLiteral("no %1 page").arg(step.title);
            return false;
        }
    }
    for (const char *icon : {"cwebIm", "writeIm", "AboutIm"})
        uitest::click(control<QAbstractButton>(&main, icon));
    QWidget *about = visibleWindow(QStringLiteral("frmAbout"));
    if (!about) {
        failure = QStringLiteral("no about window");
        return false;
    }
    uitest::click(control<QAbstractButton>(about, "lblVersion"));
    QTest::qWait(3000); // lets the last pages load and draw
    if (QGuiApplication::platformName() == QLatin1String("xcb") && !QOpenGLContext::globalShareContext()) {
        failure = QStringLiteral("the browser got no shared OpenGL context to draw with");
        return false;
    }
    uitest::click(control<QAbstractButton>(&main, "closeIm"));
    return true;
}

QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

} // namespace

class TstNoFiles : public QObject
{
    Q_OBJECT
private slots:
    void everyFeatureUsedLeavesTheFoldersEmpty();
};

void TstNoFiles::everyFeatureUsedLeavesTheFoldersEmpty()
{
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString home = scratch.filePath(QStringLiteral("home"));
    const QString runtime = scratch.filePath(QStringLiteral("runtime"));
    QVERIFY(QDir().mkpath(home));
    QVERIFY(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : env.keys())
        if (name.startsWith(QLatin1String("XDG_")) || name.startsWith(QLatin1String("MESA_")) ||
            name == QLatin1String("GSETTINGS_BACKEND"))
            env.remove(name);
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    const QString bin = scratch.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    {
        QFile launcher(bin + QStringLiteral("/dbus-launch"));
        QVERIFY(launcher.open(QIODevice::WriteOnly));
        launcher.write("#!/bin/sh\n"
                       "mkdir -p \"$HOME/.dbus/session-bus\" && echo \"$*\" > \"$HOME/.dbus/session-bus/autolaunch\"\n"
                       "exit 1\n");
        launcher.close();
        QVERIFY(launcher.setPermissions(launcher.permissions() | QFileDevice::ExeOwner));
    }
    env.insert(QStringLiteral("PATH"), bin + QLatin1Char(':') + env.value(QStringLiteral("PATH")));
    env.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(240000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);

    // Sockets and the like in the runtime folder go away with the program;
    // a file left there, or anything in the home folder, is a file written.
    QCOMPARE(filesUnder(home), QStringList());
    QCOMPARE(filesUnder(runtime), QStringList());
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(kChildVariable)) {
        keepFilesOutOfTheHomeFolder();
        QApplication app(argc, argv);
        QString failure;
        // A warning would wait for a person: note it, close it, fail.
        QTimer watchdog;
        QObject::connect(&watchdog, &QTimer::timeout, [&failure] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                failure = box->text();
                box->reject();
                QCoreApplication::exit(1);
            }
        });
        watchdog.start(500);
        QTimer::singleShot(0, [&failure] {
            if (!useEveryFeature(failure) || !failure.isEmpty())
                QCoreApplication::exit(1);
        });
        const int status = app.exec();
        if (status != 0)
            qCritical("the program's features did not all answer: %s", qPrintable(failure));
        return status;
    }
    QCoreApplication app(argc, argv);
    TstNoFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_nofiles.moc"
