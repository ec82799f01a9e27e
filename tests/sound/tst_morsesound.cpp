// The sound of Morse and Morse 2 coded texts: exact lengths, ramps, Farnsworth
// spacing, silent characters, streaming, and a reading back by the envelope.
#include "sound/morsesound.h"

#include <QRandomGenerator>
#include <QTest>

#include <QRegularExpression>

#include <cmath>
#include <numbers>

using namespace velmora;
using namespace velmora::sound;

namespace {

SoundSettings settings(int wpm, int farnsworth = 0, int tone = kDefaultToneHz, int rate = kDefaultSampleRate)
{
    SoundSettings s;
    s.wpm = wpm;
    s.farnsworthWpm = farnsworth;
    s.toneHz = tone;
    s.sampleRate = rate;
    return s;
}

MorseSound soundOf(CodeId code, const QString &message, const SoundSettings &s)
{
    return MorseSound(encoder(code).encode(message), *morseAlphabet(code), s);
}

std::vector<qint16> allSamples(MorseSound &sound, qint64 block = 1000)
{
    std::vector<qint16> out(std::size_t(sound.sampleCount()));
    sound.seek(0);
    qint64 at = 0;
    while (qint64 n = sound.read(out.data() + at, std::min(block, sound.sampleCount() - at + 7)))
        at += n;
    out.resize(std::size_t(at));
    return out;
}

// Tone lengths as positive numbers, silences (adjacent gaps merged) as
// negative ones, walking the spans from the first sample to the last.
QList<qint64> runsOf(const MorseSound &sound)
{
    QList<qint64> runs;
    for (qint64 s = 0; s < sound.sampleCount();) {
        const MorseSound::Span span = sound.spanAt(s);
        if (span.sampleCount <= 0 || span.firstSample != s)
            return {-999999}; // spans must tile the sound
        if (!span.tone && !runs.isEmpty() && runs.back() < 0)
            runs.back() -= span.sampleCount;
        else
            runs.append(span.tone ? span.sampleCount : -span.sampleCount);
        s += span.sampleCount;
    }
    return runs;
}

// "1 -1 3 -3s": tone or silence in dots, or with "s" in spacing units.
QList<qint64> expectedRuns(const QString &pattern, qint64 dot, qint64 spacing)
{
    QList<qint64> runs;
    for (QString t : pattern.split(u' ', Qt::SkipEmptyParts)) {
        const bool inSpacing = t.endsWith(u's');
        if (inSpacing)
            t.chop(1);
        runs.append(t.toLongLong() * (inSpacing ? spacing : dot));
    }
    return runs;
}

// What the sound can tell back: the signs, the blank the code writes between
// two dashes, and the end marks; nothing of the characters without sound.
QString audiblePart(const QString &coded, const MorseAlphabet &a)
{
    QString out;
    for (QChar c : coded) {
        const char16_t u = c.unicode();
        if (u == a.dot || u == a.dash || u == a.letterEnd) {
            if (u == a.dash && !out.isEmpty() && out.back() == QChar(a.dash))
                out.append(QChar(a.inLetterBlank));
            out.append(c);
        }
    }
    return out;
}

// Reads a sound back from its samples alone: tone where the wave moves,
// silence where it stays at zero for longer than a period of the lowest tone.
QString decodeByEnvelope(const std::vector<qint16> &x, int rate, qint64 dot, qint64 spacing, const MorseAlphabet &a)
{
    const qint64 quiet = rate / kMinToneHz + 2;
    struct Run {
        bool tone;
        qint64 length;
    };
    std::vector<Run> runs;
    qint64 toneStart = -1, lastLoud = -1;
    for (qint64 i = 0; i < qint64(x.size()); ++i) {
        if (std::abs(x[std::size_t(i)]) <= 1)
            continue;
        if (lastLoud < 0 || i - lastLoud > quiet) {
            if (lastLoud >= 0)
                runs.push_back({true, lastLoud + 1 - toneStart});
            const qint64 gap = i - (lastLoud + 1);
            if (gap > quiet)
                runs.push_back({false, gap});
            toneStart = i;
        }
        lastLoud = i;
    }
    if (lastLoud >= 0)
        runs.push_back({true, lastLoud + 1 - toneStart});
    const qint64 tail = qint64(x.size()) - (lastLoud + 1);
    if (tail > quiet)
        runs.push_back({false, tail});

    QString out;
    bool afterSign = false;
    for (const Run &r : runs) {
        if (r.tone) {
            const qint64 units = (r.length + dot / 2) / dot;
            const char16_t sign = units >= 2 ? a.dash : a.dot;
            if (afterSign && sign == a.dash && out.back() == QChar(a.dash))
                out.append(QChar(a.inLetterBlank));
            out.append(QChar(sign));
            afterSign = true;
            continue;
        }
        if (afterSign && r.length < dot + (3 * spacing - dot) / 2)
            continue; // the gap inside a letter
        const qint64 units = (r.length + spacing / 2) / spacing;
        int marks = afterSign ? (units <= 4 ? 1 : int((units + 3) / 7) + 1) : int((units + 3) / 7);
        if (!afterSign && marks == 0)
            marks = 1;
        out.append(QString(marks, QChar(a.letterEnd)));
        afterSign = false;
    }
    return out;
}

} // namespace

