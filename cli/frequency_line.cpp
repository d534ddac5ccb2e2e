// SPDX-License-Identifier: GPL-3.0-or-later
#include "frequency_line.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <iomanip>
#include <locale>
#include <map>
#include <sstream>

#include "json.h"
#include "fieldsolve/design_project.h"

namespace tarvel::cli {

namespace {


constexpr double kMm = 1e-3; // the lengths of a design, in metres
constexpr double kMicron = 1e-6;

bool readNumber(const std::string& text, double& v)
{
    if (text.empty())
        return false;
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    in >> v;
    return !in.fail() && in.peek() == std::char_traits<char>::eof() && std::isfinite(v);
}

Problem refusal(const std::string& text) { return {Message, text}; }

} // namespace

std::string number(double v)
{
    if (!std::isfinite(v))
        return "null";
    std::ostringstream s;
    s.imbue(std::locale::classic());
    s << std::setprecision(10) << v;
    return s.str();
}

std::string fixed(double v, int decimals)
{
    if (!std::isfinite(v))
        return "null";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::vector<std::pair<std::string, std::string>> analysisPairs(const fieldsolve::Analysis& a)
{
    if (!a.pair)
        return {{"Z0", fixed(a.z0, 4)}, {"eeff", fixed(a.eeff, 4)}, {"error_percent", fixed(100 * a.error, 4)}};
    return {{"Z0e", fixed(a.z0e, 4)},   {"Z0o", fixed(a.z0o, 4)}, {"eeff_e", fixed(a.eeffE, 4)},
            {"eeff_o", fixed(a.eeffO, 4)}, {"Zdiff", fixed(a.zdiff, 4)}, {"Zcm", fixed(a.zcm, 4)},
            {"k", fixed(a.k, 6)},          {"error_percent", fixed(100 * a.error, 4)}};
}

std::optional<Problem> unknownOption(const std::vector<std::string>& args)
{
    for (const std::string& a : args)
        if (a.rfind("--", 0) == 0)
            return Problem{Usage, "opção desconhecida: " + a};
    return std::nullopt;
}

bool lossParameter(const std::string& name)
{
    for (const char* k : {"tand", "tand1", "tand2", "ctand", "sigma", "rq", "roughness", "rnod", "sr"})
        if (name == k)
            return true;
    return false;
}

std::optional<Problem> readLosses(const Texts& texts, LineArgs& out)
{
    // The loss tangents this structure reads.
    const std::vector<std::string> tands =
        out.design ? fieldsolve::templateTandNames(out.design->kind) : std::vector<std::string>{"tand"};
    std::vector<std::string> seen;
    for (const auto& [name, text] : texts) {
        if ((name.rfind("tand", 0) == 0 || name == "ctand") && std::find(tands.begin(), tands.end(), name) == tands.end())
            return Problem{Usage, "parâmetro desconhecido para " + out.structure + ": " + name};
        if (std::find(seen.begin(), seen.end(), name) != seen.end())
            return Problem{Usage, "parâmetro repetido: " + name};
        seen.push_back(name);
    }
    fieldsolve::LineLosses read;
    if (const std::string why = fieldsolve::readLineLosses(tands, texts, read); !why.empty())
        return refusal(why);
    out.tands = read.tands;
    fieldsolve::LossInputs& in = out.losses;
    const double unit = in.unit;
    if (out.design) {
        in = fieldsolve::designLossInputs(*out.design, {read.metal, read.metal}, out.tands);
    } else {
        in.metal = {read.metal, read.metal};
        in.tand = {out.tands.front().second};
    }
    in.unit = unit;
    if (const std::string why = fieldsolve::invalidLossInputs(in); !why.empty())
        return refusal(why);
    return std::nullopt;
}

std::optional<Problem> readLine(const std::vector<std::string>& args, std::size_t from, LineArgs& out)
{
    if (from >= args.size()) {
        std::string names;
        for (const fieldsolve::TemplateInfo& t : fieldsolve::templates())
            names += t.name + ", ";
        return Problem{Usage, "falta a estrutura: " + names + "coax ou two-wire"};
    }
    out.structure = args[from];
    Texts shape, losses;
    fieldsolve::Unit unit = fieldsolve::Unit::Mm;
    for (std::size_t k = from + 1; k < args.size(); ++k) {
        const std::string& a = args[k];
        const auto eq = a.find('=');
        if (eq == std::string::npos || eq == 0)
            return Problem{Usage, "argumento malformado (esperado nome=valor): " + a};
        const std::string name = a.substr(0, eq), text = a.substr(eq + 1);
        if (name == "unit") {
            const auto u = fieldsolve::unitNamed(text);
            if (!u)
                return refusal("O campo unit tem de ser mm ou mil: \"" + text + "\".");
            unit = *u;
            out.unit = unit;
        } else {
            (lossParameter(name) ? losses : shape).emplace_back(name, text);
        }
    }
    out.losses.unit = kMm;
    if (const fieldsolve::TemplateInfo* info = fieldsolve::templateNamed(out.structure)) {
        fieldsolve::Design d;
        std::string why = fieldsolve::readDesign(info->kind, unit, shape, d);
        if (why.empty())
            why = fieldsolve::checkDesign(d);
        if (!why.empty())
            return refusal(why);
        out.design = d;
        return readLosses(losses, out);
    }
    fieldsolve::Geometry& g = out.geometry;
    if (out.structure == "coax")
        g.structure = fieldsolve::Structure::Coax;
    else if (out.structure == "two-wire")
        g.structure = fieldsolve::Structure::TwoWire;
    else
        return Problem{Usage, "estrutura desconhecida: " + out.structure};
    std::map<std::string, double> v;
    for (const auto& [name, text] : shape) {
        if (name != "d" && name != "D" && name != "er")
            return Problem{Usage, "parâmetro desconhecido para " + out.structure + ": " + name};
        double x = 0;
        if (!readNumber(text, x))
            return refusal("valor inválido para " + name + ": " + text);
        if (!v.emplace(name, x).second)
            return Problem{Usage, "parâmetro repetido: " + name};
    }
    for (const char* name : {"d", "D", "er"})
        if (!v.count(name))
            return Problem{Usage, std::string("falta o parâmetro ") + name + " de " + out.structure};
    const double scale = unit == fieldsolve::Unit::Mil ? fieldsolve::kMmPerMil : 1.0;
    g.d = v["d"] * scale;
    g.D = v["D"] * scale;
    g.er = v["er"];
    if (const std::string why = fieldsolve::invalidGeometry(g); !why.empty())
        return refusal(why);
    return readLosses(losses, out);
}

std::optional<std::string> takeOption(std::vector<std::string>& args, const std::string& name,
                                      std::optional<Problem>& problem)
{
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] != name)
            continue;
        if (k + 1 >= args.size()) {
            problem = Problem{Usage, "falta o valor de " + name};
            return std::nullopt;
        }
        std::string value = args[k + 1];
        args.erase(args.begin() + long(k), args.begin() + long(k) + 2);
        return value;
    }
    return std::nullopt;
}

