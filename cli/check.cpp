// SPDX-License-Identifier: GPL-3.0-or-later
#include "check.h"

#include "shared.h"

#include <algorithm>
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

// A number with `decimals` decimals, or in powers of ten where that would
// make a long row of digits (a huge value; with `small`, also one that its
// decimals would show as zero); a value that is no number shows as a dash.
std::string readable(double v, int decimals, bool small = false)
{
    if (!std::isfinite(v))
        return "\u2014";
    const double a = std::fabs(v);
    if (a < 1e9 && (!small || a == 0 || a >= 1e-3))
        return fixed(v, decimals);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", decimals, v);
    return buf;
}

std::string signedPercent(double v)
{
    const std::string r = readable(v, 3);
    return (v >= 0 ? "+" : "") + r + " %";
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

// The width of a text as shown: its UTF-8 code points.
std::size_t shownWidth(const std::string& text)
{
    std::size_t n = 0;
    for (unsigned char c : text)
        n += (c & 0xC0) != 0x80;
    return n;
}

// A row of the comparison table: the first column left-aligned in 18
// characters, the others right-aligned in 12, counted as shown.
std::string tableLine(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::size_t width = i == 0 ? 18 : 12;
        const std::string pad(width - std::min(width, shownWidth(cells[i])), ' ');
        line += i == 0 ? cells[i] + pad : " " + pad + cells[i];
    }
    return line + "\n";
}

std::string jsonNumber(double v) { return std::isfinite(v) ? readable(v, 6) : "null"; }

// Whether the field solve reached its tolerance before the mesh's limit.
bool reached(const fieldsolve::Solution& s) { return s.converged; }

bool finiteField(const fieldsolve::WindowCheck& c)
{
    for (const auto& row : c.rows)
        if (!std::isfinite(row.field))
            return false;
    return true;
}

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
    if (plan.kind != CheckPlan::Kind::Ready) {
        r.exit = plan.kind == CheckPlan::Kind::Fault ? Fault : Message;
        const char* key = plan.kind == CheckPlan::Kind::Fault ? "fault" : "message";
        if (asJson)
            r.out = json::ObjectWriter().string("window", d->className).string(key, plan.message).finish() + "\n";
        else
            r.out = std::string(key) + ": " + plan.message + "\n";
        return r;
    }
    return checkAnswer(*d, fieldsolve::runCheck(plan), asJson);
}

Run checkAnswer(const WindowDescription& d, const fieldsolve::WindowCheck& c, bool asJson)
{
    Run r;
    const CheckPlan& plan = c.plan;
    const Structure s = plan.geometry.structure;
    const std::string title = d.className + " (" + d.unit + ")";
    if (!c.solution.ok || !finiteField(c)) {
        // No field values: the mesh's limit came before any estimate.
        r.exit = !c.formulaFault().empty() ? Fault : NotReached;
        const std::string text = "a solução de campo falhou: " +
                                 (c.solution.ok ? std::string("valores não finitos") : c.solution.failure);
        if (asJson)
            r.out = json::ObjectWriter().string("window", d.className).string("error", text).finish() + "\n";
        else
            r.err = "tarvel-calc: " + text + "\n";
        return r;
    }
    const fieldsolve::Solution& sol = c.solution;
    // A faulted formula outranks a field that stopped short of its tolerance.
    r.exit = !c.formulaFault().empty() ? Fault : reached(sol) ? Ok : NotReached;
    if (asJson) {
        json::ObjectWriter geometry;
        for (const auto& [name, v] : geometryLines(plan.geometry))
            geometry.raw(name, jsonNumber(v));
        std::string rows = "[";
        for (const auto& row : c.rows) {
            json::ObjectWriter w;
            w.string("quantity", row.name).string("unit", row.unit);
            w.raw("formula", row.hasFormula ? jsonNumber(row.formula) : "null").raw("field", jsonNumber(row.field));
            w.raw("difference_percent", row.hasFormula ? jsonNumber(row.differencePercent) : "null");
            rows += (rows.size() > 1 ? "," : "") + w.finish();
        }
        json::ObjectWriter w;
        w.string("window", d.className).string("structure", sectionName(s));
        if (!c.formulaFault().empty())
            w.string("fault", c.formulaFault());
        w.raw("geometry", geometry.finish()).raw("checks", rows + "]");
        w.raw("converged", reached(sol) ? "true" : "false");
        w.raw("error_percent", jsonNumber(100 * sol.error)).raw("box_error_percent", jsonNumber(100 * sol.boxError));
        w.raw("seconds", jsonNumber(sol.seconds)).raw("nodes", std::to_string(sol.nodes));
        w.raw("meshes", std::to_string(sol.levels));
        r.out = w.finish() + "\n";
        return r;
    }
    std::string& o = r.out;
    o += "Janela: " + title + " - " + sectionName(s) + "\n";
    o += "Geometria (mm):";
    for (const auto& [name, v] : geometryLines(plan.geometry))
        o += "  " + name + " = " + readable(v, 4, true);
    o += "\n";
    o += tableLine({"Grandeza", "Fórmula", "Campo", "Diferença"});
    const std::string none = "\u2014";
    for (const auto& row : c.rows) {
        const std::string name = row.unit.empty() ? row.name : row.name + " (" + row.unit + ")";
        o += tableLine({name, row.hasFormula ? readable(row.formula, 4) : none, readable(row.field, 4),
                        row.hasFormula ? signedPercent(row.differencePercent) : none});
    }
    if (!c.formulaFault().empty())
        o += "fault: " + c.formulaFault() + "\nA fórmula da janela parou nessa falha; o campo resolve a seção "
             "assim mesmo.\n";
    if (homogeneousSection(plan.section))
        o += "eeff = er: o dielétrico preenche toda a seção.\n";
    o += "Diferença = (fórmula - campo) / campo.\n";
    o += "Erro estimado da solução de campo: " + readable(100 * sol.error, 4) + " % (da caixa aberta: " +
         readable(100 * sol.boxError, 4) + " %)\n";
    if (!reached(sol))
        o += "Aviso: a malha chegou ao seu limite antes de o erro estimado ficar abaixo de 0.05 %.\n"
             "Solução de campo não alcançada: os valores acima são a melhor estimativa.\n";
    o += "Tempo da solução: " + fixed(sol.seconds, 3) + " s; malha mais fina: " + std::to_string(sol.nodes) +
         " nós; " + std::to_string(sol.levels) + " malhas\n";
    return r;
}

} // namespace tarvel::cli
