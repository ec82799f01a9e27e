// The program carries no web engine until the first web request; then the
// web module is loaded, checked, attaches itself and answers that very
// request, whichever of the six web buttons made it.
#include "../ui/uitest.h"
#include "app/weblauncher.h"

#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include <unistd.h>

using namespace velmora;

namespace {

bool webEngineLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

QWidget *visibleWindow(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

int visibleWindowsNamed(const QString &name)
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += (w->objectName() == name && w->isVisible()) ? 1 : 0;
    return n;
}

QAbstractButton *button(const MainWindow &main, const QString &name)
{
    return uitest::child<QAbstractButton>(&main, name);
}

struct Warning {
    QString text;
    QString details;
};

// Clicks the button and returns the warning it brings up (the warning is
// modal: a timer reads and closes it).
Warning warningAfterClick(QAbstractButton *button)
{
    Warning shown;
    QTimer::singleShot(100, [&shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = {box->text(), box->detailedText()};
            box->accept();
        }
    });
    QTest::mouseClick(button, Qt::LeftButton);
    return shown;
}

} // namespace

class TstWebLauncher : public QObject
{
    Q_OBJECT
private slots:
    void missingModuleSaysSoEachTime();
    void moduleOfAnotherKindIsRefused();
    void superuserWithSandboxIsToldNotCrashed();
    void firstRequestOfEachWebButton_data();
    void firstRequestOfEachWebButton();

private:
    bool m_moduleLoaded = false;
};

void TstWebLauncher::missingModuleSaysSoEachTime()
{
    MainWindow main;
    installWebLauncher(main, {QStringLiteral("/nonexistent")});
    main.show();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const Warning shown = warningAfterClick(button(main, QStringLiteral("cwebIm")));
        QVERIFY(shown.text.contains(QStringLiteral("ne sont pas disponibles")));
    }
    QVERIFY(!webEngineLoaded());
}

void TstWebLauncher::moduleOfAnotherKindIsRefused()
{
    // A plugin file of the right name that is not the web module: refused
    // with the reason in the details, never called.
    MainWindow main;
    installWebLauncher(main, {QStringLiteral(VELMORA_WRONG_MODULE_DIR)});
    main.show();
    const Warning shown = warningAfterClick(button(main, QStringLiteral("cmdCodeGato")));
    QVERIFY(shown.text.contains(QStringLiteral("ne sont pas disponibles")));
    QVERIFY2(shown.details.contains(QStringLiteral("not the web module")), qPrintable(shown.details));
    QVERIFY(!main.findChild<QObject *>(QStringLiteral("webFeatures")));
    QVERIFY(!webEngineLoaded());
}

void TstWebLauncher::superuserWithSandboxIsToldNotCrashed()
{
    if (::geteuid() != 0)
        QSKIP("only the superuser meets the browser's refusal");
    const QByteArray disable = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    MainWindow main;
    installWebLauncher(main, {QStringLiteral(VELMORA_WEB_MODULE_DIR)});
    main.show();
    const Warning shown = warningAfterClick(button(main, QStringLiteral("cmdCodeGato")));
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", disable);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    QVERIFY(shown.text.contains(QStringLiteral("administrateur")));
    QVERIFY(!webEngineLoaded());
}

void TstWebLauncher::firstRequestOfEachWebButton_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("boxName"); // the message box of a picture code
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("window"); // the window that answers
    QTest::addColumn<QString>("path");   // the page's path, in the browser window
    QTest::addColumn<QString>("title");  // the window's caption (a browser's: part of it)

    const QString browser = QStringLiteral("frmBrowser");
    QTest::newRow("Gato") << "cmdCodeGato"
                          << "txtCodeGato"
                          << "Chat" << browser << "/codes/gato/transgato.php3"
                          << "Gato — Chat";
    QTest::newRow("Code des Mers") << "cmdCodeM"
                                   << "Text2"
                                   << "Mer du Nord" << browser << "/codes/mers/transmers.php3"
                                   << "Code des Mers — Mer du Nord";
    QTest::newRow("Semaphore") << "cmdCodeS"
                               << "txtCodeSema"
                               << "a\r\nb" << browser << "/codes/semaphore/transsemaphore.php3"
                               << "Sémaphore — a";
    QTest::newRow("site") << "cwebIm"
                          << ""
                          << "" << browser << "/"
                          << "VelmoraWin III";
    QTest::newRow("contact") << "writeIm"
                             << ""
                             << "" << browser << "/Contact/form.php3"
                             << "VelmoraWin III";
    QTest::newRow("about") << "AboutIm"
                           << ""
                           << ""
                           << "frmAbout"
                           << ""
                           << "Acerca de Velmora";
}

void TstWebLauncher::firstRequestOfEachWebButton()
{
    QFETCH(QString, buttonName);
    QFETCH(QString, boxName);
    QFETCH(QString, message);
    QFETCH(QString, window);
    QFETCH(QString, path);
    QFETCH(QString, title);

    {
        MainWindow main;
        installWebLauncher(main, {QStringLiteral(VELMORA_WEB_MODULE_DIR)});
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        // Nothing of the web engine until the first request of the run.
        QCOMPARE(webEngineLoaded(), m_moduleLoaded);
        if (!boxName.isEmpty())
            uitest::typeMessage(uitest::child<QPlainTextEdit>(&main, boxName), message);

        QTest::mouseClick(button(main, buttonName), Qt::LeftButton);
        m_moduleLoaded = webEngineLoaded();
        QVERIFY(m_moduleLoaded);
        QVERIFY(main.findChild<QObject *>(QStringLiteral("webFeatures")));

        // The first click itself was answered, once.
        QWidget *answer = visibleWindow(window);
        QVERIFY(answer);
        QCOMPARE(visibleWindowsNamed(window), 1);
        if (!path.isEmpty()) {
            // The page and its caption; the view is read through its
            // properties, the test carrying no web engine code of its own.
            QObject *view = answer->findChild<QObject *>(QStringLiteral("brwWebBrowser"));
            QVERIFY(view);
            QTRY_COMPARE_WITH_TIMEOUT(view->property("url").toUrl().path(), path, 30000);
            QTRY_VERIFY_WITH_TIMEOUT(answer->windowTitle().contains(title), 30000);
        } else {
            QCOMPARE(answer->windowTitle(), title);
        }

        // From then on the web features answer the button by themselves:
        // the window, hidden, comes back, still the only one.
        answer->hide();
        QTest::mouseClick(button(main, buttonName), Qt::LeftButton);
        QVERIFY(answer->isVisible());
        QCOMPARE(visibleWindowsNamed(window), 1);
    }
    uitest::flushDeletes();
    QTest::qWait(50);
    QCOMPARE(visibleWindowsNamed(window), 0); // gone with the main window
}

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    uitest::quietOffscreenNotes();
    TstWebLauncher test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_weblauncher.moc"
