// SPDX-License-Identifier: GPL-3.0-or-later
// field --file and field --batch at a frequency: the same keys as field
// --freq with the same arguments; a project's own loss parameters, the
// command line's in their place; a batch line's own "freq" and loss
// parameters over the command line's; every refusal.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "json.h"
#include "run_calc.h"

using tarvel::testing::calc;
using tarvel::testing::tempPath;

namespace {

const std::vector<std::string> strip = {"W=0.3", "t=0.035", "h1=0.3", "h2=0.4", "er1=3.5", "er2=3.5"};

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& more)
{
    a.insert(a.end(), more.begin(), more.end());
    return a;
}

// The answer without its processor time, which differs run to run.
std::string withoutTime(std::string out)
{
    const auto at = out.find("\"seconds\":");
    if (at != std::string::npos)
        out.erase(at, out.find(',', at) + 1 - at);
    return out;
}

// field's JSON for the stripline with these extra arguments.
std::string fieldJson(const std::vector<std::string>& more)
{
    const auto r = calc(with(with({"field", "stripline"}, strip), with(more, {"--json"})));
    EXPECT_EQ(r.exit, 0) << r.err;
    return withoutTime(r.out);
}

// A project of the stripline, version 2 with its "losses" (the window's),
// or version 1 with none.
std::string project(const std::string& losses)
{
    const std::string path = tempPath("linha.plc");
    std::ofstream(path) << R"({"format": "tarvel-projeto-de-linha", "version": )" << (losses.empty() ? 1 : 2)
                        << R"(, "structure": "stripline", "unit": "mm", )"
                        << R"("parameters": {"W": "0.3", "t": "0.035", "h1": "0.3", "h2": "0.4", )"
                        << R"("er1": "3.5", "er2": "3.5"})"
                        << (losses.empty() ? "" : R"(, "losses": {)" + losses + "}") << "}\n";
    return path;
}

} // namespace

