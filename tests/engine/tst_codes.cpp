// Every local code against its worked examples and edge cases.
#include "engine/codes.h"

#include <QSet>
#include <QTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::CodeId)
Q_DECLARE_METATYPE(velmora::AlphaNumCode)

class TstCodes : public QObject
{
    Q_OBJECT
private slots:
    void examples_data();
    void examples();
    void operationsMatchEncoders();
    void alphaNumFromText_data();
    void alphaNumFromText();
    void itemTexts();
    void numberCodesFollowTheirShift_data();
    void numberCodesFollowTheirShift();
    void binaireShape();
    void avocatEveryLetterOnce();
};

void TstCodes::examples_data()
{
    QTest::addColumn<CodeId>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, CodeId code, const QString &message, const QString &expected) {
        QTest::newRow(name) << code << message << expected;
    };
    using C = CodeId;
    // Morse
    row("morse SOS", C::Morse, "SOS", "···/- - -/···/");
    row("morse hello", C::Morse, "Hello World.", "····/·/·-··/·-··/- - -//·- -/- - -/·-·/·-··/-··///");
    row("morse abc xyz", C::Morse, "abc xyz", "·-/-···/-·-·//-··-/-·- -/- -··/");
    row("morse empty", C::Morse, "", "");
    row("morse digits", C::Morse, "2 chats", "2/-·-·/····/·-/-/···/");
    row("morse accent", C::Morse, "Ave César", "·-/···-/·//-·-·/é···/·-/·-·/");
    row("morse typed symbols", C::Morse, "a-b/c", "·-/--···//-·-·/");
    row("morse two lines", C::Morse, "AB\r\nC", "·-/-···/\r\n-·-·/");
    row("morse tab", C::Morse, "a\tb", "·-/\t-···/");
    // Morse 2
    row("morse2 SOS", C::Morse2, "SOS", "PPP/O O O/PPP/");
    row("morse2 hello", C::Morse2, "Hello World.", "PPPP/P/POPP/POPP/O O O//PO O/O O O/POP/POPP/OPP///");
    row("morse2 abc xyz", C::Morse2, "abc xyz", "PO/OPPP/OPOP//OPPO/OPO O/O OPP/");
    row("morse2 empty", C::Morse2, "", "");
    row("morse2 typed hyphen", C::Morse2, "a-b/c", "PO/OOPPP//OPOP/");
    row("morse2 typed dot and hyphen", C::Morse2, "·-", "PO");
    row("morse2 digits", C::Morse2, "2 chats", "2/OPOP/PPPP/PO/O/PPP/");
    // Caesar
    row("caesar hello", C::Caesar, "Hello World.", "k/h/o/o/r//z/r/u/o/g///");
    row("caesar abc xyz", C::Caesar, "abc xyz", "d/e/f//a/b/c/");
    row("caesar accent", C::Caesar, "Ave César", "d/y/h//f/Év/d/u/");
    row("caesar digits", C::Caesar, "2 chats", "2/f/k/d/w/v/");
    row("caesar empty", C::Caesar, "", "");
    row("caesar A1", C::Caesar, "A1", "d/1");
    row("caesar two lines", C::Caesar, "AB\r\nC", "d/e/\r\nf/");
    row("caesar typed symbols", C::Caesar, "a-b/c", "d/-e//f/");
    row("caesar full stop", C::Caesar, "e.", "h///");
    // Polybius
    row("polybe hello", C::Polybe, "Hello World.", "(2,3)/(1,5)/(3,2)/(3,2)/(3,5)//(5,2)/(3,5)/(4,3)/(3,2)/(1,4)///");
    row("polybe abc xyz", C::Polybe, "abc xyz", "(1,1)/(1,2)/(1,3)//(5,3)/(5,4)/(5,5)/");
    row("polybe wagon", C::Polybe, "Wagon", "(5,2)/(1,1)/(2,2)/(3,5)/(3,4)/");
    row("polybe empty", C::Polybe, "", "");
    row("polybe vw", C::Polybe, "vw", "(5,2)/(5,2)/");
    row("polybe accent", C::Polybe, "Ave César", "(1,1)/(5,2)/(1,5)//(1,3)/É(4,4)/(1,1)/(4,3)/");
    row("polybe digits", C::Polybe, "2 chats", "2/(1,3)/(2,3)/(1,1)/(4,5)/(4,4)/");
    row("polybe typed code", C::Polybe, "(1,1)", "(1,1)");
    row("polybe two lines", C::Polybe, "AB\r\nC", "(1,1)/(1,2)/\r\n(1,3)/");
    // Letter-to-number codes
    row("detroit abc", C::Detroit, "abc", "26/1/2/");
    row("cassette abc", C::Cassette, "abc", "23/24/25/");
    row("cassis abc", C::Cassis, "abc", "22/23/24/");
    row("feuille abc", C::FeuilleA4, "abc", "4/5/6/");
    row("miracle abc", C::Miracle, "abc", "6/7/8/");
    row("dedos abc", C::Dedos, "abc", "25/26/1/");
    row("detroit hello", C::Detroit, "Hello world.", "7/4/11/11/14//22/14/17/11/3///");
    row("cassette hello", C::Cassette, "Hello world.", "4/1/8/8/11//19/11/14/8/26///");
    row("cassis hello", C::Cassis, "Hello world.", "3/26/7/7/10//18/10/13/7/25///");
    row("feuille hello", C::FeuilleA4, "Hello world.", "11/8/15/15/18//26/18/21/15/7///");
    row("miracle hello", C::Miracle, "Hello world.", "13/10/17/17/20//2/20/23/17/9///");
    row("dedos hello", C::Dedos, "Hello world.", "6/3/10/10/13//21/13/16/10/2///");
    row("detroit zoo", C::Detroit, "zoo 2.", "25/14/14//2//");
    row("detroit juillet", C::Detroit, "Le 14 Juillet.", "11/4//14/9/20/8/11/11/4/19///");
    row("detroit dede", C::Detroit, "Dédé", "3/é3/é");
    row("detroit A1b", C::Detroit, "A1b", "26/11/");
    row("detroit lines", C::Detroit, "x\r\ny", "23/\r\n24/");
    row("detroit word break", C::Detroit, "a b", "26//1/");
    row("detroit stop blank", C::Detroit, "a. b", "26////1/");
    row("detroit empty", C::Detroit, "", "");
    row("detroit two blanks", C::Detroit, "  ", "//");
    row("detroit no letters", C::Detroit, "é!", "é!");
    row("detroit digits", C::Detroit, "123", "123");
    row("detroit capitals", C::Detroit, "ABC", "26/1/2/");
    row("dedos k and c", C::Dedos, "kc", "9/1/");
    row("detroit initial message", C::Detroit, "Votre Message ICI\r\n", "21/14/19/17/4//12/4/18/18/26/6/4//8/2/8/\r\n");
    // 'Avocat'
    row("avocat abc", C::Avocat, "abc", "k/l/m/");
    row("avocat hello", C::Avocat, "Hello world.", "r/o/v/v/y//g/y/b/v/n///");
    row("avocat zoo", C::Avocat, "zoo 2.", "j/y/y//2//");
    row("avocat juillet", C::Avocat, "Le 14 Juillet.", "v/o//14/t/e/s/v/v/o/d///");
    row("avocat dede", C::Avocat, "Dédé", "n/Én/É");
    row("avocat stop blank", C::Avocat, "a. b", "k////l/");
    row("avocat empty", C::Avocat, "", "");
    row("avocat capitals", C::Avocat, "ABC", "k/l/m/");
    row("avocat A", C::Avocat, "A", "k/");
    row("avocat digits", C::Avocat, "123", "123");
    // Binaire
    row("binaire abc", C::Binaire, "abc", "0000/0001/0000/0010/0000/0011/");
    row("binaire hello", C::Binaire, "Hello world.",
        "0000/1000/0000/0101/0000/1100/0000/1100/0000/1111//0001/0111/0000/1111/0001/0010/0000/1100/0000/0100///");
    row("binaire zoo", C::Binaire, "zoo 2.", "0001/1010/0000/1111/0000/1111//2//");
    row("binaire rsu", C::Binaire, "rsu", "0001/0010/0001/0011/0001/0101/");
    row("binaire stop blank", C::Binaire, "a. b", "0000/0001////0000/0010/");
    row("binaire dede", C::Binaire, "Dédé", "0000/0100/é0000/0100/é");
    row("binaire empty", C::Binaire, "", "");
    row("binaire z", C::Binaire, "z", "0001/1010/");
    row("binaire p", C::Binaire, "p", "0001/0000/");
    row("binaire capitals", C::Binaire, "ABC", "0000/0001/0000/0010/0000/0011/");
    row("binaire own digits", C::Binaire, "10", "10");
}

