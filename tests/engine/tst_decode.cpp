// Reading the codes back: the round trip for every code, the worked examples
// backwards, unreadable tokens, streams cut anywhere, and guessing the code.
#include "engine/decoder.h"
#include "engine/guess.h"

#include <QRandomGenerator>
#include <QTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::CodeId)

namespace {

QString u(const char16_t *s)
{
    return QString::fromUtf16(s);
}

quint32 testSeed()
{
    return qEnvironmentVariableIsSet("VELMORA_SEED") ? quint32(qEnvironmentVariableIntValue("VELMORA_SEED"))
                                                     : QRandomGenerator::global()->generate();
}

// Words of random letters (any case) separated by single blanks, each word
// perhaps followed by full stops.
QString randomMessage(QRandomGenerator &rng)
{
    QString m;
    const int words = int(rng.bounded(1, 8));
    for (int w = 0; w < words; ++w) {
        if (w > 0)
            m += QLatin1Char(' ');
        const int letters = int(rng.bounded(1, 9));
        for (int i = 0; i < letters; ++i) {
            const char base = rng.bounded(2) ? 'a' : 'A';
            m += QLatin1Char(char(base + rng.bounded(26)));
        }
        const int stops = rng.bounded(4) == 0 ? int(rng.bounded(1, 3)) : 0;
        for (int i = 0; i < stops; ++i)
            m += QLatin1Char('.');
    }
    return m;
}

// The message as the code gives it back: folded, W read as V in Polybius.
QString expectedBack(CodeId code, const QString &message)
{
    QString folded = foldCase(message, encoder(code).folding());
    if (code == CodeId::Polybe)
        folded.replace(QLatin1Char('W'), QLatin1Char('V'));
    return folded;
}

} // namespace

class TstDecode : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void examplesBackwards_data();
    void examplesBackwards();
    void unreadable_data();
    void unreadable();
    void decoderFollowsItsTable();
    void streamCutAnywhere();
    void longUnreadableRunInAStream();
    void bytesAgreeWithText_data();
    void bytesAgreeWithText();
    void guessNamesTheCode_data();
    void guessNamesTheCode();
    void guessRanksEveryCode();
    void guessWithoutLetters();
};

void TstDecode::roundTrip_data()
{
    QTest::addColumn<CodeId>("code");
    for (int i = 0; i < kCodeCount; ++i)
        QTest::newRow(qPrintable(codeName(CodeId(i)))) << CodeId(i);
}

void TstDecode::roundTrip()
{
    QFETCH(CodeId, code);
    const quint32 seed = testSeed();
    QRandomGenerator rng(seed);
    for (int n = 0; n < 3000; ++n) {
        const QString message = randomMessage(rng);
        const DecodeResult r = decode(code, encoder(code).encode(message));
        if (r.text != expectedBack(code, message) || r.unreadable != 0)
            QFAIL(qPrintable(QStringLiteral("«%1» came back as «%2» (%3 unreadable; rerun with VELMORA_SEED=%4)")
                                 .arg(message, r.text)
                                 .arg(r.unreadable)
                                 .arg(seed)));
    }
}

