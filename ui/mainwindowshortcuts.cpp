// Every function of the main window from the keyboard. The plates and the
// command icons take no focus (they are pictures), so each has a shortcut in
// the manner of tabbed programs; a screen reader announces it from the
// control's accessible description.
#include "ui/mainwindow.h"
#include "ui/widgets.h"

#include <QAbstractButton>
#include <QShortcut>

namespace velmora {

void MainWindow::installKeyboardShortcuts()
{
    const struct {
        QAbstractButton *control;
        QKeySequence keys;
    } shortcuts[] = {
        {m_homeIcon, QKeySequence(Qt::ALT | Qt::Key_0)},
        {m_morsePlate, QKeySequence(Qt::ALT | Qt::Key_1)},
        {m_alphaNumPlate, QKeySequence(Qt::ALT | Qt::Key_2)},
        {m_caesarPlate, QKeySequence(Qt::ALT | Qt::Key_3)},
        {m_polybiusPlate, QKeySequence(Qt::ALT | Qt::Key_4)},
        {m_gatoPlate, QKeySequence(Qt::ALT | Qt::Key_5)},
        {m_mersPlate, QKeySequence(Qt::ALT | Qt::Key_6)},
        {m_semaphorePlate, QKeySequence(Qt::ALT | Qt::Key_7)},
        {m_aboutIcon, QKeySequence(Qt::Key_F1)},
        {m_quitIcon, QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto &s : shortcuts) {
        QAbstractButton *control = s.control;
        auto *shortcut = new QShortcut(s.keys, this);
        shortcut->setObjectName(control->objectName() + QStringLiteral("Shortcut"));
        // A click, so whatever answers the control (the web features too)
        // answers its key alike.
        connect(shortcut, &QShortcut::activated, control, [control] { control->click(); });
        control->setAccessibleDescription(
            QStringLiteral("Raccourci : %1").arg(s.keys.toString(QKeySequence::PortableText)));
    }
}

} // namespace velmora
