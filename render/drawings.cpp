#include "drawings.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace velmora::render {

namespace {

// Colours of the signal flags.
constexpr std::string_view kRed = "#da291c";
constexpr std::string_view kBlue = "#003da5";
constexpr std::string_view kYellow = "#ffcd00";
constexpr std::string_view kBlack = "#111111";
constexpr std::string_view kWhite = "#ffffff";
constexpr std::string_view kInk = "#1b1f2a";

std::string str(std::initializer_list<std::string_view> parts)
{
    std::string s;
    for (std::string_view p : parts)
        s += p;
    return s;
}

std::string num(double v)
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
std::string outerBox(std::string_view symbolBox)
{
    std::size_t space = symbolBox.find(' ');
    space = symbolBox.find(' ', space + 1);
    return "0 0" + std::string(symbolBox.substr(space));
}

std::string glyphMarkup(std::string_view viewBox, std::string_view id, std::string_view title)
{
    return str({"<svg class=\"g\" viewBox=\"", outerBox(viewBox), "\" role=\"img\"><title>", title, "</title><use href=\"#", id,
                "\"/></svg>"});
}

std::string keyItem(std::string_view viewBox, std::string_view id, std::string_view caption)
{
    return str({"<figure><svg class=\"g\" viewBox=\"", outerBox(viewBox), "\" aria-hidden=\"true\"><use href=\"#", id,
                "\"/></svg><figcaption>", caption, "</figcaption></figure>"});
}

std::string rect(double x, double y, double w, double h, std::string_view fill)
{
    return str({"<rect x=\"", num(x), "\" y=\"", num(y), "\" width=\"", num(w), "\" height=\"", num(h), "\" fill=\"",
                fill, "\"/>"});
}

std::string fillPath(std::string_view d, std::string_view fill)
{
    return str({"<path d=\"", d, "\" fill=\"", fill, "\"/>"});
}

std::string letterText(double x, double y, std::string_view s, int size = 17)
{
    return str({"<text x=\"", num(x), "\" y=\"", num(y), "\" font-size=\"", std::to_string(size),
                "\" text-anchor=\"middle\" font-family=\"DejaVu Sans, sans-serif\" fill=\"", kInk, "\">", s,
                "</text>"});
}

// ---------------------------------------------------------------- Gato ----

// The outline of each cell of a # grid, A..I in reading order: the sides of
// the cell that are lines of the grid.
constexpr const char *kGridCells[9] = {
    "M48 12V48H12",     "M12 12V48H48V12", "M12 12V48H48", //
    "M12 12H48V48H12",  "M12 12H48V48H12Z", "M48 12H12V48H48", //
    "M12 12H48V48",     "M12 48V12H48V48",  "M12 48V12H48",
};

// The outline of each quarter of an X (top, left, right, bottom), and where its dot goes.
struct Wedge {
    const char *path;
    int dotX;
    int dotY;
};
constexpr Wedge kXWedges[4] = {
    {"M12 14L30 44L48 14", 30, 23},
    {"M14 12L44 30L14 48", 23, 30},
    {"M46 12L16 30L46 48", 37, 30},
    {"M12 46L30 16L48 46", 30, 37},
};

std::string gatoStroke(std::string_view d)
{
    return str({"<path d=\"", d, "\" fill=\"none\" stroke=\"", kInk,
                "\" stroke-width=\"4.5\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>"});
}

std::string gatoDot(int x, int y)
{
    return str({"<circle cx=\"", std::to_string(x), "\" cy=\"", std::to_string(y), "\" r=\"4.5\" fill=\"", kInk,
                "\"/>"});
}

// The key: two # grids and two X with their letters, as the legend shows them.
std::string gatoKey()
{
    std::string s = str({"<svg class=\"key\" viewBox=\"0 0 580 140\" role=\"img\" aria-label=\"Grilles du code Gato\">"
                         "<g fill=\"none\" stroke=\"",
                         kInk, "\" stroke-width=\"3\" stroke-linecap=\"round\">"});
    for (int panel = 0; panel < 2; ++panel) {
        const int ox = 10 + panel * 145;
        s += str({"<path d=\"M", num(ox + 40), " 10V130M", num(ox + 80), " 10V130M", num(ox), " 50H", num(ox + 120),
                  "M", num(ox), " 90H", num(ox + 120), "\"/>"});
    }
    for (int panel = 0; panel < 2; ++panel) {
        const int ox = 300 + panel * 145;
        s += str({"<path d=\"M", num(ox), " 10L", num(ox + 120), " 130M", num(ox + 120), " 10L", num(ox), " 130\"/>"});
    }
    s += "</g>";
    for (int panel = 0; panel < 2; ++panel) {
        const int ox = 10 + panel * 145;
        for (int cell = 0; cell < 9; ++cell) {
            const double cx = ox + 20 + 40 * (cell % 3);
            const double cy = 30 + 40 * (cell / 3);
            const char letter[2] = {static_cast<char>('A' + panel * 9 + cell), 0};
            s += letterText(cx - (panel ? 4 : 0), cy + 6, letter);
            if (panel)
                s += gatoDot(static_cast<int>(cx + 9), static_cast<int>(cy - 6));
        }
    }
    constexpr int kWedgeText[4][2] = {{60, 36}, {24, 76}, {96, 76}, {60, 116}};
    for (int panel = 0; panel < 2; ++panel) {
        const int ox = 300 + panel * 145;
        for (int w = 0; w < 4; ++w) {
            const char letter[2] = {static_cast<char>((panel ? 'W' : 'S') + w), 0};
            const double x = ox + kWedgeText[w][0];
            const double y = kWedgeText[w][1];
            s += letterText(x - (panel ? 4 : 0), y, letter);
            if (panel)
                s += str({"<circle cx=\"", num(x + 7), "\" cy=\"", num(y - 14), "\" r=\"3.5\" fill=\"", kInk, "\"/>"});
        }
    }
    return s + "</svg>";
}

CodeSheet makeGato()
{
    CodeSheet sheet;
    sheet.title = "Gato";
    sheet.cssClass = "c-gato";
    constexpr std::string_view box = "0 0 60 60";
    std::string symbols;
    for (int i = 0; i < 26; ++i) {
        const char letter = static_cast<char>('A' + i);
        const std::string id = std::string("g") + letter;
        std::string body;
        if (i < 18) {
            body = gatoStroke(kGridCells[i % 9]);
            if (i >= 9)
                body += gatoDot(30, 30);
        } else {
            const Wedge &w = kXWedges[(i - 18) % 4];
            body = gatoStroke(w.path);
            if (i >= 22)
                body += gatoDot(w.dotX, w.dotY);
        }
        symbols += str({"<symbol id=\"", id, "\" viewBox=\"", box, "\">", body, "</symbol>"});
        sheet.glyph[static_cast<unsigned char>(letter)] = glyphMarkup(box, id, std::string(1, letter));
    }
    sheet.defs = "<svg class=\"defs\" aria-hidden=\"true\"><defs>" + symbols + "</defs></svg>";
    sheet.legend = "<section class=\"legend\"><h2>Légende</h2>"
                   "<p>Chaque lettre est dessinée par le contour de sa case dans ces grilles : A à I dans la "
                   "première grille, J à R dans la deuxième, où la case porte un point, S à V dans le premier X, "
                   "W à Z dans le second X, avec un point. Les chiffres et les autres signes n’ont pas de dessin : "
                   "ils sont écrits tels quels dans une case.</p>" +
                   gatoKey() + "</section>";
    return sheet;
}

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

std::string ground(std::string_view colour) { return rect(0, 0, 60, 40, colour); }

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
    f.push_back({'D', "Delta", S::Rectangle, rect(0, 0, 60, 10, kYellow) + rect(0, 10, 60, 20, kBlue) +
                                                 rect(0, 30, 60, 10, kYellow)});
    f.push_back({'E', "Echo", S::Rectangle, hStripes({kBlue, kRed})});
    f.push_back({'F', "Foxtrot", S::Rectangle, ground(kWhite) + fillPath("M30 0L60 20L30 40L0 20Z", kRed)});
    f.push_back({'G', "Golf", S::Rectangle, vStripes({kYellow, kBlue, kYellow, kBlue, kYellow, kBlue})});
    f.push_back({'H', "Hotel", S::Rectangle, vStripes({kWhite, kRed})});
    f.push_back({'I', "India", S::Rectangle, ground(kYellow) + ball(kBlack, 30, 10)});
    f.push_back({'J', "Juliett", S::Rectangle, hStripes({kBlue, kWhite, kBlue})});
    f.push_back({'K', "Kilo", S::Rectangle, vStripes({kYellow, kBlue})});
    f.push_back({'L', "Lima", S::Rectangle, ground(kYellow) + rect(30, 0, 30, 20, kBlack) + rect(0, 20, 30, 20, kBlack)});
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
    f.push_back({'W', "Whiskey", S::Rectangle, ground(kBlue) + rect(7, 7, 46, 26, kWhite) + rect(14, 14, 32, 12, kRed)});
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
    std::string symbols = str({"<clipPath id=\"cpR\"><path d=\"", kRectPath, "\"/></clipPath><clipPath id=\"cpS\"><path d=\"",
                               kSwallowtailPath, "\"/></clipPath><clipPath id=\"cpP\"><path d=\"", kPennantPath,
                               "\"/></clipPath>"});
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

// ----------------------------------------------------------- Semaphore ----

// Directions of an arm as seen by someone facing the signaller, in degrees of
// the picture (y downwards).
enum Dir { E = 0, SE = 45, S = 90, SW = 135, W = 180, NW = 225, N = 270, NE = 315 };

// Where one of the signaller's own arms points: the five positions on its own
// side, and the two across the body.
enum class Arm { Down, Low, Out, High, Up, AcrossLow, AcrossHigh };

struct Position {
    Arm right; // the signaller's right arm, on the observer's left
    Arm left;
};

// A..Z with the arms that make them. Six letters bring one arm across the
// body; which one, and whether low or high, is part of the letter.
constexpr Position kSemaphore[26] = {
    {Arm::Low, Arm::Down},        // A
    {Arm::Out, Arm::Down},        // B
    {Arm::High, Arm::Down},       // C
    {Arm::Up, Arm::Down},         // D
    {Arm::Down, Arm::High},       // E
    {Arm::Down, Arm::Out},        // F
    {Arm::Down, Arm::Low},        // G
    {Arm::Out, Arm::AcrossLow},   // H
    {Arm::High, Arm::AcrossLow},  // I
    {Arm::Up, Arm::Out},          // J
    {Arm::Low, Arm::Up},          // K
    {Arm::Low, Arm::High},        // L
    {Arm::Low, Arm::Out},         // M
    {Arm::Low, Arm::Low},         // N
    {Arm::Out, Arm::AcrossHigh},  // O
    {Arm::Out, Arm::Up},          // P
    {Arm::Out, Arm::High},        // Q
    {Arm::Out, Arm::Out},         // R
    {Arm::Out, Arm::Low},         // S
    {Arm::High, Arm::Up},         // T
    {Arm::High, Arm::High},       // U
    {Arm::Up, Arm::Low},          // V
    {Arm::AcrossHigh, Arm::Out},  // W
    {Arm::AcrossHigh, Arm::Low},  // X
    {Arm::High, Arm::Out},        // Y
    {Arm::AcrossLow, Arm::Out},   // Z
};
constexpr Position kNumeralSign = {Arm::Up, Arm::High};

// The picture's direction of the signaller's right arm; the left arm's is its
// mirror image across the body.
Dir rightArmDirection(Arm a)
{
    switch (a) {
    case Arm::Down:
        return S;
    case Arm::Low:
        return SW;
    case Arm::Out:
        return W;
    case Arm::High:
        return NW;
    case Arm::Up:
        return N;
    case Arm::AcrossLow:
        return SE;
    case Arm::AcrossHigh:
        break;
    }
    return NE;
}

Dir leftArmDirection(Arm a) { return static_cast<Dir>((540 - static_cast<int>(rightArmDirection(a))) % 360); }

constexpr double kShoulderX = 9;
constexpr double kShoulderY = -14;

// One arm from its shoulder; the flag hangs below a slanting or level arm,
// and outwards from an arm held straight up or down.
std::string arm(bool leftShoulder, Dir d)
{
    const double rad = static_cast<double>(d) * std::numbers::pi / 180.0;
    bool mirror;
    if (d == S || d == N) {
        const double unmirroredX = -std::sin(rad);
        mirror = (unmirroredX < 0) != leftShoulder;
    } else {
        mirror = std::cos(rad) < 0;
    }
    return str({"<use href=\"#sarm\" transform=\"translate(", num(leftShoulder ? -kShoulderX : kShoulderX), " ",
                num(kShoulderY), ") rotate(", std::to_string(static_cast<int>(d)), ")", mirror ? " scale(1 -1)" : "",
                "\"/>"});
}

// The signaller's right arm is on the observer's left (the picture's left shoulder).
std::string figure(Position p)
{
    return "<use href=\"#sbody\"/>" + arm(true, rightArmDirection(p.right)) + arm(false, leftArmDirection(p.left));
}

constexpr std::string_view kSemaphoreParts =
    "<g id=\"sbody\">"
    "<path d=\"M-5 15L-8 51M5 15L8 51\" stroke=\"#3a3f4b\" stroke-width=\"6\" stroke-linecap=\"round\"/>"
    "<path d=\"M-10 -18H10L7 17H-7Z\" fill=\"#4a74d0\"/>"
    "<circle cx=\"0\" cy=\"-27\" r=\"8\" fill=\"#f0c8a0\" stroke=\"#3a3f4b\" stroke-width=\"1\"/>"
    "</g>"
    "<g id=\"sarm\">"
    "<path d=\"M0 0H28\" stroke=\"#17306e\" stroke-width=\"5.5\" stroke-linecap=\"round\"/>"
    "<path d=\"M29 0H48\" stroke=\"#5b3a1e\" stroke-width=\"1.8\" stroke-linecap=\"round\"/>"
    "<circle cx=\"30\" cy=\"0\" r=\"3\" fill=\"#f0c8a0\" stroke=\"#3a3f4b\" stroke-width=\".8\"/>"
    "<path d=\"M32 0H48V16Z\" fill=\"#da291c\"/>"
    "<path d=\"M32 0L48 16H32Z\" fill=\"#ffcd00\"/>"
    "<path d=\"M32 0H48V16H32Z\" fill=\"none\" stroke=\"#3a3f4b\" stroke-width=\".7\"/>"
    "</g>";

CodeSheet makeSemaphore()
{
    CodeSheet sheet;
    sheet.title = "Sémaphore";
    sheet.cssClass = "c-sema";
    constexpr std::string_view box = "-62 -66 124 122";
    std::string symbols(kSemaphoreParts);
    std::string key;
    for (int i = 0; i < 26; ++i) {
        const char letter = static_cast<char>('A' + i);
        const std::string id = std::string("s") + letter;
        symbols += str({"<symbol id=\"", id, "\" viewBox=\"", box, "\">", figure(kSemaphore[i]), "</symbol>"});
        const std::string label(1, letter);
        sheet.glyph[static_cast<unsigned char>(letter)] = glyphMarkup(box, id, label);
        key += keyItem(box, id, str({"<b>", label, "</b>"}));
    }
    symbols += str({"<symbol id=\"sNum\" viewBox=\"", box, "\">", figure(kNumeralSign), "</symbol>"});
    // Digits: 1..9 are the positions A..I, 0 is K.
    for (int digit = 0; digit <= 9; ++digit) {
        const char letter = digit == 0 ? 'K' : static_cast<char>('A' + digit - 1);
        const std::string label(1, static_cast<char>('0' + digit));
        sheet.glyph[static_cast<unsigned char>('0' + digit)] =
            glyphMarkup(box, std::string("s") + letter, str({label, " (", std::string(1, letter), ")"}));
    }
    sheet.numeralSign = glyphMarkup(box, "sNum", "signe numérique");
    sheet.lettersSign = glyphMarkup(box, "sJ", "signe lettres (J)");
    key += keyItem(box, "sNum", "<b>signe numérique</b>");
    sheet.defs = "<svg class=\"defs\" aria-hidden=\"true\"><defs>" + symbols + "</defs></svg>";
    sheet.legend = "<section class=\"legend\"><h2>Légende</h2>"
                   "<p>Chaque lettre est une position des deux bras, vue de face. Pour écrire des chiffres, le "
                   "signe numérique vient d’abord ; ensuite 1 à 9 se font comme A à I, et 0 comme K. Le signe "
                   "lettres, la position du J, ramène aux lettres. Les autres signes n’ont pas de position : ils "
                   "sont écrits tels quels dans une case.</p><div class=\"keys\">" +
                   key + "</div></section>";
    return sheet;
}

} // namespace

const CodeSheet &gatoSheet()
{
    static const CodeSheet sheet = makeGato();
    return sheet;
}

const CodeSheet &mersSheet()
{
    static const CodeSheet sheet = makeMers();
    return sheet;
}

const CodeSheet &semaphoreSheet()
{
    static const CodeSheet sheet = makeSemaphore();
    return sheet;
}

} // namespace velmora::render