void TstCodes::examples()
{
    QFETCH(CodeId, code);
    QFETCH(QString, message);
    QFETCH(QString, expected);
    QCOMPARE(encoder(code).encode(message), expected);
    QCOMPARE(encoder(code).encodeReference(message), expected);
}

void TstCodes::operationsMatchEncoders()
{
    const QString m = QStringLiteral("Ave César, 2 chats.\r\n");
    QCOMPARE(encodeMorse(m), encoder(CodeId::Morse).encodeReference(m));
    QCOMPARE(encodeMorse2(m), encoder(CodeId::Morse2).encodeReference(m));
    QCOMPARE(encodeCaesar(m), encoder(CodeId::Caesar).encodeReference(m));
    QCOMPARE(encodePolybe(m), encoder(CodeId::Polybe).encodeReference(m));
    for (AlphaNumCode code : kAlphaNumCodes)
        QCOMPARE(encodeAlphaNum(code, m), encoder(codeIdOf(code)).encodeReference(m));
}

void TstCodes::alphaNumFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<AlphaNumCode>("code");
    QTest::newRow("Détroit") << "'Détroit'" << AlphaNumCode::Detroit;
    QTest::newRow("Avocat") << "'Avocat'" << AlphaNumCode::Avocat;
    QTest::newRow("Cassette") << "'Cassette'" << AlphaNumCode::Cassette;
    QTest::newRow("Cassis") << "'Cassis'" << AlphaNumCode::Cassis;
    QTest::newRow("Feuille A4") << "'Feuille A4'" << AlphaNumCode::FeuilleA4;
    QTest::newRow("Miracle") << "'Miracle'" << AlphaNumCode::Miracle;
    QTest::newRow("Dedos") << "'Dedos'" << AlphaNumCode::Dedos;
    QTest::newRow("Binaire") << "Binaire" << AlphaNumCode::Binaire;
    QTest::newRow("initial field") << "Coder en..." << AlphaNumCode::Detroit;
    QTest::newRow("empty") << "" << AlphaNumCode::Detroit;
    QTest::newRow("no apostrophes") << "Avocat" << AlphaNumCode::Detroit;
    QTest::newRow("lower-case b") << "binaire" << AlphaNumCode::Detroit;
    QTest::newRow("trailing blank") << "Binaire " << AlphaNumCode::Detroit;
    QTest::newRow("decomposed accent") << QString::fromUtf16(u"'De\u0301troit'") << AlphaNumCode::Detroit;
    QTest::newRow("Cassis capitals") << "'CASSIS'" << AlphaNumCode::Detroit;
}

