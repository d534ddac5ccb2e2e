// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one coupled-microstrip synthesis: the window model under the fault
// guard (checks, the closed-form start point, the Newton refinement, the
// analysis at the refined point), the refinement alone, and the analysis.
// Not a test: run it by hand and read microseconds per call.
#include <benchmark/benchmark.h>

#include "framework/core/fault_guard.h"
#include "models/coupled_microstrip/coupled_microstrip.h"

namespace {

using namespace tarvel;
using namespace tarvel::cmstrip;

// Wanted even/odd impedances in ohms, on er = 2.2, 4.5 and 10.2.
struct Target {
    Real Z0e, Z0o, er;
};
constexpr Target targets[] = {{60, 40, 4.5L}, {100, 35, 2.2L}, {120, 30, 10.2L}};

void SynthesisModelGuarded(benchmark::State& state)
{
    const Target& t = targets[state.range(0)];
    const Inputs in = {{"ImpModoPar", t.Z0e}, {"ImpModoimpar", t.Z0o}, {"Frequencia", 10},
                       {"ComboBox2", t.er},   {"ComboBox1", 57600000}, {"Tanperda", 0.0009L},
                       {"ComboBox4", 0.79L},  {"ComboBox3", 0.035L}};
    for (auto _ : state) {
        Outcome o = runGuarded(synthesis, in);
        benchmark::DoNotOptimize(o);
    }
    state.SetLabel(runGuarded(synthesis, in).warnings.empty() ? "converged" : "start point");
}
BENCHMARK(SynthesisModelGuarded)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void Refinement(benchmark::State& state)
{
    const Target& t = targets[state.range(0)];
    const Ratios start = startPoint(t.Z0e, t.Z0o, t.er);
    int iterations = 0;
    for (auto _ : state) {
        const auto r = refine(start, t.Z0e, t.Z0o, t.er);
        iterations = r.iterations;
        benchmark::DoNotOptimize(r);
    }
    state.counters["iterations"] = iterations;
}
BENCHMARK(Refinement)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void AnalysisModelGuarded(benchmark::State& state)
{
    const Inputs in = {{"frequencia", 10},   {"ComboBox2", 2.2L}, {"ComboBox1", 57600000}, {"Tanperda", 0.0009L},
                       {"largura", 2.4L},   {"Separacao", 0.5L},     {"ComboBox4", 0.79L},     {"ComboBox3", 0.035L}};
    for (auto _ : state) {
        Outcome o = runGuarded(analysis, in);
        benchmark::DoNotOptimize(o);
    }
}
BENCHMARK(AnalysisModelGuarded)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
