#include "two_wire.h"

#include <cmath>

#include "framework/core/real48.h"
#include "models/physics.h"

namespace tarvel::wire {
namespace {

using physics::pi, physics::mu0, physics::dbPerNeperPi, physics::invC0, physics::dbPerNeper;

// Both helpers take their argument as a 48-bit real.
Real acosh48(Real x)
{
    x = r48(x);
    return std::log(x + std::sqrt(x * x - 1));
}
Real cosh48(Real x)
{
    x = r48(x);
    return (std::exp(x) + std::exp(-x)) / 2;
}

Real dielectricLoss(Real tand, Real er, Real fHz) { return tand * std::sqrt(er) * fHz * dbPerNeperPi * invC0; }
Real surfaceResistivity(Real fHz, Real sigma) { return std::sqrt(fHz * pi * mu0 / sigma); }
// Resistance per metre of the pair, d in mm.
Real resistance(Real Rs, Real S, Real d)
{
    const Real q = S / d;
    return (2000 * Rs / (pi * d)) * q / std::sqrt(q * q - 1);
}
Real conductance(Real alphaD, Real Z0) { return (2 * alphaD / (Z0 * dbPerNeper)) * 1e6L; }

const char* const highFrequency =
    "Freqüência Elevada para Este tipo de Estrutura, Sugere-se uma Freqüencia menor que 350MHz!!";
const char* const cannotBuild = "Modifique seu projeto, pois S<=d, ou muito próximo!!";

} // namespace

Outcome analysis(const Inputs& in)
{
    const Real f = in["Frequencia"], er = in["ComboBox2"], sigma = in["ComboBox1"], tand = in["Tanperda"],
               S = in["Espacamento"], d = in["diametro"];
    if (!(f > 0)) return Outcome::refuse("Freqüência Inválida!!");
    if (!(er >= 1)) return Outcome::refuse("Constante dielétrica relativa inválida!!");
    if (!(sigma > 0)) return Outcome::refuse("Condutividade do condutor inválida!!");
    if (!(tand > 0)) return Outcome::refuse("Tangente de perda do dielétrico inválida!!");
    if (!(S > 0)) return Outcome::refuse("Espaçamento Centro-a-Centro Inválido!!");
    if (!(d > 0)) return Outcome::refuse("Diâmetro do Condutor Inválido!!");
    if (!(S > d))
        return Outcome::refuse(
            "O Espaçamento tem que ser maior que o Diâmetro do Condutor (S>>d), Sugere-se (S=10xd)!!");

    const Real fHz = f * 1e9L;
    const Real Z0 = (120 / std::sqrt(er)) * acosh48(S / d);
    const Real ln2 = std::log(2 * S / d);
    const Real L = 400 * ln2;
    const Real C = 27.816L * er / ln2;
    const Real Rs = surfaceResistivity(fHz, sigma);
    const Real R = resistance(Rs, S, d);
    const Real alphaC = 1000 * dbPerNeper * pi * Rs * S / (Z0 * d * std::sqrt(S * S - d * d));
    const Real alphaD = dielectricLoss(tand, er, fHz);
    const Real G = conductance(alphaD, Z0);

    Outcome out;
    out.set("impedancia", Z0).set("indutancia", L).set("capacitancia", C).set("Resistividade", Rs);
    out.set("resistencia", R).set("condutancia", G).set("AtenCond", alphaC).set("AtenDiel", alphaD);
    out.set("Atentotal", alphaC + alphaD);
    if (f > 0.35L)
        out.warn(highFrequency);
    return out;
}

Outcome synthesis(const Inputs& in)
{
    const Real Z0 = in["impedan"], f = in["Frequencia"], er = in["ComboBox2"], sigma = in["ComboBox1"],
               tand = in["Tanperda"], alphaT = in["Atentot"];
    if (!(Z0 > 0)) return Outcome::refuse("Impedância Característica Inválida!!");
    if (!(f > 0)) return Outcome::refuse("Freqüência Inválida!!");
    if (!(er >= 1)) return Outcome::refuse("Constante dielétrica relativa inválida!!");
    if (!(sigma > 0)) return Outcome::refuse("Condutividade do condutor inválida!!");
    if (!(tand > 0)) return Outcome::refuse("Tangente de perda do dielétrico inválida!!");
    if (!(alphaT > 0)) return Outcome::refuse("Atenuação Total Inválida!!");

    const Real fHz = f * 1e9L;
    const Real alphaD = dielectricLoss(tand, er, fHz);
    const Real alphaC = alphaT - alphaD;
    // No conductor loss left for the wanted total: no pair of wires exists.
    if (!(alphaC > 0))
        return Outcome::refuse(cannotBuild);
    const Real Rs = surfaceResistivity(fHz, sigma);
    const Real A = Rs * dbPerNeperPi / Z0;
    const Real D = cosh48(std::sqrt(er) * Z0 * 0.008333333333333333L); // S/d
    const Real dm = A * D / std::sqrt((alphaC * D) * (alphaC * D) - alphaC * alphaC);
    const Real Sm = alphaC * dm * dm / std::sqrt((alphaC * dm) * (alphaC * dm) - A * A);
    if (!(Sm > dm) || !std::isfinite(Sm))
        return Outcome::refuse(cannotBuild);

    const Real G = conductance(alphaD, Z0);
    const Real ln2 = std::log(2 * Sm / dm);
    const Real L = 400 * ln2;
    const Real C = 27.816L * er / ln2;
    const Real d = dm * 1000, S = Sm * 1000;
    const Real R = resistance(Rs, S, d);

    Outcome out;
    out.set("Espaco", S).set("diametro", d).set("indutancia", L).set("capacitancia", C);
    out.set("Resistividade", Rs).set("resistencia", R).set("condutancia", G).set("AtenDiel", alphaD);
    out.set("AtenCond", alphaC);
    if (f > 0.35L)
        out.warn(highFrequency);
    return out;
}

} // namespace tarvel::wire
