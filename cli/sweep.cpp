// SPDX-License-Identifier: GPL-3.0-or-later
// tarvel-calc sweep: a line's R, L, G, C, Zc, attenuation, phase constant,
// eeff and group delay over a band, from one static solve of its field.
#include "frequency_line.h"
#include "json.h"

namespace tarvel::cli {

Run sweepForm(const std::vector<std::string>& argsIn)
{
    std::vector<std::string> args(argsIn.begin() + 1, argsIn.end());
    const bool asJson = takeFlag(args, "--json"), asCsv = takeFlag(args, "--csv");
    if (asJson && asCsv)
        return usage("sweep escreve --json ou --csv, não os dois");
    Band band;
    if (auto p = readBand(args, band))
        return problem(*p, asJson);
    for (const std::string& a : args)
        if (a.rfind("--", 0) == 0)
            return usage("opção desconhecida: " + a);
    LineArgs line;
    if (auto p = readLine(args, 0, line))
        return problem(*p, asJson);
    if (band.points > 1 && !(band.to > band.from))
        return problem({Message, "frequência final deve ser maior que a inicial"}, asJson);
    const std::vector<double> f = fieldsolve::frequencies(band.from, band.to, band.points, band.logarithmic);
    SolvedLine solved;
    if (auto p = solveLine(line, f, solved))
        return problem(*p, asJson);
    const std::vector<fieldsolve::LineAt> points = fieldsolve::sweep(solved.model, f);
    Run r;
    if (solved.notReached) {
        r.exit = NotReached;
        r.err = notReachedNotice(solved.statics) + "\n";
    }
    if (asJson) {
        std::string list = "[";
        for (std::size_t k = 0; k < points.size(); ++k)
            list += (k ? ", " : "") + lineAtJson(points[k]);
        list += "]";
        r.out = json::ObjectWriter()
                    .string("structure", line.structure)
                    .raw("error_percent", number(100 * solved.model.error))
                    .raw("R_error_percent", number(100 * solved.model.surfaceError))
                    .raw("seconds", number(solved.statics.seconds))
                    .raw("f_max_Hz", number(solved.model.fMax))
                    .raw("points", list)
                    .finish() +
                "\n";
        return r;
    }
    const char separator = asCsv ? ',' : ' ';
    if (!asCsv)
        r.out = "# " + line.structure + ": erro estimado " + number(100 * solved.model.error) + " % (de R " +
                number(100 * solved.model.surfaceError) + " %), limite do modelo quase-estático " +
                number(solved.model.fMax) + " Hz\n";
    auto put = [&](const std::vector<std::string>& cells) {
        for (std::size_t k = 0; k < cells.size(); ++k)
            r.out += (k ? std::string(1, separator) : std::string()) + cells[k];
        r.out += '\n';
    };
    put(csvHeader(solved.model.pair, solved.model.general));
    for (const fieldsolve::LineAt& at : points)
        put(csvRow(at));
    return r;
}

} // namespace tarvel::cli
