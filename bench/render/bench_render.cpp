// The rendering service without the network: start and stop of the embedded
// service, and the time to compute each picture-code page.
#include "render/pages.h"
#include "render/render_service.h"

#include <benchmark/benchmark.h>

#include <QUrl>

namespace {

// The embedded service is started lazily by the first web feature: this is the
// wait the user sees, plus the stop at the end of the program.
void startAndStop(benchmark::State &state)
{
    for (auto _ : state) {
        velmora::RenderService service;
        if (!service.isRunning())
            state.SkipWithError("the service did not start");
        benchmark::DoNotOptimize(service.port());
    }
}
BENCHMARK(startAndStop)->Unit(benchmark::kMicrosecond);

void startOnly(benchmark::State &state)
{
    for (auto _ : state) {
        auto *service = new velmora::RenderService;
        benchmark::DoNotOptimize(service->port());
        state.PauseTiming();
        delete service;
        state.ResumeTiming();
    }
}
BENCHMARK(startOnly)->Unit(benchmark::kMicrosecond);

const char *const kPaths[] = {"/codes/gato/transgato.php3", "/codes/mers/transmers.php3",
                              "/codes/semaphore/transsemaphore.php3"};

void page(benchmark::State &state, const QString &message)
{
    const std::string path = kPaths[state.range(0)];
    const std::string query = ("texte=" + QUrl::toPercentEncoding(message)).toStdString();
    std::size_t bytes = 0;
    for (auto _ : state) {
        velmora::PageResponse r = velmora::renderPage("GET", path, query);
        bytes = r.html.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["page_bytes"] = static_cast<double>(bytes);
    state.SetLabel(path.substr(7, path.find('/', 7) - 7));
}

void page40Ascii(benchmark::State &state)
{
    page(state, "Rendez-vous au port de Brest le 14 juin.");
}
void page40Accents(benchmark::State &state)
{
    page(state, QString::fromUtf8("Noël à Brest, l’été 2026 : très réussi !"));
}
void page2000(benchmark::State &state)
{
    page(state, QString("Bonjour 2026 ").repeated(154).left(2000));
}

BENCHMARK(page40Ascii)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(page40Accents)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(page2000)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
