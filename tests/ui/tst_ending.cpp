// Ending the program: closeIm ends it at once with every window gone, and
// closing the main window through the window system ends it too, whatever
// other window is open or only hidden.
#include "uitest.h"

#include <QCloseEvent>
#include <QTimer>

using namespace velmora;
using uitest::child;

namespace {

// A window made later by another part of the program that only hides itself
// when asked to close (as the browser and about windows do).
class HidingWindow : public QWidget
{
public:
    HidingWindow()
        : QWidget(nullptr, Qt::Tool)
    {
        resize(200, 100);
    }
    int closeRequests = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closeRequests;
        event->ignore();
        hide();
    }
};

// Runs the event loop, does `action` in it, and returns the loop's exit code:
// 0 when the program ended itself, 99 when it was still running 10 s later.
template <class Action>
int runEventLoop(Action action)
{
    QTimer::singleShot(0, action);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(10000);
    return QCoreApplication::exec();
}

} // namespace

class TestEnding : public QObject
{
    Q_OBJECT

private:
    MainWindow *m_window = nullptr;
    HidingWindow *m_other = nullptr;

    // The main window with the result window, the Morse 2 help window and a
    // window of another part all open.
    void openSeveralWindows()
    {
        uitest::click(child<ImageButton>(m_window, QStringLiteral("morseIm")));
        uitest::click(child<QPushButton>(m_window, QStringLiteral("cmdCodeMorse2")));
        QVERIFY(m_window->resultWindow() && m_window->resultWindow()->isVisible());
        QVERIFY(m_window->morseHelpWindow() && m_window->morseHelpWindow()->isVisible());
        m_other->show();
        QCOMPARE(uitest::visibleTopLevels().size(), 4);
    }

private slots:
    void initTestCase() { uitest::quietOffscreenNotes(); }

    void init()
    {
        m_window = new MainWindow;
        m_other = new HidingWindow;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanup()
    {
        delete m_other;
        delete m_window;
        uitest::flushDeletes();
    }

    void closeImEndsTheProgramWithEveryWindow()
    {
        openSeveralWindows();
        const int code =
            runEventLoop([this] { uitest::click(child<ImageButton>(m_window, QStringLiteral("closeIm"))); });
        QCOMPARE(code, 0);
        QCOMPARE(uitest::visibleTopLevels(), QList<QWidget *>{});
        QCOMPARE(m_other->closeRequests, 0); // at once: no window is asked first
    }

    void closingTheMainWindowEndsTheProgram()
    {
        openSeveralWindows();
        const int code = runEventLoop([this] { m_window->close(); });
        QCOMPARE(code, 0);
        QCOMPARE(uitest::visibleTopLevels(), QList<QWidget *>{});
    }

    void hiddenHelpWindowDoesNotKeepTheProgramRunning()
    {
        openSeveralWindows();
        uitest::click(m_window->morseHelpWindow()->closeButton());
        m_window->resultWindow()->close();
        m_other->close();
        QCOMPARE(uitest::visibleTopLevels(), QList<QWidget *>{m_window});
        const int code = runEventLoop([this] { m_window->close(); });
        QCOMPARE(code, 0);
    }
};

QTEST_MAIN(TestEnding)
#include "tst_ending.moc"
