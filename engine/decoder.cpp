#include "decoder.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmora {

// A trie of the letters' coded forms over the code's symbols (and the slash,
// which Binaire also uses inside a letter). The forms all end with the slash
// and none is the start of another, so a walk that reaches a letter is done.
struct Decoder::Tables {
    char16_t separator = u'/';
    char16_t blank = u' ';                                              // what one slash alone stands for
    char16_t fullStop = u'.';                                           // what two slashes stand for
    std::vector<int8_t> symbolIndex = std::vector<int8_t>(0x10000, -1); // the separator included
    int width = 0;                                                      // symbols + 1 (the separator)
    std::vector<int16_t> children;                                      // node * width + symbol -> node, -1 if none
    std::vector<char16_t> letter;                                       // per node: the letter it completes, 0 if none
    int longest = 0;
    // The same trie over the UTF-8 bytes of the forms.
    std::vector<int8_t> byteIndex = std::vector<int8_t>(256, -1);
    int byteWidth = 0;
    std::vector<int16_t> byteChildren;
    std::vector<char16_t> byteLetter;
    std::vector<int16_t> byteNext; // node * 256 + byte -> node, -1 if none: one load a byte

    // Whole forms at once, for codes whose forms are at most 16 bytes of
    // UTF-8, each with the same number of separators (ASCII), the last at its
    // end and no two side by side, and whose blank and full stop are ASCII:
    // the bytes of a form, the rest zero, find an ASCII letter in a table
    // without collisions.
    struct FormEntry {
        std::uint64_t lo = 0, hi = 0; // the form's bytes (0 for a free slot: no form starts with a zero byte)
        unsigned char letter = 0;
        enum Kind : unsigned char { None, Letter, Slash } kind = None;
    };
    bool wholeForms = false;
    int slashesPerForm = 1;
    std::vector<FormEntry> formTable;
    // 4096 slots: only those of the forms are ever read.
    static constexpr int formBits = 12;
    std::uint64_t formMul = 0;
    static std::uint64_t formMix(std::uint64_t lo, std::uint64_t hi) { return lo ^ (hi << 29 | hi >> 35); }
    std::size_t formSlot(std::uint64_t lo, std::uint64_t hi) const
    {
        return std::size_t((formMix(lo, hi) * formMul) >> (64 - formBits));
    }
    // keepLo/keepHi[n]: the mask that keeps the first n + 1 bytes of 16.
    std::array<std::uint64_t, 16> keepLo{}, keepHi{};

    bool isSymbol(char16_t u) const { return symbolIndex[u] >= 0 && u != separator; }
    // What an unreadable token spans: up to its slash, not past a blank or a
    // line break that is no symbol of the code.
    bool inToken(char16_t u) const { return u != separator && (isSymbol(u) || !QChar::isSpace(u)); }
    int addNode()
    {
        children.insert(children.end(), std::size_t(width), int16_t(-1));
        letter.push_back(0);
        return int(letter.size()) - 1;
    }
};

