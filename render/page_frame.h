// What every page shares: the head with its style sheet, the header with the
// site's links, and the footer.
#pragma once

#include <string>
#include <string_view>

namespace velmora::render {

// Everything up to the title's text.
std::string_view headStart();
// From the end of the title to the opening of <main>.
const std::string &headEnd();
// From the end of <main> to the end of the page.
const std::string &footer();

// A whole page: TITLEHTML (already escaped), <main> of class MAINCLASS (none
// when empty) holding BODYHTML.
std::string page(std::string_view titleHtml, std::string_view mainClass, std::string_view bodyHtml);

// The address of a code page showing MESSAGE, for links (MESSAGE is written
// into the address as it is: only plain words are passed here).
std::string codePageLink(std::string_view path, std::string_view encodedMessage);

} // namespace velmora::render
