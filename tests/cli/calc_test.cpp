// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built tarvel-calc as a user would and checks what it prints, its
// exit codes and the files it writes against the core the windows use.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "framework/core/project_file.h"
#include "json.h"
#include "models/all_windows.h"
#include "run_calc.h"
#include "tool.h"

using namespace tarvel;
using namespace tarvel::testing;

namespace {

const Texts twoWireExample = {{"Frequencia", "1"},
                              {"ComboBox2", "2.10 - PTFE: Polytetrafluoretileno"},
                              {"ComboBox1", "57600000 - Cu : Cobre"},
                              {"Tanperda", "0.0001"},
                              {"Espacamento", "10"},
                              {"diametro", "1"}};

TEST(Calc, TwoWireWorkedExample)
{
    const Ran r = calc(withAssignments({"TForm2"}, twoWireExample));
    EXPECT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.out, "impedancia=247.8624\nindutancia=1198.2929\ncapacitancia=19.4989\ncondutancia=12.2450\n"
                     "Resistividade=0.0083\nresistencia=5.2970\nAtenCond=0.9154\nAtenDiel=0.0132\n"
                     "Atentotal=0.9286\n"
                     "warning: Freqüência Elevada para Este tipo de Estrutura, Sugere-se uma Freqüencia menor que "
                     "350MHz!!\n");
    EXPECT_EQ(r.err, "");
}

TEST(Calc, SynthesisFedBackIntoAnalysisGivesTheImpedance)
{
    const Ran syn = calc({"bifisin", "impedan=300", "Frequencia=0.3", "ComboBox2=2.28 - PE     : Polyetileno",
                          "ComboBox1=57600000", "Atentot=0.05"});
    ASSERT_EQ(syn.exit, 0) << syn.out << syn.err;
    std::map<std::string, std::string> got;
    std::istringstream lines(syn.out);
    for (std::string line; std::getline(lines, line);)
        if (auto eq = line.find('='); eq != std::string::npos)
            got[line.substr(0, eq)] = line.substr(eq + 1);
    ASSERT_TRUE(got.count("Espaco") && got.count("diametro")) << syn.out;
    const Ran ana = calc({"tform2", "Frequencia=0.3", "ComboBox2=2.28", "ComboBox1=57600000", "Tanperda=0.00015",
                          "Espacamento=" + got["Espaco"], "diametro=" + got["diametro"]});
    ASSERT_EQ(ana.exit, 0) << ana.out;
    const std::string z0 = ana.out.substr(0, ana.out.find('\n'));
    ASSERT_EQ(z0.rfind("impedancia=", 0), 0u) << ana.out;
    EXPECT_NEAR(std::stod(z0.substr(11)), 300.0, 0.05) << ana.out;
}

TEST(Calc, MessagesFaultsAndUsageErrors)
{
    struct Case {
        std::vector<std::string> args;
        int exit;
        const char* out; // exact stdout, or nullptr for "empty, message on stderr"
    } cases[] = {
        {{"TForm2"}, 2, "message: Freqüência Inválida!!\n"},
        {{"TForm2", "Frequencia=2,5"}, 2, "message: Freqüência Inválida!!\n"},
        {{"TForm2", "Frequencia=1", "ComboBox2=0.99"}, 2, "message: Constante dielétrica relativa inválida!!\n"},
        {{"TForm2", "Frequencia=1", "ComboBox2=2.1", "ComboBox1=1", "Tanperda=1", "Espacamento=1", "diametro=1"},
         2, "message: O Espaçamento tem que ser maior que o Diâmetro do Condutor (S>>d), Sugere-se (S=10xd)!!\n"},
        // A frequency too large for any real passes f > 0 and overflows in the model.
        {{"TForm2", "Frequencia=1e5000", "ComboBox2=2.1", "ComboBox1=1", "Tanperda=1", "Espacamento=10",
          "diametro=1"},
         3, nullptr},
        {{"TForm99"}, 64, nullptr},
        {{"TForm2", "NaoExiste=1"}, 64, nullptr},
        {{"TForm2", "impedancia=1"}, 64, nullptr}, // a result is no input
        {{"TForm2", "Frequencia"}, 64, nullptr},
        {{"TForm2", "=1"}, 64, nullptr},
        {{"TForm2", "Frequencia=1", "frequencia=2"}, 64, nullptr},
        {{}, 64, nullptr},
        {{"fields"}, 64, nullptr},
        {{"fields", "TForm99"}, 64, nullptr},
        {{"list", "x"}, 64, nullptr},
        {{"open"}, 64, nullptr},
        {{"save", "x.bfl"}, 64, nullptr},
        {{"--bogus"}, 64, nullptr},
        {{"--batch", "TForm2"}, 64, nullptr},
    };
    for (const auto& c : cases) {
        std::string name;
        for (const auto& a : c.args)
            name += a + " ";
        const Ran r = calc(c.args);
        EXPECT_EQ(r.exit, c.exit) << name << r.out << r.err;
        if (c.exit == 3) {
            EXPECT_EQ(r.out.rfind("fault: ", 0), 0u) << name << r.out;
            EXPECT_TRUE(r.out == "fault: Floating point overflow\n" || r.out == "fault: Invalid floating point operation\n"
                        || r.out == "fault: Floating point division by zero\n")
                << r.out;
        } else if (c.out) {
            EXPECT_EQ(r.out, c.out) << name;
            EXPECT_EQ(r.err, "") << name;
        } else {
            EXPECT_EQ(r.out, "") << name;
            EXPECT_NE(r.err.find("tarvel-calc: "), std::string::npos) << name;
        }
    }
}

