// Takes a picture of a window on the X display and compares it with the
// developers' own picture of it, for the package check:
//   velmora-window-compare WINDOW-ID REFERENCE.png SHOT.png [MAX-DIFFERENCE]
// The window's picture is written to SHOT.png (WINDOW-ID may also be a PNG
// file taken before). The two pictures must have the
// same size. They are then compared tile by tile (16 x 16 pixels): two
// renderings of the same window differ in the anti-aliasing and hinting of
// their letters, which moves ink by a pixel inside a tile but hardly changes
// the tile's mean colour; a missing or extra line of text, a moved control or
// another colour changes the mean colour of the tiles it covers. The largest
// difference of a mean colour channel (0-255) over all tiles must not exceed
// MAX-DIFFERENCE (12 unless given: with the faces the package brings the
// window is drawn as on the developers' machine, where the only difference
// seen is a text caret blinking in one picture, 7 in its tile; with Nimbus Sans
// or DejaVu Sans standing in, some section of the window differs by 21 to 24,
// and a line of text missing from the welcome page by 63). Exit 0 when
// the pictures match, 1 when they differ, 2 when the window cannot be
// pictured.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kTile = 16;

struct Mean {
    double r = 0, g = 0, b = 0;
};

Mean tileMean(const QImage &image, int x0, int y0)
{
    Mean mean;
    int count = 0;
    for (int y = y0; y < std::min(y0 + kTile, image.height()); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = x0; x < std::min(x0 + kTile, image.width()); ++x) {
            mean.r += qRed(line[x]);
            mean.g += qGreen(line[x]);
            mean.b += qBlue(line[x]);
            ++count;
        }
    }
    mean.r /= count;
    mean.g /= count;
    mean.b /= count;
    return mean;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: velmora-window-compare WINDOW-ID REFERENCE.png SHOT.png [MAX-DIFFERENCE]\n");
        return 2;
    }
    const double maxDifference = args.size() > 4 ? args[4].toDouble() : 12.0;
    QImage shot;
    if (QFile::exists(args[1])) {
        // A picture taken before, compared again.
        shot = QImage(args[1]).convertToFormat(QImage::Format_RGB32);
    } else {
        bool ok = false;
        const WId window = args[1].toULongLong(&ok, 0);
        QScreen *screen = QGuiApplication::primaryScreen();
        if (!ok || !screen) {
            std::fprintf(stderr, "velmora-window-compare: no window %s or no screen\n", qPrintable(args[1]));
            return 2;
        }
        shot = screen->grabWindow(window).toImage().convertToFormat(QImage::Format_RGB32);
    }
    if (shot.isNull() || !shot.save(args[3])) {
        std::fprintf(stderr, "velmora-window-compare: cannot picture window %s into %s\n", qPrintable(args[1]),
                     qPrintable(args[3]));
        return 2;
    }
    const QImage reference = QImage(args[2]).convertToFormat(QImage::Format_RGB32);
    if (reference.isNull()) {
        std::fprintf(stderr, "velmora-window-compare: cannot read %s\n", qPrintable(args[2]));
        return 2;
    }
    std::printf("window %dx%d, reference %dx%d\n", shot.width(), shot.height(), reference.width(), reference.height());
    if (shot.size() != reference.size())
        return 1;

    double worst = 0;
    int worstX = 0, worstY = 0, over = 0, tiles = 0;
    for (int y = 0; y < shot.height(); y += kTile) {
        for (int x = 0; x < shot.width(); x += kTile) {
            const Mean a = tileMean(shot, x, y);
            const Mean b = tileMean(reference, x, y);
            const double d = std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
            ++tiles;
            if (d > maxDifference)
                ++over;
            if (d > worst) {
                worst = d;
                worstX = x;
                worstY = y;
            }
        }
    }
    std::printf("tiles of %dx%d: %d, over %.0f: %d; largest mean colour difference %.1f at (%d, %d)\n", kTile, kTile,
                tiles, maxDifference, over, worst, worstX, worstY);
    return over == 0 ? 0 : 1;
}
