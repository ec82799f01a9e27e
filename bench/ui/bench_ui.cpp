// Figures of the desktop windows, reported and never asserted:
//
//  - start-up: time from process start to the main window shown, resident
//    memory then, and whether any web engine library is mapped;
//  - coding: time from a click on a coding button to the result shown, for
//    1 MiB and 10 MiB messages (Morse and Binaire), and the time a message box
//    takes to take such a message.
//
//   QT_QPA_PLATFORM=offscreen bench_ui [--repeat N]
#include "ui/frmmain.h"
#include "ui/resultview.h"
#include "ui/widgets.h"
#include "ui/windows.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTextCursor>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
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
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid == 0 ? QStringLiteral("self") : QString::number(pid),
                                                 QLatin1String(name)));
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
    FrmMain window;
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
    std::printf("start-up to main window shown: median %.1f ms, min %.1f ms (%d runs)\n",
                times[times.size() / 2], times.front(), repeat);
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
    const QString sentence = QStringLiteral(
        "Rendez-vous demain à la gare de Lyon, quai numéro 7, à midi précis. Apportez le plan. ");
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

void codingFigures(qsizetype length, bool withLineBreaks, const Coding &coding, int repeat)
{
    FrmMain window;
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
        clock.restart();
        button->click();
        FrmMorse *result = window.resultWindow();
        result->repaint(); // the result painted on screen
        times.push_back(clock.nsecsElapsed() / 1e6);
        resultLength = result->codeMorse()->toPlainText().size();
        // Let the wrapping of the rest finish between runs, as the event loop would.
        clock.restart();
        while (!result->codeMorse()->isLayoutComplete())
            QApplication::processEvents();
        if (i == 0)
            std::printf("    (rest of the wrapping, in slices between events: %.0f ms, %lld visual lines)\n",
                        clock.nsecsElapsed() / 1e6, (long long)result->codeMorse()->lineCount());
    }
    const double first = times.front();
    std::sort(times.begin(), times.end());
    std::printf("%-8s %5.1f MiB %-13s: click to result shown: first %.1f ms, median %.1f ms; "
                "result %.1f M characters; message box took the message in %.0f ms, "
                "one typed key in %.0f ms\n",
                coding.label, length / 1048576.0, withLineBreaks ? "(lines of 70)" : "(one line)",
                first, times[times.size() / 2],
                resultLength / 1e6, pasteMs, typingMs);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--startup-child") == 0)
        return startupChild(argc, argv);

    int repeat = 5;
    if (argc > 2 && qstrcmp(argv[1], "--repeat") == 0)
        repeat = std::max(1, atoi(argv[2]));

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