TEST(Calc, WindowAndControlNamesIgnoreCase)
{
    const Ran a = calc(withAssignments({"TForm2"}, twoWireExample));
    Texts lower;
    for (const auto& [name, text] : twoWireExample) {
        std::string n = name;
        for (char& ch : n)
            ch = char(std::tolower(static_cast<unsigned char>(ch)));
        lower.emplace_back(n, text);
    }
    for (const char* w : {"tform2", "BIFIANA", "BifiAna"}) {
        const Ran b = calc(withAssignments({w}, lower));
        EXPECT_EQ(b.exit, 0) << w << b.err;
        EXPECT_EQ(b.out, a.out) << w;
    }
}

TEST(Calc, PickFillsTheLossTangentUnlessGiven)
{
    // Picked ETFE fills 0.00550; a typed 2.6 fills nothing, so the loss is
    // missing; a given loss wins over the fill.
    const Texts base = {{"Frequencia", "0.3"}, {"ComboBox1", "57600000"}, {"Espacamento", "10"}, {"diametro", "1"}};
    auto with = [&](Texts extra) {
        Texts t = base;
        t.insert(t.end(), extra.begin(), extra.end());
        return calc(withAssignments({"TForm2", "--json"}, t));
    };
    const Ran picked = with({{"ComboBox2", "2.60 - ETFE: Etilenotetrafluoretileno"}});
    const Ran typed = with({{"ComboBox2", "2.6"}});
    const Ran typedLoss = with({{"ComboBox2", "2.6"}, {"Tanperda", "0.0055"}});
    const Ran given = with({{"ComboBox2", "2.60 - ETFE: Etilenotetrafluoretileno"}, {"Tanperda", "0.0001"}});
    ASSERT_EQ(picked.exit, 0) << picked.out;
    EXPECT_NE(picked.out.find("\"Tanperda\":\"0.00550\""), std::string::npos) << picked.out;
    EXPECT_EQ(typed.exit, 2);
    EXPECT_NE(typed.out.find("\"message\":\"Tangente de perda do dielétrico inválida!!\""), std::string::npos);
    const auto results = [](const Ran& r) { return r.out.substr(r.out.find("\"results\"")); };
    EXPECT_EQ(results(picked), results(typedLoss));
    EXPECT_NE(given.out.find("\"Tanperda\":\"0.0001\""), std::string::npos) << given.out;
    EXPECT_NE(results(given), results(picked));
}

