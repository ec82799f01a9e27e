#include "decoder.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <map>

namespace velmora {

// A trie of the letters' coded forms over the code's symbols (and the slash,
// which Binaire also uses inside a letter). The forms all end with the slash
// and none is the start of another, so a walk that reaches a letter is done.
struct Decoder::Tables {
    char16_t separator = u'/';
    char16_t blank = u' ';      // what one slash alone stands for
    char16_t fullStop = u'.';   // what two slashes stand for
    std::vector<int8_t> symbolIndex = std::vector<int8_t>(0x10000, -1); // the separator included
    int width = 0;                  // symbols + 1 (the separator)
    std::vector<int16_t> children;  // node * width + symbol -> node, -1 if none
    std::vector<char16_t> letter;   // per node: the letter it completes, 0 if none
    int longest = 0;
    // The same trie over the UTF-8 bytes of the forms.
    std::vector<int8_t> byteIndex = std::vector<int8_t>(256, -1);
    int byteWidth = 0;
    std::vector<int16_t> byteChildren;
    std::vector<char16_t> byteLetter;
    std::vector<int16_t> byteNext; // node * 256 + byte -> node, -1 if none: one load a byte

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
    t->separator = std::max_element(lastUnits.begin(), lastUnits.end(),
                                    [](const auto &a, const auto &b) { return a.second < b.second; })
                       ->first;
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
            const std::size_t slot = std::size_t(node) * std::size_t(t->width) + std::size_t(t->symbolIndex[c.unicode()]);
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
            const std::size_t slot = std::size_t(node) * std::size_t(t->byteWidth) + std::size_t(t->byteIndex[uint8_t(b)]);
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
    m_tables = std::move(t);
}

Decoder::~Decoder() = default;

int Decoder::longestForm() const { return m_tables->longest; }
bool Decoder::isSymbol(char16_t unit) const { return m_tables->isSymbol(unit); }

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
    while (p < end) {
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
                break; // the next block completes the character
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
    static const auto decoders = [] {
        std::array<std::unique_ptr<Decoder>, kCodeCount> all;
        for (int i = 0; i < kCodeCount; ++i)
            all[std::size_t(i)] = std::make_unique<Decoder>(encoder(CodeId(i)));
        return all;
    }();
    return *decoders[std::size_t(id)];
}

StreamDecoder::StreamDecoder(const Decoder &decoder) : m_decoder(decoder) {}

void StreamDecoder::feed(QStringView piece, bool final, QString &out)
{
    m_buffer.append(reinterpret_cast<const char16_t *>(piece.utf16()), std::size_t(piece.size()));
    const qsizetype at = out.size();
    out.resize(at + qsizetype(m_buffer.size()) + 1);
    const Decoder::BlockResult r =
        m_decoder.decodeBlock(m_buffer.data(), m_buffer.data() + m_buffer.size(), final, m_state,
                              reinterpret_cast<char16_t *>(out.data()) + at);
    out.truncate(at + r.written);
    if (r.unreadable > 0 && m_unreadable == 0)
        m_firstUnreadable = m_offset + r.firstUnreadable;
    m_unreadable += r.unreadable;
    m_letters += r.letters;
    m_offset += r.consumed;
    m_buffer.erase(0, std::size_t(r.consumed));
}

} // namespace velmora
