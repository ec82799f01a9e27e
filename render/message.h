// A message cut into what the picture codes draw: letters and digits (accents
// and case set aside), blanks, line breaks, and characters without a picture.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::render {

struct MessageItem {
    enum class Kind { Symbol, Blank, LineBreak, Other };
    Kind kind = Kind::Other;
    char symbol = 0;      // Symbol: 'A'..'Z' or '0'..'9'
    std::string text;     // the character as written (UTF-8), or U+XXXX for a control character
    bool control = false; // Other: TEXT names a control character
};

// UTF8 must be valid UTF-8. Characters are user-perceived characters
// (grapheme clusters): "e" with a combining accent is one E, CR LF one line break.
std::vector<MessageItem> splitMessage(std::string_view utf8);

} // namespace velmora::render
