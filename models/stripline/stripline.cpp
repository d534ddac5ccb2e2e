// The single stripline: analysis (Wheeler's impedance of a thick strip) and
// closed-form synthesis, both followed by the same secondary results.
#include "stripline.h"
#include "models/physics.h"

#include <cmath>
#include <utility>

namespace tarvel::stripline {
namespace {

using physics::pi, physics::invPi, physics::fourPi, physics::halfPi, physics::quarterPi,
      physics::thirtyPi, physics::mu0, physics::eps0, physics::dbPerNeperPi;

Real sq(Real v) { return v * v; }

enum class Dielectric { LossTangent, Conducting };

// What follows from a known width and impedance, in display order after the
// first field (the impedance in analysis, the width in synthesis).
Outcome secondaryResults(Outcome out, Dielectric kind, Real f, Real er, Real sigma, Real loss, Real W, Real b,
                         Real t, Real Z0)
{
    const Real lambda0 = 30 / f;
    const Real lambdaG = lambda0 / std::sqrt(er);
    const Real dl = endEffect(W, b, lambdaG);
    const Real Rs = surfaceResistivity(f, sigma);
    const Real alphaC = conductorLoss(W, b, t, f, er, Z0);
    const Real fc = cutoff(W, b, er);
    const Real alphaD = kind == Dielectric::LossTangent ? lossTangentAttenuation(er, loss, lambda0)
                                                        : conductingDielectricAttenuation(er, loss);
    const Real alphaT = alphaC + alphaD;
    const Real Qc = dbPerNeperPi * std::sqrt(er) / (lambda0 * alphaC);
    const Real Qd = dbPerNeperPi * std::sqrt(er) / (lambda0 * alphaD);
    const Real Qt = 1 / (1 / Qc + 1 / Qd);

    out.set("FreqCorte", fc).set("Resistividade", Rs).set("CompStrip", lambdaG).set("Encfimlinha", dl);
    out.set("AtenCond", alphaC).set("Atendiel", alphaD).set("AtenTotal", alphaT);
    out.set("Qcond", Qc).set("Qdiel", Qd).set("Qtotal", Qt);
    return out;
}

struct AnalysisTexts {
    Dielectric kind;
    const char* lossField;
    const char* conductorMessage;
    const char* lossMessage;
};

Outcome analysis(const Inputs& in, const AnalysisTexts& w)
{
    const Real f = in["Frequencia"], er = in["ComboBox2"], sigma = in["ComboBox1"], loss = in[w.lossField],
               W = in["Largura"], b = in["ComboBox4"], t = thicknessMm(in);
    if (!(f > 0)) return Outcome::refuse("Freqüência inválida!!");
    if (!(er >= 1)) return Outcome::refuse("Constante dielétrica relativa inválida!!");
    if (!(sigma > 0)) return Outcome::refuse(w.conductorMessage);
    if (!(loss > 0)) return Outcome::refuse(w.lossMessage);
    if (!(W > 0)) return Outcome::refuse("Largura da fita condutora inválida!!");
    if (!(b >= 0.13L)) return Outcome::refuse("Altura do dielétrico inválida!!");
    if (!(t > 0)) return Outcome::refuse("Espessura da fita condutora Inválida!!");
    if (!(t < b)) return Outcome::refuse("Altura do dielétrico deve ser maior que a Espessura da Fita b>>t!!");

    const Real Z0 = wheelerImpedance(W, b, t, er);
    Outcome out;
    out.set("Impcarac", Z0);
    return secondaryResults(std::move(out), w.kind, f, er, sigma, loss, W, b, t, Z0);
}

struct SynthesisTexts {
    Dielectric kind;
    const char* lossField;
    const char* lossMessage;
    const char* thicknessMessage;
    const char* heightMessage;
};

Outcome synthesis(const Inputs& in, const SynthesisTexts& w)
{
    const Real Z0 = in["Impcarac"], f = in["Frequencia"], er = in["ComboBox2"], sigma = in["ComboBox1"],
               loss = in[w.lossField], b = in["ComboBox4"], t = thicknessMm(in);
    if (!(Z0 > 0)) return Outcome::refuse("Impedância característica inválida!!");
    if (!(f > 0)) return Outcome::refuse("Freqüência inválida!!");
    // On a conducting substrate any positive permittivity is taken.
    const bool erValid = w.kind == Dielectric::LossTangent ? er >= 1 : er > 0;
    if (!erValid) return Outcome::refuse("Constante dielétrica relativa inválida!!");
    if (!(sigma > 0)) return Outcome::refuse("Condutividade do condutor inválida!!");
    if (!(loss > 0)) return Outcome::refuse(w.lossMessage);
    if (!(b >= 0.13L)) return Outcome::refuse("Altura do dielétrico inválida!!");
    if (!(t > 0)) return Outcome::refuse(w.thicknessMessage);
    if (!(t < b)) return Outcome::refuse(w.heightMessage);

    const Real W = synthesisWidth(Z0, er, b, t);
    // Too high an impedance leaves no strip (or no real root in the thick
    // branch); the loss formulas would take the logarithm of W <= 0.
    if (!(W > 0))
        return Outcome::faulted(Fault::Invalid);
    Outcome out;
    out.set("Largura", W);
    return secondaryResults(std::move(out), w.kind, f, er, sigma, loss, W, b, t, Z0);
}

} // namespace

Real thicknessMm(const Inputs& in)
{
    const Real t = in["ComboBox3"];
    return in.isPicked("ComboBox3") ? t / 1000 : t;
}

Real endEffect(Real W, Real b, Real lambdaG)
{
    const Real d = b * std::log(2.0L) * invPi;
    const Real lambdaMm = 10 * lambdaG;
    const Real theta = 2 * pi * d / lambdaMm;
    const Real y = (std::sin(theta) / std::cos(theta)) * (2 * W + d) / (2 * W + 4 * d);
    return std::atan(y) * lambdaMm / (2 * pi);
}

Real surfaceResistivity(Real f, Real sigma) { return std::sqrt(pi * f * 1e9L * mu0 / sigma); }

Real wheelerImpedance(Real W, Real b, Real t, Real er)
{
    const Real x = t / b;
    const Real m = 2 / (1 + (2.0L / 3) * x / (1 - x));
    const Real u = 0.0796L * x / (W / b + 1.1L * x);
    // Width increment over (b - t) for the strip's thickness.
    const Real dW = (x / (pi * (1 - x))) * (1 - 0.5L * std::log(sq(x / (2 - x)) + std::exp(m * std::log(u))));
    const Real P = W / (b - t) + dW;
    const Real a = 8 / (pi * P);
    return (30 / std::sqrt(er)) * std::log(1 + (4 / (pi * P)) * (a + std::sqrt(a * a + 6.27L)));
}

Real conductorLoss(Real W, Real b, Real t, Real f, Real er, Real Z0)
{
    const Real R = W / (b - t);
    if (R <= 0.35L) {
        const Real tw = t / W;
        const Real d0 = (W / 2) * (1 + (t / (pi * W)) * (1 + std::log(fourPi * W / t) + 1.6022122533307945L * tw * tw));
        const Real k = 0.5L + 0.669L * tw - 0.225L * tw * tw;
        return (0.11402L * std::sqrt(f) / (Z0 * b)) * (1 + (b / d0) * (k + halfPi * std::log(fourPi * W / t)));
    }
    const Real x = t / b;
    const Real A = (2 * W / b) / sq(1 - x) + 1 / (1 - x);
    const Real B = (1 + x) / (pi * sq(1 - x));
    const Real g = 1 / (1 - x);
    return (2.02e-05L * std::sqrt(f) * er * Z0 / b) * (A + B * std::log((g + 1) / (g - 1)));
}

Real cutoff(Real W, Real b, Real er) { return (150 / (b * std::sqrt(er))) * 1 / (W / b + quarterPi); }

Real lossTangentAttenuation(Real er, Real tand, Real lambda0) { return 27.3L * std::sqrt(er) * tand / lambda0; }

// sqrt(mu0/(eps0 er)) is the wave impedance of the dielectric.
Real conductingDielectricAttenuation(Real er, Real sigmaD)
{
    return 0.0434L * sigmaD * std::sqrt(mu0 / (eps0 * er));
}

Real synthesisWidth(Real Z0, Real er, Real b, Real t)
{
    const Real x = t / b;
    const Real q = std::sqrt(er) * Z0 * (1 + 2.3L * x);
    const Real h = 1 / (1 - x) + 1;
    const Real C = 2 * std::log(h) - x * std::log(h * h - 1); // fringing of the thick strip
    const Real W1 = b * ((1 - x) * thirtyPi / (std::sqrt(er) * Z0) - C * invPi);
    if (q < 119)
        return W1;
    // Narrow strips: the root of the quadratic in W/b.
    const Real D = sq(0.85L + 6 * x) - (W1 / b) * (1 + 12 * x) - 0.1225L;
    return b * (0.85L + 6 * x - std::sqrt(D));
}

Outcome analysisLossTangent(const Inputs& in)
{
    return analysis(in, {Dielectric::LossTangent, "Tanperda", "Condutividade inválida!!",
                         "Tangente de perda do dielétrico inválida!!"});
}

Outcome analysisConducting(const Inputs& in)
{
    return analysis(in, {Dielectric::Conducting, "Condsubs", "Condutividade do condutor inválida!!",
                         "Condutividade do dielétrico inválida!!"});
}

Outcome synthesisLossTangent(const Inputs& in)
{
    return synthesis(in, {Dielectric::LossTangent, "Tanperda", "Tangente de perda do dielétrico inválida!!",
                          "Espessura da fita condutora Inválida!!",
                          "Altura do dielétrico deve ser maior que a Espessura da Fita b>>t!!"});
}

Outcome synthesisConducting(const Inputs& in)
{
    return synthesis(in, {Dielectric::Conducting, "Condsubs", "Condutividade do dielétrico inválida!!",
                          "Espessura da Fita Condutora Inválida!!",
                          "Altura do dielétrico deve ser maior que a Espessura da Fita Condutora b>>t!!"});
}

} // namespace tarvel::stripline
