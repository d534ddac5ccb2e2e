// SPDX-License-Identifier: GPL-3.0-or-later
// How honest the field solver's error estimate is: each line solved to the
// usual 0.05 % and again to 1e-9 (as far as the node limit lets the meshes
// go, seven of them for most), and the first's errors in Z0 and eeff
// against the second, over the first's estimate. Not a test: it runs for
// minutes. Prints one line per line solved (the ratio, the estimate, the
// reference's own estimate) and the worst ratio of each set at the end.
//   estimate_check [bench] [random] [designs]
// The sets: the field bench's 102 geometries, 60 drawn at random over its
// six structures (a fixed seed), the designer's nine templates with their
// example's W times 0.3, 1 and 3 and t times 1 and 3.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "bench_geometries.h"
#include "fieldsolve/templates.h"

using namespace tarvel::fieldsolve;

namespace {

struct Worst {
    double ratio = 0;
    std::string which;
    int count = 0, over = 0;
};

// Errors of a solution against a reference, over its estimate: Z0's, and
// eeff's against twice it (eeff is the quotient of the two capacitances
// whose mean error the estimate bounds, Z0 their product's root).
void compare(const char* set, const std::string& name, const SectionSolution& s, const SectionSolution& ref,
             Worst& worst)
{
    if (!s.ok || !ref.ok) {
        std::printf("%-8s %-40s failed: %s%s\n", set, name.c_str(), s.failure.c_str(), ref.failure.c_str());
        return;
    }
    double ratio = 0;
    for (std::size_t m = 0; m < s.capacitance.size(); ++m) {
        const double ec = s.capacitance[m].relative / ref.capacitance[m].relative - 1;
        const double ea = s.capacitance[m].relativeAir / ref.capacitance[m].relativeAir - 1;
        ratio = std::max({ratio, std::fabs(ec + ea) / 2 / s.error, std::fabs(ec - ea) / 2 / s.error});
    }
    std::printf("%-8s %-40s error/estimate %.2f  estimate %.4f %%  meshes %d  reference's estimate %.5f %%\n", set,
                name.c_str(), ratio, 100 * s.error, s.levels, 100 * ref.error);
    ++worst.count;
    worst.over += ratio > 1;
    if (ratio > worst.ratio)
        worst = {ratio, name, worst.count, worst.over};
}

void check(const char* set, const std::string& name, const Section& section, Worst& worst)
{
    compare(set, name, solveSection(section, 5e-4), solveSection(section, 1e-9), worst);
}

std::string describe(const Geometry& g)
{
    char text[160];
    std::snprintf(text, sizeof text, "W=%g S=%g H=%g t=%g er=%g", g.w, g.s, g.h, g.t, g.er);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    auto wanted = [&](const char* set) {
        if (argc < 2)
            return true;
        for (int i = 1; i < argc; ++i)
            if (std::strcmp(argv[i], set) == 0)
                return true;
        return false;
    };
    std::vector<std::pair<std::string, Worst>> summary;
    if (wanted("bench")) {
        Worst worst;
        for (const auto& [name, s] : tarvel::bench::kStructures)
            for (const Geometry& g : tarvel::bench::geometries(s))
                check("bench", std::string(name) + " " + describe(g), section(g), worst);
        summary.emplace_back("bench", worst);
    }
    if (wanted("random")) {
        Worst worst;
        std::mt19937 rng(20261209);
        std::uniform_real_distribution<double> u(0, 1);
        auto between = [&](double a, double b) { return a * std::pow(b / a, u(rng)); };
        for (int k = 0; k < 60; ++k) {
            const Structure s = tarvel::bench::kStructures[k % 6].second;
            double h = between(0.1, 2), er = between(2, 12), t = between(0.005, 0.08), w = h * between(0.1, 8),
                   gap = h * between(0.05, 2);
            if (s == Structure::Stripline || s == Structure::CoupledStripline) {
                er = 2.2;
                t = std::min(t, 0.3 * h);
            }
            if (s == Structure::Cpw || s == Structure::Cps) {
                w = between(0.05, 4);
                gap = w * between(0.1, 2);
            }
            const Geometry g{s, w, gap, h, t, er};
            check("random", std::string(tarvel::bench::kStructures[k % 6].first) + " " + describe(g), section(g),
                  worst);
        }
        summary.emplace_back("random", worst);
    }
    if (wanted("designs")) {
        Worst worst;
        for (const TemplateInfo& info : templates())
            for (double width : {0.3, 1.0, 3.0})
                for (double thickness : {1.0, 3.0}) {
                    Design d = exampleDesign(info.kind);
                    d.set("W", d["W"] * width);
                    if (d.has("t"))
                        d.set("t", d["t"] * thickness);
                    if (!checkDesign(d).empty())
                        continue;
                    char name[80];
                    std::snprintf(name, sizeof name, "%s W*%g t*%g", info.name.c_str(), width, thickness);
                    check("designs", name, designSection(d), worst);
                }
        summary.emplace_back("designs", worst);
    }
    for (const auto& [set, worst] : summary)
        std::printf("%s: %d lines, %d over their estimate; the largest error/estimate %.2f (%s)\n", set.c_str(),
                    worst.count, worst.over, worst.ratio, worst.which.c_str());
    return 0;
}
