// Renders the drawings to the rasters that the program takes instead of parsing
// them when it asks for one at pixel ratio 1 and at the size pre-rendered,
// with the program's own rendering code (ui/pictures.cpp):
//   velmora-prerender OUTPUT_DIR [SVG SIZE NAME]...
// writes each SVG, at SIZE ("WxH", or "natural" for the drawing's own size),
// to OUTPUT_DIR/NAME.
#include "ui/pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>

namespace {

bool parseSize(const QString &text, QSize *size)
{
    if (text == QLatin1String("natural")) {
        *size = QSize();
        return true;
    }
    static const QRegularExpression pattern(QStringLiteral("^([1-9][0-9]{0,3})x([1-9][0-9]{0,3})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    *size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || (argc - 2) % 3 != 0) {
        std::fprintf(stderr, "usage: velmora-prerender OUTPUT_DIR [SVG SIZE NAME]...\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString outputDir = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; i += 3) {
        const QString svg = QString::fromLocal8Bit(argv[i]);
        const QString name = QString::fromLocal8Bit(argv[i + 2]);
        QSize size;
        if (!parseSize(QString::fromLocal8Bit(argv[i + 1]), &size)) {
            std::fprintf(stderr, "velmora-prerender: bad size %s for %s\n", argv[i + 1], argv[i]);
            return 2;
        }
        const QPixmap pixmap = velmora::renderPictureSvg(svg, size, 1.0);
        if (pixmap.isNull()) {
            std::fprintf(stderr, "velmora-prerender: cannot render %s\n", argv[i]);
            return 1;
        }
        const QString target = outputDir + QLatin1Char('/') + name;
        QSaveFile file(target);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !file.open(QIODevice::WriteOnly) ||
            file.write(velmora::prerenderedBytes(pixmap.toImage())) < 0 || !file.commit()) {
            std::fprintf(stderr, "velmora-prerender: cannot write %s\n", qPrintable(target));
            return 1;
        }
    }
    return 0;
}
