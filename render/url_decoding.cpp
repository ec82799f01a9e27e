#include "url_decoding.h"

namespace velmora {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::string> decode(std::string_view raw, bool plusIsBlank)
{
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '+' && plusIsBlank) {
            out += ' ';
            continue;
        }
        if (raw[i] != '%') {
            out += raw[i];
            continue;
        }
        if (i + 2 >= raw.size())
            return std::nullopt;
        const int hi = hexValue(raw[i + 1]);
        const int lo = hexValue(raw[i + 2]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

} // namespace

std::optional<std::string> percentDecode(std::string_view raw)
{
    return decode(raw, false);
}

std::optional<std::string> formDecode(std::string_view raw)
{
    return decode(raw, true);
}

std::optional<std::string_view> rawQueryValue(std::string_view rawQuery, std::string_view key)
{
    while (true) {
        const std::size_t amp = rawQuery.find('&');
        const std::string_view pair = rawQuery.substr(0, amp);
        const std::size_t eq = pair.find('=');
        const std::string_view name = pair.substr(0, eq);
        bool match = name == key;
        if (!match && name.find_first_of("%+") != std::string_view::npos) {
            const std::optional<std::string> decoded = formDecode(name);
            match = decoded && *decoded == key;
        }
        if (match)
            return eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1);
        if (amp == std::string_view::npos)
            return std::nullopt;
        rawQuery.remove_prefix(amp + 1);
    }
}

} // namespace velmora
