#include "drawings.h"
#include "svg_parts.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace velmora::render {

namespace {

using namespace svg;

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
    {Arm::Low, Arm::Down},       // A
    {Arm::Out, Arm::Down},       // B
    {Arm::High, Arm::Down},      // C
    {Arm::Up, Arm::Down},        // D
    {Arm::Down, Arm::High},      // E
    {Arm::Down, Arm::Out},       // F
    {Arm::Down, Arm::Low},       // G
    {Arm::Out, Arm::AcrossLow},  // H
    {Arm::High, Arm::AcrossLow}, // I
    {Arm::Up, Arm::Out},         // J
    {Arm::Low, Arm::Up},         // K
    {Arm::Low, Arm::High},       // L
    {Arm::Low, Arm::Out},        // M
    {Arm::Low, Arm::Low},        // N
    {Arm::Out, Arm::AcrossHigh}, // O
    {Arm::Out, Arm::Up},         // P
    {Arm::Out, Arm::High},       // Q
    {Arm::Out, Arm::Out},        // R
    {Arm::Out, Arm::Low},        // S
    {Arm::High, Arm::Up},        // T
    {Arm::High, Arm::High},      // U
    {Arm::Up, Arm::Low},         // V
    {Arm::AcrossHigh, Arm::Out}, // W
    {Arm::AcrossHigh, Arm::Low}, // X
    {Arm::High, Arm::Out},       // Y
    {Arm::AcrossLow, Arm::Out},  // Z
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

Dir leftArmDirection(Arm a)
{
    return static_cast<Dir>((540 - static_cast<int>(rightArmDirection(a))) % 360);
}

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

const CodeSheet &semaphoreSheet()
{
    static const CodeSheet sheet = makeSemaphore();
    return sheet;
}

} // namespace velmora::render
