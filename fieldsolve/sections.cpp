// SPDX-License-Identifier: GPL-3.0-or-later
#include "sections.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <utility>
#include <vector>

namespace tarvel::fieldsolve {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Beyond this many sizes of the structure the field of an open line holds
// so little of its energy (some 0.1 %, falling as the inverse square of the
// distance) that cells there need not shrink with the rest of the mesh: it
// moves Z0 by less than 0.001 %.
constexpr double kFarSizes = 30;
// Finest mesh allowed, in nodes: bounds the memory and time of one solve.
constexpr std::size_t kMaxNodes = 400000;
// The refinement: each cell of the coarsest mesh divided into this many
// along each axis. The meshes halve the cells up to the fourth, which the
// estimate needs at least. A fifth that halved them again would cost some
// eight times the fourth (the factorisation grows as the nodes to the power
// 1.5); one 1.5 times finer costs 3.4 times, and the limit from it and the
// two before still lies far closer than the one before (its error falls at
// least as the square of the cells' size, and the order fitted to the three
// values takes their ratios as they are).
// The least share of the last extrapolation step that the estimate counts.
constexpr double kStepShare = 0.15;
// The order at which the limits themselves converge: each leaves the terms
// of the error beyond the one fitted, which fall at least as the square of
// the cells' size. Against solves to seven meshes, on the 102 geometries of
// the bench and 60 drawn at random, the estimate made with these two held
// every error of Z0 and eeff, the largest at 0.88 of it.
constexpr double kLimitOrder = 2;
constexpr long kSplits[] = {1, 2, 4, 8, 12, 16, 32};
constexpr int kMaxLevel = int(std::size(kSplits)) - 1;

// The largest relative permittivity accepted: more than any material a
// line is made of (ceramics reach some 1e5). The solution itself holds far
// beyond it: a microstrip's eeff/er and Z0 sqrt(er) stay within ten digits
// of their limits up to er = 1e300; what breaks first is a capacitance
// overflowing near 1e308.
constexpr double kMaxPermittivity = 1e6;
// The lengths accepted, in the geometry's unit (the windows use mm: a
// picometre to a thousand kilometres). The solution is the same at any
// scale; its distant box overflows only beyond 1e300.
constexpr double kMinLength = 1e-9;
constexpr double kMaxLength = 1e9;
const char* const kBadPermittivity = "permissividade relativa fora da faixa";
const char* const kUnsolved = "o sistema linear não foi resolvido";
const char* const kUnrepresentable = "resultado fora do que um número representa";

// A bound as a message shows it: 1000000, 1e-09.
std::string plain(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", x);
    return text;
}

std::string tooLargePermittivity() { return "permissividade relativa acima de " + plain(kMaxPermittivity); }

// Lines in the open: a distant box stands for infinity.
bool openLine(Structure s)
{
    return s == Structure::Microstrip || s == Structure::CoupledMicrostrip || s == Structure::Cpw ||
           s == Structure::Cps || s == Structure::Slotline;
}

bool mapped(Structure s) { return s == Structure::Coax || s == Structure::TwoWire; }

// Line capacitance over the capacitance of the solved half section with its
// signal conductor at 1 V (both per eps0).
double lineShare(Structure s)
{
    switch (s) {
    case Structure::Microstrip:
    case Structure::Stripline:
    case Structure::Cpw: return 2;         // the mirror halves a single line
    case Structure::CoupledMicrostrip:
    case Structure::CoupledStripline: return 1; // a mode's capacitance is per strip
    case Structure::Cps:
    case Structure::Slotline: return 0.5;  // two halves in series, 2 V between them
    case Structure::TwoWire: return kPi;   // 2 pi of bipolar angle, halves in series
    case Structure::Coax: return 2 * kPi;  // 2 pi of angle
    }
    return 1;
}

// The right edge of the signal conductor of the half section, and the size
// that sets how far the open box lies.
double rightEdge(const Geometry& g)
{
    switch (g.structure) {
    case Structure::CoupledMicrostrip:
    case Structure::CoupledStripline:
    case Structure::Cps: return g.s / 2 + g.w;
    case Structure::Cpw: return g.w / 2 + g.s;
    default: return g.w / 2;
    }
}

// The field of a microstrip reaches as far as its substrate is thick; that
// of a coplanar line as far as the line is wide, however thick the substrate.
double size(const Geometry& g)
{
    if (g.structure == Structure::Microstrip || g.structure == Structure::CoupledMicrostrip)
        return std::max(rightEdge(g), g.h + g.t);
    return rightEdge(g) + g.t;
}

} // namespace

