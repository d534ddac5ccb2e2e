#include "coax.h"

#include <cmath>

#include "models/physics.h"

namespace tarvel::coax {
namespace {

using physics::pi, physics::mu0, physics::invTwoPi, physics::fourPi, physics::dbPerNeperPi,
      physics::invC0, physics::dbPerNeper, physics::c0;

constexpr Real inv60 = 0.016666666666666666L;

// Cut-off of the first higher (TE11) mode, GHz, diameters in mm.
Real cutoff(Real d2b, Real d2a, Real sqrtEr) { return 600 / ((d2b + d2a) * pi * sqrtEr); }
Real surfaceResistivity(Real fHz, Real sigma) { return std::sqrt(fHz * pi * mu0 / sigma); }
Real dielectricLoss(Real tand, Real sqrtEr, Real fHz) { return tand * sqrtEr * fHz * dbPerNeperPi * invC0; }
Real conductance(Real alphaD, Real Z0) { return (2 * alphaD / (Z0 * dbPerNeper)) * 1e6L; }
Real velocity(Real sqrtEr) { return c0 / (sqrtEr * 1e8L); } // in 1e8 m/s

const char* const higherModes = "Poderá Ocorrer Propagação de Modos de Ordem Superior, pois a Freqüência de Corte "
                                "é Menor do que a Freqüência de Operação (fc<fo) !!";
const char* const higherModesSynthesis =
    "Poderá Ocorrer Propagação de Modos de Ordem Superior, pois a Freqüência de Corte é Menor do que a "
    "Freqüência de Operação (fc<fo), altere a freqüência ou a constante Dielétrica!!";

} // namespace

Outcome analysis(const Inputs& in)
{
    const Real f = in["Frequencia"], sigma = in["ComboBox1"], Emax = in["Rigidez"], tand = in["TanPerda"],
               d2b = in["Diaext"], d2a = in["Diaint"];
    if (!(f > 0)) return Outcome::refuse("Freqüência Inválida!!");
    // A picked cable names its own dielectric; the blank entry reads 0.
    const Real er = in.isPicked("ComboBox3") ? in["ComboBox3"] : in["ComboBox2"];
    if (!(er >= 1)) return Outcome::refuse("Constante dielétrica relativa inválida!!");
    if (!(sigma > 0)) return Outcome::refuse("Condutividade do condutor inválida!!");
    if (!(Emax >= 0)) return Outcome::refuse("Rigidez dielétrica inválida!!");
    if (!(tand > 0)) return Outcome::refuse("Tangente de perda do dielétrico inválida!!");
    if (!(d2b > 0)) return Outcome::refuse("Diâmetro Externo Inválido (2b<=0)!!");
    if (!(d2a > 0)) return Outcome::refuse("Diâmetro Interno Inválido (2a<=0)!!");
    if (!(d2b > d2a)) return Outcome::refuse("Diâmetro Externo deve ser maior que o Diâmetro Interno(2b>2a)!!");

    const Real a = d2a * 0.5L, b = d2b * 0.5L; // radii, mm
    const Real fHz = f * 1e9L;
    const Real sqrtEr = std::sqrt(er);
    const Real fc = cutoff(d2b, d2a, sqrtEr);
    // Above the cut-off the line is no longer single-mode: nothing is computed.
    if (f > fc)
        return Outcome::refuse(higherModes);

    const Real lnRatio = std::log(d2b / d2a);
    const Real Z0 = (60 / sqrtEr) * lnRatio;
    const Real L = 200 * lnRatio;           // nH/m
    const Real C = 55.556L * er / lnRatio; // pF/m
    const Real Rs = surfaceResistivity(fHz, sigma);
    const Real perimeters = 1 / b + 1 / a; // 1/mm
    const Real R = Rs * 1000 * invTwoPi * perimeters;
    const Real v = velocity(sqrtEr);
    const Real am = a * 0.001L;
    const Real Pmax = 44 * Emax * Emax * am * am * sqrtEr * std::log(b / a); // 1e6 W
    const Real alphaC = (Rs * dbPerNeper / (Z0 * fourPi)) * 1000 * perimeters;
    const Real alphaD = dielectricLoss(tand, sqrtEr, fHz);
    const Real G = conductance(alphaD, Z0); // µS/m

    Outcome out;
    out.set("Impedancia", Z0).set("Freqcorte", fc).set("Indutancia", L).set("Capacitancia", C);
    out.set("Resistividade", Rs).set("Resistencia", R).set("Velocidade", v).set("Potencia", Pmax);
    out.set("AtenCond", alphaC).set("AtenDiel", alphaD).set("Condutancia", G).set("Atentotal", alphaC + alphaD);
    return out;
}

Outcome synthesis(const Inputs& in)
{
    const Real Z0 = in["impedancia"], f = in["Frequencia"], er = in["ComboBox2"], sigma = in["ComboBox1"],
               Emax = in["Rigidez"], tand = in["TanPerda"], alphaT = in["Atentotal"];
    if (!(Z0 > 0)) return Outcome::refuse("Impedância Característica!!");
    if (!(f > 0)) return Outcome::refuse("Freqüência Inválida!!");
    if (!(er >= 1)) return Outcome::refuse("Constante dielétrica relativa inválida !!");
    if (!(sigma > 0)) return Outcome::refuse("Condutividade do condutor inválida!!");
    if (!(Emax >= 0)) return Outcome::refuse("Rigidez Dielétrica Inválida!!");
    if (!(tand > 0)) return Outcome::refuse("Tangente de Perda do dielétrico inválido!!");
    if (!(alphaT > 0)) return Outcome::refuse("Atenuação total Inválida!!");

    const Real fHz = f * 1e9L;
    const Real sqrtEr = std::sqrt(er);
    const Real k = std::exp(sqrtEr * Z0 * inv60); // b/a
    if (!std::isfinite(k))
        return Outcome::faulted(Fault::Overflow);
    const Real alphaD = dielectricLoss(tand, sqrtEr, fHz);
    const Real alphaC = alphaT - alphaD;
    const Real Rs = surfaceResistivity(fHz, sigma);
    const Real D = Rs * dbPerNeper / (Z0 * fourPi);
    // The dielectric alone takes the whole wanted attenuation: the conductor
    // loss formula would have to be solved with zero loss.
    if (alphaC == 0)
        return Outcome::faulted(Fault::DivisionByZero);
    // The analysis' conductor loss solved for a, with b = k a (metres).
    const Real a = (D * k + D) / (alphaC * k);
    const Real b = a * k;
    const Real d2b = b * 2000, d2a = a * 2000; // mm
    if (!std::isfinite(d2b) || !std::isfinite(d2a))
        return Outcome::faulted(Fault::Overflow);
    const Real fc = cutoff(d2b, d2a, sqrtEr);
    // Also taken when alpha_t is below alpha_d: a, b and fc come out negative.
    if (f > fc)
        return Outcome::refuse(higherModesSynthesis);

    const Real lnRatio = std::log(d2b / d2a);
    const Real L = 200 * lnRatio;
    const Real C = 55.556L * er / lnRatio;
    const Real R = Rs * invTwoPi * (1 / a + 1 / b);
    const Real v = velocity(sqrtEr);
    const Real Pmax = 44 * Emax * Emax * a * a * sqrtEr * std::log(b / a);
    const Real G = conductance(alphaD, Z0);

    Outcome out;
    out.set("Diaexter", d2b).set("Diainter", d2a).set("Freqcorte", fc).set("Indutancia", L);
    out.set("Capacitancia", C).set("Resistividade", Rs).set("Resistencia", R).set("Velocidade", v);
    out.set("Potencia", Pmax).set("AtenCond", alphaC).set("AtenDiel", alphaD).set("Condutancia", G);
    return out;
}

} // namespace tarvel::coax
