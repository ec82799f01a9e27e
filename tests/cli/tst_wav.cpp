// velmora-encode --wav as a user runs it: the files it writes, its usage
// errors, and what it does when the file cannot be written.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

struct Run {
    int exitCode;
    QByteArray out;
    QByteArray err;
};

Run runEncode(const QStringList &args, const QByteArray &input = {})
{
    QProcess p;
    p.start(QStringLiteral(VELMORA_ENCODE_PATH), args);
    if (!p.waitForStarted())
        return {-1, {}, "did not start"};
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// Through bash, for pipes and limits; "$0" is velmora-encode.
Run runShell(const QString &script, const QString &workDir)
{
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.start(QStringLiteral("/bin/bash"), {QStringLiteral("-c"), script, QStringLiteral(VELMORA_ENCODE_PATH)});
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

quint32 u32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

} // namespace

class TstWav : public QObject
{
    Q_OBJECT
private slots:
    void usageErrors_data();
    void usageErrors();
    void writesTheSound_data();
    void writesTheSound();
    void replacesAnExistingFile();
    void cannotWrite_data();
    void cannotWrite();
    void closedPipe();
    void tooLongIsRefused();
    void sizeLimitLeavesNothingHalfWritten();
};

void TstWav::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("errContains");
    QTest::newRow("caesar") << QStringList{"caesar", "--wav", "x.wav", "abc"} << "morse and morse2 only, not caesar";
    QTest::newRow("list text of an AlphaNum code")
        << QStringList{"--wav", "x.wav", "'Détroit'", "abc"} << "morse and morse2 only, not 'Détroit'";
    QTest::newRow("unknown code") << QStringList{"morze", "--wav", "x.wav"} << "unknown code 'morze'";
    QTest::newRow("no code") << QStringList{"--wav", "x.wav"} << "missing CODE";
    QTest::newRow("too slow") << QStringList{"morse", "--wav", "x.wav", "--wpm", "4", "a"} << "from 5 to 60";
    QTest::newRow("too fast") << QStringList{"morse", "--wav=x.wav", "--wpm=61", "a"} << "not 61";
    QTest::newRow("not a number") << QStringList{"morse", "--wav", "x.wav", "--wpm", "vite"} << "not 'vite'";
    QTest::newRow("tone too high") << QStringList{"morse2", "--wav", "x.wav", "--tone", "1201"} << "300 to 1200 Hz";
    QTest::newRow("farnsworth above the speed") << QStringList{"morse", "--wav", "x.wav", "--farnsworth", "25"}
                                                << "Farnsworth speed must be from 5 to the letter speed (20)";
    QTest::newRow("farnsworth zero") << QStringList{"morse", "--wav", "x.wav", "--farnsworth", "0"} << "--farnsworth";
    QTest::newRow("speed without a file") << QStringList{"morse", "--wpm", "30", "a"} << "need --wav FILE";
    QTest::newRow("file name missing") << QStringList{"morse", "--wav"} << "--wav needs a file name";
    QTest::newRow("another option") << QStringList{"morse", "--wav", "x.wav", "--loud"} << "unknown option '--loud'";
}

void TstWav::usageErrors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, errContains);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (QString &a : args)
        a.replace(QStringLiteral("x.wav"), dir.filePath(QStringLiteral("x.wav")));
    const Run r = runEncode(args, "sos");
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(QString::fromUtf8(r.err).contains(errContains), r.err.constData());
    QVERIFY(r.out.isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty()); // nothing written
}

void TstWav::writesTheSound_data()
{
    QTest::addColumn<QStringList>("args"); // F is the file
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<qint64>("samples"); // worked out by hand
    // A dot is 1200 / wpm ms: 2646 samples at 20 wpm, 882 at 60, 5292 at 10.
    // SOS is 3 x 5 + 2 x 11 units of signs... in all 30 units with its gaps.
    QTest::newRow("morse sos") << QStringList{"morse", "--wav", "F", "SOS"} << QByteArray() << qint64(30 * 2646);
    QTest::newRow("morse2, 60 wpm") << QStringList{"morse2", "--wav", "F", "--wpm", "60", "SOS"} << QByteArray()
                                    << qint64(30 * 882);
    QTest::newRow("word gap, 10 wpm, 440 Hz") << QStringList{"morse", "--wpm=10", "--tone=440", "--wav=F", "e", "e"}
                                              << QByteArray() << qint64((1 + 7 + 1 + 3) * 5292);
    QTest::newRow("message from standard input")
        << QStringList{"morse", "--wav", "F"} << QByteArray("Paris") << qint64((14 + 8 + 10 + 6 + 8) * 2646);
    // Farnsworth 10 at 20 wpm stretches the spacing unit to 9609 samples.
    QTest::newRow("farnsworth") << QStringList{"morse", "--wav", "F", "--farnsworth", "10", "ee"} << QByteArray()
                                << qint64(2 * 2646 + 6 * 9609);
    QTest::newRow("options after the message")
        << QStringList{"morse", "SOS", "--wav", "F"} << QByteArray() << qint64(30 * 2646);
    QTest::newRow("message after --") << QStringList{"morse", "--wav", "F", "--", "--", "e"} << QByteArray()
                                      << qint64((3 + 1 + 3 + 3 + 1 + 3) * 2646);
    QTest::newRow("digits are silent") << QStringList{"morse2", "--wav", "F", "2026"} << QByteArray() << qint64(0);
    QTest::newRow("empty message") << QStringList{"morse", "--wav", "F", ""} << QByteArray() << qint64(0);
}