bool hasQuasiStaticCheck(Structure s) { return s != Structure::Slotline; }

std::string invalidGeometry(const Geometry& g)
{
    auto positive = [](double x) { return std::isfinite(x) && x > 0; };
    if (!hasQuasiStaticCheck(g.structure))
        return "sem modo TEM";
    if (!(positive(g.er) && g.er >= 1))
        return kBadPermittivity;
    if (g.er > kMaxPermittivity)
        return tooLargePermittivity();
    // Each length the structure uses, by its name.
    std::vector<std::pair<const char*, double>> lengths;
    if (g.structure == Structure::Coax || g.structure == Structure::TwoWire)
        lengths = {{"diâmetro", g.d}, {g.structure == Structure::Coax ? "diâmetro externo" : "espaçamento", g.D}};
    else
        lengths = {{"largura", g.w}, {"altura", g.h}, {"espessura", g.t}, {"separação", g.s}};
    for (const auto& [name, x] : lengths)
        if (std::isfinite(x) && x > 0 && !(x >= kMinLength && x <= kMaxLength))
            return std::string(name) + " fora da faixa de " + plain(kMinLength) + " a " + plain(kMaxLength);
    switch (g.structure) {
    case Structure::Coax:
        if (!positive(g.d) || !positive(g.D) || !(g.D > g.d))
            return "diâmetros inválidos";
        return {};
    case Structure::TwoWire:
        if (!positive(g.d) || !positive(g.D) || !(g.D > g.d))
            return "diâmetro ou espaçamento inválido";
        return {};
    default: break;
    }
    if (!positive(g.w) || !positive(g.h) || !(std::isfinite(g.t) && g.t >= 0))
        return "largura, altura ou espessura inválida";
    if (g.structure != Structure::Microstrip && g.structure != Structure::Stripline && !positive(g.s))
        return "separação inválida";
    if ((g.structure == Structure::Stripline || g.structure == Structure::CoupledStripline) && !(g.t < g.h))
        return "a fita não cabe entre os planos";
    // Scales far apart make meshes without end.
    const double big = std::max({g.w, g.s, g.h}), small = std::min({g.w, g.h, g.s > 0 ? g.s : g.w});
    if (big / small > 1e5 || (g.t > 0 && big / g.t > 1e6))
        return "dimensões em escalas muito diferentes";
    return {};
}

