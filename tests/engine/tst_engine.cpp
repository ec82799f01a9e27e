// The substitution engine: ReplaceAll, case folding, chains, and the compiled
// road held equal to the reference road.
#include "engine/codes.h"

#include <QRandomGenerator>
#include <QTest>

using namespace velmora;

namespace {
QString u(const char16_t *s)
{
    return QString::fromUtf16(s);
}
} // namespace

class TstEngine : public QObject
{
    Q_OBJECT
private slots:
    void replaceAll_data();
    void replaceAll();
    void chainRewritesEarlierOutput();
    void folding_data();
    void folding();
    void compiledEqualsReference();
    void compiledEqualsReferenceOnEveryUnit();
    void longMessage();
    void longReplacements_data();
    void longReplacements();
};

void TstEngine::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty text") << ""
                                << "a"
                                << "b"
                                << "";
    QTest::newRow("empty find") << "abc"
                                << ""
                                << "x"
                                << "abc";
    QTest::newRow("leftmost, no overlap") << "aaa"
                                          << "aa"
                                          << "b"
                                          << "ba";
    QTest::newRow("inserted text not rescanned") << "aa"
                                                 << "a"
                                                 << "aa"
                                                 << "aaaa";
    QTest::newRow("case-sensitive") << "Aa"
                                    << "a"
                                    << "x"
                                    << "Ax";
    QTest::newRow("no match") << "xyz"
                              << "a"
                              << "b"
                              << "xyz";
    QTest::newRow("match at both ends") << "abca"
                                        << "a"
                                        << "--"
                                        << "--bc--";
    QTest::newRow("CR LF kept") << "a\r\nb"
                                << "b"
                                << "B"
                                << "a\r\nB";
    QTest::newRow("longer find") << "abcabcab"
                                 << "abc"
                                 << "X"
                                 << "XXab";
}

void TstEngine::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    const QString before = text;
    QCOMPARE(ReplaceAll(text, find, replacement), expected);
    QCOMPARE(text, before); // the input is not changed
}

void TstEngine::chainRewritesEarlierOutput()
{
    static constexpr Pair pairs[] = {{u"a", u"b"}, {u"b", u"c"}};
    const SubstitutionChain chain(pairs);
    QCOMPARE(chain.applyReference("ab"), QString("cc"));
    const Encoder encoder(CaseFolding::Lower, chain);
    QCOMPARE(encoder.encode("AB"), QString("cc"));

    // A chain with a find of two code units cannot be compiled; it still codes.
    static constexpr Pair wide[] = {{u"ab", u"X"}, {u"X", u"YY"}};
    const Encoder wideEncoder(CaseFolding::Lower, SubstitutionChain(wide));
    QCOMPARE(wideEncoder.encode("AbAB b"), QString("YYYY b"));
}

void TstEngine::folding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::newRow("ascii") << "Hello World."
                           << "HELLO WORLD."
                           << "hello world.";
    QTest::newRow("accents") << "Éé àÀ çÇ"
                             << "ÉÉ ÀÀ ÇÇ"
                             << "éé àà çç";
    QTest::newRow("sharp s stays") << "ß"
                                   << "ß"
                                   << "ß";
    QTest::newRow("dotted capital I") << u(u"\u0130") << u(u"\u0130") << "i";
    QTest::newRow("greek with ypogegrammeni") << u(u"\u1FB3\u1F80") << u(u"\u1FBC\u1F88") << u(u"\u1FB3\u1F80");
    QTest::newRow("greek final sigma") << "ς"
                                       << "Σ"
                                       << "ς";
    QTest::newRow("digits punctuation breaks") << "12\t;\r\n!"
                                               << "12\t;\r\n!"
                                               << "12\t;\r\n!";
    // Deseret letters live outside the BMP and fold as surrogate pairs.
    QTest::newRow("surrogate pair") << u(u"\U00010428x") << u(u"\U00010400X") << u(u"\U00010428x");
    QTest::newRow("lone high surrogate") << u(u"a\xD801") << u(u"A\xD801") << u(u"a\xD801");
    QTest::newRow("lone low surrogate") << u(u"\xDC00"
                                             u"b")
                                        << u(u"\xDC00"
                                             u"B")
                                        << u(u"\xDC00"
                                             u"b");
    QTest::newRow("reversed pair") << u(u"\xDC28\xD801") << u(u"\xDC28\xD801") << u(u"\xDC28\xD801");
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TstEngine::folding()
{
    QFETCH(QString, text);
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QCOMPARE(toUpperText(text), upper);
    QCOMPARE(toLowerText(text), lower);
    QCOMPARE(toUpperText(text).size(), text.size());
}

