// SPDX-License-Identifier: GPL-3.0-or-later
// A frequency sweep against one static solve of the same line. The sweep's
// static solve (with the losses' surface integrals and layer shares taken
// from the fields of every mesh) is done once; the 200 frequencies after it
// are a few operations each. Not a test: run it by hand and read, per
// structure, the processor time of a plain static solve, of the solve with
// the losses' quantities, of the 200-point sweep alone, and the ratio of
// the whole sweep (solve with losses + 200 points) to the plain solve.
#include <cstdio>
#include <ctime>
#include <vector>

#include <benchmark/benchmark.h>

#include "fieldsolve/design_losses.h"
#include "fieldsolve/designer.h"
#include "fieldsolve/rlgc.h"

namespace {

using namespace tarvel::fieldsolve;

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + 1e-9 * double(ts.tv_nsec);
}

struct Case {
    const char* name;
    Geometry g;
};

} // namespace

int main()
{
    Geometry coax;
    coax.structure = Structure::Coax;
    coax.d = 0.91;
    coax.D = 2.95;
    coax.er = 2.1;
    const std::vector<Case> cases = {
        {"microstrip 1.1/0.6/0.035 er 3.66", Geometry{Structure::Microstrip, 1.1, 0, 0.6, 0.035, 3.66}},
        {"stripline 0.5/1.6/0.035 er 3.0", Geometry{Structure::Stripline, 0.5, 0, 1.6, 0.035, 3.0}},
        {"cpw 0.5/0.2/0.51/0.0175 er 3.55", Geometry{Structure::Cpw, 0.5, 0.2, 0.51, 0.0175, 3.55}},
        {"coupled microstrip 0.5/0.25/0.6/0.035", Geometry{Structure::CoupledMicrostrip, 0.5, 0.25, 0.6, 0.035, 3.66}},
        {"coupled stripline 0.3/0.3/1.6/0.035", Geometry{Structure::CoupledStripline, 0.3, 0.3, 1.6, 0.035, 3.0}},
        {"coax 0.91/2.95 er 2.1", coax},
    };
    std::printf("%-40s %10s %10s %10s %8s %8s %8s\n", "estrutura", "estático", "c/ perdas", "200 pts", "razão",
                "erro %", "erro R %");
    for (const Case& c : cases) {
        // Each timed twice, the second kept (the first warms the caches).
        double plain = 0, lossy = 0, points = 0;
        LossSolution s;
        LineModel m;
        for (int round = 0; round < 2; ++round) {
            double t0 = cpuSeconds();
            const Solution statics = solve(c.g);
            benchmark::DoNotOptimize(statics.single.z0);
            plain = cpuSeconds() - t0;
            t0 = cpuSeconds();
            s = solveLosses(c.g);
            LossInputs in;
            in.metal[0].sigma = in.metal[1].sigma = 5.8e7;
            in.metal[0].roughness = in.metal[1].roughness = Roughness::Hammerstad;
            in.metal[0].rq = in.metal[1].rq = 0.5e-6;
            in.tand = {0.004};
            std::string failure;
            m = lineModel(s, in, failure);
            lossy = cpuSeconds() - t0;
            t0 = cpuSeconds();
            const std::vector<LineAt> sw = sweep(m, frequencies(1e8, 0.9 * m.fMax, 200, true));
            benchmark::DoNotOptimize(sw.back().modes[0].gamma);
            points = cpuSeconds() - t0;
        }
        std::printf("%-40s %9.3fs %9.3fs %9.5fs %8.3f %8.4f %8.4f\n", c.name, plain, lossy, points,
                    (lossy + points) / plain, 100 * m.error, 100 * m.surfaceError);
    }
    // The designer's asymmetric broadside pair: three excitations of the
    // whole section, its modes from the matrices at every frequency.
    Design pair = exampleDesign(Template::BroadsideStripline);
    pair.set("h1", 0.2);
    pair.set("h2", 0.45);
    pair.set("offset", 0.1);
    double plain = 0, lossy = 0, points = 0;
    LineModel m;
    for (int round = 0; round < 2; ++round) {
        double t0 = cpuSeconds();
        const Analysis a = analyse(pair);
        benchmark::DoNotOptimize(a.zdiff);
        plain = cpuSeconds() - t0;
        t0 = cpuSeconds();
        const LossSolution s = solveLosses(designSection(pair), designLossFrame(pair));
        std::array<MetalLoss, kMetals> metal;
        metal[0].sigma = metal[1].sigma = 5.8e7;
        std::string failure;
        m = lineModel(s, designLossInputs(pair, metal, {{"tand", 0.004}}), failure);
        lossy = cpuSeconds() - t0;
        t0 = cpuSeconds();
        const std::vector<LineAt> sw = sweep(m, frequencies(1e8, 0.9 * m.fMax, 200, true));
        benchmark::DoNotOptimize(sw.back().modes[0].gamma);
        points = cpuSeconds() - t0;
    }
    std::printf("%-40s %9.3fs %9.3fs %9.5fs %8.3f %8.4f %8.4f\n", "broadside assimétrico 0.2/0.45/0.1", plain,
                lossy, points, (lossy + points) / plain, 100 * m.error, 100 * m.surfaceError);
    return 0;
}
