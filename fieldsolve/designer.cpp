// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer.h"

#include <algorithm>
#include <cmath>

#include "framework/core/number_text.h"
#include "models/physics.h"

namespace tarvel::fieldsolve {

namespace {

constexpr double kC = physics::si::c;
// Early steps of a synthesis, far from the target, solve to this looser
// estimate; the answer is always solved at the design tolerance.
constexpr double kRoughTolerance = 3e-3;
// Close enough to the target (relative) to solve at the design tolerance.
constexpr double kNear = 5e-3;
constexpr int kMaxSolves = 40;
// The meshes of those early steps: coarser at the edges, growing faster.
MeshOptions roughMesh()
{
    MeshOptions m;
    m.edge = 0.35;
    m.flatEdge = 0.02;
    m.other = 0.6;
    m.growth = 1.9;
    return m;
}
// How far a varied dimension may go from the held ones, either way: a
// hundred substrate heights apart, a pair is two lines to 1e-4.
constexpr double kRange = 100;

// The inverse of a symmetric 2x2 matrix.
void invert(const double m[2][2], double out[2][2])
{
    const double det = m[0][0] * m[1][1] - m[0][1] * m[1][0];
    out[0][0] = m[1][1] / det;
    out[1][1] = m[0][0] / det;
    out[0][1] = -m[0][1] / det;
    out[1][0] = -m[1][0] / det;
}

} // namespace

const char* quantityName(Quantity q)
{
    switch (q) {
    case Quantity::Z0: return "Z0";
    case Quantity::Zdiff: return "Zdiff";
    case Quantity::Z0e: return "Z0e";
    case Quantity::Z0o: return "Z0o";
    }
    return "";
}

double valueOf(const Analysis& a, Quantity q)
{
    switch (q) {
    case Quantity::Z0: return a.z0;
    case Quantity::Zdiff: return a.zdiff;
    case Quantity::Z0e: return a.z0e;
    case Quantity::Z0o: return a.z0o;
    }
    return 0;
}

namespace {

Analysis analyseOn(const Design& design, double tolerance, const MeshOptions& mesh, const std::atomic<bool>* cancel);

} // namespace

Analysis analyse(const Design& design, double tolerance, const std::atomic<bool>* cancel)
{
    return analyseOn(design, tolerance, {}, cancel);
}

namespace {

Analysis analyseOn(const Design& design, double tolerance, const MeshOptions& mesh, const std::atomic<bool>* cancel)
{
    Analysis a;
    a.pair = design.info().pair;
    a.failure = checkDesign(design);
    if (!a.failure.empty())
        return a;
    return analysisOf(design, solveSection(designSection(design), tolerance, mesh, cancel));
}

} // namespace

Analysis analysisOf(const Design& design, const SectionSolution& s)
{
    return analysisOf(design, s, excitationsOf(design));
}

Analysis analysisOf(const Design& design, const SectionSolution& s, Excitations how)
{
    Analysis a;
    a.pair = design.info().pair;
    a.solves = 1;
    a.ok = s.ok;
    a.converged = s.converged;
    a.cancelled = s.cancelled;
    a.failure = s.failure;
    a.error = s.error;
    a.seconds = s.seconds;
    a.nodes = s.nodes;
    if (!s.ok)
        return a;
    double cAir[2][2] = {};
    switch (how) {
    case Excitations::Single: {
        const LineParameters lp = lineParameters(s.capacitance[0]);
        a.z0 = lp.z0;
        a.eeff = lp.eeff;
        a.c = lp.c;
        a.l = 1 / (kC * kC * lp.cAir);
        return a;
    }
    case Excitations::EvenOdd: {
        const Capacitance& e = s.capacitance[0];
        const Capacitance& o = s.capacitance[1];
        const LineParameters even = lineParameters(e), odd = lineParameters(o);
        a.z0e = even.z0;
        a.z0o = odd.z0;
        a.eeffE = even.eeff;
        a.eeffO = odd.eeff;
        // Both strips at 1 V hold Ce each, at +1 and -1 V Co each.
        a.cMatrix[0][0] = a.cMatrix[1][1] = (e.c + o.c) / 2;
        a.cMatrix[0][1] = a.cMatrix[1][0] = (e.c - o.c) / 2;
        cAir[0][0] = cAir[1][1] = (e.cAir + o.cAir) / 2;
        cAir[0][1] = cAir[1][0] = (e.cAir - o.cAir) / 2;
        a.zdiff = 2 * a.z0o;
        a.zcm = a.z0e / 2;
        break;
    }
    case Excitations::Matrix: {
        const Capacitance& one = s.capacitance[0];
        const Capacitance& two = s.capacitance[1];
        const Capacitance& both = s.capacitance[2];
        a.cMatrix[0][0] = one.c;
        a.cMatrix[1][1] = two.c;
        a.cMatrix[0][1] = a.cMatrix[1][0] = (both.c - one.c - two.c) / 2;
        cAir[0][0] = one.cAir;
        cAir[1][1] = two.cAir;
        cAir[0][1] = cAir[1][0] = (both.cAir - one.cAir - two.cAir) / 2;
        a.symmetric = false;
        break;
    }
    }
    invert(cAir, a.lMatrix);
    for (auto& row : a.lMatrix)
        for (double& v : row)
            v /= kC * kC;
    if (how == Excitations::Matrix) {
        // One dielectric: Z = v L with v = c / sqrt(er).
        const double er = a.cMatrix[0][0] / cAir[0][0];
        const double v = kC / std::sqrt(er);
        const double z11 = v * a.lMatrix[0][0], z22 = v * a.lMatrix[1][1], z12 = v * a.lMatrix[0][1];
        a.zdiff = z11 + z22 - 2 * z12;
        // Both strips at one voltage: Y = Z^-1 = (c^2 / v) C_air, summed.
        a.zcm = v / (kC * kC * (cAir[0][0] + cAir[1][1] + 2 * cAir[0][1]));
        a.z0o = a.zdiff / 2;
        a.z0e = 2 * a.zcm;
        a.eeffE = a.eeffO = er;
    }
    a.k = (a.z0e - a.z0o) / (a.z0e + a.z0o);
    return a;
}

std::string checkSynthesis(const Design& design, const std::vector<Target>& targets,
                           const std::vector<std::string>& vary)
{
    const TemplateInfo& info = design.info();
    if (targets.empty())
        return "Falta o alvo da síntese.";
    for (const Target& t : targets)
        if (!(std::isfinite(t.value) && t.value > 0))
            return std::string("O alvo ") + quantityName(t.quantity) + " tem de ser um número positivo.";
    bool z0 = false, zdiff = false, z0e = false, z0o = false;
    for (const Target& t : targets) {
        bool& seen = t.quantity == Quantity::Z0 ? z0 : t.quantity == Quantity::Zdiff ? zdiff
                                                   : t.quantity == Quantity::Z0e   ? z0e
                                                                                   : z0o;
        if (seen)
            return std::string("O alvo ") + quantityName(t.quantity) + " foi dado duas vezes.";
        seen = true;
    }
    if (!info.pair) {
        if (!z0 || targets.size() != 1)
            return "Uma linha simples (" + info.name + ") sintetiza só Z0.";
    } else {
        if (z0)
            return "Um par (" + info.name + ") sintetiza Zdiff, ou Z0e e Z0o juntos, não Z0.";
        if (zdiff && targets.size() != 1)
            return "Zdiff vai sozinho; Z0e e Z0o vão juntos.";
        if (!zdiff && !(z0e && z0o))
            return "Z0e e Z0o vão juntos.";
    }
    const std::size_t want = zdiff || z0 ? 1 : 2;
    if (vary.size() != want)
        return want == 1 ? "Um alvo varia uma dimensão (--vary W, por exemplo)."
                         : "Z0e e Z0o variam duas dimensões (--vary W,S, por exemplo).";
    for (std::size_t i = 0; i < vary.size(); ++i) {
        const int k = info.index(vary[i]);
        if (k < 0)
            return "A dimensão " + vary[i] + " não existe em " + info.name + ".";
        const Parameter& p = info.parameters[std::size_t(k)];
        if (!p.length || p.name == "t" || p.name == "c1" || p.name == "c2")
            return "A dimensão " + p.name + " (" + p.label + ") não pode variar numa síntese.";
        if (!design.has(p.name) || design[p.name] <= 0)
            return "A dimensão " + p.name + " (" + p.label + ") precisa de um valor positivo de partida.";
        for (std::size_t j = 0; j < i; ++j)
            if (vary[j] == vary[i])
                return "A dimensão " + p.name + " foi dada duas vezes.";
    }
    if (z0e && z0o) {
        double e = 0, o = 0;
        for (const Target& t : targets)
            (t.quantity == Quantity::Z0e ? e : o) = t.value;
        if (!(e > o))
            return "Z0e tem de ser maior que Z0o: o modo par de um par acoplado tem a impedância maior.";
    }
    return {};
}

namespace {

// One synthesis under way: solves the design with the varied dimensions at
// given logarithms, counting solves and keeping the best.
class Search {
public:
    Search(const Design& start, const std::vector<Target>& targets, const std::vector<std::string>& vary,
           const std::atomic<bool>* cancel, const Progress& progress)
        : design_(start), targets_(targets), vary_(vary), cancel_(cancel), progress_(progress)
    {
        // The varied dimensions stay within kRange times the held lengths
        // either way.
        double small = HUGE_VAL, big = 0;
        const TemplateInfo& info = start.info();
        for (std::size_t i = 0; i < info.parameters.size(); ++i) {
            const Parameter& p = info.parameters[i];
            const double v = start.values[i];
            if (!p.length || std::isnan(v) || v <= 0 || p.name == "t" || p.name == "c1" || p.name == "c2"
                || std::find(vary.begin(), vary.end(), p.name) != vary.end())
                continue;
            small = std::min(small, v);
            big = std::max(big, v);
        }
        if (big == 0)
            small = big = start[vary.front()];
        lo_ = std::log(big / kRange);
        hi_ = std::log(small * kRange);
    }