namespace {

// Random text built from the characters the codes care about and from all
// over UTF-16: letters, accents, CR LF, tabs, digits, the code's own symbols,
// paired and lone surrogates, any BMP unit.
QString randomText(QRandomGenerator &rng)
{
    static const QString common = QString::fromUtf16(u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                     u"      ...,;!?-/·0123456789éèàçÉÈÀÇßİıſ\u212A\t\r\n");
    const int length = int(rng.bounded(80));
    QString text;
    text.reserve(length * 2);
    for (int i = 0; i < length; ++i) {
        switch (rng.bounded(10)) {
        case 0:
            text.append(QChar(char16_t(rng.bounded(0x10000)))); // anything, lone surrogates too
            break;
        case 1: {
            const char32_t cp = 0x10000 + rng.bounded(0x100000);
            text.append(QChar::fromUcs4(cp));
            break;
        }
        case 2: // a Deseret letter, which has a case pair
            text.append(QChar::fromUcs4(0x10400 + rng.bounded(0x50)));
            break;
        default:
            text.append(common[rng.bounded(common.size())]);
        }
    }
    return text;
}

} // namespace

void TstEngine::compiledEqualsReference()
{
    const quint32 seed = qEnvironmentVariableIsSet("VELMORA_SEED")
                             ? quint32(qEnvironmentVariableIntValue("VELMORA_SEED"))
                             : QRandomGenerator::global()->generate();
    QRandomGenerator rng(seed);
    for (int n = 0; n < 10000; ++n) {
        const QString text = randomText(rng);
        for (int id = 0; id < kCodeCount; ++id) {
            const Encoder &e = encoder(CodeId(id));
            const QString compiled = e.encode(text);
            const QString reference = e.encodeReference(text);
            if (compiled != reference) {
                QFAIL(qPrintable(QStringLiteral("code %1 differs on text #%2 (seed %3, rerun with VELMORA_SEED=%3)")
                                     .arg(codeName(CodeId(id)))
                                     .arg(n)
                                     .arg(seed)));
            }
        }
    }
}

void TstEngine::compiledEqualsReferenceOnEveryUnit()
{
    // Every BMP code unit on its own, through every code.
    QString all;
    for (char32_t c = 0; c < 0x10000; ++c)
        all.append(QChar(char16_t(c)));
    for (int id = 0; id < kCodeCount; ++id) {
        const Encoder &e = encoder(CodeId(id));
        QCOMPARE(e.encode(all), e.encodeReference(all));
    }
}

void TstEngine::longMessage()
{
    // A message of several megabytes codes in one piece, with nothing lost.
    const QString line = QStringLiteral("Le 14 Juillet. Ave César!\r\n");
    QString big;
    for (int i = 0; i < 200000; ++i)
        big += line;
    const QString coded = encodeCaesar(big);
    QCOMPARE(coded, encodeCaesar(line).repeated(200000));
}

// Chains whose Latin-1 units give more than a slot of output (16 units) and
// up to the table's largest replacement: the output is sized from these
// lengths, so a wrong one would write past its end (caught under ASan) or
// cut the coded text.
namespace {
constexpr Pair kSeventeen[] = {{u"a", u"bbbbbbbbbbbbbbbbb"}};
// A chain: a becomes ten b and a c, each b then ccc, so a gives 31 units.
constexpr Pair kChained[] = {{u"a", u"bbbbbbbbbbc"}, {u"b", u"ccc"}, {u"\u00e9", u"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"}};
constexpr Pair kMixed[] = {{u"a", u"0123456789012345678"}, {u"b", u"short"}, {u" ", u"////////////////////"}};
const std::span<const Pair> kLongChains[] = {kSeventeen, kChained, kMixed};
} // namespace

void TstEngine::longReplacements_data()
{
    QTest::addColumn<int>("chain");
    QTest::addColumn<QString>("message");
    QTest::newRow("one unit, 17") << 0 << QString("aaXa");
    QTest::newRow("chained to 31, and 32") << 1 << QString::fromUtf16(u"ab\u00e9a\u00e9AB");
    QTest::newRow("long and short mixed") << 2 << QString("a b a b  ab\r\n");
}

void TstEngine::longReplacements()
{
    QFETCH(int, chain);
    QFETCH(QString, message);
    const Encoder encoder(CaseFolding::Lower, SubstitutionChain(kLongChains[chain]));
    QString big;
    for (int i = 0; i < 300; ++i)
        big += message;
    for (const QString &text : {message, big}) {
        const QString reference = encoder.encodeReference(text);
        QVERIFY(reference.size() > 16 * text.count(QLatin1Char('a')));
        const char16_t *b = reinterpret_cast<const char16_t *>(text.constData());
        QCOMPARE(encoder.encodedLength(b, b + text.size()), reference.size());
        QCOMPARE(encoder.encode(text), reference);
    }
}

QTEST_APPLESS_MAIN(TstEngine)
#include "tst_engine.moc"
