// SPDX-License-Identifier: GPL-3.0-or-later
// tarvel-calc field: the field designer's board cross-sections, analysed or
// synthesised on the field, from arguments, a project file or JSON lines.
#include "shared.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "fieldsolve/design_project.h"
#include "frequency_line.h"
#include "framework/core/number_text.h"
#include "json.h"

namespace tarvel::cli {

namespace {

using namespace fieldsolve;

std::string matrix(const double m[2][2], double scale, int decimals)
{
    return "[[" + fixed(m[0][0] * scale, decimals) + "," + fixed(m[0][1] * scale, decimals) + "],["
           + fixed(m[1][0] * scale, decimals) + "," + fixed(m[1][1] * scale, decimals) + "]]";
}

// The answer as (key, JSON value) pairs, in the order they are printed.
using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs resultPairs(const Analysis& a)
{
    // The analysis keys, with C and L (and a pair's modes) before the estimate.
    Pairs p = analysisPairs(a);
    const Pairs lines = a.pair ? Pairs{{"C_pF_per_m", matrix(a.cMatrix, 1e12, 4)},
                                       {"L_nH_per_m", matrix(a.lMatrix, 1e9, 4)},
                                       {"modes", json::quote(a.symmetric ? "par e ímpar" : "diferencial e comum")}}
                               : Pairs{{"C_pF_per_m", fixed(a.c * 1e12, 4)}, {"L_nH_per_m", fixed(a.l * 1e9, 4)}};
    p.insert(p.end() - 1, lines.begin(), lines.end());
    return p;
}

// A length in the unit of the answer.
std::string dimension(double mm, Unit unit) { return fixed(unit == Unit::Mil ? mm / kMmPerMil : mm, 6); }

struct Answer {
    int exit = Ok;
    Pairs pairs;
    std::string notice;  // printed as "warning: ..." (text) or "warning" (JSON)
    std::string refusal; // the message of a refusal (exit 2), nothing else printed
};

// The line at one frequency, asked for with --freq: its loss parameters
// (the texts of tand, sigma, ...) beside the project's.
struct Frequency {
    double f = 0;
    Texts losses;
    // The texts are a project's (and a batch line's) losses, with the
    // command line's in their place: read as the project reads them.
    bool project = false;
};

// A frequency's text (of --freq or a batch line's "freq"), or the reason
// it is refused.
std::string frequencyOf(const std::string& text, double& f)
{
    char* end = nullptr;
    f = std::strtod(text.c_str(), &end);
    if (text.empty() || *end || !(f > 0) || !std::isfinite(f))
        return "frequência deve ser positiva: \"" + text + "\"";
    return {};
}

// The loss parameters of `under` with those of `over` in their place.
Texts overridden(const Texts& under, const Texts& over)
{
    Texts out;
    for (const auto& u : under) {
        bool replaced = false;
        for (const auto& o : over)
            replaced = replaced || o.first == u.first;
        if (!replaced)
            out.push_back(u);
    }
    out.insert(out.end(), over.begin(), over.end());
    return out;
}

// The loss parameters of a project: its "losses", and those a batch line
// may give among its "parameters" (taken out of them) in their place.
Texts takeLosses(DesignProject& project)
{
    Texts losses, shape;
    for (auto& p : project.parameters)
        (lossParameter(p.first) ? losses : shape).push_back(std::move(p));
    project.parameters = std::move(shape);
    return overridden(project.losses, losses);
}

// A JSON value's text again (a number keeps its source text).
std::string textOf(const json::Value& v)
{
    switch (v.kind) {
    case json::Value::Kind::Null: return "null";
    case json::Value::Kind::Bool: return v.boolean ? "true" : "false";
    case json::Value::Kind::Number: return v.text;
    case json::Value::Kind::String: return json::quote(v.text);
    case json::Value::Kind::Array: {
        std::string out = "[";
        for (std::size_t k = 0; k < v.items.size(); ++k)
            out += (k ? "," : "") + textOf(v.items[k]);
        return out + "]";
    }
    case json::Value::Kind::Object: {
        std::string out = "{";
        for (std::size_t k = 0; k < v.members.size(); ++k)
            out += (k ? "," : "") + json::quote(v.members[k].first) + ":" + textOf(v.members[k].second);
        return out + "}";
    }
    }
    return "null";
}

// The frequency's keys added to (or replacing, as L with its internal
// inductance) those of the analysis.
std::optional<Problem> addFrequency(const Design& design, const Frequency& at, const LossSolution* solved,
                                    Answer& out)
{
    LineArgs line;
    line.structure = design.info().name;
    line.design = design;
    if (at.project) {
        if (const std::string why = lossesOf(design, at.losses, line.losses); !why.empty())
            return Problem{Message, why};
    } else if (auto p = readLosses(at.losses, line)) {
        return p;
    }
    SolvedLine s;
    if (solved) {
        const LossFrame frame = designLossFrame(design);
        LineModel limits;
        limits.fMax = quasiStaticLimit(frame, line.losses.unit);
        if (const std::string why = invalidFrequency(limits, at.f); !why.empty())
            return Problem{Message, why};
        std::string failure;
        s.model = lineModel(*solved, line.losses, failure);
        if (!failure.empty())
            return Problem{Message, failure};
    } else if (auto p = solveLine(line, {at.f}, s)) {
        return p;
    }
    out.pairs.emplace_back("f_Hz", number(at.f));
    for (auto& [key, value] : frequencyPairs(evaluate(s.model, at.f))) {
        bool replaced = false;
        for (auto& [k, v] : out.pairs)
            if (k == key) {
                v = value;
                replaced = true;
            }
        if (!replaced)
            out.pairs.emplace_back(key, value);
    }
    out.pairs.emplace_back("R_error_percent", number(100 * s.model.surfaceError));
    return std::nullopt;
}

// Analysis or synthesis of a project (and the line at a frequency).
Answer answer(const DesignProject& project, const std::optional<Frequency>& frequency = std::nullopt)
{
    Answer out;
    Design design;
    out.refusal = designOf(project, design);
    if (!out.refusal.empty()) {
        out.exit = Message;
        return out;
    }
    const TemplateInfo& info = design.info();
    out.pairs = {{"structure", json::quote(info.name)}, {"unit", json::quote(unitName(project.unit))}};
    Analysis a;
    int solves = 0;
    double seconds = 0;
    std::optional<LossSolution> losses;
    Design found = design;
    if (project.targets.empty() && frequency) {
        // One solve gives the analysis and the losses' quantities.
        losses = solveLosses(designSection(design), designLossFrame(design));
        a = analysisOf(design, losses->statics);
        solves = a.solves;
        seconds = a.seconds;
    } else if (project.targets.empty()) {
        a = analyse(design);
        solves = a.solves;
        seconds = a.seconds;
    } else {
        out.refusal = checkSynthesis(design, project.targets, project.vary);
        if (!out.refusal.empty()) {
            out.exit = Message;
            return out;
        }
        const Synthesis s = synthesise(design, project.targets, project.vary);
        if (!s.analysis.ok) {
            out.refusal = s.failure;
            out.exit = Fault;
            return out;
        }
        for (const std::string& name : s.varied)
            out.pairs.emplace_back(name, dimension(s.design[name], project.unit));
        a = s.analysis;
        found = s.design;
        solves = s.solves;
        seconds = s.seconds;
        if (!s.ok) {
            // The nearest reachable answer is printed, with the reason.
            out.notice = s.failure;
            out.exit = Message;
        }
    }
    if (!a.ok) {
        out.refusal = "a solução de campo falhou: " + a.failure;
        out.exit = Fault;
        return out;
    }
    for (auto& p : resultPairs(a))
        out.pairs.push_back(std::move(p));
    if (frequency) {
        // After a synthesis, the design found is solved again with the
        // losses' quantities.
        if (auto p = addFrequency(found, *frequency, losses ? &*losses : nullptr, out)) {
            Answer refused;
            refused.exit = p->exit;
            refused.refusal = p->text;
            return refused;
        }
    }
    out.pairs.emplace_back("seconds", fixed(seconds, 3));
    out.pairs.emplace_back("solves", std::to_string(solves));
    if (!a.converged && out.notice.empty()) {
        out.notice = "solução de campo não alcançada: a malha chegou ao seu limite com erro estimado de "
                     + fixed(100 * a.error, 4) + " %";
        out.exit = NotReached;
    }
    return out;
}

std::string jsonOf(const Answer& a)
{
    json::ObjectWriter w;
    if (!a.refusal.empty())
        return w.string("error", a.refusal).finish();
    for (const auto& [key, value] : a.pairs)
        w.raw(key, value);
    if (!a.notice.empty())
        w.string("warning", a.notice);
    return w.finish();
}

Run runOf(const Answer& a, bool asJson)
{
    Run r;
    r.exit = a.exit;
    if (!a.refusal.empty()) {
        r.err = "tarvel-calc: " + a.refusal + "\n";
        if (asJson)
            r.out = jsonOf(a) + "\n";
        return r;
    }
    if (asJson) {
        r.out = jsonOf(a) + "\n";
    } else {
        for (const auto& [key, value] : a.pairs) {
            const bool quoted = value.size() >= 2 && value.front() == '"';
            r.out += key + "=" + (quoted ? json::parse(value).value.text : value) + "\n";
        }
    }
    if (!a.notice.empty())
        r.err += "tarvel-calc: " + a.notice + "\n";
    return r;
}

// "Z0e=60,Z0o=40" -> targets.
std::string targetsOf(const std::string& text, std::vector<Target>& out)
{
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        const std::string item = text.substr(from, comma - from);
        const std::size_t eq = item.find('=');
        Quantity q;
        if (eq == std::string::npos || !quantityNamed(item.substr(0, eq), q))
            return "--target espera Z0=valor, Zdiff=valor ou Z0e=valor,Z0o=valor; veio \"" + item + "\"";
        const double v = double(readNumber(item.substr(eq + 1)));
        if (!(std::isfinite(v) && v > 0))
            return "O alvo " + item.substr(0, eq) + " tem de ser um número positivo: \"" + item.substr(eq + 1)
                   + "\".";
        out.push_back({q, v});
        from = comma + 1;
    }
    return {};
}

std::vector<std::string> namesOf(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        out.push_back(text.substr(from, comma - from));
        from = comma + 1;
    }
    return out;
}

} // namespace

