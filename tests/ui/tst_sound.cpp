// The sound controls of the result window, driven as a person would: code a
// message, find "Écouter" and "Enregistrer le son..." by their names, click
// them, answer the save dialog. No sound card is needed: without one the
// window must say so, and playing is followed through a stand-in output that
// pulls the samples as a sound card would.
#include "uitest.h"

#include "sound/morsetiming.h"
#include "ui/modules.h"
#include "ui/morseplayer.h"
#include "ui/soundbar.h"

#include <QAudioDevice>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMediaDevices>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

#include <csignal>
#include <sys/resource.h>

using namespace velmora;
using uitest::child;

namespace {

// One unit (a dot) at the default 20 words a minute and 44.1 kHz: 60 ms.
constexpr qint64 kUnitSamples = 2646;
constexpr qint64 kUnitUSecs = 60000;

// What the stand-in output saw, kept after it is gone.
struct OutputRecord {
    int starts = 0;
    int stops = 0;
    int sampleRate = 0;
    qint64 pulledBytes = 0;
    qint64 clockUSecs = 0; // the time "heard", set by the test
};
OutputRecord record;

// A sound card as the tests see one: it pulls the samples when asked, and
// has heard as much as the test says.
class StandInOutput : public SoundOutput
{
public:
    bool start(QIODevice *source, int sampleRate, QString *) override
    {
        m_source = source;
        ++record.starts;
        record.sampleRate = sampleRate;
        return true;
    }
    void stop() override
    {
        if (m_source)
            ++record.stops;
        m_source = nullptr;
    }
    qint64 playedUSecs() const override { return record.clockUSecs; }

    // Pulls the whole sound in blocks of odd sizes, as a sound card might.
    void pullAll()
    {
        char block[4097];
        qint64 n;
        while (m_source && (n = m_source->read(block, sizeof block)) > 0)
            record.pulledBytes += n;
    }
    void playedToTheEnd() { emit finished(QString()); }

private:
    QIODevice *m_source = nullptr;
};
QPointer<StandInOutput> lastOutput;

void useStandInOutput()
{
    record = OutputRecord();
    MorsePlayer::setOutputFactory([](QString *) {
        auto *output = new StandInOutput;
        lastOutput = output;
        return output;
    });
}

const char *plateOf(const QString &button)
{
    if (button == QLatin1String("cmdCodeMorse") || button == QLatin1String("cmdCodeMorse2"))
        return "morseIm";
    if (button == QLatin1String("cmdCode"))
        return "caesarIm";
    if (button == QLatin1String("cmdCodePolybe"))
        return "Image3";
    return "Image1";
}

const char *boxOf(const QString &button)
{
    if (button == QLatin1String("cmdCodeMorse") || button == QLatin1String("cmdCodeMorse2"))
        return "txtMsgMorse";
    if (button == QLatin1String("cmdCode"))
        return "caesarCode";
    if (button == QLatin1String("cmdCodePolybe"))
        return "polybeCode";
    return "alphaTxt";
}

// The button of a window whose accessible name is `name`, if one is shown.
QPushButton *buttonNamed(QWidget *window, const QString &name)
{
    const auto buttons = window->findChildren<QPushButton *>();
    for (QPushButton *b : buttons)
        if (b->accessibleName() == name)
            return b;
    return nullptr;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Accepts the overwrite question of the save dialog as soon as it shows.
void acceptOverwriteQuestion()
{
    QTimer::singleShot(0, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            if (QAbstractButton *yes = box->button(QMessageBox::Yes))
                yes->click();
        }
    });
}

} // namespace

class TestSound : public QObject
{
    Q_OBJECT

private:
    MainWindow *m_window = nullptr;
    QTemporaryDir m_dir;

    ResultWindow *result() const { return m_window->resultWindow(); }
    SoundBar *bar() const { return result() ? result()->soundBar() : nullptr; }
    QPushButton *listenButton() const { return result()->findChild<QPushButton *>(QStringLiteral("cmdEcouter")); }
    QPushButton *saveButton() const { return result()->findChild<QPushButton *>(QStringLiteral("cmdEnregistrerSon")); }
    QString statusText() const { return result()->findChild<QLabel *>(QStringLiteral("lblSon"))->text(); }

