// SPDX-License-Identifier: GPL-3.0-or-later
// tarvel-calc: the calculator windows from the command line. Everything a
// window does on compute, open and save goes through the same descriptions
// and core functions; this layer only parses arguments and formats output.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel::cli {

// Exit codes.
enum Exit : int {
    Ok = 0,
    FileError = 1,  // refused extension, unreadable or short file, failed write
    Message = 2,    // a check refused the inputs
    Fault = 3,      // an arithmetic fault stopped the model
    NotReached = 4, // the field solve ended at its limit before its tolerance (values are its best)
    Usage = 64,     // unknown window or control, malformed command line
};

struct Run {
    int exit = Ok;
    std::string out;
    std::string err;
};

// Every form except --batch; args exclude the program name.
Run run(const std::vector<std::string>& args);

// One line of the batch input -> one line of output (without the newline).
std::string batchLine(std::string_view line);

// The longest batch line answered; a longer one gets an error line.
constexpr std::size_t batchLineBound = std::size_t(16) << 20;

// Reads JSON Lines from the file descriptor until its end and writes one line
// per input line to `out`, flushing whenever the input has been used up.
// Returns FileError, with a message on standard error, when `out` cannot be
// written.
int runBatch(int inputFd, std::FILE* out);
// The same for "field --batch": each line a design project's object.
int runFieldBatch(int inputFd, std::FILE* out);
// "field --batch" with its arguments (the program's, "field" and "--batch"
// among them): --freq F and loss parameters for every line; a refused
// argument is said on standard error, with its exit code, before any line
// is read.
int runFieldBatch(int inputFd, std::FILE* out, const std::vector<std::string>& args);

// Writes `text` and flushes; on failure says so on standard error.
bool writeOut(std::FILE* out, const std::string& text);

const std::string& helpText();

} // namespace tarvel::cli