std::string fieldBatchLine(std::string_view line) { return fieldBatchLine(line, {}); }

std::string fieldBatchLine(std::string_view line, const FieldBatchDefaults& defaults)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    // A line's own frequency, "freq" (a number or its text), is the batch's
    // and not the project's: it is taken out before the project is read.
    std::optional<double> freq = defaults.freq;
    std::string rest;
    const json::Parsed parsed = json::parse(line);
    if (parsed.ok && parsed.value.kind == json::Value::Kind::Object && parsed.value.find("freq")) {
        json::Value object = parsed.value;
        object.members.clear();
        for (const auto& [key, member] : parsed.value.members) {
            if (key != "freq") {
                object.members.emplace_back(key, member);
                continue;
            }
            if (member.kind != json::Value::Kind::Number && member.kind != json::Value::Kind::String)
                return errorJson("\"freq\" tem de ser um número");
            double f = 0;
            if (const std::string why = frequencyOf(member.text, f); !why.empty())
                return errorJson(why);
            freq = f;
        }
        rest = textOf(object);
        line = rest;
    }
    DesignProject project;
    const std::string why = readDesignProject(line, project, true);
    if (!why.empty())
        return errorJson(why);
    const Texts losses = overridden(defaults.losses, takeLosses(project));
    if (!freq)
        return jsonOf(answer(project));
    return jsonOf(answer(project, Frequency{*freq, losses, true}));
}

