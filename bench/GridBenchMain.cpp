// The main of the benchmarks that show widgets: an application object with
// widgets (offscreen unless the caller chose a platform), and the ratio of every
// "<topic>/<variant>" to its "<topic>/baseline" printed at the end, as the other
// benchmarks print it.

#include "bench/GridBenchMain.h"
#include "bench/RatioReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <vector>

namespace {

std::vector<std::function<void()>>& cleanups() {
    static std::vector<std::function<void()>> list;
    return list;
}

} // namespace

void atBenchmarksEnd(std::function<void()> cleanup) { cleanups().push_back(std::move(cleanup)); }

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    for (const auto& cleanup : cleanups())
        cleanup();
    return 0;
}
