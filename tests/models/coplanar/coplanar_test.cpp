// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/core/calculator.h"
#include "framework/core/fault_guard.h"
#include "framework/core/number_text.h"
#include "framework/core/real48.h"
#include "models/coplanar/coplanar.h"

using namespace tarvel;
using namespace tarvel::coplanar;

namespace {

constexpr Real pi = 3.141592653589793238462643383279502884L;
constexpr Real cu = 57600000;

// K(k)/K'(k) from the complete elliptic integral itself.
Real exactRatio(Real k) { return std::comp_ellint_1(k) / std::comp_ellint_1(std::sqrt(1 - k * k)); }

Real relative(Real got, Real want) { return std::fabs(got / want - 1); }

// A board of either window pair; `loss` goes to the loss tangent or to the
// substrate conductivity as the window reads it.
Inputs board(Real W, Real S, Real h, Real t, Real er = 2.2L, Real f = 10, Real loss = 0.0009L,
             const char* lossField = "Tanperda")
{
    Inputs in{{"Frequencia", f}, {"ComboBox2", er}, {"ComboBox1", cu}, {"Largura", W},
              {"Sep", S},        {"ComboBox4", h},  {"ComboBox3", t}};
    in.set(lossField, loss);
    return in;
}

struct Window {
    const char* name;
    Model model;
    const char* lossField;
};
const Window windows[] = {{"TForm11", cpwAnalysis, "Tanperda"},
                          {"TForm12", cpwConductingAnalysis, "Condsubs"},
                          {"TForm13", cpsAnalysis, "Tanperda"},
                          {"TForm14", cpsConductingAnalysis, "Condsubs"}};

} // namespace

// ---- The elliptic-integral ratio --------------------------------------------

// Both closed forms against the integral over the whole range of k, with the
// bound of either window pair: about 1e-5 relative, at worst near the bound
// where the two forms meet.
TEST(CoplanarRatio, ClosedFormsAgreeWithTheEllipticIntegral)
{
    for (Real bound : {0.707L, 0.7L}) {
        Real worst = 0, worstAt = 0;
        for (int i = 1; i < 1000; ++i) {
            const Real k = i / 1000.0L;
            const Real kp = r48(std::sqrt(1 - k * k));
            const EllipticRatio got = ellipticRatio(r48(k), kp, bound);
            const Real err = relative(got.r, exactRatio(r48(k)));
            if (err > worst) worst = err, worstAt = k;
        }
        EXPECT_LT(double(worst), 1e-5) << "bound " << double(bound) << ", worst at k = " << double(worstAt);
        EXPECT_NEAR(double(worstAt), double(bound), 0.02);
    }
    // Far from the bound the forms are far better than that.
    for (Real k : {0.01L, 0.1L, 0.3L, 0.95L, 0.999L}) {
        const Real kp = r48(std::sqrt(1 - k * k));
        EXPECT_LT(double(relative(ellipticRatio(k, kp, 0.707L).r, exactRatio(k))), 1e-7) << double(k);
    }
}

// The bound belongs to the first range, compared as the 48-bit value the
// chain holds; the loss factor P jumps there (from about 0.44 to about 2.9),
// which tells the ranges apart.
TEST(CoplanarRatio, RangeSwitchAtTheBound)
{
    struct Case {
        Real ke, bound;
        bool firstRange;
    } cases[] = {
        {r48(0.707L), 0.707L, true},
        {r48(0.707L) * (1 + 1e-12L), 0.707L, false},
        {0.7035L, 0.707L, true},
        {0.7035L, 0.7L, false},
        {r48(0.7L), 0.7L, true},
        {0, 0.707L, true},
        {1 - 1e-9L, 0.707L, false},
    };
    for (const auto& c : cases) {
        const Real kep = r48(std::sqrt(1 - c.ke * c.ke));
        const EllipticRatio e = ellipticRatio(c.ke, kep, c.bound);
        ASSERT_TRUE(std::isfinite(e.r) || c.ke == 0) << double(c.ke);
        if (c.ke == 0 || c.ke > 0.99L) continue;
        EXPECT_EQ(e.P < 1, c.firstRange) << double(c.ke) << " bound " << double(c.bound) << " P " << double(e.P);
        // The ratio itself is continuous across the bound.
        EXPECT_LT(double(relative(e.r, exactRatio(c.ke))), 1e-5);
    }
    // Outside [0, 1] there is no ratio.
    for (Real ke : {-0.1L, 1.5L}) {
        const EllipticRatio e = ellipticRatio(ke, 0, 0.707L);
        EXPECT_TRUE(std::isnan(e.r) && std::isnan(e.P)) << double(ke);
    }
}

