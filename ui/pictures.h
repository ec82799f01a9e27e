// The pictures, icons and cursors are SVG drawings compiled into the
// program's resources under :/velmora/. These helpers render them for the
// screen's pixel ratio; a missing picture gives a null pixmap, never a crash.
//
// The build also renders each drawing, at pixel ratio 1 and at the sizes the
// windows ask for (a picture at its natural size, an icon at the icon sizes,
// a cursor at 32 x 32), to a raster under :/velmora/raster/ with this very
// code: the bare pixels, stored uncompressed, so that reading one costs a
// copy. A request at ratio 1 and one of those sizes takes that raster, pixel
// for pixel
// the drawing's own rendering, without parsing the SVG; any other size or
// ratio (a high-density screen) renders the drawing itself.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace velmora {

// Makes sure the resources, font substitutions and accessibility support of
// the windows are registered. Cheap after the first call.
void ensureUiResources();

// ":/velmora/pictures/<name>"
QString picturePath(const QString &name);

// The picture's natural size in pixels (its SVG width and height), or an
// invalid size when the resource is missing.
QSize pictureNaturalSize(const QString &path);

// Renders the SVG at `size` device-independent pixels (its natural size when
// `size` is invalid) for the pixel ratio `dpr` (the application's when 0).
QPixmap renderPicture(const QString &path, QSize size = QSize(), qreal dpr = 0);

// Always renders the SVG drawing itself (never a pre-rendered raster); what
// the build's pre-rendered rasters are made with.
QPixmap renderPictureSvg(const QString &path, QSize size = QSize(), qreal dpr = 0);

// The sizes, in pixels, at which a window icon is rendered.
inline constexpr int kPictureIconSizes[] = {16, 24, 32, 48, 64};

// A window icon from an SVG drawing, rendered at the icon sizes.
QIcon pictureIcon(const QString &path);

// The name, relative to ":/velmora/raster/", of the raster that the build
// renders of the drawing `relativePath` (relative to ":/velmora/", e.g.
// "pictures/smorse.svg"): "pictures/smorse.argb" at the drawing's natural size
// (an invalid `size`), "pictures/icon-main@16x16.argb" at another size.
QString prerenderedName(const QString &relativePath, QSize size = QSize());

// The resource path of the pre-rendered raster that serves `path` at `size`
// device-independent pixels (its natural size when invalid) and pixel ratio
// 1, or an empty string when the build made none for it.
QString prerenderedPath(const QString &path, QSize size = QSize());

// The image stored in a pre-rendered raster (a path prerenderedPath() gave),
// or a null image when it is missing or not a raster.
QImage readPrerendered(const QString &rasterPath);

// The bytes of a pre-rendered raster of `image`, as the build writes them.
QByteArray prerenderedBytes(const QImage &image);

} // namespace velmora