    void code(const QString &button, const QString &message, const QString &alphaNumItem = QString())
    {
        uitest::click(child<ImageButton>(m_window, QLatin1String(plateOf(button))));
        QPlainTextEdit *box = child<QPlainTextEdit>(m_window, QLatin1String(boxOf(button)));
        if (message.size() > 200)
            box->setPlainText(message); // pasted rather than typed
        else
            uitest::typeMessage(box, message);
        if (!alphaNumItem.isEmpty())
            QVERIFY(uitest::chooseItem(child<QComboBox>(m_window, QStringLiteral("cboAlphaNum")), alphaNumItem));
        uitest::click(child<QPushButton>(m_window, button));
        QVERIFY(result() && result()->isVisible());
    }

    // Clicks "Enregistrer le son..." and answers the dialog with PATH; waits
    // for the saving to end and returns its error (empty when written).
    QString saveAs(const QString &path)
    {
        QSignalSpy finished(bar(), &SoundBar::saveFinished);
        uitest::click(buttonNamed(result(), QStringLiteral("Enregistrer le son...")));
        QFileDialog *dialog = nullptr;
        if (!QTest::qWaitFor([&] {
                dialog = result()->findChild<QFileDialog *>(QStringLiteral("saveSoundDialog"));
                return dialog && dialog->isVisible();
            }))
            return QStringLiteral("<no save dialog>");
        if (dialog->acceptMode() != QFileDialog::AcceptSave || dialog->defaultSuffix() != QLatin1String("wav"))
            return QStringLiteral("<not a WAV save dialog>");
        if (QFileInfo::exists(path))
            acceptOverwriteQuestion();
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept(); // as its "Save" button does
        if (!finished.wait(20000) && finished.isEmpty())
            return QStringLiteral("<the saving never ended>");
        return finished.first().at(1).toString();
    }

private slots:
    void initTestCase()
    {
        uitest::quietOffscreenNotes();
        QVERIFY(m_dir.isValid());
    }

