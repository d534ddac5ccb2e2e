// SPDX-License-Identifier: GPL-3.0-or-later
// tarvel-calc sweep: a line's R, L, G, C, Zc, attenuation, phase constant,
// eeff and group delay over a band, from one static solve of its field;
// or, with --vary, the line against one of its dimensions, a field solve
// per value (and, with --freq, the line at that frequency at each).
#include <cmath>
#include <cstdlib>

#include "fieldsolve/dimension_sweep.h"
#include "frequency_line.h"
#include "json.h"

namespace tarvel::cli {

namespace {

// What both sweeps read first: the band (of a dimension or of frequency),
// no option left unknown, then the line.
std::optional<Problem> readBandAndLine(std::vector<std::string>& args, bool dimension, Band& band, LineArgs& line)
{
    if (auto p = readBand(args, band, dimension))
        return p;
    if (auto p = unknownOption(args))
        return p;
    return readLine(args, 0, line);
}

// sweep STRUCTURE name=value ... --vary NAME --from A --to B --points N
// [--log] [--freq F] [--csv|--json], the --vary and --freq already taken.
Run dimensionSweep(std::vector<std::string>& args, const std::string& name, const std::optional<std::string>& freq,
                   bool asJson, bool asCsv)
{
    Band band;
    LineArgs line;
    if (auto p = readBandAndLine(args, true, band, line))
        return problem(*p, asJson);
    if (!line.design)
        return problem({Message, "a varredura de dimensão é das estruturas de field, não de " + line.structure},
                       asJson);
    bool lossGiven = false;
    for (std::size_t k = 1; k < args.size(); ++k)
        lossGiven = lossGiven || lossParameter(args[k].substr(0, args[k].find('=')));
    if (lossGiven && !freq)
        return usage("os parâmetros de perda pedem --freq");
    std::optional<fieldsolve::SweepFrequency> at;
    if (freq) {
        char* end = nullptr;
        const double f = std::strtod(freq->c_str(), &end);
        if (freq->empty() || *end || !(f > 0) || !std::isfinite(f))
            return problem({Message, "frequência deve ser positiva: \"" + *freq + "\""}, asJson);
        at = fieldsolve::SweepFrequency{f, line.losses.metal, line.tands};
    }
    if (band.logarithmic && !(band.from > 0 && band.to > 0))
        return problem({Message, "--log pede valores inicial e final positivos"}, asJson);
    if (band.points > 1 && band.to == band.from)
        return problem({Message, "valor final igual ao inicial"}, asJson);
    // The values in mm, as the design holds them.
    const double scale = line.unit == fieldsolve::Unit::Mil ? fieldsolve::kMmPerMil : 1.0;
    std::vector<double> values = fieldsolve::frequencies(band.from, band.to, band.points, band.logarithmic);
    for (double& v : values)
        v *= scale;
    const fieldsolve::DimensionSweep s = fieldsolve::sweepDimension(*line.design, name, values, at, line.unit);
    // Refused before solving: exit 2; a solve that failed: 3, after the
    // points solved before it.
    if (s.refused)
        return problem({Message, s.failure}, asJson);
    if (!s.failure.empty() && s.points.empty())
        return problem({Fault, "a solução de campo falhou: " + s.failure}, asJson);
    Run r;
    bool notReached = false;
    double worst = 0;
    for (const fieldsolve::DimensionPoint& p : s.points) {
        notReached = notReached || !p.analysis.converged;
        worst = std::max(worst, p.analysis.error);
    }
    if (notReached) {
        r.exit = NotReached;
        r.err = "aviso: solução de campo não alcançada em algum ponto: a malha chegou ao limite com erro estimado de até " +
                number(100 * worst) + " % (os valores são a melhor extrapolação)\n";
    }
    if (!s.failure.empty()) {
        r.exit = Fault;
        r.err += "tarvel-calc: a solução de campo falhou: " + s.failure + "\n";
    }
    const std::string unitName = fieldsolve::unitName(line.unit);
    auto valueOf = [&](const fieldsolve::DimensionPoint& p) { return number(p.value / scale); };
    if (asJson) {
        std::string list = "[";
        for (std::size_t k = 0; k < s.points.size(); ++k) {
            const fieldsolve::DimensionPoint& p = s.points[k];
            json::ObjectWriter w;
            w.raw(name, valueOf(p));
            for (const auto& [key, value] : analysisPairs(p.analysis))
                w.raw(key, value);
            if (p.at) {
                w.raw("f_Hz", number(p.at->f));
                for (const auto& [key, value] : frequencyPairs(*p.at))
                    w.raw(key, value);
                w.raw("R_error_percent", number(100 * p.surfaceError));
            }
            list += (k ? ", " : "") + w.finish();
        }
        list += "]";
        json::ObjectWriter w;
        w.string("structure", line.structure).string("unit", unitName).string("vary", name);
        if (at)
            w.raw("f_Hz", number(at->f));
        r.out = w.raw("points", list).finish() + "\n";
        return r;
    }
    const char separator = asCsv ? ',' : ' ';
    if (!asCsv)
        r.out = "# " + line.structure + ": " + name + " em " + unitName + ", uma solução de campo por ponto" +
                (at ? ", a linha em " + number(at->f) + " Hz" : std::string()) + "\n";
    auto put = [&](const std::vector<std::string>& cells) {
        for (std::size_t k = 0; k < cells.size(); ++k)
            r.out += (k ? std::string(1, separator) : std::string()) + cells[k];
        r.out += '\n';
    };
    if (s.points.empty())
        return r;
    std::vector<std::string> header{name + "_" + unitName};
    for (const auto& [key, value] : analysisPairs(s.points.front().analysis))
        header.push_back(key);
    if (at) {
        for (const std::string& key : csvHeader(s.points.front().analysis.pair, s.points.front().at->general))
            header.push_back(key);
        header.push_back("R_error_percent");
    }
    put(header);
    for (const fieldsolve::DimensionPoint& p : s.points) {
        std::vector<std::string> row{valueOf(p)};
        for (const auto& [key, value] : analysisPairs(p.analysis))
            row.push_back(value);
        if (p.at) {
            for (const std::string& cell : csvRow(*p.at))
                row.push_back(cell);
            row.push_back(number(100 * p.surfaceError));
        }
        put(row);
    }
    return r;
}

} // namespace

Run sweepForm(const std::vector<std::string>& argsIn)
{
    std::vector<std::string> args(argsIn.begin() + 1, argsIn.end());
    const bool asJson = takeFlag(args, "--json"), asCsv = takeFlag(args, "--csv");
    if (asJson && asCsv)
        return usage("sweep escreve --json ou --csv, não os dois");
    {
        std::optional<Problem> p;
        const auto vary = takeOption(args, "--vary", p);
        const auto freq = takeOption(args, "--freq", p);
        if (p)
            return problem(*p, asJson);
        if (vary)
            return dimensionSweep(args, *vary, freq, asJson, asCsv);
        if (freq)
            return usage("--freq vai com --vary (a varredura de frequência usa --from, --to e --points)");
    }
    Band band;
    LineArgs line;
    if (auto p = readBandAndLine(args, false, band, line))
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
