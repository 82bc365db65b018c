#pragma once

#include <benchmark/benchmark.h>

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

}  // namespace bench
