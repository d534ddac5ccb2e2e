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

Matrix2 matrix(double even, double odd) { return {{{(even + odd) / 2, (even - odd) / 2}, {(even - odd) / 2, (even + odd) / 2}}}; }

} // namespace

LineAt evaluate(const LineModel& m, double f)
{
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