Problem halfSection(const Geometry& g, Mode mode, double boxFactor)
{
    Problem pb;
    const double inf = std::numeric_limits<double>::infinity();
    const Wall wall = mode == Mode::Odd || g.structure == Structure::Cps || g.structure == Structure::Slotline
                          ? Wall::Ground
                          : Wall::Mirror;
    pb.left = wall;
    switch (g.structure) {
    case Structure::Coax:
        // ln r from the inner to the outer conductor, one unit of angle.
        pb.domain = {std::log(g.d / 2), 0, std::log(g.D / 2), 1};
        pb.conductors = {{{pb.domain.x0, -inf, pb.domain.x0, inf}, 1}};
        pb.left = Wall::Ground;
        pb.bottom = pb.top = Wall::Mirror;
        return pb;
    case Structure::TwoWire:
        // Bipolar coordinates: the symmetry plane at 0, a wire at acosh(D/d).
        pb.domain = {0, 0, std::acosh(g.D / g.d), 1};
        pb.conductors = {{{pb.domain.x1, -inf, pb.domain.x1, inf}, 1}};
        pb.left = Wall::Ground;
        pb.bottom = pb.top = Wall::Mirror;
        return pb;
    default: break;
    }
    const double L = size(g), far = boxFactor * L, x1 = rightEdge(g);
    switch (g.structure) {
    case Structure::Microstrip:
    case Structure::CoupledMicrostrip: {
        const double x0 = g.structure == Structure::Microstrip ? 0 : g.s / 2;
        pb.domain = {0, 0, x1 + far, g.h + g.t + far};
        pb.conductors = {{{x0, g.h, x1, g.h + g.t}, 1}};
        pb.dielectrics = {{{-inf, 0, inf, g.h}, g.er}};
        break;
    }
    case Structure::Stripline:
    case Structure::CoupledStripline: {
        // Between the plates the field dies as exp(-pi x / b): a few
        // spacings suffice.
        const double x0 = g.structure == Structure::Stripline ? 0 : g.s / 2;
        pb.domain = {0, 0, x1 + boxFactor / 100 * g.h, g.h};
        pb.conductors = {{{x0, (g.h - g.t) / 2, x1, (g.h + g.t) / 2}, 1}};
        pb.dielectrics = {{{-inf, -inf, inf, inf}, g.er}};
        break;
    }
    case Structure::Cpw:
        pb.domain = {0, -g.h - far, x1 + far, g.t + far};
        pb.conductors = {{{0, 0, g.w / 2, g.t}, 1}, {{g.w / 2 + g.s, 0, inf, g.t}, 0}};
        pb.dielectrics = {{{-inf, -g.h, inf, 0}, g.er}};
        break;
    case Structure::Cps:
        pb.domain = {0, -g.h - far, x1 + far, g.t + far};
        pb.conductors = {{{g.s / 2, 0, x1, g.t}, 1}};
        pb.dielectrics = {{{-inf, -g.h, inf, 0}, g.er}};
        break;
    case Structure::Slotline:
        pb.domain = {0, -g.h - far, g.s / 2 + far, g.t + far};
        pb.conductors = {{{g.s / 2, 0, inf, g.t}, 1}};
        pb.dielectrics = {{{-inf, -g.h, inf, 0}, g.er}};
        break;
    default: break;
    }
    return pb;
}

Problem wholeSection(const Geometry& g, Mode mode, double margin)
{
    Problem half = halfSection(g, mode, margin);
    if (g.structure == Structure::Stripline || g.structure == Structure::CoupledStripline)
        half.domain.x1 = rightEdge(g) + margin * g.h;
    Problem pb = half;
    pb.left = half.right;
    pb.domain.x0 = -half.domain.x1;
    pb.conductors.clear();
    const bool balanced = mode == Mode::Odd || g.structure == Structure::Cps || g.structure == Structure::Slotline;
    for (const Conductor& c : half.conductors) {
        if (c.box.x0 <= 0 && half.left == Wall::Mirror) {
            // A conductor across the mirror is one conductor.
            pb.conductors.push_back({{-c.box.x1, c.box.y0, c.box.x1, c.box.y1}, c.potential});
            continue;
        }
        pb.conductors.push_back(c);
        pb.conductors.push_back({{-c.box.x1, c.box.y0, -c.box.x0, c.box.y1}, balanced ? -c.potential : c.potential});
    }
    // The planes of microstrip and stripline, drawn as conductors.
    const double inf = std::numeric_limits<double>::infinity();
    const double plate = std::max(g.t, 0.04 * g.h);
    if (g.structure == Structure::Microstrip || g.structure == Structure::CoupledMicrostrip)
        pb.conductors.push_back({{-inf, -plate, inf, 0}, 0});
    if (g.structure == Structure::Stripline || g.structure == Structure::CoupledStripline) {
        pb.conductors.push_back({{-inf, -plate, inf, 0}, 0});
        pb.conductors.push_back({{-inf, g.h, inf, g.h + plate}, 0});
    }
    return pb;
}

namespace {

bool stripline(Structure s) { return s == Structure::Stripline || s == Structure::CoupledStripline; }

// What is solved: the half section, and of a stripline only the half below
// the strip's mid-plane, a mirror of the field, the strip reaching it.
Problem solvedPart(const Geometry& g, Mode mode, double boxFactor)
{
    Problem pb = halfSection(g, mode, boxFactor);
    if (stripline(g.structure)) {
        pb.domain.y1 = g.h / 2;
        pb.top = Wall::Mirror;
        for (Conductor& c : pb.conductors)
            c.box.y1 = std::min(c.box.y1, g.h / 2);
    }
    return pb;
}

} // namespace

