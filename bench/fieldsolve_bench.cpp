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

#include "fieldsolve/sections.h"

namespace {

using tarvel::fieldsolve::Geometry;
using tarvel::fieldsolve::Structure;

const double kThick[] = {0.0175, 0.07};

std::vector<Geometry> geometries(Structure s)
{
    std::vector<Geometry> out;
    auto add = [&](double w, double gap, double h, double t, double er) {
        out.push_back(Geometry{s, w, gap, h, t, er});
    };
    switch (s) {
    case Structure::Microstrip:
        for (auto [er, h] : {std::pair{2.2, 0.787}, {4.4, 1.6}, {10.2, 0.635}})
            for (double r : {0.2, 1.0, 3.0, 10.0})
                for (double t : kThick)
                    add(r * h, 0, h, t, er);
        break;
    case Structure::Stripline:
        for (double r : {0.1, 0.5, 2.0})
            for (double t : kThick)
                add(r * 1.57, 0, 1.57, t, 2.2);
        break;
    case Structure::Cpw:
    case Structure::Cps:
        for (auto [er, h] : {std::pair{2.2, 0.254}, {2.2, 1.57}, {10.2, 0.254}, {10.2, 1.27}})
            for (auto [w, gap] : {std::pair{0.2, 0.1}, {1.0, 0.2}, {4.0, 0.5}})
                for (double t : kThick)
                    add(w, gap, h, t, er);
        break;
    case Structure::CoupledMicrostrip:
        for (auto [er, h] : {std::pair{2.2, 0.787}, {10.2, 0.635}})
            for (double wr : {0.5, 2.0})
                for (double sr : {0.1, 1.0})
                    for (double t : kThick)
                        add(wr * h, sr * h, h, t, er);
        break;
    case Structure::CoupledStripline:
        for (double w : {0.6, 1.5})
            for (double gap : {0.1, 0.5})
                for (double t : kThick)
                    add(w, gap, 1.57, t, 2.2);
        break;
    default: break;
    }
    return out;
}

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

const std::pair<const char*, Structure> kStructures[] = {
    {"Microstrip", Structure::Microstrip}, {"Stripline", Structure::Stripline},
    {"CPW", Structure::Cpw},               {"CPS", Structure::Cps},
    {"CoupledMicrostrip", Structure::CoupledMicrostrip}, {"CoupledStripline", Structure::CoupledStripline}};

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
