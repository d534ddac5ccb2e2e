// SPDX-License-Identifier: GPL-3.0-or-later
#include "rlgc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tarvel::fieldsolve {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The quasi-static model holds while the cross-section is below this share
// of the wavelength in its densest dielectric.
constexpr double kWavelengthShare = 0.1;
// Relative step of the frequency for the group delay's derivative.
constexpr double kDelayStep = 1e-4;

bool positive(double x) { return std::isfinite(x) && x > 0; }

} // namespace

std::string invalidLossInputs(const LossInputs& in)
{
    for (const MetalLoss& m : in.metal) {
        if (!(m.sigma > 0) || std::isnan(m.sigma))
            return "condutividade σ deve ser positiva";
        if (!(std::isfinite(m.rq) && m.rq >= 0))
            return "rugosidade rq não pode ser negativa";
        if (m.roughness == Roughness::Huray && !(positive(m.nodule) && std::isfinite(m.ratio) && m.ratio >= 0))
            return "rugosidade de Huray: raio positivo e razão de superfície não negativa";
    }
    for (double t : in.tand)
        if (!(std::isfinite(t) && t >= 0))
            return "tangente de perdas tanδ não pode ser negativa";
    if (!positive(in.unit))
        return "unidade de comprimento inválida";
    return {};
}

double skinDepth(double f, double sigma) { return 1 / std::sqrt(kPi * f * kMu0 * sigma); }

double surfaceResistance(double f, double sigma)
{
    return std::isinf(sigma) ? 0 : std::sqrt(kPi * f * kMu0 / sigma);
}

double roughnessFactor(const MetalLoss& m, double f)
{
    if (std::isinf(m.sigma))
        return 1;
    const double delta = skinDepth(f, m.sigma);
    switch (m.roughness) {
    case Roughness::None: return 1;
    case Roughness::Hammerstad: {
        // Hammerstad and Jensen: grooves of rms height rq across the current.
        const double r = m.rq / delta;
        return 1 + 2 / kPi * std::atan(1.4 * r * r);
    }
    case Roughness::Huray: {
        // Huray's snowballs: spheres of radius a on the flat surface, their
        // area `ratio` times the flat area they stand on, each losing as a
        // sphere in the wave does.
        const double a = m.nodule;
        return 1 + 1.5 * m.ratio / (1 + delta / a + delta * delta / (2 * a * a));
    }
    }
    return 1;
}