Run fieldForm(const std::vector<std::string>& argsIn)
{
    std::vector<std::string> args;
    const bool asJson = withoutJson(argsIn, args);
    if (args.size() < 2)
        return usage("field pede uma estrutura (" + [] {
            std::string names;
            for (const TemplateInfo& t : templates())
                names += (names.empty() ? "" : ", ") + t.name;
            return names;
        }() + ") ou --file PROJETO");
    DesignProject project;
    if (args[1] == "--file" || args[1].rfind("--file=", 0) == 0) {
        std::string path = args[1] == "--file" ? (args.size() > 2 ? args[2] : "") : args[1].substr(7);
        const std::size_t used = args[1] == "--file" ? 3 : 2;
        if (path.empty())
            return usage("--file pede o nome de um projeto de linha");
        // After the project: its frequency and loss parameters.
        std::optional<std::string> freq;
        Texts losses;
        for (std::size_t i = used; i < args.size(); ++i) {
            const std::string& a = args[i];
            if (a == "--freq" || a.rfind("--freq=", 0) == 0) {
                if (freq)
                    return usage("--freq dado duas vezes");
                if (a == "--freq" && i + 1 >= args.size())
                    return usage("--freq pede um valor");
                freq = a == "--freq" ? args[++i] : a.substr(7);
                continue;
            }
            const std::size_t eq = a.find('=');
            if (eq == std::string::npos || eq == 0 || !lossParameter(a.substr(0, eq)))
                return usage("argumento a mais para field --file: \"" + a + "\"");
            losses.emplace_back(a.substr(0, eq), a.substr(eq + 1));
        }
        if (!losses.empty() && !freq)
            return usage("os parâmetros de perda (" + losses.front().first + ", ...) pedem --freq");
        std::optional<Frequency> frequency;
        if (freq) {
            double f = 0;
            if (const std::string why = frequencyOf(*freq, f); !why.empty())
                return problem({Message, why}, asJson);
            frequency = Frequency{f, losses};
        }
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return problem({FileError, "não foi possível ler \"" + path + "\""}, asJson);
        std::string text;
        text.resize(kProjectMaxBytes + 1);
        in.read(text.data(), std::streamsize(text.size()));
        text.resize(std::size_t(in.gcount()));
        const std::string why = readDesignProject(text, project);
        if (!why.empty())
            return problem({FileError, "\"" + path + "\": " + why}, asJson);
        // The project's own loss parameters, those of the command line in
        // their place.
        const Texts own = takeLosses(project);
        if (frequency) {
            frequency->losses = overridden(own, frequency->losses);
            frequency->project = true;
        }
        return runOf(answer(project, frequency), asJson);
    }
    const TemplateInfo* info = templateNamed(args[1]);
    if (!info)
        return usage("estrutura desconhecida: \"" + args[1] + "\" (veja: tarvel-calc --help)");
    project.structure = info->kind;
    std::string target, vary, freq;
    bool haveTarget = false, haveVary = false, haveFreq = false;
    Texts losses;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& a = args[i];
        // "--target X" or "--target=X", and the same for --vary.
        std::string* value = nullptr;
        bool* have = nullptr;
        std::string option;
        for (const char* o : {"--target", "--vary", "--freq"})
            if (a == o || a.rfind(std::string(o) + "=", 0) == 0) {
                option = o;
                value = option == "--target" ? &target : option == "--vary" ? &vary : &freq;
                have = option == "--target" ? &haveTarget : option == "--vary" ? &haveVary : &haveFreq;
            }
        if (value) {
            if (*have)
                return usage(option + " dado duas vezes");
            if (a == option) {
                if (i + 1 >= args.size())
                    return usage(option + " pede um valor");
                *value = args[++i];
            } else {
                *value = a.substr(option.size() + 1);
            }
            *have = true;
            continue;
        }
        if (a.rfind("--", 0) == 0)
            return usage("opção desconhecida: " + a);
        const std::size_t eq = a.find('=');
        if (eq == std::string::npos || eq == 0)
            return usage("esperava nome=valor, veio \"" + a + "\"");
        const std::string name = a.substr(0, eq), text = a.substr(eq + 1);
        if (name == "unit") {
            const auto u = unitNamed(text);
            if (!u)
                return problem({Message, "O campo unit tem de ser mm ou mil: \"" + text + "\"."}, asJson);
            project.unit = *u;
        } else if (lossParameter(name)) {
            losses.emplace_back(name, text);
        } else {
            project.parameters.emplace_back(name, text);
        }
    }
    if (haveTarget != haveVary)
        return usage("--target e --vary vão juntos");
    if (haveTarget) {
        const std::string why = targetsOf(target, project.targets);
        if (!why.empty())
            return problem({Message, why}, asJson);
        project.vary = namesOf(vary);
    }
    if (!losses.empty() && !haveFreq)
        return usage("os parâmetros de perda (" + losses.front().first + ", ...) pedem --freq");
    std::optional<Frequency> frequency;
    if (haveFreq) {
        double f = 0;
        if (const std::string why = frequencyOf(freq, f); !why.empty())
            return problem({Message, why}, asJson);
        frequency = Frequency{f, losses};
    }
    return runOf(answer(project, frequency), asJson);
}