bool takeFlag(std::vector<std::string>& args, const std::string& name)
{
    for (std::size_t k = 0; k < args.size(); ++k)
        if (args[k] == name) {
            args.erase(args.begin() + long(k));
            return true;
        }
    return false;
}

std::optional<Problem> readBand(std::vector<std::string>& args, Band& out, bool dimension)
{
    std::optional<Problem> problem;
    const auto from = takeOption(args, "--from", problem);
    const auto to = takeOption(args, "--to", problem);
    const auto points = takeOption(args, "--points", problem);
    out.logarithmic = takeFlag(args, "--log");
    if (problem)
        return problem;
    if (!from || !to || !points)
        return Problem{Usage, dimension ? "a varredura de dimensão pede --from A --to B --points N"
                                        : "a faixa pede --from F1 --to F2 --points N"};
    if (!readNumber(*from, out.from))
        return refusal((dimension ? "valor inicial inválido: " : "frequência inicial inválida: ") + *from);
    if (!readNumber(*to, out.to))
        return refusal((dimension ? "valor final inválido: " : "frequência final inválida: ") + *to);
    double n = 0;
    if (!readNumber(*points, n) || n != std::floor(n) || n < 1 || n > double(fieldsolve::kMaxPoints))
        return refusal("número de pontos deve ser um inteiro entre 1 e " + std::to_string(fieldsolve::kMaxPoints) +
                       ": " + *points);
    out.points = std::size_t(n);
    return std::nullopt;
}

std::optional<Problem> solveLine(const LineArgs& line, const std::vector<double>& frequencies, SolvedLine& out)
{
    // What the model refuses is refused before the field is solved.
    const fieldsolve::LossFrame frame =
        line.design ? fieldsolve::designLossFrame(*line.design) : fieldsolve::lossFrame(line.geometry);
    if (!frame.unsupported.empty())
        return refusal(frame.unsupported);
    fieldsolve::LineModel limits;
    limits.fMax = fieldsolve::quasiStaticLimit(frame, line.losses.unit);
    for (double f : frequencies)
        if (const std::string why = fieldsolve::invalidFrequency(limits, f); !why.empty())
            return refusal(why);
    const fieldsolve::LossSolution s =
        line.design ? fieldsolve::solveLosses(fieldsolve::designSection(*line.design), frame)
                    : fieldsolve::solveLosses(line.geometry);
    out.statics = s.statics;
    if (!s.statics.ok)
        return Problem{NotReached, "solução de campo não alcançada: " + s.statics.failure};
    std::string failure;
    out.model = fieldsolve::lineModel(s, line.losses, failure);
    if (!failure.empty())
        return refusal(failure);
    out.notReached = !s.statics.converged;
    return std::nullopt;
}

