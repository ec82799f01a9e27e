// velmora-encode as a user runs it, and its UTF-8 reader and block coder.
#include "cli/decode.h"
#include "cli/input.h"
#include "cli/stream.h"
#include "cli/utf8.h"
#include "engine/codes.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace velmora;

namespace {

struct Run {
    int exitCode;
    QByteArray out;
    QByteArray err;
};

Run runEncode(const QStringList &args, const QByteArray &input = {}, const QString &inputFile = {})
{
    QProcess p;
    if (!inputFile.isEmpty())
        p.setStandardInputFile(inputFile);
    p.start(QStringLiteral(VELMORA_ENCODE_PATH), args);
    if (!p.waitForStarted())
        return {-1, {}, "did not start"};
    if (inputFile.isEmpty()) {
        p.write(input);
        p.closeWriteChannel();
    }
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

QByteArray randomUtf8Text(QRandomGenerator &rng, int chars)
{
    static const QString pool = QString::fromUtf16(u"abcdefghijklmnopqrstuvwxyz ABCXYZ.,-·/0129éÉàçßİſ\t\r\n€𐐀𐐨😀");
    QString s;
    s.reserve(chars * 2);
    for (int i = 0; i < chars; ++i) {
        const int k = int(rng.bounded(pool.size()));
        if (pool[k].isHighSurrogate()) {
            s.append(pool[k]);
            s.append(pool[k + 1]);
        } else if (pool[k].isLowSurrogate()) {
            s.append(pool[k - 1]);
            s.append(pool[k]);
        } else {
            s.append(pool[k]);
        }
    }
    return s.toUtf8();
}

QByteArray referenceCoding(CodeId code, const QByteArray &utf8)
{
    return encoder(code).encodeReference(QString::fromUtf8(utf8)).toUtf8();
}

} // namespace

class TstCli : public QObject
{
    Q_OBJECT
private slots:
    void usage_data();
    void usage();
    void codes_data();
    void codes();
    void invalidUtf8_data();
    void invalidUtf8();
    void invalidArgument();
    void lineBreaksRoundTrip_data();
    void lineBreaksRoundTrip();
    void readerAgreesWithQt();
    void longReaderAgreesWithQt();
    void blocksOfAnySize();
    void largeStreamedInput();
    void decoding_data();
    void decoding();
    void unreadableTokens_data();
    void unreadableTokens();
    void unwritableOutput_data();
    void unwritableOutput();
    void inputIsOutput();
    void fileGrowingWhileCoded();
    void decodingBlocksOfAnySize();
    void largeStreamedDecoding();
};

void TstCli::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("outContains");
    QTest::addColumn<QString>("errContains");
    QTest::newRow("no code") << QStringList{} << 2 << ""
                             << "missing CODE";
    QTest::newRow("unknown code") << QStringList{"morze", "sos"} << 2 << ""
                                  << "feuille-a4";
    QTest::newRow("item text needs its apostrophes") << QStringList{"Avocat", "abc"} << 2 << ""
                                                     << "unknown code";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: velmora-encode CODE"
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "velmora-encode 3.1"
                             << "";
    QTest::newRow("list") << QStringList{"--list"} << 0 << "Binaire         Hello World. -> 0000/1000/"
                          << "";
    QTest::newRow("help after a code") << QStringList{"morse", "--help"} << 0 << "--decode CODE"
                                       << "";
    QTest::newRow("unknown option") << QStringList{"morse", "-x"} << 2 << ""
                                    << "unknown option '-x'";
    QTest::newRow("decode without code") << QStringList{"--decode"} << 2 << ""
                                         << "needs a CODE";
    QTest::newRow("decode unknown code") << QStringList{"-d", "morze", "x"} << 2 << ""
                                         << "unknown code 'morze'";
    QTest::newRow("strict alone") << QStringList{"--strict", "morse", "x"} << 2 << ""
                                  << "--strict goes with --decode";
    QTest::newRow("all alone") << QStringList{"--all", "morse", "x"} << 2 << ""
                               << "--all goes with --guess";
    QTest::newRow("decode and guess") << QStringList{"-d", "morse", "--guess"} << 2 << ""
                                      << "do not go together";
    QTest::newRow("guess, no letter") << QStringList{"--guess", "123"} << 1 << ""
                                      << "no code reads this text";
}