    void init()
    {
        MorsePlayer::setOutputFactory({});
        m_window = new MainWindow;
        m_window->show();
    }

    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
        uitest::flushDeletes();
        MorsePlayer::setOutputFactory({});
        QCOMPARE(uitest::visibleTopLevels(), QList<QWidget *>{});
    }

    // ----------------------------------------------------------------------
    void controlsFollowTheCode_data()
    {
        QTest::addColumn<QString>("firstButton"); // a coding before, in the same window
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("alphaNumItem");
        QTest::addColumn<bool>("shown");
        QTest::newRow("Morse") << QString() << "cmdCodeMorse" << QString() << true;
        QTest::newRow("Morse 2") << QString() << "cmdCodeMorse2" << QString() << true;
        QTest::newRow("Caesar") << QString() << "cmdCode" << QString() << false;
        QTest::newRow("Polybius") << QString() << "cmdCodePolybe" << QString() << false;
        QTest::newRow("AlphaNum Binaire") << QString() << "cmdAlphaNumOK"
                                          << "Binaire" << false;
        QTest::newRow("AlphaNum 'Détroit'") << QString() << "cmdAlphaNumOK"
                                            << "'Détroit'" << false;
        QTest::newRow("Morse, then Caesar") << "cmdCodeMorse"
                                            << "cmdCode" << QString() << false;
        QTest::newRow("Polybius, then Morse 2") << "cmdCodePolybe"
                                                << "cmdCodeMorse2" << QString() << true;
        QTest::newRow("Morse 2, then Binaire") << "cmdCodeMorse2"
                                               << "cmdAlphaNumOK"
                                               << "Binaire" << false;
    }

    void controlsFollowTheCode()
    {
        QFETCH(QString, firstButton);
        QFETCH(QString, button);
        QFETCH(QString, alphaNumItem);
        QFETCH(bool, shown);
        if (!firstButton.isEmpty())
            code(firstButton, QStringLiteral("sos"));
        code(button, QStringLiteral("sos"), alphaNumItem);

        QPushButton *listen = buttonNamed(result(), QStringLiteral("Écouter"));
        QPushButton *save = buttonNamed(result(), QStringLiteral("Enregistrer le son..."));
        QVERIFY(listen && save);
        QCOMPARE(listen->text(), QStringLiteral("Écouter"));
        QCOMPARE(save->text(), QStringLiteral("Enregistrer le son..."));
        QCOMPARE(listen->isVisible(), shown);
        QCOMPARE(save->isVisible(), shown);

        // The result box keeps its place; without the controls the window
        // is as designed, with them it grows to hold them below the box.
        const QRect box = result()->resultBox()->geometry();
        QCOMPARE(box, QRect(8, 8, 505, 233));
        if (!shown) {
            QCOMPARE(result()->size(), QSize(528, 254));
            return;
        }
        for (QPushButton *b : {listen, save}) {
            const QRect r(b->mapTo(result(), QPoint(0, 0)), b->size());
            QVERIFY2(r.top() > box.bottom(), "a control over the result box");
            QVERIFY2(result()->rect().contains(r), "a control outside the window");
            QVERIFY(b->fontMetrics().horizontalAdvance(b->text()) < r.width());
        }
        QVERIFY(result()->height() > 254);
    }

    // ----------------------------------------------------------------------
    void listeningWithoutADeviceSaysSo_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Morse") << "cmdCodeMorse";
        QTest::newRow("Morse 2") << "cmdCodeMorse2";
    }

    void listeningWithoutADeviceSaysSo()
    {
        QFETCH(QString, button);
        // The real output, through the audio module: under the offscreen
        // platform of the tests there is normally no sound card; where there
        // is one, the window is given none.
        setModuleDirectories({QStringLiteral(VELMORA_AUDIO_MODULE_DIR)});
        if (!QMediaDevices::audioOutputs().isEmpty())
            MorsePlayer::setOutputFactory([](QString *error) {
                *error = MorsePlayer::noAudioOutputMessage();
                return nullptr;
            });
        code(button, QStringLiteral("sos"));
        uitest::click(buttonNamed(result(), QStringLiteral("Écouter")));
        QVERIFY2(statusText().contains(QStringLiteral("Aucune sortie audio")), qPrintable(statusText()));
        QVERIFY(result()->findChild<QLabel *>(QStringLiteral("lblSon"))->isVisible());
        QCOMPARE(listenButton()->text(), QStringLiteral("Écouter"));
        QVERIFY(!bar()->player()->isPlaying());

        // Saving still works, and the window still codes.
        const QString path = m_dir.filePath(QStringLiteral("nodevice-%1.wav").arg(button));
        QCOMPARE(saveAs(path), QString());
        QCOMPARE(QFileInfo(path).size(), 44 + 2 * 30 * kUnitSamples);
        code(QStringLiteral("cmdCode"), QStringLiteral("abc"));
        QCOMPARE(result()->resultBox()->toPlainText(), QStringLiteral("d/e/f/"));
    }

    // ----------------------------------------------------------------------
    void savingWritesTheWholeSound_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("typedName");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<qint64>("units");
        // s: three dots and two gaps (5); o: three dashes and two gaps (11);
        // each letter ends with a letter gap (3), a blank makes a word gap (7).
        QTest::newRow("Morse e") << "cmdCodeMorse"
                                 << "e"
                                 << "e.wav"
                                 << "e.wav" << qint64(1 + 3);
        QTest::newRow("Morse sos") << "cmdCodeMorse"
                                   << "sos"
                                   << "sos.wav"
                                   << "sos.wav" << qint64(30);
        QTest::newRow("Morse 2 sos") << "cmdCodeMorse2"
                                     << "SOS"
                                     << "sos2.wav"
                                     << "sos2.wav" << qint64(30);
        QTest::newRow("Morse e e") << "cmdCodeMorse"
                                   << "e e"
                                   << "ee.wav"
                                   << "ee.wav" << qint64(1 + 7 + 1 + 3);
        QTest::newRow("name without .wav") << "cmdCodeMorse"
                                           << "t"
                                           << "sans-suffixe"
                                           << "sans-suffixe.wav" << qint64(3 + 3);
        QTest::newRow("digits only: no sign") << "cmdCodeMorse2"
                                              << "123"
                                              << "vide.wav"
                                              << "vide.wav" << qint64(0);
    }

    void savingWritesTheWholeSound()
    {
        QFETCH(QString, button);
        QFETCH(QString, message);
        QFETCH(QString, typedName);
        QFETCH(QString, fileName);
        QFETCH(qint64, units);
        QTemporaryDir dir;
        code(button, message);
        QCOMPARE(saveAs(dir.filePath(typedName)), QString());

        const QByteArray wav = readFile(dir.filePath(fileName));
        const qint64 dataBytes = 2 * units * kUnitSamples;
        QCOMPARE(qint64(wav.size()), 44 + dataBytes);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(qFromLittleEndian<quint32>(wav.constData() + 24), 44100u);
        QCOMPARE(wav.mid(36, 4), QByteArray("data"));
        QCOMPARE(qint64(qFromLittleEndian<quint32>(wav.constData() + 40)), dataBytes);
        QCOMPARE(filesIn(dir.path()), QStringList{fileName}); // nothing left beside it
        QVERIFY2(statusText().contains(fileName), qPrintable(statusText()));
        QVERIFY(saveButton()->isEnabled());
    }

    // ----------------------------------------------------------------------
    void failedSavingLeavesNoFile_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("expected"); // in the message shown
        QTest::newRow("missing folder") << "missing folder"
                                        << "n'a pas pu être enregistré";
        QTest::newRow("disk full while writing") << "file size limit"
                                                 << "n'a pas pu être enregistré";
        QTest::newRow("too long for a WAV file") << "too long"
                                                 << "fichier WAV";
    }

    void failedSavingLeavesNoFile()
    {
        QFETCH(QString, fault);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("son.wav"));
        QByteArray before;
        if (fault == QLatin1String("too long")) {
            // Some 61,000 letters o of fourteen units each: more than the
            // 2^31 samples a WAV file holds at 44.1 kHz.
            code(QStringLiteral("cmdCodeMorse"), QString(61000, QLatin1Char('o')));
        } else {
            // A long message: the saving fails halfway through, not at once.
            code(QStringLiteral("cmdCodeMorse"), QString(400, QLatin1Char('o')));
        }
        if (fault == QLatin1String("missing folder"))
            path = dir.filePath(QStringLiteral("absent/son.wav"));

        rlimit old{};
        if (fault == QLatin1String("file size limit")) {
            // An older file of the same name must survive the failure.
            before = "older content";
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(before) == before.size());
            f.close();
            // Files of this process may not grow beyond 64 KiB: writing
            // fails as on a full disk.
            std::signal(SIGXFSZ, SIG_IGN);
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
            rlimit small = old;
            small.rlim_cur = 64 * 1024;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        }
        const QString error = saveAs(path);
        if (fault == QLatin1String("file size limit"))
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);

        QVERIFY2(error.contains(expected), qPrintable(error));
        QCOMPARE(statusText(), error);
        if (before.isEmpty()) {
            QCOMPARE(filesIn(dir.path()), QStringList{});
        } else {
            QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("son.wav")});
            QCOMPARE(readFile(path), before);
        }
        QVERIFY(saveButton()->isEnabled());
    }

    // ----------------------------------------------------------------------
    void listeningFollowsTheSigns_data()
    {
        QTest::addColumn<qint64>("atUnits10"); // time heard, in tenths of a unit
        QTest::addColumn<int>("sign");         // index of the sign heard, -1 in a gap
        // "···/- - -/···/": dots at units 0, 2, 4; dashes at 8, 12, 16; dots
        // again from 22.
        QTest::newRow("first dot") << qint64(5) << 0;
        QTest::newRow("gap in a letter") << qint64(15) << -1;
        QTest::newRow("third dot") << qint64(45) << 2;
        QTest::newRow("letter gap") << qint64(60) << -1;
        QTest::newRow("first dash") << qint64(95) << 4;
        QTest::newRow("second dash") << qint64(130) << 6;
        QTest::newRow("third dash") << qint64(185) << 8;
        QTest::newRow("last s") << qint64(225) << 10;
    }

    void listeningFollowsTheSigns()
    {
        QFETCH(qint64, atUnits10);
        QFETCH(int, sign);
        useStandInOutput();
        code(QStringLiteral("cmdCodeMorse"), QStringLiteral("sos"));
        ResultView *box = result()->resultBox();
        QCOMPARE(box->toPlainText(), QStringLiteral("···/- - -/···/"));

        uitest::click(buttonNamed(result(), QStringLiteral("Écouter")));
        QPushButton *stop = buttonNamed(result(), QStringLiteral("Arrêter"));
        QVERIFY(stop);
        QCOMPARE(stop->text(), QStringLiteral("Arrêter"));
        QCOMPARE(record.starts, 1);
        QCOMPARE(record.sampleRate, 44100);

        record.clockUSecs = atUnits10 * kUnitUSecs / 10;
        MorsePlayer *player = bar()->player();
        if (sign < 0) {
            QTRY_COMPARE(player->signEnd() - player->signBegin(), qsizetype(0));
        } else {
            QTRY_COMPARE(player->signBegin(), qsizetype(sign));
            QCOMPARE(player->signEnd(), qsizetype(sign + 1));
        }
        // The sign heard is drawn as a selection: the highlight colour
        // behind it; no sign is highlighted in a gap.
        QCoreApplication::processEvents();
        const QImage shot = box->viewport()->grab().toImage();
        const QRect at = box->characterRect(sign < 0 ? 0 : sign);
        const QColor corner = shot.pixelColor(at.topLeft() + QPoint(1, 1));
        const QColor highlight = box->palette().color(QPalette::Highlight);
        QCOMPARE(corner == highlight, sign >= 0);

        uitest::click(stop);
        QCOMPARE(record.stops, 1);
        QVERIFY(!lastOutput); // gone at once
        QCOMPARE(listenButton()->text(), QStringLiteral("Écouter"));
        QCOMPARE(listenButton()->accessibleName(), QStringLiteral("Écouter"));
        QVERIFY(!player->isPlaying());
    }

    void playingToTheEndGivesBackTheButton()
    {
        useStandInOutput();
        code(QStringLiteral("cmdCodeMorse2"), QStringLiteral("sos"));
        uitest::click(buttonNamed(result(), QStringLiteral("Écouter")));
        QVERIFY(lastOutput);
        lastOutput->pullAll();
        QCOMPARE(record.pulledBytes, 2 * 30 * kUnitSamples); // every sample, once
        lastOutput->playedToTheEnd();
        QCOMPARE(listenButton()->text(), QStringLiteral("Écouter"));
        QVERIFY(!bar()->player()->isPlaying());
        QTRY_VERIFY(!lastOutput);
        // And it plays again.
        uitest::click(buttonNamed(result(), QStringLiteral("Écouter")));
        QCOMPARE(record.starts, 2);
        QCOMPARE(listenButton()->text(), QStringLiteral("Arrêter"));
    }

    // ----------------------------------------------------------------------
    void soundStopsAtOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("close box") << "close box";
        QTest::newRow("quit icon") << "quit icon";
        QTest::newRow("main window gone") << "main window gone";
        QTest::newRow("another coding") << "another coding";
    }

    void soundStopsAtOnce()
    {
        QFETCH(QString, how);
        useStandInOutput();
        code(QStringLiteral("cmdCodeMorse"), QStringLiteral("paris paris"));
        uitest::click(buttonNamed(result(), QStringLiteral("Écouter")));
        QVERIFY(bar()->player()->isPlaying());
        QCOMPARE(record.stops, 0);

        if (how == QLatin1String("close box")) {
            QVERIFY(result()->close());
        } else if (how == QLatin1String("quit icon")) {
            // The program ends from within its event loop.
            QTimer::singleShot(0, [this] { uitest::click(child<ImageButton>(m_window, QStringLiteral("closeIm"))); });
            QTimer watchdog;
            watchdog.setSingleShot(true);
            connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
            watchdog.start(10000);
            QCOMPARE(QCoreApplication::exec(), 0);
        } else if (how == QLatin1String("main window gone")) {
            delete m_window;
            m_window = new MainWindow; // for cleanup()
        } else {
            code(QStringLiteral("cmdCodeMorse"), QStringLiteral("e"));
            QCOMPARE(listenButton()->text(), QStringLiteral("Écouter"));
        }
        QCOMPARE(record.stops, 1);
        QVERIFY(!lastOutput);
    }
};

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
