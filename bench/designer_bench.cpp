// SPDX-License-Identifier: GPL-3.0-or-later
// The field designer per template: the wall and processor time and field
// solves of
// an analysis of the template's example, and of a synthesis (Z0 of a
// single line, Zdiff of a pair varying W, and of the pairs with a spacing
// Zdiff varying S and Z0e with Z0o varying W and S), with what it reached.
//   designer_bench [template ...]
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstring>
#include <string>
#include <vector>

#include "fieldsolve/designer.h"

using namespace tarvel::fieldsolve;

int main(int argc, char** argv)
{
    std::printf("%-22s %-18s %7s %7s %9s %6s %8s %s\n", "template", "task", "wall s", "CPU s", "process s", "solves",
                "error %", "reached");
    const auto processSeconds = [] { return double(std::clock()) / CLOCKS_PER_SEC; };
    const auto wallSeconds = [] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    };
    for (const TemplateInfo& info : templates()) {
        if (argc > 1) {
            bool wanted = false;
            for (int i = 1; i < argc; ++i)
                wanted = wanted || info.name == argv[i];
            if (!wanted)
                continue;
        }
        const Design d = exampleDesign(info.kind);
        double before = processSeconds(), start = wallSeconds();
        const Analysis a = analyse(d);
        std::printf("%-22s %-18s %7.3f %7.3f %9.3f %6d %8.4f %s\n", info.name.c_str(), "analysis",
                    wallSeconds() - start, a.seconds, processSeconds() - before, a.solves, 100 * a.error,
                    a.ok ? "" : a.failure.c_str());
        struct Task {
            const char* name;
            std::vector<Target> targets;
            std::vector<std::string> vary;
        };
        std::vector<Task> tasks;
        const bool spaced = info.index("S") >= 0;
        if (!info.pair) {
            if (info.kind == Template::Cps)
                tasks.push_back({"Z0=100 W", {{Quantity::Z0, 100}}, {"W"}});
            else
                tasks.push_back({"Z0=50 W", {{Quantity::Z0, 50}}, {"W"}});
        } else {
            tasks.push_back({"Zdiff=100 W", {{Quantity::Zdiff, 100}}, {"W"}});
            if (spaced) {
                tasks.push_back({"Zdiff=100 S", {{Quantity::Zdiff, 100}}, {"S"}});
                tasks.push_back({"Z0e=60,Z0o=40 W,S", {{Quantity::Z0e, 60}, {Quantity::Z0o, 40}}, {"W", "S"}});
            }
        }
        for (const Task& t : tasks) {
            before = processSeconds();
            start = wallSeconds();
            const Synthesis s = synthesise(d, t.targets, t.vary);
            const double process = processSeconds() - before, wall = wallSeconds() - start;
            std::string reached;
            for (std::size_t i = 0; i < s.reached.size(); ++i)
                reached += (i ? ", " : "") + std::string(quantityName(t.targets[i].quantity)) + " "
                           + std::to_string(s.reached[i]);
            for (const std::string& v : t.vary)
                reached += "  " + v + " = " + std::to_string(s.design[v]) + " mm";
            if (!s.ok)
                reached += "  (" + s.failure + ")";
            std::printf("%-22s %-18s %7.3f %7.3f %9.3f %6d %8.4f %s\n", info.name.c_str(), t.name, wall, s.seconds,
                        process, s.solves, 100 * s.analysis.error, reached.c_str());
        }
    }
    return 0;
}
