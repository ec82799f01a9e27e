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
