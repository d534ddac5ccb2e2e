// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/core/number_text.h"

namespace tarvel::fieldsolve {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
// Lengths further apart than this make meshes without end.
constexpr double kScaleRatio = 1e5;
constexpr double kMaxEr = 1e4;

Parameter length(std::string name, std::string label, double example)
{
    return {std::move(name), std::move(label), true, false, example, {}};
}
Parameter permittivity(std::string name, std::string label, double example)
{
    return {std::move(name), std::move(label), false, false, example, {}};
}
Parameter optional(Parameter p, double example, std::string absent)
{
    p.optional = true;
    p.example = example;
    p.absent = std::move(absent);
    return p;
}

// The labels each written once.
const char* const kW = "largura da fita";
const char* const kWEach = "largura de cada fita";
const char* const kH = "altura do substrato";
const char* const kT = "espessura do metal";
const char* const kEr = "permissividade relativa do substrato";
const char* const kSPair = "separação entre as fitas";
const char* const kNoMask = "sem máscara";

std::vector<Parameter> mask()
{
    return {optional(length("c1", "máscara sobre o substrato", 0), kNaN, kNoMask),
            optional(length("c2", "máscara sobre a fita e os seus lados", 0), kNaN, kNoMask),
            optional(permittivity("cer", "permissividade relativa da máscara", 1), kNaN, kNoMask)};
}

std::vector<Parameter> operator+(std::vector<Parameter> a, const std::vector<Parameter>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<TemplateInfo> makeTemplates()
{
    const std::vector<Parameter> stripStack = {
        length("h1", "camada 1: do plano inferior à base da fita", 0.3),
        length("h2", "camada 2: do topo da fita ao plano superior", 0.3),
        permittivity("er1", "permissividade relativa da camada 1", 4.3),
        permittivity("er2", "permissividade relativa da camada 2", 4.3)};
    return {
        {Template::Microstrip, "microstrip", "Microstrip", false,
         std::vector<Parameter>{length("W", kW, 1.5), length("h", kH, 0.8), length("t", kT, 0.035),
                                permittivity("er", kEr, 4.4)} + mask()},
        {Template::EmbeddedMicrostrip, "embedded-microstrip", "Microstrip embutida", false,
         {length("W", kW, 1.5), length("h", kH, 0.8), length("t", kT, 0.035), permittivity("er", kEr, 4.4),
          length("h2", "espessura da camada de cobertura, do topo do substrato", 0.1),
          permittivity("er2", "permissividade relativa da camada de cobertura", 4.4)}},
        {Template::Stripline, "stripline", "Stripline", false,
         std::vector<Parameter>{length("W", kW, 0.5), length("t", kT, 0.035)} + stripStack},
        {Template::Cpw, "cpw", "Guia de onda coplanar (CPW)", false,
         {length("W", "largura da fita central", 0.5), length("S", "largura das fendas", 0.2),
          length("h", kH, 0.51), length("t", kT, 0.0175), permittivity("er", kEr, 3.55)}},
        {Template::Gcpw, "gcpw", "CPW com plano de terra (GCPW)", false,
         {length("W", "largura da fita central", 0.5), length("S", "largura das fendas", 0.2),
          length("h", kH, 0.51), length("t", kT, 0.0175), permittivity("er", kEr, 3.55),
          optional(length("G", "largura dos planos de terra coplanares", 1), kNaN, "planos coplanares sem fim")}},
        {Template::Cps, "cps", "Fitas coplanares (CPS)", false,
         {length("W", kWEach, 0.5), length("S", kSPair, 0.2), length("h", kH, 0.51), length("t", kT, 0.0175),
          permittivity("er", kEr, 3.55)}},
        {Template::CoupledMicrostrip, "coupled-microstrip", "Microstrip acoplada", true,
         std::vector<Parameter>{length("W", kWEach, 0.2), length("S", kSPair, 0.2), length("h", kH, 0.2),
                                length("t", kT, 0.035), permittivity("er", kEr, 4.3)} + mask()},
        {Template::CoupledStripline, "coupled-stripline", "Stripline acoplada", true,
         std::vector<Parameter>{length("W", kWEach, 0.15), length("S", kSPair, 0.2), length("t", kT, 0.035)}
             + stripStack},
        {Template::BroadsideStripline, "broadside-stripline", "Stripline acoplada pelas faces", true,
         {length("W", kWEach, 0.2), length("t", kT, 0.035),
          length("h1", "do plano inferior à fita inferior", 0.3), length("d", "entre as fitas", 0.2),
          length("h2", "da fita superior ao plano superior", 0.3), permittivity("er", kEr, 4.3),
          optional(length("offset", "deslocamento horizontal entre as fitas", 0), 0, "fitas alinhadas")}},
    };
}

bool finite(double v) { return std::isfinite(v); }

std::string field(const Parameter& p) { return "O campo " + p.name + " (" + p.label + ")"; }

} // namespace

const char* unitName(Unit unit) { return unit == Unit::Mil ? "mil" : "mm"; }

std::optional<Unit> unitNamed(std::string_view name)
{
    if (name == "mm")
        return Unit::Mm;
    if (name == "mil")
        return Unit::Mil;
    return std::nullopt;
}

int TemplateInfo::index(std::string_view parameter) const
{
    for (std::size_t i = 0; i < parameters.size(); ++i)
        if (parameters[i].name == parameter)
            return int(i);
    return -1;
}

const std::vector<TemplateInfo>& templates()
{
    static const std::vector<TemplateInfo> all = makeTemplates();
    return all;
}

const TemplateInfo& templateInfo(Template kind) { return templates()[std::size_t(kind)]; }

const TemplateInfo* templateNamed(std::string_view name)
{
    for (const TemplateInfo& t : templates())
        if (t.name == name)
            return &t;
    return nullptr;
}

double Design::operator[](std::string_view name) const
{
    const int i = info().index(name);
    return i < 0 || std::size_t(i) >= values.size() ? kNaN : values[std::size_t(i)];
}

bool Design::has(std::string_view name) const { return !std::isnan((*this)[name]); }

void Design::set(std::string_view name, double value)
{
    const int i = info().index(name);
    if (i >= 0 && std::size_t(i) < values.size())
        values[std::size_t(i)] = value;
}

Design exampleDesign(Template kind)
{
    Design d;
    d.kind = kind;
    for (const Parameter& p : templateInfo(kind).parameters)
        d.values.push_back(p.example);
    return d;
}

std::string readDesign(Template kind, Unit unit, const std::vector<std::pair<std::string, std::string>>& texts,
                       Design& out)
{
    const TemplateInfo& info = templateInfo(kind);
    Design d = exampleDesign(kind);
    std::vector<bool> given(info.parameters.size(), false);
    for (const auto& [name, text] : texts) {
        int i = info.index(name);
        if (i < 0) {
            // A name that differs only in case, when only one does.
            for (std::size_t k = 0; k < info.parameters.size(); ++k) {
                const std::string& n = info.parameters[k].name;
                if (n.size() == name.size()
                    && std::equal(n.begin(), n.end(), name.begin(), [](char a, char b) {
                           return std::tolower(static_cast<unsigned char>(a))
                                  == std::tolower(static_cast<unsigned char>(b));
                       }))
                    i = i < 0 ? int(k) : -2;
            }
        }
        if (i < 0) {
            std::string names;
            for (const Parameter& p : info.parameters)
                names += (names.empty() ? "" : " ") + p.name;
            return "O campo " + name + " não existe em " + info.name + " (os campos são: " + names + ")";
        }
        const Parameter& p = info.parameters[std::size_t(i)];
        if (given[std::size_t(i)])
            return field(p) + " foi dado duas vezes.";
        given[std::size_t(i)] = true;
        const bool blank = text.find_first_not_of(" \t") == std::string::npos;
        if (blank) {
            if (!p.optional)
                return field(p) + " precisa de um valor.";
            d.values[std::size_t(i)] = kNaN;
            continue;
        }
        const double v = double(readNumber(text));
        if (std::isnan(v))
            return field(p) + " não é um número: \"" + text + "\".";
        d.values[std::size_t(i)] = p.length && unit == Unit::Mil ? v * kMmPerMil : v;
    }
    out = d;
    return {};
}

std::string checkDesign(const Design& d)
{
    const TemplateInfo& info = d.info();
    if (d.values.size() != info.parameters.size())
        return "O projeto não tem os campos de " + info.name + ".";
    const Parameter* largest = nullptr;
    const Parameter* smallest = nullptr;
    for (std::size_t i = 0; i < info.parameters.size(); ++i) {
        const Parameter& p = info.parameters[i];
        const double v = d.values[i];
        if (std::isnan(v)) {
            if (p.optional)
                continue;
            return field(p) + " precisa de um valor.";
        }
        if (!finite(v))
            return field(p) + " não é um número finito.";
        if (!p.length) {
            if (v < 1)
                return field(p) + " tem de ser pelo menos 1.";
            if (v > kMaxEr)
                return field(p) + " não pode passar de " + std::to_string(int(kMaxEr)) + ".";
            continue;
        }
        // A metal or a mask may have no thickness, an offset any sign; the
        // other lengths are positive.
        const bool mayBeZero = p.name == "t" || p.name == "c1" || p.name == "c2";
        if (p.name == "offset") {
            if (v == 0)
                continue;
        } else if (mayBeZero ? v < 0 : !(v > 0)) {
            return field(p) + (mayBeZero ? " não pode ser negativo." : " tem de ser positivo.");
        }
        if (v == 0)
            continue;
        if (!largest || std::fabs(v) > std::fabs(d.values[std::size_t(info.index(largest->name))]))
            largest = &p;
        if (!smallest || std::fabs(v) < std::fabs(d.values[std::size_t(info.index(smallest->name))]))
            smallest = &p;
    }
    if (largest && smallest) {
        const double big = std::fabs(d[largest->name]), small = std::fabs(d[smallest->name]);
        // A thin metal may be much thinner than the rest.
        const double bound = smallest->name == "t" ? 10 * kScaleRatio : kScaleRatio;
        if (big / small > bound)
            return "Os campos " + largest->name + " e " + smallest->name + " estão em escalas muito diferentes "
                   + "(mais de " + formatFixed(bound, 0) + " vezes): a malha não os resolve juntos.";
    }
    switch (d.kind) {
    case Template::Microstrip:
    case Template::CoupledMicrostrip: {
        const int given = int(d.has("c1")) + int(d.has("c2")) + int(d.has("cer"));
        if (given != 0 && given != 3) {
            for (const char* name : {"c1", "c2", "cer"})
                if (!d.has(name))
                    return field(info.parameters[std::size_t(info.index(name))])
                           + " falta: a máscara pede c1, c2 e cer juntos.";
        }
        if (given == 3 && d["c1"] > d["t"] + d["c2"])
            return field(info.parameters[std::size_t(info.index("c1"))])
                   + " não pode passar de t + c2: a máscara sobre o substrato ficaria acima da que cobre a fita.";
        break;
    }
    case Template::EmbeddedMicrostrip:
        if (d["h2"] < d["t"])
            return field(info.parameters[std::size_t(info.index("h2"))])
                   + " não pode ser menor que t: a camada de cobertura tem de cobrir a fita.";
        break;
    default: break;
    }
    return {};
}

Excitations excitationsOf(const Design& d)
{
    if (!d.info().pair)
        return Excitations::Single;
    if (d.kind == Template::BroadsideStripline)
        return d["h1"] == d["h2"] && (!d.has("offset") || d["offset"] == 0) ? Excitations::EvenOdd
                                                                              : Excitations::Matrix;
    return Excitations::EvenOdd;
}

namespace {

enum class Role { Ground, A, B }; // B: the signal strip on the right (or above)

struct Piece {
    Box box;
    Role role;
};

// The whole cross-section with its distant box `boxSizes` sizes of the
// structure away: the domain and its walls, the conductors by role, the
// dielectrics; and how it is solved.
struct Layout {
    Box domain;
    Wall bottom = Wall::Ground, top = Wall::Ground;
    std::vector<Piece> conductors;
    std::vector<Layer> dielectrics;
    double size = 0;      // the structure's size that the box is measured in
    bool inTheOpen = false; // the field spreads in every direction (not between plates)
    double plates = 0;    // between plates: their spacing
    double midPlane = 0;  // a horizontal plane of symmetry (0: none)
};

bool maskOf(const Design& d) { return d.has("c1") && d.has("c2") && d.has("cer"); }

Layout layout(const Design& d, double boxSizes)
{
    Layout l;
    const double W = d["W"], t = d["t"];
    switch (d.kind) {
    case Template::Microstrip:
    case Template::EmbeddedMicrostrip:
    case Template::CoupledMicrostrip: {
        const double h = d["h"];
        const bool pair = d.kind == Template::CoupledMicrostrip;
        const double S = pair ? d["S"] : 0;
        const double right = pair ? S / 2 + W : W / 2;
        double top = h + t;
        l.dielectrics.push_back({{-kInf, 0, kInf, h}, d["er"]});
        if (d.kind == Template::EmbeddedMicrostrip) {
            l.dielectrics.push_back({{-kInf, h, kInf, h + d["h2"]}, d["er2"]});
            top = h + d["h2"];
        }
        const bool masked = d.kind != Template::EmbeddedMicrostrip && maskOf(d) && d["cer"] != 1;
        if (pair) {
            l.conductors.push_back({{-right, h, -S / 2, h + t}, Role::A});
            l.conductors.push_back({{S / 2, h, right, h + t}, Role::B});
        } else {
            l.conductors.push_back({{-W / 2, h, W / 2, h + t}, Role::B});
        }
        if (masked) {
            const double c1 = d["c1"], c2 = d["c2"], cer = d["cer"];
            if (c1 > 0)
                l.dielectrics.push_back({{-kInf, h, kInf, h + c1}, cer});
            if (c2 > 0)
                for (const Piece& p : l.conductors)
                    l.dielectrics.push_back({{p.box.x0 - c2, h, p.box.x1 + c2, p.box.y1 + c2}, cer});
            top = std::max(top, h + std::max(c1, t + c2));
        }
        l.size = std::max(right, top);
        const double far = boxSizes * l.size;
        l.domain = {-right - far, 0, right + far, top + far};
        l.inTheOpen = true;
        break;
    }
    case Template::Stripline:
    case Template::CoupledStripline: {
        const double h1 = d["h1"], h2 = d["h2"], b = h1 + t + h2;
        const bool pair = d.kind == Template::CoupledStripline;
        const double S = pair ? d["S"] : 0;
        const double right = pair ? S / 2 + W : W / 2;
        l.dielectrics.push_back({{-kInf, -kInf, kInf, h1}, d["er1"]});
        l.dielectrics.push_back({{-kInf, h1, kInf, kInf}, d["er2"]});
        if (pair) {
            l.conductors.push_back({{-right, h1, -S / 2, h1 + t}, Role::A});
            l.conductors.push_back({{S / 2, h1, right, h1 + t}, Role::B});
        } else {
            l.conductors.push_back({{-W / 2, h1, W / 2, h1 + t}, Role::B});
        }
        // Between the plates the field dies as exp(-pi x / b): a few
        // spacings suffice.
        const double side = right + boxSizes / 100 * b;
        l.domain = {-side, 0, side, b};
        l.size = right;
        l.plates = b;
        // No mirror at the strip's mid-plane even between like layers: the
        // losses take each layer's own share of the energy, which a mirror
        // would fold into the lower layer.
        break;
    }
    case Template::BroadsideStripline: {
        const double h1 = d["h1"], dd = d["d"], h2 = d["h2"], b = h1 + 2 * t + dd + h2;
        const double offset = d.has("offset") ? d["offset"] : 0;
        const double right = std::fabs(offset) / 2 + W / 2;
        l.dielectrics.push_back({{-kInf, -kInf, kInf, kInf}, d["er"]});
        l.conductors.push_back({{-offset / 2 - W / 2, h1, -offset / 2 + W / 2, h1 + t}, Role::A});
        l.conductors.push_back({{offset / 2 - W / 2, h1 + t + dd, offset / 2 + W / 2, h1 + 2 * t + dd}, Role::B});
        const double side = right + boxSizes / 100 * b;
        l.domain = {-side, 0, side, b};
        l.size = right;
        l.plates = b;
        if (h1 == h2 && offset == 0)
            l.midPlane = h1 + t + dd / 2;
        break;
    }
    case Template::Cpw:
    case Template::Gcpw:
    case Template::Cps: {
        const double S = d["S"], h = d["h"];
        const bool grounded = d.kind == Template::Gcpw;
        double right;
        if (d.kind == Template::Cps) {
            right = S / 2 + W;
            l.conductors.push_back({{-right, 0, -S / 2, t}, Role::A});
            l.conductors.push_back({{S / 2, 0, right, t}, Role::B});
        } else {
            const double edge = W / 2 + S;
            const double G = grounded && d.has("G") ? d["G"] : kInf;
            l.conductors.push_back({{-W / 2, 0, W / 2, t}, Role::B});
            l.conductors.push_back({{-edge - G, 0, -edge, t}, Role::Ground});
            l.conductors.push_back({{edge, 0, edge + G, t}, Role::Ground});
            right = std::isfinite(G) ? edge + G : edge;
        }
        l.dielectrics.push_back({{-kInf, -h, kInf, 0}, d["er"]});
        l.size = right + t + (grounded && d.has("G") ? h : 0);
        const double far = boxSizes * l.size;
        // The back metal of a grounded CPW is the bottom wall.
        l.domain = {-right - far, grounded ? -h : -h - far, right + far, t + far};
        l.inTheOpen = true;
        break;
    }
    }
    return l;
}

double potential(Role role, double a, double b) { return role == Role::A ? a : role == Role::B ? b : 0; }

// The problem on the whole layout with the strips at the given potentials.
Problem whole(const Layout& l, double a, double b)
{
    Problem pb;
    pb.domain = l.domain;
    pb.bottom = l.bottom;
    pb.top = l.top;
    pb.dielectrics = l.dielectrics;
    for (const Piece& p : l.conductors)
        pb.conductors.push_back({p.box, potential(p.role, a, b)});
    return pb;
}

// The part x >= 0 of a layout symmetric about x = 0, strip B at 1 V, the
// symmetry plane the given wall; with `mid`, only the part below the
// layout's horizontal plane of symmetry, that plane the wall `midWall`.
Problem part(const Layout& l, Wall left, bool mid, Wall midWall)
{
    Problem pb = whole(l, 0, 1);
    pb.domain.x0 = 0;
    pb.left = left;
    if (mid) {
        pb.domain.y1 = l.midPlane;
        pb.top = midWall;
    }
    std::vector<Conductor> kept;
    for (Conductor c : pb.conductors) {
        // Above the plane: the image of what is solved (a strip of no
        // thickness on the plane is kept).
        const bool above = c.box.y0 > l.midPlane || (c.box.y0 == l.midPlane && c.box.y1 > c.box.y0);
        if (c.box.x1 <= 0 || (mid && above))
            continue;
        // A strip across a symmetry plane is cut by it.
        c.box.x0 = std::max(c.box.x0, 0.0);
        if (mid)
            c.box.y1 = std::min(c.box.y1, l.midPlane);
        // Of a broadside pair the lower strip is kept, its image the upper
        // one: it is the signal strip of the part.
        if (mid && c.potential == 0)
            c.potential = 1;
        kept.push_back(c);
    }
    pb.conductors = kept;
    return pb;
}

} // namespace

namespace {

Section sectionBy(const Design& d, Excitations how)
{
    Section s;
    const bool homogeneous =
        d.kind == Template::BroadsideStripline
        || ((d.kind == Template::Stripline || d.kind == Template::CoupledStripline) && d["er1"] == d["er2"]);
    s.homogeneous = homogeneous;
    s.er = d.kind == Template::BroadsideStripline ? d["er"] : homogeneous ? d["er1"] : 1;
    s.open = true;
    const Layout probe = layout(d, kBoxSizes);
    s.farSize = probe.inTheOpen ? probe.size : 0;
    // Each symmetry plane solved halves the part of the field solved, and
    // doubles the factor turning its energy into a capacitance.
    const bool mid = probe.midPlane > 0;
    const double midFactor = mid ? 2 : 1;
    switch (how) {
    case Excitations::Single: {
        // Half of the line: a mirror on its axis, or for the balanced
        // strips a grounded plane between them (2 V across the line).
        const bool balanced = d.kind == Template::Cps;
        const Wall wall = balanced ? Wall::Ground : Wall::Mirror;
        s.excitations.push_back(
            {[d, wall, mid](double box) { return part(layout(d, box), wall, mid, Wall::Mirror); },
             (balanced ? 1.0 : 4.0) * midFactor});
        break;
    }
    case Excitations::EvenOdd: {
        // A mode's capacitance per strip, from half of the pair's field. Of
        // a broadside pair the modes' wall is the horizontal plane between
        // the strips, and the vertical one through them a mirror.
        const bool broadside = d.kind == Template::BroadsideStripline;
        for (const Wall wall : {Wall::Mirror, Wall::Ground})
            s.excitations.push_back({[d, wall, mid, broadside](double box) {
                                         const Layout l = layout(d, box);
                                         return broadside ? part(l, Wall::Mirror, true, wall)
                                                          : part(l, wall, mid, Wall::Mirror);
                                     },
                                     2 * midFactor});
        break;
    }
    case Excitations::Matrix:
        for (const auto& [a, b] : {std::pair{1.0, 0.0}, std::pair{0.0, 1.0}, std::pair{1.0, 1.0}})
            s.excitations.push_back({[d, a = a, b = b](double box) { return whole(layout(d, box), a, b); }, 2.0});
        break;
    }
    return s;
}

} // namespace

Section designSection(const Design& d) { return sectionBy(d, excitationsOf(d)); }

Section matrixSection(const Design& pair) { return sectionBy(pair, Excitations::Matrix); }

bool solvedBelowMidPlane(const Design& d) { return excitationsOf(d) != Excitations::Matrix && layout(d, 1).midPlane > 0; }

Problem designDrawing(const Design& d, bool odd, double margin)
{
    const Layout l = layout(d, margin);
    // A balanced line (CPS, or a pair's odd mode) has its left strip at -1.
    Problem pb = whole(l, odd || d.kind == Template::Cps ? -1 : 1, 1);
    // The planes that are walls of the solved section.
    const double plate = std::max(d["t"] > 0 ? d["t"] : 0.0, 0.04 * (l.plates > 0 ? l.plates : l.size));
    if (d.kind == Template::Microstrip || d.kind == Template::EmbeddedMicrostrip
        || d.kind == Template::CoupledMicrostrip)
        pb.conductors.push_back({{-kInf, -plate, kInf, 0}, 0});
    if (d.kind == Template::Gcpw)
        pb.conductors.push_back({{-kInf, -d["h"] - plate, kInf, -d["h"]}, 0});
    if (l.plates > 0) {
        pb.conductors.push_back({{-kInf, -plate, kInf, 0}, 0});
        pb.conductors.push_back({{-kInf, l.plates, kInf, l.plates + plate}, 0});
    }
    pb.domain.y0 -= plate;
    if (l.plates > 0)
        pb.domain.y1 += plate;
    return pb;
}

} // namespace tarvel::fieldsolve
