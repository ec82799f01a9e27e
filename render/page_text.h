// Text as the pages show it: UTF-8 checked, counted in characters, and
// escaped for HTML.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// True when BYTES is well-formed UTF-8: no overlong forms, no surrogates, no
// code point above U+10FFFF, no truncated sequence.
bool isValidUtf8(std::string_view bytes);

// TEXT with & < > " ' written as character references.
std::string htmlEscape(std::string_view text);

namespace render {

// Unicode code points in valid UTF-8.
int codePointCount(std::string_view utf8);

// htmlEscape, appended to OUT.
void appendEscaped(std::string &out, std::string_view text);

// The message as text: escaped, with control characters (which HTML cannot
// carry) shown as U+FFFD. Line breaks and tabs stay, unless FLATTEN turns them
// into blanks (for a title).
void appendMessageText(std::string &out, std::string_view utf8, bool flatten);

} // namespace render

} // namespace velmora
