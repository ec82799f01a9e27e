// Helpers shared by the window tests: find controls by their names, type
// into them and click them as a person would.
#pragma once

#include "ui/mainwindow.h"
#include "ui/morsehelpwindow.h"
#include "ui/resultview.h"
#include "ui/resultwindow.h"
#include "ui/widgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace uitest {

// Quietens the offscreen platform's note that it cannot raise windows.
inline void quietOffscreenNotes()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (message.contains(QLatin1String("does not support raise()")) ||
            message.contains(QLatin1String("does not support activateWindow()")))
            return;
        if (previous)
            previous(type, context, message);
    });
}

template <class T>
T *child(const QObject *parent, const QString &name)
{
    return parent->findChild<T *>(name);
}

// Types text key by key; characters beyond ASCII arrive as the key events a
// keyboard with such keys sends.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            const Qt::Key key = c.unicode() <= 0xFF ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
        }
    }
}

// Empties a message box and types the message into it, line by line; the
// lines of the message are separated by CR LF.
inline void typeMessage(QPlainTextEdit *box, const QString &message)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    const QStringList lines = message.split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(box, Qt::Key_Return);
        typeText(box, lines[i]);
    }
}

// What the result window of WINDOW shows, or a marker when it is not shown.
inline QString shownResult(const velmora::MainWindow *window)
{
    const velmora::ResultWindow *result = window->resultWindow();
    return result && result->isVisible() ? result->resultBox()->toPlainText() : QStringLiteral("<no result window>");
}

inline void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

// Picks an entry of the combo box's drop-down list with the mouse.
inline bool chooseItem(QComboBox *combo, const QString &text)
{
    const int row = combo->findText(text, Qt::MatchExactly);
    if (row < 0)
        return false;
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    if (!QTest::qWaitFor([view] { return view->isVisible(); }))
        return false;
    const QRect item = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    return QTest::qWaitFor([combo, text] { return combo->currentText() == text && !combo->view()->isVisible(); });
}

// Types into the field of the combo box, replacing its text.
inline void typeInCombo(QComboBox *combo, const QString &text)
{
    QLineEdit *field = combo->lineEdit();
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    typeText(field, text);
}

// Lets windows closed with Qt::WA_DeleteOnClose go away.
inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

inline QList<QWidget *> visibleTopLevels()
{
    QList<QWidget *> list;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            list.append(w);
    return list;
}

} // namespace uitest
