// Every entry of every local code, checked against the code as people state
// it: International Morse in its usual dot-and-dash strings, the alphabet
// shifted by arithmetic, the Polybius square by row and column, positions in
// binary. Nothing here is copied from the program's tables, so a wrong entry
// there (or a pair moved out of its place in a chain) makes a row fail.
#include "engine/codes.h"

#include <QSet>
#include <QTest>

#include <iterator>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::CodeId)

namespace {

const QString kAlphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyz");

// International Morse, as it is usually written: "." for a dot, "-" for a dash.
const char *const kInternationalMorse[26] = {
    ".-", "-...", "-.-.", "-..",  ".",   "..-.", "--.", "....", "..",   ".---", "-.-",  ".-..", "--",
    "-.", "---",  ".--.", "--.-", ".-.", "...",  "-",   "..-",  "...-", ".--",  "-..-", "-.--", "--..",
};

// The program writes a dot as `dot` and a dash as `dash`, puts one blank
// between two dashes that follow each other, and ends the letter with "/".
QString programMorse(const char *dotsAndDashes, QChar dot, QChar dash)
{
    QString out;
    for (const char *c = dotsAndDashes; *c; ++c) {
        const bool isDash = *c == '-';
        if (isDash && c != dotsAndDashes && c[-1] == '-')
            out += QLatin1Char(' ');
        out += isDash ? dash : dot;
    }
    return out + QLatin1Char('/');
}

const QChar kMiddleDot(0x00B7);

// The letter `shift` places further on, wrapping after z.
QChar shifted(int position, int shift)
{
    return kAlphabet.at((position + shift) % 26);
}

// The Polybius square, row by row; V and W share the second cell of row 5.
const char *const kSquare[5] = {"ABCDE", "FGHIJ", "KLMNO", "PQRST", "UVXYZ"};

QString polybiusCell(QChar capital)
{
    const char wanted = capital == QLatin1Char('W') ? 'V' : capital.toLatin1();
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 5; ++column) {
            if (kSquare[row][column] == wanted)
                return QStringLiteral("(%1,%2)/").arg(row + 1).arg(column + 1);
        }
    }
    return {}; // not in the square: the row then fails loudly
}

// The six letter-to-number codes differ only in the number that a receives;
// the alphabet is numbered on from there, 26 being followed by 1.
struct NumberCode {
    CodeId id;
    int numberOfA;
};
const NumberCode kNumberCodes[] = {
    {CodeId::Detroit, 26},  {CodeId::Cassette, 23}, {CodeId::Cassis, 22},
    {CodeId::FeuilleA4, 4}, {CodeId::Miracle, 6},   {CodeId::Dedos, 25},
};

QString fourBits(int value)
{
    return QStringLiteral("%1").arg(value, 4, 2, QLatin1Char('0'));
}

// Characters that no code has a pair for, with their small and capital forms:
// they come through unchanged, in the case the code folds to.
struct Bystander {
    char16_t character;
    char16_t small;
    char16_t capital;
};
const Bystander kBystanders[] = {
    {u'0', u'0', u'0'},
    {u'1', u'1', u'1'},
    {u'9', u'9', u'9'},
    {u',', u',', u','},
    {u'\'', u'\'', u'\''},
    {u'/', u'/', u'/'},
    {u'(', u'(', u'('},
    {u'!', u'!', u'!'},
    {u'\t', u'\t', u'\t'},
    {u'\r', u'\r', u'\r'},
    {u'\n', u'\n', u'\n'},
    {u'é', u'é', u'É'},
    {u'É', u'é', u'É'},
    {u'ç', u'ç', u'Ç'},
    {u'à', u'à', u'À'},
    {u'ß', u'ß', u'ß'},
    {u'\u00a0', u'\u00a0', u'\u00a0'},
    {u'-', u'-', u'-'},
    {u'\u00b7', u'\u00b7', u'\u00b7'},
};