// ---- The whole chain ---------------------------------------------------------

// With a vanishing thickness the correction Delta and the fill term vanish
// and the impedance is the conformal-mapping one: 30 pi/sqrt(eeff) K'/K for
// the waveguide, 120 pi/sqrt(eeff) K/K' for the strip pair.
TEST(CoplanarChain, ThinConductorsGiveTheConformalMappingImpedance)
{
    struct Geometry {
        Real W, S, h;
    } geometries[] = {{1, 0.2L, 1.27L}, {0.3L, 0.05L, 0.635L}, {2, 1, 1.57L}, {0.1L, 0.6L, 0.5L}, {1, 0.01L, 2.54L}};
    const Real t = 1e-9L;
    for (const auto& g : geometries)
        for (const Window& w : windows) {
            SCOPED_TRACE(std::string(w.name) + " W " + std::to_string(double(g.W)) + " S " +
                         std::to_string(double(g.S)));
            const Outcome o = runGuarded(w.model, board(g.W, g.S, g.h, t, 4.5L, 5, 0.002L, w.lossField));
            ASSERT_TRUE(o.ok()) << o.message << faultText(o.fault);
            const bool waveguide = w.name == std::string("TForm11") || w.name == std::string("TForm12");
            const Real k = waveguide ? g.W / (g.W + 2 * g.S) : g.S / (g.S + 2 * g.W);
            const Real ratio = exactRatio(k);
            const Real eeff = o.value("Efetiva");
            const Real want = waveguide ? 30 * pi / std::sqrt(eeff) / ratio : 120 * pi / std::sqrt(eeff) * ratio;
            EXPECT_LT(double(relative(o.value("Impcarac"), want)), 1e-5);
        }
}

// The usual board: the thickness moves the edges by less than 0.0001 mm, so
// the impedance is that of the conformal mapping at the corrected aspect
// ratio, with the permittivity lowered by the field in the gaps.
TEST(CoplanarChain, ThicknessCorrectionOnTheUsualBoard)
{
    const Real W = 1, S = 0.2L, h = 1.27L, t = 0.035L;
    const Real Delta = (0.00125L * t / pi) * (1 + std::log(4 * pi * W / t));
    ASSERT_LT(Delta, 0.0001L);
    ASSERT_GT(Delta, 0.00009L);
    struct Case {
        Model model;
        bool waveguide;
    } cases[] = {{cpwAnalysis, true}, {cpsAnalysis, false}};
    for (const auto& c : cases) {
        const Outcome thick = runGuarded(c.model, board(W, S, h, t));
        const Outcome thin = runGuarded(c.model, board(W, S, h, 1e-9L));
        ASSERT_TRUE(thick.ok() && thin.ok());
        const Real We = c.waveguide ? W + Delta : W - Delta, Se = c.waveguide ? S - Delta : S + Delta;
        const Real ke = c.waveguide ? We / (We + 2 * Se) : Se / (Se + 2 * We);
        const Real eeff = thick.value("Efetiva");
        const Real want = c.waveguide ? 30 * pi / std::sqrt(eeff) / exactRatio(ke)
                                      : 120 * pi / std::sqrt(eeff) * exactRatio(ke);
        EXPECT_LT(double(relative(thick.value("Impcarac"), want)), 1e-5) << c.waveguide;
        // A thicker conductor draws more field into air: eeff drops.
        EXPECT_LT(eeff, thin.value("Efetiva"));
        EXPECT_GT(eeff, 1);
        // The values the user sees are plausible for a 1 mm line on 2.2.
        EXPECT_GT(thick.value("Impcarac"), c.waveguide ? 40 : 100);
        EXPECT_LT(thick.value("Impcarac"), c.waveguide ? 80 : 200);
        EXPECT_GT(thick.value("AtenCond"), 0);
        EXPECT_GT(thick.value("Qtotal"), 0);
        EXPECT_LT(thick.value("Qtotal"), thick.value("Qcond"));
        EXPECT_LT(thick.value("Qtotal"), thick.value("Qdiel"));
    }
}

