#include "drawings.h"
#include "svg_parts.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace velmora::render {

namespace {

using namespace svg;

// ------------------------------------------------------- Code des Mers ----

enum class Shape { Rectangle, Swallowtail, Pennant };

struct Flag {
    char symbol;
    std::string_view name;
    Shape shape;
    std::string body; // drawn in a 60 x 40 box, clipped to the shape
};

constexpr std::string_view kRectPath = "M0 0H60V40H0Z";
constexpr std::string_view kSwallowtailPath = "M0 0H60L44 20L60 40H0Z";
constexpr std::string_view kPennantPath = "M0 0L60 13V27L0 40Z";

std::string_view shapePath(Shape s)
{
    switch (s) {
    case Shape::Swallowtail:
        return kSwallowtailPath;
    case Shape::Pennant:
        return kPennantPath;
    case Shape::Rectangle:
        break;
    }
    return kRectPath;
}

std::string_view shapeClip(Shape s)
{
    switch (s) {
    case Shape::Swallowtail:
        return "cpS";
    case Shape::Pennant:
        return "cpP";
    case Shape::Rectangle:
        break;
    }
    return "cpR";
}

std::string hStripes(std::initializer_list<std::string_view> colours, double total = 40)
{
    std::string s;
    const double h = total / static_cast<double>(colours.size());
    double y = 0;
    for (std::string_view c : colours) {
        s += rect(0, y, 60, h, c);
        y += h;
    }
    return s;
}

std::string vStripes(std::initializer_list<std::string_view> colours)
{
    std::string s;
    const double w = 60.0 / static_cast<double>(colours.size());
    double x = 0;
    for (std::string_view c : colours) {
        s += rect(x, 0, w, 40, c);
        x += w;
    }
    return s;
}

std::string ground(std::string_view colour)
{
    return rect(0, 0, 60, 40, colour);
}

std::string cross(std::string_view colour, double cx, double cy, double width)
{
    return rect(cx - width / 2, 0, width, 40, colour) + rect(0, cy - width / 2, 60, width, colour);
}

std::string saltire(std::string_view colour)
{
    return str({"<path d=\"M0 0L60 40M60 0L0 40\" stroke=\"", colour, "\" stroke-width=\"8\"/>"});
}

std::string ball(std::string_view colour, double cx, double r)
{
    return str({"<circle cx=\"", num(cx), "\" cy=\"20\" r=\"", num(r), "\" fill=\"", colour, "\"/>"});
}

std::vector<Flag> signalFlags()
{
    using S = Shape;
    std::vector<Flag> f;
    f.push_back({'A', "Alfa", S::Swallowtail, rect(0, 0, 30, 40, kWhite) + rect(30, 0, 30, 40, kBlue)});
    f.push_back({'B', "Bravo", S::Swallowtail, ground(kRed)});
    f.push_back({'C', "Charlie", S::Rectangle, hStripes({kBlue, kWhite, kRed, kWhite, kBlue})});
    f.push_back({'D', "Delta", S::Rectangle,
                 rect(0, 0, 60, 10, kYellow) + rect(0, 10, 60, 20, kBlue) + rect(0, 30, 60, 10, kYellow)});
    f.push_back({'E', "Echo", S::Rectangle, hStripes({kBlue, kRed})});
    f.push_back({'F', "Foxtrot", S::Rectangle, ground(kWhite) + fillPath("M30 0L60 20L30 40L0 20Z", kRed)});
    f.push_back({'G', "Golf", S::Rectangle, vStripes({kYellow, kBlue, kYellow, kBlue, kYellow, kBlue})});
    f.push_back({'H', "Hotel", S::Rectangle, vStripes({kWhite, kRed})});
    f.push_back({'I', "India", S::Rectangle, ground(kYellow) + ball(kBlack, 30, 10)});
    f.push_back({'J', "Juliett", S::Rectangle, hStripes({kBlue, kWhite, kBlue})});
    f.push_back({'K', "Kilo", S::Rectangle, vStripes({kYellow, kBlue})});
    f.push_back(
        {'L', "Lima", S::Rectangle, ground(kYellow) + rect(30, 0, 30, 20, kBlack) + rect(0, 20, 30, 20, kBlack)});
    f.push_back({'M', "Mike", S::Rectangle, ground(kBlue) + saltire(kWhite)});
    {
        std::string checks = ground(kWhite);
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 4; ++col)
                if ((row + col) % 2 == 0)
                    checks += rect(col * 15, row * 10, 15, 10, kBlue);
        f.push_back({'N', "November", S::Rectangle, checks});
    }
    // Divided from the upper hoist to the lower fly: red above (the fly's
    // triangle), yellow below (the hoist's).
    f.push_back({'O', "Oscar", S::Rectangle, fillPath("M0 0H60V40Z", kRed) + fillPath("M0 0V40H60Z", kYellow)});
    f.push_back({'P', "Papa", S::Rectangle, ground(kBlue) + rect(20, 13.33, 20, 13.34, kWhite)});
    f.push_back({'Q', "Quebec", S::Rectangle, ground(kYellow)});
    f.push_back({'R', "Romeo", S::Rectangle, ground(kRed) + cross(kYellow, 30, 20, 10)});
    f.push_back({'S', "Sierra", S::Rectangle, ground(kWhite) + rect(20, 13.33, 20, 13.34, kBlue)});
    f.push_back({'T', "Tango", S::Rectangle, vStripes({kRed, kWhite, kBlue})});
    f.push_back({'U', "Uniform", S::Rectangle, ground(kWhite) + rect(0, 0, 30, 20, kRed) + rect(30, 20, 30, 20, kRed)});
    f.push_back({'V', "Victor", S::Rectangle, ground(kWhite) + saltire(kRed)});
    f.push_back(
        {'W', "Whiskey", S::Rectangle, ground(kBlue) + rect(7, 7, 46, 26, kWhite) + rect(14, 14, 32, 12, kRed)});
    f.push_back({'X', "X-ray", S::Rectangle, ground(kWhite) + cross(kBlue, 30, 20, 10)});
    {
        // Diagonal bands, yellow in the upper hoist corner.
        std::string bands = ground(kYellow);
        for (int c = 10; c < 100; c += 20)
            bands += fillPath(str({"M", num(c), " 0H", num(c + 10), "L", num(c - 30), " 40H", num(c - 40), "Z"}), kRed);
        f.push_back({'Y', "Yankee", S::Rectangle, bands});
    }
    f.push_back({'Z', "Zulu", S::Rectangle,
                 fillPath("M0 0H60L30 20Z", kYellow) + fillPath("M0 0L30 20L0 40Z", kBlack) +
                     fillPath("M0 40L30 20L60 40Z", kBlue) + fillPath("M60 0V40L30 20Z", kRed)});
    // The numeral pennants.
    f.push_back({'1', "un", S::Pennant, ground(kWhite) + ball(kRed, 15, 7)});
    f.push_back({'2', "deux", S::Pennant, ground(kBlue) + ball(kWhite, 15, 7)});
    f.push_back({'3', "trois", S::Pennant, vStripes({kRed, kWhite, kBlue})});
    f.push_back({'4', "quatre", S::Pennant, ground(kRed) + cross(kWhite, 18, 20, 8)});
    f.push_back({'5', "cinq", S::Pennant, vStripes({kYellow, kBlue})});
    f.push_back({'6', "six", S::Pennant, hStripes({kBlack, kWhite})});
    f.push_back({'7', "sept", S::Pennant, hStripes({kYellow, kRed})});
    f.push_back({'8', "huit", S::Pennant, ground(kWhite) + cross(kRed, 18, 20, 8)});
    f.push_back({'9', "neuf", S::Pennant,
                 rect(0, 0, 30, 20, kWhite) + rect(30, 0, 30, 20, kBlack) + rect(0, 20, 30, 20, kRed) +
                     rect(30, 20, 30, 20, kYellow)});
    f.push_back({'0', "zéro", S::Pennant, vStripes({kYellow, kRed, kYellow})});
    return f;
}