struct CodeShape {
    CodeId id;
    const char *name;
    bool foldsToCapitals;
};
const CodeShape kShapes[] = {
    {CodeId::Morse, "morse", false},          {CodeId::Morse2, "morse2", false},
    {CodeId::Caesar, "caesar", true},         {CodeId::Polybe, "polybe", true},
    {CodeId::Detroit, "detroit", false},      {CodeId::Avocat, "avocat", true},
    {CodeId::Cassette, "cassette", false},    {CodeId::Cassis, "cassis", false},
    {CodeId::FeuilleA4, "feuille-a4", false}, {CodeId::Miracle, "miracle", false},
    {CodeId::Dedos, "dedos", false},          {CodeId::Binaire, "binaire", false},
};

// The code of the letter at `position` (0 for a) as the statement of each code gives it.
QString letterCode(CodeId id, int position)
{
    switch (id) {
    case CodeId::Morse:
        return programMorse(kInternationalMorse[position], kMiddleDot, QLatin1Char('-'));
    case CodeId::Morse2:
        return programMorse(kInternationalMorse[position], QLatin1Char('P'), QLatin1Char('O'));
    case CodeId::Caesar:
        return QString(shifted(position, 3)) + QLatin1Char('/');
    case CodeId::Avocat:
        return QString(shifted(position, 10)) + QLatin1Char('/');
    case CodeId::Polybe:
        return polybiusCell(kAlphabet.at(position).toUpper());
    case CodeId::Binaire:
        // The position (a = 1) in eight binary digits, as two groups of four.
        return fourBits((position + 1) >> 4) + QLatin1Char('/') + fourBits((position + 1) & 0xF) + QLatin1Char('/');
    default:
        for (const NumberCode &code : kNumberCodes) {
            if (code.id == id)
                return QString::number((code.numberOfA - 1 + position) % 26 + 1) + QLatin1Char('/');
        }
    }
    return {};
}

} // namespace

class TstTables : public QObject
{
    Q_OBJECT
private slots:
    void everyLetter_data();
    void everyLetter();
    void blankAndFullStop_data();
    void blankAndFullStop();
    void bystanders_data();
    void bystanders();
    void wholeAlphabet_data();
    void wholeAlphabet();
    void statementSanity();
};

// Each letter, small and capital, on its own and through both roads of the encoder.
void TstTables::everyLetter_data()
{
    QTest::addColumn<CodeId>("code");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("expected");
    for (const CodeShape &shape : kShapes) {
        for (int position = 0; position < 26; ++position) {
            const QString expected = letterCode(shape.id, position);
            const QString small = kAlphabet.mid(position, 1);
            QTest::addRow("%s %s", shape.name, qPrintable(small)) << shape.id << small << expected;
            QTest::addRow("%s %s", shape.name, qPrintable(small.toUpper())) << shape.id << small.toUpper() << expected;
        }
    }
}

void TstTables::everyLetter()
{
    QFETCH(CodeId, code);
    QFETCH(QString, letter);
    QFETCH(QString, expected);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(encoder(code).encode(letter), expected);
    QCOMPARE(encoder(code).encodeReference(letter), expected);
}

// Every code writes a blank as "/" and a full stop as "//".
void TstTables::blankAndFullStop_data()
{
    QTest::addColumn<CodeId>("code");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("expected");
    for (const CodeShape &shape : kShapes) {
        QTest::addRow("%s blank", shape.name) << shape.id << QStringLiteral(" ") << QStringLiteral("/");
        QTest::addRow("%s full stop", shape.name) << shape.id << QStringLiteral(".") << QStringLiteral("//");
    }
}

void TstTables::blankAndFullStop()
{
    QFETCH(CodeId, code);
    QFETCH(QString, character);
    QFETCH(QString, expected);
    QCOMPARE(encoder(code).encode(character), expected);
    QCOMPARE(encoder(code).encodeReference(character), expected);
}