namespace {

// The whole-form table of a code, when its forms allow one (see Tables).
void buildWholeForms(Decoder::Tables &t, const std::vector<std::pair<char16_t, QString>> &letters)
{
    if (t.separator >= 0x80 || t.blank >= 0x80 || t.fullStop >= 0x80 || letters.empty())
        return;
    struct Form {
        std::uint64_t lo, hi;
        unsigned char letter;
        Decoder::Tables::FormEntry::Kind kind;
    };
    std::vector<Form> forms;
    for (const auto &[unit, coded] : letters) {
        const QByteArray bytes = coded.toUtf8();
        // Every form: the same number of slashes, the last at its end, none
        // at its start and no two side by side.
        const char sep = char(t.separator);
        if (bytes.size() > 16 || bytes.front() == sep || bytes.front() == 0 || bytes.back() != sep ||
            bytes.contains(QByteArray(2, sep)))
            return;
        const int slashes = int(bytes.count(sep));
        if (forms.empty())
            t.slashesPerForm = slashes;
        else if (slashes != t.slashesPerForm)
            return;
        unsigned char key[16] = {};
        std::memcpy(key, bytes.constData(), std::size_t(bytes.size()));
        Form f{};
        std::memcpy(&f.lo, key, 8);
        std::memcpy(&f.hi, key + 8, 8);
        // A letter outside ASCII is left to the trie; of a shared form, the
        // first letter stays, as in the trie.
        if (unit >= 0x80 ||
            std::any_of(forms.begin(), forms.end(), [&](const Form &g) { return g.lo == f.lo && g.hi == f.hi; })) {
            f.letter = 0;
            f.kind = Decoder::Tables::FormEntry::None;
        } else {
            f.letter = static_cast<unsigned char>(unit);
            f.kind = Decoder::Tables::FormEntry::Letter;
        }
        forms.push_back(f);
    }
    // The slash alone: a slash of a run, for forms of one slash.
    forms.push_back({std::uint64_t(t.separator), 0, 0, Decoder::Tables::FormEntry::Slash});
    // Multipliers that give every form a slot of its own.
    std::uint64_t seed = 0x9E3779B97F4A7C15ull;
    auto nextRandom = [&] {
        seed += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = seed;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return (z ^ (z >> 31)) | 1;
    };
    {
        constexpr int bits = Decoder::Tables::formBits;
        for (int attempt = 0; attempt < 64; ++attempt) {
            t.formMul = nextRandom();
            std::vector<Decoder::Tables::FormEntry> table(std::size_t(1) << bits);
            bool clash = false;
            for (const Form &f : forms) {
                Decoder::Tables::FormEntry &e = table[t.formSlot(f.lo, f.hi)];
                if (e.lo != 0 || e.hi != 0) {
                    clash = !(e.lo == f.lo && e.hi == f.hi);
                    if (clash)
                        break;
                    continue; // a shared form: the first letter stays
                }
                e = {f.lo, f.hi, f.letter, f.kind};
            }
            if (clash)
                continue;
            t.formTable = std::move(table);
            for (int n = 0; n < 16; ++n) {
                unsigned char keep[16] = {};
                std::memset(keep, 0xFF, std::size_t(n) + 1);
                std::memcpy(&t.keepLo[std::size_t(n)], keep, 8);
                std::memcpy(&t.keepHi[std::size_t(n)], keep + 8, 8);
            }
            t.wholeForms = true;
            return;
        }
    }
}

} // namespace

