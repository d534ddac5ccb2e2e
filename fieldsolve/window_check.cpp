// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_check.h"

#include <cmath>
#include <functional>

namespace tarvel::fieldsolve {

namespace {

Geometry geometryOf(SectionKind k, const SectionLengths& l)
{
    Geometry g;
    g.structure = k;
    g.w = l.w;
    g.s = l.s;
    g.h = l.h;
    g.t = l.t;
    g.er = l.er;
    g.d = l.d;
    g.D = l.D;
    return g;
}

// The compared quantities of a kind of line: Z0, and eeff where the section
// is not filled by one dielectric; of a pair, both modes.
std::vector<Compared> rowsOf(SectionKind k, const LineFormula& f)
{
    const bool coupled = coupledSection(k), mixed = !homogeneousSection(k);
    std::vector<Compared> rows;
    auto row = [&](const char* name, const char* unit, const std::optional<double>& formula) {
        Compared c;
        c.name = name;
        c.unit = unit;
        c.hasFormula = formula.has_value();
        c.formula = formula.value_or(0);
        rows.push_back(c);
    };
    row(coupled ? "Z0 par" : "Z0", "Ohms", f.z0);
    if (coupled)
        row("Z0 ímpar", "Ohms", f.z0Odd);
    if (mixed)
        row(coupled ? "eeff par" : "eeff", "", f.eeff);
    if (mixed && coupled)
        row("eeff ímpar", "", f.eeffOdd);
    return rows;
}

} // namespace

const char* noQuasiStaticCheck()
{
    return "A SlotLine não tem modo TEM: seu campo não é quase-estático e a capacitância estática de dois "
           "semiplanos coplanares não é finita, por isso não há solução de campo quase-estática com que "
           "comparar as fórmulas desta janela.";
}

CheckPlan planCheck(const WindowDescription& d, const FieldTexts& fields)
{
    CheckPlan plan;
    if (!d.section.read) {
        plan.message = "Esta janela não descreve uma seção de linha para verificar.";
        return plan;
    }
    plan.section = d.section.kind;
    plan.geometry.structure = d.section.kind;
    if (!hasQuasiStaticCheck(plan.geometry.structure)) {
        plan.message = noQuasiStaticCheck();
        return plan;
    }
    const Outcome o = compute(d, fields);
    if (o.kind == Outcome::Kind::Message) {
        plan.kind = CheckPlan::Kind::Refused;
        plan.message = o.message;
        return plan;
    }
    const SectionReading reading = d.section.read(readInputs(d, fields), o.ok());
    if (o.kind == Outcome::Kind::Fault) {
        // The inputs passed the checks: an analysis still describes its
        // section, which the field solves without the formula's values.
        plan.fault = faultText(o.fault);
        if (!reading.lengths) {
            plan.kind = CheckPlan::Kind::Fault;
            plan.message = plan.fault;
            return plan;
        }
    }
    plan.geometry = geometryOf(d.section.kind, *reading.lengths);
    plan.rows = rowsOf(d.section.kind, reading.formula);
    const std::string invalid = invalidGeometry(plan.geometry);
    if (!invalid.empty()) {
        plan.kind = plan.fault.empty() ? CheckPlan::Kind::Nothing : CheckPlan::Kind::Fault;
        plan.message = plan.fault.empty() ? "A geometria desta janela não pode ser resolvida pelo campo: " + invalid + "."
                                          : plan.fault;
        return plan;
    }
    plan.kind = CheckPlan::Kind::Ready;
    return plan;
}

WindowCheck runCheck(const CheckPlan& plan, double tolerance, const std::atomic<bool>* cancel)
{
    WindowCheck c;
    c.plan = plan;
    if (plan.kind != CheckPlan::Kind::Ready)
        return c;
    c.solution = solve(plan.geometry, tolerance, {}, cancel);
    if (!c.solution.ok)
        return c;
    const Solution& s = c.solution;
    for (Compared r : plan.rows) {
        if (r.name == "Z0")
            r.field = s.single.z0;
        else if (r.name == "eeff")
            r.field = s.single.eeff;
        else if (r.name == "Z0 par")
            r.field = s.even.z0;
        else if (r.name == "Z0 ímpar")
            r.field = s.odd.z0;
        else if (r.name == "eeff par")
            r.field = s.even.eeff;
        else
            r.field = s.odd.eeff;
        if (r.hasFormula)
            r.differencePercent = 100 * (r.formula - r.field) / r.field;
        c.rows.push_back(r);
    }
    return c;
}

} // namespace tarvel::fieldsolve
