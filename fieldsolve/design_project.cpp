#include "design_project.h"

#include <cmath>

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

} // namespace

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
                *parameters = nullptr, *target = nullptr, *vary = nullptr;
    for (const auto& [key, member] : v.members) {
        const Value** slot = key == "format"       ? &format
                             : key == "version"    ? &version
                             : key == "structure"  ? &structure
                             : key == "unit"       ? &unit
                             : key == "parameters" ? &parameters
                             : key == "target"     ? &target
                             : key == "vary"       ? &vary
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
        if (n != kProjectVersion)
            return "O projeto está na versão " + version->text + " do formato, que este programa não conhece (ele lê a versão "
                   + std::to_string(kProjectVersion) + ").";
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
