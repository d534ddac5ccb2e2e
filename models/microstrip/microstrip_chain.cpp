// SPDX-License-Identifier: GPL-3.0-or-later
// The microstrip chain: Wheeler's impedance and its inverse with the strip
// thickness correction, Hammerstad-Jensen effective permittivity, the open-end
// extension, the three conductor-loss ranges of Pucel, Masse and Hartwig, the
// dielectric loss, Edwards-Owens dispersion, the radiation factor of an open
// end and the quality factors.
#include <cfenv>
#include <cmath>

#include "framework/core/real48.h"
#include "framework/core/held.h"
#include "microstrip.h"
#include "models/physics.h"

namespace tarvel::microstrip {
namespace {

using physics::pi, physics::euler, physics::mu0Exact, physics::dbPerNeperPi,
      physics::radiationConstant, physics::eta0;

Real sq(Real x) { return x * x; }
// x^y as exp(y ln x): the base must be positive.
Real power(Real x, Real y) { return std::exp(y * std::log(x)); }

// One run of the chain on a given substrate.
class Chain {
public:
    Chain(const Substrate& s, const Variant& v) : s_(s), v_(v) {}

    Line& line() { return line_; }
    Real held(Real x) { return held_(x); }

    void freeSpace() { lambda0_ = held(30 / s_.f); }

    void surfaceResistivity() { line_.Rs = held(std::sqrt(pi * (s_.f * 1e9L) * mu0Exact / s_.sigma)); }

    // Width ratio on the physical width, effective permittivity, guided
    // wavelength and open-end extension.
    void quasiStatic()
    {
        const Real er = s_.er;
        u_ = held(line_.W / s_.h);
        const Real u = u_;
        const Real u4 = u * u * u * u;
        const Real a = held(1 + (1 / 49.0L) * std::log((u4 + sq(u / 52)) / (u4 + 0.432L)) +
                            (1 / 18.7L) * std::log(1 + (u / 18.1L) * (u / 18.1L) * (u / 18.1L)));
        const Real b = held(0.564L * power((er - 0.9L) / (er + 3), 0.053L));
        line_.eeff = held((er + 1) / 2 + ((er - 1) / 2) / std::exp(a * b * std::log(1 + 10 / u)));
        const Real eeff = line_.eeff;
        line_.lambdaG = held(lambda0_ / std::sqrt(eeff));
        line_.dl = held(0.4128L * s_.h * ((eeff + 0.3L) / (eeff - 0.258L)) * ((u + 0.262L) / (u + 0.813L)));
    }

    // Conductor loss in dB/cm; the range by u = W/h, the formulas on We.
    void conductorLoss()
    {
        const Real h = s_.h, t = s_.t, W = line_.W, We = line_.We;
        const Real scale = 86.8L * line_.Rs;
        if (u_ <= r48(v_.narrowBound)) {
            const Real B = held(1 + h / We + (h / (pi * We)) * (std::log(4 * pi * W / t) + t / W));
            line_.alphaC = held(B * (1 - sq(We / (4 * h))) * scale / (2 * pi * line_.Z0 * h));
            return;
        }
        const Real B = held(1 + h / We + (h / (pi * We)) * (std::log(2 * h / t) - t / h));
        if (u_ <= 2) {
            line_.alphaC = held(B * (1 - sq(We / (4 * h))) * scale / (2 * pi * line_.Z0 * h));
            return;
        }
        // ln(2 pi exp(We/(2h) + 0.94)) taken apart, so no exponential can overflow.
        const Real D = held(We / h + (2 / pi) * (std::log(2 * pi) + We / (2 * h) + 0.94L));
        const Real N = held(We / h + (We / (pi * h)) / (We / (2 * h) + 0.94L));
        line_.alphaC = held(B * N * scale / (D * D * h * line_.Z0));
    }

