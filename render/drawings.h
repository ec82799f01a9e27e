// The pictures of the three codes: SVG symbols defined once per page, the
// markup that draws one character with them, and each code's legend.
// Built in gato_drawings.cpp, flag_drawings.cpp and semaphore_drawings.cpp.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace velmora::render {

struct CodeSheet {
    std::string_view title;    // "Gato", "Code des Mers", "Sémaphore"
    std::string_view cssClass; // sizes the pictures of this code
    std::string defs;          // hidden <svg> holding every symbol of the code
    std::string legend;        // <section> explaining the code, drawn with the symbols
    // The markup of one picture, by character ('A'..'Z', '0'..'9'); empty when
    // the code has no picture for that character.
    std::array<std::string, 128> glyph;
    std::string numeralSign; // semaphore only: before digits
    std::string lettersSign; // semaphore only: back to letters (the J position)

    const std::string &pictureOf(char symbol) const { return glyph[static_cast<unsigned char>(symbol) & 0x7f]; }
};

const CodeSheet &gatoSheet();
const CodeSheet &mersSheet();
const CodeSheet &semaphoreSheet();

} // namespace velmora::render
