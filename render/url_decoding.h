// Reading the parts of a request target: percent-decoding and the query's
// key=value pairs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Strict percent-decoding of a path: every '%' must start "%HH" with two
// hexadecimal digits, and '+' stays '+'. Nothing when a sequence is malformed.
std::optional<std::string> percentDecode(std::string_view raw);

// The same for a query's names and values, which are form-encoded: a '+'
// there stands for a blank, and a plus travels as "%2B".
std::optional<std::string> formDecode(std::string_view raw);

// The raw, still encoded value of the first KEY=... pair of a query ("&"
// separated); an empty view for a bare KEY; nothing when KEY is absent.
std::optional<std::string_view> rawQueryValue(std::string_view rawQuery, std::string_view key);

} // namespace velmora