namespace {

Matrix2 matrix(double even, double odd) { return {{{(even + odd) / 2, (even - odd) / 2}, {(even - odd) / 2, (even + odd) / 2}}}; }

// The symmetric matrix of the excitations (1, 0), (0, 1), (1, 1) of a
// quadratic form's values: its diagonal and, by polarisation, the rest.
Matrix2 polarised(double one, double two, double both)
{
    const double mutual = (both - one - two) / 2;
    return {{{one, mutual}, {mutual, two}}};
}

Matrix2 product(const Matrix2& a, const Matrix2& b)
{
    Matrix2 p{};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            p[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j];
    return p;
}

Matrix2 inverse(const Matrix2& a)
{
    const double det = a[0][0] * a[1][1] - a[0][1] * a[1][0];
    return {{{a[1][1] / det, -a[0][1] / det}, {-a[1][0] / det, a[0][0] / det}}};
}

Matrix2 scaled(const Matrix2& a, double k) { return {{{a[0][0] * k, a[0][1] * k}, {a[1][0] * k, a[1][1] * k}}}; }

Matrix2 sum(const Matrix2& a, const Matrix2& b)
{
    return {{{a[0][0] + b[0][0], a[0][1] + b[0][1]}, {a[1][0] + b[1][0], a[1][1] + b[1][1]}}};
}

// A function of a symmetric matrix: the function of its eigenvalues on
// its eigenvectors.
template <class F>
Matrix2 function(const Matrix2& a, F f)
{
    const double off = (a[0][1] + a[1][0]) / 2;
    const double angle = 0.5 * std::atan2(2 * off, a[0][0] - a[1][1]);
    const double c = std::cos(angle), s = std::sin(angle);
    const double l1 = f(a[0][0] * c * c + 2 * off * c * s + a[1][1] * s * s);
    const double l2 = f(a[0][0] * s * s - 2 * off * c * s + a[1][1] * c * c);
    return {{{l1 * c * c + l2 * s * s, (l1 - l2) * c * s}, {(l1 - l2) * c * s, l1 * s * s + l2 * c * c}}};
}

// A pair solved by its strips' voltages: the three excitations' surface
// integrals (of the charge per volt, unnormalised) and energy shares made
// the pair's matrices. The current of a drive V is I = c C_air V, so the
// power lost, (Rs/2) V^T M V c^2 with M the integrals' matrix, is
// (1/2) I^T R I with R = Rs C_air^-1 M C_air^-1 (per eps0, which cancels).
LineModel::Matrices pairMatrices(const LossSolution& s, const LossInputs& in)
{
    LineModel::Matrices out;
    const std::vector<Capacitance>& cap = s.statics.capacitance;
    const Matrix2 airRelative = polarised(cap[0].relativeAir, cap[1].relativeAir, cap[2].relativeAir);
    const Matrix2 a = inverse(airRelative);
    for (std::size_t k = 0; k < kMetals; ++k) {
        const Matrix2 integrals = polarised(s.modes[0].surface[k], s.modes[1].surface[k], s.modes[2].surface[k]);
        out.surface[k] = scaled(product(product(a, integrals), a), 1 / in.unit);
    }
    out.c = polarised(cap[0].c, cap[1].c, cap[2].c);
    out.cAir = polarised(cap[0].cAir, cap[1].cAir, cap[2].cAir);
    // Each layer's share of the energy of each excitation: the layer's own
    // capacitance matrix, weighted by its loss tangent.
    for (std::size_t l = 0; l < in.tand.size(); ++l) {
        double share[3] = {};
        for (std::size_t e = 0; e < 3; ++e)
            share[e] = l < s.modes[e].filling.size() ? s.modes[e].filling[l] * cap[e].c : 0;
        out.cTand = sum(out.cTand, scaled(polarised(share[0], share[1], share[2]), in.tand[l]));
    }
    return out;
}

} // namespace

LineModel generalForm(const LineModel& p)
{
    LineModel g = p;
    if (p.general || p.modes.size() != 2)
        return g;
    const LineModel::Mode &e = p.modes[0], &o = p.modes[1];
    for (std::size_t k = 0; k < kMetals; ++k)
        g.matrices.surface[k] = matrix(e.surface[k], o.surface[k]);
    g.matrices.c = matrix(e.c, o.c);
    g.matrices.cAir = matrix(e.cAir, o.cAir);
    g.matrices.cTand = matrix(e.c * e.tand, o.c * o.tand);
    g.general = true;
    g.modes.clear();
    return g;
}

double quasiStaticLimit(const LossFrame& frame, double unit)
{
    return kWavelengthShare * kLight / (std::sqrt(std::max(1.0, frame.erMax)) * frame.size * unit);
}

LineModel lineModel(const LossSolution& s, const LossInputs& in, std::string& failure)
{
    LineModel m;
    failure = invalidLossInputs(in);
    if (failure.empty())
        failure = s.frame.unsupported;
    if (failure.empty() && !s.statics.ok)
        failure = s.statics.failure;
    if (failure.empty() && s.frame.matrix && (s.statics.capacitance.size() != 3 || s.modes.size() != 3))
        failure = "solução de campo incompleta para o par";
    if (!failure.empty())
        return m;
    bool metalLoss = false;
    for (const MetalLoss& ml : in.metal)
        metalLoss = metalLoss || !std::isinf(ml.sigma);
    if (metalLoss && !s.frame.finite) {
        failure = "perda no condutor exige espessura t > 0";
        return m;
    }
    m.metal = in.metal;
    m.pair = s.frame.pair;
    m.fMax = quasiStaticLimit(s.frame, in.unit);
    m.error = s.statics.error;
    m.surfaceError = metalLoss ? s.surfaceError : 0;
    for (std::size_t k = 0; k < kMetals; ++k) {
        const double area = s.frame.area[k] * in.unit * in.unit;
        m.rDc[k] = area > 0 && !std::isinf(in.metal[k].sigma) ? s.frame.count[k] / (in.metal[k].sigma * area) : 0;
    }
    if (s.frame.matrix) {
        m.general = true;
        m.matrices = pairMatrices(s, in);
        return m;
    }
    for (std::size_t n = 0; n < s.statics.capacitance.size() && n < s.modes.size(); ++n) {
        LineModel::Mode mode;
        mode.c = s.statics.capacitance[n].c;
        mode.cAir = s.statics.capacitance[n].cAir;
        for (std::size_t k = 0; k < kMetals; ++k)
            mode.surface[k] = s.modes[n].surface[k] / in.unit;
        for (std::size_t l = 0; l < s.modes[n].filling.size() && l < in.tand.size(); ++l)
            mode.tand += s.modes[n].filling[l] * in.tand[l];
        m.modes.push_back(mode);
    }
    return m;
}