// Characters outside a code's table pass through in folded case. Morse 2 is the
// one exception: it turns every middle dot into P and every hyphen into O,
// typed ones included.
void TstTables::bystanders_data()
{
    QTest::addColumn<CodeId>("code");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("expected");
    for (const CodeShape &shape : kShapes) {
        for (const Bystander &b : kBystanders) {
            QString expected(QChar(shape.foldsToCapitals ? b.capital : b.small));
            if (shape.id == CodeId::Morse2 && b.character == u'\u00b7')
                expected = QStringLiteral("P");
            if (shape.id == CodeId::Morse2 && b.character == u'-')
                expected = QStringLiteral("O");
            QTest::addRow("%s U+%04X", shape.name, unsigned(b.character))
                << shape.id << QString(QChar(b.character)) << expected;
        }
    }
}

void TstTables::bystanders()
{
    QFETCH(CodeId, code);
    QFETCH(QString, character);
    QFETCH(QString, expected);
    QCOMPARE(encoder(code).encode(character), expected);
    QCOMPARE(encoder(code).encodeReference(character), expected);
}

// A message using every letter in both cases, blanks, full stops and other
// characters codes to the codes of its characters one after the other.
void TstTables::wholeAlphabet_data()
{
    QTest::addColumn<CodeId>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");
    for (const CodeShape &shape : kShapes) {
        QString message;
        QString expected;
        for (int position = 0; position < 26; ++position) {
            message += kAlphabet.at(25 - position).toUpper();
            expected += letterCode(shape.id, 25 - position);
            message += kAlphabet.at(position);
            expected += letterCode(shape.id, position);
            if (position % 5 == 4) {
                message += position % 2 ? QStringLiteral(" ") : QStringLiteral(". ");
                expected += position % 2 ? QStringLiteral("/") : QStringLiteral("///");
            }
        }
        message += QStringLiteral("\r\n12é");
        expected += shape.foldsToCapitals ? QStringLiteral("\r\n12É") : QStringLiteral("\r\n12é");
        QTest::newRow(shape.name) << shape.id << message << expected;
    }
}

void TstTables::wholeAlphabet()
{
    QFETCH(CodeId, code);
    QFETCH(QString, message);
    QFETCH(QString, expected);
    QCOMPARE(encoder(code).encode(message), expected);
    QCOMPARE(encoder(code).encodeReference(message), expected);
}

// The statements above are themselves what the codes are known for.
void TstTables::statementSanity()
{
    // SOS, and the key words of the section texts: D is 3 in 'Détroit', A is K in 'Avocat'.
    QCOMPARE(programMorse(kInternationalMorse['s' - 'a'], kMiddleDot, QLatin1Char('-')), QStringLiteral("···/"));
    QCOMPARE(programMorse(kInternationalMorse['o' - 'a'], kMiddleDot, QLatin1Char('-')), QStringLiteral("- - -/"));
    QCOMPARE(letterCode(CodeId::Detroit, 'd' - 'a'), QStringLiteral("3/"));
    QCOMPARE(letterCode(CodeId::Avocat, 0), QStringLiteral("k/"));
    QCOMPARE(letterCode(CodeId::Polybe, 'w' - 'a'), QStringLiteral("(5,2)/"));
    QCOMPARE(letterCode(CodeId::Binaire, 'z' - 'a'), QStringLiteral("0001/1010/"));
    QCOMPARE(int(std::size(kShapes)), kCodeCount);
    // Each code gives 26 different letter codes, except Polybius where V and W meet.
    for (const CodeShape &shape : kShapes) {
        QSet<QString> seen;
        for (int position = 0; position < 26; ++position)
            seen.insert(letterCode(shape.id, position));
        QCOMPARE(seen.size(), shape.id == CodeId::Polybe ? 25 : 26);
    }
}

QTEST_GUILESS_MAIN(TstTables)
#include "tst_tables.moc"