class TstMorseSound : public QObject
{
    Q_OBJECT
private slots:
    void alphabet_data();
    void alphabet();
    void settingsRanges_data();
    void settingsRanges();
    void exactLengths_data();
    void exactLengths();
    void silencesAreSilentAndTonesSound_data();
    void silencesAreSilentAndTonesSound();
    void ramps_data();
    void ramps();
    void farnsworthWordLastsTheOverallSpeed_data();
    void farnsworthWordLastsTheOverallSpeed();
    void emptyAndSilentTexts_data();
    void emptyAndSilentTexts();
    void streamingAndSeeking();
    void spansNameTheSignPlayed();
    void readBackByEnvelope_data();
    void readBackByEnvelope();
    void readBackRandomMessages();
};

void TstMorseSound::alphabet_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("signs"); // dot, dash, blank, end; empty: no sound
    for (int i = 0; i < kCodeCount; ++i) {
        const CodeId id = CodeId(i);
        QString signs;
        if (id == CodeId::Morse)
            signs = QStringLiteral("·- /");
        else if (id == CodeId::Morse2)
            signs = QStringLiteral("PO /");
        QTest::newRow(qPrintable(codeName(id))) << i << signs;
    }
}

void TstMorseSound::alphabet()
{
    QFETCH(int, code);
    QFETCH(QString, signs);
    const std::optional<MorseAlphabet> a = morseAlphabet(CodeId(code));
    QCOMPARE(a.has_value(), !signs.isEmpty());
    if (a) {
        const QString got = QString(QChar(a->dot)) + QChar(a->dash) + QChar(a->inLetterBlank) + QChar(a->letterEnd);
        QCOMPARE(got, signs);
    }
}

void TstMorseSound::settingsRanges_data()
{
    QTest::addColumn<int>("wpm");
    QTest::addColumn<int>("farnsworth");
    QTest::addColumn<int>("tone");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("error"); // a word of the message; empty: valid
    QTest::newRow("defaults") << 20 << 0 << 700 << 44100 << "";
    QTest::newRow("slowest, lowest") << 5 << 5 << 300 << 8000 << "";
    QTest::newRow("fastest, highest") << 60 << 0 << 1200 << 192000 << "";
    QTest::newRow("too slow") << 4 << 0 << 700 << 44100 << "speed";
    QTest::newRow("too fast") << 61 << 0 << 700 << 44100 << "speed";
    QTest::newRow("farnsworth above the speed") << 20 << 21 << 700 << 44100 << "Farnsworth";
    QTest::newRow("farnsworth too slow") << 20 << 4 << 700 << 44100 << "Farnsworth";
    QTest::newRow("tone too low") << 20 << 0 << 299 << 44100 << "tone";
    QTest::newRow("tone too high") << 20 << 0 << 1201 << 44100 << "tone";
    QTest::newRow("rate too low") << 20 << 0 << 700 << 7999 << "sample rate";
    QTest::newRow("no speed at all") << 0 << 0 << 0 << 0 << "speed";
    QTest::newRow("negative farnsworth") << 30 << -5 << 700 << 44100 << "Farnsworth";
}

