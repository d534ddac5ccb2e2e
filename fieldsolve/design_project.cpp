// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_project.h"

#include <algorithm>
#include <cmath>

#include "design_losses.h"

#include "framework/core/json.h"
#include "framework/core/number_text.h"

namespace tarvel::fieldsolve {

namespace {

using json::Value;

// A value given as a text or as a JSON number: its text.
bool textOf(const Value& v, std::string& out)
{
    if (v.kind != Value::Kind::String && v.kind != Value::Kind::Number)
        return false;
    out = v.text;
    return true;
}

constexpr double kMicron = 1e-6;

// The loss parameters, what they are and their units.
struct LossParameter {
    const char* name;
    const char* label;
    const char* unit;
};
const LossParameter kLossParameters[] = {
    {"tand", "tanδ de er", ""},
    {"tand1", "tanδ de er1", ""},
    {"tand2", "tanδ de er2", ""},
    {"ctand", "tanδ de cer", ""},
    {"sigma", "condutividade do metal", "S/m"},
    {"roughness", "modelo de rugosidade", ""},
    {"rq", "rugosidade rms", "µm"},
    {"rnod", "raio das esferas", "µm"},
    {"sr", "razão de superfície", ""},
};

const LossParameter* lossParameter(std::string_view name)
{
    for (const LossParameter& p : kLossParameters)
        if (name == p.name)
            return &p;
    return nullptr;
}

std::string lossField(const std::string& name) { return "O campo " + name + " (" + lossLabel(name) + ")"; }

} // namespace

std::vector<std::string> lossNames(Template kind)
{
    std::vector<std::string> out = templateTandNames(kind);
    for (const char* name : {"sigma", "roughness", "rq", "rnod", "sr"})
        out.emplace_back(name);
    return out;
}

std::string lossLabel(std::string_view name)
{
    const LossParameter* p = lossParameter(name);
    return p ? p->label : "";
}

std::string lossUnit(std::string_view name)
{
    const LossParameter* p = lossParameter(name);
    return p ? p->unit : "";
}

const std::vector<std::string>& roughnessNames()
{
    static const std::vector<std::string> names = {"none", "hammerstad", "huray"};
    return names;
}

std::string readLineLosses(const std::vector<std::string>& tandNames,
                           const std::vector<std::pair<std::string, std::string>>& texts, LineLosses& out)
{
    std::vector<std::pair<std::string, std::string>> given;
    for (const auto& [name, text] : texts)
        if (text.find_first_not_of(" \t") != std::string::npos)
            given.emplace_back(name, text);
    auto textOf = [&](const std::string& name) -> const std::string* {
        for (const auto& [n, t] : given)
            if (n == name)
                return &t;
        return nullptr;
    };
    // A number, or the reason it is not one.
    std::string why;
    auto read = [&](const std::string& name, double absent, bool positive) {
        const std::string* t = textOf(name);
        if (!t || !why.empty())
            return absent;
        const double v = double(readNumber(*t));
        if (std::isnan(v))
            why = lossField(name) + " não é um número: \"" + *t + "\".";
        else if (!std::isfinite(v))
            why = lossField(name) + " não é um número finito.";
        else if (positive ? !(v > 0) : v < 0)
            why = lossField(name) + (positive ? " tem de ser positivo." : " não pode ser negativo.");
        return v;
    };
    LineLosses in;
    for (const std::string& name : tandNames)
        in.tands.emplace_back(name, read(name, 0, false));
    MetalLoss& metal = in.metal;
    metal.sigma = read("sigma", metal.sigma, true);
    const std::string* model = textOf("roughness");
    const std::string roughness = model ? *model : "none";
    if (why.empty()) {
        if (roughness == "hammerstad") {
            metal.roughness = Roughness::Hammerstad;
            metal.rq = read("rq", 0, false) * kMicron;
        } else if (roughness == "huray") {
            metal.roughness = Roughness::Huray;
            metal.nodule = read("rnod", metal.nodule / kMicron, true) * kMicron;
            metal.ratio = read("sr", 0, false);
        } else if (roughness != "none") {
            why = lossField("roughness") + " tem de ser none, hammerstad ou huray: \"" + roughness + "\".";
        }
    }
    if (!why.empty())
        return why;
    out = in;
    return {};
}

std::string lossesOf(const Design& design, const std::vector<std::pair<std::string, std::string>>& texts,
                     LossInputs& out)
{
    const std::vector<std::string> names = lossNames(design.kind);
    for (const auto& [name, text] : texts)
        if (std::find(names.begin(), names.end(), name) == names.end())
            return "O campo " + name + " não é uma perda de " + design.info().name + ".";
    LineLosses read;
    if (std::string why = readLineLosses(templateTandNames(design.kind), texts, read); !why.empty())
        return why;
    // Each layer of the solved section takes its name's loss tangent.
    out = designLossInputs(design, {read.metal, read.metal}, read.tands);
    return {};
}

bool quantityNamed(std::string_view name, Quantity& out)
{
    for (const Quantity q : {Quantity::Z0, Quantity::Zdiff, Quantity::Z0e, Quantity::Z0o})
        if (name == quantityName(q)) {
            out = q;
            return true;
        }
    return false;
}

std::string readDesignProject(std::string_view text, DesignProject& out, bool versionOptional)
{
    if (text.size() > kProjectMaxBytes)
        return "O arquivo é grande demais para um projeto de linha (mais de "
               + std::to_string(kProjectMaxBytes >> 20) + " MiB).";
    const json::Parsed parsed = json::parse(text);
    if (!parsed.ok)
        return "O arquivo está danificado ou incompleto: " + parsed.error + ".";
    const Value& v = parsed.value;
    if (v.kind != Value::Kind::Object)
        return "O arquivo não é um projeto de linha: o texto não é um objeto JSON.";
    const Value *format = nullptr, *version = nullptr, *structure = nullptr, *unit = nullptr,
                *parameters = nullptr, *target = nullptr, *vary = nullptr, *losses = nullptr;
    for (const auto& [key, member] : v.members) {
        const Value** slot = key == "format"       ? &format
                             : key == "version"    ? &version
                             : key == "structure"  ? &structure
                             : key == "unit"       ? &unit
                             : key == "parameters" ? &parameters
                             : key == "target"     ? &target
                             : key == "vary"       ? &vary
                             : key == "losses"     ? &losses
                                                   : nullptr;
        if (!slot)
            return "O projeto tem um membro desconhecido: \"" + key + "\".";
        if (*slot)
            return "O projeto repete o membro \"" + key + "\".";
        *slot = &member;
    }
    if (format || !versionOptional) {
        if (!format || format->kind != Value::Kind::String || format->text != kProjectFormat)
            return std::string("O arquivo não é um projeto de linha (\"format\" tem de ser \"") + kProjectFormat
                   + "\").";
    }
    if (version || !versionOptional) {
        if (!version || version->kind != Value::Kind::Number)
            return "O projeto não diz a versão do seu formato (\"version\").";
        const double n = double(readNumber(version->text));
        if (!(n >= 1 && n <= kProjectVersion && n == std::floor(n)))
            return "O projeto está na versão " + version->text + " do formato, que este programa não conhece (ele lê a versão "
                   + std::to_string(kProjectVersion) + ").";
        if (losses && n < kProjectLossesVersion)
            return "O projeto na versão " + version->text + " do formato não tem \"losses\" (as perdas vêm com a versão "
                   + std::to_string(kProjectLossesVersion) + ").";
    }
    DesignProject p;
    if (!structure || structure->kind != Value::Kind::String)
        return "Falta a estrutura do projeto (\"structure\").";
    const TemplateInfo* info = templateNamed(structure->text);
    if (!info)
        return "Estrutura desconhecida: \"" + structure->text + "\".";
    p.structure = info->kind;
    if (unit) {
        const auto u = unit->kind == Value::Kind::String ? unitNamed(unit->text) : std::nullopt;
        if (!u)
            return "A unidade do projeto (\"unit\") tem de ser \"mm\" ou \"mil\".";
        p.unit = *u;
    }
    if (parameters) {
        if (parameters->kind != Value::Kind::Object)
            return "\"parameters\" tem de ser um objeto.";
        for (const auto& [name, value] : parameters->members) {
            std::string t;
            if (!textOf(value, t))
                return "O valor do campo " + name + " tem de ser um texto ou um número.";
            p.parameters.emplace_back(name, t);
        }
    }
    if (bool(target) != bool(vary))
        return "\"target\" e \"vary\" vão juntos.";
    if (target) {
        if (target->kind != Value::Kind::Object)
            return "\"target\" tem de ser um objeto, como {\"Z0\": 50}.";
        for (const auto& [name, value] : target->members) {
            Quantity q;
            if (!quantityNamed(name, q))
                return "Alvo desconhecido: \"" + name + "\" (os alvos são Z0, Zdiff, Z0e e Z0o).";
            std::string t;
            if (!textOf(value, t))
                return "O alvo " + name + " tem de ser um número.";
            const double z = double(readNumber(t));
            if (!(std::isfinite(z) && z > 0))
                return "O alvo " + name + " tem de ser um número positivo: \"" + t + "\".";
            p.targets.push_back({q, z});
        }
        const auto name = [](const Value& x, std::string& out) {
            if (x.kind != Value::Kind::String)
                return false;
            out = x.text;
            return true;
        };
        std::string one;
        if (vary->kind == Value::Kind::Array) {
            for (const Value& item : vary->items) {
                if (!name(item, one))
                    return "\"vary\" tem de ser uma lista de nomes de dimensões.";
                p.vary.push_back(one);
            }
        } else if (name(*vary, one)) {
            p.vary.push_back(one);
        } else {
            return "\"vary\" tem de ser uma lista de nomes de dimensões.";
        }
    }
    if (losses) {
        if (losses->kind != Value::Kind::Object)
            return "\"losses\" tem de ser um objeto, como {\"tand\": \"0.02\"}.";
        const std::vector<std::string> names = lossNames(p.structure);
        for (const auto& [name, value] : losses->members) {
            if (std::find(names.begin(), names.end(), name) == names.end())
                return "O campo " + name + " não é uma perda de " + info->name + ".";
            for (const auto& [seen, text] : p.losses)
                if (seen == name)
                    return "O projeto repete a perda \"" + name + "\".";
            std::string t;
            if (!textOf(value, t))
                return "O valor do campo " + name + " tem de ser um texto ou um número.";
            p.losses.emplace_back(name, t);
        }
    }
    out = std::move(p);
    return {};
}

std::string writeDesignProject(const DesignProject& p)
{
    std::string o = "{\n";
    o += "  \"format\": " + json::quote(kProjectFormat) + ",\n";
    o += "  \"version\": " + std::to_string(kProjectVersion) + ",\n";
    o += "  \"structure\": " + json::quote(templateInfo(p.structure).name) + ",\n";
    o += "  \"unit\": " + json::quote(unitName(p.unit)) + ",\n";
    o += "  \"parameters\": {";
    for (std::size_t i = 0; i < p.parameters.size(); ++i)
        o += (i ? ", " : "") + json::quote(p.parameters[i].first) + ": " + json::quote(p.parameters[i].second);
    o += "}";
    if (!p.targets.empty()) {
        o += ",\n  \"target\": {";
        for (std::size_t i = 0; i < p.targets.size(); ++i) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.17g", p.targets[i].value);
            o += (i ? ", " : "") + json::quote(quantityName(p.targets[i].quantity)) + ": " + buf;
        }
        o += "},\n  \"vary\": [";
        for (std::size_t i = 0; i < p.vary.size(); ++i)
            o += (i ? ", " : "") + json::quote(p.vary[i]);
        o += "]";
    }
    if (!p.losses.empty()) {
        o += ",\n  \"losses\": {";
        for (std::size_t i = 0; i < p.losses.size(); ++i)
            o += (i ? ", " : "") + json::quote(p.losses[i].first) + ": " + json::quote(p.losses[i].second);
        o += "}";
    }
    o += "\n}\n";
    return o;
}

std::string designOf(const DesignProject& project, Design& out)
{
    Design d;
    std::string why = readDesign(project.structure, project.unit, project.parameters, d);
    if (why.empty())
        why = checkDesign(d);
    if (why.empty())
        out = d;
    return why;
}

} // namespace tarvel::fieldsolve
