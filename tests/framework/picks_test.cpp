// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/core/calculator.h"
#include "models/all_windows.h"

using namespace tarvel;

namespace {

// A window with a dielectric that fills a loss field, a box whose pick
// replaces its own text by the number, and a list with an entry past the
// end of its fill values.
WindowDescription pickWindow()
{
    WindowDescription d;
    InputSpec diel;
    diel.name = "ComboBox2";
    diel.kind = InputKind::Combo;
    diel.entries = {"", "2.20 - A", "3.00 - B", "4.00 - C"};
    diel.fills = {{"Tanperda", {" ", "0.0009", "0.0013"}}, {"Rigidez", {" ", "50", "70"}}};
    InputSpec self;
    self.name = "ComboBox1";
    self.kind = InputKind::Combo;
    self.entries = {"", "10.2 - X  ", "9.80 - Y"};
    self.fills = {{"ComboBox1", {" ", "10.2", "9.80"}}};
    InputSpec tand, strength;
    tand.name = "Tanperda";
    strength.name = "Rigidez";
    d.inputs = {diel, self, tand, strength};
    return d;
}

struct Want {
    const char* control;
    const char* text;
    int picked;
};

TEST(TypedFields, PicksFillCompanionsAsTheWindowWould)
{
    const WindowDescription d = pickWindow();
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> given;
        std::vector<Want> want;
    } cases[] = {
        {"pick fills both companions",
         {{"ComboBox2", "3.00 - B"}},
         {{"ComboBox2", "3.00 - B", 2}, {"Tanperda", "0.0013", -1}, {"Rigidez", "70", -1}}},
        {"a given companion keeps its text",
         {{"Tanperda", "0.002"}, {"ComboBox2", "2.20 - A"}},
         {{"Tanperda", "0.002", -1}, {"Rigidez", "50", -1}}},
        {"typed number is no pick and fills nothing",
         {{"ComboBox2", "2.2"}},
         {{"ComboBox2", "2.2", -1}, {"Tanperda", "", -1}, {"Rigidez", "", -1}}},
        {"entry past the fill values fills nothing",
         {{"ComboBox2", "4.00 - C"}},
         {{"ComboBox2", "4.00 - C", 3}, {"Tanperda", "", -1}}},
        {"entry text must match exactly, blanks included",
         {{"ComboBox1", "10.2 - X"}},
         {{"ComboBox1", "10.2 - X", -1}}},
        {"a pick into its own box leaves the number as typed text",
         {{"ComboBox1", "10.2 - X  "}},
         {{"ComboBox1", "10.2", -1}}},
        {"empty text equals the blank entry but is no pick",
         {{"ComboBox2", ""}},
         {{"ComboBox2", "", -1}, {"Tanperda", "", -1}}},
        {"names that are no input are ignored",
         {{"nada", "1"}},
         {{"ComboBox2", "", -1}}},
    };
    for (const auto& c : cases) {
        const FieldTexts f = typedFields(d, c.given);
        EXPECT_EQ(f.size(), d.inputs.size()) << c.name;
        for (const auto& w : c.want) {
            ASSERT_TRUE(f.count(w.control)) << c.name << " " << w.control;
            EXPECT_EQ(f.at(w.control).text, w.text) << c.name << " " << w.control;
            EXPECT_EQ(f.at(w.control).picked, w.picked) << c.name << " " << w.control;
        }
    }
}

TEST(TypedFields, FillsOfPickFollowTheFillOrder)
{
    const WindowDescription d = pickWindow();
    using P = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(fillsOfPick(d.inputs[0], 1), (P{{"Tanperda", "0.0009"}, {"Rigidez", "50"}}));
    EXPECT_EQ(fillsOfPick(d.inputs[0], 0), (P{{"Tanperda", " "}, {"Rigidez", " "}}));
    EXPECT_TRUE(fillsOfPick(d.inputs[0], 3).empty());
    EXPECT_TRUE(fillsOfPick(d.inputs[0], -1).empty());
}

// Through a real window: the pick reads as the entry's number and its loss
// tangent reaches the model, so the compute equals the one with typed values.
TEST(TypedFields, PickedEntryComputesLikeTypedValues)
{
    const WindowDescription* d = findWindow("TForm2");
    ASSERT_NE(d, nullptr);
    const auto picked = typedFields(*d, {{"Frequencia", "0.3"},
                                         {"ComboBox2", "2.60 - ETFE: Etilenotetrafluoretileno"},
                                         {"ComboBox1", "57600000 - Cu : Cobre"},
                                         {"Espacamento", "10"},
                                         {"diametro", "1"}});
    EXPECT_EQ(picked.at("Tanperda").text, "0.00550");
    const auto typed = typedFields(*d, {{"Frequencia", "0.3"}, {"ComboBox2", "2.6"}, {"ComboBox1", "57600000"},
                                        {"Tanperda", "0.0055"}, {"Espacamento", "10"}, {"diametro", "1"}});
    const Outcome a = compute(*d, picked), b = compute(*d, typed);
    ASSERT_TRUE(a.ok()) << a.message;
    ASSERT_TRUE(b.ok()) << b.message;
    ASSERT_EQ(a.results.size(), b.results.size());
    for (std::size_t i = 0; i < a.results.size(); ++i)
        EXPECT_EQ(a.results[i].second, b.results[i].second) << a.results[i].first;
}

} // namespace
