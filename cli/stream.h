// Codes a byte stream of UTF-8 text in blocks, so memory stays bounded
// whatever the size of the input.
#pragma once

#include "engine/substitution.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora::cli {

// Writes UTF-16 as UTF-8; out has room for 3 bytes per code unit. A lone
// surrogate, which valid input never yields, is written as U+FFFD.
std::size_t encodeUtf8(const char16_t *in, std::size_t n, char *out);

// Writes all n bytes to fd, going on after interruptions; false, with the
// reason in *error, when the output cannot take them.
bool writeAll(int fd, const char *data, std::size_t n, std::string *error);

// An encoder's table re-expressed in UTF-8: for every BMP character, the
// UTF-8 bytes of what the encoder makes of it. Coding UTF-8 input with it
// gives the same bytes as decoding, encoding and encoding back, without the
// UTF-16 text in between.
class Utf8Coder
{
public:
    explicit Utf8Coder(const Encoder &encoder);

    // Most bytes one input byte can give.
    std::size_t maxBytesPerInputByte() const { return m_maxBytes; }

    struct Result {
        std::size_t consumed = 0; // input bytes coded: whole sequences only
        std::size_t written = 0;  // output bytes
        bool invalid = false;     // an ill-formed sequence starts at `consumed`
    };
    // Codes whole sequences of in[0, n) to out, which has room for
    // n * maxBytesPerInputByte() + 16 bytes. A sequence cut by the end of the
    // input is left unread unless `final` is set (then it is ill-formed).
    Result code(const unsigned char *in, std::size_t n, char *out, bool final) const;

private:
    const Encoder &m_encoder;
    std::vector<std::uint32_t> m_entries; // offset << 8 | length, per BMP unit
    std::vector<char> m_pool;
    std::size_t m_maxBytes = 4;
};

class CodingPump
{
public:
    // Coded output goes to the file descriptor outFd.
    CodingPump(const Encoder &encoder, int outFd);

    // Feeds the next bytes of the input; `final` marks the last block.
    // Returns false on ill-formed UTF-8 or a write error (see error()).
    bool feed(const unsigned char *data, std::size_t n, bool final);

    const std::string &error() const { return m_error; }

private:
    bool codeAndWrite(const unsigned char *data, std::size_t n, bool final, std::size_t &consumed);
    bool writeAll(const char *data, std::size_t n);

    Utf8Coder m_coder;
    int m_outFd;
    std::vector<unsigned char> m_carry; // an unfinished sequence from the last block
    std::vector<char> m_out;
    std::uint64_t m_offset = 0; // input bytes coded so far
    std::string m_error;
};

std::string invalidUtf8Message(std::uint64_t offset);

} // namespace velmora::cli
