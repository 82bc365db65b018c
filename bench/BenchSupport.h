#pragma once

#include <benchmark/benchmark.h>
#include <QApplication>
#include <functional>

#include "statesheet/StateSheet.h"

namespace bench {

// The splash is not measured.
class NoProgress : public statesheet::LoadProgress {
  public:
    void setTotal(int) override {}
    void showBar() override {}
    void advance() override {}
};

// Reports the time per item of each iteration over `items` items.
inline void perItem(benchmark::State& state, int items) {
    state.counters["per_item"] = benchmark::Counter(
        static_cast<double>(items),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Runs the benchmarks the command line names inside an application with windows (offscreen
// unless told otherwise); `after` lets go of what outlives them before the application ends.
inline int runWithWindows(int argc, char** argv, const std::function<void()>& after = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (after) after();
    return 0;
}

}  // namespace bench
