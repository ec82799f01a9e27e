// The substitution engine: ReplaceAll, whole-text case folding, substitution
// chains and encoders. QtCore only; nothing here knows about windows.
#pragma once

#include <QString>

#include <memory>
#include <span>
#include <string_view>

namespace velmora {

// Replaces every occurrence of `find` in `text` by `replacement`, scanning
// from the first code unit: the leftmost match wins, matches never overlap,
// and inserted text is never rescanned. Comparison is exact code-unit
// equality. An empty text or an empty find string gives the text unchanged.
QString ReplaceAll(const QString &text, const QString &find, const QString &replacement);

enum class CaseFolding { Lower, Upper };

// Whole-text case folding by code point, with the simple (one character to one
// character) case mapping: the text keeps its length, nothing depends on the
// locale, lone surrogates and characters without a single-character
// counterpart («ß» under upper-casing) stay as they are.
QString toLowerText(const QString &text);
QString toUpperText(const QString &text);
QString foldCase(const QString &text, CaseFolding folding);

// Folds one code point (simple mapping, never changing its UTF-16 length).
char32_t foldCodePoint(char32_t cp, CaseFolding folding);

struct Pair {
    std::u16string_view find;
    std::u16string_view replacement;
};

// An ordered, constant list of pairs; the order belongs to the code.
class SubstitutionChain
{
public:
    constexpr explicit SubstitutionChain(std::span<const Pair> pairs)
        : m_pairs(pairs)
    {
    }
    std::span<const Pair> pairs() const { return m_pairs; }
    // The reference semantics: one ReplaceAll per pair, in order, each over
    // the whole output of the previous one.
    QString applyReference(const QString &text) const;

private:
    std::span<const Pair> m_pairs;
};

// A code: a case folding plus a substitution chain.
//
// Every find string of every table is one UTF-16 code unit, so ReplaceAll with
// such a pair maps each code unit on its own, and a whole chain is a
// per-code-unit substitution. The encoder compiles its chain once into a
// table (code unit -> folded unit, or -> the chain applied to the folded
// unit) and codes in one pass; encodeReference() keeps the pair-by-pair road.
class Encoder
{
public:
    Encoder(CaseFolding folding, SubstitutionChain chain);
    ~Encoder();
    Encoder(const Encoder &) = delete;
    Encoder &operator=(const Encoder &) = delete;

    CaseFolding folding() const { return m_folding; }
    const SubstitutionChain &chain() const { return m_chain; }

    // Fold, then apply the chain: the compiled one-pass road.
    QString encode(const QString &message) const;
    // Fold, then ReplaceAll pair after pair: the reference road.
    QString encodeReference(const QString &message) const;

    // Low-level streaming interface. The range must not end between the two
    // halves of a surrogate pair (a lone surrogate is fine and is copied).
    qsizetype encodedLength(const char16_t *begin, const char16_t *end) const;
    // Writes exactly encodedLength(begin, end) code units at out; returns the
    // end of what was written.
    char16_t *encodeInto(const char16_t *begin, const char16_t *end, char16_t *out) const;

    struct Compiled;

private:
    CaseFolding m_folding;
    SubstitutionChain m_chain;
    std::unique_ptr<const Compiled> m_compiled; // built once, in the constructor
};

} // namespace velmora
