// SPDX-License-Identifier: GPL-3.0-or-later
// tarvel-calc check: every window that describes a cross-section gives its
// formulas beside the field solution; the slotline says it has nothing to
// check; refused inputs give the window's own message.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fieldsolve/window_check.h"
#include "models/physics.h"
#include "json.h"
#include "tool.h"

using namespace tarvel;

namespace {

struct Case {
    const char* window;
    std::vector<std::string> inputs;
    std::vector<std::string> quantities; // the compared rows, in order
};

const std::vector<std::string> single = {"Z0"};
const std::vector<std::string> withEeff = {"Z0", "eeff"};
const std::vector<std::string> modes = {"Z0 par", "Z0 ímpar"};
const std::vector<std::string> modesEeff = {"Z0 par", "Z0 ímpar", "eeff par", "eeff ímpar"};

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = {
        {"TForm2", {"Frequencia=1", "ComboBox2=2.1", "ComboBox1=57600000", "Tanperda=0.0001", "Espacamento=10",
                    "diametro=1"}, single},
        {"TForm16", {"impedan=300", "Frequencia=1", "ComboBox2=2.1", "ComboBox1=57600000", "Tanperda=0.0001",
                     "Atentot=1"}, single},
        {"TForm3", {"Frequencia=1", "ComboBox2=2.1", "ComboBox1=57600000", "Rigidez=20", "TanPerda=0.0002",
                    "Diaext=2.95", "Diaint=0.91"}, single},
        {"TForm15", {"impedancia=50", "Frequencia=1", "ComboBox2=2.1", "ComboBox1=57600000", "Rigidez=20",
                     "TanPerda=0.0002", "Atentotal=0.2"}, single},
        {"TForm4", {"frequencia=10", "Combobox2=2.20 - RT/duroid® 5880", "Combobox1=57600000 - Cu: Cobre",
                    "largura=2.4", "ComboBox4=0.79", "ComboBox3=35.0  µm ED(1 oz)"}, withEeff},
        {"TForm6", {"frequencia=1", "ComboBox2=4.4", "ComboBox1=57600000", "CondMat=0.001", "largura=3",
                    "ComboBox4=1.6", "ComboBox3=0.035"}, withEeff},
        {"TForm17", {"Impedancia=50", "frequencia=1", "ComboBox2=2.2", "ComboBox1=57600000", "Tanperda=0.0009",
                     "ComboBox4=0.79", "ComboBox3=0.035"}, withEeff},
        {"TForm18", {"Impedancia=50", "frequencia=1", "constdiel=4.4", "condutividade=57600000", "condsubs=0.001",
                     "alturadiel=1.6", "espesfita=0.035"}, withEeff},
        {"TForm5", {"Frequencia=1", "ComboBox2=2.2", "ComboBox1=57600000", "Tanperda=0.0009", "Largura=1",
                    "ComboBox4=1.57", "ComboBox3=35.0 µm ED(1 oz)"}, single},
        {"TForm7", {"Frequencia=1", "ComboBox2=2.2", "ComboBox1=57600000", "Condsubs=0.001", "Largura=1",
                    "ComboBox4=1.57", "ComboBox3=0.035"}, single},
        {"TForm19", {"Impcarac=50", "Frequencia=1", "ComboBox2=2.2", "ComboBox1=57600000", "Tanperda=0.0009",
                     "ComboBox4=1.57", "ComboBox3=0.035"}, single},
        {"TForm22", {"Impcarac=75", "Frequencia=1", "ComboBox2=2.2", "ComboBox1=57600000", "Condsubs=0.001",
                     "ComboBox4=1.57", "ComboBox3=0.035"}, single},
        {"TForm11", {"Frequencia=10", "ComboBox2=10.2", "ComboBox1=57600000", "Tanperda=0.001", "Largura=0.5",
                     "Sep=0.2", "ComboBox4=0.64", "ComboBox3=0.0175"}, withEeff},
        {"TForm12", {"Frequencia=10", "ComboBox2=3.78", "ComboBox1=57600000", "Condsubs=0.001", "Largura=1",
                     "Sep=0.1", "ComboBox4=1.5", "ComboBox3=0.035"}, withEeff},
        {"TForm13", {"Frequencia=10", "ComboBox2=10.2", "ComboBox1=57600000", "Tanperda=0.001", "Largura=0.5",
                     "Sep=0.2", "ComboBox4=0.64", "ComboBox3=0.0175"}, withEeff},
        {"TForm14", {"Frequencia=10", "ComboBox2=2.5", "ComboBox1=57600000", "Condsubs=0.001", "Largura=0.3",
                     "Sep=0.6", "ComboBox4=1", "ComboBox3=0.0175"}, withEeff},
        {"TForm20", {"Frequencia=1", "ComboBox2=2.2", "ComboBox1=57600000", "Tanperda=0.0009", "Largura=1",
                     "Separ=0.5", "ComboBox4=1.57", "ComboBox3=0.035"}, modes},
        {"TForm27", {"ImpModoPar=60", "ImpModoimpar=40", "Frequencia=1", "ComboBox2=2.2", "ComboBox1=57600000",
                     "Tanperda=0.0009", "ComboBox4=1.57", "ComboBox3=0.035"}, modes},
        {"TForm26", {"frequencia=10", "ComboBox2=2.2", "ComboBox1=5.8e7", "Tanperda=0.0009", "largura=2.4",
                     "Separacao=0.5", "ComboBox4=0.79", "ComboBox3=0.035"}, modesEeff},
        {"TForm29", {"ImpModoPar=60", "ImpModoimpar=40", "Frequencia=1", "ComboBox2=2.2", "ComboBox1=57600000",
                     "Tanperda=0.0009", "ComboBox4=0.79", "ComboBox3=0.035"}, modesEeff},
    };
    return all;
}