void TstMorseSound::settingsRanges()
{
    QFETCH(int, wpm);
    QFETCH(int, farnsworth);
    QFETCH(int, tone);
    QFETCH(int, rate);
    QFETCH(QString, error);
    const SoundSettings s = settings(wpm, farnsworth, tone, rate);
    const QString got = settingsError(s);
    if (error.isEmpty())
        QVERIFY2(got.isEmpty(), qPrintable(got));
    else
        QVERIFY2(got.contains(error), qPrintable(got));
    // A sound made with them anyway uses the nearest valid values.
    const SoundSettings used = MorseSound(QStringLiteral("·/"), *morseAlphabet(CodeId::Morse), s).settings();
    QVERIFY(settingsError(used).isEmpty());
    QCOMPARE(used.wpm, std::clamp(wpm, kMinWpm, kMaxWpm));
    QCOMPARE(used.toneHz, std::clamp(tone, kMinToneHz, kMaxToneHz));
}

void TstMorseSound::exactLengths_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("wpm");
    QTest::addColumn<int>("farnsworth");
    QTest::addColumn<int>("rate");
    QTest::addColumn<qint64>("dot");     // samples, worked out by hand
    QTest::addColumn<qint64>("spacing"); // samples of a spacing unit
    QTest::addColumn<QString>("runs");
    const int M = int(CodeId::Morse), M2 = int(CodeId::Morse2);
    // 20 wpm: 60 ms = 2646 samples; 13 wpm: 92.31 ms = 4070.77, rounded;
    // 60 wpm: 20 ms = 882; 5 wpm: 240 ms = 10584; 7 wpm at 8 kHz: 1371.4.
    QTest::newRow("e, 20 wpm") << M << "e" << 20 << 0 << 44100 << qint64(2646) << qint64(2646) << "1 -3s";
    QTest::newRow("t, 5 wpm") << M << "T" << 5 << 0 << 44100 << qint64(10584) << qint64(10584) << "3 -3s";
    QTest::newRow("m: the blank belongs to the letter")
        << M << "m" << 20 << 0 << 44100 << qint64(2646) << qint64(2646) << "3 -1 3 -3s";
    QTest::newRow("morse2 ab, 13 wpm") << M2 << "ab" << 13 << 0 << 44100 << qint64(4071) << qint64(4071)
                                       << "1 -1 3 -3s 3 -1 1 -1 1 -1 1 -3s";
    QTest::newRow("word gap, 60 wpm") << M << "a b" << 60 << 0 << 44100 << qint64(882) << qint64(882)
                                      << "1 -1 3 -7s 3 -1 1 -1 1 -1 1 -3s";
    QTest::newRow("full stop: two more word gaps")
        << M << "e. e" << 20 << 0 << 44100 << qint64(2646) << qint64(2646) << "1 -21s 1 -3s";
    QTest::newRow("two blanks") << M2 << "e  e" << 20 << 0 << 44100 << qint64(2646) << qint64(2646) << "1 -14s 1 -3s";
    QTest::newRow("leading blank") << M << " e" << 20 << 0 << 44100 << qint64(2646) << qint64(2646) << "-7s 1 -3s";
    QTest::newRow("8 kHz, 7 wpm") << M << "k" << 7 << 0 << 8000 << qint64(1371) << qint64(1371) << "3 -1 1 -1 3 -3s";
    QTest::newRow("digit and accent make no sound")
        << M << "2 chats é" << 20 << 0 << 44100 << qint64(2646) << qint64(2646)
        << "-7s 3 -1 1 -1 3 -1 1 -3s 1 -1 1 -1 1 -1 1 -3s 1 -1 3 -3s "
           "3 -3s 1 -1 1 -1 1 -7s";
    QTest::newRow("line break between letters")
        << M2 << "A\r\nB" << 20 << 0 << 44100 << qint64(2646) << qint64(2646) << "1 -1 3 -3s 3 -1 1 -1 1 -1 1 -3s";
    QTest::newRow("typed hyphen joins the letter")
        << M << "a-b" << 20 << 0 << 44100 << qint64(2646) << qint64(2646) << "1 -1 3 -3s 3 -1 3 -1 1 -1 1 -1 1 -3s";
    // Farnsworth 10 at 20 wpm: (6000 - 1860) / 19 = 217.89 ms = 9609.2.
    QTest::newRow("farnsworth 20/10") << M << "ab c" << 20 << 10 << 44100 << qint64(2646) << qint64(9609)
                                      << "1 -1 3 -3s 3 -1 1 -1 1 -1 1 -7s 3 -1 1 -1 3 -1 1 -3s";
    // Farnsworth 5 at 60 wpm: (12000 - 620) / 19 = 598.95 ms = 26413.6.
    QTest::newRow("farnsworth 60/5") << M2 << "i i" << 60 << 5 << 44100 << qint64(882) << qint64(26414)
                                     << "1 -1 1 -7s 1 -1 1 -3s";
    QTest::newRow("farnsworth at the letter speed")
        << M << "ee" << 20 << 20 << 44100 << qint64(2646) << qint64(2646) << "1 -3s 1 -3s";
}