void TstCli::usage()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, outContains);
    QFETCH(QString, errContains);
    const Run r = runEncode(args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(r.out).contains(outContains), r.out.constData());
    QVERIFY2(QString::fromUtf8(r.err).contains(errContains), r.err.constData());
    if (exitCode != 0)
        QVERIFY(r.out.isEmpty());
}

void TstCli::codes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("morse args") << QStringList{"morse", "SOS"} << QByteArray() << QByteArray("···/- - -/···/\n");
    QTest::newRow("args joined by blanks")
        << QStringList{"caesar", "abc", "xyz"} << QByteArray() << QByteArray("d/e/f//a/b/c/\n");
    QTest::newRow("morse2") << QStringList{"morse2", "Hello World."} << QByteArray()
                            << QByteArray("PPPP/P/POPP/POPP/O O O//PO O/O O O/POP/POPP/OPP///\n");
    QTest::newRow("polybe") << QStringList{"polybe", "Wagon"} << QByteArray()
                            << QByteArray("(5,2)/(1,1)/(2,2)/(3,5)/(3,4)/\n");
    QTest::newRow("polybius") << QStringList{"polybius", "vw"} << QByteArray() << QByteArray("(5,2)/(5,2)/\n");
    QTest::newRow("item text") << QStringList{"'Détroit'", "abc"} << QByteArray() << QByteArray("26/1/2/\n");
    QTest::newRow("plain name") << QStringList{"feuille-a4", "abc"} << QByteArray() << QByteArray("4/5/6/\n");
    QTest::newRow("avocat item") << QStringList{"'Avocat'", "Dédé"} << QByteArray() << QByteArray("n/Én/É\n");
    QTest::newRow("binaire") << QStringList{"Binaire", "abc"} << QByteArray()
                             << QByteArray("0000/0001/0000/0010/0000/0011/\n");
    QTest::newRow("stdin, nothing added") << QStringList{"dedos"} << QByteArray("abc") << QByteArray("25/26/1/");
    QTest::newRow("empty stdin") << QStringList{"morse"} << QByteArray() << QByteArray();
    QTest::newRow("empty message argument") << QStringList{"morse", ""} << QByteArray() << QByteArray("\n");
    QTest::newRow("outside the BMP") << QStringList{"caesar"} << QByteArray("a😀𐐨") << QByteArray("d/😀𐐀");
    QTest::newRow("- reads stdin") << QStringList{"caesar", "-"} << QByteArray("ab") << QByteArray("d/e/");
    QTest::newRow("-- ends the options") << QStringList{"caesar", "--", "--help", "-"} << QByteArray()
                                         << QByteArray("--k/h/o/s//-\n");
    QTest::newRow("options after the message")
        << QStringList{"caesar", "ab", "--", "-d"} << QByteArray() << QByteArray("d/e//-g/\n");
}

void TstCli::codes()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    const Run r = runEncode(args, input);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, expected);
    QVERIFY(r.err.isEmpty());
}

void TstCli::invalidUtf8_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("offset");
    QTest::newRow("stray continuation") << QByteArray("ab\x80"
                                                      "cd")
                                        << 2;
    QTest::newRow("latin-1 e acute") << QByteArray("caf\xe9") << 3;
    QTest::newRow("overlong slash") << QByteArray("x\xc0\xaf") << 1;
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xa0\x80") << 0;
    QTest::newRow("above U+10FFFF") << QByteArray("ok\xf4\x90\x80\x80") << 2;
    QTest::newRow("cut at the end") << QByteArray("abc\xe2\x82") << 3;
    QTest::newRow("after a valid accent") << QByteArray("é\xff") << 2;
}