void TstDecode::examplesBackwards_data()
{
    QTest::addColumn<CodeId>("code");
    QTest::addColumn<QString>("coded");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("morse SOS") << CodeId::Morse << u(u"···/- - -/···/") << "sos";
    QTest::newRow("morse hello world") << CodeId::Morse << u(u"····/·/·-··/·-··/- - -//·- -/- - -/·-·/·-··/-··///")
                                       << "hello world.";
    QTest::newRow("morse digit kept") << CodeId::Morse << u(u"2/-·-·/····/·-/-/···/") << "2 chats";
    QTest::newRow("morse accent kept") << CodeId::Morse << u(u"·-/···-/·//-·-·/é···/·-/·-·/") << u(u"ave césar");
    QTest::newRow("morse two lines") << CodeId::Morse << u(u"·-/-···/\r\n-·-·/") << "ab\r\nc";
    QTest::newRow("morse2") << CodeId::Morse2 << "PPPP/P/POPP/POPP/O O O//PO O/O O O/POP/POPP/OPP///"
                            << "hello world.";
    QTest::newRow("caesar") << CodeId::Caesar << "k/h/o/o/r//z/r/u/o/g///"
                            << "HELLO WORLD.";
    QTest::newRow("caesar accent") << CodeId::Caesar << u(u"d/y/h//f/Év/d/u/") << u(u"AVE CÉSAR");
    QTest::newRow("caesar digit") << CodeId::Caesar << "2/f/k/d/w/v/"
                                  << "2 CHATS";
    QTest::newRow("caesar e.") << CodeId::Caesar << "h///"
                               << "E.";
    QTest::newRow("polybe, W as V") << CodeId::Polybe << "(5,2)/(1,1)/(2,2)/(3,5)/(3,4)/"
                                    << "VAGON";
    QTest::newRow("detroit") << CodeId::Detroit << "7/4/11/11/14//22/14/17/11/3///"
                             << "hello world.";
    QTest::newRow("detroit accents") << CodeId::Detroit << u(u"3/é3/é") << u(u"dédé");
    QTest::newRow("cassette") << CodeId::Cassette << "4/1/8/8/11//19/11/14/8/26///"
                              << "hello world.";
    QTest::newRow("cassis") << CodeId::Cassis << "3/26/7/7/10//18/10/13/7/25///"
                            << "hello world.";
    QTest::newRow("feuille-a4") << CodeId::FeuilleA4 << "11/8/15/15/18//26/18/21/15/7///"
                                << "hello world.";
    QTest::newRow("miracle") << CodeId::Miracle << "13/10/17/17/20//2/20/23/17/9///"
                             << "hello world.";
    QTest::newRow("dedos") << CodeId::Dedos << "6/3/10/10/13//21/13/16/10/2///"
                           << "hello world.";
    QTest::newRow("avocat") << CodeId::Avocat << "r/o/v/v/y//g/y/b/v/n///"
                            << "HELLO WORLD.";
    QTest::newRow("avocat accents") << CodeId::Avocat << u(u"n/Én/É") << u(u"DÉDÉ");
    QTest::newRow("avocat a. b") << CodeId::Avocat << "k////l/"
                                 << "A. B";
    QTest::newRow("binaire") << CodeId::Binaire
                             << "0000/1000/0000/0101/0000/1100/0000/1100/0000/1111//0001/0111/0000/1111/0001/0010/"
                                "0000/1100/0000/0100///"
                             << "hello world.";
    QTest::newRow("binaire digit kept") << CodeId::Binaire << "0001/1010/0000/1111/0000/1111//2//"
                                        << "zoo 2.";
    // Cases where two messages code alike: one fixed answer.
    QTest::newRow("two blanks read as a full stop") << CodeId::Morse << u(u"·-///-···/") << "a.b";
    QTest::newRow("a blank then a stop read stop first") << CodeId::Detroit << "26////1/"
                                                         << "a. b";
    QTest::newRow("a typed digit joins the numbers") << CodeId::Detroit << "26/11/"
                                                     << "al";
    QTest::newRow("leading slashes") << CodeId::Caesar << "///d/"
                                     << ". A";
    QTest::newRow("empty") << CodeId::Binaire << ""
                           << "";
}

void TstDecode::examplesBackwards()
{
    QFETCH(CodeId, code);
    QFETCH(QString, coded);
    QFETCH(QString, decoded);
    const DecodeResult r = decode(code, coded);
    QCOMPARE(r.text, decoded);
    QCOMPARE(r.unreadable, 0);
    QCOMPARE(r.firstUnreadable, -1);
}