    struct Point {
        std::vector<double> u; // logs of the varied dimensions
        std::vector<double> f; // log of each quantity over its target
        Analysis a;
        bool ok = false;
        bool precise = false; // solved at the design tolerance
        double worst() const
        {
            double w = 0;
            for (double x : f)
                w = std::max(w, std::fabs(x));
            return w;
        }
    };

    // The design at u; `precise` solves at the design tolerance.
    Point at(const std::vector<double>& u, bool precise)
    {
        Point p;
        p.u = u;
        Design d = design_;
        for (std::size_t i = 0; i < u.size(); ++i)
            d.set(vary_[i], std::exp(u[i]));
        p.a = precise ? analyse(d, kDesignTolerance, cancel_) : analyseOn(d, kRoughTolerance, roughMesh(), cancel_);
        solves_ += p.a.solves;
        if (progress_ && p.a.solves)
            progress_(solves_);
        p.ok = p.a.ok;
        p.precise = precise;
        if (p.ok)
            for (const Target& t : targets_)
                p.f.push_back(std::log(valueOf(p.a, t.quantity) / t.value));
        return p;
    }
    bool cancelled() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }

    double lo_ = 0, hi_ = 0;
    int solves_ = 0;
    Design design_;
    std::vector<Target> targets_;
    std::vector<std::string> vary_;
    const std::atomic<bool>* cancel_;
    const Progress& progress_;
};

// K(k') / K(k).
double ellipticRatio(double k)
{
    return std::comp_ellint_1(std::sqrt(1 - k * k)) / std::comp_ellint_1(k);
}

// Z0 of a single line from a closed form (thin metal, the mask and second
// layers left out), NaN when the template has none: the start of a
// synthesis, and the slope of its first step.
double closedFormZ0(const Design& d)
{
    const double eta0 = physics::si::eta0;
    const double W = d["W"];
    switch (d.kind) {
    case Template::Microstrip:
    case Template::EmbeddedMicrostrip: {
        // Wheeler's logarithm with Hammerstad's fit, and the usual eeff.
        const double u = W / d["h"], er = d["er"];
        const double f = 6 + (2 * M_PI - 6) * std::exp(-std::pow(30.666 / u, 0.7528));
        const double z1 = eta0 / (2 * M_PI) * std::log(f / u + std::sqrt(1 + 4 / (u * u)));
        const double eeff = (er + 1) / 2 + (er - 1) / 2 / std::sqrt(1 + 12 / u);
        return z1 / std::sqrt(eeff);
    }
    case Template::Stripline: {
        // The centred strip of no thickness, in the layers' mean.
        const double b = d["h1"] + d["t"] + d["h2"];
        const double er = (d["er1"] * d["h1"] + d["er2"] * d["h2"]) / (d["h1"] + d["h2"]);
        const double k = 1 / std::cosh(M_PI * W / (2 * b));
        return eta0 / (4 * std::sqrt(er)) / ellipticRatio(k);
    }
    case Template::Cpw:
    case Template::Gcpw: {
        const double k = W / (W + 2 * d["S"]), er = d["er"];
        if (d.kind == Template::Cpw)
            return eta0 / (4 * std::sqrt((er + 1) / 2)) * ellipticRatio(k);
        const double h = d["h"];
        const double k3 = std::tanh(M_PI * W / (4 * h)) / std::tanh(M_PI * (W + 2 * d["S"]) / (4 * h));
        const double air = 1 / ellipticRatio(k), back = 1 / ellipticRatio(k3);
        const double eeff = (air + er * back) / (air + back);
        return eta0 / (2 * std::sqrt(eeff)) / (air + back);
    }
    case Template::Cps: {
        const double k = d["S"] / (d["S"] + 2 * W);
        return eta0 / std::sqrt((d["er"] + 1) / 2) / ellipticRatio(k);
    }
    default: return NAN;
    }
}

// Which way a quantity moves as a dimension grows, as a first guess of
// d ln Z / d ln x: wider strips lower the impedance, wider gaps and taller
// layers raise it.
double slopeGuess(const std::string& name)
{
    if (name == "W" || name == "G")
        return -0.5;
    return 0.3;
}

} // namespace

