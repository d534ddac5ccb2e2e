// SPDX-License-Identifier: GPL-3.0-or-later
// tarvel-calc export: a line of a given length written for a circuit
// simulator, as Touchstone S-parameters over a band or as a SPICE
// subcircuit; atomically, so a failed write leaves no partial file.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "fieldsolve/line_export.h"
#include "frequency_line.h"

namespace tarvel::cli {

namespace {

bool endsWith(std::string path, const std::string& ending)
{
    std::transform(path.begin(), path.end(), path.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return path.size() >= ending.size() && path.compare(path.size() - ending.size(), ending.size(), ending) == 0;
}

} // namespace

Run exportForm(const std::vector<std::string>& argsIn)
{
    std::vector<std::string> args(argsIn.begin() + 1, argsIn.end());
    std::optional<Problem> p;
    const auto length = takeOption(args, "--length", p);
    const auto zref = takeOption(args, "--zref", p);
    const auto touchstonePath = takeOption(args, "--touchstone", p);
    const auto spicePath = takeOption(args, "--spice", p);
    if (p)
        return problem(*p, false);
    Band band;
    if (auto q = readBand(args, band))
        return problem(*q, false);
    if (auto q = unknownOption(args))
        return problem(*q, false);
    if (bool(touchstonePath) == bool(spicePath))
        return usage("export grava --touchstone ARQUIVO ou --spice ARQUIVO (um dos dois)");
    if (!length)
        return usage("export pede --length (comprimento da linha em metros)");
    LineArgs line;
    if (auto q = readLine(args, 0, line))
        return problem(*q, false);
    double ell = 0, z = 50;
    char* end = nullptr;
    ell = std::strtod(length->c_str(), &end);
    if (end == length->c_str() || *end)
        ell = std::nan("");
    if (zref) {
        z = std::strtod(zref->c_str(), &end);
        if (end == zref->c_str() || *end)
            z = std::nan("");
    }
    if (const std::string why = fieldsolve::invalidExport(ell, z); !why.empty())
        return problem({Message, why}, false);
    if (band.points > 1 && !(band.to > band.from))
        return problem({Message, "frequência final deve ser maior que a inicial"}, false);
    const bool pair = line.design && line.design->info().pair;
    if (touchstonePath && !endsWith(*touchstonePath, pair ? ".s4p" : ".s2p"))
        return problem({Message, std::string("o arquivo Touchstone de ") + (pair ? "um par termina em .s4p" : "uma linha termina em .s2p") +
                                     ": " + *touchstonePath},
                       false);
    const std::vector<double> f = fieldsolve::frequencies(band.from, band.to, band.points, band.logarithmic);
    SolvedLine solved;
    if (auto q = solveLine(line, f, solved))
        return problem(*q, false);
    std::vector<std::string> comments = {"Tarvel: " + line.structure + " pela solução de campo quase-estática",
                                         "erro estimado " + number(100 * solved.model.error) + " % (de R " +
                                             number(100 * solved.model.surfaceError) + " %)",
                                         "parâmetros:"};
    for (std::size_t k = 1; k < argsIn.size(); ++k)
        if (argsIn[k].find('=') != std::string::npos)
            comments.back() += " " + argsIn[k];
    std::string text, path;
    if (touchstonePath) {
        path = *touchstonePath;
        text = fieldsolve::touchstone(fieldsolve::sweep(solved.model, f), ell, z, comments);
    } else {
        path = *spicePath;
        // The element values at the band's geometric centre; the ladder
        // fine enough for its top.
        const double fRef = std::sqrt(f.front() * f.back());
        text = fieldsolve::spiceSubcircuit(solved.model, ell, fRef, f.back(), "tarvel_line", comments);
    }
    std::string error;
    if (!fieldsolve::writeExport(path, text, error))
        return problem({Message, error}, false);
    Run r;
    r.out = "gravado: " + path + "\n";
    if (solved.notReached) {
        r.exit = NotReached;
        r.err = notReachedNotice(solved.statics) + "\n";
    }
    return r;
}

} // namespace tarvel::cli
