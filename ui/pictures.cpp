#include "ui/pictures.h"

#include "ui/fonts.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>
#include <QtMath>

#include <cstring>
#include <optional>

#if defined(VELMORA_HAVE_ASSETS) && __has_include("velmora_assets.h")
#include "velmora_assets.h"
#define VELMORA_INIT_ASSETS 1
#endif

namespace velmora {

// The build's pre-rendering tool compiles this file on its own, to render the
// drawings with the program's own code; it has no windows to set up.
#ifndef VELMORA_PICTURES_ONLY
void registerResultViewAccessibility(); // resultview.cpp
#endif

void ensureUiResources()
{
    static const bool done = [] {
#ifdef VELMORA_INIT_ASSETS
        velmoraInitAssets();
#endif
#ifndef VELMORA_PICTURES_ONLY
        installFontSubstitutions();
        registerResultViewAccessibility();
#endif
        return true;
    }();
    Q_UNUSED(done);
}

namespace {

const QString &resourceRoot()
{
    static const QString root = QStringLiteral(":/velmora/");
    return root;
}

const QString &rasterRoot()
{
    static const QString root = QStringLiteral(":/velmora/raster/");
    return root;
}

// The pixels of a pre-rendered raster, straight from the resource: a
// 12-byte header (the letters "VRP1", then width and height as 32-bit
// numbers of this machine) and the rows of premultiplied ARGB32 pixels. The
// build stores them uncompressed, so reading one is a copy, with no inflating
// or unfiltering as a PNG would need and no image plugin to look up.
struct RasterHeader {
    char magic[4];
    quint32 width;
    quint32 height;
};

QImage rasterImage(const QString &rasterPath)
{
    const QResource resource(rasterPath);
    if (!resource.isValid())
        return QImage();
    const QByteArray bytes = resource.uncompressedData();
    RasterHeader header;
    if (bytes.size() < qsizetype(sizeof header))
        return QImage();
    std::memcpy(&header, bytes.constData(), sizeof header);
    if (std::memcmp(header.magic, "VRP1", 4) != 0 || header.width == 0 || header.height == 0 || header.width > 4096 ||
        header.height > 4096 || bytes.size() != qsizetype(sizeof header) + qsizetype(header.width) * header.height * 4)
        return QImage();
    const QImage image(reinterpret_cast<const uchar *>(bytes.constData()) + sizeof header, int(header.width),
                       int(header.height), int(header.width) * 4, QImage::Format_ARGB32_Premultiplied);
    // Stored uncompressed, the pixels stay in the program's resources for its
    // whole life and are used where they lie; a decompressed copy would not.
    return resource.compressionAlgorithm() == QResource::NoCompression ? image : image.copy();
}

QSize rasterSize(const QString &rasterPath)
{
    const QResource resource(rasterPath);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < qint64(sizeof(RasterHeader)))
        return rasterImage(rasterPath).size();
    RasterHeader header;
    std::memcpy(&header, resource.data(), sizeof header);
    if (std::memcmp(header.magic, "VRP1", 4) != 0)
        return QSize();
    return QSize(int(header.width), int(header.height));
}

// The pre-rendered raster of `path` at `size` (natural when invalid), ratio
// 1; a null pixmap when there is none or it does not have the size asked for.
QPixmap loadPrerendered(const QString &path, QSize size)
{
    const QString raster = prerenderedPath(path, size);
    if (raster.isEmpty())
        return QPixmap();
    QImage image = readPrerendered(raster);
    if (image.isNull() || (size.isValid() && image.size() != size))
        return QPixmap();
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(1.0);
    return pixmap;
}

qreal effectiveRatio(qreal dpr)
{
    if (dpr <= 0)
        dpr = qApp ? qApp->devicePixelRatio() : 1.0;
    return dpr;
}

// Renders the parsed drawing at `size` device-independent pixels (its
// natural size when invalid) for the pixel ratio `dpr` (already resolved).
QPixmap renderWith(QSvgRenderer &renderer, QSize size, qreal dpr)
{
    if (!renderer.isValid())
        return QPixmap();
    if (!size.isValid())
        size = renderer.defaultSize();
    if (size.isEmpty())
        return QPixmap();
    QPixmap pixmap(QSize(qCeil(size.width() * dpr), qCeil(size.height() * dpr)));
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixmap.size())));
    }
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

} // namespace

