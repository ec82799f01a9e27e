// A strict reader of the HTML the rendering service writes, shared by the
// page tests and the fuzzer: one document, every element closed (or void, or
// self-closed inside SVG), attribute values in double quotes, every '&'
// starting a character reference, no '>' in text, one <title> in the head,
// the message's places holding text only, valid UTF-8 without control
// characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::testsupport {

struct HtmlProblem {
    std::string what; // what is wrong, in words
    std::string near; // the page from where it was found (up to 300 bytes)
};

struct HtmlReport {
    std::optional<HtmlProblem> problem;   // nothing when the page is sound
    std::vector<std::string> tagSequence; // the opening tags, in order
};

HtmlReport checkHtml(std::string_view page);

} // namespace velmora::testsupport