namespace {

// Metal thinner than this share of the smallest other feature of a section
// is meshed as metal of that share would be. The mesh starts its cells at
// every conductor edge from a fifth of the smallest feature, which thin
// metal sets: 0.01 um copper on a millimetre line would take a mesh too
// large for the node limit before the estimate settles. Cells of ten or a
// hundred thicknesses at the metal's faces still resolve its effect on the
// line, a part in 1e4 at most at this share, and the estimate from the
// meshes holds as it does for thicker metal.
constexpr double kThinMetal = 1e-3;

// The smallest distance between the key lines of a problem's conductors
// and dielectrics, in either direction, as the mesh takes it; `flat`: with
// each conductor flattened across its thinner direction.
double smallestFeature(const Problem& pb, bool flat)
{
    double feature = std::numeric_limits<double>::infinity();
    for (const bool vertical : {false, true}) {
        std::vector<double> at;
        auto add = [&](double a) {
            if (std::isfinite(a))
                at.push_back(a);
        };
        for (const Conductor& c : pb.conductors) {
            const double lo = vertical ? c.box.y0 : c.box.x0, hi = vertical ? c.box.y1 : c.box.x1;
            const double across = vertical ? c.box.x1 - c.box.x0 : c.box.y1 - c.box.y0;
            add(lo);
            if (!(flat && hi - lo < across))
                add(hi);
        }
        for (const Layer& l : pb.dielectrics) {
            add(vertical ? l.box.y0 : l.box.x0);
            add(vertical ? l.box.y1 : l.box.x1);
        }
        std::sort(at.begin(), at.end());
        for (std::size_t k = 1; k < at.size(); ++k)
            if (at[k] - at[k - 1] > 0)
                feature = std::min(feature, at[k] - at[k - 1]);
    }
    return feature;
}

// Whether a conductor of no thickness ends inside the domain. At the edge
// of such a half-plane the potential goes as the square root of the
// distance (on a dielectric interface too), and the energy of a mesh nears
// its limit as the first power of the cell size, the second power of the
// smooth field behind it: the order that three meshes show drifts from
// one to the other as the meshes refine.
bool thinEdge(const Problem& pb)
{
    auto inside = [](double a, double lo, double hi) { return std::isfinite(a) && a > lo && a < hi; };
    for (const Conductor& c : pb.conductors) {
        const Box& b = c.box;
        if (b.y0 == b.y1 && (inside(b.x0, pb.domain.x0, pb.domain.x1) || inside(b.x1, pb.domain.x0, pb.domain.x1)))
            return true;
        if (b.x0 == b.x1 && (inside(b.y0, pb.domain.y0, pb.domain.y1) || inside(b.y1, pb.domain.y0, pb.domain.y1)))
            return true;
    }
    return false;
}

// The limit of q = L + A h + B h^2 through three meshes of cells h: both
// terms of a section with the edge of a half-plane taken out (the value at
// h = 0 of the parabola through the three).
double halfPlaneLimit(const std::array<double, 3>& q, const std::array<double, 3>& h)
{
    double limit = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        double w = 1;
        for (std::size_t j = 0; j < 3; ++j)
            if (j != i)
                w *= h[j] / (h[j] - h[i]);
        limit += w * q[i];
    }
    return limit;
}

// The reason a section cannot be solved (empty when it can).
std::string invalidSection(const Section& section)
{
    if (section.excitations.empty())
        return "seção sem excitação";
    for (const Excitation& e : section.excitations)
        if (!e.problem || !(std::isfinite(e.factor) && e.factor > 0))
            return "excitação da seção inválida";
    if (section.homogeneous && !(std::isfinite(section.er) && section.er >= 1))
        return kBadPermittivity;
    if (section.homogeneous && section.er > kMaxPermittivity)
        return tooLargePermittivity();
    if (!(std::isfinite(section.farSize) && section.farSize >= 0))
        return "tamanho da seção inválido";
    return {};
}

} // namespace