std::string invalidFrequency(const LineModel& m, double f)
{
    if (!positive(f))
        return "frequência deve ser positiva";
    if (f > m.fMax) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "frequência acima do limite do modelo quase-estático (%.4g Hz: a seção transversal "
                      "passa de um décimo do comprimento de onda)",
                      m.fMax);
        return text;
    }
    return {};
}

namespace {

// Everything but the group delay.
ModeAt modeAt(const LineModel& m, const LineModel::Mode& mode, double f)
{
    ModeAt a;
    const double omega = 2 * kPi * f;
    double lInternal = 0;
    a.r = 0;
    for (std::size_t k = 0; k < kMetals; ++k) {
        const double smooth = surfaceResistance(f, m.metal[k].sigma) * mode.surface[k];
        const double rough = roughnessFactor(m.metal[k], f) * smooth;
        const double r = std::hypot(m.rDc[k], rough);
        const double rSmooth = std::hypot(m.rDc[k], smooth);
        a.r += r;
        a.rDc += m.rDc[k];
        if (rSmooth > 0)
            lInternal += smooth * smooth / rSmooth / omega;
    }
    a.c = mode.c;
    a.l = 1 / (kLight * kLight * mode.cAir) + lInternal;
    a.g = omega * mode.c * mode.tand;
    const std::complex<double> z(a.r, omega * a.l), y(a.g, omega * a.c);
    a.zc = std::sqrt(z / y);
    a.gamma = std::sqrt(z * y);
    if (a.gamma.real() < 0)
        a.gamma = -a.gamma;
    const double z0 = std::sqrt(a.l / a.c);
    a.alphaC = a.r / (2 * z0);
    a.alphaD = a.g * z0 / 2;
    const double phase = a.gamma.imag() * kLight / omega;
    a.eeff = phase * phase;
    return a;
}


using Complex = std::complex<double>;
using CMatrix2 = std::array<std::array<Complex, 2>, 2>;

// Two modes travel alike when their Z Y eigenvalues differ by less than
// this share of their size: rounding's difference, not the line's.
constexpr double kDegenerate = 1e-9;

CMatrix2 complexOf(const Matrix2& re, const Matrix2& im)
{
    CMatrix2 z;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            z[i][j] = Complex(re[i][j], im[i][j]);
    return z;
}

CMatrix2 product(const CMatrix2& a, const CMatrix2& b)
{
    CMatrix2 p;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            p[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j];
    return p;
}

std::array<Complex, 2> times(const CMatrix2& a, const std::array<Complex, 2>& x)
{
    return {a[0][0] * x[0] + a[0][1] * x[1], a[1][0] * x[0] + a[1][1] * x[1]};
}

CMatrix2 inverse(const CMatrix2& a)
{
    const Complex det = a[0][0] * a[1][1] - a[0][1] * a[1][0];
    return {{{a[1][1] / det, -a[0][1] / det}, {-a[1][0] / det, a[0][0] / det}}};
}

// Where the mode's voltages are in phase: +1/2 in phase and equal, -1/2 in
// opposition and equal, 0 for a mode on one strip.
double inPhase(const std::array<Complex, 2>& v)
{
    const double norm = std::norm(v[0]) + std::norm(v[1]);
    return norm > 0 ? (v[0] * std::conj(v[1])).real() / norm : 0;
}

Complex dot(const std::array<Complex, 2>& a, const std::array<Complex, 2>& b) { return a[0] * b[0] + a[1] * b[1]; }

// x^H A x / x^H x for a real symmetric A: real.
double quotient(const Matrix2& a, const std::array<Complex, 2>& x)
{
    Complex num = 0;
    for (int p = 0; p < 2; ++p)
        for (int q = 0; q < 2; ++q)
            num += std::conj(x[p]) * a[p][q] * x[q];
    return num.real() / (std::norm(x[0]) + std::norm(x[1]));
}

// The matrices of a pair in general at f: R, L (with the internal
// inductance), G, C.
void pairMatricesAt(const LineModel& m, double f, LineAt& at, double& rDc)
{
    const double omega = 2 * kPi * f;
    const LineModel::Matrices& p = m.matrices;
    Matrix2 r{}, lInternal{};
    rDc = 0;
    for (std::size_t k = 0; k < kMetals; ++k) {
        const double rs = surfaceResistance(f, m.metal[k].sigma);
        const double rough = roughnessFactor(m.metal[k], f), dc = m.rDc[k];
        const Matrix2 smooth = scaled(p.surface[k], rs);
        r = sum(r, function(smooth, [&](double x) { return std::hypot(dc, rough * x); }));
        lInternal = sum(lInternal, function(smooth, [&](double x) {
                            const double joined = std::hypot(dc, x);
                            return joined > 0 ? x * x / joined / omega : 0;
                        }));
        rDc += dc;
    }
    at.r = r;
    at.l = sum(scaled(inverse(p.cAir), 1 / (kLight * kLight)), lInternal);
    at.g = scaled(p.cTand, omega);
    at.c = p.c;
}

// Everything of a pair in general but the group delay.
LineAt generalAt(const LineModel& m, double f)
{
    LineAt at;
    at.f = f;
    at.general = true;
    double rDc = 0;
    pairMatricesAt(m, f, at, rDc);
    const double omega = 2 * kPi * f;
    const CMatrix2 z = complexOf(at.r, scaled(at.l, omega));
    const PairModes modes = pairModes(at.r, at.l, at.g, at.c, f);
    const CMatrix2 zInverse = inverse(z);
    for (int k = 0; k < 2; ++k) {
        const std::array<Complex, 2> v{modes.v[0][k], modes.v[1][k]};
        // I = Z^-1 (-dV/dz) = gamma Z^-1 V for the wave going forward.
        const std::array<Complex, 2> i = times(zInverse, {modes.gamma[k] * v[0], modes.gamma[k] * v[1]});
        ModeAt a;
        a.gamma = modes.gamma[k];
        a.zc = dot(v, v) / dot(v, i);
        a.ratio = v[1] / v[0];
        // The mode's R and L per metre are those of the power its currents
        // carry, i^H Z i / i^H i; its G and C those of its voltages.
        a.r = quotient(at.r, i);
        a.l = quotient(at.l, i);
        a.g = quotient(at.g, v);
        a.c = quotient(at.c, v);
        a.rDc = rDc;
        const double z0 = std::sqrt(a.l / a.c);
        a.alphaC = a.r / (2 * z0);
        a.alphaD = a.g * z0 / 2;
        const double phase = a.gamma.imag() * kLight / omega;
        a.eeff = phase * phase;
        at.modes.push_back(a);
    }
    return at;
}

} // namespace

