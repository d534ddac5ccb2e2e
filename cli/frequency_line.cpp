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

namespace tarvel::cli {

namespace {

using fieldsolve::Geometry;
using fieldsolve::Structure;

constexpr double kMm = 1e-3;
constexpr double kMil = 25.4e-6;
constexpr double kMicron = 1e-6;

// A structure's parameters: the geometry's, by name, and which loss
// tangents it reads.
struct Template {
    const char* name;
    Structure structure;
    std::vector<std::string> lengths;      // in the unit of lengths
    std::vector<std::string> permittivity; // one, or er1 and er2
};

const std::vector<Template>& templates()
{
    static const std::vector<Template> all = {
        {"microstrip", Structure::Microstrip, {"W", "h", "t"}, {"er"}},
        {"stripline", Structure::Stripline, {"W", "t", "h1", "h2"}, {"er1", "er2"}},
        {"cpw", Structure::Cpw, {"W", "S", "h", "t"}, {"er"}},
        {"cps", Structure::Cps, {"W", "S", "h", "t"}, {"er"}},
        {"coupled-microstrip", Structure::CoupledMicrostrip, {"W", "S", "h", "t"}, {"er"}},
        {"coupled-stripline", Structure::CoupledStripline, {"W", "S", "t", "h1", "h2"}, {"er1", "er2"}},
        {"coax", Structure::Coax, {"d", "D"}, {"er"}},
        {"two-wire", Structure::TwoWire, {"d", "D"}, {"er"}},
    };
    return all;
}

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

std::optional<Problem> readLine(const std::vector<std::string>& args, std::size_t from, LineArgs& out)
{
    if (from >= args.size())
        return Problem{Usage, "falta a estrutura: microstrip, stripline, cpw, cps, coupled-microstrip, "
                              "coupled-stripline, coax ou two-wire"};
    const Template* t = nullptr;
    for (const Template& c : templates())
        if (args[from] == c.name)
            t = &c;
    if (!t)
        return Problem{Usage, "estrutura desconhecida: " + args[from]};
    out.structure = t->name;
    std::map<std::string, std::string> given;
    for (std::size_t k = from + 1; k < args.size(); ++k) {
        const std::string& a = args[k];
        const auto eq = a.find('=');
        if (eq == std::string::npos || eq == 0)
            return Problem{Usage, "argumento malformado (esperado nome=valor): " + a};
        if (!given.emplace(a.substr(0, eq), a.substr(eq + 1)).second)
            return Problem{Usage, "parâmetro repetido: " + a.substr(0, eq)};
    }
    const bool two = t->permittivity.size() == 2;
    std::vector<std::string> known = t->lengths;
    known.insert(known.end(), t->permittivity.begin(), t->permittivity.end());
    for (const char* k : {"sigma", "rq", "roughness", "rnod", "sr", "unit"})
        known.push_back(k);
    if (two) {
        known.push_back("tand1");
        known.push_back("tand2");
    } else {
        known.push_back("tand");
    }
    for (const auto& [name, value] : given)
        if (std::find(known.begin(), known.end(), name) == known.end())
            return Problem{Usage, "parâmetro desconhecido para " + out.structure + ": " + name};
    double unit = kMm;
    if (given.count("unit")) {
        if (given["unit"] == "mil")
            unit = kMil;
        else if (given["unit"] != "mm")
            return refusal("unidade desconhecida: " + given["unit"] + " (mm ou mil)");
    }
    std::map<std::string, double> v;
    for (const auto& [name, text] : given) {
        if (name == "unit" || name == "roughness")
            continue;
        double x = 0;
        if (!readNumber(text, x))
            return refusal("valor inválido para " + name + ": " + text);
        v[name] = x;
    }
    for (const std::string& name : t->lengths)
        if (!v.count(name))
            return Problem{Usage, "falta o parâmetro " + name + " de " + out.structure};
    for (const std::string& name : t->permittivity)
        if (!v.count(name))
            return Problem{Usage, "falta o parâmetro " + name + " de " + out.structure};
    Geometry& g = out.geometry;
    g.structure = t->structure;
    auto at = [&](const char* name) { return v.count(name) ? v[name] : 0.0; };
    if (two) {
        // A strip between two layers: symmetric only (the same layer on
        // either side), b = h1 + t + h2.
        if (at("h1") != at("h2") || at("er1") != at("er2"))
            return refusal("camadas diferentes acima e abaixo da fita (h1 ≠ h2 ou er1 ≠ er2) ainda não são resolvidas "
                           "nesta forma de uso");
        g.h = at("h1") + at("t") + at("h2");
        g.er = at("er1");
    } else {
        g.h = at("h");
        g.er = at("er");
    }
    g.w = at("W");
    g.s = at("S");
    g.t = at("t");
    g.d = at("d");
    g.D = at("D");
    if (const std::string why = fieldsolve::invalidGeometry(g); !why.empty())
        return refusal(why);
    fieldsolve::LossInputs& in = out.losses;
    in.unit = unit;
    if (two) {
        // The two halves of a symmetric stripline hold equal shares of the
        // energy.
        for (const char* name : {"tand1", "tand2"})
            if (at(name) < 0)
                return refusal(std::string("tangente de perdas ") + name + " não pode ser negativa");
        in.tand = {(at("tand1") + at("tand2")) / 2};
    } else {
        in.tand = {at("tand")};
    }
    fieldsolve::MetalLoss metal;
    if (v.count("sigma"))
        metal.sigma = v["sigma"];
    metal.rq = at("rq") * kMicron;
    if (v.count("rnod"))
        metal.nodule = v["rnod"] * kMicron;
    metal.ratio = at("sr");
    const std::string roughness = given.count("roughness") ? given["roughness"] : "none";
    if (roughness == "hammerstad")
        metal.roughness = fieldsolve::Roughness::Hammerstad;
    else if (roughness == "huray")
        metal.roughness = fieldsolve::Roughness::Huray;
    else if (roughness != "none")
        return refusal("rugosidade desconhecida: " + roughness + " (none, hammerstad ou huray)");
    in.metal = {metal, metal};
    if (const std::string why = fieldsolve::invalidLossInputs(in); !why.empty())
        return refusal(why);
    return std::nullopt;
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

std::optional<Problem> readBand(std::vector<std::string>& args, Band& out)
{
    std::optional<Problem> problem;
    const auto from = takeOption(args, "--from", problem);
    const auto to = takeOption(args, "--to", problem);
    const auto points = takeOption(args, "--points", problem);
    out.logarithmic = takeFlag(args, "--log");
    if (problem)
        return problem;
    if (!from || !to || !points)
        return Problem{Usage, "a faixa pede --from F1 --to F2 --points N"};
    if (!readNumber(*from, out.from))
        return refusal("frequência inicial inválida: " + *from);
    if (!readNumber(*to, out.to))
        return refusal("frequência final inválida: " + *to);
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
    fieldsolve::LineModel limits;
    limits.fMax = fieldsolve::quasiStaticLimit(fieldsolve::lossFrame(line.geometry), line.losses.unit);
    for (double f : frequencies)
        if (const std::string why = fieldsolve::invalidFrequency(limits, f); !why.empty())
            return refusal(why);
    const fieldsolve::LossSolution s = fieldsolve::solveLosses(line.geometry);
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

// The quantities of a mode, by key, in the order they are written.
std::vector<std::pair<std::string, double>> modeValues(const fieldsolve::ModeAt& a)
{
    using fieldsolve::kDbPerNeper;
    return {{"R_ohm_per_m", a.r},
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
        {"eeff", a.eeff},
        {"delay_ps_per_m", a.delay * 1e12}};
}

std::string modeJson(const fieldsolve::ModeAt& a)
{
    json::ObjectWriter w;
    for (const auto& [key, value] : modeValues(a)) {
        if (key == "Zc_re")
            w.raw("Zc", "[" + number(a.zc.real()) + ", " + number(a.zc.imag()) + "]");
        else if (key != "Zc_im")
            w.raw(key, number(value));
    }
    return w.finish();
}

std::string matrixJson(const fieldsolve::Matrix2& m, double scale)
{
    return "[[" + number(m[0][0] * scale) + ", " + number(m[0][1] * scale) + "], [" + number(m[1][0] * scale) + ", " +
           number(m[1][1] * scale) + "]]";
}

} // namespace

std::string lineAtJson(const fieldsolve::LineAt& at)
{
    if (at.modes.size() == 1) {
        std::string mode = modeJson(at.modes[0]);
        return "{\"f_Hz\":" + number(at.f) + "," + mode.substr(1);
    }
    json::ObjectWriter w;
    w.raw("f_Hz", number(at.f));
    w.raw("R_ohm_per_m", matrixJson(at.r, 1));
    w.raw("L_nH_per_m", matrixJson(at.l, 1e9));
    w.raw("G_S_per_m", matrixJson(at.g, 1));
    w.raw("C_pF_per_m", matrixJson(at.c, 1e12));
    w.raw("even", modeJson(at.modes[0]));
    w.raw("odd", modeJson(at.modes[1]));
    return w.finish();
}

std::vector<std::string> csvHeader(bool pair)
{
    std::vector<std::string> h{"f_Hz"};
    const fieldsolve::ModeAt none;
    for (const char* prefix : pair ? std::vector<const char*>{"even_", "odd_"} : std::vector<const char*>{""})
        for (const auto& [key, value] : modeValues(none))
            h.push_back(prefix + key);
    return h;
}

std::vector<std::string> csvRow(const fieldsolve::LineAt& at)
{
    std::vector<std::string> row{number(at.f)};
    for (const fieldsolve::ModeAt& a : at.modes)
        for (const auto& [key, value] : modeValues(a))
            row.push_back(number(value));
    return row;
}

} // namespace tarvel::cli
