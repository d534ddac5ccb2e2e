// SPDX-License-Identifier: GPL-3.0-or-later
// What the verbs of tarvel-calc share: each verb's entry point (one file
// per verb) and the helpers they all use to read Campo=texto arguments and
// to answer in text or JSON.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/core/calculator.h"
#include "tool.h"

namespace tarvel::cli {

using Texts = std::vector<std::pair<std::string, std::string>>;

// A refusal: the exit code and its text.
struct Problem {
    int exit;
    std::string text;
};

// --- the verbs; args include the form word where there is one ---
Run listForm();
Run fieldsForm(const std::string& windowName);
Run openForm(const std::vector<std::string>& args);
Run saveForm(const std::vector<std::string>& args);
Run computeForm(const std::string& windowName, const Texts& given, bool asJson);
// "check JANELA Campo=texto ... [--json]"
Run checkForm(const std::vector<std::string>& args);
// "field ESTRUTURA nome=valor ... [--target ... --vary ...] [--json]", "field --file PROJETO"
Run fieldForm(const std::vector<std::string>& args);
// One line of "field --batch": a design project's object -> one JSON answer.
std::string fieldBatchLine(std::string_view line);

// One line of "field --batch" with what its command line gives every
// line: --freq F and loss parameters (a line's own "freq" member and loss
// parameters in its "parameters" override them).
struct FieldBatchDefaults {
    std::optional<double> freq;
    Texts losses;
};
std::string fieldBatchLine(std::string_view line, const FieldBatchDefaults& defaults);

// Reads lines from the file descriptor until its end and writes, for each,
// `answer(line)` and a newline to `out`, as --batch does (see runBatch).
int runLines(int inputFd, std::FILE* out, const std::function<std::string(std::string_view line)>& answer);
// "sweep ESTRUTURA nome=valor ... --from F1 --to F2 --points N [--log] [--csv|--json]"
Run sweepForm(const std::vector<std::string>& args);
// "export ESTRUTURA nome=valor ... --length L --from F1 --to F2 --points N [--log]
//  [--zref Z] --touchstone ARQUIVO | --spice ARQUIVO"
Run exportForm(const std::vector<std::string>& args);

// --- shared helpers ---
std::string windowTitle(const WindowDescription& d);

// Given texts with canonical control names, or the reason they are refused.
std::optional<Problem> canonicalTexts(const WindowDescription& d, const Texts& given, Texts& out);

int exitOf(const Outcome& o);
void printOutcome(const WindowDescription& d, const Outcome& o, std::string& out);
// The object of --json and of each batch line.
std::string outcomeJson(const WindowDescription& d, const FieldTexts& fields, const Outcome& o);
std::string errorJson(const std::string& reason);

Run usage(std::string text);
Run problem(const Problem& p, bool asJson);

// Splits "Control=text" arguments from args[from] on.
std::optional<Problem> assignments(const std::vector<std::string>& args, std::size_t from, Texts& out);
Problem unknownWindow(std::string_view name);

// Whether args hold "--json"; `rest` gets the others, in order.
bool withoutJson(const std::vector<std::string>& args, std::vector<std::string>& rest);

// The window and the field texts of "JANELA Campo=texto ..." from args[from]
// on, read as the compute form reads them. On a refusal `refused` holds the
// answer to give and the result is nullptr.
const WindowDescription* windowTexts(const std::vector<std::string>& args, std::size_t from, bool asJson,
                                     FieldTexts& fields, Run& refused);

// A project file read as "&Abrir" reads it: the extension picks the window
// (or `windowName`, when given), each stored value becomes its field's text.
struct Opened {
    const WindowDescription* d = nullptr;
    Texts texts; // file order
    FieldTexts fields;
};
std::optional<Problem> openFile(const std::string& path, const std::string& windowName, Opened& out);

} // namespace tarvel::cli
