// The web features driven through the real windows: the picture codes, the
// site links and the about window, against the embedded rendering service.
#include "../ui/uitest.h"
#include "render/render_service.h"
#include "ui/mainwindow.h"
#include "ui/widgets.h"
#include "velmora_config.h"
#include "web/aboutwindow.h"
#include "web/browserwindow.h"
#include "web/webfeatures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>
#include <QWebEngineView>

using namespace velmora;

namespace {

constexpr int kLoadTimeout = 30000;

void click(QAbstractButton *button)
{
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

int visibleWindowsNamed(const QString &name)
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += (w->objectName() == name && w->isVisible()) ? 1 : 0;
    return n;
}

QString pageQueryValue(BrowserWindow *browser, const QString &key)
{
    return QUrlQuery(browser->view()->url()).queryItemValue(key, QUrl::FullyDecoded);
}

} // namespace

class TstWeb : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void serviceStartsOnlyWhenNeeded();
    void gatoPageAndCaption();
    void messageArrivesIntact();
    void oneWindowForEveryPage();
    void image1HidesAndTheWindowComesBack();
    void closeBoxDiscardsTheWindow();
    void siteLinks_data();
    void siteLinks();
    void aboutWindow();
    void versionLinkReloadsInTheSameWindow();
    void unreachableHostShowsTheViewsErrorPage();
    void closeImEndsTheProgram();

private:
    // The main window's controls, by their design names.
    QAbstractButton *button(const QString &name) const { return uitest::child<QAbstractButton>(m_main, name); }
    QPlainTextEdit *messageBox(const QString &name) const { return uitest::child<QPlainTextEdit>(m_main, name); }

    MainWindow *m_main = nullptr;
    WebFeatures *m_web = nullptr;
};

void TstWeb::init()
{
    m_main = new MainWindow;
    m_web = attachWebFeatures(*m_main);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
}

void TstWeb::cleanup()
{
    delete m_main; // takes the web features, their windows and the service with it
    m_main = nullptr;
    m_web = nullptr;
    QTest::qWait(50);
}

void TstWeb::serviceStartsOnlyWhenNeeded()
{
    QVERIFY(!m_web->renderService());
    QVERIFY(!m_web->browserWindow());
    messageBox(QStringLiteral("txtCodeGato"))->setPlainText(QStringLiteral("Chat"));
    click(button(QStringLiteral("cmdCodeGato")));
    QVERIFY(m_web->renderService());
    QVERIFY(m_web->renderService()->isRunning());
}

