// velmora-encode --decode and --guess: coded UTF-8 text read back in blocks.
#pragma once

#include "engine/decoder.h"
#include "options.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::cli {

// Decodes a UTF-8 byte stream block by block: a token that two blocks share
// is read whole, and memory stays bounded whatever the input's size.
class DecodingPump
{
public:
    // Decoded text goes to outFd; with outFd < 0 the pump only counts.
    DecodingPump(const Decoder &decoder, int outFd);

    // Feeds the next bytes; `final` marks the last block; `checked` bytes
    // are known to be well-formed UTF-8. Returns false on ill-formed UTF-8 or
    // a write error (see error()).
    bool feed(const unsigned char *data, std::size_t n, bool final, bool checked = false);

    std::uint64_t unreadable() const { return m_unreadable; }
    // Byte offset in the input of the first unreadable token.
    std::uint64_t firstUnreadableByte() const { return m_firstUnreadableByte; }
    const std::string &error() const { return m_error; }

private:
    bool writeAll(const char *data, std::size_t n);

    const Decoder &m_decoder;
    int m_outFd;
    Decoder::State m_state;
    std::vector<unsigned char> m_in; // bytes the last block left unread, then the new block
    std::size_t m_inCount = 0;
    std::vector<char> m_out;
    std::uint64_t m_inOffset = 0; // input offset of m_in[0]
    std::uint64_t m_unreadable = 0;
    std::uint64_t m_firstUnreadableByte = 0;
    std::string m_error;
};

// The message of a decoding that met unreadable tokens.
std::string unreadableMessage(std::uint64_t count, std::uint64_t firstByte);

int runDecode(const Options &options);
int runGuess(const Options &options);

} // namespace velmora::cli