TEST(Calc, JsonObjects)
{
    const Ran ok = calc(withAssignments({"--json", "TForm2"}, twoWireExample));
    EXPECT_EQ(ok.exit, 0);
    EXPECT_EQ(ok.out,
              "{\"window\":\"TForm2\",\"inputs\":{\"Frequencia\":\"1\",\"ComboBox2\":\"2.10 - PTFE: "
              "Polytetrafluoretileno\",\"ComboBox1\":\"57600000 - Cu : Cobre\",\"Tanperda\":\"0.0001\","
              "\"Espacamento\":\"10\",\"diametro\":\"1\"},\"results\":{\"impedancia\":\"247.8624\","
              "\"indutancia\":\"1198.2929\",\"capacitancia\":\"19.4989\",\"condutancia\":\"12.2450\","
              "\"Resistividade\":\"0.0083\",\"resistencia\":\"5.2970\",\"AtenCond\":\"0.9154\","
              "\"AtenDiel\":\"0.0132\",\"Atentotal\":\"0.9286\"},\"warnings\":[\"Freqüência Elevada para Este "
              "tipo de Estrutura, Sugere-se uma Freqüencia menor que 350MHz!!\"]}\n");
    const Ran msg = calc({"TForm16", "--json", "impedan=-1"});
    EXPECT_EQ(msg.exit, 2);
    const auto parsed = json::parse(msg.out);
    ASSERT_TRUE(parsed.ok) << msg.out;
    EXPECT_EQ(parsed.value.find("message")->text, "Impedância Característica Inválida!!");
    EXPECT_EQ(parsed.value.find("results"), nullptr);
    EXPECT_EQ(parsed.value.find("inputs")->find("impedan")->text, "-1");
    EXPECT_EQ(parsed.value.find("inputs")->members.size(), findWindow("TForm16")->inputs.size());
    const Ran fault = calc({"TForm2", "--json", "Frequencia=1e5000", "ComboBox2=2.1", "ComboBox1=1", "Tanperda=1",
                            "Espacamento=10", "diametro=1"});
    EXPECT_EQ(fault.exit, 3);
    const auto pf = json::parse(fault.out);
    ASSERT_TRUE(pf.ok) << fault.out;
    ASSERT_NE(pf.value.find("fault"), nullptr) << fault.out;
    EXPECT_EQ(pf.value.find("results"), nullptr);
}