Decoder::Decoder(const Encoder &encoder)
{
    auto t = std::make_unique<Tables>();
    // What the encoder makes of each character that its pairs find.
    std::vector<std::pair<char16_t, QString>> forms;
    std::map<char16_t, int> lastUnits;
    for (const Pair &pair : encoder.chain().pairs()) {
        if (pair.find.size() != 1)
            continue;
        const char16_t unit = pair.find[0];
        const QString coded = encoder.encode(QString(QChar(unit)));
        if (coded.isEmpty() || coded == QString(QChar(unit)))
            continue;
        forms.emplace_back(unit, coded);
        ++lastUnits[coded.back().unicode()];
    }
    // The separator: the unit that ends most coded forms.
    t->separator = std::max_element(lastUnits.begin(), lastUnits.end(), [](const auto &a, const auto &b) {
                       return a.second < b.second;
                   })->first;
    const QString one(QChar(t->separator));
    std::vector<std::pair<char16_t, QString>> letters;
    for (const auto &[unit, coded] : forms) {
        if (coded == one)
            t->blank = unit;
        else if (coded == one + one)
            t->fullStop = unit;
        else if (coded.back() == QChar(t->separator))
            letters.emplace_back(unit, coded);
        // Anything else (Morse 2's rewriting of a typed dot) reads as no letter.
    }
    int symbols = 0;
    for (const auto &[unit, coded] : letters) {
        for (QChar c : coded) {
            if (c.unicode() != t->separator && t->symbolIndex[c.unicode()] < 0)
                t->symbolIndex[c.unicode()] = int8_t(symbols++);
        }
    }
    t->symbolIndex[t->separator] = int8_t(symbols);
    t->width = symbols + 1;
    t->addNode();
    for (const auto &[unit, coded] : letters) {
        int node = 0;
        for (QChar c : coded) {
            const std::size_t slot =
                std::size_t(node) * std::size_t(t->width) + std::size_t(t->symbolIndex[c.unicode()]);
            if (t->children[slot] < 0) {
                const int child = t->addNode();
                t->children[std::size_t(node) * std::size_t(t->width) + std::size_t(t->symbolIndex[c.unicode()])] =
                    int16_t(child);
            }
            node = t->children[std::size_t(node) * std::size_t(t->width) + std::size_t(t->symbolIndex[c.unicode()])];
        }
        if (t->letter[std::size_t(node)] == 0) // the first letter of a shared form wins
            t->letter[std::size_t(node)] = unit;
        t->longest = std::max(t->longest, int(coded.size()));
    }
    // The byte trie: its symbols are the bytes of the forms in UTF-8.
    int bytes = 0;
    for (const auto &[unit, coded] : letters) {
        for (char b : coded.toUtf8()) {
            if (t->byteIndex[uint8_t(b)] < 0)
                t->byteIndex[uint8_t(b)] = int8_t(bytes++);
        }
    }
    t->byteWidth = std::max(bytes, 1);
    auto addByteNode = [&] {
        t->byteChildren.insert(t->byteChildren.end(), std::size_t(t->byteWidth), int16_t(-1));
        t->byteLetter.push_back(0);
        return int(t->byteLetter.size()) - 1;
    };
    addByteNode();
    for (const auto &[unit, coded] : letters) {
        int node = 0;
        for (char b : coded.toUtf8()) {
            const std::size_t slot =
                std::size_t(node) * std::size_t(t->byteWidth) + std::size_t(t->byteIndex[uint8_t(b)]);
            if (t->byteChildren[slot] < 0) {
                const int child = addByteNode();
                t->byteChildren[slot] = int16_t(child);
            }
            node = t->byteChildren[slot];
        }
        if (t->byteLetter[std::size_t(node)] == 0)
            t->byteLetter[std::size_t(node)] = unit;
    }
    t->byteNext.assign(t->byteLetter.size() * 256, int16_t(-1));
    for (std::size_t node = 0; node < t->byteLetter.size(); ++node) {
        for (int b = 0; b < 256; ++b) {
            if (t->byteIndex[std::size_t(b)] >= 0)
                t->byteNext[node * 256 + std::size_t(b)] =
                    t->byteChildren[node * std::size_t(t->byteWidth) + std::size_t(t->byteIndex[std::size_t(b)])];
        }
    }
    buildWholeForms(*t, letters);
    m_tables = std::move(t);
}

Decoder::~Decoder() = default;

int Decoder::longestForm() const
{
    return m_tables->longest;
}
bool Decoder::isSymbol(char16_t unit) const
{
    return m_tables->isSymbol(unit);
}