    // Dielectric loss in dB/cm from the loss tangent or from the substrate
    // conductivity (which does not depend on the frequency), then the total.
    void dielectricLoss()
    {
        const Real er = s_.er, eeff = line_.eeff;
        if (v_.loss == SubstrateLoss::Tangent)
            line_.alphaD = held(27.3L * (er / std::sqrt(eeff)) * ((eeff - 1) / (er - 1)) * s_.loss / lambda0_);
        else
            line_.alphaD =
                held(0.0434L * (eta0 / std::sqrt(eeff)) * ((eeff - 1) / (er - 1)) * s_.loss);
        line_.alphaT = held(line_.alphaC + line_.alphaD);
    }

    // Dispersion, the radiation factor of an open end and the quality factors.
    void dispersionAndQuality()
    {
        const Real f = s_.f, er = s_.er, h = s_.h, eeff = line_.eeff, Z0 = line_.Z0;
        const Real P = held((0.43L * f * f - 0.009L * f * f * f) * power(h / Z0, 1.33L));
        line_.eeffF = held(er - (er - eeff) / (1 + P));
        const Real ef = line_.eeffF;
        line_.Z0F = held(Z0 * std::sqrt(eeff / ef) * (ef - 1) / (eeff - 1));
        const Real root = std::sqrt(ef);
        line_.F = held((ef + 1) / ef - (sq(ef - 1) / (2 * std::sqrt(ef * ef * ef))) * std::log((root + 1) / (root - 1)));
        line_.Qc = held(dbPerNeperPi * root / (line_.alphaC * lambda0_));
        line_.Qr = held(line_.Z0F / (radiationConstant * sq(0.1L * h / lambda0_) * line_.F));
        line_.Qd = held(dbPerNeperPi * root / (line_.alphaD * lambda0_));
        line_.Qt = held(1 / (1 / line_.Qd + 1 / line_.Qc + 1 / line_.Qr));
    }

    Line finish()
    {
        line_.fault = held_.fault();
        return line_;
    }

private:
    const Substrate& s_;
    const Variant& v_;
    HeldValues held_;
    Line line_;
    Real lambda0_ = 0, u_ = 0;
};

} // namespace

Line analyse(const Substrate& s, Real W, const Variant& v)
{
    Chain c(s, v);
    Line& l = c.line();
    const Real er = s.er, h = s.h, t = s.t;
    c.freeSpace();
    c.surfaceResistivity();
    // Wheeler's thickness correction widens the strip.
    l.W = W;
    const Real dW = c.held((t / pi) * std::log(4 * euler / std::sqrt(sq(1 / (pi * (W / t + 1.1L))) + sq(t / h))));
    l.We = c.held(W + dW * (1 + 1 / er) / 2);
    c.quasiStatic();
    // Wheeler's impedance on the corrected width.
    const Real x = c.held(4 * h / l.We);
    const Real k = c.held((14 + 8 / er) / 11);
    l.Z0 = c.held((42.4L / std::sqrt(er + 1)) *
                  std::log(1 + x * (k * x + std::sqrt(k * k * x * x + pi * pi * (1 + 1 / er) / 2))));
    c.conductorLoss();
    c.dielectricLoss();
    c.dispersionAndQuality();
    return c.finish();
}

Line synthesise(const Substrate& s, Real Z0, const Variant& v)
{
    Chain c(s, v);
    Line& l = c.line();
    const Real er = s.er, h = s.h, t = s.t;
    c.freeSpace();
    // Wheeler's inverse gives the corrected width.
    const Real A = c.held(std::exp(Z0 * std::sqrt(er + 1) / 42.4L) - 1);
    l.We = c.held(8 * h * std::sqrt(A * (7 + 4 / er) / 11 + (1 + 1 / er) / 0.81L) / A);
    // The thickness correction, taken off.
    const Real dW =
        c.held((t / pi) * std::log(4 * euler / std::sqrt(sq(1 / (pi * (l.We / t - 0.26L))) + sq(t / h))));
    l.W = c.held(l.We - dW * (1 + 1 / er) / 2);
    c.surfaceResistivity();
    c.quasiStatic();
    l.Z0 = Z0;
    c.conductorLoss();
    c.dielectricLoss();
    c.dispersionAndQuality();
    return c.finish();
}

} // namespace tarvel::microstrip
