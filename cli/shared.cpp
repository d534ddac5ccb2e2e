// The helpers every verb of tarvel-calc shares: reading Campo=texto
// arguments against a window's inputs, and the answer in text or JSON.
#include "shared.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "framework/core/number_text.h"
#include "json.h"
#include "models/all_windows.h"

namespace tarvel::cli {
namespace {

// The input control a name given on the command line stands for: the exact
// name, else the one input whose name differs only in case.
const InputSpec* findInput(const WindowDescription& d, std::string_view name)
{
    if (const InputSpec* exact = d.input(std::string(name)))
        return exact;
    const InputSpec* found = nullptr;
    for (const auto& in : d.inputs)
        if (sameNoCase(in.name, name)) {
            if (found)
                return nullptr;
            found = &in;
        }
    return found;
}

// Results in the window's display order, as the window writes them: each
// result of the outcome goes to `put` once, as (name, text).
template <typename Put>
void forEachResult(const WindowDescription& d, const Outcome& o, Put put)
{
    // Most models give their results in the display order already.
    bool inOrder = o.results.size() == d.results.size();
    for (std::size_t i = 0; inOrder && i < o.results.size(); ++i)
        inOrder = o.results[i].first == d.results[i].name;
    if (inOrder) {
        for (const auto& [name, value] : o.results)
            put(name, resultText(value));
        return;
    }
    std::vector<bool> used(o.results.size(), false);
    for (const auto& r : d.results)
        for (std::size_t i = 0; i < o.results.size(); ++i)
            if (!used[i] && o.results[i].first == r.name) {
                put(r.name, resultText(o.results[i].second));
                used[i] = true;
                break;
            }
    for (std::size_t i = 0; i < o.results.size(); ++i)
        if (!used[i])
            put(o.results[i].first, resultText(o.results[i].second));
}

} // namespace

std::string windowTitle(const WindowDescription& d) { return d.className + " (" + d.unit + ")"; }

// Given texts with canonical control names, or the reason they are refused.
std::optional<Problem> canonicalTexts(const WindowDescription& d, const Texts& given, Texts& out)
{
    out.reserve(given.size());
    std::vector<const InputSpec*> seen;
    seen.reserve(given.size());
    for (const auto& [name, text] : given) {
        const InputSpec* input = findInput(d, name);
        if (!input)
            return Problem{Usage, "campo desconhecido em " + windowTitle(d) + ": \"" + name
                                      + "\" (veja: tarvel-calc fields " + d.className + ")"};
        if (std::find(seen.begin(), seen.end(), input) != seen.end())
            return Problem{Usage, "campo dado duas vezes: " + input->name};
        seen.push_back(input);
        out.emplace_back(input->name, text);
    }
    return std::nullopt;
}

int exitOf(const Outcome& o)
{
    switch (o.kind) {
    case Outcome::Kind::Results: return Ok;
    case Outcome::Kind::Message: return Message;
    case Outcome::Kind::Fault: return Fault;
    }
    return Fault;
}

void printOutcome(const WindowDescription& d, const Outcome& o, std::string& out)
{
    switch (o.kind) {
    case Outcome::Kind::Results:
        forEachResult(d, o, [&out](const std::string& name, const std::string& text) {
            out += name + "=" + text + "\n";
        });
        for (const auto& w : o.warnings)
            out += "warning: " + w + "\n";
        break;
    case Outcome::Kind::Message:
        out += "message: " + o.message + "\n";
        break;
    case Outcome::Kind::Fault:
        out += std::string("fault: ") + faultText(o.fault) + "\n";
        break;
    }
}

// The object of --json and of each batch line.
std::string outcomeJson(const WindowDescription& d, const FieldTexts& fields, const Outcome& o)
{
    json::ObjectWriter inputs;
    for (const auto& input : d.inputs) {
        const auto it = fields.find(input.name);
        inputs.string(input.name, it == fields.end() ? std::string_view() : std::string_view(it->second.text));
    }
    json::ObjectWriter w;
    w.string("window", d.className).raw("inputs", inputs.finish());
    switch (o.kind) {
    case Outcome::Kind::Results: {
        json::ObjectWriter results;
        forEachResult(d, o, [&results](const std::string& name, const std::string& text) { results.string(name, text); });
        w.raw("results", results.finish());
        break;
    }
    case Outcome::Kind::Message: w.string("message", o.message); break;
    case Outcome::Kind::Fault: w.string("fault", faultText(o.fault)); break;
    }
    std::string warnings = "[";
    for (const auto& text : o.warnings) {
        if (warnings.size() > 1)
            warnings += ',';
        json::appendQuoted(warnings, text);
    }
    w.raw("warnings", warnings + "]");
    return w.finish();
}

std::string errorJson(const std::string& reason) { return json::ObjectWriter().string("error", reason).finish(); }

Run usage(std::string text)
{
    Run r;
    r.exit = Usage;
    r.err = "tarvel-calc: " + text + "\nUse \"tarvel-calc --help\" para ver as formas de uso.\n";
    return r;
}

Run problem(const Problem& p, bool asJson)
{
    if (p.exit == Usage)
        return usage(p.text);
    Run r;
    r.exit = p.exit;
    if (asJson)
        r.out = errorJson(p.text) + "\n";
    else
        r.err = "tarvel-calc: " + p.text + "\n";
    return r;
}

// Splits "Control=text" arguments.
std::optional<Problem> assignments(const std::vector<std::string>& args, std::size_t from, Texts& out)
{
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::size_t eq = args[i].find('=');
        if (eq == std::string::npos || eq == 0)
            return Problem{Usage, "esperava Campo=texto, veio \"" + args[i] + "\""};
        out.emplace_back(args[i].substr(0, eq), args[i].substr(eq + 1));
    }
    return std::nullopt;
}

Problem unknownWindow(std::string_view name)
{
    return {Usage, "janela desconhecida: \"" + std::string(name) + "\" (veja: tarvel-calc list)"};
}

bool withoutJson(const std::vector<std::string>& args, std::vector<std::string>& rest)
{
    bool asJson = false;
    for (const auto& a : args) {
        if (a == "--json")
            asJson = true;
        else
            rest.push_back(a);
    }
    return asJson;
}

const WindowDescription* windowTexts(const std::vector<std::string>& args, std::size_t from, bool asJson,
                                     FieldTexts& fields, Run& refused)
{
    if (from >= args.size()) {
        refused = usage("falta o nome da janela");
        return nullptr;
    }
    const WindowDescription* d = findWindow(args[from]);
    if (!d) {
        refused = usage(unknownWindow(args[from]).text);
        return nullptr;
    }
    Texts given, canonical;
    auto p = assignments(args, from + 1, given);
    if (!p)
        p = canonicalTexts(*d, given, canonical);
    if (p) {
        refused = problem(*p, asJson);
        return nullptr;
    }
    fields = typedFields(*d, canonical);
    return d;
}

bool writeOut(std::FILE* out, const std::string& text)
{
    if (!text.empty())
        std::fwrite(text.data(), 1, text.size(), out);
    if (std::fflush(out) == 0 && !std::ferror(out))
        return true;
    std::fprintf(stderr, "tarvel-calc: não foi possível escrever a saída: %s\n", std::strerror(errno));
    return false;
}

} // namespace tarvel::cli
