// A strict UTF-8 reader for the command line: it accepts exactly the
// well-formed UTF-8 of RFC 3629 (no overlong forms, no surrogates, nothing
// above U+10FFFF) and tells where the first bad byte is.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora::cli {

struct Utf8Decoded {
    std::size_t consumed = 0; // bytes read: whole sequences only
    std::size_t written = 0;  // UTF-16 code units written
    bool invalid = false;     // an ill-formed sequence starts at byte `consumed`
};

// Decodes whole sequences of in[0, n) into out, which has room for n code
// units. An incomplete sequence at the very end is left unread, unless
// `final` is set, in which case it is ill-formed.
Utf8Decoded decodeUtf8(const unsigned char *in, std::size_t n, char16_t *out, bool final);

// The length of the well-formed sequence that starts at in[0] (1 to 4), 0 if
// the bytes there are ill-formed, -1 if the input ends inside the sequence.
int utf8SequenceLength(const unsigned char *in, std::size_t left);

// Length of the longest well-formed prefix of in[0, n) if the input is
// ill-formed or ends inside a sequence, n if the input is valid UTF-8.
std::size_t validUtf8Prefix(const unsigned char *in, std::size_t n);

} // namespace velmora::cli