TEST(Calc, BatchAnswersEveryLineInOrder)
{
    const std::string good = R"({"window": "TForm2", "inputs": {"Frequencia": "1", "ComboBox2": "2.10 - PTFE: Polytetrafluoretileno", "ComboBox1": "57600000", "Espacamento": "10", "diametro": 1}})";
    const std::string input = good + "\n"
                              + "{not json\n"
                              + "\n"
                              + R"({"window": "TForm77"})" + "\n"
                              + R"({"window": "tform16", "inputs": {"impedan": "0"}})" + "\n"
                              + R"({"window": "TForm2", "inputs": {"Frequencia": true}})" + "\n"
                              + R"({"window": "TForm2", "inputs": {"Nada": "1"}})" + "\n"
                              + R"({"inputs": {}})" + "\n"
                              + R"({"window": "TForm2", "extra": 1})" + "\n"
                              + R"(["TForm2"])" + "\n"
                              + good + "\r\n"
                              + good; // no newline at the end
    const Ran r = calc({"--batch"}, input);
    EXPECT_EQ(r.exit, 0) << r.err;
    std::vector<std::string> lines;
    std::istringstream s(r.out);
    for (std::string line; std::getline(s, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 12u) << r.out;
    const Ran single = calc({"TForm2", "--json", "Frequencia=1", "ComboBox2=2.10 - PTFE: Polytetrafluoretileno",
                             "ComboBox1=57600000", "Espacamento=10", "diametro=1"});
    EXPECT_EQ(lines[0] + "\n", single.out);
    EXPECT_EQ(lines[10], lines[0]);
    EXPECT_EQ(lines[11], lines[0]);
    for (int i : {1, 2, 3, 5, 6, 7, 8, 9}) {
        const auto p = json::parse(lines[i]);
        ASSERT_TRUE(p.ok) << lines[i];
        ASSERT_EQ(p.value.members.size(), 1u) << lines[i];
        EXPECT_EQ(p.value.members[0].first, "error") << lines[i];
        EXPECT_FALSE(p.value.members[0].second.text.empty());
    }
    EXPECT_NE(lines[4].find("\"message\":\"Impedância Característica Inválida!!\""), std::string::npos) << lines[4];
}

TEST(Calc, SaveWritesWhatTheWindowWrites)
{
    struct Case { const char* window; Texts texts; } cases[] = {
        {"TForm2", {{"Frequencia", "1"}, {"ComboBox2", "2.10 - PTFE: Polytetrafluoretileno"},
                    {"ComboBox1", "57600000 - Cu : Cobre"}, {"Tanperda", "0.0003"}, {"Espacamento", "10"},
                    {"diametro", "1"}}},
        {"TForm16", {{"impedan", "300"}, {"ComboBox2", "2.60 - ETFE: Etilenotetrafluoretileno"}}}, // fill stored
        {"TForm16", {}}, // empty fields are stored as 0
    };
    int i = 0;
    for (const auto& c : cases) {
        const WindowDescription* d = findWindow(c.window);
        const std::string path = tempPath("save" + std::to_string(i++) + "." + d->project.extension);
        std::remove(path.c_str());
        const Ran r = calc(withAssignments({"save", path, c.window}, c.texts));
        EXPECT_EQ(r.exit, 0) << r.out << r.err;
        EXPECT_EQ(r.err, "");
        const Encoded want = encodeProject(*d, typedFields(*d, c.texts));
        ASSERT_TRUE(want.ok);
        EXPECT_EQ(slurp(path), std::string(want.bytes.begin(), want.bytes.end())) << c.window;
        EXPECT_EQ(slurp(path).size(), 6 * d->project.fields.size());
    }
}

TEST(Calc, SaveRefusalsWriteNothing)
{
    const std::string path = tempPath("refused.bfl");
    struct Case { Texts texts; int exit; const char* out; } cases[] = {
        {{{"Frequencia", "abc"}}, 2, "message: Freqüência Inválida!!\n"},
        {{{"diametro", "1e39"}}, 1, ""},
    };
    for (const auto& c : cases) {
        std::ofstream(path, std::ios::binary) << "previous";
        const Ran r = calc(withAssignments({"save", path, "TForm2"}, c.texts));
        EXPECT_EQ(r.exit, c.exit) << r.out << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(slurp(path), "previous"); // the old file survives
    }
    const Ran noDir = calc({"save", tempPath("no/such/dir/x.bfl"), "TForm2"});
    EXPECT_EQ(noDir.exit, 1);
    EXPECT_NE(noDir.err.find("Não foi possível gravar"), std::string::npos) << noDir.err;
    const Ran otherExt = calc({"save", tempPath("x.txt"), "TForm2"});
    EXPECT_EQ(otherExt.exit, 0);
    EXPECT_NE(otherExt.err.find("aviso"), std::string::npos); // saved, but the window cannot open it
}

// A file as the window's "&Salvar" writes it opens in the CLI with the texts
// "&Abrir" sets, and the results of computing them.
TEST(Calc, OpenReadsWhatTheWindowSaved)
{
    const WindowDescription* d = findWindow("TForm2");
    const Texts texts = {{"Frequencia", "1"}, {"ComboBox2", "2.10 - PTFE: Polytetrafluoretileno"},
                         {"ComboBox1", "57600000 - Cu : Cobre"}, {"Tanperda", "0.0003"}, {"Espacamento", "10"},
                         {"diametro", "1"}};
    const Encoded enc = encodeProject(*d, typedFields(*d, texts));
    const std::string path = tempPath("Open.BfL");
    std::string error;
    ASSERT_TRUE(writeFileAtomically(path, enc.bytes, error)) << error;
    ASSERT_EQ(enc.bytes.size(), 36u);

    const Ran r = calc({"open", path});
    ASSERT_EQ(r.exit, 0) << r.out << r.err;
    FieldTexts opened;
    for (const auto& [name, text] : {Texts::value_type{"Frequencia", "1.00"}, {"ComboBox2", "2.10"},
                                     {"ComboBox1", "57600000"}, {"Tanperda", "0.00030"}, {"Espacamento", "10.00"},
                                     {"diametro", "1.00"}})
        opened[name] = {text, -1};
    const std::string inputs = "Frequencia=1.00\nComboBox2=2.10\nComboBox1=57600000\nTanperda=0.00030\n"
                               "Espacamento=10.00\ndiametro=1.00\n";
    EXPECT_EQ(r.out, inputs + windowShows(*d, opened));

    // Saved again by the CLI from the opened texts: the same bytes.
    const std::string again = tempPath("again.bfl");
    Texts openedTexts;
    for (const auto& [name, state] : opened)
        openedTexts.emplace_back(name, state.text);
    ASSERT_EQ(calc(withAssignments({"save", again, "TForm2"}, openedTexts)).exit, 0);
    EXPECT_EQ(slurp(again), slurp(path));

    const Ran js = calc({"open", "--json", path});
    EXPECT_EQ(calc({"--json", "open", path}).out, js.out);
    const auto p = json::parse(js.out);
    ASSERT_TRUE(p.ok) << js.out;
    EXPECT_EQ(p.value.find("inputs")->find("Tanperda")->text, "0.00030");
    EXPECT_EQ(p.value.find("results")->find("impedancia")->text, "247.8624");

    // The batch opens files too.
    EXPECT_EQ(cli::batchLine("{\"file\":" + json::quote(path) + "}") + "\n", js.out);
}

TEST(Calc, OpenComputesAlsoWhereTheWindowDoesNot)
{
    // The synthesis file reopens the loss tangent with 3 decimals where they
    // keep its value, and with the fewest more where they do not.
    const WindowDescription* d = findWindow("TForm16");
    ASSERT_FALSE(d->project.computeAfterOpen);
    struct Case { const char* tand; const char* reopened; int exit; } cases[] = {
        {"0.00015", "0.00015", 0},
        {"0.0009", "0.0009", 0},
        {"0.05", "0.050", 2}, // its own decimals suffice; the model then refuses the line
    };
    for (const auto& c : cases) {
        const std::string path = tempPath("syn.bfs");
        const Encoded enc = encodeProject(*d, typedFields(*d, {{"impedan", "300"}, {"Frequencia", "0.3"},
                                                               {"ComboBox2", "2.28"}, {"ComboBox1", "57600000"},
                                                               {"Tanperda", c.tand}, {"Atentot", "0.05"}}));
        std::string error;
        ASSERT_TRUE(writeFileAtomically(path, enc.bytes, error));
        const Ran r = calc({"open", path});
        EXPECT_EQ(r.exit, c.exit) << r.out;
        const std::string inputs = "impedan=300.000\nFrequencia=0.30000\nComboBox2=2.280\n"
                                   "ComboBox1=57600000.00000\nTanperda=" + std::string(c.reopened)
                                   + "\nAtentot=0.050\n";
        FieldTexts opened;
        for (const auto& [name, text] : Texts{{"impedan", "300.000"}, {"Frequencia", "0.30000"},
                                              {"ComboBox2", "2.280"}, {"ComboBox1", "57600000.00000"},
                                              {"Tanperda", c.reopened}, {"Atentot", "0.050"}})
            opened[name] = {text, -1};
        EXPECT_EQ(r.out, inputs + windowShows(*d, opened)) << c.tand;
    }
}

TEST(Calc, OpenRefusals)
{
    const std::string shortFile = tempPath("short.bfl");
    std::ofstream(shortFile, std::ios::binary) << std::string(35, '\0');
    const std::string good = tempPath("good.bfl");
    std::ofstream(good, std::ios::binary) << std::string(36, '\0');
    struct Case { std::vector<std::string> args; int exit; const char* err; } cases[] = {
        {{"open", tempPath("none.bfl")}, 1, "Não foi possível abrir"},
        {{"open", shortFile}, 1, "tem 35 bytes, e um projeto tem 36"},
        {{"open", tempPath("x.bfll")}, 1, "Este programa não pode abrir este arquivo"},
        {{"open", tempPath("semponto")}, 1, "Este programa não pode abrir este arquivo"},
        {{"open", good, "--window", "TForm16"}, 1, "Este programa não pode abrir este arquivo"},
        {{"open", good, "--window", "TForm99"}, 64, "janela desconhecida"},
        {{"open", good, "--window"}, 64, "--window"},
        {{"open", good, "extra"}, 64, "extra"},
    };
    for (const auto& c : cases) {
        const Ran r = calc(c.args);
        EXPECT_EQ(r.exit, c.exit) << c.args[1] << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    // A file of zeros opens and its compute refuses the zero frequency.
    const Ran zeros = calc({"open", good, "--window", "bifiana"});
    EXPECT_EQ(zeros.exit, 2);
    EXPECT_NE(zeros.out.find("Frequencia=0.00\n"), std::string::npos);
    EXPECT_NE(zeros.out.find("message: Freqüência Inválida!!\n"), std::string::npos);
    const Ran js = calc({"open", shortFile, "--json"});
    EXPECT_EQ(js.exit, 1);
    const auto p = json::parse(js.out);
    ASSERT_TRUE(p.ok) << js.out;
    EXPECT_NE(p.value.find("error"), nullptr);
}

// Windows that share an extension need --window.
TEST(Calc, SharedExtensionNeedsTheWindow)
{
    std::map<std::string, std::vector<const WindowDescription*>> byExt;
    for (const auto* d : allWindows())
        byExt[d->project.extension].push_back(d);
    for (const auto& [ext, windows] : byExt) {
        if (windows.size() < 2)
            continue;
        const std::string path = tempPath("shared." + ext);
        std::ofstream(path, std::ios::binary) << std::string(600, '\0');
        const Ran r = calc({"open", path});
        EXPECT_EQ(r.exit, 64) << ext;
        EXPECT_NE(r.err.find("--window"), std::string::npos);
        for (const auto* d : windows)
            EXPECT_NE(calc({"open", path, "--window", d->className}).exit, 64) << d->className;
    }
}

TEST(Calc, ListFieldsAndHelp)
{
    const Ran list = calc({"list"});
    EXPECT_EQ(list.exit, 0);
    std::size_t lines = 0;
    for (char c : list.out)
        lines += c == '\n';
    EXPECT_EQ(lines, allWindows().size());
    EXPECT_NE(list.out.find("TForm2  BifiAna  Análise de Linha de Transmissão Bifilar  Análise > Bifilar\n"),
              std::string::npos);

    const Ran fields = calc({"fields", "bifiana"});
    EXPECT_EQ(fields.exit, 0);
    for (const char* want : {"  Frequencia  Freqüência (GHz):\n",
                             "      \"2.60 - ETFE: Etilenotetrafluoretileno\"  Tanperda=\"0.00550\"\n",
                             "      \"57600000 - Cu : Cobre\"\n",
                             "  Espacamento  Espaçamento centro-a-centro entre os condutores (mm):\n",
                             "Resultados:\n  impedancia  Impedância característica (Ohms):\n"})
        EXPECT_NE(fields.out.find(want), std::string::npos) << want;

    const Ran help = calc({"--help"});
    EXPECT_EQ(help.exit, 0);
    for (const char* form : {"tarvel-calc list", "tarvel-calc fields", "tarvel-calc open", "tarvel-calc save",
                             "tarvel-calc --batch", "--json", "Exemplo:", "64"})
        EXPECT_NE(help.out.find(form), std::string::npos) << form;
}

} // namespace

#include <poll.h>

namespace {

// A program that feeds the batch one line at a time gets each answer before
// it sends the next line (and before it closes the input).
TEST(Calc, BatchAnswersEachLineBeforeTheNextArrives)
{
    int toChild[2], fromChild[2];
    ASSERT_EQ(::pipe(toChild), 0);
    ASSERT_EQ(::pipe(fromChild), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::dup2(toChild[0], 0);
        ::dup2(fromChild[1], 1);
        ::close(toChild[1]);
        ::close(fromChild[0]);
        ::execl(TARVEL_CALC, TARVEL_CALC, "--batch", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    std::string pending;
    auto answer = [&]() -> std::string {
        for (;;) {
            if (const auto nl = pending.find('\n'); nl != std::string::npos) {
                std::string line = pending.substr(0, nl);
                pending.erase(0, nl + 1);
                return line;
            }
            pollfd pfd{fromChild[0], POLLIN, 0};
            if (::poll(&pfd, 1, 10000) <= 0)
                return "<no answer>";
            char buf[4096];
            const ssize_t n = ::read(fromChild[0], buf, sizeof buf);
            if (n <= 0)
                return "<closed>";
            pending.append(buf, std::size_t(n));
        }
    };
    for (const char* f : {"1", "0.2", "x"}) {
        const std::string line = std::string("{\"window\":\"TForm2\",\"inputs\":{\"Frequencia\":\"") + f + "\"}}\n";
        ASSERT_EQ(::write(toChild[1], line.data(), line.size()), ssize_t(line.size()));
        const std::string got = answer();
        EXPECT_EQ(got.rfind("{\"window\":\"TForm2\"", 0), 0u) << f << ": " << got;
    }
    ::close(toChild[1]);
    EXPECT_EQ(answer(), "<closed>");
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ::close(fromChild[0]);
}

} // namespace

namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);)
        lines.push_back(line);
    return lines;
}

