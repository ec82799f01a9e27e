// Plays the sound of a Morse coded text without holding up the window: the
// output pulls the samples a block at a time as it needs them, and the player
// tells which sign is sounding, so the window can follow the coded text.
#pragma once

#include "sound/morsetiming.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QIODevice;

namespace velmora {

namespace sound {
class MorseSoundDevice;
}

// Where the samples of a playing go: the sound card in the program; in the
// tests, anything that pulls them.
class SoundOutput : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts pulling 16-bit mono samples at sampleRate from source (open for
    // reading), and returns at once. False, with a French sentence in *error,
    // when the output cannot play them.
    virtual bool start(QIODevice *source, int sampleRate, QString *error) = 0;
    // Stops at once: no further sample is pulled or heard.
    virtual void stop() = 0;
    // How much of the sound has been heard so far, in microseconds.
    virtual qint64 playedUSecs() const = 0;

signals:
    // The output is done on its own: the whole sound was heard (error empty)
    // or the output failed (error says why, in French). Not emitted by stop().
    void finished(const QString &error);
};

class MorsePlayer : public QObject
{
    Q_OBJECT
public:
    // Makes the output of one playing, owned by the caller; null, with a
    // French sentence in *error, when there is none.
    using OutputFactory = std::function<SoundOutput *(QString *error)>;

    explicit MorsePlayer(QObject *parent = nullptr);
    // Stops the sound at once.
    ~MorsePlayer() override;

    // The sound card the system offers by default (through the audio module,
    // loaded at the first call), or null with a French sentence: the
    // noAudioOutputMessage() when the machine has no audio output.
    static SoundOutput *systemOutput(QString *error);
    static QString noAudioOutputMessage();
    // Where every player sends its sound from now on (an empty function:
    // systemOutput()). For the tests, which have no sound card.
    static void setOutputFactory(OutputFactory factory);

    // Plays the sound of codedText (stopping what was playing). False, with a
    // French sentence in *error, when nothing can be played; nothing is
    // playing then.
    bool play(const QString &codedText, const sound::MorseAlphabet &alphabet, const sound::SoundSettings &settings,
              QString *error);
    // Stops at once; nothing happens when nothing plays.
    void stop();
    bool isPlaying() const { return m_output != nullptr; }

    // The characters of the coded text whose sign is sounding now: empty
    // (begin == end) in the gaps, and when nothing plays.
    qsizetype signBegin() const { return m_signBegin; }
    qsizetype signEnd() const { return m_signEnd; }

    // How often the sign sounding is looked up while playing.
    static constexpr int kFollowIntervalMs = 15;

signals:
    void playingChanged(bool playing);
    // The sign sounding changed (begin == end: a gap, or the end).
    void signChanged(qsizetype begin, qsizetype end);
    // The output failed while playing; playing has stopped.
    void failed(const QString &message);

private:
    void follow();
    void onOutputFinished(const QString &error);
    void setSign(qsizetype begin, qsizetype end);
    void release();

    SoundOutput *m_output = nullptr;
    sound::MorseSoundDevice *m_device = nullptr;
    QTimer m_follow;
    qsizetype m_signBegin = 0;
    qsizetype m_signEnd = 0;
};

} // namespace velmora
