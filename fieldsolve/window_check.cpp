#include "window_check.h"

#include <cmath>
#include <functional>

namespace tarvel::fieldsolve {

namespace {

// Where a number comes from: an input control, a result of the window's
// model, or a copper-thickness box (a picked entry is in micrometres).
struct Source {
    enum Kind { None, Input, Result, Thickness, CoaxEr } kind = None;
    const char* name = nullptr;
};
Source in(const char* n) { return {Source::Input, n}; }
Source out(const char* n) { return {Source::Result, n}; }
Source thick(const char* n) { return {Source::Thickness, n}; }

struct Binding {
    const char* window;
    Structure structure;
    Source w, s, h, t, er, d, D;
    // Formula values: Z0 (even), Z0 odd, eeff (even), eeff odd.
    Source z0, z0odd, eeff, eeffOdd;
};

// The windows and the cross-sections they describe. The synthesis windows
// take the geometry they found and compare it with the impedance asked.
const std::vector<Binding>& bindings()
{
    using S = Structure;
    const Source no{};
    const Source coaxEr{Source::CoaxEr, "ComboBox2"};
    static const std::vector<Binding> table = {
        {"TForm2", S::TwoWire, no, no, no, no, in("ComboBox2"), in("diametro"), in("Espacamento"),
         out("impedancia"), no, no, no},
        {"TForm16", S::TwoWire, no, no, no, no, in("ComboBox2"), out("diametro"), out("Espaco"), in("impedan"), no,
         no, no},
        {"TForm3", S::Coax, no, no, no, no, coaxEr, in("Diaint"), in("Diaext"), out("Impedancia"), no, no, no},
        {"TForm15", S::Coax, no, no, no, no, in("ComboBox2"), out("Diainter"), out("Diaexter"), in("impedancia"), no,
         no, no},
        {"TForm4", S::Microstrip, in("largura"), no, in("ComboBox4"), thick("ComboBox3"), in("Combobox2"), no, no,
         out("impcarac"), no, out("efetiva"), no},
        {"TForm6", S::Microstrip, in("largura"), no, in("ComboBox4"), thick("ComboBox3"), in("ComboBox2"), no, no,
         out("impcarac"), no, out("efetiva"), no},
        {"TForm17", S::Microstrip, out("Largura"), no, in("ComboBox4"), thick("ComboBox3"), in("ComboBox2"), no, no,
         in("Impedancia"), no, out("efetiva"), no},
        {"TForm18", S::Microstrip, out("Largura"), no, in("alturadiel"), in("espesfita"), in("constdiel"), no, no,
         in("Impedancia"), no, out("efetiva"), no},
        {"TForm5", S::Stripline, in("Largura"), no, in("ComboBox4"), thick("ComboBox3"), in("ComboBox2"), no, no,
         out("Impcarac"), no, no, no},
        {"TForm7", S::Stripline, in("Largura"), no, in("ComboBox4"), thick("ComboBox3"), in("ComboBox2"), no, no,
         out("Impcarac"), no, no, no},
        {"TForm19", S::Stripline, out("Largura"), no, in("ComboBox4"), thick("ComboBox3"), in("ComboBox2"), no, no,
         in("Impcarac"), no, no, no},
        {"TForm22", S::Stripline, out("Largura"), no, in("ComboBox4"), thick("ComboBox3"), in("ComboBox2"), no, no,
         in("Impcarac"), no, no, no},
        {"TForm8", S::Slotline, no, in("Largura"), in("ComboBox1"), no, in("ComboBox2"), no, no, out("Impcarac"), no,
         out("Efetiva"), no},
        {"TForm11", S::Cpw, in("Largura"), in("Sep"), in("ComboBox4"), thick("ComboBox3"), in("ComboBox2"), no, no,
         out("Impcarac"), no, out("Efetiva"), no},
        {"TForm12", S::Cpw, in("Largura"), in("Sep"), in("ComboBox4"), thick("ComboBox3"), in("ComboBox2"), no, no,
         out("Impcarac"), no, out("Efetiva"), no},
        {"TForm13", S::Cps, in("Largura"), in("Sep"), in("ComboBox4"), thick("ComboBox3"), in("ComboBox2"), no, no,
         out("Impcarac"), no, out("Efetiva"), no},
        {"TForm14", S::Cps, in("Largura"), in("Sep"), in("ComboBox4"), thick("ComboBox3"), in("ComboBox2"), no, no,
         out("Impcarac"), no, out("Efetiva"), no},
        {"TForm20", S::CoupledStripline, in("Largura"), in("Separ"), in("ComboBox4"), thick("ComboBox3"),
         in("ComboBox2"), no, no, out("Impcarac"), out("impcararcodd"), no, no},
        {"TForm27", S::CoupledStripline, out("LargReal"), out("SepReal"), in("ComboBox4"), thick("ComboBox3"),
         in("ComboBox2"), no, no, in("ImpModoPar"), in("ImpModoimpar"), no, no},
        {"TForm26", S::CoupledMicrostrip, in("largura"), in("Separacao"), in("ComboBox4"), thick("ComboBox3"),
         in("ComboBox2"), no, no, out("impcarac"), out("Impcaracodd"), out("efetiva"), out("efetivaodd")},
        {"TForm29", S::CoupledMicrostrip, out("LargReal"), out("SepReal"), in("ComboBox4"), thick("ComboBox3"),
         in("ComboBox2"), no, no, in("ImpModoPar"), in("ImpModoimpar"), out("EfetivoPar"), out("Efetivoimpar")},
    };
    return table;
}

double value(const Source& src, const Inputs& inputs, const Outcome& o)
{
    switch (src.kind) {
    case Source::None: return 0;
    case Source::Input: return double(inputs[src.name]);
    case Source::Thickness:
        return double(inputs.isPicked(src.name) ? inputs[src.name] / 1000 : inputs[src.name]);
    case Source::CoaxEr:
        // A picked cable names its own dielectric.
        return double(inputs.isPicked("ComboBox3") ? inputs["ComboBox3"] : inputs[src.name]);
    case Source::Result:
        for (const auto& [name, v] : o.results)
            if (name == src.name)
                return double(v);
        return std::nan("");
    }
    return 0;
}

} // namespace

const char* noQuasiStaticCheck()
{
    return "A SlotLine não tem modo TEM: seu campo não é quase-estático e a capacitância estática de dois "
           "semiplanos coplanares não é finita, por isso não há solução de campo quase-estática com que "
           "comparar as fórmulas desta janela.";
}

const char* structureName(Structure s)
{
    switch (s) {
    case Structure::TwoWire: return "Bifilar";
    case Structure::Coax: return "Cabo Coaxial";
    case Structure::Microstrip: return "Microstrip";
    case Structure::Stripline: return "Stripline";
    case Structure::Slotline: return "Slotline";
    case Structure::Cpw: return "CPW";
    case Structure::Cps: return "CPS";
    case Structure::CoupledMicrostrip: return "Acoplada Microstrip";
    case Structure::CoupledStripline: return "Acoplada StripLine";
    }
    return "";
}

CheckPlan planCheck(const WindowDescription& d, const FieldTexts& fields)
{
    CheckPlan plan;
    const Binding* b = nullptr;
    for (const Binding& candidate : bindings())
        if (d.className == candidate.window)
            b = &candidate;
    if (!b) {
        plan.message = "Esta janela não descreve uma seção de linha para verificar.";
        return plan;
    }
    plan.geometry.structure = b->structure;
    if (!hasQuasiStaticCheck(b->structure)) {
        plan.message = noQuasiStaticCheck();
        return plan;
    }
    const Outcome o = compute(d, fields);
    if (o.kind == Outcome::Kind::Message) {
        plan.kind = CheckPlan::Kind::Refused;
        plan.message = o.message;
        return plan;
    }
    if (o.kind == Outcome::Kind::Fault) {
        plan.kind = CheckPlan::Kind::Fault;
        plan.message = faultText(o.fault);
        return plan;
    }
    const Inputs inputs = readInputs(d, fields);
    Geometry& g = plan.geometry;
    g.w = value(b->w, inputs, o);
    g.s = value(b->s, inputs, o);
    g.h = value(b->h, inputs, o);
    g.t = value(b->t, inputs, o);
    g.er = value(b->er, inputs, o);
    g.d = value(b->d, inputs, o);
    g.D = value(b->D, inputs, o);
    const bool coupled = b->z0odd.kind != Source::None;
    auto row = [&](const char* name, const char* unit, const Source& src) {
        if (src.kind != Source::None)
            plan.rows.push_back({name, unit, value(src, inputs, o), 0, 0});
    };
    row(coupled ? "Z0 par" : "Z0", "Ohms", b->z0);
    row("Z0 ímpar", "Ohms", b->z0odd);
    row(coupled ? "eeff par" : "eeff", "", b->eeff);
    row("eeff ímpar", "", b->eeffOdd);
    const std::string invalid = invalidGeometry(g);
    if (!invalid.empty()) {
        plan.kind = CheckPlan::Kind::Nothing;
        plan.message = "A geometria desta janela não pode ser resolvida pelo campo: " + invalid + ".";
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
        r.differencePercent = 100 * (r.formula - r.field) / r.field;
        c.rows.push_back(r);
    }
    return c;
}

} // namespace tarvel::fieldsolve
