// Figures of the desktop windows, reported and never asserted:
//
//  - start-up: time from process start to the main window shown, resident
//    memory then, and whether any web engine library is mapped;
//  - coding: time from a click on a coding button to the result shown, for
//    1 MiB and 10 MiB messages (Morse and Binaire), and the time a message box
//    takes to take such a message;
//  - a large paste (--paste-mib N, 50 by default in run.sh): the message
//    pasted into each section's box, then coded with every local code: the
//    time the paste and each click hold the window, and the longest the
//    window then waits between two events while the result is wrapped.
//
//   QT_QPA_PLATFORM=offscreen bench_ui [--repeat N] [--paste-mib N]
#include "engine/codes.h"
#include "ui/mainwindow.h"
#include "ui/resultview.h"
#include "ui/resultwindow.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTextCursor>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <signal.h>
#include <time.h>

using namespace velmora;

namespace {

double monotonicMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

QByteArray procFile(qint64 pid, const char *name)
{
    QFile file(QStringLiteral("/proc/%1/%2")
                   .arg(pid == 0 ? QStringLiteral("self") : QString::number(pid), QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

long residentKiB(qint64 pid)
{
    for (const QByteArray &line : procFile(pid, "status").split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

int webEngineMappings(qint64 pid)
{
    int count = 0;
    for (const QByteArray &line : procFile(pid, "maps").split('\n'))
        if (line.contains("libQt6WebEngine"))
            ++count;
    return count;
}

// Child: builds and shows the main window as the program does, then reports.
int startupChild(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    window.repaint(); // the first paint, done now
    QApplication::processEvents();
    std::printf("shown %.3f rss %ld webengine %d\n", monotonicMs(), residentKiB(0), webEngineMappings(0));
    std::fflush(stdout);
    return 0;
}

void startupFigures(const char *self, int repeat)
{
    std::vector<double> times;
    long rss = 0;
    int web = 0;
    for (int i = 0; i < repeat; ++i) {
        QProcess child;
        const double start = monotonicMs();
        child.start(QString::fromLocal8Bit(self), {QStringLiteral("--startup-child")});
        child.waitForFinished(30000);
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() < 6) {
            std::printf("start-up child failed: %s\n", child.readAllStandardError().constData());
            return;
        }
        times.push_back(fields[1].toDouble() - start);
        rss = fields[3].toLong();
        web = fields[5].toInt();
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up to main window shown: median %.1f ms, min %.1f ms (%d runs)\n", times[times.size() / 2],
                times.front(), repeat);
    std::printf("resident memory then: %.1f MiB; web engine libraries mapped: %d\n", rss / 1024.0, web);
}

#ifdef VELMORA_PROGRAM
// The real program: is a web engine library mapped once it runs?
void programFigures()
{
    QProcess program;
    program.start(QStringLiteral(VELMORA_PROGRAM), {});
    if (!program.waitForStarted(10000)) {
        std::printf("%s: did not start\n", VELMORA_PROGRAM);
        return;
    }
    QThread::msleep(1500);
    const qint64 pid = program.processId();
    std::printf("%s after 1.5 s: resident %.1f MiB, web engine libraries mapped: %d\n", VELMORA_PROGRAM,
                residentKiB(pid) / 1024.0, webEngineMappings(pid));
    ::kill(pid_t(pid), SIGTERM);
    program.waitForFinished(5000);
}
#endif

QString makeMessage(qsizetype length, bool withLineBreaks)
{
    const QString sentence =
        QStringLiteral("Rendez-vous demain à la gare de Lyon, quai numéro 7, à midi précis. Apportez le plan. ");
    QString message;
    message.reserve(length);
    qsizetype column = 0;
    while (message.size() < length) {
        for (QChar c : sentence) {
            if (message.size() >= length)
                break;
            if (withLineBreaks && column >= 70 && c == QLatin1Char(' ') && message.size() + 2 <= length) {
                message += QLatin1String("\r\n");
                column = 0;
                continue;
            }
            message += c;
            ++column;
        }
    }
    return message;
}

struct Coding {
    const char *label;
    const char *plate;
    const char *box;
    const char *button;
    const char *comboText; // for AlphaNum
};

// Clicks BUTTON and runs the event loop until the result window is on screen
// and painted; the time that took, in ms. LONGEST gets the longest the
// window went without handling events meanwhile (the click included).
double clickUntilShown(MainWindow &window, QPushButton *button, double *longest = nullptr)
{
    bool shown = false;
    const QMetaObject::Connection c = QObject::connect(&window, &MainWindow::resultShown, [&shown] { shown = true; });
    QElapsedTimer clock, slice;
    clock.start();
    slice.start();
    button->click();
    double gap = slice.nsecsElapsed() / 1e6;
    while (!shown) {
        slice.restart();
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        gap = std::max(gap, slice.nsecsElapsed() / 1e6);
    }
    QObject::disconnect(c);
    slice.restart();
    window.resultWindow()->repaint(); // the result painted on screen
    gap = std::max(gap, slice.nsecsElapsed() / 1e6);
    if (longest)
        *longest = gap;
    return clock.nsecsElapsed() / 1e6;
}

void codingFigures(qsizetype length, bool withLineBreaks, const Coding &coding, int repeat)
{
    MainWindow window;
    window.show();
    QApplication::processEvents();
    window.findChild<ImageButton *>(QLatin1String(coding.plate))->click();
    auto *box = window.findChild<QPlainTextEdit *>(QLatin1String(coding.box));
    if (coding.comboText)
        window.findChild<QComboBox *>(QStringLiteral("cboAlphaNum"))->setEditText(QLatin1String(coding.comboText));

    const QString message = makeMessage(length, withLineBreaks);
    QElapsedTimer clock;
    clock.start();
    box->setPlainText(message);
    box->repaint();
    const double pasteMs = clock.nsecsElapsed() / 1e6;
    QApplication::processEvents();

    // Typing one more character at the end of the message, painted.
    box->moveCursor(QTextCursor::End);
    clock.restart();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(box, &press);
    box->repaint();
    const double typingMs = clock.nsecsElapsed() / 1e6;
    box->undo();
    QApplication::processEvents();

    auto *button = window.findChild<QPushButton *>(QLatin1String(coding.button));
    std::vector<double> times;
    qsizetype resultLength = 0;
    for (int i = 0; i < repeat; ++i) {
        times.push_back(clickUntilShown(window, button));
        ResultWindow *result = window.resultWindow();
        resultLength = result->resultBox()->toPlainText().size();
        // Let the wrapping of the rest finish between runs, as the event loop would.
        clock.restart();
        while (!result->resultBox()->isLayoutComplete())
            QApplication::processEvents();
        if (i == 0)
            std::printf("    (rest of the wrapping, in slices between events: %.0f ms, %lld visual lines)\n",
                        clock.nsecsElapsed() / 1e6, (long long)result->resultBox()->lineCount());
    }
    const double first = times.front();
    std::sort(times.begin(), times.end());
    std::printf("%-8s %5.1f MiB %-13s: click to result shown: first %.1f ms, median %.1f ms; "
                "result %.1f M characters; message box took the message in %.0f ms, "
                "one typed key in %.0f ms\n",
                coding.label, length / 1048576.0, withLineBreaks ? "(lines of 70)" : "(one line)", first,
                times[times.size() / 2], resultLength / 1e6, pasteMs, typingMs);
}

// The paste, with the clipboard: one message of LENGTH characters in lines
// of 70, into each section's box, then each of the twelve local codes.
void pasteFigures(qsizetype length)
{
    struct Section {
        const char *plate;
        const char *box;
        std::vector<std::pair<const char *, const char *>> codes; // label, button (or combo text)
    };
    std::vector<std::pair<const char *, const char *>> alphaNum;
    for (AlphaNumCode code : kAlphaNumCodes) {
        static std::vector<QByteArray> texts;
        texts.push_back(alphaNumItemText(code).toUtf8());
        alphaNum.emplace_back(texts.back().constData(), texts.back().constData());
    }
    const Section sections[] = {
        {"morseIm", "txtMsgMorse", {{"Morse", "cmdCodeMorse"}, {"Morse 2", "cmdCodeMorse2"}}},
        {"caesarIm", "caesarCode", {{"Caesar", "cmdCode"}}},
        {"Image3", "polybeCode", {{"Polybius", "cmdCodePolybe"}}},
        {"Image1", "alphaTxt", alphaNum},
    };

    MainWindow window;
    window.show();
    QApplication::processEvents();
    const QString message = makeMessage(length, true);
    QElapsedTimer clock;
    std::printf("%.0f MiB pasted (lines of 70), then coded; resident memory at the start %.0f MiB\n",
                length / 1048576.0, residentKiB(0) / 1024.0);
    for (const Section &section : sections) {
        window.findChild<ImageButton *>(QLatin1String(section.plate))->click();
        auto *box = window.findChild<QPlainTextEdit *>(QLatin1String(section.box));
        QApplication::clipboard()->setText(message);
        box->selectAll();
        clock.start();
        box->paste();
        box->repaint();
        double pasteMs = clock.nsecsElapsed() / 1e6;
        QApplication::processEvents();
        for (const auto &[label, control] : section.codes) {
            QPushButton *button = window.findChild<QPushButton *>(QLatin1String(control));
            if (!button) {
                window.findChild<QComboBox *>(QStringLiteral("cboAlphaNum"))->setEditText(QString::fromUtf8(control));
                button = window.findChild<QPushButton *>(QStringLiteral("cmdAlphaNumOK"));
            }
            // The longest the window goes without answering, from the click
            // to the result shown, then while the rest is wrapped, is what a
            // user would feel.
            double longestCoding = 0;
            const double clickMs = clickUntilShown(window, button, &longestCoding);
            ResultWindow *result = window.resultWindow();
            double longest = 0;
            QElapsedTimer slice;
            clock.restart();
            while (!result->resultBox()->isLayoutComplete()) {
                slice.start();
                QApplication::processEvents();
                longest = std::max(longest, slice.nsecsElapsed() / 1e6);
            }
            std::printf("  %-12s paste %5.0f ms | click to result shown %5.0f ms, window unanswering at most "
                        "%4.0f ms | result %5.1f M characters, wrapped in %4.0f ms, unanswering at most %3.0f ms | "
                        "resident %5.0f MiB\n",
                        label, pasteMs, clickMs, longestCoding, result->resultBox()->toPlainText().size() / 1e6,
                        clock.nsecsElapsed() / 1e6, longest, residentKiB(0) / 1024.0);
            pasteMs = 0;
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--startup-child") == 0)
        return startupChild(argc, argv);

    int repeat = 5;
    int pasteMiB = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (qstrcmp(argv[i], "--repeat") == 0)
            repeat = std::max(1, atoi(argv[i + 1]));
        else if (qstrcmp(argv[i], "--paste-mib") == 0)
            pasteMiB = std::max(1, atoi(argv[i + 1]));
    }
    if (pasteMiB > 0) {
        QApplication app(argc, argv);
        pasteFigures(qsizetype(pasteMiB) << 20);
        return 0;
    }

    startupFigures(argv[0], repeat);
#ifdef VELMORA_PROGRAM
    programFigures();
#endif

    QApplication app(argc, argv);
    const Coding morse{"Morse", "morseIm", "txtMsgMorse", "cmdCodeMorse", nullptr};
    const Coding binaire{"Binaire", "Image1", "alphaTxt", "cmdAlphaNumOK", "Binaire"};
    for (qsizetype length : {qsizetype(1) << 20, qsizetype(10) << 20})
        for (const Coding &coding : {morse, binaire})
            for (bool lines : {false, true})
                codingFigures(length, lines, coding, length > (1 << 20) ? std::min(repeat, 3) : repeat);
    return 0;
}
