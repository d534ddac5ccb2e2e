// The edge-coupled stripline pair: Cohn's thick-strip even- and odd-mode
// impedances and their conductor losses, and the closed-form synthesis of
// width and gap. Every input and every named value is held as a 48-bit real;
// the hyperbolic functions are built from exp and round like the rest.
#include <cmath>

#include "framework/core/real48.h"
#include "stripline.h"
#include "models/physics.h"

namespace tarvel::stripline {
namespace {

using physics::pi, physics::invPi, physics::invTwoPi, physics::thirtyPi, physics::sixtyPi,
      physics::mu0;

Real sq(Real v) { return v * v; }

Real tanh48(Real x)
{
    x = r48(x);
    const Real ep = std::exp(x), em = std::exp(-x);
    return r48((ep - em) / (ep + em));
}
Real cosh48(Real x)
{
    x = r48(x);
    return r48((std::exp(x) + std::exp(-x)) * 0.5L);
}
Real sinh48(Real x)
{
    x = r48(x);
    return r48((std::exp(x) - std::exp(-x)) * 0.5L);
}

Real surfaceResistivity48(Real f, Real sigma) { return r48(std::sqrt(f * 1e9L * pi * mu0 / sigma)); }
Real dielectricLoss48(Real er, Real tand, Real lambda0) { return r48(27.3L * std::sqrt(er) * tand / lambda0); }

// Impedance of one mode with mode factor A.
Real modeImpedance(Real er, Real W, Real b, Real t, Real Cf, Real A)
{
    return r48(thirtyPi * (b - t) / (std::sqrt(er) * (W + b * Cf * invTwoPi * A)));
}

const char* const thinDielectric = "Altura do dielétrico deve ser maior que a espessura da fita b>>t!!";

// The losses of both modes (dB/cm) at the mode impedances Z0e and Z0o; the
// dielectric loss alphaD is one for both.
struct PairLosses {
    Real conductorEven, conductorOdd, totalEven, totalOdd;
};

PairLosses pairLosses(Real Rs, Real er, Real b, Real t, const CoupledFactors& F, Real Z0e, Real Z0o, Real alphaD)
{
    PairLosses l{};
    l.conductorEven = coupledConductorLoss(Rs, er, b, t, Z0e, F.Ke);
    l.conductorOdd = coupledConductorLoss(Rs, er, b, t, Z0o, F.Ko);
    l.totalEven = r48(l.conductorEven + alphaD);
    l.totalOdd = r48(l.conductorOdd + alphaD);
    return l;
}

} // namespace

CoupledFactors coupledFactors(Real S, Real b, Real t)
{
    CoupledFactors F{};
    const Real ln2 = std::log(2.0L);
    F.theta = r48(pi * S / (2 * b));
    F.tanh = tanh48(F.theta);
    const Real cosh = cosh48(F.theta), sinh = sinh48(F.theta);
    F.sech = r48(1 / cosh);
    F.coth = r48(1 / F.tanh);
    F.csch = r48(1 / sinh);
    F.Ae = r48(1 + std::log(1 + F.tanh) / ln2);
    F.Ao = r48(1 + std::log(1 + F.coth) / ln2);
    const Real x = r48(t / b);
    const Real edge = (2 * b - t) / (b - t);
    const Real corner = t * (2 * b - t) / sq(b - t);
    F.Cf = r48(2 * std::log(edge) - x * std::log(corner));
    F.L = r48(std::log(edge) + 0.5L * std::log(corner));
    const Real spread = F.Cf * ((1 + S / b) / (4 * ln2));
    // The gap term adds to the even mode's loss factor and takes from the odd.
    F.Ke = r48(1 - (F.Ae * invPi) * F.L + spread * (sq(F.sech) / (1 + F.tanh)));
    F.Ko = r48((1 - (F.Ao * invPi) * F.L) - spread * (sq(F.csch) / (1 + F.coth)));
    return F;
}

Real coupledConductorLoss(Real Rs, Real er, Real b, Real t, Real Z0m, Real K)
{
    // 0.231 carries the conversion to dB/cm with lengths in millimetres.
    const Real factor = r48(0.231L * Rs * std::sqrt(er) / (thirtyPi * (b - t)));
    return r48(factor * (sixtyPi + std::sqrt(er) * Z0m * K));
}

Outcome coupledAnalysis(const Inputs& in)
{
    const Real f = r48(in["Frequencia"]), er = r48(in["ComboBox2"]), sigma = r48(in["ComboBox1"]),
               tand = r48(in["Tanperda"]), W = r48(in["Largura"]), S = r48(in["Separ"]), b = r48(in["ComboBox4"]),
               t = r48(thicknessMm(in));
    if (!(f > 0)) return Outcome::refuse("Freqüência inválida!!");
    if (!(er >= 1)) return Outcome::refuse("Constante dielétrica relativa Inválida!!");
    if (!(sigma > 0)) return Outcome::refuse("Condutividade do condutor inválida!!");
    if (!(tand > 0)) return Outcome::refuse("Tangente de perda do dielétrico inválida!!");
    if (!(W > 0)) return Outcome::refuse("Largura das fitas condutoras inválidas!!");
    if (!(S > 0)) return Outcome::refuse("Separação entre as fitas condutoras inválida!!");
    if (!(b >= r48(0.13L))) return Outcome::refuse("Altura do dielétrico inválida!!");
    if (!(t > 0)) return Outcome::refuse("Espessura da fita condutora inválida!!");
    if (!(t < b)) return Outcome::refuse(thinDielectric);

    const Real lambda0 = r48(30 / f);
    const Real Wb = r48(W / b), x = r48(t / b);
    // The range in which the thick-strip formulas hold.
    if (!(Wb > r48(0.35L))) return Outcome::refuse("A Razão (W/b)>0.35 para Satisfazer o Projeto!!");
    if (!(x <= r48(0.1L))) return Outcome::refuse("A Razão (t/b)<0.1 para Satisfazer o Projeto!!");

    const Real Rs = surfaceResistivity48(f, sigma);
    const CoupledFactors F = coupledFactors(S, b, t);
    const Real Z0e = modeImpedance(er, W, b, t, F.Cf, F.Ae);
    const Real Z0o = modeImpedance(er, W, b, t, F.Cf, F.Ao);
    const Real alphaD = dielectricLoss48(er, tand, lambda0);
    const PairLosses loss = pairLosses(Rs, er, b, t, F, Z0e, Z0o, alphaD);
    const Real lambdaG = r48(lambda0 / std::sqrt(er));

    Outcome out;
    out.set("Impcarac", Z0e).set("impcararcodd", Z0o).set("Compguiado", lambdaG);
    out.set("AtenCond", loss.conductorEven).set("AtenCondodd", loss.conductorOdd);
    out.set("Atendiel", alphaD).set("AtenDielodd", alphaD);
    out.set("AtenTotal", loss.totalEven).set("AtenTotalodd", loss.totalOdd);
    return out;
}

Outcome coupledSynthesis(const Inputs& in)
{
    const Real Z0e = r48(in["ImpModoPar"]), Z0o = r48(in["ImpModoimpar"]), f = r48(in["Frequencia"]),
               er = r48(in["ComboBox2"]), sigma = r48(in["ComboBox1"]), tand = r48(in["Tanperda"]),
               b = r48(in["ComboBox4"]), t = r48(thicknessMm(in));
    if (!(Z0e > 0)) return Outcome::refuse("Impedância Característica Modo Par Inválida!!");
    if (!(Z0o > 0)) return Outcome::refuse("Impedância Característica Modo Ímpar Inválida!!");
    if (!(Z0e > Z0o))
        return Outcome::refuse("Impedância Característica Modo Par deve ser Maior que a do Modo Ímpar (Zoe>Zoo)!!");
    if (!(f > 0)) return Outcome::refuse("Freqüência Inválida!!");
    if (!(er >= 1)) return Outcome::refuse("Constante Dielétrica Relativa Inválida!!");
    if (!(sigma > 0)) return Outcome::refuse("Condutividade do Condutor Inválida!!");
    if (!(tand > 0)) return Outcome::refuse("Tangente de perda do Substrato Inválida!!");
    if (!(b >= r48(0.13L))) return Outcome::refuse("Altura do Substrato inválida!!");
    if (!(t > 0)) return Outcome::refuse("Espessura da fita condutora inválida!!");
    // Without it the fringing logarithms below have no real value.
    if (!(t < b)) return Outcome::refuse(thinDielectric);

    // Permittivity in pF/cm, and 2 ln 2 / pi of it.
    const Real E = r48(0.0885L * er), G = r48(0.039053L * er);
    const Real u = r48(1 / (1 - r48(t / b)));
    const Real Cfp = r48((E * invPi) * (2 * u * std::log(u + 1) - (u - 1) * std::log(u * u - 1)));
    const Real V = r48(std::exp((1 / Z0o - 1 / Z0e) * 295.780948335479L * G / (std::sqrt(er) * Cfp)));
    const Real S = r48((b * 2 * invPi * 0.5L) * std::log((V + 1) / (V - 1)));
    const Real theta = r48(pi * S / (2 * b));
    const Real Cfe = r48((2 * E * Cfp / (pi * G)) * std::log(1 + tanh48(theta)));
    const Real W = r48((b - t) * (94.15L / (std::sqrt(er) * Z0e) - (Cfp + Cfe) / (2 * E)));

    const Real lambda0 = r48(30 / f);
    const Real Rs = surfaceResistivity48(f, sigma);
    const Real alphaD = dielectricLoss48(er, tand, lambda0);
    // The losses of the found gap, taken at the target impedances.
    const PairLosses loss = pairLosses(Rs, er, b, t, coupledFactors(S, b, t), Z0e, Z0o, alphaD);
    const Real lambdaG = r48(lambda0 / std::sqrt(er));

    Outcome out;
    out.set("LargReal", W).set("SepReal", S).set("complambs", lambdaG);
    out.set("AtconMp", loss.conductorEven).set("AtconMi", loss.conductorOdd);
    out.set("AtdielMp", alphaD).set("AtdielMi", alphaD);
    out.set("AtentotalMp", loss.totalEven).set("AtentotalMi", loss.totalOdd);
    return out;
}

} // namespace tarvel::stripline