void TstCodes::alphaNumFromText()
{
    QFETCH(QString, text);
    QFETCH(AlphaNumCode, code);
    QCOMPARE(alphaNumCodeFromText(text), code);
}

void TstCodes::itemTexts()
{
    const QStringList expected = {"'Détroit'",    "'Avocat'",  "'Cassette'", "'Cassis'",
                                  "'Feuille A4'", "'Miracle'", "'Dedos'",    "Binaire"};
    QCOMPARE(alphaNumItemTexts(), expected);
    QCOMPARE(alphaNumItemTexts().at(0).at(2), QChar(0x00E9)); // one precomposed é
}

void TstCodes::numberCodesFollowTheirShift_data()
{
    QTest::addColumn<AlphaNumCode>("code");
    QTest::addColumn<int>("shift");
    QTest::newRow("Détroit") << AlphaNumCode::Detroit << 25;
    QTest::newRow("Cassette") << AlphaNumCode::Cassette << 22;
    QTest::newRow("Cassis") << AlphaNumCode::Cassis << 21;
    QTest::newRow("Feuille A4") << AlphaNumCode::FeuilleA4 << 3;
    QTest::newRow("Miracle") << AlphaNumCode::Miracle << 5;
    QTest::newRow("Dedos") << AlphaNumCode::Dedos << 24;
}

void TstCodes::numberCodesFollowTheirShift()
{
    // Each letter at position p is worth ((p - 1 + s) mod 26) + 1, and every
    // number from 1 to 26 is used once.
    QFETCH(AlphaNumCode, code);
    QFETCH(int, shift);
    QSet<int> seen;
    for (int p = 1; p <= 26; ++p) {
        const QString letter(QChar(u'a' + p - 1));
        const int number = (p - 1 + shift) % 26 + 1;
        QCOMPARE(encodeAlphaNum(code, letter), QString::number(number) + u'/');
        seen.insert(number);
    }
    QCOMPARE(seen.size(), 26);
}

void TstCodes::binaireShape()
{
    QSet<QString> codes;
    for (int p = 1; p <= 26; ++p) {
        const QString coded = encodeAlphaNum(AlphaNumCode::Binaire, QString(QChar(u'a' + p - 1)));
        QCOMPARE(coded.size(), 10);
        const QString digits = QString::number(p, 2).rightJustified(8, u'0');
        QCOMPARE(coded, digits.left(4) + u'/' + digits.mid(4) + u'/');
        codes.insert(coded);
    }
    QCOMPARE(codes.size(), 26);
    QVERIFY(!encodeAlphaNum(AlphaNumCode::Binaire, "Le 14 Juillet.\r\nà bientôt  !").contains(u' '));
}

void TstCodes::avocatEveryLetterOnce()
{
    QCOMPARE(encodeAlphaNum(AlphaNumCode::Avocat, "abcdefghijklmnopqrstuvwxyz"),
             QString("k/l/m/n/o/p/q/r/s/t/u/v/w/x/y/z/a/b/c/d/e/f/g/h/i/j/"));
}

QTEST_APPLESS_MAIN(TstCodes)
#include "tst_codes.moc"
