// SPDX-License-Identifier: GPL-3.0-or-later
// Losses from the field against exact results: the skin-effect resistance
// of the coaxial line and of two wires with their proximity effect, the
// dielectric loss of a homogeneous fill, the DC floor and the internal
// inductance of a round wire; the energy split by layers against the
// derivative of the capacitance; the closed forms where they are trusted.
#include <cmath>
#include <thread>
#include <tuple>

#include <gtest/gtest.h>

#include "valid_design.h"

#include "fieldsolve/design_losses.h"
#include "fieldsolve/rlgc.h"

using namespace tarvel::fieldsolve;
using tarvel::fieldsolve::testing::validDesign;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kCopper = 5.8e7;

LineModel model(const Geometry& g, double sigma, double tand, LossSolution* solution = nullptr)
{
    LossInputs in;
    in.metal[0].sigma = in.metal[1].sigma = sigma;
    in.tand = {tand};
    const LossSolution s = solveLosses(g);
    EXPECT_TRUE(s.statics.ok) << s.statics.failure;
    std::string failure;
    LineModel m = lineModel(s, in, failure);
    EXPECT_EQ(failure, "");
    if (solution)
        *solution = s;
    return m;
}

Geometry coax(double d, double D, double er)
{
    Geometry g;
    g.structure = Structure::Coax;
    g.d = d;
    g.D = D;
    g.er = er;
    return g;
}

} // namespace

// R = Rs/(2 pi) (1/a + 1/b), lengths in mm; the DC resistance of the
// inner conductor joined to its part (the outer conductor's wall is thick).
TEST(FieldLosses, CoaxialSkinResistanceIsExact)
{
    for (const auto& [d, D, f] : {std::tuple{1.0, 2.3, 1e9}, {0.91, 2.95, 10e9}, {0.3, 6.0, 2e8}}) {
        const LineModel m = model(coax(d, D, 2.1), kCopper, 0);
        const double rs = surfaceResistance(f, kCopper);
        const double inner = rs / (2 * kPi) * (2 / d) * 1e3, outer = rs / (2 * kPi) * (2 / D) * 1e3;
        const double dc = 1 / (kCopper * kPi * d * d / 4 * 1e-6);
        const ModeAt a = evaluate(m, f).modes.at(0);
        EXPECT_NEAR(a.r / (std::hypot(dc, inner) + outer), 1, 1e-9) << d << " " << D;
        EXPECT_EQ(m.error, 0);
    }
}

// Two wires of diameter d, centres D apart: the current crowds towards
// the facing sides, R = (2 Rs / (pi d)) (D/d) / sqrt((D/d)^2 - 1).
TEST(FieldLosses, TwoWireProximityResistanceIsExact)
{
    for (const double ratio : {1.05, 1.5, 3.0, 40.0}) {
        Geometry g;
        g.structure = Structure::TwoWire;
        g.d = 0.8;
        g.D = ratio * g.d;
        g.er = 1;
        const LineModel m = model(g, kCopper, 0);
        const double f = 1e8;
        const double ac = 2 * surfaceResistance(f, kCopper) / (kPi * g.d * 1e-3) * ratio / std::sqrt(ratio * ratio - 1);
        const double dc = 2 / (kCopper * kPi * g.d * g.d / 4 * 1e-6);
        EXPECT_NEAR(evaluate(m, f).modes.at(0).r / std::hypot(dc, ac), 1, 1e-9) << ratio;
    }
}

// One dielectric filling the line: alpha_d = pi f sqrt(er) tan(delta) / c,
// and the whole attenuation is that to first order in tan(delta).
TEST(FieldLosses, HomogeneousFillDielectricLossIsExact)
{
    const Geometry cases[] = {coax(1.0, 3.3, 2.1), Geometry{Structure::Stripline, 0.8, 0, 1.6, 0.035, 3.48},
                              Geometry{Structure::CoupledStripline, 0.5, 0.3, 1.6, 0.035, 4.4}};
    for (const Geometry& g : cases) {
        const double tand = 2e-3, f = 3e9;
        const LineModel m = model(g, std::numeric_limits<double>::infinity(), tand);
        const double exact = kPi * f * std::sqrt(g.er) * tand / kLight;
        for (const ModeAt& a : evaluate(m, f).modes) {
            EXPECT_NEAR(a.alphaD / exact, 1, 1e-12) << int(g.structure);
            EXPECT_NEAR(a.alpha() / exact, 1, tand * tand) << int(g.structure);
            EXPECT_NEAR(a.eeff / g.er, 1, tand * tand);
            EXPECT_EQ(a.r, 0);
        }
    }
}