std::string notReachedNotice(const fieldsolve::SectionSolution& s)
{
    return "aviso: solução de campo não alcançada: a malha chegou ao limite com erro estimado de " +
           number(100 * s.error) + " % (os valores são a melhor extrapolação)";
}

namespace {

// The quantities of a mode, by key, in the order they are written; a
// general pair's mode adds its V2/V1.
std::vector<std::pair<std::string, double>> modeValues(const fieldsolve::ModeAt& a, bool general = false)
{
    using fieldsolve::kDbPerNeper;
    std::vector<std::pair<std::string, double>> v = {{"R_ohm_per_m", a.r},
        {"L_nH_per_m", a.l * 1e9},
        {"G_S_per_m", a.g},
        {"C_pF_per_m", a.c * 1e12},
        {"Zc_re", a.zc.real()},
        {"Zc_im", a.zc.imag()},
        {"alpha_c_dB_per_m", kDbPerNeper * a.alphaC},
        {"alpha_d_dB_per_m", kDbPerNeper * a.alphaD},
        {"alpha_dB_per_m", kDbPerNeper * a.alpha()},
        {"alpha_dB_per_cm", kDbPerNeper * a.alpha() / 100},
        {"beta_rad_per_m", a.beta()},
        {"eeff_f", a.eeff},
        {"delay_ps_per_m", a.delay * 1e12}};
    if (general) {
        v.emplace_back("V2_over_V1_re", a.ratio.real());
        v.emplace_back("V2_over_V1_im", a.ratio.imag());
    }
    return v;
}

std::string modeJson(const fieldsolve::ModeAt& a, bool general)
{
    json::ObjectWriter w;
    for (const auto& [key, value] : modeValues(a, general)) {
        if (key == "Zc_re")
            w.raw("Zc", "[" + number(a.zc.real()) + ", " + number(a.zc.imag()) + "]");
        else if (key == "V2_over_V1_re")
            w.raw("V2_over_V1", "[" + number(a.ratio.real()) + ", " + number(a.ratio.imag()) + "]");
        else if (key != "Zc_im" && key != "V2_over_V1_im")
            w.raw(key, number(value));
    }
    return w.finish();
}

// The names of a pair's modes as the keys write them.
std::vector<const char*> modeNames(bool general) { return general ? std::vector<const char*>{"c", "pi"} : std::vector<const char*>{"even", "odd"}; }

std::string matrixJson(const fieldsolve::Matrix2& m, double scale)
{
    return "[[" + number(m[0][0] * scale) + ", " + number(m[0][1] * scale) + "], [" + number(m[1][0] * scale) + ", " +
           number(m[1][1] * scale) + "]]";
}

} // namespace

std::vector<std::pair<std::string, std::string>> frequencyPairs(const fieldsolve::LineAt& at)
{
    std::vector<std::pair<std::string, std::string>> p;
    if (at.modes.size() == 1) {
        for (const auto& [key, value] : modeValues(at.modes[0])) {
            if (key == "Zc_re")
                p.emplace_back("Zc", "[" + number(at.modes[0].zc.real()) + ", " + number(at.modes[0].zc.imag()) + "]");
            else if (key != "Zc_im")
                p.emplace_back(key, number(value));
        }
        return p;
    }
    p = {{"R_ohm_per_m", matrixJson(at.r, 1)},
         {"L_nH_per_m", matrixJson(at.l, 1e9)},
         {"G_S_per_m", matrixJson(at.g, 1)},
         {"C_pF_per_m", matrixJson(at.c, 1e12)},
         {modeNames(at.general)[0], modeJson(at.modes[0], at.general)},
         {modeNames(at.general)[1], modeJson(at.modes[1], at.general)}};
    return p;
}

std::string lineAtJson(const fieldsolve::LineAt& at)
{
    json::ObjectWriter w;
    w.raw("f_Hz", number(at.f));
    for (const auto& [key, value] : frequencyPairs(at))
        w.raw(key, value);
    return w.finish();
}

std::vector<std::string> csvHeader(bool pair, bool general)
{
    std::vector<std::string> h{"f_Hz"};
    const fieldsolve::ModeAt none;
    for (const char* mode : pair ? modeNames(general) : std::vector<const char*>{""})
        for (const auto& [key, value] : modeValues(none, general))
            h.push_back((*mode ? std::string(mode) + "_" : std::string()) + key);
    return h;
}

std::vector<std::string> csvRow(const fieldsolve::LineAt& at)
{
    std::vector<std::string> row{number(at.f)};
    for (const fieldsolve::ModeAt& a : at.modes)
        for (const auto& [key, value] : modeValues(a, at.general))
            row.push_back(number(value));
    return row;
}

} // namespace tarvel::cli
