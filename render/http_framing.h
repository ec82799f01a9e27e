// How long a request's body is, judged from its headers as the HTTP library
// parsed them, by RFC 9112's rules for a server that may sit behind a proxy:
// anything two parsers could read differently is ambiguous, to be answered
// 400 with the connection closed. Knows nothing of sockets.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace velmora::render {

struct HeaderField {
    std::string_view name;
    std::string_view value;
};

struct Framing {
    bool ambiguous = false;
    bool chunked = false;                // a body of unknown length, in chunks
    std::size_t length = 0;              // Content-Length, 0 when none
    std::vector<std::string_view> hosts; // every Host header's value
};

// HEADERS in the order received, VERSION as in the request line ("HTTP/1.1"),
// TARGET as sent.
Framing judgeFraming(const std::vector<HeaderField> &headers, std::string_view version, std::string_view target);

bool equalsNoCase(std::string_view a, std::string_view b);
bool startsWithNoCase(std::string_view text, std::string_view prefix);

} // namespace velmora::render
