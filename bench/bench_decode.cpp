// Decoding throughput against coding throughput, in the engine: 64 MiB of
// coded text (UTF-16 in memory) read back, and the message it came from
// coded, for Morse, Polybius and Binaire. Bytes are those of the input.
#include "engine/codes.h"
#include "engine/decoder.h"

#include <benchmark/benchmark.h>

#include <map>

using namespace velmora;

namespace {

const QString &plain(qsizetype bytes)
{
    static std::map<qsizetype, QString> cache;
    QString &m = cache[bytes];
    if (m.isEmpty()) {
        const QString text = QStringLiteral("Le 14 Juillet, Ave César! Bonjour à tous, voici un message codé.\r\n"
                                            "Polybe inventa un système de signalisation avec des torches. 2026\r\n");
        while (m.size() * 2 < bytes)
            m += text;
        m.truncate(bytes / 2);
    }
    return m;
}

// Coded text of about `bytes` bytes.
const QString &coded(CodeId id, qsizetype bytes)
{
    static std::map<std::pair<int, qsizetype>, QString> cache;
    QString &c = cache[{int(id), bytes}];
    if (c.isEmpty()) {
        const QString unit = encoder(id).encode(plain(1 << 20));
        while (c.size() * 2 < bytes)
            c += unit;
    }
    return c;
}

void decodeText(benchmark::State &state, CodeId id)
{
    const QString &c = coded(id, state.range(0));
    const Decoder &d = decoder(id);
    for (auto _ : state)
        benchmark::DoNotOptimize(d.decode(c));
    state.SetBytesProcessed(int64_t(state.iterations()) * c.size() * 2);
}

void encodeText(benchmark::State &state, CodeId id)
{
    const QString &m = plain(state.range(0));
    const Encoder &e = encoder(id);
    for (auto _ : state)
        benchmark::DoNotOptimize(e.encode(m));
    state.SetBytesProcessed(int64_t(state.iterations()) * m.size() * 2);
}

const int registered = [] {
    for (CodeId id : {CodeId::Morse, CodeId::Polybe, CodeId::Binaire}) {
        const std::string name = codeName(id).toStdString();
        benchmark::RegisterBenchmark(("decode/" + name).c_str(), decodeText, id)
            ->Arg(1 << 20)
            ->Arg(64 << 20)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("encode/" + name).c_str(), encodeText, id)
            ->Arg(1 << 20)
            ->Arg(64 << 20)
            ->Unit(benchmark::kMillisecond);
    }
    return 0;
}();

} // namespace

BENCHMARK_MAIN();