// Near DC the resistance is the strip's 1/(sigma W t) (the ground plane
// unbounded), never less at any frequency, and growing with it.
TEST(FieldLosses, ResistanceFloorsAtItsDcValue)
{
    const Geometry g = Geometry{Structure::Microstrip, 0.3, 0, 0.2, 0.018, 3.66};
    const LineModel m = model(g, kCopper, 0);
    const double dc = 1 / (kCopper * g.w * g.t * 1e-6);
    EXPECT_NEAR(evaluate(m, 1e-4).modes[0].r / dc, 1, 1e-6);
    double before = 0;
    for (double f : frequencies(1e3, 2e10, 60, true)) {
        const ModeAt a = evaluate(m, f).modes[0];
        EXPECT_GE(a.r, dc);
        EXPECT_GT(a.r, before);
        before = a.r;
    }
}

// The internal inductance of a round wire at DC is mu0/(8 pi) per metre
// (wires far apart: the join keeps the square of the proximity factor in
// that limit); at high frequency omega L_int = R.
TEST(FieldLosses, InternalInductanceOfRoundWires)
{
    Geometry g;
    g.structure = Structure::TwoWire;
    g.d = 1;
    g.D = 100;
    g.er = 1;
    const LineModel m = model(g, kCopper, 0);
    const double external = 1 / (kLight * kLight * m.modes[0].cAir);
    EXPECT_NEAR((evaluate(m, 0.01).modes[0].l - external) / (2 * kMu0 / (8 * kPi)), 1, 2e-4);
    const ModeAt high = evaluate(m, 1e10).modes[0];
    EXPECT_NEAR(2 * kPi * 1e10 * (high.l - external) / high.r, 1, 1e-4);
}

// The share of the energy in a layer is what its permittivity's small
// change does to the capacitance: p = (er / C) dC/d(er). For a microstrip
// that is er (d eeff / d er) / eeff, from two more solves.
TEST(FieldLosses, LayerShareIsTheCapacitanceDerivative)
{
    for (const auto& [w, h, t, er] : {std::tuple{0.6, 0.5, 0.035, 4.4}, {2.0, 0.25, 0.0, 10.2}}) {
        const Geometry g = Geometry{Structure::Microstrip, w, 0, h, t, er};
        LossSolution s;
        model(g, std::numeric_limits<double>::infinity(), 0, &s);
        const double step = 1e-2 * er;
        Geometry lo = g, hi = g;
        lo.er -= step;
        hi.er += step;
        const Solution a = solve(lo), b = solve(hi);
        const double derivative = (b.single.c - a.single.c) / (2 * step);
        const double share = er * derivative / s.statics.capacitance[0].c;
        EXPECT_NEAR(s.modes[0].filling.at(0) / share, 1, 4 * s.statics.error + 1e-4) << w << " " << h;
    }
}

// The field's pieces add up to the solver's own: the reaction charges of
// the conductor at 1 V to twice the energy, the cells' energies to the energy.
TEST(FieldLosses, ChargesAndCellEnergiesAddUpToTheSolversEnergy)
{
    const Geometry g = Geometry{Structure::CoupledMicrostrip, 0.4, 0.2, 0.5, 0.035, 4.4};
    const LossFrame frame = lossFrame(g);
    for (Mode mode : {Mode::Even, Mode::Odd}) {
        const Problem pb = halfSection(g, mode, 30);
        for (bool air : {false, true}) {
            const Field f = Field::solve(pb, air, 1);
            ASSERT_TRUE(f.ok());
            const FieldShares s = fieldShares(f, frame);
            double total = 0;
            for (double e : s.energy)
                total += e;
            EXPECT_NEAR(total / double(f.energy()), 1, 1e-12);
            EXPECT_NEAR(s.charge / (2 * double(f.energy())), 1, 1e-12);
            EXPECT_EQ(s.energy.size(), 2u);
        }
    }
}

