// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/core/calculator.h"
#include "framework/core/number_text.h"
#include "framework/core/report_layout.h"
#include "models/all_windows.h"
#include "models/microstrip/microstrip.h"

using namespace tarvel;

namespace {

using Given = std::vector<std::pair<std::string, std::string>>;

Outcome typed(const WindowDescription& d, const Given& given) { return compute(d, typedFields(d, given)); }

TEST(MicrostripWindows, TableRows)
{
    struct Case {
        int number;
        const char *className, *unit, *caption, *key, *extension, *defaultName;
        bool closesGallery, calcAtStart;
        int tab;
        std::size_t reportLines;
        int lastY;
    } cases[] = {
        {4, "TForm4", "MicFtAna", "Análise de Linha de Transmissão Microstrip", "frequencia", "stp", "MicFtAna1.stp",
         true, true, 2, 26, 1700},
        {6, "TForm6", "MiFMtCon", "Análise de Linha de Transmissão Microstrip", "frequencia", "mmc", "MiFMtCon1.mmc",
         true, true, 2, 26, 1700},
        {17, "TForm17", "MicstSin", "Síntese de Linha de Transmissão Microstrip", "Impedancia", "mcs",
         "MicstSin1.mcs", false, false, 2, 26, 1700},
        {18, "TForm18", "MstSinCd", "Síntese de Linha de Transmissão Microstrip", "Impedancia", "mst",
         "MstSinCd1.mst", false, false, 2, 26, 1700},
        {8, "TForm8", "SlotAna", "Análise de Linha de Transmissão SlotLine", "Frequencia", "slt", "SlotAna1.slt", true,
         true, 4, 10, 800},
    };
    for (const auto& c : cases) {
        const WindowDescription* d = findWindow(c.number);
        ASSERT_NE(d, nullptr) << c.number;
        EXPECT_EQ(d, findWindow(c.unit));
        EXPECT_EQ(d->className, c.className);
        EXPECT_EQ(d->caption, c.caption);
        EXPECT_EQ(d->keyFields, std::vector<std::string>{c.key});
        EXPECT_EQ(d->closesGallery, c.closesGallery);
        EXPECT_EQ(d->mainToFront, c.closesGallery);
        EXPECT_EQ(d->calcEnabledAtStart, c.calcAtStart);
        EXPECT_EQ(galleryTab(d->section.kind), c.tab);
        EXPECT_EQ(d->project.extension, c.extension);
        EXPECT_EQ(d->project.defaultName, c.defaultName);
        EXPECT_FALSE(d->project.computeAfterOpen);
        // Every stored field is an input, and every input is stored.
        ASSERT_EQ(d->project.fields.size(), d->inputs.size()) << c.unit;
        for (const auto& f : d->project.fields)
            EXPECT_NE(d->input(f.name), nullptr) << c.unit << " " << f.name;
        // Every result is printed, and every printed control exists.
        ASSERT_EQ(d->report.lines.size(), c.reportLines) << c.unit;
        std::size_t printedResults = 0;
        for (const auto& l : d->report.lines) {
            if (l.control.empty())
                continue;
            EXPECT_TRUE(d->input(l.control) || d->result(l.control)) << c.unit << " " << l.control;
            printedResults += d->result(l.control) != nullptr;
        }
        EXPECT_EQ(printedResults, d->results.size()) << c.unit;
        const auto items = layoutReport(d->report, [](const std::string&) { return std::string(); });
        ASSERT_FALSE(items.empty());
        EXPECT_EQ(items.back().y, c.lastY) << c.unit;
        EXPECT_EQ(d->report.valueX, 1000);
        ASSERT_TRUE(d->model);
    }
}

TEST(MicrostripWindows, TextsThatDifferBetweenWindows)
{
    struct Case {
        int window;
        const char *control, *label;
    } results[] = {
        {4, "Atentotal", "Atenuação total (dB/cm):"},
        {6, "Atentotal", "Atenuação total  (dB/cm):"},
        {4, "Dielefet", "Constante dielétrica relativa efetiva:"},
        {6, "Dielefet", "Constante dielétrica dispersiva efetiva:"},
        {6, "FatorQd", "No Dielétrico (Qd):"},
        {17, "FatorQd", "No dielétrico (Qd):"},
        {17, "Encfimlinha", "Encurtamento de fim de linha (mm):"},
        {18, "Encfimlinha", "Encurtmento de fim de linha (mm):"},
        {18, "Largura", "Largura da fita condutora (mm):"},
        {4, "Resistencia", "Resistência de irradiação (Ohms):"},
        {8, "CompCorte", "Valor de corte para o modo TE    na SlotLine:"},
    };
    for (const auto& c : results) {
        const ResultSpec* r = findWindow(c.window)->result(c.control);
        ASSERT_NE(r, nullptr) << c.window << c.control;
        EXPECT_EQ(r->label, c.label) << c.window;
    }
    struct Groups {
        int window;
        std::vector<std::string> groups;
    } groups[] = {
        {4, {"Resultados:", "Parâmetros de dispersão:", "Fator de qualidade para perdas:"}},
        {6, {"Resultados:", "Parâmetros de dispersão:", "Fator de qualidade das perdas:"}},
        {17, {"Resultados:", "Parâmetros de dispersão:", "Fator de qualidade das perdas:"}},
        {18, {"Resultados:", "Parâmetros de dispersão:", "Fator de qualidade das perdas:"}},
        {8, {"Resultados:"}},
    };
    for (const auto& g : groups) {
        const WindowDescription& d = *findWindow(g.window);
        EXPECT_EQ(d.resultGroups, g.groups) << g.window;
        for (const auto& r : d.results)
            EXPECT_LT(r.group, int(d.resultGroups.size()));
    }
    // The dispersion group holds three results and the quality group four.
    const WindowDescription& d4 = *findWindow(4);
    EXPECT_EQ(d4.result("ImpCarDisp")->group, 1);
    EXPECT_EQ(d4.result("FatorQ")->group, 2);
    EXPECT_EQ(d4.result("Atentotal")->group, 0);

    // Control names as each window spells them.
    EXPECT_NE(findWindow(4)->input("Combobox2"), nullptr);
    EXPECT_NE(findWindow(4)->input("Combobox1"), nullptr);
    EXPECT_EQ(findWindow(4)->input("ComboBox2"), nullptr);
    EXPECT_EQ(findWindow(4)->input("Combobox2")->labels[0], "Constante dielétrica relativa: ");
    EXPECT_EQ(findWindow(17)->inputs[0].name, "Impedancia"); // on screen before the frequency
    EXPECT_EQ(findWindow(17)->inputs[1].name, "frequencia");

    // The plain synthesis window: edits only, and "..." beside the permittivity.
    const WindowDescription& d18 = *findWindow(18);
    for (const auto& in : d18.inputs)
        EXPECT_EQ(in.kind, InputKind::Edit) << in.name;
    EXPECT_EQ(d18.input("constdiel")->buttonName, "Button1");
    EXPECT_EQ(d18.input("constdiel")->buttonText, "...");
}

TEST(MicrostripWindows, CataloguePicksAsTheModelReadsThem)
{
    const WindowDescription& d4 = *findWindow(4);
    const Given example = {{"frequencia", "10"},
                           {"Combobox2", "2.20 - RT/duroid® 5880"},
                           {"Combobox1", "57600000 - Cu: Cobre"},
                           {"largura", "2.4"},
                           {"ComboBox4", "0.79"},
                           {"ComboBox3", "35.0  µm ED(1 oz)"}};
    // The dielectric pick writes its loss tangent, 0.0009, and the
    // thickness pick is 35 micrometres.
    EXPECT_EQ(typedFields(d4, example).at("Tanperda").text, "0.0009");
    const Outcome picked = typed(d4, example);
    ASSERT_TRUE(picked.ok()) << picked.message;
    EXPECT_EQ(resultText(picked.value("impcarac")), "49.4580");

    struct Case {
        const char* name;
        int window;
        Given given;
        const char* control; // a result to compare, or nullptr for the message
        const char* want;
    } cases[] = {
        {"half-ounce copper is 0.0175 mm", 4,
         {{"frequencia", "5"}, {"Combobox2", "10.2 - RT/duroid® 6010LM"}, {"Combobox1", "57600000"},
          {"largura", "0.1"}, {"ComboBox4", "0.64"}, {"ComboBox3", "17.5  µm ED(1/2 oz)"}},
         "impcarac", "90.9124"},
        {"the same typed", 4,
         {{"frequencia", "5"}, {"Combobox2", "10.2"}, {"Combobox1", "57600000"}, {"Tanperda", "0.0023"},
          {"largura", "0.1"}, {"ComboBox4", "0.64"}, {"ComboBox3", "0.0175"}},
         "impcarac", "90.9124"},
        {"the blank first entry is er = 0", 4,
         {{"frequencia", "10"}, {"Combobox2", ""}, {"Combobox1", "57600000"}, {"Tanperda", "0.001"}},
         nullptr, "Constante dielétrica relativa inválida!!"},
        {"0.12 mm typed is too thin", 4,
         {{"frequencia", "10"}, {"Combobox2", "2.2"}, {"Combobox1", "57600000"}, {"Tanperda", "0.001"},
          {"largura", "1"}, {"ComboBox4", "0.12"}, {"ComboBox3", "0.009"}},
         nullptr, "Altura do dielétrico inválida!!"},
        {"0.13 mm picked is enough", 4,
         {{"frequencia", "10"}, {"Combobox2", "2.2"}, {"Combobox1", "57600000"}, {"Tanperda", "0.001"},
          {"largura", "1"}, {"ComboBox4", "0.13"}, {"ComboBox3", "9.0    µm ED(1/4 oz)"}},
         "Encfimlinha", nullptr},
        {"gallium arsenide fills 0.008 S/m", 6,
         {{"frequencia", "10"}, {"ComboBox2", "13.0 - Gallium arsenide(GaAs)     "}, {"ComboBox1", "57600000 - Cu: Cobre"},
          {"largura", "0.5"}, {"ComboBox4", "0.64"}, {"ComboBox3", "17.5 µm ED(1/2 oz)"}},
         "impcarac", "47.8001"},
        {"one-decimal laminate in synthesis", 17,
         {{"Impedancia", "75"}, {"frequencia", "2"}, {"ComboBox2", "10.2 - RO3010"}, {"ComboBox1", "57600000"},
          {"Tanperda", "0.0023"}, {"ComboBox4", "0.64"}, {"ComboBox3", "0.009"}},
         "Largura", "0.2084"},
        {"synthesis refuses an empty target first", 17, {}, nullptr, "Impedância característica Inválida!!"},
        {"plain synthesis reads 0.035 as millimetres", 18,
         {{"Impedancia", "50"}, {"frequencia", "10"}, {"constdiel", "2.2"}, {"condutividade", "57600000"},
          {"condsubs", "0.001"}, {"alturadiel", "0.79"}, {"espesfita", "0.035"}},
         "Largura", "2.3611"},
        {"slotline laminate pick", 8,
         {{"Frequencia", "3"}, {"ComboBox2", "10.2 - RO3010  "}, {"ComboBox1", "1.27"}, {"Largura", "0.1"}},
         "Impcarac", "51.7114"},
        {"slotline blank entry", 8, {{"Frequencia", "3"}, {"ComboBox2", ""}},
         nullptr, "Constante dielétrica relativa inválida, Recomenda-se 9.7<=Er<=20!!"},
    };
    for (const auto& c : cases) {
        const Outcome o = typed(*findWindow(c.window), c.given);
        if (!c.control) {
            EXPECT_EQ(o.kind, Outcome::Kind::Message) << c.name;
            EXPECT_EQ(o.message, c.want) << c.name;
            continue;
        }
        ASSERT_TRUE(o.ok()) << c.name << ": " << o.message << faultText(o.fault);
        if (c.want) {
            EXPECT_EQ(resultText(o.value(c.control)), c.want) << c.name;
        }
    }
}

// A picked entry computes as its leading number typed, in the unit of the
// label (thickness entries are micrometres, the label millimetres).
TEST(MicrostripWindows, PickEqualsItsNumberTyped)
{
    struct Case {
        int window;
        const char *control, *entry, *number;
    } cases[] = {
        {4, "Combobox2", "3.48 - RO4350", "3.48"},
        {4, "Combobox2", "10.2 - RT/duroid® 6010LM", "10.2"},
        {4, "Combobox1", "61000000 - Ag: Prata", "61000000"},
        {4, "ComboBox3", "17.5  µm ED(1/2 oz)", "0.0175"},
        {4, "ComboBox3", "70.0  µm Rolled(2 oz)", "0.07"},
        {4, "ComboBox4", "2.54", "2.54"},
        {6, "ComboBox2", "9.40 - Sapphire", "9.40"},
        {6, "ComboBox1", "39600000 -  Al: Alumínio", "39600000"},
        {6, "ComboBox3", "9.0   µm ED(1/4 oz)", "0.009"},
        {17, "ComboBox2", "6.15 - RO3006", "6.15"},
        {17, "ComboBox1", "39600000 - Al : Alumínio", "39600000"},
        {17, "ComboBox3", "35.0 µm Rolled(1 oz)", "0.035"},
    };
    for (const auto& c : cases) {
        const WindowDescription& d = *findWindow(c.window);
        Given base;
        if (c.window == 17)
            base = {{"Impedancia", "50"}, {"frequencia", "10"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"},
                    {"Tanperda", "0.001"}, {"ComboBox4", "0.79"}, {"ComboBox3", "0.035"}};
        else
            base = {{"frequencia", "10"}, {d.inputs[1].name, "2.2"}, {d.inputs[2].name, "57600000"},
                    {d.inputs[3].name, "0.001"}, {"largura", "1"}, {"ComboBox4", "0.79"}, {"ComboBox3", "0.035"}};
        Given picked = base, typedNumber = base;
        for (auto& [name, text] : picked)
            if (name == c.control)
                text = c.entry;
        for (auto& [name, text] : typedNumber)
            if (name == c.control)
                text = c.number;
        // The loss field stays as given: a pick fills it only when it is left out.
        const Outcome a = typed(d, picked), b = typed(d, typedNumber);
        ASSERT_TRUE(a.ok() && b.ok()) << c.entry << a.message << b.message;
        ASSERT_TRUE(d.input(c.control));
        EXPECT_GE(effectivePick(*d.input(c.control), typedFields(d, picked).at(c.control)), 1) << c.entry;
        for (const auto& [name, v] : b.results)
            EXPECT_EQ(a.value(name), v) << c.entry << " " << name;
    }
}

// The slotline's dielectric box keeps only the picked entry's number.
TEST(MicrostripWindows, SlotlinePickLeavesTheNumber)
{
    const WindowDescription& d = *findWindow(8);
    struct Case {
        const char *entry, *left;
    } cases[] = {{"10.2 - RT/duroid® 6010LM", "10.2"}, {"9.80 - TMM® 10i", "9.80"}, {"10.2 - RO3010  ", "10.2"}};
    for (const auto& c : cases) {
        const FieldTexts fields = typedFields(d, {{"ComboBox2", c.entry}});
        EXPECT_EQ(fields.at("ComboBox2").text, c.left);
        EXPECT_EQ(readInputs(d, fields)["ComboBox2"], readNumber(c.left));
    }
}

} // namespace