int runFieldBatch(int inputFd, std::FILE* out)
{
    return runLines(inputFd, out, [](std::string_view line) { return fieldBatchLine(line); });
}

int runFieldBatch(int inputFd, std::FILE* out, const std::vector<std::string>& args)
{
    FieldBatchDefaults defaults;
    auto refuse = [](int exit, const std::string& text) {
        std::fprintf(stderr, "tarvel-calc: %s\n", text.c_str());
        return exit;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((i == 0 && a == "field") || a == "--batch" || a == "--json")
            continue;
        if (a == "--freq" || a.rfind("--freq=", 0) == 0) {
            if (defaults.freq)
                return refuse(Usage, "--freq dado duas vezes");
            if (a == "--freq" && i + 1 >= args.size())
                return refuse(Usage, "--freq pede um valor");
            double f = 0;
            if (const std::string why = frequencyOf(a == "--freq" ? args[++i] : a.substr(7), f); !why.empty())
                return refuse(Message, why);
            defaults.freq = f;
            continue;
        }
        const std::size_t eq = a.find('=');
        if (eq == std::string::npos || eq == 0 || !lossParameter(a.substr(0, eq)))
            return refuse(Usage, "field --batch lê a entrada padrão e leva só --freq F e parâmetros de perda; veio \""
                                     + a + "\"");
        defaults.losses.emplace_back(a.substr(0, eq), a.substr(eq + 1));
    }
    return runLines(inputFd, out, [&](std::string_view line) { return fieldBatchLine(line, defaults); });
}

} // namespace tarvel::cli