Decoder::BlockResult Decoder::decodeBlock(const char16_t *begin, const char16_t *end, bool final, State &state,
                                          char16_t *out) const
{
    const Tables &t = *m_tables;
    const int8_t *index = t.symbolIndex.data();
    const int16_t *children = t.children.data();
    const char16_t *letterOf = t.letter.data();
    const std::size_t width = std::size_t(t.width);
    const char16_t sep = t.separator;
    BlockResult r;
    char16_t *const outBegin = out;
    const char16_t *p = begin;
    auto noteUnreadable = [&](const char16_t *at) {
        if (r.unreadable++ == 0)
            r.firstUnreadable = at - begin;
    };
    while (p < end) {
        const char16_t c = *p;
        if (state.inUnreadableRun) {
            // The rest of a token that an earlier block began, then the
            // slash that ends it.
            if (t.inToken(c)) {
                *out++ = c;
                ++p;
                continue;
            }
            state.inUnreadableRun = false;
            if (c == sep) {
                *out++ = c;
                ++p;
                continue;
            }
        }
        if (c == sep) {
            if (state.pendingSeparator) {
                *out++ = t.fullStop;
                state.pendingSeparator = false;
            } else {
                state.pendingSeparator = true;
            }
            ++p;
            continue;
        }
        if (state.pendingSeparator) {
            *out++ = t.blank;
            state.pendingSeparator = false;
        }
        if (!t.isSymbol(c)) {
            *out++ = c;
            ++p;
            continue;
        }
        // A token: walk the trie until a letter is complete.
        std::size_t node = 0;
        const char16_t *q = p;
        char16_t letter = 0;
        while (q < end) {
            const int s = index[*q];
            if (s < 0)
                break;
            const int16_t child = children[node * width + std::size_t(s)];
            if (child < 0)
                break;
            node = std::size_t(child);
            ++q;
            if ((letter = letterOf[node]) != 0)
                break;
        }
        if (letter) {
            *out++ = letter;
            ++r.letters;
            p = q;
            continue;
        }
        if (q == end && !final)
            break; // the next block may complete it
        // Unreadable: everything up to the slash (kept), and the slash.
        noteUnreadable(p);
        const char16_t *e = p;
        while (e < end && t.inToken(*e))
            *out++ = *e++;
        if (e < end && *e == sep)
            *out++ = *e++;
        else if (e == end && !final)
            state.inUnreadableRun = true;
        p = e;
    }
    if (final && p == end && state.pendingSeparator) {
        *out++ = t.blank;
        state.pendingSeparator = false;
    }
    r.consumed = p - begin;
    r.written = out - outBegin;
    return r;
}

namespace {

// The code point of the UTF-8 character at p and its length; 0 when the
// input ends inside it.
inline int readUtf8(const unsigned char *p, const unsigned char *end, char32_t &cp)
{
    const unsigned char b = *p;
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    const int n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
    if (end - p < n)
        return 0;
    if (n == 2)
        cp = char32_t(b & 0x1F) << 6 | (p[1] & 0x3F);
    else if (n == 3)
        cp = char32_t(b & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
    else
        cp = char32_t(b & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6 | (p[3] & 0x3F);
    return n;
}

// Bit i set where p[i] is the separator, for the 64 bytes at p. Per word:
// a byte is zero after the xor exactly when adding 0x7F to its low seven
// bits and or-ing it back leaves the top bit clear; the multiply gathers the
// eight top bits into one byte.
inline std::uint64_t slashMask(const unsigned char *p, std::uint64_t sepBytes)
{
#if defined(__SSE2__)
    const __m128i sep = _mm_set1_epi8(char(sepBytes & 0xFF));
    std::uint64_t mask = 0;
    for (int w = 0; w < 4; ++w) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16 * w));
        mask |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, sep)))) << (16 * w);
    }
    return mask;
#else
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    std::uint64_t mask = 0;
    for (int w = 0; w < 8; ++w) {
        std::uint64_t x;
        std::memcpy(&x, p + 8 * w, 8);
        if constexpr (std::endian::native == std::endian::big)
            x = __builtin_bswap64(x);
        x ^= sepBytes;
        const std::uint64_t zero = ~(((x & low7) + low7) | x) & ~low7;
        mask |= ((zero >> 7) * 0x0102040810204080ull >> 56) << (8 * w);
    }
    return mask;
#endif
}