void TstWav::writesTheSound()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(qint64, samples);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("message.wav"));
    QStringList toFile = args;
    for (QString &a : toFile)
        a.replace(QStringLiteral("F"), file);
    const Run r = runEncode(toFile, input);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QVERIFY(r.out.isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"message.wav"}); // no temporary file left

    const QByteArray wav = readAll(file);
    QCOMPARE(qint64(wav.size()), 44 + 2 * samples);
    QCOMPARE(wav.left(4), QByteArray("RIFF"));
    QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(u32(wav, 24), 44100u);
    QCOMPARE(qint64(u32(wav, 40)), 2 * samples);

    // "-" writes the same bytes to standard output.
    QStringList toStdout = args;
    for (QString &a : toStdout)
        a.replace(QStringLiteral("F"), QStringLiteral("-"));
    const Run piped = runEncode(toStdout, input);
    QCOMPARE(piped.exitCode, 0);
    QCOMPARE(piped.out, wav);
}

void TstWav::replacesAnExistingFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("old.wav"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old content");
    f.close();
    QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    const Run r = runEncode({"morse", "--wav", file, "e"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(readAll(file).size(), 44 + 2 * 4 * 2646);
    // A private file stays private.
    const QFileDevice::Permissions others =
        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    QCOMPARE(QFile(file).permissions() & others, QFileDevice::Permissions());
    QVERIFY(QFile(file).permissions() & QFileDevice::ReadOwner);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.wav"});

    // Through a symbolic link: the link stays, the file it names is replaced.
    const QString link = dir.filePath(QStringLiteral("link.wav"));
    QVERIFY(QFile::link(file, link));
    const Run viaLink = runEncode({"morse", "--wav", link, "t"});
    QCOMPARE(viaLink.exitCode, 0);
    QCOMPARE(QFileInfo(link).symLinkTarget(), file);
    QCOMPARE(readAll(file).size(), 44 + 2 * 6 * 2646);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"link.wav", "old.wav"}));
}

void TstWav::cannotWrite_data()
{
    QTest::addColumn<QString>("file"); // D is the temporary folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("full disk") << "/dev/full"
                               << "No space left on device";
    QTest::newRow("missing folder") << "D/nowhere/x.wav"
                                    << "No such file or directory";
    QTest::newRow("a file as folder") << "D/plain/x.wav"
                                      << "Not a directory";
    QTest::newRow("a folder") << "D"
                              << "Is a directory";
}

void TstWav::cannotWrite()
{
    QFETCH(QString, file);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    file.replace(QStringLiteral("D"), dir.path());
    const Run r = runEncode({"morse", "--wav", file, "SOS"});
    QCOMPARE(r.exitCode, 1);
    const QString err = QString::fromUtf8(r.err);
    QVERIFY2(err.contains(QStringLiteral("cannot write '%1': %2").arg(file, reason)), r.err.constData());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"plain"});
}

void TstWav::closedPipe()
{
    // A reader that stops after 100 bytes of 60 MB.
    QTemporaryDir dir;
    const Run r = runShell(QStringLiteral("\"$0\" morse --wav - --wpm 5 %1 2>err | head -c 100 >/dev/null; "
                                          "echo ${PIPESTATUS[0]}; cat err")
                               .arg(QString(200, u'o')),
                           dir.path());
    const QList<QByteArray> lines = r.out.split('\n');
    QCOMPARE(lines.value(0), QByteArray("1"));
    QVERIFY2(r.out.contains("cannot write standard output: Broken pipe"), r.out.constData());
}

void TstWav::tooLongIsRefused()
{
    // 16 000 letters o at 5 words a minute last almost 15 hours: more than a
    // WAV file holds. Nothing is written and the file keeps its content.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("long.wav"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("kept");
    f.close();
    const Run r = runEncode({"morse", "--wav", file, "--wpm", "5"}, QByteArray(16000, 'o'));
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(QString::fromUtf8(r.err).contains(QStringLiteral("nothing written to '%1'").arg(file)), r.err.constData());
    QVERIFY(r.err.contains("14 h 56 min"));
    QVERIFY(r.err.contains("longer than a WAV file can hold"));
    QCOMPARE(readAll(file), QByteArray("kept"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"long.wav"});

    const Run piped = runEncode({"morse", "--wav", "-", "--wpm", "5"}, QByteArray(16000, 'o'));
    QCOMPARE(piped.exitCode, 1);
    QVERIFY(piped.out.isEmpty());
}

void TstWav::sizeLimitLeavesNothingHalfWritten()
{
    // A file size limit of 100 KiB stops the writing half way: the old file
    // stays as it was and no temporary file is left beside it.
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("s.wav")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("previous sound");
    f.close();
    const Run r = runShell(QStringLiteral("ulimit -f 100; \"$0\" morse --wav s.wav --wpm 5 SOS"), dir.path());
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("cannot write 's.wav': File too large"), r.err.constData());
    QCOMPARE(readAll(f.fileName()), QByteArray("previous sound"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"s.wav"});
}

QTEST_GUILESS_MAIN(TstWav)
#include "tst_wav.moc"
