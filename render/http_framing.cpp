#include "http_framing.h"

#include <algorithm>
#include <cstring>

namespace velmora::render {

namespace {

// A header name is a token (RFC 9110): no blank, no colon, no control.
bool isToken(std::string_view name)
{
    if (name.empty())
        return false;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        const bool alnum = (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
        if (!alnum && (c == 0 || !std::strchr("!#$%&'*+-.^_`|~", c)))
            return false;
    }
    return true;
}

// A header value holds no control character but the tab (no CR, LF or NUL).
bool isCleanValue(std::string_view value)
{
    return std::none_of(value.begin(), value.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return (c < 0x20 && c != '\t') || c == 0x7F;
    });
}

bool isDigits(std::string_view text)
{
    return !text.empty() && text.size() <= 18 &&
           std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

} // namespace

bool equalsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return (x | 0x20) == (y | 0x20); });
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

Framing judgeFraming(const std::vector<HeaderField> &headers, std::string_view version, std::string_view target)
{
    Framing f;
    int lengths = 0;
    int encodings = 0;
    std::string_view length;
    std::string_view encoding;
    for (const auto &[name, value] : headers) {
        // The library keeps a folded line (obs-fold) as part of the name, so a
        // folded framing header shows as a longer name: refused like a blank.
        if (!isToken(name) || !isCleanValue(value))
            f.ambiguous = true;
        else if (equalsNoCase(name, "Content-Length"))
            ++lengths, length = value;
        else if (equalsNoCase(name, "Transfer-Encoding"))
            ++encodings, encoding = value;
        else if (startsWithNoCase(name, "Content-Length") || startsWithNoCase(name, "Transfer-Encoding"))
            f.ambiguous = true;
        else if (equalsNoCase(name, "Host"))
            f.hosts.push_back(value);
    }
    // Length and chunks at once, chunks named twice or in disguise, or on
    // HTTP/1.0, two lengths: each side of a proxy could see another body.
    if (encodings > 0 && (lengths > 0 || encodings > 1 || version == "HTTP/1.0" || !equalsNoCase(encoding, "chunked")))
        f.ambiguous = true;
    if (lengths > 1 || (lengths == 1 && !isDigits(length)))
        f.ambiguous = true;
    // A target is one word of visible characters.
    if (target.empty() || !std::all_of(target.begin(), target.end(), [](char ch) {
            const auto u = static_cast<unsigned char>(ch);
            return u > 0x20 && u != 0x7F;
        }))
        f.ambiguous = true;
    f.chunked = encodings > 0;
    if (!f.ambiguous && lengths == 1)
        for (const char ch : length)
            f.length = f.length * 10 + static_cast<std::size_t>(ch - '0');
    return f;
}

} // namespace velmora::render