// A project at a frequency is the same line as its arguments: its own
// loss parameters (its "losses") apply, read as the project reads them,
// and the command line's replace them.
TEST(FieldFrequencyCli, ProjectFileAtAFrequencyIsItsArguments)
{
    struct Case {
        std::string inFile;              // loss members of the project's parameters
        std::vector<std::string> given;  // after --file
        std::vector<std::string> same;   // the arguments form that must answer alike
    } cases[] = {
        {"", {"--freq", "1e9", "sigma=5.8e7"}, {"sigma=5.8e7", "--freq", "1e9"}},
        {R"("tand1": "0.004", "sigma": "5.8e7")", {"--freq=2e9"}, {"tand1=0.004", "sigma=5.8e7", "--freq", "2e9"}},
        {R"("tand1": "0.004", "sigma": "5.8e7")", {"--freq", "2e9", "tand1=0.02"},
         {"tand1=0.02", "sigma=5.8e7", "--freq", "2e9"}},
        {R"("tand2": "0.01", "sigma": "5.8e7", "roughness": "hammerstad", "rq": "0.8")", {"--freq", "3e9"},
         {"tand2=0.01", "sigma=5.8e7", "roughness=hammerstad", "rq=0.8", "--freq", "3e9"}},
        {R"("tand1": "0.004")", {}, {}},
    };
    for (const Case& c : cases) {
        const auto r = calc(with(with({"field", "--file", project(c.inFile)}, c.given), {"--json"}));
        ASSERT_EQ(r.exit, 0) << r.err;
        EXPECT_EQ(withoutTime(r.out), fieldJson(c.same)) << c.inFile;
    }
    struct Refusal {
        std::vector<std::string> given;
        int exit;
        std::string says;
    } refusals[] = {
        {{"sigma=5.8e7"}, 64, "pedem --freq"},
        {{"--freq", "0"}, 2, "frequência deve ser positiva"},
        {{"--freq", "1e9", "W=3"}, 64, "argumento a mais"},
        {{"--freq", "1e9", "--freq", "2e9"}, 64, "duas vezes"},
        {{"--freq", "1e9", "sigma=-1"}, 2, "O campo sigma (condutividade do metal) tem de ser positivo."},
        {{"--freq", "1e9", "tand=0.01"}, 2, "O campo tand não é uma perda de stripline."},
    };
    for (const Refusal& c : refusals) {
        const auto r = calc(with({"field", "--file", project("")}, c.given));
        EXPECT_EQ(r.exit, c.exit) << c.says << ": " << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
}

// Each batch line at the command line's frequency with its loss
// parameters, or at its own "freq" with its own parameters in their place:
// each answer the arguments form's; a refused line does not stop the batch.
TEST(FieldFrequencyCli, BatchLinesAtTheirFrequency)
{
    const std::string line = R"({"structure": "stripline", "parameters": {"W": "0.3", "t": "0.035", "h1": "0.3", )"
                             R"("h2": "0.4", "er1": "3.5", "er2": "3.5")";
    const std::string input = line + "}}\n"                                               // the command line's
                              + line + R"(, "sigma": "1e7"}, "freq": 2e9})" + "\n"        // its own
                              + line + R"(}, "freq": "3e9"})" + "\n"                      // a text
                              + R"({"structure": "stripline", "freq": 0})" + "\n"        // refused
                              + line + R"(, "tand1": "0.01"}})" + "\n"                     // its tand
                              + line + R"(}, "losses": {"tand1": "0.02", "sigma": "1e7"}})" + "\n"; // its losses
    const auto r = calc({"field", "--batch", "--freq", "1e9", "sigma=5.8e7", "tand1=0.004"}, input);
    ASSERT_EQ(r.exit, 0) << r.err;
    std::vector<std::string> answers;
    std::istringstream in(r.out);
    for (std::string a; std::getline(in, a);)
        answers.push_back(withoutTime(a + "\n"));
    ASSERT_EQ(answers.size(), 6u) << r.out;
    EXPECT_EQ(answers[0], fieldJson({"sigma=5.8e7", "tand1=0.004", "--freq", "1e9"}));
    EXPECT_EQ(answers[1], fieldJson({"sigma=1e7", "tand1=0.004", "--freq", "2e9"}));
    EXPECT_EQ(answers[2], fieldJson({"sigma=5.8e7", "tand1=0.004", "--freq", "3e9"}));
    EXPECT_NE(answers[3].find("\"error\""), std::string::npos);
    EXPECT_NE(answers[3].find("frequência deve ser positiva"), std::string::npos);
    EXPECT_EQ(answers[4], fieldJson({"sigma=5.8e7", "tand1=0.01", "--freq", "1e9"}));
    EXPECT_EQ(answers[5], fieldJson({"sigma=1e7", "tand1=0.02", "--freq", "1e9"}));
    // Without a frequency anywhere the lines are analysed as before, their
    // loss parameters unused.
    const auto plain = calc({"field", "--batch"}, line + R"(, "tand1": "0.01"}})" + "\n");
    ASSERT_EQ(plain.exit, 0);
    EXPECT_EQ(withoutTime(plain.out), fieldJson({}));
    // The batch's own arguments refused before any line is read.
    struct Refusal {
        std::vector<std::string> args;
        int exit;
        std::string says;
    } refusals[] = {
        {{"field", "--batch", "--freq", "-1"}, 2, "frequência deve ser positiva"},
        {{"field", "--batch", "W=3"}, 64, "veio \"W=3\""},
        {{"field", "--batch", "--freq"}, 64, "--freq pede um valor"},
    };
    for (const Refusal& c : refusals) {
        const auto bad = calc(c.args, line + "}}\n");
        EXPECT_EQ(bad.exit, c.exit) << c.says;
        EXPECT_NE(bad.err.find(c.says), std::string::npos) << bad.err;
        EXPECT_EQ(bad.out, "");
    }
}