void TstWeb::gatoPageAndCaption()
{
    messageBox(QStringLiteral("txtCodeGato"))->setPlainText(QStringLiteral("Bonjour"));
    click(button(QStringLiteral("cmdCodeGato")));
    BrowserWindow *browser = m_web->browserWindow();
    QVERIFY(browser);
    QVERIFY(browser->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(browser->windowTitle(), QStringLiteral("Gato — Bonjour"), kLoadTimeout);
    QCOMPARE(browser->view()->url().path(), QStringLiteral("/codes/gato/transgato.php3"));
    // The view is as wide as the client area less 100 twips.
    QCOMPARE(browser->view()->width(), qRound((browser->width() * 15 - 100) / 15.0));
}

void TstWeb::messageArrivesIntact()
{
    const QString message = QStringLiteral("a&b#c%d+e\r\nf");
    uitest::typeMessage(messageBox(QStringLiteral("txtCodeGato")), message);
    click(button(QStringLiteral("cmdCodeGato")));
    BrowserWindow *browser = m_web->browserWindow();
    QVERIFY(browser);
    QTRY_VERIFY_WITH_TIMEOUT(browser->windowTitle().startsWith(QStringLiteral("Gato — a&b#c%d+e")), kLoadTimeout);
    QVERIFY(browser->windowTitle().endsWith(u'f'));
    QCOMPARE(pageQueryValue(browser, QStringLiteral("texte")), message);
    QCOMPARE(QUrlQuery(browser->view()->url()).queryItems().size(), 1);
}

void TstWeb::oneWindowForEveryPage()
{
    messageBox(QStringLiteral("txtCodeGato"))->setPlainText(QStringLiteral("chat"));
    messageBox(QStringLiteral("txtCodeSema"))->setPlainText(QStringLiteral("mer"));
    click(button(QStringLiteral("cmdCodeGato")));
    BrowserWindow *browser = m_web->browserWindow();
    QTRY_COMPARE_WITH_TIMEOUT(browser->windowTitle(), QStringLiteral("Gato — chat"), kLoadTimeout);
    click(button(QStringLiteral("cmdCodeS")));
    QCOMPARE(m_web->browserWindow(), browser);
    QTRY_COMPARE_WITH_TIMEOUT(browser->windowTitle(), QStringLiteral("Sémaphore — mer"), kLoadTimeout);
    click(button(QStringLiteral("cmdCodeM")));
    QCOMPARE(m_web->browserWindow(), browser);
    QTRY_VERIFY_WITH_TIMEOUT(browser->windowTitle().startsWith(QStringLiteral("Code des Mers — ")), kLoadTimeout);
    QCOMPARE(visibleWindowsNamed(QStringLiteral("frmBrowser")), 1);
}

void TstWeb::image1HidesAndTheWindowComesBack()
{
    click(button(QStringLiteral("cmdCodeS")));
    BrowserWindow *browser = m_web->browserWindow();
    QTRY_VERIFY_WITH_TIMEOUT(browser->windowTitle().startsWith(QStringLiteral("Sémaphore")), kLoadTimeout);
    click(browser->closeButton());
    QVERIFY(!browser->isVisible());
    QCOMPARE(m_web->browserWindow(), browser); // hidden, not closed
    click(button(QStringLiteral("cmdCodeGato")));
    QCOMPARE(m_web->browserWindow(), browser);
    QVERIFY(browser->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(browser->windowTitle().startsWith(QStringLiteral("Gato")), kLoadTimeout);
}

void TstWeb::closeBoxDiscardsTheWindow()
{
    click(button(QStringLiteral("cmdCodeGato")));
    QPointer<BrowserWindow> first = m_web->browserWindow();
    QTRY_VERIFY_WITH_TIMEOUT(first->windowTitle().startsWith(QStringLiteral("Gato")), kLoadTimeout);
    first->close();
    QTRY_VERIFY(first.isNull());
    QVERIFY(!m_web->browserWindow());
    click(button(QStringLiteral("cmdCodeM")));
    BrowserWindow *second = m_web->browserWindow();
    QVERIFY(second);
    QCOMPARE(second->windowTitle(), BrowserWindow::designCaption());
    QTRY_VERIFY_WITH_TIMEOUT(second->windowTitle().startsWith(QStringLiteral("Code des Mers")), kLoadTimeout);
}

void TstWeb::siteLinks_data()
{
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("path");
    QTest::newRow("home page") << "cwebIm"
                               << "/";
    QTest::newRow("contact page") << "writeIm"
                                  << "/Contact/form.php3";
}

void TstWeb::siteLinks()
{
    QFETCH(QString, icon);
    QFETCH(QString, path);
    messageBox(QStringLiteral("txtCodeGato"))->clear();
    click(button(icon));
    BrowserWindow *browser = m_web->browserWindow();
    QVERIFY(browser);
    QTRY_COMPARE_WITH_TIMEOUT(browser->view()->url().path(), path, kLoadTimeout);
    // The caption becomes the page's title (for a moment it may be the address).
    QTRY_VERIFY_WITH_TIMEOUT(browser->windowTitle().contains(QStringLiteral("VelmoraWin III")), kLoadTimeout);
}

void TstWeb::aboutWindow()
{
    click(button(QStringLiteral("AboutIm")));
    click(button(QStringLiteral("AboutIm")));
    AboutWindow *about = m_web->aboutWindow();
    QVERIFY(about);
    QCOMPARE(visibleWindowsNamed(QStringLiteral("frmAbout")), 1);
    QCOMPARE(about->windowTitle(), QStringLiteral("Acerca de Velmora"));
    QCOMPARE(about->updateCheckLink()->text(), QStringLiteral("Vérification de mises à jour..."));
    QVERIFY(about->creditsLabel()->text().startsWith(QStringLiteral("VelmoraWin v. 3.0") + QString(88, u' ')));
    // A click elsewhere on the banner does nothing; the close spot hides it.
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(200, 10));
    QVERIFY(about->isVisible());
    click(about->closeSpot());
    QVERIFY(!about->isVisible());
    click(button(QStringLiteral("AboutIm")));
    QCOMPARE(m_web->aboutWindow(), about);
    QVERIFY(about->isVisible());
}

void TstWeb::versionLinkReloadsInTheSameWindow()
{
    click(button(QStringLiteral("AboutIm")));
    AboutWindow *about = m_web->aboutWindow();
    click(button(QStringLiteral("cmdCodeGato"))); // a picture is on display first
    BrowserWindow *browser = m_web->browserWindow();
    QTRY_VERIFY_WITH_TIMEOUT(browser->windowTitle().startsWith(QStringLiteral("Gato")), kLoadTimeout);
    QSignalSpy loads(browser->view(), &QWebEngineView::loadFinished);
    for (int i = 0; i < 2; ++i) {
        const qsizetype before = loads.size();
        click(about->updateCheckLink());
        QCOMPARE(m_web->browserWindow(), browser);
        QTRY_VERIFY_WITH_TIMEOUT(loads.size() > before, kLoadTimeout); // loaded again each time
        QVERIFY(loads.last().at(0).toBool());
        QTRY_COMPARE_WITH_TIMEOUT(browser->view()->url().path(), QStringLiteral("/version/"), kLoadTimeout);
        QCOMPARE(pageQueryValue(browser, QStringLiteral("ver")), QStringLiteral(VELMORA_VERSION));
        QTRY_VERIFY_WITH_TIMEOUT(!browser->windowTitle().startsWith(QStringLiteral("Gato")), kLoadTimeout);
    }
    QVERIFY(about->isVisible()); // the about window stays beside it
    QCOMPARE(visibleWindowsNamed(QStringLiteral("frmBrowser")), 1);
}

void TstWeb::unreachableHostShowsTheViewsErrorPage()
{
    // Nothing listens on port 9 of the loopback: the view shows its own
    // error page, the window stays, and the program goes on.
    click(button(QStringLiteral("cwebIm")));
    BrowserWindow *browser = m_web->browserWindow();
    QSignalSpy finished(browser->view(), &QWebEngineView::loadFinished);
    browser->navigate(QStringLiteral("http://127.0.0.1:9/"));
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), kLoadTimeout);
    QCOMPARE(finished.last().at(0).toBool(), false);
    QVERIFY(browser->isVisible());
    QVERIFY(!browser->windowTitle().isEmpty());
    QVERIFY(browser->windowTitle() != BrowserWindow::designCaption());
    click(button(QStringLiteral("cmdCodeGato"))); // and the next page comes as usual
    QTRY_VERIFY_WITH_TIMEOUT(browser->windowTitle().startsWith(QStringLiteral("Gato")), kLoadTimeout);
}

void TstWeb::closeImEndsTheProgram()
{
    // Result, about and browser windows open; closeIm ends the event loop
    // with every window gone.
    m_main->findChild<QAbstractButton *>(QStringLiteral("cmdAlphaNumOK"))->click();
    click(button(QStringLiteral("AboutIm")));
    click(button(QStringLiteral("cmdCodeGato")));
    QVERIFY(visibleWindowsNamed(QStringLiteral("frmMorse")) == 1);
    QVERIFY(visibleWindowsNamed(QStringLiteral("frmAbout")) == 1);
    QVERIFY(visibleWindowsNamed(QStringLiteral("frmBrowser")) == 1);
    auto *closeIm = m_main->findChild<QAbstractButton *>(QStringLiteral("closeIm"));
    QVERIFY(closeIm);
    QTimer::singleShot(0, closeIm,
                       [closeIm] { QTest::mouseClick(closeIm, Qt::LeftButton, {}, closeIm->rect().center()); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    watchdog.start(20000);
    QCOMPARE(QCoreApplication::exec(), 0);
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
}

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    uitest::quietOffscreenNotes();
    TstWeb test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_web.moc"
