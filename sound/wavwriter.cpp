#include "wavwriter.h"

#include "morsesound.h"

#include <QIODevice>
#include <QtEndian>

#include <cstring>
#include <vector>

namespace velmora::sound {
namespace {

constexpr qint64 kBlockSamples = 32 * 1024;

QString duration(qint64 sampleCount, int sampleRate)
{
    const qint64 seconds = sampleCount / sampleRate;
    return QStringLiteral("%1 h %2 min %3 s").arg(seconds / 3600).arg(seconds / 60 % 60).arg(seconds % 60);
}

void put16(char *at, quint16 v)
{
    qToLittleEndian(v, at);
}
void put32(char *at, quint32 v)
{
    qToLittleEndian(v, at);
}

} // namespace

QString wavSizeError(qint64 sampleCount, int sampleRate)
{
    if (sampleCount <= kMaxWavSamples)
        return {};
    return QStringLiteral("the sound would last %1, longer than a WAV file can hold (%2 at %3 Hz); "
                          "choose a higher speed or a shorter message")
        .arg(duration(sampleCount, sampleRate), duration(kMaxWavSamples, sampleRate))
        .arg(sampleRate);
}

QByteArray wavHeader(qint64 sampleCount, int sampleRate)
{
    const quint32 dataBytes = quint32(sampleCount * 2);
    QByteArray h(kWavHeaderBytes, '\0');
    char *p = h.data();
    std::memcpy(p, "RIFF", 4);
    put32(p + 4, 36 + dataBytes);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    put32(p + 16, 16); // size of the fmt chunk
    put16(p + 20, 1);  // PCM
    put16(p + 22, 1);  // mono
    put32(p + 24, quint32(sampleRate));
    put32(p + 28, quint32(sampleRate) * 2); // bytes per second
    put16(p + 32, 2);                       // bytes per frame
    put16(p + 34, 16);                      // bits per sample
    std::memcpy(p + 36, "data", 4);
    put32(p + 40, dataBytes);
    return h;
}

bool writeWav(MorseSound &sound, const WavSink &sink, QString *error)
{
    const QString tooLong = wavSizeError(sound.sampleCount(), sound.sampleRate());
    if (!tooLong.isEmpty()) {
        if (error)
            *error = tooLong;
        return false;
    }
    const QByteArray header = wavHeader(sound.sampleCount(), sound.sampleRate());
    if (!sink(header.constData(), header.size()))
        return false;
    sound.seek(0);
    std::vector<qint16> block(kBlockSamples);
    for (;;) {
        const qint64 n = sound.read(block.data(), kBlockSamples);
        if (n == 0)
            return true;
        if constexpr (Q_BYTE_ORDER != Q_LITTLE_ENDIAN) {
            for (qint64 i = 0; i < n; ++i)
                block[std::size_t(i)] = qToLittleEndian(block[std::size_t(i)]);
        }
        if (!sink(reinterpret_cast<const char *>(block.data()), n * 2))
            return false;
    }
}

bool writeWav(MorseSound &sound, QIODevice &device, QString *error)
{
    return writeWav(
        sound,
        [&](const char *data, qint64 size) {
            if (device.write(data, size) == size)
                return true;
            if (error)
                *error = device.errorString();
            return false;
        },
        error);
}

} // namespace velmora::sound
