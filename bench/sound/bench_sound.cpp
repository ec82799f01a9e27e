// Throughput of the Morse sound: bytes are those of the 16-bit samples made.
#include "sound/morsesound.h"
#include "sound/wavwriter.h"

#include <benchmark/benchmark.h>

#include <QRandomGenerator>

#include <vector>

using namespace velmora;
using namespace velmora::sound;

namespace {

QString message(qsizetype chars)
{
    const QString text = QStringLiteral("Le code Morse, inventé en 1832, se lit à l'oreille. Bonjour à tous!\r\n");
    QString m;
    while (m.size() < chars)
        m += text;
    m.truncate(chars);
    return m;
}

MorseSound sound(qsizetype chars, int wpm)
{
    SoundSettings s;
    s.wpm = wpm;
    return MorseSound(encodeMorse(message(chars)), *morseAlphabet(CodeId::Morse), s);
}

// Pulling the whole sound in blocks of 4096 samples, as a player would.
void BM_Read(benchmark::State &state)
{
    MorseSound m = sound(1024, int(state.range(0)));
    std::vector<qint16> block(4096);
    for (auto _ : state) {
        m.seek(0);
        while (m.read(block.data(), qint64(block.size())) > 0)
            benchmark::DoNotOptimize(block.data());
    }
    state.SetBytesProcessed(state.iterations() * m.sampleCount() * 2);
}
BENCHMARK(BM_Read)->Arg(5)->Arg(20)->Arg(60)->Unit(benchmark::kMillisecond);

// The whole WAV file, to a sink that only counts.
void BM_WriteWav(benchmark::State &state)
{
    MorseSound m = sound(1024, 20);
    for (auto _ : state) {
        qint64 total = 0;
        writeWav(m, [&](const char *, qint64 n) {
            total += n;
            return true;
        });
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * m.sampleCount() * 2);
}
BENCHMARK(BM_WriteWav)->Unit(benchmark::kMillisecond);

// Everything before the first sample: the tone of a dot and a dash, the one
// pass over the text for the exact length. Bytes are the message's characters.
void BM_Prepare(benchmark::State &state)
{
    const QString coded = encodeMorse(message(state.range(0)));
    for (auto _ : state) {
        MorseSound m(coded, *morseAlphabet(CodeId::Morse), SoundSettings{});
        benchmark::DoNotOptimize(m.sampleCount());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Prepare)->Arg(8 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMillisecond);

// Finding the sign played at a random moment, for a window that highlights it.
void BM_SpanAt(benchmark::State &state)
{
    MorseSound m = sound(state.range(0), 20);
    QRandomGenerator rng(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(m.spanAt(qint64(rng.bounded(quint64(m.sampleCount())))));
}
BENCHMARK(BM_SpanAt)->Arg(8 * 1024)->Arg(1024 * 1024);

} // namespace

BENCHMARK_MAIN();