void TstDecode::unreadable_data()
{
    QTest::addColumn<CodeId>("code");
    QTest::addColumn<QString>("coded");
    QTest::addColumn<QString>("decoded");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("first");
    QTest::newRow("morse, six dots") << CodeId::Morse << u(u"·-/······/-/") << u(u"a······/t") << 1 << 3;
    QTest::newRow("morse, no slash at the end") << CodeId::Morse << u(u"·-/-·") << u(u"a-·") << 1 << 3;
    QTest::newRow("morse, typed hyphen joins a letter") << CodeId::Morse << u(u"·-/--···/") << u(u"a--···/") << 1 << 3;
    QTest::newRow("number outside 1-26") << CodeId::Detroit << "27/1/0/"
                                         << "27/b0/" << 2 << 0;
    QTest::newRow("token up to its slash") << CodeId::Morse << u(u"·-é/-/") << u(u"·-é/t") << 1 << 0;
    QTest::newRow("token up to a blank") << CodeId::Caesar << "ab d/"
                                         << "ab A" << 1 << 0;
    QTest::newRow("lone nibble") << CodeId::Binaire << "0000/0001/0011/"
                                 << "a0011/" << 1 << 10;
    QTest::newRow("nibble at the end") << CodeId::Binaire << "0000/0001/0000/"
                                       << "a0000/" << 1 << 10;
    QTest::newRow("polybe row 6") << CodeId::Polybe << "(6,1)/(1,1)/"
                                  << "(6,1)/A" << 1 << 0;
    QTest::newRow("polybe without slash") << CodeId::Polybe << "(1,1)/(1,2)"
                                          << "A(1,2)" << 1 << 6;
    QTest::newRow("morse2 lone P") << CodeId::Morse2 << "P/PPPPPPP/x"
                                   << "ePPPPPPP/x" << 1 << 2;
    QTest::newRow("plain text in caesar") << CodeId::Caesar << "ab/"
                                          << "ab/" << 1 << 0;
}

void TstDecode::unreadable()
{
    QFETCH(CodeId, code);
    QFETCH(QString, coded);
    QFETCH(QString, decoded);
    QFETCH(int, count);
    QFETCH(int, first);
    const DecodeResult r = decode(code, coded);
    QCOMPARE(r.text, decoded);
    QCOMPARE(r.unreadable, qsizetype(count));
    QCOMPARE(r.firstUnreadable, qsizetype(first));
}

void TstDecode::decoderFollowsItsTable()
{
    // Any encoder's table gives its decoder: here a made-up code whose
    // forms share their start, one that a later pair rewrites (b, through
    // z), and two letters with one form (c and d).
    static constexpr Pair pairs[] = {{u" ", u"/"},  {u"a", u"xy/"}, {u"b", u"xz/"}, {u"c", u"q/"},
                                     {u"d", u"q/"}, {u"z", u"yy"},  {u".", u"//"}};
    const Encoder encoder(CaseFolding::Lower, SubstitutionChain(pairs));
    const Decoder decoder(encoder);
    QCOMPARE(encoder.encode("ab. Cd"), QString("xy/xyy////q/q/"));
    const DecodeResult r = decoder.decode(encoder.encode("ab. Cd"));
    QCOMPARE(r.text, QString("ab. cc"));
    QCOMPARE(r.unreadable, 0);
    QCOMPARE(r.letters, 4);
    const DecodeResult bad = decoder.decode(QString("xq/xy/"));
    QCOMPARE(bad.text, QString("xq/a"));
    QCOMPARE(bad.unreadable, 1);
}

