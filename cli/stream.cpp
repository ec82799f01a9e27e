#include "stream.h"

#include "utf8.h"

#include <QChar>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace velmora::cli {

std::size_t encodeUtf8(const char16_t *in, std::size_t n, char *out)
{
    char *o = out;
    for (std::size_t i = 0; i < n; ++i) {
        char32_t c = in[i];
        if (c < 0x80) {
            *o++ = char(c);
            continue;
        }
        if (c < 0x800) {
            *o++ = char(0xC0 | (c >> 6));
            *o++ = char(0x80 | (c & 0x3F));
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(in[i + 1])) {
            c = QChar::surrogateToUcs4(char16_t(c), in[++i]);
            *o++ = char(0xF0 | (c >> 18));
            *o++ = char(0x80 | ((c >> 12) & 0x3F));
            *o++ = char(0x80 | ((c >> 6) & 0x3F));
            *o++ = char(0x80 | (c & 0x3F));
            continue;
        }
        if (QChar::isSurrogate(c))
            c = 0xFFFD;
        *o++ = char(0xE0 | (c >> 12));
        *o++ = char(0x80 | ((c >> 6) & 0x3F));
        *o++ = char(0x80 | (c & 0x3F));
    }
    return std::size_t(o - out);
}

std::string invalidUtf8Message(std::uint64_t offset)
{
    return "the input is not valid UTF-8 (bad byte at offset " + std::to_string(offset) + ")";
}

Utf8Coder::Utf8Coder(const Encoder &encoder)
    : m_encoder(encoder)
    , m_entries(0x10000)
{
    char16_t coded[64];
    char bytes[3 * 64];
    for (char32_t u = 0; u < 0x10000; ++u) {
        const char16_t unit = char16_t(u);
        std::size_t length = 0;
        if (!QChar::isSurrogate(u)) { // surrogates never come out of valid UTF-8 one by one
            const qsizetype units = encoder.encodedLength(&unit, &unit + 1);
            if (units > 64) {
                m_entries.clear(); // no such table in this program; code through UTF-16
                return;
            }
            encoder.encodeInto(&unit, &unit + 1, coded);
            length = encodeUtf8(coded, std::size_t(units), bytes);
        }
        m_entries[u] = std::uint32_t(m_pool.size()) << 8 | std::uint32_t(length);
        m_pool.insert(m_pool.end(), bytes, bytes + length);
        m_maxBytes = std::max(m_maxBytes, length);
    }
    m_pool.resize(m_pool.size() + 16); // lets the copy below move 16 bytes at a time
}

Utf8Coder::Result Utf8Coder::code(const unsigned char *in, std::size_t n, char *out, bool final) const
{
    Result r;
    char *o = out;
    std::size_t i = 0;
    if (m_entries.empty()) {
        // Through UTF-16: decode, encode, write back.
        std::vector<char16_t> text(n);
        const Utf8Decoded d = decodeUtf8(in, n, text.data(), final);
        const QString coded =
            m_encoder.encode(QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(d.written)));
        r.consumed = d.consumed;
        r.invalid = d.invalid;
        r.written = encodeUtf8(reinterpret_cast<const char16_t *>(coded.constData()), std::size_t(coded.size()), out);
        return r;
    }
    const std::uint32_t *entries = m_entries.data();
    const char *pool = m_pool.data();
    while (i < n) {
        char32_t cp = in[i];
        int length = 1;
        if (cp >= 0x80) {
            length = utf8SequenceLength(in + i, n - i);
            if (length == 0 || (length < 0 && final)) {
                r.invalid = true;
                break;
            }
            if (length < 0)
                break; // the rest comes with the next block
            if (length == 2)
                cp = char32_t(in[i] & 0x1F) << 6 | (in[i + 1] & 0x3F);
            else if (length == 3)
                cp = char32_t(in[i] & 0x0F) << 12 | char32_t(in[i + 1] & 0x3F) << 6 | (in[i + 2] & 0x3F);
            else
                cp = char32_t(in[i] & 0x07) << 18 | char32_t(in[i + 1] & 0x3F) << 12 | char32_t(in[i + 2] & 0x3F) << 6 |
                     (in[i + 3] & 0x3F);
        }
        if (cp < 0x10000) {
            const std::uint32_t e = entries[cp];
            const std::size_t bytes = e & 0xFF;
            const char *from = pool + (e >> 8);
            if (bytes <= 16)
                std::memcpy(o, from, 16);
            else
                std::memcpy(o, from, bytes);
            o += bytes;
        } else {
            // Outside the BMP no code has a pair; only the case folds.
            const char16_t pair[2] = {QChar::highSurrogate(cp), QChar::lowSurrogate(cp)};
            char16_t folded[2];
            m_encoder.encodeInto(pair, pair + 2, folded);
            o += encodeUtf8(folded, 2, o);
        }
        i += std::size_t(length);
    }
    r.consumed = i;
    r.written = std::size_t(o - out);
    return r;
}

CodingPump::CodingPump(const Encoder &encoder, int outFd)
    : m_coder(encoder)
    , m_outFd(outFd)
{
}

bool writeAll(int fd, const char *data, std::size_t n, std::string *error)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, data, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            *error = std::string("cannot write the output: ") + std::strerror(errno);
            return false;
        }
        data += w;
        n -= std::size_t(w);
    }
    return true;
}

bool CodingPump::writeAll(const char *data, std::size_t n)
{
    return cli::writeAll(m_outFd, data, n, &m_error);
}

bool CodingPump::codeAndWrite(const unsigned char *data, std::size_t n, bool final, std::size_t &consumed)
{
    m_out.resize(n * m_coder.maxBytesPerInputByte() + 16);
    const Utf8Coder::Result r = m_coder.code(data, n, m_out.data(), final);
    consumed = r.consumed;
    if (!writeAll(m_out.data(), r.written))
        return false;
    if (r.invalid) {
        m_error = invalidUtf8Message(m_offset + r.consumed);
        return false;
    }
    m_offset += r.consumed;
    return true;
}

bool CodingPump::feed(const unsigned char *data, std::size_t n, bool final)
{
    // Finish a sequence the last block cut in two, byte by byte (at most 3).
    while (!m_carry.empty() && n > 0) {
        m_carry.push_back(*data++);
        --n;
        std::size_t consumed = 0;
        if (!codeAndWrite(m_carry.data(), m_carry.size(), final && n == 0, consumed))
            return false;
        if (consumed == m_carry.size())
            m_carry.clear();
    }
    if (!m_carry.empty()) {
        if (final) {
            m_error = invalidUtf8Message(m_offset);
            return false;
        }
        return true;
    }
    std::size_t consumed = 0;
    if (!codeAndWrite(data, n, final, consumed))
        return false;
    m_carry.assign(data + consumed, data + n);
    return true;
}

} // namespace velmora::cli