// Closed forms where they are trusted, within the stated share: the
// stripline's conductor loss (Wheeler's incremental inductance, as Pozar
// gives it, within 3 %) and the microstrip's dielectric loss with the
// filling factor (eeff - 1)/(er - 1) (within 1 %).
TEST(FieldLosses, AgreesWithTrustedClosedForms)
{
    {
        const Geometry g = Geometry{Structure::Stripline, 2.0, 0, 1.0, 0.035, 2.2};
        const LineModel m = model(g, kCopper, 0);
        const double f = 5e9, b = g.h * 1e-3, t = g.t * 1e-3, w = g.w * 1e-3;
        const ModeAt a = evaluate(m, f).modes[0];
        const double z0 = std::sqrt(a.l / a.c);
        const double A = 1 + 2 * w / (b - t) + (b + t) / (kPi * (b - t)) * std::log((2 * b - t) / t);
        const double alpha = 2.7e-3 * surfaceResistance(f, kCopper) * g.er * z0 / (30 * kPi * (b - t)) * A;
        EXPECT_NEAR(a.alphaC / alpha, 1, 0.03) << a.alphaC << " closed form " << alpha;
    }
    for (const auto& [w, h, er] : {std::tuple{1.0, 0.5, 4.4}, {0.6, 0.635, 9.8}}) {
        const Geometry g = Geometry{Structure::Microstrip, w, 0, h, 0.0, er};
        const double tand = 1e-3, f = 2e9;
        const LineModel m = model(g, std::numeric_limits<double>::infinity(), tand);
        const ModeAt a = evaluate(m, f).modes[0];
        const double eeff = m.modes[0].c / m.modes[0].cAir;
        const double k0 = 2 * kPi * f / kLight;
        const double alpha = k0 * er * (eeff - 1) * tand / (2 * std::sqrt(eeff) * (er - 1));
        EXPECT_NEAR(a.alphaD / alpha, 1, 0.01) << w << " " << h << " " << er;
    }
}

// A pair far apart: both modes are the single line's.
TEST(FieldLosses, DistantPairModesAreTheSingleLine)
{
    const Geometry single = Geometry{Structure::Microstrip, 0.5, 0, 0.3, 0.035, 3.5};
    Geometry pair = single;
    pair.structure = Structure::CoupledMicrostrip;
    pair.s = 15;
    const LineModel one = model(single, kCopper, 2e-3), two = model(pair, kCopper, 2e-3);
    const LineAt a = evaluate(one, 5e9), b = evaluate(two, 5e9);
    ASSERT_EQ(b.modes.size(), 2u);
    for (const ModeAt& m : b.modes) {
        EXPECT_NEAR(m.r / a.modes[0].r, 1, 0.01);
        EXPECT_NEAR(m.g / a.modes[0].g, 1, 0.01);
        EXPECT_NEAR(std::abs(m.zc) / std::abs(a.modes[0].zc), 1, 0.01);
    }
    EXPECT_NEAR(b.r[0][1] / b.r[0][0], 0, 0.01);
}

// Roughness multiplies the skin-effect part only: at DC the resistance is
// the smooth one, at high frequency Hammerstad's factor tends to 2 and
// Huray's to 1 + 1.5 times the surface ratio.
TEST(FieldLosses, RoughnessScalesTheSkinEffectPart)
{
    const Geometry g = Geometry{Structure::Stripline, 0.5, 0, 1.0, 0.035, 3.0};
    LossSolution s;
    model(g, kCopper, 0, &s);
    const auto withRoughness = [&](Roughness kind) {
        LossInputs in;
        for (MetalLoss& m : in.metal) {
            m.sigma = kCopper;
            m.roughness = kind;
            m.rq = 2e-6;
            m.ratio = 1.2;
            m.nodule = 20e-6;
        }
        std::string failure;
        return lineModel(s, in, failure);
    };
    const LineModel smooth = withRoughness(Roughness::None), hj = withRoughness(Roughness::Hammerstad),
                    huray = withRoughness(Roughness::Huray);
    EXPECT_NEAR(evaluate(hj, 1.0).modes[0].r / evaluate(smooth, 1.0).modes[0].r, 1, 1e-6);
    EXPECT_NEAR(evaluate(huray, 1.0).modes[0].r / evaluate(smooth, 1.0).modes[0].r, 1, 1e-6);
    const double f = 3e11; // skin depth far below the roughness
    const double rs = evaluate(smooth, f).modes[0].r;
    EXPECT_NEAR(evaluate(hj, f).modes[0].r / rs, 2, 2e-3);
    EXPECT_NEAR(evaluate(huray, f).modes[0].r / rs, 1 + 1.5 * 1.2, 0.02);
}