void TstMorseSound::exactLengths()
{
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(int, wpm);
    QFETCH(int, farnsworth);
    QFETCH(int, rate);
    QFETCH(qint64, dot);
    QFETCH(qint64, spacing);
    QFETCH(QString, runs);
    const SoundSettings s = settings(wpm, farnsworth, 700, rate);
    QVERIFY(settingsError(s).isEmpty());
    MorseSound sound = soundOf(CodeId(code), message, s);
    const QList<qint64> expected = expectedRuns(runs, dot, spacing);
    QCOMPARE(runsOf(sound), expected);
    qint64 total = 0;
    for (qint64 r : expected)
        total += std::abs(r);
    QCOMPARE(sound.sampleCount(), total);
    QCOMPARE(qint64(allSamples(sound).size()), total);
}

void TstMorseSound::silencesAreSilentAndTonesSound_data()
{
    QTest::addColumn<int>("wpm");
    QTest::addColumn<int>("tone");
    QTest::addColumn<int>("rate");
    QTest::newRow("20 wpm, 700 Hz") << 20 << 700 << 44100;
    QTest::newRow("60 wpm, 1200 Hz") << 60 << 1200 << 44100;
    QTest::newRow("5 wpm, 300 Hz, 48 kHz") << 5 << 300 << 48000;
}

void TstMorseSound::silencesAreSilentAndTonesSound()
{
    // The spans are what is heard: every sample of a gap is zero, and every
    // sign sounds from its ramp on to its last ramp.
    QFETCH(int, wpm);
    QFETCH(int, tone);
    QFETCH(int, rate);
    MorseSound sound = soundOf(CodeId::Morse, QStringLiteral("Paris, 2 mots."), settings(wpm, 0, tone, rate));
    const std::vector<qint16> x = allSamples(sound, 777);
    const qint64 ramp = sound.lengths().ramp;
    int tones = 0;
    for (qint64 s = 0; s < sound.sampleCount();) {
        const MorseSound::Span span = sound.spanAt(s);
        const auto at = [&](qint64 i) { return std::abs(int(x[std::size_t(span.firstSample + i)])); };
        if (span.tone) {
            ++tones;
            int loudHead = 0, loudTail = 0;
            for (qint64 i = 0; i < ramp + rate / tone; ++i) {
                loudHead = std::max(loudHead, at(i));
                loudTail = std::max(loudTail, at(span.sampleCount - 1 - i));
            }
            QVERIFY(loudHead > MorseSound::peak() / 2);
            QVERIFY(loudTail > MorseSound::peak() / 2);
        } else {
            for (qint64 i = 0; i < span.sampleCount; ++i)
                QCOMPARE(at(i), 0);
        }
        s += span.sampleCount;
    }
    QCOMPARE(tones, 4 + 2 + 3 + 2 + 3 + 2 + 3 + 1 + 3); // p a r i s m o t s; the comma and the 2 are silent
}

