#include "ui/program.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace velmora {

void endProgram()
{
    // Hide rather than close: closing would run each window's own handlers
    // (some only hide themselves), and nothing is left to save.
    QList<QPointer<QWidget>> windows;
    const auto topLevels = QApplication::topLevelWidgets();
    for (QWidget *window : topLevels)
        windows.append(window);
    for (const QPointer<QWidget> &window : std::as_const(windows))
        if (window && window->isVisible())
            window->hide();
    QCoreApplication::quit();
}

} // namespace velmora
