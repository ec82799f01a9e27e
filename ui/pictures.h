// The pictures, icons and cursors are SVG drawings compiled into the
// program's resources under :/velmora/. These helpers render them for the
// screen's pixel ratio; a missing picture gives a null pixmap, never a crash.
#pragma once

#include <QIcon>
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

// A window icon from an SVG drawing, rendered at the usual icon sizes.
QIcon pictureIcon(const QString &path);

} // namespace velmora
