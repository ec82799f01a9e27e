#include "page_text.h"

#include <QByteArrayView>

namespace velmora {

bool isValidUtf8(std::string_view bytes)
{
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())).isValidUtf8();
}

std::string htmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 16);
    render::appendEscaped(out, text);
    return out;
}

namespace render {

int codePointCount(std::string_view utf8)
{
    int n = 0;
    for (char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

void appendEscaped(std::string &out, std::string_view text)
{
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char *ref = nullptr;
        switch (text[i]) {
        case '&':
            ref = "&amp;";
            break;
        case '<':
            ref = "&lt;";
            break;
        case '>':
            ref = "&gt;";
            break;
        case '"':
            ref = "&quot;";
            break;
        case '\'':
            ref = "&#39;";
            break;
        default:
            continue;
        }
        out.append(text.substr(plain, i - plain));
        out += ref;
        plain = i + 1;
    }
    out.append(text.substr(plain));
}

namespace {
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD
}

void appendMessageText(std::string &out, std::string_view utf8, bool flatten)
{
    std::size_t plain = 0;
    auto flush = [&](std::size_t upTo) { appendEscaped(out, utf8.substr(plain, upTo - plain)); };
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const bool c1 = c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0;
        if (c1) { // U+0080..U+009F
            flush(i);
            out += kReplacement;
            plain = ++i + 1;
        } else if (c == '\r' || c == '\n' || c == '\t') {
            if (!flatten)
                continue;
            flush(i);
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
            out += ' ';
            plain = i + 1;
        } else if (c < 0x20 || c == 0x7F) {
            flush(i);
            out += kReplacement;
            plain = i + 1;
        }
    }
    flush(utf8.size());
}

} // namespace render

} // namespace velmora
