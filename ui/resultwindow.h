// The result window "frmMorse" of every code: one read-only result box
// "codeMorse". Built from its design values; discarded when the user closes
// it.
#pragma once

#include <QWidget>

namespace velmora {

class ResultView;

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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ResultView *m_resultBox;
};

} // namespace velmora