Synthesis synthesise(const Design& start, const std::vector<Target>& targets, const std::vector<std::string>& vary,
                     const std::atomic<bool>* cancel, const Progress& progress)
{
    Synthesis out;
    const double t0 = processorSeconds();
    out.design = start;
    out.varied = vary;
    out.failure = checkDesign(start);
    if (out.failure.empty())
        out.failure = checkSynthesis(start, targets, vary);
    if (!out.failure.empty())
        return out;
    Search search(start, targets, vary, cancel, progress);
    const std::size_t n = vary.size();
    std::vector<double> u;
    for (const std::string& name : vary)
        u.push_back(std::clamp(std::log(start[name]), search.lo_, search.hi_));
    // A single line starts where its closed form meets the target, and
    // takes the closed form's slope for its first step.
    double formSlope = NAN;
    if (n == 1 && targets[0].quantity == Quantity::Z0 && std::isfinite(closedFormZ0(start))) {
        Design probe = start;
        const auto form = [&](double x) {
            probe.set(vary[0], std::exp(x));
            return std::log(closedFormZ0(probe) / targets[0].value);
        };
        double a = search.lo_, b = search.hi_, fa = form(a), fb = form(b);
        if (std::isfinite(fa) && std::isfinite(fb) && (fa < 0) != (fb < 0)) {
            for (int i = 0; i < 60; ++i) {
                const double m = (a + b) / 2, fm = form(m);
                if ((fm < 0) == (fa < 0))
                    a = m, fa = fm;
                else
                    b = m;
            }
            u[0] = (a + b) / 2;
            formSlope = (form(u[0] + 0.01) - form(u[0] - 0.01)) / 0.02;
        }
    }
    const double accept = std::log1p(kTargetTolerance);

    Search::Point best;
    // The best point: one solved at the design tolerance within the
    // target first, else the nearest.
    auto rank = [&](const Search::Point& q) { return q.precise && q.worst() <= accept ? 0 : 1; };
    auto better = [&](const Search::Point& p) {
        if (p.ok && (!best.ok || rank(p) < rank(best) || (rank(p) == rank(best) && p.worst() < best.worst())))
            best = p;
    };
    bool precise = false;
    bool atBound = false;
    Search::Point p = search.at(u, false);
    if (!p.ok && !p.a.cancelled) {
        out.failure = "a solução de campo falhou no ponto de partida: " + p.a.failure;
        out.solves = search.solves_;
        return out;
    }
    better(p);
    if (n == 1) {
        // The secant on ln x -> ln Z, kept inside a bracket once the target
        // is bracketed (then bisection when the secant would leave it).
        Search::Point prev;
        bool bracketed = false;
        double ua = 0, fa = 0, ub = 0;
        while (p.ok && search.solves_ < kMaxSolves && !search.cancelled()) {
            const double f = p.f[0];
            if (std::fabs(f) <= accept && precise)
                break;
            if (std::fabs(f) <= kNear && !precise) {
                // Near: the same point again, at the design tolerance.
                precise = true;
                p = search.at(p.u, true);
                better(p);
                continue;
            }
            if (prev.ok) {
                if ((prev.f[0] < 0) != (f < 0)) {
                    bracketed = true;
                    ua = prev.u[0], fa = prev.f[0], ub = p.u[0];
                } else if (bracketed) {
                    // Keep the bracket's end of the other sign.
                    if ((fa < 0) == (f < 0))
                        ua = p.u[0], fa = f;
                    else
                        ub = p.u[0];
                }
            }
            double slope = std::isfinite(formSlope) && formSlope != 0 ? formSlope : slopeGuess(vary[0]);
            if (prev.ok && p.u[0] != prev.u[0])
                slope = (f - prev.f[0]) / (p.u[0] - prev.u[0]);
            double next = p.u[0] - f / (slope != 0 ? slope : slopeGuess(vary[0]));
            if (bracketed) {
                const double a = std::min(ua, ub), b = std::max(ua, ub);
                if (!(next > a && next < b) || !std::isfinite(next))
                    next = (a + b) / 2;
            } else if (prev.ok && (next > search.hi_ || next < search.lo_)) {
                // The secant itself says the target lies past the range:
                // straight to its end, to see.
            } else {
                next = std::clamp(next, p.u[0] - 1.5, p.u[0] + 1.5);
            }
            if (!std::isfinite(next))
                break;
            const double clamped = std::clamp(next, search.lo_, search.hi_);
            if (clamped != next && p.u[0] == clamped) {
                atBound = true; // the target lies past the range of the dimension
                break;
            }
            prev = p;
            p = search.at({clamped}, precise);
            better(p);
        }
    } else {
        // Newton on (ln W, ln S) -> (ln Z0e, ln Z0o), the Jacobian from
        // finite differences, then Broyden's updates of it.
        double J[2][2] = {};
        bool haveJ = false;
        double lastWorst = HUGE_VAL;
        while (p.ok && search.solves_ < kMaxSolves && !search.cancelled()) {
            if (p.worst() <= accept && precise)
                break;
            if (p.worst() <= kNear && !precise) {
                precise = true;
                p = search.at(p.u, true);
                better(p);
                haveJ = false; // the finer solves move the values a little
                continue;
            }
            if (!haveJ || p.worst() > 0.7 * lastWorst) {
                const double h = 0.03;
                for (std::size_t j = 0; j < 2; ++j) {
                    std::vector<double> uj = p.u;
                    uj[j] += h;
                    const Search::Point q = search.at(uj, precise);
                    if (!q.ok)
                        break;
                    for (std::size_t i = 0; i < 2; ++i)
                        J[i][j] = (q.f[i] - p.f[i]) / h;
                }
                haveJ = true;
            }
            lastWorst = p.worst();
            const double det = J[0][0] * J[1][1] - J[0][1] * J[1][0];
            if (!(std::fabs(det) > 1e-12))
                break;
            double du[2] = {-(J[1][1] * p.f[0] - J[0][1] * p.f[1]) / det,
                            -(-J[1][0] * p.f[0] + J[0][0] * p.f[1]) / det};
            const double step = std::max(std::fabs(du[0]), std::fabs(du[1]));
            if (step > 1)
                du[0] /= step, du[1] /= step;
            std::vector<double> next = {p.u[0] + du[0], p.u[1] + du[1]};
            bool clamped = false;
            for (double& x : next) {
                const double c = std::clamp(x, search.lo_, search.hi_);
                clamped = clamped || c != x;
                x = c;
            }
            if (clamped && next == p.u) {
                atBound = true;
                break;
            }
            Search::Point q = search.at(next, precise);
            if (!q.ok)
                break;
            // Broyden: the Jacobian corrected along the step taken.
            const double s0 = q.u[0] - p.u[0], s1 = q.u[1] - p.u[1], ss = s0 * s0 + s1 * s1;
            if (ss > 0)
                for (std::size_t i = 0; i < 2; ++i) {
                    const double r = (q.f[i] - p.f[i]) - (J[i][0] * s0 + J[i][1] * s1);
                    J[i][0] += r * s0 / ss;
                    J[i][1] += r * s1 / ss;
                }
            p = q;
            better(p);
        }
    }
    out.solves = search.solves_;
    if (search.cancelled() || p.a.cancelled) {
        out.cancelled = true;
        out.failure = "cancelada";
        out.seconds = processorSeconds() - t0;
        return out;
    }
    // The answer is solved at the design tolerance.
    if (best.ok && !best.precise) {
        const Search::Point finer = search.at(best.u, true);
        out.solves = search.solves_;
        if (finer.a.cancelled) {
            out.cancelled = true;
            out.failure = "cancelada";
            out.seconds = processorSeconds() - t0;
            return out;
        }
        if (finer.ok)
            best = finer;
    }
    out.seconds = processorSeconds() - t0;
    if (!best.ok) {
        out.failure = "a solução de campo falhou: " + best.a.failure;
        return out;
    }
    for (std::size_t i = 0; i < n; ++i)
        out.design.set(vary[i], std::exp(best.u[i]));
    out.analysis = best.a;
    for (const Target& t : targets)
        out.reached.push_back(valueOf(best.a, t.quantity));
    out.ok = best.worst() <= accept;
    if (!out.ok) {
        std::string reached;
        for (std::size_t i = 0; i < targets.size(); ++i)
            reached += (reached.empty() ? "" : ", ") + std::string(quantityName(targets[i].quantity)) + " = "
                       + formatFixed(out.reached[i], 2) + " Ω";
        std::string varied;
        for (const std::string& name : vary)
            varied += (varied.empty() ? "" : " e ") + name;
        out.reachable = !atBound && search.solves_ < kMaxSolves;
        out.failure = out.reachable
                          ? "a síntese não convergiu em " + std::to_string(out.solves)
                                + " soluções de campo; o mais perto alcançado: " + reached
                          : "o alvo não é alcançável variando " + varied
                                + " com dimensões positivas; o mais perto alcançado: " + reached;
    }
    return out;
}

} // namespace tarvel::fieldsolve