Extrapolated extrapolate(double q0, double q1, double q2, double r1, double r2, double minOrder)
{
    const double d1 = q0 - q1, d2 = q1 - q2;
    // The ratio of the steps as the order nears 0: a larger one (or one of
    // the wrong sign) fits no order of convergence.
    const double slowest = std::log(r2) / std::log(r1);
    double p = 1;
    if (d1 != 0 && d2 / d1 > 0 && d2 / d1 < slowest) {
        if (r1 == r2) {
            p = std::clamp(-std::log2(d2 / d1) / std::log2(r1), minOrder, 4.0);
        } else {
            // d2 / d1 = (1 - r2^-p) / (r1^p - 1), falling as p grows.
            const auto ratio = [&](double q) { return (1 - std::pow(r2, -q)) / (std::pow(r1, q) - 1); };
            double lo = minOrder, hi = 4;
            if (d2 / d1 >= ratio(lo)) {
                p = lo;
            } else if (d2 / d1 <= ratio(hi)) {
                p = hi;
            } else {
                for (int i = 0; i < 60; ++i) {
                    const double mid = (lo + hi) / 2;
                    (ratio(mid) > d2 / d1 ? lo : hi) = mid;
                }
                p = (lo + hi) / 2;
            }
        }
    }
    Extrapolated out;
    out.step = d2 / (std::pow(r2, p) - 1);
    out.limit = q2 - out.step;
    return out;
}

LineParameters lineParameters(const Capacitance& c)
{
    LineParameters lp;
    lp.c = c.c;
    lp.cAir = c.cAir;
    lp.z0 = physics::si::eta0 / std::sqrt(c.relative * c.relativeAir);
    lp.eeff = c.relative / c.relativeAir;
    return lp;
}

