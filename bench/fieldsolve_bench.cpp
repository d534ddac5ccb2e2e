// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one field check (the solver refined to its 0.05 % estimate) for
// each structure over the geometries of the tutorial's tables: narrow to
// wide, er 2.2 to 10.2, 1/2 oz and 2 oz copper. Not a test: run it by hand
// and read the wall and processor time per check, the estimate reached, the finest
// mesh, Z0 and eeff (of both modes of a coupled line) and, at the end, the
// peak resident memory of the process. With --values it prints instead
// every result of every geometry to the last digit, one line each, to
// compare two builds of the solver with diff.
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench_geometries.h"

namespace {

using tarvel::fieldsolve::Geometry;
using tarvel::fieldsolve::Structure;
using tarvel::bench::geometries;
using tarvel::bench::kStructures;

void Check(benchmark::State& state, Structure s)
{
    const Geometry g = geometries(s)[std::size_t(state.range(0))];
    tarvel::fieldsolve::Solution sol;
    for (auto _ : state) {
        sol = tarvel::fieldsolve::solve(g);
        benchmark::DoNotOptimize(sol);
    }
    state.counters["err%"] = 100 * sol.error;
    state.counters["nodes"] = double(sol.nodes);
    state.counters["meshes"] = sol.levels;
    state.counters["ok"] = sol.ok;
    // The results themselves, to compare two builds of the solver.
    const auto& lp = sol.coupled ? sol.even : sol.single;
    state.counters["z0"] = lp.z0;
    state.counters["eeff"] = lp.eeff;
    if (sol.coupled) {
        state.counters["z0odd"] = sol.odd.z0;
        state.counters["eeffodd"] = sol.odd.eeff;
    }
    state.SetLabel("W=" + std::to_string(g.w) + " S=" + std::to_string(g.s) + " H=" + std::to_string(g.h) +
                   " t=" + std::to_string(g.t) + " er=" + std::to_string(g.er));
}

void Register(const char* name, Structure s)
{
    auto* b = benchmark::RegisterBenchmark(name, [s](benchmark::State& st) { Check(st, s); });
    // A solve runs the two media of its larger meshes on two threads: the
    // processor time is that of the whole process, beside the wall time.
    b->DenseRange(0, int(geometries(s).size()) - 1)->Iterations(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
}


void printValues()
{
    for (const auto& [name, s] : kStructures) {
        const std::vector<Geometry> gs = geometries(s);
        for (std::size_t i = 0; i < gs.size(); ++i) {
            const tarvel::fieldsolve::Solution sol = tarvel::fieldsolve::solve(gs[i]);
            std::printf("%s/%zu ok=%d meshes=%d nodes=%zu err=%.17g box=%.17g", name, i, int(sol.ok), sol.levels,
                        sol.nodes, sol.error, sol.boxError);
            for (const auto* p : {&sol.single, &sol.even, &sol.odd})
                std::printf(" | %.17g %.17g %.17g %.17g", p->z0, p->eeff, p->c, p->cAir);
            std::printf("\n");
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--values") == 0) {
        printValues();
        return 0;
    }
    for (const auto& [name, s] : kStructures)
        Register(name, s);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %.1f MB\n", double(usage.ru_maxrss) / 1024);
    return 0;
}
