// SPDX-License-Identifier: GPL-3.0-or-later
// tarvel-calc: the calculator windows of Tarvel from the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "tool.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    bool batch = false;
    for (const auto& a : args)
        batch = batch || a == "--batch";
    if (batch) {
        // "field --batch": the designer's projects, one per line (with
        // their frequency's arguments).
        if (!args.empty() && args.front() == "field")
            return tarvel::cli::runFieldBatch(0, stdout, args);
        for (const auto& a : args)
            if (a != "--batch" && a != "--json") {
                std::fprintf(stderr, "tarvel-calc: --batch lê a entrada padrão e não leva outros argumentos\n");
                return tarvel::cli::Usage;
            }
        return tarvel::cli::runBatch(0, stdout);
    }
    const tarvel::cli::Run r = tarvel::cli::run(args);
    std::fwrite(r.err.data(), 1, r.err.size(), stderr);
    return tarvel::cli::writeOut(stdout, r.out) ? r.exit : tarvel::cli::FileError;
}