// A line longer than the bound gets an error line of its own, and the lines
// after it are answered; a line of exactly the bound is read in full.
TEST(Calc, BatchAnswersAnOverlongLineWithAnErrorAndGoesOn)
{
    const std::string good = R"({"window":"TForm2","inputs":{"Frequencia":"1","diametro":"1","Espacamento":"10"}})";
    std::string atBound = good;
    atBound.insert(1, cli::batchLineBound - good.size(), ' '); // blanks inside the object
    ASSERT_EQ(atBound.size(), cli::batchLineBound);
    const std::string over = atBound.substr(0, 1) + " " + atBound.substr(1);
    const Ran r = calc({"--batch"}, good + "\n" + over + "\n" + good + "\n" + atBound + "\n" + over);
    EXPECT_EQ(r.exit, 0) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].rfind("{\"window\":\"TForm2\",\"inputs\":", 0), 0u) << lines[0];
    for (int i : {1, 4}) {
        const auto p = json::parse(lines[i]);
        ASSERT_TRUE(p.ok) << lines[i];
        ASSERT_EQ(p.value.members.size(), 1u);
        EXPECT_EQ(p.value.members[0].first, "error");
        EXPECT_NE(p.value.members[0].second.text.find("longa demais"), std::string::npos) << lines[i];
    }
    EXPECT_EQ(lines[2], lines[0]);
    EXPECT_EQ(lines[3], lines[0]);
}

