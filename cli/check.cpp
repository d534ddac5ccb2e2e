#include "shared.h"

#include <cmath>
#include <cstdio>

#include "fieldsolve/window_check.h"
#include "json.h"

namespace tarvel::cli {

namespace {

using fieldsolve::CheckPlan;
using fieldsolve::Geometry;
using fieldsolve::Structure;

std::string fixed(double v, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string signedPercent(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%+.3f %%", v);
    return buf;
}

// The lengths that describe a structure's cross-section, in mm.
std::vector<std::pair<std::string, double>> geometryLines(const Geometry& g)
{
    switch (g.structure) {
    case Structure::TwoWire:
        return {{"d (diâmetro)", g.d}, {"S (centro a centro)", g.D}, {"er", g.er}};
    case Structure::Coax: return {{"2a", g.d}, {"2b", g.D}, {"er", g.er}};
    case Structure::Microstrip: return {{"W", g.w}, {"H", g.h}, {"t", g.t}, {"er", g.er}};
    case Structure::Stripline: return {{"W", g.w}, {"b", g.h}, {"t", g.t}, {"er", g.er}};
    case Structure::Slotline: return {{"W (fenda)", g.s}, {"H", g.h}, {"er", g.er}};
    case Structure::Cpw:
        return {{"W (fita)", g.w}, {"S (fenda)", g.s}, {"H", g.h}, {"t", g.t}, {"er", g.er}};
    case Structure::Cps:
        return {{"W (fitas)", g.w}, {"S (separação)", g.s}, {"H", g.h}, {"t", g.t}, {"er", g.er}};
    case Structure::CoupledMicrostrip:
        return {{"W", g.w}, {"S", g.s}, {"H", g.h}, {"t", g.t}, {"er", g.er}};
    case Structure::CoupledStripline:
        return {{"W", g.w}, {"S", g.s}, {"b", g.h}, {"t", g.t}, {"er", g.er}};
    }
    return {};
}

bool homogeneous(Structure s)
{
    return s == Structure::TwoWire || s == Structure::Coax || s == Structure::Stripline ||
           s == Structure::CoupledStripline;
}

std::string jsonNumber(double v) { return std::isfinite(v) ? fixed(v, 6) : "null"; }

} // namespace

Run checkForm(const std::vector<std::string>& argsIn)
{
    std::vector<std::string> args;
    const bool asJson = withoutJson(argsIn, args);
    Run r;
    FieldTexts fields;
    const WindowDescription* d = windowTexts(args, 1, asJson, fields, r);
    if (!d)
        return r;
    const CheckPlan plan = fieldsolve::planCheck(*d, fields);
    const std::string title = d->className + " (" + d->unit + ")";
    if (plan.kind != CheckPlan::Kind::Ready) {
        r.exit = plan.kind == CheckPlan::Kind::Fault ? Fault : Message;
        const char* key = plan.kind == CheckPlan::Kind::Fault ? "fault" : "message";
        if (asJson)
            r.out = json::ObjectWriter().string("window", d->className).string(key, plan.message).finish() + "\n";
        else
            r.out = std::string(key) + ": " + plan.message + "\n";
        return r;
    }
    const fieldsolve::WindowCheck c = fieldsolve::runCheck(plan);
    const Structure s = plan.geometry.structure;
    if (!c.solution.ok) {
        r.exit = Fault;
        const std::string text = "a solução de campo falhou: " + c.solution.failure;
        if (asJson)
            r.out = json::ObjectWriter().string("window", d->className).string("error", text).finish() + "\n";
        else
            r.err = "tarvel-calc: " + text + "\n";
        return r;
    }
    const fieldsolve::Solution& sol = c.solution;
    if (asJson) {
        json::ObjectWriter geometry;
        for (const auto& [name, v] : geometryLines(plan.geometry))
            geometry.raw(name, jsonNumber(v));
        std::string rows = "[";
        for (const auto& row : c.rows) {
            json::ObjectWriter w;
            w.string("quantity", row.name).string("unit", row.unit);
            w.raw("formula", jsonNumber(row.formula)).raw("field", jsonNumber(row.field));
            w.raw("difference_percent", jsonNumber(row.differencePercent));
            rows += (rows.size() > 1 ? "," : "") + w.finish();
        }
        json::ObjectWriter w;
        w.string("window", d->className).string("structure", fieldsolve::structureName(s));
        w.raw("geometry", geometry.finish()).raw("checks", rows + "]");
        w.raw("error_percent", jsonNumber(100 * sol.error)).raw("box_error_percent", jsonNumber(100 * sol.boxError));
        w.raw("seconds", jsonNumber(sol.seconds)).raw("nodes", std::to_string(sol.nodes));
        w.raw("meshes", std::to_string(sol.levels));
        r.out = w.finish() + "\n";
        return r;
    }
    std::string& o = r.out;
    o += "Janela: " + title + " - " + fieldsolve::structureName(s) + "\n";
    o += "Geometria (mm):";
    for (const auto& [name, v] : geometryLines(plan.geometry))
        o += "  " + name + " = " + fixed(v, 4);
    o += "\n";
    char line[160];
    std::snprintf(line, sizeof line, "%-18s %12s %12s %12s\n", "Grandeza", "Fórmula", "Campo", "Diferença");
    o += line;
    for (const auto& row : c.rows) {
        const std::string name = row.unit.empty() ? row.name : row.name + " (" + row.unit + ")";
        std::snprintf(line, sizeof line, "%-18s %12s %12s %12s\n", name.c_str(), fixed(row.formula, 4).c_str(),
                      fixed(row.field, 4).c_str(), signedPercent(row.differencePercent).c_str());
        o += line;
    }
    if (homogeneous(s))
        o += "eeff = er: o dielétrico preenche toda a seção.\n";
    o += "Diferença = (fórmula - campo) / campo.\n";
    o += "Erro estimado da solução de campo: " + fixed(100 * sol.error, 4) + " % (da caixa aberta: " +
         fixed(100 * sol.boxError, 4) + " %)\n";
    if (sol.error > 5e-4)
        o += "Aviso: a malha chegou ao seu limite antes de o erro estimado ficar abaixo de 0.05 %.\n";
    o += "Tempo da solução: " + fixed(sol.seconds, 3) + " s; malha mais fina: " + std::to_string(sol.nodes) +
         " nós; " + std::to_string(sol.levels) + " malhas\n";
    return r;
}

} // namespace tarvel::cli
