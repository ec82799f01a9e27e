// A MorseSound as a read-only QIODevice of 16-bit native-endian samples, for
// an audio output that pulls its data (QAudioSink::start(QIODevice *)).
#pragma once

#include "morsesound.h"

#include <QIODevice>

#include <vector>

namespace velmora::sound {

class MorseSoundDevice : public QIODevice
{
public:
    explicit MorseSoundDevice(MorseSound sound, QObject *parent = nullptr);

    const MorseSound &sound() const { return m_sound; }

    // The sign or gap heard after `usecs` microseconds of playing (what the
    // audio output reports as processed), to follow the coded text.
    MorseSound::Span spanAtTime(qint64 usecs) const;

    bool isSequential() const override { return false; }
    qint64 size() const override { return 2 * m_sound.sampleCount(); }
    bool seek(qint64 pos) override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    MorseSound m_sound;
    qint64 m_bytePos = 0; // where readData() goes on, ahead of pos() when buffered
    std::vector<qint16> m_block;
};

} // namespace velmora::sound