QImage readPrerendered(const QString &rasterPath)
{
    return rasterImage(rasterPath);
}

QByteArray prerenderedBytes(const QImage &image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    RasterHeader header{{'V', 'R', 'P', '1'}, quint32(pixels.width()), quint32(pixels.height())};
    QByteArray bytes(reinterpret_cast<const char *>(&header), sizeof header);
    bytes.reserve(bytes.size() + qsizetype(pixels.width()) * pixels.height() * 4);
    for (int y = 0; y < pixels.height(); ++y)
        bytes.append(reinterpret_cast<const char *>(pixels.constScanLine(y)), qsizetype(pixels.width()) * 4);
    return bytes;
}

QString prerenderedName(const QString &relativePath, QSize size)
{
    QString base = relativePath;
    if (base.endsWith(QLatin1String(".svg")))
        base.chop(4);
    if (size.isValid())
        base += QStringLiteral("@%1x%2").arg(size.width()).arg(size.height());
    return base + QStringLiteral(".argb");
}

QString prerenderedPath(const QString &path, QSize size)
{
    ensureUiResources();
    if (!path.startsWith(resourceRoot()) || path.startsWith(rasterRoot()))
        return QString();
    const QString relative = path.mid(resourceRoot().size());
    if (size.isValid()) {
        const QString sized = rasterRoot() + prerenderedName(relative, size);
        if (QFile::exists(sized))
            return sized;
    }
    const QString natural = rasterRoot() + prerenderedName(relative);
    if (!QFile::exists(natural))
        return QString();
    // Only the raster's header is read to learn whether its size is the one
    // asked for.
    if (size.isValid() && rasterSize(natural) != size)
        return QString();
    return natural;
}

QString picturePath(const QString &name)
{
    return QStringLiteral(":/velmora/pictures/") + name;
}

QSize pictureNaturalSize(const QString &path)
{
    ensureUiResources();
    if (!QFile::exists(path))
        return QSize();
    // The raster pre-rendered at the natural size has that size: its header
    // tells it without parsing the drawing.
    const QString natural = prerenderedPath(path);
    if (!natural.isEmpty()) {
        const QSize size = rasterSize(natural);
        if (size.isValid())
            return size;
    }
    QSvgRenderer renderer(path);
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QPixmap renderPictureSvg(const QString &path, QSize size, qreal dpr)
{
    ensureUiResources();
    if (!QFile::exists(path))
        return QPixmap();
    QSvgRenderer renderer(path);
    return renderWith(renderer, size, effectiveRatio(dpr));
}

QPixmap renderPicture(const QString &path, QSize size, qreal dpr)
{
    ensureUiResources();
    if (!QFile::exists(path))
        return QPixmap();
    dpr = effectiveRatio(dpr);
    if (dpr == 1.0) {
        const QPixmap prerendered = loadPrerendered(path, size);
        if (!prerendered.isNull())
            return prerendered;
    }
    QSvgRenderer renderer(path);
    return renderWith(renderer, size, dpr);
}

QIcon pictureIcon(const QString &path)
{
    ensureUiResources();
    QIcon icon;
    if (!QFile::exists(path))
        return icon;
    // The drawing is parsed once, and only for a size the build did not
    // pre-render.
    std::optional<QSvgRenderer> renderer;
    for (int side : kPictureIconSizes) {
        const QSize size(side, side);
        QPixmap pixmap = loadPrerendered(path, size);
        if (pixmap.isNull()) {
            if (!renderer)
                renderer.emplace(path);
            pixmap = renderWith(*renderer, size, 1.0);
        }
        if (!pixmap.isNull())
            icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace velmora