TEST(FieldLosses, RefusesWhatTheModelCannotAnswer)
{
    const Geometry g = Geometry{Structure::Microstrip, 1.0, 0, 1.5, 0.035, 4.0};
    LossSolution s;
    const LineModel m = model(g, kCopper, 0, &s);
    // 1.5 mm + 35 um under er = 4: a tenth of the wavelength at 9.77 GHz.
    EXPECT_NEAR(m.fMax, 0.1 * kLight / (2 * 1.535e-3), 1);
    EXPECT_EQ(invalidFrequency(m, 9e9), "");
    EXPECT_NE(invalidFrequency(m, 1e10).find("limite"), std::string::npos);
    EXPECT_NE(invalidFrequency(m, 0), "");
    EXPECT_NE(invalidFrequency(m, -1), "");
    EXPECT_NE(invalidSweep(m, 1e9, 2e9, kMaxPoints + 1), "");
    EXPECT_EQ(invalidSweep(m, 1e9, 2e9, kMaxPoints), "");
    std::string failure;
    LossInputs in;
    in.metal[0].sigma = 0;
    lineModel(s, in, failure);
    EXPECT_NE(failure.find("σ"), std::string::npos);
    in = {};
    in.tand = {-1e-3};
    lineModel(s, in, failure);
    EXPECT_NE(failure.find("tanδ"), std::string::npos);
    in = {};
    in.metal[1].rq = -1e-6;
    lineModel(s, in, failure);
    EXPECT_NE(failure.find("rugosidade"), std::string::npos);
    // A strip of no thickness has no finite conductor loss.
    Geometry flat = g;
    flat.t = 0;
    in = {};
    in.metal[0].sigma = kCopper;
    lineModel(solveLosses(flat), in, failure);
    EXPECT_NE(failure.find("espessura"), std::string::npos);
}

namespace {

// R / Rs per mode (summed over the metals) and the model's estimate.
std::vector<double> surfaceOf(const LossSolution& s)
{
    std::vector<double> out;
    for (const ModeLosses& m : s.modes)
        out.push_back(m.surface[0] + m.surface[1]);
    return out;
}

} // namespace

// The designer's templates solve other parts of the same lines (a whole
// stripline's height, a CPW's grounds as they draw them): their frames must
// give the same surface integrals as the window structures' frames.
TEST(FieldLosses, DesignerTemplatesAgreeWithTheLineStructures)
{
    struct Case {
        Design d;
        Geometry g;
    } cases[] = {
        {validDesign(Template::Microstrip, {{"W", 1.0}, {"h", 0.5}, {"t", 0.035}, {"er", 4.4}}),
         Geometry{Structure::Microstrip, 1.0, 0, 0.5, 0.035, 4.4}},
        {validDesign(Template::Stripline, {{"W", 0.6}, {"t", 0.035}, {"h1", 0.4}, {"h2", 0.4}, {"er1", 3.0}, {"er2", 3.0}}),
         Geometry{Structure::Stripline, 0.6, 0, 0.835, 0.035, 3.0}},
        {validDesign(Template::Cpw, {{"W", 0.5}, {"S", 0.2}, {"h", 0.5}, {"t", 0.0175}, {"er", 3.55}}),
         Geometry{Structure::Cpw, 0.5, 0.2, 0.5, 0.0175, 3.55}},
        {validDesign(Template::Cps, {{"W", 0.4}, {"S", 0.2}, {"h", 0.5}, {"t", 0.0175}, {"er", 3.55}}),
         Geometry{Structure::Cps, 0.4, 0.2, 0.5, 0.0175, 3.55}},
        {validDesign(Template::CoupledMicrostrip, {{"W", 0.4}, {"S", 0.3}, {"h", 0.5}, {"t", 0.035}, {"er", 4.4}}),
         Geometry{Structure::CoupledMicrostrip, 0.4, 0.3, 0.5, 0.035, 4.4}},
    };
    for (const Case& c : cases) {
        const LossSolution a = solveLosses(designSection(c.d), designLossFrame(c.d)), b = solveLosses(c.g);
        ASSERT_TRUE(a.statics.ok && b.statics.ok) << c.d.info().name;
        const std::vector<double> sa = surfaceOf(a), sb = surfaceOf(b);
        ASSERT_EQ(sa.size(), sb.size());
        for (std::size_t m = 0; m < sa.size(); ++m)
            EXPECT_NEAR(sa[m] / sb[m], 1, 2 * (a.surfaceError + b.surfaceError) + 2e-3)
                << c.d.info().name << " mode " << m << ": " << sa[m] << " against " << sb[m];
        EXPECT_EQ(designLossFrame(c.d).area[0], c.g.w * c.g.t);
    }
}