void TstDecode::streamCutAnywhere()
{
    // Coded text with noise (unreadable tokens, kept characters) fed in
    // pieces of random sizes gives what the whole text gives.
    const quint32 seed = testSeed();
    QRandomGenerator rng(seed);
    static const QString noise = u(u"·-/ 0123456789(),PO abz\r\né///");
    for (int n = 0; n < 400; ++n) {
        const CodeId code = CodeId(rng.bounded(kCodeCount));
        QString coded = encoder(code).encode(randomMessage(rng));
        for (int k = int(rng.bounded(4)); k > 0; --k)
            coded.insert(rng.bounded(coded.size() + 1), noise[rng.bounded(noise.size())]);
        const DecodeResult whole = decode(code, coded);
        StreamDecoder stream(decoder(code));
        QString out;
        qsizetype at = 0;
        while (at < coded.size()) {
            const qsizetype piece = std::min<qsizetype>(coded.size() - at, rng.bounded(1, 6));
            stream.feed(QStringView(coded).sliced(at, piece), false, out);
            at += piece;
        }
        stream.feed({}, true, out);
        const QString where =
            QStringLiteral("%1 «%2» (rerun with VELMORA_SEED=%3)").arg(codeName(code), coded).arg(seed);
        QVERIFY2(out == whole.text, qPrintable(where));
        QVERIFY2(stream.unreadable() == whole.unreadable, qPrintable(where));
        QVERIFY2(stream.firstUnreadable() == whole.firstUnreadable, qPrintable(where));
    }
}

void TstDecode::longUnreadableRunInAStream()
{
    // A run of dots far longer than any letter, in small pieces: one token,
    // passed on as it comes rather than held.
    const QString dots(100000, QChar(0x00B7));
    const QString coded = u(u"·-/") + dots + u(u"/-/");
    StreamDecoder stream(decoder(CodeId::Morse));
    QString out;
    for (qsizetype at = 0; at < coded.size(); at += 1000) {
        const qsizetype before = out.size();
        stream.feed(QStringView(coded).sliced(at, std::min<qsizetype>(1000, coded.size() - at)), false, out);
        if (at > 0 && at + 1000 < coded.size())
            QVERIFY(out.size() > before); // nothing piles up
    }
    stream.feed({}, true, out);
    QCOMPARE(out, QString(u(u"a") + dots + u(u"/t")));
    QCOMPARE(stream.unreadable(), 1);
    QCOMPARE(stream.firstUnreadable(), 3);
}

void TstDecode::bytesAgreeWithText_data()
{
    QTest::addColumn<CodeId>("code");
    for (int i = 0; i < kCodeCount; ++i)
        QTest::newRow(qPrintable(codeName(CodeId(i)))) << CodeId(i);
}

void TstDecode::bytesAgreeWithText()
{
    // The UTF-8 reader, in blocks large and small, gives what the text reader
    // gives: long coded texts with runs of slashes of every length, unknown
    // and overlong tokens and other characters at random places, so that
    // the fast whole-form path meets each of them at every position.
    QFETCH(CodeId, code);
    const quint32 seed = testSeed();
    QRandomGenerator rng(seed);
    static const QString noise = u(u"·-/ 0123456789(),PO abz\r\né€");
    const Decoder &d = decoder(code);
    for (int n = 0; n < 150; ++n) {
        QString coded;
        for (int k = int(rng.bounded(1, 12)); k > 0; --k)
            coded += encoder(code).encode(randomMessage(rng));
        for (int k = int(rng.bounded(8)); k > 0; --k) {
            const qsizetype at = rng.bounded(coded.size() + 1);
            switch (rng.bounded(4)) {
            case 0: // a run of slashes
                coded.insert(at, QString(int(rng.bounded(1, 40)), QLatin1Char('/')));
                break;
            case 1: // a token longer than any letter's form
                coded.insert(at, coded.mid(at, 20).remove(QLatin1Char('/')) + QLatin1Char('/'));
                break;
            default:
                coded.insert(at, noise[rng.bounded(noise.size())]);
                break;
            }
        }
        const DecodeResult whole = d.decode(coded);
        const QByteArray bytes = coded.toUtf8();
        const bool large = rng.bounded(2) == 0;
        std::vector<unsigned char> held;
        QByteArray out;
        Decoder::State state;
        qsizetype at = 0, offset = 0, unreadable = 0, letters = 0, first = -1;
        do {
            const qsizetype piece =
                std::min<qsizetype>(bytes.size() - at, large ? rng.bounded(64, 400) : rng.bounded(1, 20));
            held.insert(held.end(), bytes.constData() + at, bytes.constData() + at + piece);
            at += piece;
            const bool final = at == bytes.size();
            std::vector<unsigned char> room(held.size() + 1); // exactly the room the reader may use
            const Decoder::BlockResult r =
                d.decodeUtf8Block(held.data(), held.data() + held.size(), final, state, room.data());
            out.append(reinterpret_cast<const char *>(room.data()), r.written);
            if (r.unreadable > 0 && first < 0)
                first = offset + r.firstUnreadable;
            unreadable += r.unreadable;
            letters += r.letters;
            offset += r.consumed;
            held.erase(held.begin(), held.begin() + r.consumed);
        } while (at < bytes.size());
        const QString where =
            QStringLiteral("%1 «%2» (rerun with VELMORA_SEED=%3)").arg(codeName(code), coded).arg(seed);
        QVERIFY2(held.empty(), qPrintable(where));
        QVERIFY2(QString::fromUtf8(out) == whole.text, qPrintable(where));
        QVERIFY2(unreadable == whole.unreadable, qPrintable(where));
        QVERIFY2(letters == whole.letters, qPrintable(where));
        QVERIFY2(first == (whole.firstUnreadable < 0 ? -1 : coded.first(whole.firstUnreadable).toUtf8().size()),
                 qPrintable(where));
    }
}