// The whole-form path of the byte reader (see decodeUtf8Block), on its own
// so that the byte-by-byte loop keeps its registers.
template <bool OneSlash>
[[gnu::noinline]] void readWholeForms(const Decoder::Tables &t, const unsigned char *&p, const unsigned char *end,
                                      unsigned char *&out, bool &pending, qsizetype &letters)
{
    const Decoder::Tables::FormEntry *forms = t.formTable.data();
    const std::uint64_t mul = t.formMul;
    const int slashesPerForm = t.slashesPerForm;
    const std::uint64_t *keepLo = t.keepLo.data();
    const std::uint64_t *keepHi = t.keepHi.data();
    const std::uint64_t sepBytes = 0x0101010101010101ull * std::uint64_t(t.separator);
    const unsigned char fullStop = static_cast<unsigned char>(t.fullStop);
    const unsigned char blank = static_cast<unsigned char>(t.blank);
    // Locals: the output's bytes may alias anything.
    const unsigned char *in = p;
    unsigned char *o = out;
    bool pend = pending;
    qsizetype count = 0;
    while (end - in >= 64 + 16) {
        const std::uint64_t slashes = slashMask(in, sepBytes);
        if (slashes == 0)
            break;
        std::uint64_t rest = slashes;
        int from = 0; // start of the current stretch in the window
        bool unknown = false;
        if constexpr (OneSlash) {
            // Without a branch on what the stretch is: the empty stretch (a
            // slash of a run) has its own entry in the table.
            do {
                const int at = __builtin_ctzll(rest);
                rest &= rest - 1;
                const int length = at - from;
                if (length > 15) {
                    unknown = true;
                    break;
                }
                std::uint64_t lo, hi;
                std::memcpy(&lo, in + from, 8);
                std::memcpy(&hi, in + from + 8, 8);
                lo &= keepLo[length];
                hi &= keepHi[length];
                const Decoder::Tables::FormEntry &e =
                    forms[(Decoder::Tables::formMix(lo, hi) * mul) >> (64 - Decoder::Tables::formBits)];
                if (e.lo != lo || e.hi != hi || e.kind == Decoder::Tables::FormEntry::None) {
                    unknown = true;
                    break;
                }
                const bool slash = e.kind == Decoder::Tables::FormEntry::Slash;
                // A slash after a slash: a full stop; a letter after a slash
                // left over: the blank, then the letter.
                *o = slash ? fullStop : blank;
                o += pend;
                *o = e.letter; // past the end for a slash, overwritten later
                o += !slash;
                count += !slash;
                pend = slash && !pend;
                from = at + 1;
            } while (rest != 0);
        } else {
            do {
                const int at = __builtin_ctzll(rest);
                rest &= rest - 1;
                int last = at; // the slash that ends this stretch, or this form
                if (at == from) {
                    *o = fullStop; // a second slash: a full stop
                    o += pend;
                    pend = !pend;
                } else {
                    // A form of several slashes (Binaire's two nibbles) runs on
                    // to its last one (an empty stretch on the way is in no form).
                    bool cut = false;
                    for (int k = 1; k < slashesPerForm; ++k) {
                        if (rest == 0) {
                            cut = true; // the next window reads it
                            break;
                        }
                        last = __builtin_ctzll(rest);
                        rest &= rest - 1;
                    }
                    if (cut)
                        break;
                    const int length = last - from;
                    if (length > 15) {
                        unknown = true;
                        break;
                    }
                    std::uint64_t lo, hi;
                    std::memcpy(&lo, in + from, 8);
                    std::memcpy(&hi, in + from + 8, 8);
                    lo &= keepLo[length];
                    hi &= keepHi[length];
                    const Decoder::Tables::FormEntry &e =
                        forms[(Decoder::Tables::formMix(lo, hi) * mul) >> (64 - Decoder::Tables::formBits)];
                    if (e.lo != lo || e.hi != hi || e.kind != Decoder::Tables::FormEntry::Letter) {
                        unknown = true;
                        break;
                    }
                    *o = blank; // the blank of a slash left over
                    o += pend;
                    pend = false;
                    *o++ = e.letter;
                    ++count;
                }
                from = last + 1;
            } while (rest != 0);
        }
        in += from;
        if (unknown || from == 0)
            break;
    }
    p = in;
    out = o;
    pending = pend;
    letters += count;
}

