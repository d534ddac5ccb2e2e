// The field designer per template: the processor time and field solves of
// an analysis of the template's example, and of a synthesis (Z0 of a
// single line, Zdiff of a pair varying W, and of the pairs with a spacing
// Zdiff varying S and Z0e with Z0o varying W and S), with what it reached.
//   designer_bench [template ...]
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fieldsolve/designer.h"

using namespace tarvel::fieldsolve;

int main(int argc, char** argv)
{
    std::printf("%-22s %-16s %8s %7s %10s %s\n", "template", "task", "CPU s", "solves", "error %", "reached");
    for (const TemplateInfo& info : templates()) {
        if (argc > 1) {
            bool wanted = false;
            for (int i = 1; i < argc; ++i)
                wanted = wanted || info.name == argv[i];
            if (!wanted)
                continue;
        }
        const Design d = exampleDesign(info.kind);
        const Analysis a = analyse(d);
        std::printf("%-22s %-16s %8.3f %7d %10.4f %s\n", info.name.c_str(), "analysis", a.seconds, a.solves,
                    100 * a.error, a.ok ? "" : a.failure.c_str());
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
            const Synthesis s = synthesise(d, t.targets, t.vary);
            std::string reached;
            for (std::size_t i = 0; i < s.reached.size(); ++i)
                reached += (i ? ", " : "") + std::string(quantityName(t.targets[i].quantity)) + " "
                           + std::to_string(s.reached[i]);
            for (const std::string& v : t.vary)
                reached += "  " + v + " = " + std::to_string(s.design[v]) + " mm";
            if (!s.ok)
                reached += "  (" + s.failure + ")";
            std::printf("%-22s %-16s %8.3f %7d %10.4f %s\n", info.name.c_str(), t.name, s.seconds, s.solves,
                        100 * s.analysis.error, reached.c_str());
        }
    }
    return 0;
}
