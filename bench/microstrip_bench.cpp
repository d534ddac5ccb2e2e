// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one microstrip analysis: the window model under the fault guard
// (checks, the whole chain, the results in display order), and the bare
// chain. Not a test: run it by hand and read ns per evaluation.
#include <benchmark/benchmark.h>

#include "framework/core/fault_guard.h"
#include "models/microstrip/microstrip.h"

namespace {

using namespace tarvel;

void AnalysisModelGuarded(benchmark::State& state)
{
    const Inputs in = {{"frequencia", 10},        {"Combobox2", 2.2L},  {"Combobox1", 57600000},
                       {"Tanperda", 0.0009L},    {"largura", 2.4L},    {"ComboBox4", 0.79L},
                       {"ComboBox3", 0.035L}};
    for (auto _ : state) {
        Outcome o = runGuarded(microstrip::analysisModel, in);
        benchmark::DoNotOptimize(o);
    }
}
BENCHMARK(AnalysisModelGuarded);

// One width per range of the conductor loss: narrow, middle, wide.
void AnalysisChain(benchmark::State& state)
{
    const microstrip::Substrate s{10, 2.2L, 57600000, 0.0009L, 1, 0.035L};
    const Real W = state.range(0) / 100.0L;
    for (auto _ : state) {
        microstrip::Line l = microstrip::analyse(s, W, microstrip::Variant{});
        benchmark::DoNotOptimize(l);
    }
}
BENCHMARK(AnalysisChain)->Arg(10)->Arg(100)->Arg(300);

void SynthesisChain(benchmark::State& state)
{
    const microstrip::Substrate s{10, 2.2L, 57600000, 0.0009L, 0.79L, 0.035L};
    for (auto _ : state) {
        microstrip::Line l = microstrip::synthesise(s, 50, microstrip::Variant{});
        benchmark::DoNotOptimize(l);
    }
}
BENCHMARK(SynthesisChain);

} // namespace

BENCHMARK_MAIN();
