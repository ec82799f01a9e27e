#include "drawings.h"
#include "svg_parts.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace velmora::render {

namespace {

using namespace svg;

// ---------------------------------------------------------------- Gato ----

// The outline of each cell of a # grid, A..I in reading order: the sides of
// the cell that are lines of the grid.
constexpr const char *kGridCells[9] = {
    "M48 12V48H12",    "M12 12V48H48V12",  "M12 12V48H48",    //
    "M12 12H48V48H12", "M12 12H48V48H12Z", "M48 12H12V48H48", //
    "M12 12H48V48",    "M12 48V12H48V48",  "M12 48V12H48",
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
    return str(
        {"<circle cx=\"", std::to_string(x), "\" cy=\"", std::to_string(y), "\" r=\"4.5\" fill=\"", kInk, "\"/>"});
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

} // namespace

const CodeSheet &gatoSheet()
{
    static const CodeSheet sheet = makeGato();
    return sheet;
}

} // namespace velmora::render
