// Window geometry is designed in twips (1/1440 inch). Fifteen twips make one
// device-independent pixel; Qt's high-DPI scaling takes it from there. Every
// conversion in the program goes through these helpers.
#pragma once

#include <QRect>
#include <QSize>

namespace velmora {

inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel (all design values are multiples of 15 anyway).
constexpr int twipsToPixels(int twips)
{
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr QSize twipsSize(int width, int height)
{
    return QSize(twipsToPixels(width), twipsToPixels(height));
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

} // namespace velmora