inline unsigned char *putUtf8(char16_t u, unsigned char *out)
{
    if (u < 0x80) {
        *out++ = static_cast<unsigned char>(u);
    } else if (u < 0x800) {
        *out++ = static_cast<unsigned char>(0xC0 | (u >> 6));
        *out++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
    } else {
        *out++ = static_cast<unsigned char>(0xE0 | (u >> 12));
        *out++ = static_cast<unsigned char>(0x80 | ((u >> 6) & 0x3F));
        *out++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
    }
    return out;
}

} // namespace

Decoder::BlockResult Decoder::decodeUtf8Block(const unsigned char *begin, const unsigned char *end, bool final,
                                              State &state, unsigned char *out) const
{
    const Tables &t = *m_tables;
    const int8_t *index = t.byteIndex.data();
    const int16_t *children = t.byteChildren.data();
    const int16_t *next = t.byteNext.data();
    const char16_t *letterOf = t.byteLetter.data();
    const std::size_t width = std::size_t(t.byteWidth);
    const char32_t sep = t.separator;
    const auto isSymbol = [&](char32_t cp) { return cp < 0x10000 && t.isSymbol(char16_t(cp)); };
    const auto inToken = [&](char32_t cp) { return cp >= 0x10000 ? cp != sep : t.inToken(char16_t(cp)); };
    // Locals, not the state's members: the output's bytes may alias anything,
    // so every write would otherwise reload them.
    bool pending = state.pendingSeparator;
    bool inRun = state.inUnreadableRun;
    const char16_t fullStop = t.fullStop;
    const char16_t blank = t.blank;
    qsizetype letters = 0;
    BlockResult r;
    unsigned char *const outBegin = out;
    const unsigned char *p = begin;
    const int sepByte = sep < 0x80 ? int(sep) : -1;
    const bool wholeForms = t.wholeForms;
    while (p < end) {
        // The commonest case by whole forms, 64 bytes at a time: the slashes
        // of the window found at once, then each stretch between two slashes
        // looked up whole (an empty one is a slash of a run). Whatever this
        // does not read (an unknown stretch, any other character) is left to
        // the byte-by-byte way below, from the start of its stretch.
        if (wholeForms && !inRun) {
            if (t.slashesPerForm == 1)
                readWholeForms<true>(t, p, end, out, pending, letters);
            else
                readWholeForms<false>(t, p, end, out, pending, letters);
            if (p == end)
                break;
        }
        // The common cases first, byte by byte: a slash, or a letter's whole
        // form (which starts with a symbol and is made of whole characters).
        if (!inRun) {
            const unsigned char b = *p;
            if (b == sepByte) {
                if (pending) {
                    *out++ = static_cast<unsigned char>(fullStop);
                    pending = false;
                } else {
                    pending = true;
                }
                ++p;
                continue;
            }
            if (index[b] >= 0 && fullStop < 0x80 && blank < 0x80) {
                std::size_t node = 0;
                const unsigned char *q = p;
                char16_t letter = 0;
                while (q < end) {
                    const int16_t child = next[node * 256 + *q];
                    if (child < 0)
                        break;
                    node = std::size_t(child);
                    ++q;
                    if ((letter = letterOf[node]) != 0)
                        break;
                }
                if (letter) {
                    if (pending) {
                        *out++ = static_cast<unsigned char>(blank);
                        pending = false;
                    }
                    out = putUtf8(letter, out);
                    ++letters;
                    p = q;
                    continue;
                }
            }
        }
        char32_t c;
        const int n = readUtf8(p, end, c);
        if (n == 0) {
            if (!final)
                break;      // the next block completes the character
            while (p < end) // cannot happen with checked input: kept as it is
                *out++ = *p++;
            break;
        }
        if (inRun) {
            if (inToken(c)) {
                for (int i = 0; i < n; ++i)
                    *out++ = *p++;
                continue;
            }
            inRun = false;
            if (c == sep) {
                out = putUtf8(char16_t(c), out);
                p += n;
                continue;
            }
        }
        if (c == sep) {
            if (pending) {
                out = putUtf8(fullStop, out);
                pending = false;
            } else {
                pending = true;
            }
            p += n;
            continue;
        }
        if (pending) {
            out = putUtf8(blank, out);
            pending = false;
        }
        if (!isSymbol(c)) {
            for (int i = 0; i < n; ++i)
                *out++ = *p++;
            continue;
        }
        std::size_t node = 0;
        const unsigned char *q = p;
        char16_t letter = 0;
        while (q < end) {
            const int s = index[*q];
            if (s < 0)
                break;
            const int16_t child = children[node * width + std::size_t(s)];
            if (child < 0)
                break;
            node = std::size_t(child);
            ++q;
            if ((letter = letterOf[node]) != 0)
                break;
        }
        if (letter) {
            out = putUtf8(letter, out);
            ++letters;
            p = q;
            continue;
        }
        if (q == end && !final)
            break;
        if (r.unreadable++ == 0)
            r.firstUnreadable = p - begin;
        const unsigned char *e = p;
        for (;;) {
            if (e == end) {
                if (!final)
                    inRun = true;
                break;
            }
            char32_t d;
            const int m = readUtf8(e, end, d);
            if (m == 0) {
                if (!final)
                    inRun = true; // the cut character comes again
                else
                    while (e < end)
                        *out++ = *e++;
                break;
            }
            if (d == sep) {
                out = putUtf8(char16_t(d), out);
                e += m;
                break;
            }
            if (!inToken(d))
                break;
            for (int i = 0; i < m; ++i)
                *out++ = *e++;
        }
        p = e;
    }
    if (final && p == end && pending) {
        out = putUtf8(blank, out);
        pending = false;
    }
    state.pendingSeparator = pending;
    state.inUnreadableRun = inRun;
    r.letters = letters;
    r.consumed = p - begin;
    r.written = out - outBegin;
    return r;
}