// The strip pair on a loss tangent and on a conducting substrate: the same
// impedance, permittivity and conductor loss, except where the second window's
// lower bound puts ke in the other range of r and P (0.7 < ke <= 0.707).
TEST(CoplanarChain, StripPairWindowsAgreeBeyondTheDielectricLoss)
{
    struct Case {
        Real W, S, h;
        bool sameRange;
    } cases[] = {{1, 0.2L, 1.27L, true}, {0.5L, 1, 2.54L, true}, {0.2L, 3, 10, true}, {1, 4.76L, 10, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(double(c.S));
        const Outcome a = runGuarded(cpsAnalysis, board(c.W, c.S, c.h, 0.0175L, 2.2L, 10, 0.0009L));
        const Outcome b = runGuarded(cpsConductingAnalysis,
                                     board(c.W, c.S, c.h, 0.0175L, 2.2L, 10, 0.0008L, "Condsubs"));
        ASSERT_TRUE(a.ok() && b.ok()) << a.message << b.message << faultText(a.fault) << faultText(b.fault);
        EXPECT_EQ(a.value("Resistividade"), b.value("Resistividade"));
        if (c.sameRange) {
            for (const char* name : {"Impcarac", "Efetiva", "AtenCond", "Qcond"})
                EXPECT_EQ(a.value(name), b.value(name)) << name;
        } else {
            // The two closed forms of K/K' agree to about 1e-5 there; the
            // two forms of P do not agree at all.
            EXPECT_LT(double(relative(a.value("Impcarac"), b.value("Impcarac"))), 1e-5);
            EXPECT_LT(double(relative(a.value("Efetiva"), b.value("Efetiva"))), 1e-5);
            EXPECT_GT(double(relative(a.value("AtenCond"), b.value("AtenCond"))), 0.5);
        }
        EXPECT_NE(a.value("Atendiel"), b.value("Atendiel"));
        EXPECT_NE(a.value("Qdiel"), b.value("Qdiel"));
    }
}

// Wider gaps give a larger K/K' and a higher strip-pair impedance; wider
// slots lower the waveguide's K/K' and raise its impedance too.
TEST(CoplanarChain, ImpedanceRisesWithTheSeparation)
{
    for (Model model : {cpsAnalysis, cpsConductingAnalysis, cpwAnalysis, cpwConductingAnalysis}) {
        Real previous = 0;
        for (Real S : {0.02L, 0.05L, 0.1L, 0.2L, 0.4L, 0.7L, 1.0L, 1.5L}) {
            const Outcome o = runGuarded(model, board(1, S, 1.27L, 0.035L, 2.2L, 10, 0.0009L,
                                                      model == cpsAnalysis || model == cpwAnalysis ? "Tanperda"
                                                                                                  : "Condsubs"));
            ASSERT_TRUE(o.ok()) << double(S);
            EXPECT_GT(o.value("Impcarac"), previous) << double(S);
            previous = o.value("Impcarac");
        }
    }
}

// As the gap of the strip pair widens against h the finite-height factor
// falls: eeff drops below 1 (the results come with a warning, for the
// dielectric loss turns negative) and then below 0, where the model has no
// value and the outcome is a fault, never a field with NaN.
TEST(CoplanarChain, WideGapsWarnThenFault)
{
    int warned = 0;
    for (Real S = 0.5L; S <= 12; S += 0.5L) {
        const Outcome o = runGuarded(cpsAnalysis, board(1, S, 1.27L, 0.035L));
        if (o.ok()) {
            for (const auto& [name, value] : o.results) EXPECT_TRUE(std::isfinite(value)) << name << double(S);
            const bool below = o.value("Efetiva") < 1;
            EXPECT_EQ(o.warnings, below ? std::vector<std::string>{permittivityBelowOne} : std::vector<std::string>{})
                << double(S);
            EXPECT_EQ(o.value("Atendiel") < 0, below) << double(S);
            warned += below;
        } else {
            EXPECT_EQ(o.kind, Outcome::Kind::Fault) << o.message;
        }
        if (S >= 4) {
            EXPECT_EQ(o.kind, Outcome::Kind::Fault) << double(S);
        }
    }
    EXPECT_GE(warned, 2);
    // An er barely above air has the same trouble on any gap; the usual
    // board has none.
    EXPECT_EQ(runGuarded(cpwAnalysis, board(1, 0.2L, 1.27L, 0.035L, 1.02L)).warnings.size(), 1u);
    EXPECT_TRUE(runGuarded(cpwAnalysis, board(1, 0.2L, 1.27L, 0.035L)).warnings.empty());
}

// An air substrate: (eeff - 1)/(er - 1) divides by zero (eeff - 1 itself is
// not quite 0, for the finite-height factor is not 1).
TEST(CoplanarChain, AirSubstrateIsADivisionByZero)
{
    for (const Window& w : windows) {
        const Outcome o = runGuarded(w.model, board(1, 0.2L, 1.27L, 0.035L, 1, 10, 0.001L, w.lossField));
        EXPECT_EQ(o.kind, Outcome::Kind::Fault) << w.name;
        EXPECT_EQ(o.fault, Fault::DivisionByZero) << w.name;
        EXPECT_TRUE(o.results.empty());
    }
}

// When the thickness correction moves an edge past its neighbour there is no
// slot (or no strip) left and no aspect ratio in [0, 1]: a message, nothing
// written. Delta is positive unless the strip is far narrower than it is
// thick (W < t/(4 pi e)), when it is negative.
TEST(CoplanarChain, EdgesMovedPastEachOtherAreRefused)
{
    struct Case {
        const Window* window;
        Real W, S;
        const char* message;
    } cases[] = {
        // Delta ~ 9.6e-5 mm is wider than the slot.
        {&windows[0], 1, 0.00005L, "Fenda muito estreita para a espessura da fita!!"},
        {&windows[1], 1, 0.00009L, "Fenda muito estreita para a espessura da fita!!"},
        // A strip of 1e-6 mm under 35 um of copper: Delta ~ -1.3e-4 mm.
        {&windows[0], 1e-6L, 0.2L, "Fita muito estreita para a espessura!!"},
        // The strip pair: a negative Delta closes a gap narrower than it.
        {&windows[2], 1e-6L, 0.00005L, "Separação muito estreita para a espessura das fitas!!"},
        {&windows[3], 1e-6L, 0.00005L, "Separação muito estreita para a espessura das fitas!!"},
    };
    for (const auto& c : cases) {
        const Outcome o = runGuarded(c.window->model, board(c.W, c.S, 1.27L, 0.035L, 2.2L, 10, 0.001L,
                                                            c.window->lossField));
        EXPECT_EQ(o.kind, Outcome::Kind::Message) << c.window->name << " " << faultText(o.fault);
        EXPECT_EQ(o.message, c.message) << c.window->name;
        EXPECT_TRUE(o.results.empty());
    }
    // Just wider than Delta the slot is still there.
    EXPECT_TRUE(runGuarded(cpwAnalysis, board(1, 0.0001L, 1.27L, 0.035L)).ok());
    // The strips themselves never vanish: Delta stays below W for every W.
    for (Real W = 1e-6L; W < 10; W *= 1.5L) {
        const Real t = 0.035L, Delta = (0.00125L * t / pi) * (1 + std::log(4 * pi * W / t));
        EXPECT_LT(Delta, W) << double(W);
    }
}

// ---- Through the windows' texts ----------------------------------------------

// Each check fails with its own text while every later input is bad as well,
// so the order is the table's.
TEST(CoplanarWindows, ChecksInOrderWithTheirTexts)
{
    struct Case {
        const WindowDescription& (*window)();
        const char* lossField;
        std::vector<std::string> messages;
    } cases[] = {
        {cpwAnaWindow, "Tanperda",
         {"Freqüência inválida!!", "Constante dielétrica relativa inválida!!",
          "Condutividade da placa condutora inválida!!", "Tangente de perda do dielétrico inválida!!",
          "Largura da fita condutora inválida!!", "Largura da fenda inválida!!",
          "Altura do dielétrico inválida H < 0.13mm!!", "Espessura da fita condutora central inválida!!",
          "Altura do substrato deve ser maior que a espessura da fita H>>t!!"}},
        {cpwConWindow, "Condsubs",
         {"Freqüência Inválida!!", "Constante dielétrica relativa inválida!!", "Condutividade do condutor inválida!!",
          "Condutividade do dielétrico inválida!!", "Largura da fita condutora inválida!!",
          "Largura da fenda inválida!!", "Altura do dielétrico inválida H < 0.13mm!!",
          "Espessura da fita condutora inválida!!",
          "Altura do dielétrico deve ser maior que a espessura da fita H>>t!!"}},
        {cpsAnaWindow, "Tanperda",
         {"Freqüência inválida!!", "Constante dielétrica relativa inválida!!", "Condutividade do condutor inválida!!",
          "Tangente de perda do dielétrico inválida!!", "Largura das fitas condutoras inválida!!",
          "Separação entre as fitas inválida!!", "Altura do dielétrico inválida H < 0.13mm!!",
          "Espessura das fitas condutoras inválida!!",
          "Altura do dielétrico deve ser maior que a espessura das fitas H>>t!!"}},
        {cpsConWindow, "Condsubs",
         {"Freqüência inválida!!", "Constante dielétrica relativa inválida!!", "Condutividade do condutor inválida!!",
          "Condutividade do dielétrico inválida!!", "Largura das fitas condutoras inválida!!",
          "Separação entre as fitas inválida!!", "Altura do dielétrico inválida H < 0.13mm !!",
          "Espessura das fitas condutoras inválida!!",
          "Altura do dielétrico deve ser maior que a espessura da fita H>>t!!"}},
    };
    for (const auto& c : cases) {
        const WindowDescription& d = c.window();
        SCOPED_TRACE(d.className);
        // Good and bad texts, in check order; the last pair makes t >= h.
        const std::vector<std::pair<std::string, std::pair<std::string, std::string>>> rows = {
            {"Frequencia", {"10", "0"}},  {"ComboBox2", {"2.2", "0.9"}}, {"ComboBox1", {"57600000", "-1"}},
            {c.lossField, {"0.001", "0"}}, {"Largura", {"1", "0"}},       {"Sep", {"0.2", "-0.2"}},
            {"ComboBox4", {"1.27", "0.1"}}, {"ComboBox3", {"0.035", "0"}},
        };
        ASSERT_EQ(c.messages.size(), rows.size() + 1);
        for (std::size_t failing = 0; failing <= rows.size(); ++failing) {
            std::vector<std::pair<std::string, std::string>> typed;
            for (std::size_t i = 0; i < rows.size(); ++i)
                typed.emplace_back(rows[i].first, i < failing ? rows[i].second.first : rows[i].second.second);
            if (failing == rows.size()) typed.back().second = "1.27";
            const Outcome o = compute(d, typedFields(d, typed));
            EXPECT_EQ(o.kind, Outcome::Kind::Message) << failing;
            EXPECT_EQ(o.message, c.messages[failing]) << failing;
        }
        // A picked height below 0.13 mm is refused as well as a typed one;
        // the first entry of the list (0.13) is the lowest that passes.
        const Outcome lowest = compute(d, typedFields(d, {{"Frequencia", "10"}, {"ComboBox2", "2.2"},
                                                          {"ComboBox1", "57600000"}, {c.lossField, "0.001"},
                                                          {"Largura", "0.1"}, {"Sep", "0.05"},
                                                          {"ComboBox4", "0.13"}, {"ComboBox3", "0.035"}}));
        EXPECT_TRUE(lowest.ok()) << lowest.message << faultText(lowest.fault);
    }
}

// A picked laminate is the number at the start of its text; a picked copper
// thickness is micrometres, a typed one millimetres.
TEST(CoplanarWindows, CataloguePicksReadAsTheirNumbers)
{
    for (const WindowDescription& (*window)() : {cpwAnaWindow, cpsAnaWindow}) {
        const WindowDescription& d = window();
        SCOPED_TRACE(d.className);
        auto run = [&](const char* er, const char* t) {
            return compute(d, typedFields(d, {{"Frequencia", "10"}, {"ComboBox2", er}, {"ComboBox1", "57600000"},
                                              {"Tanperda", "0.0009"}, {"Largura", "1"}, {"Sep", "0.2"},
                                              {"ComboBox4", "1.27"}, {"ComboBox3", t}}));
        };
        const Outcome picked = run("2.20 - RT/duroid® 5880", "17.5 µm ED(1/2 oz)");
        const Outcome typed = run("2.2", "0.0175");
        ASSERT_TRUE(picked.ok() && typed.ok()) << picked.message << typed.message;
        EXPECT_EQ(picked.results, typed.results);
        const Outcome high = run("10.2 - RT/duroid® 6010LM", "35.0 µm ED(1 oz)");
        const Outcome highTyped = run("10.2", "0.035");
        ASSERT_TRUE(high.ok() && highTyped.ok());
        EXPECT_EQ(high.results, highTyped.results);
        EXPECT_GT(high.value("Efetiva"), picked.value("Efetiva"));
    }
}

// Each field's message, as the window shows it beside the field, is the one
// the model refuses with when that field alone is spoilt, as zero or as text
// that is no number.
TEST(CoplanarWindows, EachFieldAloneGivesItsOwnMessage)
{
    const std::pair<const WindowDescription& (*)(), const char*> cases[] = {
        {cpwAnaWindow, "Tanperda"}, {cpwConWindow, "Condsubs"}, {cpsAnaWindow, "Tanperda"}, {cpsConWindow, "Condsubs"}};
    for (const auto& [window, lossField] : cases) {
        const WindowDescription& d = window();
        SCOPED_TRACE(d.className);
        const std::vector<std::pair<std::string, std::string>> good = {
            {"Frequencia", "10"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"}, {lossField, "0.001"},
            {"Largura", "1"},     {"Sep", "0.2"},       {"ComboBox4", "1.27"},     {"ComboBox3", "0.035"}};
        ASSERT_TRUE(compute(d, typedFields(d, good)).ok());
        ASSERT_EQ(d.inputs.size(), good.size());
        for (std::size_t i = 0; i < good.size(); ++i)
            for (const char* bad : {"0", "x"}) {
                auto typed = good;
                typed[i].second = bad;
                const Outcome o = compute(d, typedFields(d, typed));
                const InputSpec* field = d.input(typed[i].first);
                ASSERT_TRUE(field);
                EXPECT_EQ(o.kind, Outcome::Kind::Message) << field->name << " " << bad;
                EXPECT_FALSE(field->message.empty()) << field->name;
                EXPECT_EQ(o.message, field->message) << field->name << " " << bad;
            }
    }
}
