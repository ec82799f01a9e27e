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
class DecodingPump {
public:
    // Decoded text goes to outFd; with outFd < 0 the pump only counts.
    DecodingPump(const Decoder &decoder, int outFd);

    // Feeds the next bytes; `final` marks the last block. Returns false on
    // ill-formed UTF-8 or a write error (see error()).
    bool feed(const unsigned char *data, std::size_t n, bool final);

    std::uint64_t unreadable() const { return m_unreadable; }
    // Byte offset in the input of the first unreadable token.
    std::uint64_t firstUnreadableByte() const { return m_firstUnreadableByte; }
    const std::string &error() const { return m_error; }

private:
    bool writeAll(const char *data, std::size_t n);

    const Decoder &m_decoder;
    int m_outFd;
    Decoder::State m_state;
    std::vector<unsigned char> m_byteCarry; // an unfinished UTF-8 sequence
    std::vector<char16_t> m_units;          // a token the last block cut, then the new block
    std::size_t m_unitCount = 0;            // units in use in m_units
    std::vector<char16_t> m_decoded;
    std::vector<char> m_out;
    std::uint64_t m_bytesRead = 0;  // input bytes turned into UTF-16 so far
    std::uint64_t m_unreadable = 0;
    std::uint64_t m_firstUnreadableByte = 0;
    std::string m_error;
};

// The message of a decoding that met unreadable tokens.
std::string unreadableMessage(std::uint64_t count, std::uint64_t firstByte);

int runDecode(const Options &options);
int runGuess(const Options &options);

} // namespace velmora::cli
