// The result window "frmMorse" of every code: one read-only result box
// "codeMorse". Built from its design values; discarded when the user closes
// it. After a Morse or Morse 2 coding, a bar of sound controls lies under the
// box and the window grows to hold it.
#pragma once

#include "engine/codes.h"

#include <QWidget>

#include <optional>

namespace velmora {

class ResultView;
class SoundBar;

class ResultWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ResultWindow(QWidget *parent = nullptr);

    ResultView *resultBox() const { return m_resultBox; }

    // The caption says what the result box shows: a code ("Message Codé...",
    // as built) or a decoded message ("Message Décodé...", then DETAILS in
    // brackets when there are any). The box's accessible name follows.
    void setCodedCaption();
    void setDecodedCaption(const QString &details);

    // Sound: the code of the text the box now shows (none for a text of no
    // code). The sound controls show for a code that has a sound; whatever
    // was playing stops.
    void setSoundCode(std::optional<CodeId> code);
    SoundBar *soundBar() const { return m_soundBar; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    ResultView *m_resultBox;

    // Sound controls.
    SoundBar *m_soundBar;
};

} // namespace velmora