SectionSolution solveSection(const Section& section, double tolerance, const MeshOptions& meshOptions,
                             const std::atomic<bool>* cancel, const MeshVisitor& visit)
{
    SectionSolution out;
    const double start = processorSeconds();
    const std::size_t count = section.excitations.size();
    out.failure = invalidSection(section);
    if (!out.failure.empty())
        return out;
    // Whether a conductor of no thickness ends inside the section.
    bool thin = false;
    // Capacitances per eps0, with the dielectric and in air, on one mesh.
    struct Pair {
        double c = 0, air = 0;
    };
    // Every excitation on one mesh, sharing one analysis of the system's
    // pattern; an empty pair for a failed solve.
    auto solveOn = [&](double box, int level, std::size_t* nodes, bool visited) -> std::vector<Pair> {
        const long split = kSplits[level];
        std::vector<Problem> pbs;
        for (const Excitation& e : section.excitations)
            pbs.push_back(e.problem(box));
        MeshOptions mo = meshOptions;
        if (mo.far == 0)
            mo.far = kFarSizes * section.farSize;
        const double feature = smallestFeature(pbs.front(), false), flat = smallestFeature(pbs.front(), true);
        if (feature < kThinMetal * flat)
            mo.edge *= kThinMetal * flat / feature;
        const Mesh mesh = Mesh::divided(pbs.front(), split, mo);
        thin = thinEdge(pbs.front());
        if (nodes)
            *nodes = std::max(*nodes, mesh.nodes());
        const bool both = !section.homogeneous;
        const std::vector<Field> fields = Field::solveAll(pbs, mesh, both, true);
        const std::size_t per = both ? 2 : 1;
        if (visited && visit)
            visit(MeshFields{level, split, both, &fields});
        std::vector<Pair> out(count);
        for (std::size_t m = 0; m < count; ++m) {
            const Field& air = fields[m * per + per - 1];
            const Field& first = fields[m * per];
            if (!air.ok() || !first.ok())
                continue;
            const double factor = section.excitations[m].factor;
            Pair& p = out[m];
            p.air = factor * double(air.energy());
            p.c = both ? factor * double(first.energy()) : section.er * p.air;
        }
        return out;
    };
    std::vector<std::vector<Pair>> history(count);
    std::vector<std::vector<Pair>> limits(count);
    std::vector<Pair> best(count);
    const int maxLevel = section.exact ? 0 : kMaxLevel;
    // The limit of three meshes, of cells 1/s0, 1/s1, 1/s2 of the
    // coarsest. With the edge of a half-plane the truth lies between two
    // readings of them: one fitted order lags its drift to the first power,
    // the two fixed orders leave out the higher terms. The limit is the
    // second, and their distance counts in the estimate.
    struct Limit {
        double value, spread;
    };
    auto limitOf = [&thin](double q0, double q1, double q2, int level) -> Limit {
        const double s0 = double(kSplits[level - 2]), s1 = double(kSplits[level - 1]), s2 = double(kSplits[level]);
        const double fitted = extrapolate(q0, q1, q2, s1 / s0, s2 / s1).limit;
        if (!thin)
            return {fitted, 0};
        const double both = halfPlaneLimit({q0, q1, q2}, {1 / s0, 1 / s1, 1 / s2});
        return {both, std::fabs(both - fitted)};
    };
    const auto stopped = [&] {
        if (!cancel || !cancel->load(std::memory_order_relaxed))
            return false;
        out.cancelled = true;
        out.failure = "cancelada";
        return true;
    };
    for (int level = 0; level <= maxLevel; ++level) {
        if (stopped())
            return out;
        if (level > 0) {
            // The next mesh's nodes, from the last one's.
            const double r = double(kSplits[level]) / double(kSplits[level - 1]);
            if (double(out.nodes) * r * r > double(kMaxNodes))
                break;
        }
        std::size_t nodes = 0;
        const std::vector<Pair> ps = solveOn(kBoxSizes, level, &nodes, true);
        for (std::size_t m = 0; m < count; ++m) {
            const Pair& p = ps[m];
            if (!(p.c > 0 && p.air > 0)) {
                out.failure = kUnsolved;
                return out;
            }
            history[m].push_back(p);
        }
        out.nodes = nodes;
        out.levels = level + 1;
        if (section.exact) {
            for (std::size_t m = 0; m < count; ++m)
                best[m] = history[m].back();
            out.error = 0;
            break;
        }
        if (level < 2)
            continue;
        double worst = 0;
        bool first = false;
        for (std::size_t m = 0; m < count; ++m) {
            const auto& hs = history[m];
            const std::size_t k = hs.size() - 1;
            const Limit la = limitOf(hs[k - 2].air, hs[k - 1].air, hs[k].air, level);
            const Limit lc = limitOf(hs[k - 2].c, hs[k - 1].c, hs[k].c, level);
            // One dielectric fills a homogeneous section: its eeff is er to
            // the last digit.
            const Pair limit{section.homogeneous ? section.er * la.value : lc.value, la.value};
            limits[m].push_back(limit);
            best[m] = limit;
            // The estimate: the error of the limit as the last move of the
            // limits tells it, and at least a share of its last step (from
            // the finest mesh to the limit): the order fitted to three
            // meshes of a singular field leaves a share of that step, which
            // two limits sharing two of their meshes keep alike.
            //
            // The limits near the truth at kLimitOrder: with the finest mesh
            // r times finer than the last limit's, the error falls r^order
            // times, and the move is the old error less the new one, so the
            // new error is the move over r^order - 1. With the edge of a
            // half-plane the terms left are less regular: there the whole
            // move counts. Of the first limit, how far it lies from the
            // finest mesh: the error of that mesh, larger than the limit's
            // own; refinement goes on, unless a limit of the mesh ends it
            // here.
            const auto& ls = limits[m];
            first = ls.size() < 2;
            const Pair& before = first ? hs[k] : ls[ls.size() - 2];
            const double finer = double(kSplits[level]) / double(kSplits[level - 1]);
            const double fall = first || thin ? 1 : std::pow(finer, kLimitOrder) - 1;
            auto estimate = [&](double value, double previous, double finest, double spread) {
                const double moved = std::fabs(value - previous), step = first ? 0 : std::fabs(value - finest);
                return std::max({moved / fall, kStepShare * step, spread}) / value;
            };
            const double ea = estimate(limit.air, before.air, hs[k].air, la.spread);
            const double ec = section.homogeneous ? ea : estimate(limit.c, before.c, hs[k].c, lc.spread);
            worst = std::max(worst, 0.5 * (ec + ea));
        }
        out.error = worst;
        if (!first && worst <= tolerance)
            break;
    }
    if (!section.exact && out.levels < 3) {
        out.failure = "a malha chegou ao limite de " + std::to_string(kMaxNodes) +
                      " nós antes das três malhas de que a estimativa do erro precisa";
        return out;
    }
    if (!(out.error < 1)) {
        out.failure = "malha grande demais";
        return out;
    }
    // The box: the capacitance of an open line nears its limit as the
    // inverse square of the box's size (the far field of a line without
    // net charge). The second mesh in a box half as large, the same near
    // the line, tells how far: a third of the step is counted as the error.
    if (section.open && !section.exact) {
        if (stopped())
            return out;
        double boxWorst = 0;
        const std::vector<Pair> halves = solveOn(kBoxSizes / 2, 1, nullptr, false);
        for (std::size_t m = 0; m < count; ++m) {
            const Pair full = history[m][1];
            const Pair& half = halves[m];
            if (!(half.c > 0 && half.air > 0)) {
                out.failure = kUnsolved;
                return out;
            }
            const double ec = (full.c - half.c) / 3 / full.c;
            const double ea = (full.air - half.air) / 3 / full.air;
            boxWorst = std::max(boxWorst, 0.5 * (std::fabs(ec) + std::fabs(ea)));
        }
        out.boxError = boxWorst;
        out.error += boxWorst;
    }
    out.converged = out.error <= tolerance;
    for (const Pair& p : best)
        if (!(std::isfinite(p.c) && std::isfinite(p.air) && p.c > 0 && p.air > 0)) {
            out.failure = kUnrepresentable;
            return out;
        }
    for (const Pair& p : best)
        out.capacitance.push_back({p.c * physics::si::eps0, p.air * physics::si::eps0, p.c, p.air});
    out.ok = true;
    out.seconds = processorSeconds() - start;
    return out;
}

