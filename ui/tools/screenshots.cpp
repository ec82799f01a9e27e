// Writes PNG pictures of the windows: the main window in each of its eight
// sections, the result window after a Morse coding (with its sound controls:
// still, while playing, and without a sound card), after a Caesar coding (as
// designed, without them), the Morse 2 help window, and a decoding (the
// AlphaNum section holding a coded message, and the result window that reads
// it back, its caption drawn above it).
//
//   velmora-screenshots OUTPUT_DIR
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "engine/codes.h"
#include "ui/mainwindow.h"
#include "ui/morsehelpwindow.h"
#include "ui/morseplayer.h"
#include "ui/resultview.h"
#include "ui/resultwindow.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
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

// Like save(), with the window's caption drawn in a strip above its
// contents (the offscreen platform draws no title bars).
bool saveWithCaption(QWidget *window, const QDir &dir, const QString &name)
{
    QApplication::processEvents();
    const QPixmap contents = window->grab();
    const qreal ratio = contents.devicePixelRatio();
    const int strip = 22;
    QImage image(QSize(contents.width(), contents.height() + int(strip * ratio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    const QRect bar(0, 0, int(contents.width() / ratio), strip);
    painter.fillRect(bar, QColor(0, 0, 128));
    const QIcon icon = window->windowIcon();
    if (!icon.isNull())
        icon.paint(&painter, QRect(3, 3, strip - 6, strip - 6));
    QFont font = window->font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(bar.adjusted(strip + 2, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, window->windowTitle());
    painter.drawPixmap(QPoint(0, strip), contents);
    painter.end();
    const QString path = dir.filePath(name);
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}
// Plays nothing: it has always heard the first seconds of the sound, so the
// picture shows a sign marked as it would be while playing.
class SilentOutput : public SoundOutput
{
public:
    bool start(QIODevice *, int, QString *) override { return true; }
    void stop() override {}
    qint64 playedUSecs() const override { return 2'070'000; }
};

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
        {"morseIm", "main-morse.png"},    {"Image1", "main-alphanum.png"}, {"caesarIm", "main-caesar.png"},
        {"Image3", "main-polybius.png"},  {"gatoIm", "main-gato.png"},     {"mersIm", "main-mers.png"},
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
    // Playing, through a silent output: "Arrêter" and the sign heard marked.
    MorsePlayer::setOutputFactory([](QString *) { return new SilentOutput; });
    window.resultWindow()->findChild<QPushButton *>(QStringLiteral("cmdEcouter"))->click();
    QApplication::processEvents();
    ok = save(window.resultWindow(), dir, QStringLiteral("result-morse-playing.png")) && ok;
    window.resultWindow()->findChild<QPushButton *>(QStringLiteral("cmdEcouter"))->click();
    // On a machine without a sound card.
    MorsePlayer::setOutputFactory([](QString *error) {
        *error = MorsePlayer::noAudioOutputMessage();
        return nullptr;
    });
    window.resultWindow()->findChild<QPushButton *>(QStringLiteral("cmdEcouter"))->click();
    ok = save(window.resultWindow(), dir, QStringLiteral("result-morse-nodevice.png")) && ok;
    MorsePlayer::setOutputFactory({});
    window.findChild<QPushButton *>(QStringLiteral("cmdCodeMorse2"))->click();
    ok = save(window.morseHelpWindow(), dir, QStringLiteral("help-morse2.png")) && ok;
    window.morseHelpWindow()->hide();
    window.resultWindow()->close(); // the next one is built anew, at its first font size

    // A decoding: a message coded with 'Cassis' in the AlphaNum box, no code
    // chosen, so "Décoder" guesses it.
    window.findChild<ImageButton *>(QStringLiteral("Image1"))->click();
    window.findChild<QPlainTextEdit *>(QStringLiteral("alphaTxt"))
        ->setPlainText(
            encodeAlphaNum(AlphaNumCode::Cassis, QStringLiteral("Rendez-vous demain matin sur le quai du port. "
                                                                "Apportez la carte et la lanterne.")));
    ok = save(&window, dir, QStringLiteral("main-alphanum-decoding.png")) && ok;
    window.findChild<QPushButton *>(QStringLiteral("cmdAlphaNumDecode"))->click();
    ok = saveWithCaption(window.resultWindow(), dir, QStringLiteral("result-decoded.png")) && ok;

    // A code without a sound: the result window as designed.
    window.findChild<ImageButton *>(QStringLiteral("caesarIm"))->click();
    window.findChild<QPlainTextEdit *>(QStringLiteral("caesarCode"))
        ->setPlainText(QStringLiteral("VelmoraWin III code vos messages."));
    window.findChild<QPushButton *>(QStringLiteral("cmdCode"))->click();
    ok = save(window.resultWindow(), dir, QStringLiteral("result-caesar.png")) && ok;
    return ok ? 0 : 1;
}
