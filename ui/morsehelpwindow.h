// The Morse 2 help window "helpMorse2": a borderless note with the help text
// and a red "X" that hides it.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace velmora {

class LabelButton;
class SectionFrame;

class MorseHelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MorseHelpWindow(QWidget *parent = nullptr);

    SectionFrame *frame() const { return m_frame; }
    QPlainTextEdit *helpText() const { return m_helpText; }
    LabelButton *closeButton() const { return m_closeButton; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SectionFrame *m_frame;
    QPlainTextEdit *m_helpText;
    LabelButton *m_closeButton;
};

} // namespace velmora