CodeSheet makeMers()
{
    CodeSheet sheet;
    sheet.title = "Code des Mers";
    sheet.cssClass = "c-mers";
    constexpr std::string_view box = "-1 -1 62 42";
    std::string symbols =
        str({"<clipPath id=\"cpR\"><path d=\"", kRectPath, "\"/></clipPath><clipPath id=\"cpS\"><path d=\"",
             kSwallowtailPath, "\"/></clipPath><clipPath id=\"cpP\"><path d=\"", kPennantPath, "\"/></clipPath>"});
    std::string letters, digits;
    for (const Flag &flag : signalFlags()) {
        const std::string id = std::string("f") + flag.symbol;
        symbols += str({"<symbol id=\"", id, "\" viewBox=\"", box, "\"><g clip-path=\"url(#", shapeClip(flag.shape),
                        ")\">", flag.body, "</g><path d=\"", shapePath(flag.shape),
                        "\" fill=\"none\" stroke=\"#3a3f4b\" stroke-width=\"1\"/></symbol>"});
        const std::string label(1, flag.symbol);
        sheet.glyph[static_cast<unsigned char>(flag.symbol)] = glyphMarkup(box, id, label);
        std::string &key = flag.shape == Shape::Pennant ? digits : letters;
        key += keyItem(box, id, str({"<b>", label, "</b> ", flag.name}));
    }
    sheet.defs = "<svg class=\"defs\" aria-hidden=\"true\"><defs>" + symbols + "</defs></svg>";
    sheet.legend = "<section class=\"legend\"><h2>Légende</h2>"
                   "<p>Les pavillons du Code international des signaux : un pavillon par lettre, et les flammes "
                   "numériques pour les chiffres. Les autres signes n’ont pas de pavillon : ils sont écrits tels "
                   "quels dans une case.</p><div class=\"keys\">" +
                   letters + "</div><h3>Flammes numériques</h3><div class=\"keys\">" + digits + "</div></section>";
    return sheet;
}

} // namespace

const CodeSheet &mersSheet()
{
    static const CodeSheet sheet = makeMers();
    return sheet;
}

} // namespace velmora::render