void TstMorseSound::ramps_data()
{
    QTest::addColumn<int>("wpm");
    QTest::addColumn<int>("tone");
    QTest::addColumn<int>("rate");
    QTest::addColumn<qint64>("ramp"); // samples: 5 ms, or half a dot
    QTest::newRow("20 wpm, 700 Hz") << 20 << 700 << 44100 << qint64(221);
    QTest::newRow("60 wpm, 1200 Hz") << 60 << 1200 << 44100 << qint64(221);
    QTest::newRow("5 wpm, 300 Hz") << 5 << 300 << 44100 << qint64(221);
    QTest::newRow("48 kHz") << 20 << 700 << 48000 << qint64(240);
    QTest::newRow("8 kHz, 60 wpm") << 60 << 440 << 8000 << qint64(40);
}

void TstMorseSound::ramps()
{
    QFETCH(int, wpm);
    QFETCH(int, tone);
    QFETCH(int, rate);
    QFETCH(qint64, ramp);
    MorseSound sound = soundOf(CodeId::Morse, QStringLiteral("t"), settings(wpm, 0, tone, rate));
    QCOMPARE(sound.lengths().ramp, ramp);
    const std::vector<qint16> x = allSamples(sound);
    const qint64 len = sound.lengths().dash;
    const double peak = MorseSound::peak();
    // A raised cosine reaches 0.5 (1 - cos(pi / 5)) = 9.5 % in its first fifth.
    for (qint64 i = 0; i < ramp / 5; ++i) {
        QVERIFY(std::abs(x[std::size_t(i)]) <= 0.1 * peak);
        QVERIFY(std::abs(x[std::size_t(len - 1 - i)]) <= 0.1 * peak);
    }
    // The ramps start and end at silence.
    QCOMPARE(x[0], qint16(0));
    QCOMPARE(x[std::size_t(len - 1)], qint16(0));
    // Full loudness between the ramps (a sampled sine peaks within cos(pi f / rate) of the top).
    int middle = 0;
    for (qint64 i = ramp; i < len - ramp; ++i) {
        QVERIFY(std::abs(x[std::size_t(i)]) <= peak);
        middle = std::max(middle, std::abs(int(x[std::size_t(i)])));
    }
    QVERIFY(middle >= (std::cos(std::numbers::pi * tone / rate) - 0.01) * peak);
    // No step anywhere larger than the steepest slope of the sine: no click.
    const double slope = peak * 2 * std::numbers::pi * tone / rate;
    for (std::size_t i = 1; i < x.size(); ++i)
        QVERIFY(std::abs(x[i] - x[i - 1]) <= 1.1 * slope + 2);
    // The pitch: zero crossings between the ramps.
    int crossings = 0;
    for (qint64 i = ramp + 1; i < len - ramp; ++i)
        crossings += (x[std::size_t(i - 1)] < 0) != (x[std::size_t(i)] < 0);
    const double expected = 2.0 * tone * double(len - 2 * ramp) / rate;
    QVERIFY2(std::abs(crossings - expected) <= 3, qPrintable(QStringLiteral("%1 vs %2").arg(crossings).arg(expected)));
}

void TstMorseSound::farnsworthWordLastsTheOverallSpeed_data()
{
    QTest::addColumn<int>("wpm");
    QTest::addColumn<int>("overall");
    QTest::newRow("20 / 10") << 20 << 10;
    QTest::newRow("18 / 5") << 18 << 5;
    QTest::newRow("60 / 13") << 60 << 13;
    QTest::newRow("no stretch") << 25 << 0;
}