Section section(const Geometry& g)
{
    Section out;
    const std::vector<Mode> modes = coupledSection(g.structure) ? std::vector<Mode>{Mode::Even, Mode::Odd}
                                                         : std::vector<Mode>{Mode::Single};
    // Capacitance = 2 W / V^2; the lower half of a stripline holds half of it.
    const double factor = 2 * lineShare(g.structure) * (stripline(g.structure) ? 2 : 1);
    for (Mode mode : modes)
        out.excitations.push_back({[g, mode](double box) { return solvedPart(g, mode, box); }, factor});
    out.exact = mapped(g.structure);
    out.open = !out.exact;
    out.farSize = openLine(g.structure) ? size(g) : 0;
    out.homogeneous = homogeneousSection(g.structure);
    out.er = g.er;
    return out;
}

Solution solve(const Geometry& g, double tolerance, const MeshOptions& meshOptions, const std::atomic<bool>* cancel,
               const MeshVisitor& visit)
{
    Solution out;
    out.failure = invalidGeometry(g);
    if (!out.failure.empty())
        return out;
    out.coupled = coupledSection(g.structure);
    const SectionSolution s = solveSection(section(g), tolerance, meshOptions, cancel, visit);
    out.ok = s.ok;
    out.converged = s.converged;
    out.failure = s.failure;
    out.cancelled = s.cancelled;
    out.error = s.error;
    out.boxError = s.boxError;
    out.seconds = s.seconds;
    out.nodes = s.nodes;
    out.levels = s.levels;
    if (!s.ok)
        return out;
    if (out.coupled) {
        out.even = lineParameters(s.capacitance[0]);
        out.odd = lineParameters(s.capacitance[1]);
    } else {
        out.single = lineParameters(s.capacitance[0]);
    }
    for (const LineParameters* p : {&out.single, &out.even, &out.odd})
        if (!(std::isfinite(p->z0) && std::isfinite(p->eeff) && std::isfinite(p->c) && std::isfinite(p->cAir))) {
            out.ok = out.converged = false;
            out.failure = kUnrepresentable;
        }
    return out;
}

} // namespace tarvel::fieldsolve
