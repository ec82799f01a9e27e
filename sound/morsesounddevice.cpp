#include "morsesounddevice.h"

#include <algorithm>
#include <cstring>

namespace velmora::sound {

MorseSoundDevice::MorseSoundDevice(MorseSound sound, QObject *parent)
    : QIODevice(parent)
    , m_sound(std::move(sound))
    , m_block(4096)
{
}

MorseSound::Span MorseSoundDevice::spanAtTime(qint64 usecs) const
{
    return m_sound.spanAt(usecs * m_sound.sampleRate() / 1000000);
}

bool MorseSoundDevice::seek(qint64 pos)
{
    if (pos < 0 || pos > size() || !QIODevice::seek(pos))
        return false;
    m_bytePos = pos;
    return true;
}

qint64 MorseSoundDevice::readData(char *data, qint64 maxSize)
{
    // A reader may ask for any number of bytes, so a read may start or end
    // inside a sample: samples are made whole into a block and copied
    // byte-wise.
    qint64 done = 0;
    while (done < maxSize && m_bytePos < size()) {
        const qint64 sample = m_bytePos / 2;
        const qint64 skip = m_bytePos % 2;
        if (m_sound.position() != sample)
            m_sound.seek(sample);
        const qint64 want = std::min<qint64>(qint64(m_block.size()), (maxSize - done + skip + 1) / 2);
        const qint64 got = m_sound.read(m_block.data(), want);
        const qint64 bytes = std::min(2 * got - skip, maxSize - done);
        std::memcpy(data + done, reinterpret_cast<const char *>(m_block.data()) + skip, std::size_t(bytes));
        done += bytes;
        m_bytePos += bytes;
    }
    return done;
}

qint64 MorseSoundDevice::writeData(const char *, qint64)
{
    setErrorString(QStringLiteral("the sound cannot be written to"));
    return -1;
}

} // namespace velmora::sound