void TstCli::invalidUtf8()
{
    QFETCH(QByteArray, input);
    QFETCH(int, offset);
    const QString offsetText = QStringLiteral("offset %1").arg(offset);

    for (const QStringList &args : {QStringList{"morse"}, QStringList{"-d", "morse"}, QStringList{"--guess"}}) {
        const Run piped = runEncode(args, input);
        QCOMPARE(piped.exitCode, 1);
        QVERIFY(piped.out.isEmpty());
        QVERIFY2(QString::fromUtf8(piped.err).contains(offsetText), piped.err.constData());
    }

    QTemporaryFile file;
    QVERIFY(file.open());
    file.write(QByteArray(300000, 'a') + input); // past the first block of a file
    file.close();
    const Run fromFile = runEncode({"morse"}, {}, file.fileName());
    QCOMPARE(fromFile.exitCode, 1);
    QVERIFY(fromFile.out.isEmpty()); // nothing written, even after the first block
    QVERIFY2(QString::fromUtf8(fromFile.err).contains(QStringLiteral("offset %1").arg(300000 + offset)),
             fromFile.err.constData());
}

void TstCli::invalidArgument()
{
    // Raw bytes as an argument, through the shell: "ok" and "\xff" joined.
    QProcess p;
    p.start(QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QStringLiteral("exec \"$0\" morse ok \"$(printf '\\377')\""),
             QStringLiteral(VELMORA_ENCODE_PATH)});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 1);
    QVERIFY(p.readAllStandardOutput().isEmpty());
    QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("offset 3")));
}

void TstCli::lineBreaksRoundTrip_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("CR LF") << QByteArray("AB\r\nC") << QByteArray("d/e/\r\nf/");
    QTest::newRow("LF") << QByteArray("a\nb\n") << QByteArray("d/\ne/\n");
    QTest::newRow("CR alone") << QByteArray("a\rb") << QByteArray("d/\re/");
    QTest::newRow("blank lines and tabs") << QByteArray("\r\n\r\n\ta\t") << QByteArray("\r\n\r\n\td/\t");
    QTest::newRow("NUL byte") << QByteArray("a\0b", 3) << QByteArray("d/\0e/", 5);
}

void TstCli::lineBreaksRoundTrip()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    const Run r = runEncode({"caesar"}, input);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, expected);
}

void TstCli::readerAgreesWithQt()
{
    // The reader accepts exactly what Qt's own UTF-8 decoder accepts.
    QRandomGenerator rng(20261207);
    static const unsigned char interesting[] = {0x00, 0x41, 0x7F, 0x80, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0,
                                                0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF, 0x90, 0xA0, 0x9F, 0x8F};
    for (int n = 0; n < 20000; ++n) {
        QByteArray bytes;
        const int length = int(rng.bounded(8));
        for (int i = 0; i < length; ++i)
            bytes.append(char(interesting[rng.bounded(int(sizeof interesting))]));
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString viaQt = decoder.decode(bytes);
        const bool qtValid = !decoder.hasError();
        const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
        const bool ours = cli::validUtf8Prefix(p, std::size_t(bytes.size())) == std::size_t(bytes.size());
        QVERIFY2(ours == qtValid, bytes.toHex(' ').constData());
        if (ours) {
            std::vector<char16_t> out(std::size_t(bytes.size()) + 1);
            const cli::Utf8Decoded d = cli::decodeUtf8(p, std::size_t(bytes.size()), out.data(), true);
            QVERIFY(!d.invalid);
            QCOMPARE(QString(reinterpret_cast<const QChar *>(out.data()), qsizetype(d.written)), viaQt);
        }
    }
}