void TstDecode::guessNamesTheCode_data()
{
    QTest::addColumn<CodeId>("code");
    QTest::addColumn<QString>("message");
    const QString fr = u(u"Le facteur passera demain matin avec un colis pour ta soeur.");
    const QString en = QStringLiteral("The river was high after the storm and the bridge was closed.");
    for (int i = 0; i < kCodeCount; ++i) {
        QTest::newRow(qPrintable(codeName(CodeId(i)) + QStringLiteral(" fr"))) << CodeId(i) << fr;
        QTest::newRow(qPrintable(codeName(CodeId(i)) + QStringLiteral(" en"))) << CodeId(i) << en;
    }
}

void TstDecode::guessNamesTheCode()
{
    QFETCH(CodeId, code);
    QFETCH(QString, message);
    const QList<GuessCandidate> ranking = guessCode(encoder(code).encode(message));
    QCOMPARE(codeName(ranking.front().code), codeName(code));
    QVERIFY(ranking.front().possible);
}

void TstDecode::guessRanksEveryCode()
{
    // Every code once; the number codes all read a number text, so they come
    // first (by score); Morse, Polybius, Binaire and the letter codes cannot.
    const QList<GuessCandidate> ranking =
        guessCode(encodeAlphaNum(AlphaNumCode::Miracle, QStringLiteral("nous partirons tous ensemble vers la mer")));
    QCOMPARE(ranking.size(), kCodeCount);
    QSet<int> seen;
    for (const GuessCandidate &c : ranking)
        seen.insert(int(c.code));
    QCOMPARE(seen.size(), kCodeCount);
    for (int i = 0; i < 6; ++i) {
        QVERIFY(ranking[i].possible);
        if (i > 0)
            QVERIFY(ranking[i - 1].score >= ranking[i].score);
    }
    QCOMPARE(ranking[0].code, CodeId::Miracle);
    QCOMPARE(ranking[0].language, GuessCandidate::Language::French);
    for (int i = 6; i < kCodeCount; ++i)
        QVERIFY(!ranking[i].possible);
}

void TstDecode::guessWithoutLetters()
{
    for (const QString &text : {QString(), QStringLiteral("123 !?"), QStringLiteral("///")}) {
        const QList<GuessCandidate> ranking = guessCode(text);
        QCOMPARE(ranking.size(), kCodeCount);
        for (const GuessCandidate &c : ranking)
            QVERIFY(!c.possible);
    }
}

QTEST_APPLESS_MAIN(TstDecode)
#include "tst_decode.moc"
