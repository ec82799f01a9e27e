// WAV files of 16-bit mono PCM, written as a stream: the header first (the
// length is known beforehand), then the samples block by block.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace velmora::sound {

class MorseSound;

inline constexpr qint64 kWavHeaderBytes = 44;
// The RIFF size field (32 bits, unsigned) counts the data and 36 bytes of
// header: no WAV file holds more samples than this.
inline constexpr qint64 kMaxWavSamples = (0xFFFFFFFFLL - 36) / 2;

// Empty when a sound of sampleCount samples fits in a WAV file; otherwise an
// English sentence saying how long the sound would last and what a file holds.
QString wavSizeError(qint64 sampleCount, int sampleRate);

// The 44-byte header of a 16-bit mono PCM file; sampleCount must fit.
QByteArray wavHeader(qint64 sampleCount, int sampleRate);

// Receives the bytes of the file in order; returns false to stop (a write
// error), having set *error if it wants to say why.
using WavSink = std::function<bool(const char *data, qint64 size)>;

// Writes the whole sound, from its first sample, as a WAV file to the sink.
// A sound too long for a WAV file is refused before a single byte is written.
// Returns false with a message in *error (if given) on refusal or when the
// sink fails.
bool writeWav(MorseSound &sound, const WavSink &sink, QString *error = nullptr);
// The same, to an open device (a QSaveFile, a QBuffer...); the device's
// error string becomes the message.
bool writeWav(MorseSound &sound, QIODevice &device, QString *error = nullptr);

} // namespace velmora::sound
