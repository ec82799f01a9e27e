// Where a window appears when it is about to be shown.
#pragma once

class QWidget;

namespace velmora {

// Places a window that is about to be shown: centred over `over` when it is
// on screen, otherwise in the middle of the screen.
void centreWindow(QWidget *window, const QWidget *over = nullptr);

} // namespace velmora
