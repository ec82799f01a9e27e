// The sound of a Morse coded text, made on demand: a reader pulls samples a
// block at a time, so a message of any length plays and saves in bounded
// memory. The exact length is known before the first sample.
#pragma once

#include "morsetiming.h"

#include <QString>

#include <vector>

namespace velmora::sound {

// How the coded text sounds:
// - a dot is one unit of tone, a dash three;
// - two signs of one letter are one unit apart (the blank the code writes
//   between two dashes belongs to the letter and adds nothing);
// - the mark that ends a letter is a letter gap (three units); each further
//   mark is a word gap (seven units, the first one taking in the letter gap),
//   and so is a mark that follows no letter (at the start, for instance);
// - every other character (digits, accents, line breaks...) makes no sound
//   and takes no time.
// Signs and gaps are whole numbers of samples (see SignLengths); a sign rises
// and falls over a raised-cosine ramp inside its own length. 16-bit mono PCM.
class MorseSound
{
public:
    // Settings out of range are brought to the nearest valid value (see
    // clampedSettings()). The text is kept (shared, not copied).
    MorseSound(const QString &codedText, const MorseAlphabet &alphabet, const SoundSettings &settings);

    const QString &text() const { return m_text; }
    const SoundSettings &settings() const { return m_settings; }
    const SignLengths &lengths() const { return m_lengths; }
    int sampleRate() const { return m_settings.sampleRate; }
    // Exact number of samples of the whole sound.
    qint64 sampleCount() const { return m_sampleCount; }
    // Peak value of a sample.
    static int peak();

    // Reading: up to maxSamples samples at out, from the current position on;
    // returns how many were written (0 at the end).
    qint64 read(qint16 *out, qint64 maxSamples);
    qint64 position() const { return m_position; }
    bool atEnd() const { return m_position >= m_sampleCount; }
    // Moves the reading position (clamped to 0 .. sampleCount()).
    void seek(qint64 sample);

    // What sounds at a sample: a sign (tone) or a gap, the samples it covers
    // and the characters of the coded text it stands for. For a sign, the one
    // character of the dot or dash; for the gap between two signs, the
    // characters between them (the blank between two dashes, or nothing); for
    // a letter or word gap, its end mark. A sample outside the sound gives an
    // empty span at the end of the text.
    struct Span {
        qint64 firstSample = 0;
        qint64 sampleCount = 0;
        qsizetype textBegin = 0;
        qsizetype textEnd = 0;
        bool tone = false;
    };
    Span spanAt(qint64 sample) const;

private:
    enum class After : unsigned char { Nothing, Sign, LetterEnd, WordGap };
    struct Walker {
        qsizetype pos = 0;       // next character to read
        qsizetype lastSign = -1; // the last sign read
        qint64 sample = 0;       // first sample of the next element
        After after = After::Nothing;
        bool toneNext = false; // the gap before the sign at pos is done
    };
    struct Element {
        qint64 first = 0;
        qint64 length = 0;
        qsizetype textBegin = 0;
        qsizetype textEnd = 0;
        enum Kind : unsigned char { Silence, Dot, Dash } kind = Silence;
    };
    bool next(Walker &w, Element &e) const;
    const Walker &checkpointBefore(qint64 sample) const;

    QString m_text;
    MorseAlphabet m_alphabet;
    SoundSettings m_settings;
    SignLengths m_lengths;
    std::vector<qint16> m_dotWave;
    std::vector<qint16> m_dashWave;
    qint64 m_sampleCount = 0;
    // Walker states every few thousand elements, so seeking and spanAt() walk
    // a bounded stretch of text.
    std::vector<Walker> m_checkpoints;

    Walker m_walker;
    Element m_element;
    qint64 m_offset = 0; // samples of m_element already read
    qint64 m_position = 0;
};

} // namespace velmora::sound
