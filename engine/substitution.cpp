#include "substitution.h"

#include <QChar>

#include <cstring>
#include <map>
#include <vector>

namespace velmora {

QString ReplaceAll(const QString &text, const QString &find, const QString &replacement)
{
    if (text.isEmpty() || find.isEmpty())
        return text;
    QString out;
    qsizetype from = 0;
    for (;;) {
        // indexOf compares code units exactly; searching on from the end of
        // the previous match keeps matches leftmost and non-overlapping, and
        // the replacement goes to the output, so it is never scanned again.
        const qsizetype at = text.indexOf(find, from, Qt::CaseSensitive);
        if (at < 0)
            break;
        out.append(QStringView(text).sliced(from, at - from));
        out.append(replacement);
        from = at + find.size();
    }
    if (from == 0)
        return text;
    out.append(QStringView(text).sliced(from));
    return out;
}

namespace {

// QChar leaves alone the characters whose full case mapping differs from the
// simple one; these are the simple mappings it then misses.
char32_t simpleMappingQCharLeavesOut(char32_t cp, CaseFolding folding)
{
    if (folding == CaseFolding::Lower)
        return cp == 0x0130 ? U'i' : cp; // İ -> i
    // Greek small letters with ypogegrammeni -> their capitals with prosgegrammeni.
    if ((cp >= 0x1F80 && cp <= 0x1F87) || (cp >= 0x1F90 && cp <= 0x1F97) || (cp >= 0x1FA0 && cp <= 0x1FA7))
        return cp + 8;
    if (cp == 0x1FB3 || cp == 0x1FC3 || cp == 0x1FF3)
        return cp + 9;
    return cp;
}

} // namespace

char32_t foldCodePoint(char32_t cp, CaseFolding folding)
{
    if (const char32_t special = simpleMappingQCharLeavesOut(cp, folding); special != cp)
        return special;
    const char32_t mapped = folding == CaseFolding::Upper ? QChar::toUpper(cp) : QChar::toLower(cp);
    // A mapping that would change the length in UTF-16 is not a one-to-one
    // case pair; such a character stays as it is.
    if (QChar::requiresSurrogates(mapped) != QChar::requiresSurrogates(cp))
        return cp;
    return mapped;
}

namespace {

// Folded value of every BMP code unit; surrogates map to themselves and are
// folded as whole code points where they form a pair.
struct FoldTable {
    explicit FoldTable(CaseFolding folding)
        : units(0x10000)
    {
        for (char32_t u = 0; u < 0x10000; ++u)
            units[u] = QChar::isSurrogate(u) ? char16_t(u) : char16_t(foldCodePoint(u, folding));
    }
    std::vector<char16_t> units;
};

const FoldTable &foldTable(CaseFolding folding)
{
    static const FoldTable lower(CaseFolding::Lower);
    static const FoldTable upper(CaseFolding::Upper);
    return folding == CaseFolding::Upper ? upper : lower;
}

// Writes the fold of the surrogate pair at p (p[0] high, p[1] low) to out.
inline void foldPair(const char16_t *p, char16_t *out, CaseFolding folding)
{
    const char32_t cp = QChar::surrogateToUcs4(p[0], p[1]);
    const char32_t f = foldCodePoint(cp, folding);
    out[0] = QChar::highSurrogate(f);
    out[1] = QChar::lowSurrogate(f);
}

inline bool isPairAt(const char16_t *p, const char16_t *end)
{
    return QChar::isHighSurrogate(p[0]) && p + 1 < end && QChar::isLowSurrogate(p[1]);
}

QString toQString(std::u16string_view s)
{
    return QString(reinterpret_cast<const QChar *>(s.data()), qsizetype(s.size()));
}

} // namespace

QString foldCase(const QString &text, CaseFolding folding)
{
    const auto &table = foldTable(folding).units;
    QString out(text.size(), Qt::Uninitialized);
    const char16_t *p = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *end = p + text.size();
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    while (p < end) {
        if (QChar::isSurrogate(*p)) {
            if (isPairAt(p, end)) {
                foldPair(p, o, folding);
                p += 2;
                o += 2;
                continue;
            }
            *o++ = *p++; // a lone surrogate is left as it is
            continue;
        }
        *o++ = table[*p++];
    }
    return out;
}

QString toLowerText(const QString &text)
{
    return foldCase(text, CaseFolding::Lower);
}
QString toUpperText(const QString &text)
{
    return foldCase(text, CaseFolding::Upper);
}

QString SubstitutionChain::applyReference(const QString &text) const
{
    QString current = text;
    for (const Pair &pair : m_pairs)
        current = ReplaceAll(current, toQString(pair.find), toQString(pair.replacement));
    return current;
}

// The compiled form of an encoder: one entry per BMP code unit.
//   bits  0-15  the folded code unit (written when there is no replacement)
//   bits 16-23  0: write the folded unit; kSurrogate: fold as a code point;
//               otherwise 1 + the index of the replacement
//   bits 24-31  how many code units the entry writes
//
// Units below 256, nearly all of a Latin text, also have a slot that holds
// their whole output, so the hot loop copies a fixed 16 units and moves on by
// the output's length, without a branch on what kind of unit it met.
struct Encoder::Compiled {
    static constexpr uint32_t kSurrogate = 0xFF;
    static constexpr int kMaxReplacement = 32;
    static constexpr int kSlot = 16;
    struct Replacement {
        char16_t text[kMaxReplacement];
    };
    struct alignas(32) LatinSlot {
        char16_t text[kSlot];
    };
    std::vector<uint32_t> entries;
    std::vector<Replacement> replacements;
    LatinSlot latin[256];
    uint8_t latinLength[256];
    bool latinFits = true; // every unit below 256 gives at most kSlot units
};

namespace {

// Every find string one code unit, not a surrogate, and every replacement
// short enough for the table: then the chain works unit by unit.
bool chainIsPerCodeUnit(const SubstitutionChain &chain)
{
    for (const Pair &pair : chain.pairs()) {
        if (pair.find.size() != 1 || QChar::isSurrogate(pair.find[0]))
            return false;
    }
    return true;
}

} // namespace

Encoder::Encoder(CaseFolding folding, SubstitutionChain chain)
    : m_folding(folding)
    , m_chain(chain)
{
    if (!chainIsPerCodeUnit(chain))
        return; // codes only by the reference road

    auto compiled = std::make_unique<Compiled>();
    const auto &fold = foldTable(folding).units;

    // What the chain makes of each code unit that one of its pairs finds:
    // the chain run on that one unit, which takes into account every later
    // pair that rewrites what an earlier one produced.
    std::map<char16_t, uint32_t> indexOf;
    for (const Pair &pair : chain.pairs()) {
        const char16_t unit = pair.find[0];
        if (indexOf.count(unit))
            continue;
        const QString coded = chain.applyReference(QString(QChar(unit)));
        if (coded.size() == 1 && coded[0].unicode() == unit)
            continue;
        if (coded.size() > Compiled::kMaxReplacement || compiled->replacements.size() >= 250)
            return; // too large for the table: reference road
        Compiled::Replacement r{};
        std::memcpy(r.text, coded.constData(), size_t(coded.size()) * sizeof(char16_t));
        compiled->replacements.push_back(r);
        indexOf[unit] = (uint32_t(compiled->replacements.size()) << 16) | (uint32_t(coded.size()) << 24);
    }

    compiled->entries.resize(0x10000);
    for (uint32_t u = 0; u < 0x10000; ++u) {
        if (QChar::isSurrogate(u)) {
            compiled->entries[u] = u | (Compiled::kSurrogate << 16) | (1u << 24);
            continue;
        }
        const char16_t f = fold[u];
        const auto it = indexOf.find(f);
        compiled->entries[u] = it != indexOf.end() ? it->second : (uint32_t(f) | (1u << 24));
    }
    for (uint32_t u = 0; u < 256; ++u) {
        const uint32_t e = compiled->entries[u];
        const uint32_t kind = (e >> 16) & 0xFF;
        const uint32_t n = e >> 24;
        auto &slot = compiled->latin[u];
        std::memset(slot.text, 0, sizeof slot.text);
        // The length first: encodedLength() sizes the output with it, also
        // for a unit whose output is too long for its slot.
        compiled->latinLength[u] = uint8_t(n);
        if (n > uint32_t(Compiled::kSlot)) {
            compiled->latinFits = false;
            continue;
        }
        if (kind == 0)
            slot.text[0] = char16_t(e);
        else
            std::memcpy(slot.text, compiled->replacements[kind - 1].text, n * sizeof(char16_t));
    }
    m_compiled = std::move(compiled);
}

Encoder::~Encoder() = default;

QString Encoder::encodeReference(const QString &message) const
{
    return m_chain.applyReference(foldCase(message, m_folding));
}

qsizetype Encoder::encodedLength(const char16_t *begin, const char16_t *end) const
{
    if (!m_compiled) {
        const QString m(reinterpret_cast<const QChar *>(begin), end - begin);
        return encodeReference(m).size();
    }
    const uint32_t *entries = m_compiled->entries.data();
    const uint8_t *latinLength = m_compiled->latinLength;
    qsizetype length = 0;
    const char16_t *p = begin;
    for (; end - p >= 4; p += 4) {
        length += p[0] < 256 ? latinLength[p[0]] : entries[p[0]] >> 24;
        length += p[1] < 256 ? latinLength[p[1]] : entries[p[1]] >> 24;
        length += p[2] < 256 ? latinLength[p[2]] : entries[p[2]] >> 24;
        length += p[3] < 256 ? latinLength[p[3]] : entries[p[3]] >> 24;
    }
    for (; p < end; ++p)
        length += *p < 256 ? latinLength[*p] : entries[*p] >> 24;
    return length;
}

char16_t *Encoder::encodeInto(const char16_t *begin, const char16_t *end, char16_t *out) const
{
    if (!m_compiled) {
        const QString m(reinterpret_cast<const QChar *>(begin), end - begin);
        const QString coded = encodeReference(m);
        std::memcpy(out, coded.constData(), size_t(coded.size()) * sizeof(char16_t));
        return out + coded.size();
    }
    const uint32_t *entries = m_compiled->entries.data();
    const Compiled::Replacement *replacements = m_compiled->replacements.data();
    const char16_t *p = begin;
    while (p < end) {
        const uint32_t e = entries[*p];
        const uint32_t kind = (e >> 16) & 0xFF;
        if (kind == 0) {
            *out++ = char16_t(e);
            ++p;
        } else if (kind != Compiled::kSurrogate) {
            const uint32_t n = e >> 24;
            const char16_t *r = replacements[kind - 1].text;
            for (uint32_t i = 0; i < n; ++i)
                out[i] = r[i];
            out += n;
            ++p;
        } else if (isPairAt(p, end)) {
            foldPair(p, out, m_folding);
            out += 2;
            p += 2;
        } else {
            *out++ = *p++;
        }
    }
    return out;
}

// encodeInto for an output with room for Compiled::kSlot more units than the
// coded text needs: units below 256 copy their whole slot outright.
static char16_t *encodeIntoRoomy(const Encoder::Compiled &c, CaseFolding folding, const char16_t *begin,
                                 const char16_t *end, char16_t *out)
{
    const uint32_t *entries = c.entries.data();
    const Encoder::Compiled::LatinSlot *latin = c.latin;
    const uint8_t *latinLength = c.latinLength;
    const char16_t *p = begin;
    while (p < end) {
        // Four units at a time while all four are below 256 and give at most
        // 8 units each: one 16-byte move per unit.
        while (end - p >= 4) {
            uint64_t four;
            std::memcpy(&four, p, 8);
            if (four & 0xFF00FF00FF00FF00ull)
                break;
            const uint8_t u0 = uint8_t(four), u1 = uint8_t(four >> 16);
            const uint8_t u2 = uint8_t(four >> 32), u3 = uint8_t(four >> 48);
            const uint8_t n0 = latinLength[u0], n1 = latinLength[u1], n2 = latinLength[u2], n3 = latinLength[u3];
            if ((n0 | n1 | n2 | n3) > 8)
                break;
            std::memcpy(out, latin[u0].text, 16);
            out += n0;
            std::memcpy(out, latin[u1].text, 16);
            out += n1;
            std::memcpy(out, latin[u2].text, 16);
            out += n2;
            std::memcpy(out, latin[u3].text, 16);
            out += n3;
            p += 4;
        }
        if (p == end)
            break;
        // One unit, whatever it is.
        const char16_t unit = *p;
        if (unit < 256) {
            const uint8_t n = latinLength[unit];
            std::memcpy(out, latin[unit].text, 16);
            if (n > 8)
                std::memcpy(out + 8, latin[unit].text + 8, 16);
            out += n;
            ++p;
            continue;
        }
        const uint32_t e = entries[unit];
        const uint32_t kind = (e >> 16) & 0xFF;
        if (kind == 0) {
            *out++ = char16_t(e);
            ++p;
        } else if (kind != Encoder::Compiled::kSurrogate) {
            const uint32_t n = e >> 24;
            std::memcpy(out, c.replacements[kind - 1].text, n * sizeof(char16_t));
            out += n;
            ++p;
        } else if (isPairAt(p, end)) {
            foldPair(p, out, folding);
            out += 2;
            p += 2;
        } else {
            *out++ = *p++;
        }
    }
    return out;
}

QString Encoder::encode(const QString &message) const
{
    const char16_t *begin = reinterpret_cast<const char16_t *>(message.constData());
    const char16_t *end = begin + message.size();
    const qsizetype length = encodedLength(begin, end);
    if (!m_compiled || !m_compiled->latinFits) {
        QString out(length, Qt::Uninitialized);
        encodeInto(begin, end, reinterpret_cast<char16_t *>(out.data()));
        return out;
    }
    QString out(length + Compiled::kSlot, Qt::Uninitialized);
    encodeIntoRoomy(*m_compiled, m_folding, begin, end, reinterpret_cast<char16_t *>(out.data()));
    out.truncate(length);
    return out;
}

} // namespace velmora
