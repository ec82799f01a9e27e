#include "morsesound.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace velmora::sound {
namespace {

// Half of full scale: loud enough, and room to spare for players that mix.
constexpr double kPeak = 16384.0;
// One checkpoint every this many elements (signs and gaps).
constexpr int kCheckpointStride = 4096;

// One sign: a sine starting at phase 0, faded in and out with raised-cosine
// ramps of `ramp` samples inside its length; its first and last samples are
// silent.
std::vector<qint16> signWave(qint64 length, qint64 ramp, int toneHz, int sampleRate)
{
    std::vector<qint16> wave(static_cast<std::size_t>(length));
    const double step = 2.0 * std::numbers::pi * toneHz / sampleRate;
    for (qint64 i = 0; i < length; ++i) {
        double gain = 1.0;
        const qint64 fromEdge = std::min(i, length - 1 - i);
        if (fromEdge < ramp)
            gain = 0.5 * (1.0 - std::cos(std::numbers::pi * double(fromEdge) / double(ramp)));
        wave[std::size_t(i)] = qint16(std::lround(kPeak * gain * std::sin(step * double(i))));
    }
    return wave;
}

} // namespace

int MorseSound::peak()
{
    return int(kPeak);
}

MorseSound::MorseSound(const QString &codedText, const MorseAlphabet &alphabet, const SoundSettings &settings)
    : m_text(codedText)
    , m_alphabet(alphabet)
    , m_settings(clampedSettings(settings))
    , m_lengths(signLengths(m_settings))
{
    m_dotWave = signWave(m_lengths.dot, m_lengths.ramp, m_settings.toneHz, m_settings.sampleRate);
    m_dashWave = signWave(m_lengths.dash, m_lengths.ramp, m_settings.toneHz, m_settings.sampleRate);

    // One pass over the text: the exact length, and the checkpoints.
    Walker w;
    Element e;
    m_checkpoints.push_back(w);
    qint64 elements = 0;
    while (next(w, e)) {
        if (++elements >= kCheckpointStride && !w.toneNext) {
            m_checkpoints.push_back(w);
            elements = 0;
        }
    }
    m_sampleCount = w.sample;
    seek(0);
}

bool MorseSound::next(Walker &w, Element &e) const
{
    const qsizetype size = m_text.size();
    const char16_t *text = reinterpret_cast<const char16_t *>(m_text.constData());
    while (w.pos < size) {
        const char16_t c = text[w.pos];
        const bool isDot = c == m_alphabet.dot;
        if (isDot || c == m_alphabet.dash) {
            e.first = w.sample;
            if (w.after == After::Sign && !w.toneNext) {
                // The gap between this sign and the last one of the letter.
                w.toneNext = true;
                e.length = m_lengths.signGap;
                e.textBegin = w.lastSign + 1;
                e.textEnd = w.pos;
                e.kind = Element::Silence;
            } else {
                w.toneNext = false;
                e.length = isDot ? m_lengths.dot : m_lengths.dash;
                e.textBegin = w.pos;
                e.textEnd = w.pos + 1;
                e.kind = isDot ? Element::Dot : Element::Dash;
                w.after = After::Sign;
                w.lastSign = w.pos;
                ++w.pos;
            }
            w.sample += e.length;
            return true;
        }
        if (c == m_alphabet.letterEnd) {
            e.first = w.sample;
            switch (w.after) {
            case After::Sign:
                e.length = m_lengths.letterGap;
                w.after = After::LetterEnd;
                break;
            case After::LetterEnd:
                e.length = m_lengths.wordGap - m_lengths.letterGap;
                w.after = After::WordGap;
                break;
            case After::Nothing:
            case After::WordGap:
                e.length = m_lengths.wordGap;
                w.after = After::WordGap;
                break;
            }
            e.textBegin = w.pos;
            e.textEnd = w.pos + 1;
            e.kind = Element::Silence;
            ++w.pos;
            w.sample += e.length;
            return true;
        }
        ++w.pos; // no sound, no time
    }
    return false;
}

const MorseSound::Walker &MorseSound::checkpointBefore(qint64 sample) const
{
    // The last checkpoint whose next element starts at or before `sample`.
    auto it = std::upper_bound(m_checkpoints.begin(), m_checkpoints.end(), sample,
                               [](qint64 s, const Walker &w) { return s < w.sample; });
    return *(it - 1);
}

void MorseSound::seek(qint64 sample)
{
    sample = std::clamp<qint64>(sample, 0, m_sampleCount);
    m_walker = checkpointBefore(sample);
    m_element = Element{m_walker.sample, 0, 0, 0, Element::Silence};
    while (next(m_walker, m_element)) {
        if (sample < m_element.first + m_element.length)
            break;
    }
    m_offset = std::min(sample - m_element.first, m_element.length);
    m_position = sample;
}

qint64 MorseSound::read(qint16 *out, qint64 maxSamples)
{
    qint64 done = 0;
    while (done < maxSamples) {
        if (m_offset == m_element.length) {
            if (!next(m_walker, m_element))
                break;
            m_offset = 0;
        }
        const qint64 n = std::min(m_element.length - m_offset, maxSamples - done);
        if (m_element.kind != Element::Silence) {
            const qint16 *wave = m_element.kind == Element::Dot ? m_dotWave.data() : m_dashWave.data();
            std::memcpy(out + done, wave + m_offset, std::size_t(n) * sizeof(qint16));
        } else {
            std::memset(out + done, 0, std::size_t(n) * sizeof(qint16));
        }
        m_offset += n;
        done += n;
    }
    m_position += done;
    return done;
}

MorseSound::Span MorseSound::spanAt(qint64 sample) const
{
    if (sample < 0 || sample >= m_sampleCount)
        return Span{m_sampleCount, 0, m_text.size(), m_text.size(), false};
    Walker w = checkpointBefore(sample);
    Element e;
    while (next(w, e)) {
        if (sample < e.first + e.length)
            return Span{e.first, e.length, e.textBegin, e.textEnd, e.kind != Element::Silence};
    }
    return Span{m_sampleCount, 0, m_text.size(), m_text.size(), false};
}

} // namespace velmora::sound
