// SPDX-License-Identifier: GPL-3.0-or-later
// One worked example per line family through the command line: the values
// the window gives at its displayed decimals, and exactly the texts the
// window's compute writes for the same field texts (picks included).
#include <cmath>
#include <map>
#include <sstream>

#include "models/all_windows.h"
#include "run_calc.h"

using namespace tarvel;
using namespace tarvel::testing;

namespace {

struct Example {
    const char* family;
    const char* window;
    Texts inputs;
    // Result control -> value as the example quotes it; the CLI's value must
    // round to it at the quoted decimals.
    std::vector<std::pair<const char*, const char*>> want;
};

int decimalsOf(const std::string& text)
{
    const auto point = text.find('.');
    return point == std::string::npos ? 0 : int(text.size() - point - 1);
}

const Example examples[] = {
    {"two-wire", "TForm2",
     {{"Frequencia", "1"}, {"ComboBox2", "2.10 - PTFE: Polytetrafluoretileno"}, {"ComboBox1", "57600000 - Cu : Cobre"},
      {"Tanperda", "0.0001"}, {"Espacamento", "10"}, {"diametro", "1"}},
     {{"impedancia", "247.8624"}, {"Atentotal", "0.9286"}}},
    {"microstrip", "TForm4",
     {{"frequencia", "10"}, {"Combobox2", "2.20 - RT/duroid® 5880"}, {"Combobox1", "57600000 - Cu: Cobre"},
      {"largura", "2.4"}, {"ComboBox4", "0.79"}, {"ComboBox3", "35.0  µm ED(1 oz)"}},
     {{"impcarac", "49.458"}, {"efetiva", "1.8796"}, {"CompMic", "2.1882"}, {"Encfimlinha", "0.3756"},
      {"Resistividade", "0.0262"}, {"AtenCond", "0.0102"}, {"AtenDiel", "0.0096"}, {"Atentotal", "0.0198"},
      {"Dielefet", "1.9186"}, {"ImpCarDisp", "51.124"}, {"Resistencia", "1.2317"}, {"FatorQr", "39.69"},
      {"FatorQd", "1306.9"}, {"FatorQc", "1239.9"}, {"FatorQ", "37.36"}}},
    {"stripline", "TForm5",
     {{"Frequencia", "1"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"}, {"Tanperda", "0.0009"},
      {"Largura", "1"}, {"ComboBox4", "1.57"}, {"ComboBox3", "35.0 µm ED(1 oz)"}},
     {{"Impcarac", "56.0763"}, {"FreqCorte", "45.2873"}, {"Resistividade", "0.0083"}, {"CompStrip", "20.2260"},
      {"Encfimlinha", "0.2401"}, {"AtenCond", "0.0062"}, {"Atendiel", "0.0012"}, {"AtenTotal", "0.0074"},
      {"Qcond", "218.78"}, {"Qdiel", "1109.85"}, {"Qtotal", "182.76"}}},
    {"coupled stripline", "TForm20",
     {{"Frequencia", "1"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"}, {"Tanperda", "0.0009"},
      {"Largura", "1"}, {"Separ", "0.5"}, {"ComboBox4", "1.57"}, {"ComboBox3", "0.035"}},
     {{"Impcarac", "62.0614"}, {"impcararcodd", "49.1975"}, {"Compguiado", "20.2260"}, {"AtenCond", "0.0069"},
      {"AtenCondodd", "0.0050"}, {"Atendiel", "0.0012"}, {"AtenDielodd", "0.0012"}, {"AtenTotal", "0.0081"},
      {"AtenTotalodd", "0.0062"}}},
    {"coupled stripline synthesis", "TForm27",
     {{"ImpModoPar", "60"}, {"ImpModoimpar", "40"}, {"Frequencia", "1"}, {"ComboBox2", "2.2"},
      {"ComboBox1", "57600000"}, {"Tanperda", "0.0009"}, {"ComboBox4", "1.57"}, {"ComboBox3", "0.035"}},
     {{"LargReal", "1.1498"}, {"SepReal", "0.2212"}, {"complambs", "20.2260"}, {"AtconMp", "0.0069"},
      {"AtconMi", "0.0034"}, {"AtdielMp", "0.0012"}, {"AtdielMi", "0.0012"}, {"AtentotalMp", "0.0081"},
      {"AtentotalMi", "0.0046"}}},
    {"coupled microstrip", "TForm26",
     {{"frequencia", "10"}, {"ComboBox2", "2.2"}, {"ComboBox1", "5.8e7"}, {"Tanperda", "0.0009"},
      {"largura", "2.4"}, {"Separacao", "0.5"}, {"ComboBox4", "0.79"}, {"ComboBox3", "0.035"}},
     {{"impcarac", "56.75"}, {"Impcaracodd", "40.60"}, {"efetiva", "1.9416"}, {"efetivaodd", "1.7872"},
      {"AtenCond", "0.0137"}, {"AtenCondodd", "0.0098"}, {"AtenDiel", "0.0101"}, {"Atendielodd", "0.0088"}}},
    // No quoted values: the CLI must compute and print what the window does.
    {"coplanar waveguide", "TForm11",
     {{"Frequencia", "10"}, {"ComboBox2", "10.2 - RT/duroid® 6010LM"}, {"ComboBox1", "57600000 - Cu : Cobre"},
      {"Largura", "0.5"}, {"Sep", "0.2"}, {"ComboBox4", "0.64"}, {"ComboBox3", "17.5 µm ED(1/2 oz)"}},
     {}},
    {"coplanar strips", "TForm13",
     {{"Frequencia", "10"}, {"ComboBox2", "10.2 - RT/duroid® 6010LM"}, {"ComboBox1", "57600000 - Cu : Cobre"},
      {"Largura", "0.5"}, {"Sep", "0.2"}, {"ComboBox4", "0.64"}, {"ComboBox3", "17.5 µm ED(1/2 oz)"}},
     {}},
};

TEST(Families, WorkedExamplesThroughTheCommandLine)
{
    int ran = 0;
    for (const auto& ex : examples) {
        const WindowDescription* d = findWindow(ex.window);
        if (!d)
            continue; // that family's windows have not been built yet
        ++ran;
        const Ran r = calc(withAssignments({ex.window}, ex.inputs));
        EXPECT_EQ(r.exit, 0) << ex.family << "\n" << r.out << r.err;
        EXPECT_EQ(r.out, windowShows(*d, typedFields(*d, ex.inputs))) << ex.family;
        std::map<std::string, std::string> got;
        std::istringstream lines(r.out);
        for (std::string line; std::getline(lines, line);)
            if (const auto eq = line.find('='); eq != std::string::npos)
                got[line.substr(0, eq)] = line.substr(eq + 1);
        EXPECT_EQ(got.size(), d->results.size()) << ex.family; // every result written
        for (const auto& [control, quoted] : ex.want) {
            ASSERT_TRUE(got.count(control)) << ex.family << " " << control;
            const std::string& text = got[control];
            EXPECT_EQ(decimalsOf(text), 4) << control;
            const double half = 0.5 * std::pow(10.0, -decimalsOf(quoted));
            EXPECT_LE(std::fabs(std::stod(text) - std::stod(quoted)), half * 1.0001)
                << ex.family << " " << control << " = " << text << ", example " << quoted;
        }
    }
    EXPECT_GE(ran, 1);
}

} // namespace
