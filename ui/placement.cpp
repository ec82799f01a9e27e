#include "ui/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace velmora {

void centreWindow(QWidget *window, const QWidget *over)
{
    QRect area;
    if (over && over->isVisible())
        area = over->frameGeometry();
    else if (QScreen *screen = over && over->screen() ? over->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (!area.isValid())
        return;
    QRect frame(QPoint(0, 0), window->size());
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

} // namespace velmora