void TstCli::longReaderAgreesWithQt()
{
    // Longer texts, read eight bytes at a time where they are ASCII and
    // two-byte characters: one bad or cut byte anywhere among them is found
    // where the sequence-by-sequence reading finds it, and Qt agrees.
    QRandomGenerator rng(20261208);
    static const char *const pieces[] = {
        "a", "-", "/", " ", "\xC2\xB7", "\xC3\xA9", "\xDF\xBF", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"};
    static const unsigned char bad[] = {0x80, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xED, 0xF0, 0xF4, 0xF5, 0xFF};
    for (int n = 0; n < 20000; ++n) {
        QByteArray bytes;
        const int length = int(rng.bounded(60));
        for (int i = 0; i < length; ++i) {
            if (rng.bounded(40) == 0)
                bytes.append(char(bad[rng.bounded(int(sizeof bad))]));
            else
                bytes.append(pieces[rng.bounded(int(std::size(pieces)))]);
        }
        const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
        const std::size_t size = std::size_t(bytes.size());
        std::size_t expected = 0;
        while (expected < size) {
            const int l = cli::utf8SequenceLength(p + expected, size - expected);
            if (l <= 0)
                break;
            expected += std::size_t(l);
        }
        QCOMPARE(cli::validUtf8Prefix(p, size), expected);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString viaQt = decoder.decode(bytes); // decoding happens on conversion
        QVERIFY2((expected == size) == !decoder.hasError() && (expected < size || viaQt.toUtf8() == bytes),
                 bytes.toHex(' ').constData());
    }
}

void TstCli::blocksOfAnySize()
{
    // The block coder gives the reference coding whatever the block sizes,
    // also when a block ends inside a multi-byte sequence.
    QRandomGenerator rng(7);
    for (int code = 0; code < kCodeCount; ++code) {
        const QByteArray text = randomUtf8Text(rng, 3000);
        QTemporaryFile out;
        QVERIFY(out.open());
        cli::CodingPump pump(encoder(CodeId(code)), out.handle());
        qsizetype at = 0;
        while (at < text.size()) {
            const qsizetype n = std::min<qsizetype>(text.size() - at, 1 + rng.bounded(7));
            QVERIFY2(pump.feed(reinterpret_cast<const unsigned char *>(text.constData() + at), std::size_t(n),
                               at + n == text.size()),
                     pump.error().c_str());
            at += n;
        }
        out.seek(0);
        QCOMPARE(out.readAll(), referenceCoding(CodeId(code), text));
    }
}

void TstCli::largeStreamedInput()
{
    // 48 MiB through a pipe, well past what the command holds back, coded
    // to over 300 MiB in a process allowed 150 MiB of address space: the
    // output is the reference coding, made block by block.
    QRandomGenerator rng(99);
    const QByteArray unit = randomUtf8Text(rng, 100000);
    QByteArray input;
    while (input.size() < 48 * 1024 * 1024)
        input += unit;
#if defined(__SANITIZE_ADDRESS__)
    // The address sanitizer reserves terabytes of address space: no limit.
    const QString limit;
#else
    const QString limit = QStringLiteral("ulimit -v 153600 && ");
#endif
    QProcess p;
    p.start(QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), limit + QStringLiteral("exec \"$0\" binaire"), QStringLiteral(VELMORA_ENCODE_PATH)});
    QVERIFY(p.waitForStarted());
    p.write(input);
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished(120000));
    const Run r{p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QCOMPARE(r.exitCode, 0);
    const QByteArray codedUnit = referenceCoding(CodeId::Binaire, unit);
    QCOMPARE(r.out.size(), codedUnit.size() * (input.size() / unit.size()));
    QVERIFY(r.out == codedUnit.repeated(input.size() / unit.size()));
}

void TstCli::decoding_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("morse args") << QStringList{"--decode", "morse", "···/- - -/···/"} << QByteArray()
                                << QByteArray("sos\n");
    QTest::newRow("coded text starting with a dash")
        << QStringList{"-d", "morse", "-·-·/-/"} << QByteArray() << QByteArray("ct\n");
    QTest::newRow("stdin, lines kept") << QStringList{"-d", "caesar"} << QByteArray("k/l/\r\nd/\n")
                                       << QByteArray("HI\r\nA\n");
    QTest::newRow("- reads stdin") << QStringList{"-d", "binaire", "-"} << QByteArray("0000/0001//0000/0010/")
                                   << QByteArray("a b");
    QTest::newRow("item text") << QStringList{"--decode", "'Détroit'", "26////1/"} << QByteArray()
                               << QByteArray("a. b\n");
    QTest::newRow("--decode=") << QStringList{"--decode=polybe", "(5,2)/"} << QByteArray() << QByteArray("V\n");
    QTest::newRow("empty stdin") << QStringList{"-d", "morse"} << QByteArray() << QByteArray();
    QTest::newRow("guess caesar") << QStringList{"--guess", "o/h//f/k/d/w//g/r/u/w///"} << QByteArray()
                                  << QByteArray("caesar\nLE CHAT DORT.\n");
    QTest::newRow("guess from stdin") << QStringList{"--guess"}
                                      << encodeAlphaNum(AlphaNumCode::Cassis, "the garden is full of flowers").toUtf8()
                                      << QByteArray("cassis\nthe garden is full of flowers");
    QTest::newRow("guess morse2") << QStringList{"--guess", "-"} << QByteArray("PPP/O O O/PPP/")
                                  << QByteArray("morse2\nsos");
}

