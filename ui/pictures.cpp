#include "ui/pictures.h"

#include "ui/fonts.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QtMath>

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

// The pre-rendered PNG of `path` at `size` (natural when invalid), ratio 1;
// a null pixmap when there is none or it does not have the size asked for.
QPixmap loadPrerendered(const QString &path, QSize size)
{
    const QString png = prerenderedPath(path, size);
    if (png.isEmpty())
        return QPixmap();
    QImageReader reader(png, "png");
    QImage image = reader.read();
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

QString prerenderedName(const QString &relativePath, QSize size)
{
    QString base = relativePath;
    if (base.endsWith(QLatin1String(".svg")))
        base.chop(4);
    if (size.isValid())
        base += QStringLiteral("@%1x%2").arg(size.width()).arg(size.height());
    return base + QStringLiteral(".png");
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
    // Only the PNG's header is read to learn whether its size is the one
    // asked for.
    if (size.isValid() && QImageReader(natural, "png").size() != size)
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
    // The PNG pre-rendered at the natural size has that size: its header
    // tells it without parsing the drawing.
    const QString natural = prerenderedPath(path);
    if (!natural.isEmpty()) {
        const QSize size = QImageReader(natural, "png").size();
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