PairModes pairModes(const Matrix2& r, const Matrix2& l, const Matrix2& g, const Matrix2& c, double f)
{
    const double omega = 2 * kPi * f;
    const CMatrix2 z = complexOf(r, scaled(l, omega)), y = complexOf(g, scaled(c, omega));
    const CMatrix2 zy = product(z, y);
    const Complex half = (zy[0][0] + zy[1][1]) / 2.0;
    const Complex split = std::sqrt((zy[0][0] - zy[1][1]) * (zy[0][0] - zy[1][1]) / 4.0 + zy[0][1] * zy[1][0]);
    const Complex lambda[2] = {half + split, half - split};
    std::array<std::array<Complex, 2>, 2> v{};
    if (std::abs(split) <= kDegenerate * std::abs(half)) {
        // The modes of the lossless analysis: the common drive, and the
        // voltages of equal and opposite currents, Z (1, -1).
        v[0] = {Complex(1), Complex(1)};
        v[1] = {z[0][0] - z[0][1], z[1][0] - z[1][1]};
    } else {
        for (int k = 0; k < 2; ++k) {
            // (ZY - lambda) v = 0 from either row: the one that says more.
            const std::array<Complex, 2> a{zy[0][1], lambda[k] - zy[0][0]}, b{lambda[k] - zy[1][1], zy[1][0]};
            v[k] = std::norm(a[0]) + std::norm(a[1]) >= std::norm(b[0]) + std::norm(b[1]) ? a : b;
        }
    }
    // The c mode first: voltages in phase; of two modes on one strip each
    // (strips far apart), the lower strip's first.
    int first = 0;
    const double p0 = inPhase(v[0]), p1 = inPhase(v[1]);
    if (p1 > p0 || (p1 == p0 && std::norm(v[1][0]) * std::norm(v[0][1]) > std::norm(v[0][0]) * std::norm(v[1][1])))
        first = 1;
    PairModes out;
    for (int k = 0; k < 2; ++k) {
        const int from = k == 0 ? first : 1 - first;
        const std::array<Complex, 2>& w = v[std::size_t(from)];
        out.v[0][k] = w[0];
        out.v[1][k] = w[1];
        Complex gamma = std::sqrt(std::abs(split) <= kDegenerate * std::abs(half) ? half : lambda[from]);
        if (gamma.real() < 0 || (gamma.real() == 0 && gamma.imag() < 0))
            gamma = -gamma;
        out.gamma[k] = gamma;
    }
    return out;
}

