// The program carries no web engine until the first web feature; then the
// web module is loaded, attaches itself and answers that very click.
#include "../ui/uitest.h"
#include "app/weblauncher.h"

#include <QFile>
#include <QMessageBox>
#include <QTimer>

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
    void firstClickLoadsTheModule();
};

void TstWebLauncher::missingModuleSaysSo()
{
    FrmMain main;
    installWebLauncher(main, {QStringLiteral("/nonexistent")});
    main.show();
    // The warning is modal: note it and close it from a timer.
    QString shown;
    QTimer::singleShot(100, [&shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    QTest::mouseClick(main.cwebIm(), Qt::LeftButton);
    QVERIFY(shown.contains(QStringLiteral("fonctions web")));
    QVERIFY(!webEngineLoaded());
}

void TstWebLauncher::firstClickLoadsTheModule()
{
    QVERIFY(!webEngineLoaded());
    FrmMain main;
    installWebLauncher(main, {QStringLiteral(VELMORA_WEB_MODULE_DIR)});
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(!webEngineLoaded());

    QTest::mouseClick(main.AboutIm(), Qt::LeftButton);
    QVERIFY(webEngineLoaded());
    QVERIFY(visibleWindow(QStringLiteral("frmAbout"))); // the first click itself was answered

    uitest::typeMessage(main.txtCodeGato(), QStringLiteral("Chat"));
    QTest::mouseClick(main.cmdCodeGato(), Qt::LeftButton);
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
