#include "codes.h"

#include <string_view>

namespace velmora {
namespace {

// ---------------------------------------------------------------------------
// Morse: lower-case, then 28 pairs. The blank pair comes first, so the blanks
// that the letters put between two dashes stay blanks.
constexpr Pair kMorsePairs[] = {
    {u" ", u"/"},     {u"a", u"·-/"},    {u"b", u"-···/"},  {u"c", u"-·-·/"},  {u"d", u"-··/"},    {u"e", u"·/"},
    {u"f", u"··-·/"}, {u"g", u"- -·/"},  {u"h", u"····/"},  {u"i", u"··/"},    {u"j", u"·- - -/"}, {u"k", u"-·-/"},
    {u"l", u"·-··/"}, {u"m", u"- -/"},   {u"n", u"-·/"},    {u"o", u"- - -/"}, {u"p", u"·- -·/"},  {u"q", u"- -·-/"},
    {u"r", u"·-·/"},  {u"s", u"···/"},   {u"t", u"-/"},     {u"u", u"··-/"},   {u"v", u"···-/"},   {u"w", u"·- -/"},
    {u"x", u"-··-/"}, {u"y", u"-·- -/"}, {u"z", u"- -··/"}, {u".", u"//"},
};

// Morse 2: the Morse pairs, then every middle dot becomes P and every hyphen
// O, also those typed in the message.
template <std::size_t N>
constexpr std::array<Pair, N + 2> withMorse2Letters(const Pair (&morse)[N])
{
    std::array<Pair, N + 2> all{};
    for (std::size_t i = 0; i < N; ++i)
        all[i] = morse[i];
    all[N] = {u"·", u"P"};
    all[N + 1] = {u"-", u"O"};
    return all;
}
constexpr auto kMorse2Pairs = withMorse2Letters(kMorsePairs);

// ---------------------------------------------------------------------------
// Caesar: upper-case, each capital becomes the letter three places on, in
// lower case and with a slash; X, Y and Z wrap to a, b and c.
constexpr Pair kCaesarPairs[] = {
    {u"A", u"d/"}, {u"B", u"e/"}, {u"C", u"f/"}, {u"D", u"g/"}, {u"E", u"h/"}, {u"F", u"i/"}, {u"G", u"j/"},
    {u"H", u"k/"}, {u"I", u"l/"}, {u"J", u"m/"}, {u"K", u"n/"}, {u"L", u"o/"}, {u"M", u"p/"}, {u"N", u"q/"},
    {u"O", u"r/"}, {u"P", u"s/"}, {u"Q", u"t/"}, {u"R", u"u/"}, {u"S", u"v/"}, {u"T", u"w/"}, {u"U", u"x/"},
    {u"V", u"y/"}, {u"W", u"z/"}, {u"X", u"a/"}, {u"Y", u"b/"}, {u"Z", u"c/"}, {u" ", u"/"},  {u".", u"//"},
};

// ---------------------------------------------------------------------------
// Polybius square, upper-case. Rows and columns 1 to 5:
//        1  2    3  4  5
//    1   A  B    C  D  E
//    2   F  G    H  I  J
//    3   K  L    M  N  O
//    4   P  Q    R  S  T
//    5   U  V/W  X  Y  Z
// The square shares one cell for V and W.
constexpr Pair kPolybePairs[] = {
    {u"A", u"(1,1)/"}, {u"B", u"(1,2)/"}, {u"C", u"(1,3)/"}, {u"D", u"(1,4)/"}, {u"E", u"(1,5)/"}, {u"F", u"(2,1)/"},
    {u"G", u"(2,2)/"}, {u"H", u"(2,3)/"}, {u"I", u"(2,4)/"}, {u"J", u"(2,5)/"}, {u"K", u"(3,1)/"}, {u"L", u"(3,2)/"},
    {u"M", u"(3,3)/"}, {u"N", u"(3,4)/"}, {u"O", u"(3,5)/"}, {u"P", u"(4,1)/"}, {u"Q", u"(4,2)/"}, {u"R", u"(4,3)/"},
    {u"S", u"(4,4)/"}, {u"T", u"(4,5)/"}, {u"U", u"(5,1)/"}, {u"V", u"(5,2)/"}, {u"W", u"(5,2)/"}, {u"X", u"(5,3)/"},
    {u"Y", u"(5,4)/"}, {u"Z", u"(5,5)/"}, {u" ", u"/"},      {u".", u"//"},
};

// ---------------------------------------------------------------------------
// The six letter-to-number AlphaNum codes, lower-case. Each letter becomes a
// number from 1 to 26 and a slash; the codes differ only in the number of a.
constexpr std::u16string_view kSmallLetters = u"abcdefghijklmnopqrstuvwxyz";

enum NumberColumn { ColDetroit, ColCassette, ColCassis, ColFeuilleA4, ColMiracle, ColDedos, kNumberColumns };

struct NumberRow {
    std::u16string_view numbers[kNumberColumns];
};

//                      'Détroit' 'Cassette' 'Cassis' 'Feuille A4' 'Miracle' 'Dedos'
constexpr NumberRow kNumberRows[26] = {
    /* a */ {{u"26/", u"23/", u"22/", u"4/", u"6/", u"25/"}},
    /* b */ {{u"1/", u"24/", u"23/", u"5/", u"7/", u"26/"}},
    /* c */ {{u"2/", u"25/", u"24/", u"6/", u"8/", u"1/"}},
    /* d */ {{u"3/", u"26/", u"25/", u"7/", u"9/", u"2/"}},
    /* e */ {{u"4/", u"1/", u"26/", u"8/", u"10/", u"3/"}},
    /* f */ {{u"5/", u"2/", u"1/", u"9/", u"11/", u"4/"}},
    /* g */ {{u"6/", u"3/", u"2/", u"10/", u"12/", u"5/"}},
    /* h */ {{u"7/", u"4/", u"3/", u"11/", u"13/", u"6/"}},
    /* i */ {{u"8/", u"5/", u"4/", u"12/", u"14/", u"7/"}},
    /* j */ {{u"9/", u"6/", u"5/", u"13/", u"15/", u"8/"}},
    /* k */ {{u"10/", u"7/", u"6/", u"14/", u"16/", u"9/"}},
    /* l */ {{u"11/", u"8/", u"7/", u"15/", u"17/", u"10/"}},
    /* m */ {{u"12/", u"9/", u"8/", u"16/", u"18/", u"11/"}},
    /* n */ {{u"13/", u"10/", u"9/", u"17/", u"19/", u"12/"}},
    /* o */ {{u"14/", u"11/", u"10/", u"18/", u"20/", u"13/"}},
    /* p */ {{u"15/", u"12/", u"11/", u"19/", u"21/", u"14/"}},
    /* q */ {{u"16/", u"13/", u"12/", u"20/", u"22/", u"15/"}},
    /* r */ {{u"17/", u"14/", u"13/", u"21/", u"23/", u"16/"}},
    /* s */ {{u"18/", u"15/", u"14/", u"22/", u"24/", u"17/"}},
    /* t */ {{u"19/", u"16/", u"15/", u"23/", u"25/", u"18/"}},
    /* u */ {{u"20/", u"17/", u"16/", u"24/", u"26/", u"19/"}},
    /* v */ {{u"21/", u"18/", u"17/", u"25/", u"1/", u"20/"}},
    /* w */ {{u"22/", u"19/", u"18/", u"26/", u"2/", u"21/"}},
    /* x */ {{u"23/", u"20/", u"19/", u"1/", u"3/", u"22/"}},
    /* y */ {{u"24/", u"21/", u"20/", u"2/", u"4/", u"23/"}},
    /* z */ {{u"25/", u"22/", u"21/", u"3/", u"5/", u"24/"}},
};

// Pairs 1 to 26 from one column of the table above, then the blank and the
// full stop.
constexpr std::array<Pair, 28> numberChain(NumberColumn column)
{
    std::array<Pair, 28> pairs{};
    for (std::size_t i = 0; i < 26; ++i)
        pairs[i] = {kSmallLetters.substr(i, 1), kNumberRows[i].numbers[column]};
    pairs[26] = {u" ", u"/"};
    pairs[27] = {u".", u"//"};
    return pairs;
}
constexpr auto kDetroitPairs = numberChain(ColDetroit);
constexpr auto kCassettePairs = numberChain(ColCassette);
constexpr auto kCassisPairs = numberChain(ColCassis);
constexpr auto kFeuilleA4Pairs = numberChain(ColFeuilleA4);
constexpr auto kMiraclePairs = numberChain(ColMiracle);
constexpr auto kDedosPairs = numberChain(ColDedos);

// ---------------------------------------------------------------------------
// 'Avocat', upper-case: each capital becomes the small letter ten places on
// (A is worth K). The comparison being case-sensitive, the small letters it
// writes are never coded again.
constexpr Pair kAvocatPairs[] = {
    {u"A", u"k/"}, {u"B", u"l/"}, {u"C", u"m/"}, {u"D", u"n/"}, {u"E", u"o/"}, {u"F", u"p/"}, {u"G", u"q/"},
    {u"H", u"r/"}, {u"I", u"s/"}, {u"J", u"t/"}, {u"K", u"u/"}, {u"L", u"v/"}, {u"M", u"w/"}, {u"N", u"x/"},
    {u"O", u"y/"}, {u"P", u"z/"}, {u"Q", u"a/"}, {u"R", u"b/"}, {u"S", u"c/"}, {u"T", u"d/"}, {u"U", u"e/"},
    {u"V", u"f/"}, {u"W", u"g/"}, {u"X", u"h/"}, {u"Y", u"i/"}, {u"Z", u"j/"}, {u" ", u"/"},  {u".", u"//"},
};

// ---------------------------------------------------------------------------
// Binaire, lower-case: each letter as its position in eight binary digits.
// The blank pair runs after the letters and also turns the blank inside each
// letter's code into a slash: a comes out as «0000/0001/».
constexpr Pair kBinairePairs[] = {
    {u"a", u"0000 0001/"}, {u"b", u"0000 0010/"}, {u"c", u"0000 0011/"}, {u"d", u"0000 0100/"}, {u"e", u"0000 0101/"},
    {u"f", u"0000 0110/"}, {u"g", u"0000 0111/"}, {u"h", u"0000 1000/"}, {u"i", u"0000 1001/"}, {u"j", u"0000 1010/"},
    {u"k", u"0000 1011/"}, {u"l", u"0000 1100/"}, {u"m", u"0000 1101/"}, {u"n", u"0000 1110/"}, {u"o", u"0000 1111/"},
    {u"p", u"0001 0000/"}, {u"q", u"0001 0001/"}, {u"r", u"0001 0010/"}, {u"s", u"0001 0011/"}, {u"t", u"0001 0100/"},
    {u"u", u"0001 0101/"}, {u"v", u"0001 0110/"}, {u"w", u"0001 0111/"}, {u"x", u"0001 1000/"}, {u"y", u"0001 1001/"},
    {u"z", u"0001 1010/"}, {u" ", u"/"},          {u".", u"//"},
};

struct CodeInfo {
    CodeId id;
    const char *name;            // on the command line
    const char16_t *displayName; // as people see it
    CaseFolding folding;
    std::span<const Pair> pairs;
};

const CodeInfo kCodes[kCodeCount] = {
    {CodeId::Morse, "morse", u"Morse", CaseFolding::Lower, kMorsePairs},
    {CodeId::Morse2, "morse2", u"Morse 2", CaseFolding::Lower, kMorse2Pairs},
    {CodeId::Caesar, "caesar", u"Caesar", CaseFolding::Upper, kCaesarPairs},
    {CodeId::Polybe, "polybe", u"Polybius", CaseFolding::Upper, kPolybePairs},
    {CodeId::Detroit, "detroit", u"'Détroit'", CaseFolding::Lower, kDetroitPairs},
    {CodeId::Avocat, "avocat", u"'Avocat'", CaseFolding::Upper, kAvocatPairs},
    {CodeId::Cassette, "cassette", u"'Cassette'", CaseFolding::Lower, kCassettePairs},
    {CodeId::Cassis, "cassis", u"'Cassis'", CaseFolding::Lower, kCassisPairs},
    {CodeId::FeuilleA4, "feuille-a4", u"'Feuille A4'", CaseFolding::Lower, kFeuilleA4Pairs},
    {CodeId::Miracle, "miracle", u"'Miracle'", CaseFolding::Lower, kMiraclePairs},
    {CodeId::Dedos, "dedos", u"'Dedos'", CaseFolding::Lower, kDedosPairs},
    {CodeId::Binaire, "binaire", u"Binaire", CaseFolding::Lower, kBinairePairs},
};

const CodeInfo &info(CodeId id)
{
    return kCodes[static_cast<int>(id)];
}

} // namespace

const Encoder &encoder(CodeId id)
{
    // Built once, on first use, and shared (thread-safe static initialisation).
    static const auto encoders = [] {
        std::array<std::unique_ptr<Encoder>, kCodeCount> all;
        for (int i = 0; i < kCodeCount; ++i)
            all[i] = std::make_unique<Encoder>(kCodes[i].folding, SubstitutionChain(kCodes[i].pairs));
        return all;
    }();
    return *encoders[static_cast<int>(id)];
}

QString codeName(CodeId id)
{
    return QString::fromLatin1(info(id).name);
}
QString codeDisplayName(CodeId id)
{
    return QString::fromUtf16(info(id).displayName);
}

QString encodeMorse(const QString &message)
{
    return encoder(CodeId::Morse).encode(message);
}
QString encodeMorse2(const QString &message)
{
    return encoder(CodeId::Morse2).encode(message);
}
QString encodeCaesar(const QString &message)
{
    return encoder(CodeId::Caesar).encode(message);
}
QString encodePolybe(const QString &message)
{
    return encoder(CodeId::Polybe).encode(message);
}

CodeId codeIdOf(AlphaNumCode code)
{
    return static_cast<CodeId>(static_cast<int>(CodeId::Detroit) + static_cast<int>(code));
}

QString alphaNumItemText(AlphaNumCode code)
{
    return codeDisplayName(codeIdOf(code));
}

QStringList alphaNumItemTexts()
{
    QStringList texts;
    for (AlphaNumCode code : kAlphaNumCodes)
        texts << alphaNumItemText(code);
    return texts;
}

AlphaNumCode alphaNumCodeFromText(const QString &text)
{
    // Exact and case-sensitive: no trimming, no folding of case or accents.
    for (AlphaNumCode code : kAlphaNumCodes) {
        if (text == alphaNumItemText(code))
            return code;
    }
    return AlphaNumCode::Detroit;
}

QString encodeAlphaNum(AlphaNumCode code, const QString &message)
{
    return encoder(codeIdOf(code)).encode(message);
}

} // namespace velmora
