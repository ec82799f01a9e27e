// Throughput of every local code: the compiled one-pass road, the pair-by-pair
// reference road, and a memcpy of the output's size as the floor.
// Bytes are those of the message in memory (UTF-16, two bytes a character).
#include "engine/codes.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <map>

using namespace velmora;

namespace {

const QString &message(qsizetype bytes)
{
    static std::map<qsizetype, QString> cache;
    QString &m = cache[bytes];
    if (m.isEmpty()) {
        const QString text = QStringLiteral("Le 14 Juillet, Ave César! Bonjour à tous, voici un message codé.\r\n"
                                            "Polybe inventa un système de signalisation avec des torches. 2026\r\n");
        const qsizetype chars = bytes / 2;
        m.reserve(chars);
        while (m.size() < chars)
            m += text;
        m.truncate(chars);
    }
    return m;
}

void compiled(benchmark::State &state, CodeId id)
{
    const QString &m = message(state.range(0));
    const Encoder &e = encoder(id);
    for (auto _ : state)
        benchmark::DoNotOptimize(e.encode(m));
    state.SetBytesProcessed(int64_t(state.iterations()) * m.size() * 2);
}

void reference(benchmark::State &state, CodeId id)
{
    const QString &m = message(state.range(0));
    const Encoder &e = encoder(id);
    for (auto _ : state)
        benchmark::DoNotOptimize(e.encodeReference(m));
    state.SetBytesProcessed(int64_t(state.iterations()) * m.size() * 2);
}

// The least any coding must do: make a new string of the output's size and
// fill it, here with a memcpy of an output made beforehand.
void memcpyFloor(benchmark::State &state, CodeId id)
{
    const QString &m = message(state.range(0));
    const QString coded = encoder(id).encode(m);
    for (auto _ : state) {
        QString out(coded.size(), Qt::Uninitialized);
        std::memcpy(out.data(), coded.constData(), size_t(coded.size()) * 2);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * m.size() * 2);
}

const int registered = [] {
    for (int i = 0; i < kCodeCount; ++i) {
        const CodeId id = CodeId(i);
        const std::string name = codeName(id).toStdString();
        benchmark::RegisterBenchmark(("compiled/" + name).c_str(), compiled, id)
            ->Arg(1 << 10)
            ->Arg(1 << 20)
            ->Arg(64 << 20)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("reference/" + name).c_str(), reference, id)
            ->Arg(1 << 10)
            ->Arg(1 << 20)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("reference/" + name).c_str(), reference, id)
            ->Arg(64 << 20)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("memcpy/" + name).c_str(), memcpyFloor, id)
            ->Arg(1 << 10)
            ->Arg(1 << 20)
            ->Arg(64 << 20)
            ->Unit(benchmark::kMicrosecond);
    }
    return 0;
}();

} // namespace

BENCHMARK_MAIN();