// Every form fails, with a message on standard error, when its output cannot
// be written: a full device, or no output at all.
TEST(Calc, AnUnwritableOutputIsAFailure)
{
    const std::string in = tempPath("unwritable_in"), err = tempPath("unwritable_err");
    std::ofstream(in) << R"({"window":"TForm2","inputs":{"Frequencia":"1"}})" << "\n";
    const std::vector<std::string> forms[] = {
        {"--batch"}, {"list"}, {"--help"}, {"fields", "TForm2"}, {"TForm2", "Frequencia=1"},
        {"TForm2", "Frequencia=1", "--json"}, {"TForm2", "Frequencia=0"}, // a check message is output too
    };
    for (const char* redirect : {">/dev/full", ">&-"})
        for (const auto& form : forms) {
            std::string cmd = shellQuote(TARVEL_CALC);
            for (const auto& a : form)
                cmd += " " + shellQuote(a);
            cmd += " <" + shellQuote(in) + " " + redirect + " 2>" + shellQuote(err);
            const int status = std::system(cmd.c_str());
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == cli::FileError) << cmd;
            EXPECT_NE(slurp(err).find("tarvel-calc:"), std::string::npos) << cmd;
        }
}

} // namespace

// The files the tests hand to tarvel-calc live in one folder of this
// process, and the folder goes with everything in it when it is let go (at
// exit, for the process's own), so that runs leave nothing behind.
TEST(Calc, TestFilesLiveInAFolderThatGoesAway)
{
    const std::string own = tempPath("probe");
    EXPECT_EQ(own.rfind(tempFolder() + "/", 0), 0u);
    EXPECT_TRUE(std::filesystem::is_directory(tempFolder()));
    EXPECT_NE(tempFolder().find(std::to_string(::getpid())), std::string::npos);

    const std::string path = ::testing::TempDir() + "tarvel_cli_folder_probe_" + std::to_string(::getpid());
    {
        const TempFolder folder(path);
        std::ofstream(path + "/a.bfl") << "x";
        std::filesystem::create_directories(path + "/inner");
        std::ofstream(path + "/inner/b.bfl") << "y";
        ASSERT_TRUE(std::filesystem::exists(path + "/inner/b.bfl"));
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}
