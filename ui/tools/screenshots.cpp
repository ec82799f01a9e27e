// Writes PNG pictures of the windows: the main window in each of its eight
// sections, the result window after a Morse coding and the Morse 2 help
// window.
//
//   velmora-screenshots OUTPUT_DIR
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "ui/mainwindow.h"
#include "ui/resultview.h"
#include "ui/widgets.h"
#include "ui/morsehelpwindow.h"
#include "ui/resultwindow.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextStream>

#include <cstdio>

using namespace velmora;

namespace {

bool save(QWidget *window, const QDir &dir, const QString &name)
{
    QApplication::processEvents();
    const QString path = dir.filePath(name);
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    MainWindow window;
    window.show();
    bool ok = save(&window, dir, QStringLiteral("main-home.png"));

    const struct {
        const char *plate;
        const char *file;
    } sections[] = {
        {"morseIm", "main-morse.png"},   {"Image1", "main-alphanum.png"},
        {"caesarIm", "main-caesar.png"}, {"Image3", "main-polybius.png"},
        {"gatoIm", "main-gato.png"},     {"mersIm", "main-mers.png"},
        {"semaIm", "main-semaphore.png"},
    };
    for (const auto &section : sections) {
        window.findChild<ImageButton *>(QLatin1String(section.plate))->click();
        ok = save(&window, dir, QLatin1String(section.file)) && ok;
    }

    // A Morse coding, then a Morse 2 coding for the help window.
    window.findChild<ImageButton *>(QStringLiteral("morseIm"))->click();
    window.findChild<QPlainTextEdit *>(QStringLiteral("txtMsgMorse"))
        ->setPlainText(QStringLiteral("Hello World.\r\nVelmoraWin III code vos messages."));
    window.findChild<QPushButton *>(QStringLiteral("cmdCodeMorse"))->click();
    ok = save(window.resultWindow(), dir, QStringLiteral("result-morse.png")) && ok;
    window.findChild<QPushButton *>(QStringLiteral("cmdCodeMorse2"))->click();
    ok = save(window.morseHelpWindow(), dir, QStringLiteral("help-morse2.png")) && ok;
    return ok ? 0 : 1;
}