// A mask's own loss tangent: its layers' shares are what is left of the
// substrate's, and a mask of the substrate's tangent is a uniform one.
TEST(FieldLosses, SolderMaskLayersCarryTheirShare)
{
    const Design d = validDesign(Template::Microstrip,
                            {{"W", 1.0}, {"h", 0.5}, {"t", 0.035}, {"er", 4.4}, {"c1", 0.02}, {"c2", 0.02}, {"cer", 3.5}});
    const std::vector<std::string> names = designTandNames(d);
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[0], "tand");
    for (std::size_t l = 1; l < names.size(); ++l)
        EXPECT_EQ(names[l], "ctand");
    const LossSolution s = solveLosses(designSection(d), designLossFrame(d));
    ASSERT_TRUE(s.statics.ok);
    double mask = 0;
    for (std::size_t l = 1; l < s.modes[0].filling.size(); ++l)
        mask += s.modes[0].filling[l];
    EXPECT_GT(mask, 0.005);
    EXPECT_LT(mask + s.modes[0].filling[0], 1);
    LossInputs in;
    in.tand.assign(names.size(), 0.01);
    std::string failure;
    const LineModel m = lineModel(s, in, failure);
    EXPECT_EQ(failure, "");
    EXPECT_NEAR(m.modes[0].tand / (0.01 * (mask + s.modes[0].filling[0])), 1, 1e-12);
    // An asymmetric broadside pair is solved by its strips' voltages.
    Design broadside = exampleDesign(Template::BroadsideStripline);
    broadside.set("offset", 0.2);
    EXPECT_EQ(designLossFrame(broadside).unsupported, "");
    EXPECT_TRUE(designLossFrame(broadside).matrix);
}

// The losses' solve runs on worker threads (the designer window's): two at
// once give what each gives alone, to the last bit.
TEST(FieldLosses, TwoThreadsAtOnceGiveTheSameLosses)
{
    const Geometry a = Geometry{Structure::Microstrip, 0.8, 0, 0.5, 0.035, 4.4};
    const Geometry b = Geometry{Structure::CoupledStripline, 0.3, 0.2, 1.0, 0.035, 3.0};
    const LossSolution alone[2] = {solveLosses(a), solveLosses(b)};
    LossSolution together[2];
    std::thread other([&] { together[1] = solveLosses(b); });
    together[0] = solveLosses(a);
    other.join();
    for (int k = 0; k < 2; ++k) {
        ASSERT_EQ(together[k].modes.size(), alone[k].modes.size());
        for (std::size_t m = 0; m < alone[k].modes.size(); ++m) {
            EXPECT_EQ(together[k].modes[m].surface, alone[k].modes[m].surface);
            EXPECT_EQ(together[k].modes[m].filling, alone[k].modes[m].filling);
            EXPECT_EQ(together[k].statics.capacitance[m].c, alone[k].statics.capacitance[m].c);
        }
    }
}
