// Reading the local codes back. Each decoder is derived from its encoder's
// pairs (the coded form of every letter, of the blank and of the full stop),
// never from a table of its own.
//
// How a coded text is read, for every code:
// - a letter's coded form (for Morse «·-/», for Binaire «0000/0001/») gives
//   the letter, in the case the encoder folds to; where two letters share a
//   form (Polybius V and W) the first one of the table comes back;
// - after a letter (or anywhere else), a run of slashes reads as full stops
//   two at a time, then one blank for an odd slash left over;
// - a character that no coded form uses comes back as itself;
// - a token that begins with one of the code's symbols and is no letter's
//   form is unreadable: it runs up to the next slash (included), a blank or a
//   line break, and it is kept as it stands and counted, never dropped.
#pragma once

#include "codes.h"

#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

namespace velmora {

struct DecodeResult {
    QString text;                   // the decoded text, unreadable tokens kept as they stand
    qsizetype unreadable = 0;       // how many tokens could not be read
    qsizetype firstUnreadable = -1; // where the first one starts in the coded text (UTF-16 units), -1 if none
    qsizetype letters = 0;          // how many letters were read
};

class Decoder
{
public:
    // Built from the encoder's table; use decoder(CodeId) for the shared ones.
    explicit Decoder(const Encoder &encoder);
    ~Decoder();
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;

    // Decodes a whole text.
    DecodeResult decode(QStringView coded) const;

    // Low-level, for streams. The state carries what one block leaves open
    // for the next: a slash whose meaning the next character decides, and an
    // unreadable run that goes on.
    struct State {
        bool pendingSeparator = false;
        bool inUnreadableRun = false;
    };
    struct BlockResult {
        qsizetype consumed = 0; // input units read; the rest (a token the block cut) must come again
        qsizetype written = 0;  // output units
        qsizetype unreadable = 0;
        qsizetype firstUnreadable = -1; // relative to the block's start
        qsizetype letters = 0;
    };
    // Decodes [begin, end) to out, which has room for (end - begin) + 1 units.
    // Without `final`, a token that the end of the block may cut is left
    // unread (at most longestForm() - 1 units); with it, everything is read.
    BlockResult decodeBlock(const char16_t *begin, const char16_t *end, bool final, State &state, char16_t *out) const;

    // The same over UTF-8 bytes, for streams of bytes: [begin, end) is
    // well-formed UTF-8 except that a character may be cut at `end` (then it
    // is left unread unless `final`). out has room for (end - begin) + 1
    // bytes; positions are byte offsets.
    BlockResult decodeUtf8Block(const unsigned char *begin, const unsigned char *end, bool final, State &state,
                                unsigned char *out) const;

    // The longest coded form of a letter, in UTF-16 units.
    int longestForm() const;
    // True for a character that some letter's coded form uses (not the slash).
    bool isSymbol(char16_t unit) const;

    struct Tables;

private:
    std::unique_ptr<const Tables> m_tables;
};

// The decoder of each of the twelve codes, built once on first use.
const Decoder &decoder(CodeId id);
inline DecodeResult decode(CodeId id, QStringView coded)
{
    return decoder(id).decode(coded);
}

// Decodes a text that comes in pieces, in bounded memory: a token that two
// pieces share is read whole.
class StreamDecoder
{
public:
    explicit StreamDecoder(const Decoder &decoder);
    // Appends to `out` the decoded text of what can be read so far; `final`
    // marks the last piece.
    void feed(QStringView piece, bool final, QString &out);
    qsizetype unreadable() const { return m_unreadable; }
    // Position of the first unreadable token in the whole input (UTF-16 units), -1 if none.
    qsizetype firstUnreadable() const { return m_firstUnreadable; }
    qsizetype letters() const { return m_letters; }

private:
    const Decoder &m_decoder;
    Decoder::State m_state;
    std::u16string m_buffer; // the carried-over token, then the new piece
    qsizetype m_offset = 0;  // input units read before m_buffer
    qsizetype m_unreadable = 0;
    qsizetype m_firstUnreadable = -1;
    qsizetype m_letters = 0;
};

} // namespace velmora