void TstCli::decoding()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    const Run r = runEncode(args, input);
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, expected);
}

void TstCli::unreadableTokens_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QString>("err");
    const QByteArray coded("\xc2\xb7-/\xc2\xb7\xc2\xb7\xc2\xb7\xc2\xb7\xc2\xb7\xc2\xb7/-/x/"); // ·-/······/-/x/
    QTest::newRow("kept and counted") << QStringList{"-d", "morse"} << coded << 0 << QByteArray("a······/tx ")
                                      << "1 unreadable token, kept as it stands, at byte offset 4";
    QTest::newRow("strict") << QStringList{"-d", "morse", "--strict"} << coded << 1 << QByteArray()
                            << "nothing written";
    QTest::newRow("strict, argument") << QStringList{"--strict", "-d", "detroit", "1/27/"} << QByteArray() << 1
                                      << QByteArray() << "1 unreadable token, kept as it stands, at byte offset 2";
    QTest::newRow("strict, all readable")
        << QStringList{"-d", "detroit", "--strict", "1/2/"} << QByteArray() << 0 << QByteArray("bc\n") << "";
}

void TstCli::unreadableTokens()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QString, err);
    const Run piped = runEncode(args, input);
    QCOMPARE(piped.exitCode, exitCode);
    QCOMPARE(piped.out, out);
    QVERIFY2(QString::fromUtf8(piped.err).contains(err), piped.err.constData());
    if (err.isEmpty())
        QVERIFY(piped.err.isEmpty());
    if (input.isEmpty())
        return;
    // From a file, far past the first block: the same, offset included.
    QTemporaryFile file;
    QVERIFY(file.open());
    const QByteArray padding = QByteArray("\xc2\xb7/").repeated(200000); // 200000 e
    file.write(padding + input);
    file.close();
    const Run fromFile = runEncode(args, {}, file.fileName());
    QCOMPARE(fromFile.exitCode, exitCode);
    QCOMPARE(fromFile.out.size(), out.isEmpty() ? 0 : 200000 + out.size());
    if (!err.isEmpty())
        QVERIFY2(QString::fromUtf8(fromFile.err).contains(exitCode ? err : QString("offset %1").arg(600004)),
                 fromFile.err.constData());
}

void TstCli::unwritableOutput_data()
{
    QTest::addColumn<QString>("args");
    QTest::addColumn<QString>("redirect");
    for (const char *args :
         {"--help", "--version", "--list", "morse sos", "-d morse ···/", "--guess ···/", "--guess --all ···/"}) {
        QTest::newRow(qPrintable(QString("%1 >/dev/full").arg(args))) << QString(args) << QString(">/dev/full");
        QTest::newRow(qPrintable(QString("%1, closed").arg(args))) << QString(args) << QString(">&-");
    }
}

void TstCli::unwritableOutput()
{
    QFETCH(QString, args);
    QFETCH(QString, redirect);
    QProcess p;
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exec \"$0\" %1 %2").arg(args, redirect),
                                        QStringLiteral(VELMORA_ENCODE_PATH)});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 1);
    QVERIFY2(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("cannot write the output")),
             qPrintable(args));
}