void TstMorseSound::farnsworthWordLastsTheOverallSpeed()
{
    // "PARIS " is the standard word: at N words a minute it lasts 60 / N s.
    QFETCH(int, wpm);
    QFETCH(int, overall);
    MorseSound sound = soundOf(CodeId::Morse, QStringLiteral("PARIS "), settings(wpm, overall));
    const double seconds = double(sound.sampleCount()) / kDefaultSampleRate;
    QVERIFY2(std::abs(seconds - 60.0 / (overall ? overall : wpm)) < 0.002, qPrintable(QString::number(seconds)));
    // The letters themselves keep the letter speed.
    QCOMPARE(sound.lengths().dot, qint64(std::llround(1.2 / wpm * kDefaultSampleRate)));
}

void TstMorseSound::emptyAndSilentTexts_data()
{
    QTest::addColumn<QString>("coded");
    QTest::newRow("empty") << "";
    QTest::newRow("only digits and accents") << "2026 éàç\r\n\t";
    QTest::newRow("only blanks") << "   ";
}

void TstMorseSound::emptyAndSilentTexts()
{
    QFETCH(QString, coded);
    MorseSound sound(coded, *morseAlphabet(CodeId::Morse), SoundSettings{});
    QCOMPARE(sound.sampleCount(), qint64(0));
    QVERIFY(sound.atEnd());
    qint16 buffer[16] = {};
    QCOMPARE(sound.read(buffer, 16), qint64(0));
    QCOMPARE(sound.spanAt(0).sampleCount, qint64(0));
    QCOMPARE(sound.spanAt(0).textBegin, coded.size());
}

void TstMorseSound::streamingAndSeeking()
{
    // A long text (many checkpoints): reads in blocks of any size and from
    // any position give the same samples as one pass.
    QString message;
    for (int i = 0; i < 900; ++i)
        message += QStringLiteral("Le code %1 est long. ").arg(i);
    MorseSound sound = soundOf(CodeId::Morse2, message, settings(60, 30, 1000, 8000));
    const std::vector<qint16> whole = allSamples(sound, 1 << 20);
    QCOMPARE(qint64(whole.size()), sound.sampleCount());
    QCOMPARE(allSamples(sound, 1), std::vector<qint16>(whole.begin(), whole.begin() + qint64(whole.size())));
    QRandomGenerator rng(12);
    std::vector<qint16> part(5000);
    for (int k = 0; k < 200; ++k) {
        const qint64 at = qint64(rng.bounded(quint64(sound.sampleCount() + 10)));
        sound.seek(at);
        const qint64 clamped = std::min(at, sound.sampleCount());
        QCOMPARE(sound.position(), clamped);
        const qint64 n = sound.read(part.data(), qint64(part.size()));
        QCOMPARE(n, std::min<qint64>(qint64(part.size()), sound.sampleCount() - clamped));
        QVERIFY(std::equal(part.begin(), part.begin() + n, whole.begin() + clamped));
        QCOMPARE(sound.position(), clamped + n);
    }
}

void TstMorseSound::spansNameTheSignPlayed()
{
    // At any sample, the span says which characters of the coded text sound.
    const QString coded = encoder(CodeId::Morse).encode(QStringLiteral("Go 2 it."));
    MorseSound sound(coded, *morseAlphabet(CodeId::Morse), settings(40, 0, 700, 8000));
    QString heardSigns;
    qint64 lastTone = -1;
    for (qint64 s = 0; s < sound.sampleCount(); ++s) {
        const MorseSound::Span span = sound.spanAt(s);
        QVERIFY(span.firstSample <= s && s < span.firstSample + span.sampleCount);
        QVERIFY(0 <= span.textBegin && span.textBegin <= span.textEnd && span.textEnd <= coded.size());
        if (span.tone && span.textBegin != lastTone) {
            QCOMPARE(span.textEnd, span.textBegin + 1);
            heardSigns += coded.mid(span.textBegin, 1);
            lastTone = span.textBegin;
        }
        if (!span.tone)
            QVERIFY(!coded.mid(span.textBegin, span.textEnd - span.textBegin).contains(u'·'));
    }
    QString signs = coded;
    signs.remove(QRegularExpression(QStringLiteral("[^·-]")));
    QCOMPARE(heardSigns, signs);
    QCOMPARE(sound.spanAt(sound.sampleCount()).textBegin, coded.size());
}

