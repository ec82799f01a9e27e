// What the three codes' drawings share: the flag colours and ink, and
// small writers of SVG markup.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include <cmath>

namespace velmora::render::svg {

// Colours of the signal flags.
constexpr std::string_view kRed = "#da291c";
constexpr std::string_view kBlue = "#003da5";
constexpr std::string_view kYellow = "#ffcd00";
constexpr std::string_view kBlack = "#111111";
constexpr std::string_view kWhite = "#ffffff";
constexpr std::string_view kInk = "#1b1f2a";

inline std::string str(std::initializer_list<std::string_view> parts)
{
    std::string s;
    for (std::string_view p : parts)
        s += p;
    return s;
}

inline std::string num(double v)
{
    if (v == std::floor(v))
        return std::to_string(static_cast<long>(v));
    std::string s = std::to_string(std::round(v * 100) / 100);
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    return s;
}

// The picture's own box: a <use> of a symbol fills the viewport from its
// origin, whatever the symbol's viewBox, so the outer box starts at 0 0 with
// the symbol's width and height.
inline std::string outerBox(std::string_view symbolBox)
{
    std::size_t space = symbolBox.find(' ');
    space = symbolBox.find(' ', space + 1);
    return "0 0" + std::string(symbolBox.substr(space));
}

inline std::string glyphMarkup(std::string_view viewBox, std::string_view id, std::string_view title)
{
    return str({"<svg class=\"g\" viewBox=\"", outerBox(viewBox), "\" role=\"img\"><title>", title,
                "</title><use href=\"#", id, "\"/></svg>"});
}

inline std::string keyItem(std::string_view viewBox, std::string_view id, std::string_view caption)
{
    return str({"<figure><svg class=\"g\" viewBox=\"", outerBox(viewBox), "\" aria-hidden=\"true\"><use href=\"#", id,
                "\"/></svg><figcaption>", caption, "</figcaption></figure>"});
}

inline std::string rect(double x, double y, double w, double h, std::string_view fill)
{
    return str({"<rect x=\"", num(x), "\" y=\"", num(y), "\" width=\"", num(w), "\" height=\"", num(h), "\" fill=\"",
                fill, "\"/>"});
}

inline std::string fillPath(std::string_view d, std::string_view fill)
{
    return str({"<path d=\"", d, "\" fill=\"", fill, "\"/>"});
}

inline std::string letterText(double x, double y, std::string_view s, int size = 17)
{
    return str({"<text x=\"", num(x), "\" y=\"", num(y), "\" font-size=\"", std::to_string(size),
                "\" text-anchor=\"middle\" font-family=\"DejaVu Sans, sans-serif\" fill=\"", kInk, "\">", s,
                "</text>"});
}

} // namespace velmora::render::svg
