#include "ui/cursors.h"

#include "ui/pictures.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QStringList>

namespace velmora {
namespace {

struct CursorDesign {
    const char *name; // the drawing, cursors/NAME.svg, and its line in hotspots.txt
    Qt::CursorShape standIn;
};

CursorDesign designOf(VelmoraCursor id)
{
    switch (id) {
    case VelmoraCursor::OkHand:
        return {"cursor1-ok", Qt::ArrowCursor};
    case VelmoraCursor::PenBeam:
        return {"cursor2-ibeam-pen", Qt::IBeamCursor};
    case VelmoraCursor::OkHandSide:
        return {"cursor3-ok-side", Qt::PointingHandCursor};
    case VelmoraCursor::OkHandRight:
        return {"cursor4-ok", Qt::PointingHandCursor};
    case VelmoraCursor::PenCrosshair:
        return {"cursor5-crosshair-pen", Qt::CrossCursor};
    case VelmoraCursor::PointUp:
        return {"cursor6-point-up", Qt::PointingHandCursor};
    case VelmoraCursor::OpenHand:
        return {"cursor7-open-hand", Qt::OpenHandCursor};
    case VelmoraCursor::Ring:
        return {"cursor-ring", Qt::ArrowCursor};
    case VelmoraCursor::Forbidden:
        return {"cursor-forbidden", Qt::ForbiddenCursor};
    case VelmoraCursor::Point:
        return {"cursor-point", Qt::PointingHandCursor};
    }
    return {"", Qt::ArrowCursor};
}

// The hot spots of the drawings, from the resource written with them
// (cursors/hotspots.txt: one line "name x y" per cursor), read once. A line
// that does not read as a name and two whole numbers is left out, so its
// cursor gets its stand-in.
const QHash<QString, QPoint> &hotSpots()
{
    static const QHash<QString, QPoint> spots = [] {
        ensureUiResources();
        QHash<QString, QPoint> read;
        QFile file(QStringLiteral(":/velmora/cursors/hotspots.txt"));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return read;
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : lines) {
            const QStringList fields = line.simplified().split(QLatin1Char(' '));
            bool xOk = false, yOk = false;
            const int x = fields.value(1).toInt(&xOk);
            const int y = fields.value(2).toInt(&yOk);
            if (fields.size() == 3 && xOk && yOk)
                read.insert(fields[0], QPoint(x, y));
        }
        return read;
    }();
    return spots;
}

} // namespace

QCursor velmoraCursor(VelmoraCursor id)
{
    // Cleared while the application object still exists, so that no cursor
    // pixmap outlives it.
    static QHash<int, QCursor> cache;
    static const bool cleanupRegistered = [] {
        qAddPostRoutine([] { cache.clear(); });
        return true;
    }();
    Q_UNUSED(cleanupRegistered);
    const auto found = cache.constFind(int(id));
    if (found != cache.constEnd())
        return *found;

    const CursorDesign design = designOf(id);
    const QString name = QLatin1String(design.name);
    const auto spot = hotSpots().constFind(name);
    const QPixmap pixmap = spot == hotSpots().constEnd()
                               ? QPixmap()
                               : renderPicture(QStringLiteral(":/velmora/cursors/%1.svg").arg(name), QSize(32, 32));
    // Hot spots are in device-independent pixels; Qt scales them with the
    // pixmap's pixel ratio. A drawing without its hot spot is not shown
    // with a made-up one: the stand-in takes its place.
    const QCursor cursor = pixmap.isNull() ? QCursor(design.standIn) : QCursor(pixmap, spot->x(), spot->y());
    cache.insert(int(id), cursor);
    return cursor;
}

} // namespace velmora