cli::Run check(const char* window, std::vector<std::string> inputs, bool asJson)
{
    std::vector<std::string> args = {"check", window};
    args.insert(args.end(), inputs.begin(), inputs.end());
    if (asJson)
        args.push_back("--json");
    return cli::run(args);
}

double number(const json::Value* v)
{
    return v && v->kind == json::Value::Kind::Number ? std::stod(v->text) : std::nan("");
}

} // namespace

TEST(Check, EveryWindowWithASectionComparesItsFormulasWithTheField)
{
    for (const Case& c : cases()) {
        const cli::Run r = check(c.window, c.inputs, true);
        ASSERT_EQ(r.exit, cli::Ok) << c.window << r.out << r.err;
        const json::Parsed p = json::parse(r.out);
        ASSERT_TRUE(p.ok) << c.window << ": " << p.error;
        const json::Value* rows = p.value.find("checks");
        ASSERT_TRUE(rows && rows->kind == json::Value::Kind::Array) << c.window;
        ASSERT_EQ(rows->items.size(), c.quantities.size()) << c.window;
        for (std::size_t k = 0; k < rows->items.size(); ++k) {
            const json::Value& row = rows->items[k];
            EXPECT_EQ(row.find("quantity")->text, c.quantities[k]) << c.window;
            const double formula = number(row.find("formula")), field = number(row.find("field"));
            const double diff = number(row.find("difference_percent"));
            EXPECT_GT(field, 0) << c.window << " " << c.quantities[k];
            EXPECT_GT(formula, 0) << c.window << " " << c.quantities[k];
            EXPECT_NEAR(diff, 100 * (formula - field) / field, 1e-4) << c.window;
            // Far from the field would mean a wrong cross-section, not a formula.
            EXPECT_LT(std::fabs(diff), 25) << c.window << " " << c.quantities[k];
        }
        EXPECT_LE(number(p.value.find("error_percent")), 0.05) << c.window;
        EXPECT_GE(number(p.value.find("seconds")), 0) << c.window;
        // The text form carries the same rows (two windows suffice).
        if (std::string(c.window) != "TForm5" && std::string(c.window) != "TForm20")
            continue;
        const cli::Run text = check(c.window, c.inputs, false);
        EXPECT_EQ(text.exit, cli::Ok);
        for (const auto& q : c.quantities)
            EXPECT_NE(text.out.find("\n" + q + " "), std::string::npos) << c.window << "\n" << text.out;
        EXPECT_NE(text.out.find("Erro estimado da solução de campo: "), std::string::npos);
    }
}

// Differences whose sign and size are known: the coaxial and two-wire
// formulas take 60 and 120 Ohms for eta0/(2 pi) and eta0/pi, 0.0692 % high;
// the stripline synthesis's width, analysed, gives less than the 50 Ohms
// asked (about 48.7 by the window's own analysis).
TEST(Check, DifferencesHaveTheirKnownSigns)
{
    const double etaRatio = 120 * 3.14159265358979323846 / physics::si::eta0 - 1;
    for (const char* w : {"TForm2", "TForm3", "TForm15", "TForm16"})
        for (const Case& c : cases())
            if (std::string(c.window) == w) {
                const json::Parsed p = json::parse(check(w, c.inputs, true).out);
                ASSERT_TRUE(p.ok);
                EXPECT_NEAR(number(p.value.find("checks")->items[0].find("difference_percent")), 100 * etaRatio,
                            1e-4)
                    << w;
            }
    const json::Parsed p = json::parse(check("TForm19", cases()[10].inputs, true).out);
    ASSERT_TRUE(p.ok);
    const json::Value& z0 = p.value.find("checks")->items[0];
    EXPECT_GT(number(z0.find("difference_percent")), 1.5);
    EXPECT_NEAR(number(z0.find("field")), 48.8, 0.3);
}