DecodeResult Decoder::decode(QStringView coded) const
{
    DecodeResult result;
    QString out(coded.size() + 1, Qt::Uninitialized);
    State state;
    const char16_t *b = reinterpret_cast<const char16_t *>(coded.utf16());
    const BlockResult r = decodeBlock(b, b + coded.size(), true, state, reinterpret_cast<char16_t *>(out.data()));
    out.truncate(r.written);
    result.text = std::move(out);
    result.unreadable = r.unreadable;
    result.firstUnreadable = r.firstUnreadable;
    result.letters = r.letters;
    return result;
}

const Decoder &decoder(CodeId id)
{
    // Each built on first use only: a command that reads one code builds one.
    static std::array<std::once_flag, kCodeCount> built;
    static std::array<std::unique_ptr<Decoder>, kCodeCount> decoders;
    const std::size_t i = std::size_t(id);
    std::call_once(built[i], [&] { decoders[i] = std::make_unique<Decoder>(encoder(id)); });
    return *decoders[i];
}

StreamDecoder::StreamDecoder(const Decoder &decoder)
    : m_decoder(decoder)
{
}

void StreamDecoder::feed(QStringView piece, bool final, QString &out)
{
    m_buffer.append(reinterpret_cast<const char16_t *>(piece.utf16()), std::size_t(piece.size()));
    const qsizetype at = out.size();
    out.resize(at + qsizetype(m_buffer.size()) + 1);
    const Decoder::BlockResult r = m_decoder.decodeBlock(m_buffer.data(), m_buffer.data() + m_buffer.size(), final,
                                                         m_state, reinterpret_cast<char16_t *>(out.data()) + at);
    out.truncate(at + r.written);
    if (r.unreadable > 0 && m_unreadable == 0)
        m_firstUnreadable = m_offset + r.firstUnreadable;
    m_unreadable += r.unreadable;
    m_letters += r.letters;
    m_offset += r.consumed;
    m_buffer.erase(0, std::size_t(r.consumed));
}

} // namespace velmora
