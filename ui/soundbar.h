// The sound controls of the result window, shown under the result box after
// a Morse or Morse 2 coding: "Écouter" plays the coded text (and reads
// "Arrêter" while it plays), "Enregistrer le son..." saves it as a WAV file,
// and a line of text tells what became of either. The sign being heard is
// marked in the result box.
#pragma once

#include "engine/codes.h"
#include "sound/morsetiming.h"

#include <QWidget>

#include <atomic>
#include <memory>
#include <optional>

class QLabel;
class QPushButton;

namespace velmora {

class BackgroundJob;
class MorsePlayer;
class ResultView;
class PlayedSignMark;

class SoundBar : public QWidget
{
    Q_OBJECT
public:
    // The bar sounds the text of resultBox; it is laid out as wide as the
    // box, kHeightTwips high, its buttons kButtonTopTwips from its top.
    SoundBar(ResultView *resultBox, QWidget *parent);
    static constexpr int kHeightTwips = 630;
    static constexpr int kButtonTopTwips = 90;
    // Stops the sound, and a saving under way (which then leaves no file).
    ~SoundBar() override;

    // The code of the text the result box now shows. Returns whether it has
    // a sound (Morse and Morse 2), in which case the bar should be shown.
    // Whatever was playing stops: it was the sound of another text.
    bool setCode(std::optional<CodeId> code);
    bool hasSound() const { return m_alphabet.has_value(); }

    // Stops the sound at once.
    void stopSound();

    // Where a saving dialog opens and what file name it offers.
    static QString suggestedFileName();

    MorsePlayer *player() const { return m_player; }
    QPushButton *listenButton() const { return m_listenButton; }
    QPushButton *saveButton() const { return m_saveButton; }
    QLabel *statusLabel() const { return m_status; }
    bool isSaving() const;

    static const QString &listenCaption();
    static const QString &stopCaption();
    static const QString &saveCaption();

signals:
    // A saving is over: error is empty when the file is written, else the
    // French sentence the bar shows.
    void saveFinished(const QString &path, const QString &error);

private:
    void onListenClicked();
    void onSaveClicked();
    void onPlayingChanged(bool playing);
    void save(const QString &path, const QString &codedText, sound::MorseAlphabet alphabet);
    void setStatus(const QString &text);

    ResultView *m_resultBox;
    QLabel *m_status;
    QPushButton *m_listenButton;
    QPushButton *m_saveButton;
    MorsePlayer *m_player;
    PlayedSignMark *m_mark;
    BackgroundJob *m_saving;
    std::shared_ptr<std::atomic_bool> m_savingCancelled;
    std::optional<sound::MorseAlphabet> m_alphabet;
    sound::SoundSettings m_settings;
};

} // namespace velmora