void TstCli::inputIsOutput()
{
    // Appending the coded text to the file being coded would never end.
    QTemporaryFile file;
    QVERIFY(file.open());
    file.write("abc\n");
    file.close();
    for (const char *mode : {"morse", "-d morse", "--guess"}) {
        QProcess p;
        p.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), QStringLiteral("exec \"$0\" %1 < \"$1\" >> \"$1\"").arg(mode),
                 QStringLiteral(VELMORA_ENCODE_PATH), file.fileName()});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("the input is the output file")));
        QVERIFY(file.open());
        QCOMPARE(file.readAll(), QByteArray("abc\n"));
        file.close();
    }
}

void TstCli::fileGrowingWhileCoded()
{
    // A bad byte appended to the file after it was checked: only the checked
    // bytes are handed on.
    QTemporaryFile file;
    QVERIFY(file.open());
    const QByteArray text = QByteArray("Bonjour ").repeated(100000); // several blocks
    file.write(text);
    file.flush();
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY);
    QVERIFY(fd >= 0);
    cli::InputChecks checks;
    checks.check = [&](const unsigned char *, std::size_t, bool final) {
        if (final) {
            file.write("\xff more text");
            file.flush();
        }
        return true;
    };
    QByteArray seen;
    bool sawFinal = false;
    const int status =
        cli::readRegularFile(fd, 0, checks, [&](const unsigned char *data, std::size_t n, bool final, bool) {
            seen.append(reinterpret_cast<const char *>(data), qsizetype(n));
            sawFinal = final;
            return true;
        });
    ::close(fd);
    QCOMPARE(status, 0);
    QVERIFY(sawFinal);
    QCOMPARE(seen.size(), text.size());
    QVERIFY(seen == text);
}

void TstCli::decodingBlocksOfAnySize()
{
    // The decoding pump gives what a whole decoding gives, wherever the
    // blocks end (inside a token, inside a two-byte dot), offset included.
    QRandomGenerator rng(11);
    for (int code = 0; code < kCodeCount; ++code) {
        QString coded = encoder(CodeId(code)).encode(QString::fromUtf8(randomUtf8Text(rng, 2000)));
        coded.insert(coded.size() / 2, QString::fromUtf16(u"(9,9)/······/27/0011/ab/")); // unreadable in every code
        const QByteArray input = coded.toUtf8();
        const DecodeResult whole = decode(CodeId(code), coded);
        QTemporaryFile out;
        QVERIFY(out.open());
        cli::DecodingPump pump(decoder(CodeId(code)), out.handle());
        qsizetype at = 0;
        while (at < input.size()) {
            const qsizetype n = std::min<qsizetype>(input.size() - at, 1 + rng.bounded(9));
            QVERIFY2(pump.feed(reinterpret_cast<const unsigned char *>(input.constData() + at), std::size_t(n),
                               at + n == input.size()),
                     pump.error().c_str());
            at += n;
        }
        out.seek(0);
        QCOMPARE(QString::fromUtf8(out.readAll()), whole.text);
        QCOMPARE(qsizetype(pump.unreadable()), whole.unreadable);
        QVERIFY(whole.unreadable > 0);
        QCOMPARE(qsizetype(pump.firstUnreadableByte()), coded.first(whole.firstUnreadable).toUtf8().size());
    }
}

void TstCli::largeStreamedDecoding()
{
    // 40 MiB of Morse through a pipe, decoded in a process allowed 150 MiB
    // of address space.
    const QByteArray unit = encodeMorse(QStringLiteral("Bonjour a tous, voici un message code.\n")).toUtf8();
    const int copies = 40 * 1024 * 1024 / unit.size();
#if defined(__SANITIZE_ADDRESS__)
    const QString limit;
#else
    const QString limit = QStringLiteral("ulimit -v 153600 && ");
#endif
    QProcess p;
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), limit + QStringLiteral("exec \"$0\" -d morse"),
                                        QStringLiteral(VELMORA_ENCODE_PATH)});
    QVERIFY(p.waitForStarted());
    p.write(unit.repeated(copies));
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished(120000));
    QVERIFY2(p.readAllStandardError().isEmpty(), "warnings");
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(p.readAllStandardOutput() == QByteArray("bonjour a tous, voici un message code.\n").repeated(copies));
}

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
