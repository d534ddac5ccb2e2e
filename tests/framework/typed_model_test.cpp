// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces that join a typed model to a window: the check table, the
// binding of controls to inputs and of results to controls, catalogue rows
// and the report derived from a window's own captions.
#include <cmath>

#include <gtest/gtest.h>

#include "framework/core/catalogues.h"
#include "framework/core/describe.h"
#include "framework/core/typed_model.h"

using namespace tarvel;

namespace {

struct Box {
    Real f = 0, t = 0, h = 0;
};
struct Sizes {
    Real area = 0, ratio = 0;
};

const Checks<Box> boxChecks = {
    {&Box::f, passes::positive, "f?"},
    {&Box::t, passes::positive, "t?"},
    {[](const Box& b) { return b.h > b.t; }, "h>t?"},
    {&Box::h, passes::atLeastOne, "h?"},
};

Solved<Sizes> boxModel(const Box& b)
{
    if (auto failed = firstFailure(boxChecks, b))
        return Outcome::refuse(*failed);
    if (b.f > 100)
        return Outcome::faulted(Fault::Overflow);
    Solved<Sizes> s(Sizes{b.h * b.t, b.h / b.t});
    if (b.f > 10)
        s.warn("high");
    return s;
}

const Binding<Box, Sizes> boxBinding = {
    boxModel,
    &boxChecks,
    {{"F", &Box::f}, {"T", &Box::t}, {"H", &Box::h}},
    {{"Ratio", &Sizes::ratio}, {"Area", &Sizes::area}},
    {}, // no line section
    {"T"},
    [](const Inputs& controls, Box& b) {
        if (controls.isPicked("H"))
            b.h = 2 * controls["H"];
    },
};

Inputs controls(Real f, Real t, int tPick, Real h, int hPick = -1)
{
    Inputs in;
    in.set("F", f);
    in.set("T", t, tPick);
    in.set("H", h, hPick);
    return in;
}

} // namespace

TEST(TypedModel, BindingReadsChecksAndWritesInItsOrder)
{
    struct Case {
        Inputs in;
        const char* message; // empty: results
        Real ratio;
        std::size_t warnings;
    } cases[] = {
        {controls(1, 2, -1, 8), "", 4, 0},     // typed thickness: millimetres
        {controls(1, 2000, 3, 8), "", 4, 0},   // picked thickness: micrometres
        {controls(20, 2, -1, 4, 1), "", 4, 1}, // a picked height doubles; a warning after the results
        {controls(NAN, 2, -1, 8), "f?", 0, 0}, // a non-number fails its own check
        {controls(1, 0, -1, 8), "t?", 0, 0},
        {controls(1, 9, -1, 8), "h>t?", 0, 0}, // the check across inputs keeps its place
        {controls(1, 0.5L, -1, 0.8L), "h?", 0, 0},
    };
    for (const Case& c : cases) {
        const Outcome o = boxBinding(c.in);
        if (*c.message) {
            EXPECT_EQ(o.kind, Outcome::Kind::Message);
            EXPECT_EQ(o.message, c.message);
            continue;
        }
        ASSERT_TRUE(o.ok()) << o.message;
        ASSERT_EQ(o.results.size(), 2u);
        EXPECT_EQ(o.results[0].first, "Ratio");
        EXPECT_EQ(o.results[1].first, "Area");
        EXPECT_EQ(o.results[0].second, c.ratio);
        EXPECT_EQ(o.warnings.size(), c.warnings);
    }
    const Outcome faulted = boxBinding(controls(200, 1, -1, 8));
    EXPECT_EQ(faulted.kind, Outcome::Kind::Fault);
    EXPECT_EQ(faulted.fault, Fault::Overflow);
}

TEST(TypedModel, EachFieldTakesTheMessageOfItsFirstCheck)
{
    std::vector<InputSpec> fields = {describe::edit("F", "f"), describe::edit("T", "t"), describe::edit("H", "h"),
                                     describe::edit("Other", "o")};
    fields[3].message = "own";
    boxBinding.messagesInto(fields);
    EXPECT_EQ(fields[0].message, "f?");
    EXPECT_EQ(fields[1].message, "t?");
    EXPECT_EQ(fields[2].message, "h?"); // not the message of the check across inputs
    EXPECT_EQ(fields[3].message, "own");
}

TEST(CatalogueRows, FillsRespellingsAndRowsThatFillNothing)
{
    const catalogue::Catalogue c = catalogue::Catalogue{{{"", {" ", " "}}, {"1 - a", {"x", "y"}}, {"2 - b", {"z"}}}}
                                       .respelled({{1, "1 - a "}})
                                       .with({{""}});
    EXPECT_EQ(c.texts(), (catalogue::List{"", "1 - a ", "2 - b", ""}));
    const std::vector<Fill> fills = c.fillsInto({"First", "Second"});
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].target, "First");
    // The last row carries nothing, so picking it writes nothing.
    EXPECT_EQ(fills[0].values, (std::vector<std::string>{" ", "x", "z"}));
    EXPECT_EQ(fills[1].values, (std::vector<std::string>{" ", "y"}));
    EXPECT_TRUE(c.fillsInto({}).empty());
}

TEST(DerivedReport, PrintsTheWindowsCaptionsWithItsAmendments)
{
    WindowDescription w;
    InputSpec spacing = describe::edit("S", "Spacing");
    spacing.labels.push_back("between (mm):");
    w.inputs = {describe::edit("F", "Freq:"), spacing, describe::edit("L", "List:")};
    w.results = {describe::result("Z", "Z0:"), describe::result("R", "R (Ohms/m):")};
    const auto lines = describe::reportOf(w, {{"R", "R (Ohms):"}, {"L", {}, true}, {"F", {}, false, true}});
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Entrada de Dados:", ""}, {"Spacing between (mm):", "S"}, {"List:", "L"},
        {"Saída de Dados:", ""},   {"Z0:", "Z"},                   {"R (Ohms):", "R"}};
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].label, expected[i].first);
        EXPECT_EQ(lines[i].control, expected[i].second);
        EXPECT_EQ(lines[i].wideGap, lines[i].control == "L");
    }
}
