#include "ui/pictures.h"

#include "ui/fonts.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#if defined(VELMORA_HAVE_ASSETS) && __has_include("velmora_assets.h")
#include "velmora_assets.h"
#define VELMORA_INIT_ASSETS 1
#endif

namespace velmora {

void registerResultViewAccessibility(); // resultview.cpp

void ensureUiResources()
{
    static const bool done = [] {
#ifdef VELMORA_INIT_ASSETS
        velmoraInitAssets();
#endif
        installFontSubstitutions();
        registerResultViewAccessibility();
        return true;
    }();
    Q_UNUSED(done);
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
    QSvgRenderer renderer(path);
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QPixmap renderPicture(const QString &path, QSize size, qreal dpr)
{
    ensureUiResources();
    if (!QFile::exists(path))
        return QPixmap();
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return QPixmap();
    if (!size.isValid())
        size = renderer.defaultSize();
    if (size.isEmpty())
        return QPixmap();
    if (dpr <= 0)
        dpr = qApp ? qApp->devicePixelRatio() : 1.0;
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

QIcon pictureIcon(const QString &path)
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64}) {
        const QPixmap pixmap = renderPicture(path, QSize(side, side), 1.0);
        if (!pixmap.isNull())
            icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace velmora
