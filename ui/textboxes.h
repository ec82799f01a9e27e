// The multi-line text boxes of the windows: message boxes the user types
// into, and the fixed explanatory texts.
#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <QRect>
#include <QTextEdit>

namespace velmora {

// The whole text of a message box as the codes take it: line breaks are
// CR LF, every other character exactly as typed (a no-break space stays a
// no-break space).
QString messageText(const QPlainTextEdit *box);

// Paints `colour` as the text colour and `background` as the background of a
// text widget, in every state (active, inactive and disabled).
void setTextColours(QWidget *widget, const QColor &text, const QColor &background);

// A message box: multi-line, word-wrapped, with a vertical scroll bar unless
// `scrollBar` is false; text in the highlight colour on the default window
// background; Tab moves the focus on. Named "Message" for screen readers.
QPlainTextEdit *makeMessageBox(QWidget *parent, const QString &name, const QRect &geometry, const QString &initialText,
                               bool scrollBar = true);

// A fixed explanatory text: shows its text, takes no focus and no typing.
// Its lines are set at the height of the font without extra leading, as the
// design face sets them, so that each text fills its box as designed.
QTextEdit *makeInfoText(QWidget *parent, const QString &name, const QRect &geometry, const QString &text,
                        const QColor &textColour, const QColor &background, const QString &accessibleName);

} // namespace velmora