LineAt evaluate(const LineModel& m, double f)
{
    if (m.general) {
        LineAt at = generalAt(m, f);
        const LineAt below = generalAt(m, f * (1 - kDelayStep)), above = generalAt(m, f * (1 + kDelayStep));
        for (std::size_t k = 0; k < at.modes.size(); ++k)
            at.modes[k].delay = (above.modes[k].beta() - below.modes[k].beta()) / (2 * kPi * f * 2 * kDelayStep);
        return at;
    }
    LineAt at;
    at.f = f;
    for (const LineModel::Mode& mode : m.modes) {
        ModeAt a = modeAt(m, mode, f);
        const double below = modeAt(m, mode, f * (1 - kDelayStep)).beta();
        const double above = modeAt(m, mode, f * (1 + kDelayStep)).beta();
        a.delay = (above - below) / (2 * kPi * f * 2 * kDelayStep);
        at.modes.push_back(a);
    }
    if (m.pair && at.modes.size() == 2) {
        at.modes[1].ratio = -1;
        const ModeAt &e = at.modes[0], &o = at.modes[1];
        at.r = matrix(e.r, o.r);
        at.l = matrix(e.l, o.l);
        at.g = matrix(e.g, o.g);
        at.c = matrix(e.c, o.c);
    }
    return at;
}

std::vector<double> frequencies(double f1, double f2, std::size_t n, bool logarithmic)
{
    std::vector<double> f;
    if (n == 0)
        return f;
    f.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        const double u = n == 1 ? 0 : double(k) / double(n - 1);
        f.push_back(logarithmic ? f1 * std::pow(f2 / f1, u) : f1 + (f2 - f1) * u);
    }
    if (n > 1)
        f.back() = f2;
    return f;
}

std::string invalidSweep(const LineModel& m, double f1, double f2, std::size_t n)
{
    if (n == 0 || n > kMaxPoints)
        return "número de pontos deve estar entre 1 e " + std::to_string(kMaxPoints);
    for (double f : {f1, f2}) {
        const std::string e = invalidFrequency(m, f);
        if (!e.empty())
            return e;
    }
    if (n > 1 && !(f2 > f1))
        return "frequência final deve ser maior que a inicial";
    return {};
}

std::vector<LineAt> sweep(const LineModel& m, const std::vector<double>& f)
{
    std::vector<LineAt> out;
    out.reserve(f.size());
    for (double x : f)
        out.push_back(evaluate(m, x));
    return out;
}

} // namespace tarvel::fieldsolve
