// The result window and the Morse 2 help window.
#pragma once

#include <QPointer>
#include <QWidget>

class QPlainTextEdit;

namespace velmora {

class LabelButton;
class ResultView;
class SectionFrame;

// Places a window that is about to be shown: centred over `over` when it is
// on screen, otherwise in the middle of the screen.
void centreWindow(QWidget *window, const QWidget *over = nullptr);

// The result window "frmMorse": one read-only result box "codeMorse". Built
// from its design values; discarded when the user closes it.
class FrmMorse : public QWidget
{
    Q_OBJECT
public:
    explicit FrmMorse(QWidget *parent = nullptr);

    ResultView *codeMorse() const { return m_codeMorse; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ResultView *m_codeMorse;
};

// The Morse 2 help window "helpMorse2": a borderless note with the help text
// and a red "X" that hides it.
class HelpMorse2 : public QWidget
{
    Q_OBJECT
public:
    explicit HelpMorse2(QWidget *parent = nullptr);

    SectionFrame *Frame1() const { return m_frame; }
    QPlainTextEdit *Text1() const { return m_text; }
    LabelButton *lblCloseMH() const { return m_close; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SectionFrame *m_frame;
    QPlainTextEdit *m_text;
    LabelButton *m_close;
};

} // namespace velmora
