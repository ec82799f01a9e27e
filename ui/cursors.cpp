#include "ui/cursors.h"

#include "ui/pictures.h"

#include <QGuiApplication>
#include <QCoreApplication>
#include <QHash>

namespace velmora {
namespace {

struct CursorDesign {
    const char *file;
    QPoint hotSpot;
    Qt::CursorShape standIn;
};

CursorDesign designOf(VelmoraCursor id)
{
    switch (id) {
    case VelmoraCursor::OkHand: return {"cursor1-ok.svg", {7, 7}, Qt::ArrowCursor};
    case VelmoraCursor::PenBeam: return {"cursor2-ibeam-pen.svg", {5, 9}, Qt::IBeamCursor};
    case VelmoraCursor::OkHandSide: return {"cursor3-ok-side.svg", {4, 16}, Qt::PointingHandCursor};
    case VelmoraCursor::OkHandRight: return {"cursor4-ok.svg", {24, 7}, Qt::PointingHandCursor};
    case VelmoraCursor::PenCrosshair: return {"cursor5-crosshair-pen.svg", {5, 12}, Qt::CrossCursor};
    case VelmoraCursor::PointUp: return {"cursor6-point-up.svg", {12, 1}, Qt::PointingHandCursor};
    case VelmoraCursor::OpenHand: return {"cursor7-open-hand.svg", {16, 14}, Qt::OpenHandCursor};
    case VelmoraCursor::Ring: return {"cursor-ring.svg", {7, 7}, Qt::ArrowCursor};
    case VelmoraCursor::Forbidden: return {"cursor-forbidden.svg", {12, 1}, Qt::ForbiddenCursor};
    case VelmoraCursor::Point: return {"cursor-point.svg", {12, 1}, Qt::PointingHandCursor};
    }
    return {"", {0, 0}, Qt::ArrowCursor};
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
    const QPixmap pixmap = renderPicture(QStringLiteral(":/velmora/cursors/") +
                                             QLatin1String(design.file),
                                         QSize(32, 32));
    // Hot spots are in device-independent pixels; Qt scales them with the
    // pixmap's pixel ratio.
    const QCursor cursor = pixmap.isNull() ? QCursor(design.standIn)
                                           : QCursor(pixmap, design.hotSpot.x(), design.hotSpot.y());
    cache.insert(int(id), cursor);
    return cursor;
}

} // namespace velmora
