// The program carries no web engine until the first web feature; then the
// web module is loaded, attaches itself and answers that very click.
#include "../ui/uitest.h"
#include "app/weblauncher.h"

#include <QFile>
#include <QMessageBox>
#include <QTimer>

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

} // namespace

class TstWebLauncher : public QObject {
    Q_OBJECT
private slots:
    void missingModuleSaysSo();
    void superuserWithSandboxIsToldNotCrashed();
    void firstClickLoadsTheModule();
};

// Clicks the button and returns the text of the warning it brings up (the
// warning is modal: a timer reads and closes it).
QString warningAfterClick(QAbstractButton *button)
{
    QString shown;
    QTimer::singleShot(100, [&shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    QTest::mouseClick(button, Qt::LeftButton);
    return shown;
}

void TstWebLauncher::missingModuleSaysSo()
{
    MainWindow main;
    installWebLauncher(main, {QStringLiteral("/nonexistent")});
    main.show();
    QVERIFY(warningAfterClick(main.siteIcon()).contains(QStringLiteral("ne sont pas disponibles")));
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
    const QString shown = warningAfterClick(main.gatoCodeButton());
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", disable);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    QVERIFY(shown.contains(QStringLiteral("administrateur")));
    QVERIFY(!webEngineLoaded());
}

void TstWebLauncher::firstClickLoadsTheModule()
{
    QVERIFY(!webEngineLoaded());
    MainWindow main;
    installWebLauncher(main, {QStringLiteral(VELMORA_WEB_MODULE_DIR)});
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(!webEngineLoaded());

    QTest::mouseClick(main.aboutIcon(), Qt::LeftButton);
    QVERIFY(webEngineLoaded());
    QVERIFY(visibleWindow(QStringLiteral("frmAbout"))); // the first click itself was answered

    uitest::typeMessage(main.gatoMessageBox(), QStringLiteral("Chat"));
    QTest::mouseClick(main.gatoCodeButton(), Qt::LeftButton);
    QWidget *browser = visibleWindow(QStringLiteral("frmBrowser"));
    QVERIFY(browser);
    QTRY_COMPARE_WITH_TIMEOUT(browser->windowTitle(), QStringLiteral("Gato — Chat"), 30000);
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
