#include "utf8.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace velmora::cli {
namespace {

inline bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// Length of the sequence led by in[0], checking its bytes; 0 when ill-formed,
// -1 when it is cut short by the end of the input.
inline int sequenceLength(const unsigned char *in, std::size_t left)
{
    const unsigned char b0 = in[0];
    int length;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (b0 < 0x80)
        return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0)
            lo = 0xA0; // no overlong forms
        else if (b0 == 0xED)
            hi = 0x9F; // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0)
            lo = 0x90; // no overlong forms
        else if (b0 == 0xF4)
            hi = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if (std::size_t(i) >= left)
            return -1;
        const unsigned char b = in[i];
        if (i == 1 ? (b < lo || b > hi) : !isContinuation(b))
            return 0;
    }
    return length;
}

} // namespace

int utf8SequenceLength(const unsigned char *in, std::size_t left)
{
    return sequenceLength(in, left);
}

Utf8Decoded decodeUtf8(const unsigned char *in, std::size_t n, char16_t *out, bool final)
{
    Utf8Decoded r;
    std::size_t i = 0;
    char16_t *o = out;
    while (i < n) {
        // Plain ASCII eight bytes at a time.
        while (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, in + i, 8);
            if (word & 0x8080808080808080ull)
                break;
            for (int k = 0; k < 8; ++k)
                o[k] = in[i + k];
            o += 8;
            i += 8;
        }
        if (i >= n)
            break;
        const unsigned char b0 = in[i];
        if (b0 < 0x80) {
            *o++ = b0;
            ++i;
            continue;
        }
        // Two-byte sequences (accents, Morse's middle dot) straight away.
        if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < n && isContinuation(in[i + 1])) {
            *o++ = char16_t((b0 & 0x1F) << 6 | (in[i + 1] & 0x3F));
            i += 2;
            continue;
        }
        const int length = sequenceLength(in + i, n - i);
        if (length == 0 || (length < 0 && final)) {
            r.invalid = true;
            break;
        }
        if (length < 0)
            break; // the rest comes with the next block
        char32_t cp;
        if (length == 2)
            cp = char32_t(b0 & 0x1F) << 6 | (in[i + 1] & 0x3F);
        else if (length == 3)
            cp = char32_t(b0 & 0x0F) << 12 | char32_t(in[i + 1] & 0x3F) << 6 | (in[i + 2] & 0x3F);
        else
            cp = char32_t(b0 & 0x07) << 18 | char32_t(in[i + 1] & 0x3F) << 12 | char32_t(in[i + 2] & 0x3F) << 6 |
                 (in[i + 3] & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            *o++ = char16_t(0xD800 + (cp >> 10));
            *o++ = char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            *o++ = char16_t(cp);
        }
        i += std::size_t(length);
    }
    r.consumed = i;
    r.written = std::size_t(o - out);
    return r;
}

// On a line of its own: the layout of the code after it stays as it was (the
// coding loop that follows in this library is sensitive to where it lands).
__attribute__((aligned(64))) std::size_t validUtf8Prefix(const unsigned char *in, std::size_t n)
{
    // Eight bytes at a time while they hold only ASCII and two-byte
    // sequences (accents, Morse's middle dot), the commonest input; words do
    // not wait for one another: a lead byte that ends a word only asks the
    // next word to begin with a continuation byte. Anything else, and the
    // end, one sequence at a time.
    constexpr std::uint64_t high = 0x8080808080808080ull;
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr std::uint64_t bits4to1 = 0x1E1E1E1E1E1E1E1Eull;
    std::size_t i = 0;
    while (i < n) {
        std::uint64_t carry = 0; // 0x80 when the word before ended with a lead byte
        while (i + 8 <= n) {
            std::uint64_t x;
            std::memcpy(&x, in + i, 8);
            if ((x & high) == 0 && carry == 0) { // plain ASCII
                i += 8;
                continue;
            }
            if constexpr (std::endian::native == std::endian::big)
                x = __builtin_bswap64(x);
            // Per byte, in its top bit: 10xxxxxx, then 110xxxxx but C0 and C1.
            const std::uint64_t continuation = x & ~(x << 1) & high;
            const std::uint64_t lead = x & (x << 1) & ~(x << 2) & high & ((x & bits4to1) + low7);
            if ((x & high) != (continuation | lead) || continuation != ((lead << 8) | carry))
                break;
            carry = (lead >> 56) & 0x80;
            i += 8;
        }
        if (carry)
            --i; // back to the lead byte that the word cut
        const std::size_t stop = std::min(n, i + 8);
        while (i < stop) {
            if (in[i] < 0x80) {
                ++i;
                continue;
            }
            const int length = sequenceLength(in + i, n - i);
            if (length <= 0)
                return i;
            i += std::size_t(length);
        }
    }
    return n;
}

} // namespace velmora::cli
