#include "morsetiming.h"

#include <algorithm>
#include <cmath>

namespace velmora::sound {

QString settingsError(const SoundSettings &s)
{
    if (s.wpm < kMinWpm || s.wpm > kMaxWpm)
        return QStringLiteral("the speed must be from %1 to %2 words per minute, not %3")
            .arg(kMinWpm)
            .arg(kMaxWpm)
            .arg(s.wpm);
    if (s.farnsworthWpm != 0 && (s.farnsworthWpm < kMinWpm || s.farnsworthWpm > s.wpm))
        return QStringLiteral("the Farnsworth speed must be from %1 to the letter speed (%2) words per minute, not %3")
            .arg(kMinWpm)
            .arg(s.wpm)
            .arg(s.farnsworthWpm);
    if (s.toneHz < kMinToneHz || s.toneHz > kMaxToneHz)
        return QStringLiteral("the tone must be from %1 to %2 Hz, not %3")
            .arg(kMinToneHz)
            .arg(kMaxToneHz)
            .arg(s.toneHz);
    if (s.sampleRate < kMinSampleRate || s.sampleRate > kMaxSampleRate)
        return QStringLiteral("the sample rate must be from %1 to %2 Hz, not %3")
            .arg(kMinSampleRate)
            .arg(kMaxSampleRate)
            .arg(s.sampleRate);
    return {};
}

SoundSettings clampedSettings(const SoundSettings &settings)
{
    SoundSettings s = settings;
    s.wpm = std::clamp(s.wpm, kMinWpm, kMaxWpm);
    if (s.farnsworthWpm != 0)
        s.farnsworthWpm = std::clamp(s.farnsworthWpm, kMinWpm, s.wpm);
    s.toneHz = std::clamp(s.toneHz, kMinToneHz, kMaxToneHz);
    s.sampleRate = std::clamp(s.sampleRate, kMinSampleRate, kMaxSampleRate);
    return s;
}

SignLengths signLengths(const SoundSettings &settings)
{
    const SoundSettings s = clampedSettings(settings);
    // The word PARIS, with the gap after it, is 50 units: 31 of signs and the
    // gaps inside letters, 19 of gaps between letters and words. At 20 words a
    // minute it lasts 3 s, so a unit is 1200 / wpm ms.
    const auto samples = [&](double ms) { return qint64(std::llround(ms * s.sampleRate / 1000.0)); };
    SignLengths l;
    l.dot = samples(1200.0 / s.wpm);
    l.dash = 3 * l.dot;
    l.signGap = l.dot;
    qint64 spacing = l.dot;
    if (s.farnsworthWpm != 0 && s.farnsworthWpm < s.wpm) {
        // The 31 units of signs keep the letter speed; the 19 units of spacing
        // take the rest of a word at the overall speed.
        spacing = samples((60000.0 / s.farnsworthWpm - 31 * 1200.0 / s.wpm) / 19.0);
    }
    l.letterGap = 3 * spacing;
    l.wordGap = 7 * spacing;
    l.ramp = std::min(samples(kRampMs), l.dot / 2);
    return l;
}

std::optional<MorseAlphabet> morseAlphabet(CodeId code)
{
    // The code's own table tells which characters it writes: e is a single
    // dot, t a single dash, m two dashes with the blank between them; each
    // letter ends with the same mark.
    const Encoder &enc = encoder(code);
    const QString e = enc.encode(QStringLiteral("e"));
    const QString t = enc.encode(QStringLiteral("t"));
    const QString m = enc.encode(QStringLiteral("m"));
    if (e.size() != 2 || t.size() != 2 || m.size() != 4)
        return std::nullopt;
    MorseAlphabet a;
    a.dot = e[0].unicode();
    a.dash = t[0].unicode();
    a.letterEnd = e[1].unicode();
    a.inLetterBlank = m[1].unicode();
    if (a.dot == a.dash || t[1] != e[1] || m[0] != t[0] || m[2] != t[0] || m[3] != e[1] || a.inLetterBlank == a.dot ||
        a.inLetterBlank == a.dash || a.inLetterBlank == a.letterEnd || a.letterEnd == a.dot || a.letterEnd == a.dash)
        return std::nullopt;
    // Every letter must be written with these signs alone, then the end mark.
    for (char16_t c = u'a'; c <= u'z'; ++c) {
        const QString code = enc.encode(QString(QChar(c)));
        if (code.isEmpty() || code.back() != QChar(a.letterEnd))
            return std::nullopt;
        for (qsizetype i = 0; i + 1 < code.size(); ++i) {
            const char16_t u = code[i].unicode();
            if (u != a.dot && u != a.dash && u != a.inLetterBlank)
                return std::nullopt;
        }
    }
    return a;
}

} // namespace velmora::sound