void TstMorseSound::readBackByEnvelope_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("wpm");
    QTest::addColumn<int>("farnsworth");
    QTest::addColumn<int>("tone");
    const int M = int(CodeId::Morse), M2 = int(CodeId::Morse2);
    QTest::newRow("sos") << M << "SOS" << 20 << 0 << 700;
    QTest::newRow("hello world, morse 2") << M2 << "Hello World." << 25 << 0 << 600;
    QTest::newRow("every letter, 60 wpm, high tone")
        << M << "the quick brown fox jumps over the lazy dog" << 60 << 0 << 1200;
    QTest::newRow("slow low tone") << M2 << "abc xyz" << 5 << 0 << 300;
    QTest::newRow("farnsworth") << M << "Ave César, 2 fois.  Fin" << 18 << 8 << 800;
    QTest::newRow("typed signs") << M << "a-b/c ·-" << 20 << 0 << 700;
    QTest::newRow("lines") << M2 << "AB\r\nC\r\n" << 30 << 12 << 700;
}

void TstMorseSound::readBackByEnvelope()
{
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(int, wpm);
    QFETCH(int, farnsworth);
    QFETCH(int, tone);
    const CodeId id = CodeId(code);
    const MorseAlphabet a = *morseAlphabet(id);
    const QString coded = encoder(id).encode(message);
    const SoundSettings s = settings(wpm, farnsworth, tone);
    MorseSound sound(coded, a, s);
    const double dotMs = 1200.0 / wpm;
    const double spacingMs = farnsworth ? (60000.0 / farnsworth - 31 * dotMs) / 19 : dotMs;
    const QString heard =
        decodeByEnvelope(allSamples(sound, 4093), s.sampleRate, qint64(dotMs * 44.1), qint64(spacingMs * 44.1), a);
    QCOMPARE(heard, audiblePart(coded, a));
}

void TstMorseSound::readBackRandomMessages()
{
    static const QString pool = QStringLiteral("abcdefghijklmnopqrstuvwxyz     ..ÉéàAZ09,\r\n\t-·/");
    QRandomGenerator rng(2026);
    for (int round = 0; round < 12; ++round) {
        QString message;
        for (int i = 0, n = int(rng.bounded(1, 25)); i < n; ++i)
            message += pool[int(rng.bounded(pool.size()))];
        const CodeId id = rng.bounded(2) ? CodeId::Morse : CodeId::Morse2;
        const int wpm = int(rng.bounded(kMinWpm, kMaxWpm + 1));
        const int farnsworth = rng.bounded(2) ? int(rng.bounded(kMinWpm, wpm + 1)) : 0;
        const SoundSettings s = settings(wpm, farnsworth, int(rng.bounded(kMinToneHz, kMaxToneHz + 1)));
        const MorseAlphabet a = *morseAlphabet(id);
        const QString coded = encoder(id).encode(message);
        MorseSound sound(coded, a, s);
        const double dotMs = 1200.0 / wpm;
        const double spacingMs = farnsworth ? (60000.0 / farnsworth - 31 * dotMs) / 19 : dotMs;
        const QString heard =
            decodeByEnvelope(allSamples(sound), s.sampleRate, qint64(dotMs * 44.1), qint64(spacingMs * 44.1), a);
        QVERIFY2(heard == audiblePart(coded, a),
                 qPrintable(
                     QStringLiteral("«%1» at %2/%3 wpm: heard «%4»").arg(message).arg(wpm).arg(farnsworth).arg(heard)));
    }
}

QTEST_APPLESS_MAIN(TstMorseSound)
#include "tst_morsesound.moc"