TEST(Check, SlotlineRefusedInputsAndUnknownWindowsSaySo)
{
    const cli::Run slot = check("TForm8", {"Frequencia=1", "ComboBox2=10", "ComboBox1=1", "Largura=0.5"}, false);
    EXPECT_EQ(slot.exit, cli::Message);
    EXPECT_EQ(slot.out, std::string("message: ") + fieldsolve::noQuasiStaticCheck() + "\n");
    const cli::Run slotJson = check("SlotAna", {"Largura=0.5"}, true);
    EXPECT_EQ(slotJson.exit, cli::Message);
    EXPECT_NE(slotJson.out.find("\"message\":\"A SlotLine não tem modo TEM"), std::string::npos);
    // The window's own first failed check, as compute gives it.
    std::vector<std::string> bad = cases()[4].inputs;
    bad[3] = "largura=-1";
    const cli::Run refused = check("TForm4", bad, false);
    EXPECT_EQ(refused.exit, cli::Message);
    EXPECT_EQ(refused.out.rfind("message: ", 0), 0u);
    EXPECT_EQ(check("TForm99", {}, false).exit, cli::Usage);
    EXPECT_EQ(check("TForm4", {"nada=1"}, false).exit, cli::Usage);
    EXPECT_EQ(cli::run({"check"}).exit, cli::Usage);
}

// A CPS whose finite-height factor turns the formula's eeff0 negative: the
// window's model faults, but its inputs describe a section, and the field
// answers for it; the formula's column is empty and the fault is said.
TEST(Check, AFaultedFormulaStillGetsTheFieldOfItsSection)
{
    const std::vector<std::string> cps = {"Frequencia=1", "ComboBox2=10.2", "ComboBox1=57600000", "Tanperda=0.001",
                                          "Largura=0.5",  "Sep=2.0",        "ComboBox4=0.5",      "ComboBox3=0.01"};
    const cli::Run r = check("TForm13", cps, true);
    EXPECT_EQ(r.exit, cli::Fault) << r.out << r.err;
    const json::Parsed p = json::parse(r.out);
    ASSERT_TRUE(p.ok) << r.out;
    ASSERT_TRUE(p.value.find("fault")) << r.out;
    EXPECT_EQ(p.value.find("fault")->text, faultText(Fault::Invalid));
    const json::Value* rows = p.value.find("checks");
    ASSERT_TRUE(rows && rows->items.size() == 2) << r.out;
    for (const json::Value& row : rows->items) {
        EXPECT_EQ(row.find("formula")->kind, json::Value::Kind::Null) << r.out;
        EXPECT_GT(number(row.find("field")), 1) << r.out;
    }
    EXPECT_NEAR(number(rows->items[0].find("field")), 197, 2);
    const cli::Run text = check("TForm13", cps, false);
    EXPECT_EQ(text.exit, cli::Fault);
    EXPECT_NE(text.out.find(std::string("fault: ") + faultText(Fault::Invalid)), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("\nZ0 (Ohms) "), std::string::npos) << text.out;
}

// Metal of 0.01 um on a millimetre line: the mesh's node limit comes before
// the tolerance, so the best values are given with a notice, exit 4 and
// "converged": false, not an arithmetic fault.
TEST(Check, AFieldStoppedAtTheMeshLimitIsNotReachedNotAFault)
{
    // A wide strip beside a slot ten thousand times narrower, in metal of
    // 0.1 um: the node limit comes before the estimate meets its tolerance.
    const std::vector<std::string> extreme = {"Frequencia=1", "ComboBox2=9.8", "ComboBox1=57600000",
                                              "Tanperda=0.001", "Largura=100",  "Sep=0.01",
                                              "ComboBox4=1",    "ComboBox3=0.0001"};
    const cli::Run r = check("TForm11", extreme, true);
    EXPECT_EQ(r.exit, cli::NotReached) << r.out << r.err;
    const json::Parsed p = json::parse(r.out);
    ASSERT_TRUE(p.ok) << r.out;
    EXPECT_EQ(p.value.find("converged")->kind, json::Value::Kind::Bool);
    EXPECT_FALSE(p.value.find("converged")->boolean);
    EXPECT_GT(number(p.value.find("error_percent")), 0.05);
    EXPECT_NEAR(number(p.value.find("checks")->items[0].find("field")), 14.56, 0.1);
}
