// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built tarvel-calc with arguments and standard input, and what a
// window shows for the same texts, for the tests of the command line.
#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "framework/core/calculator.h"
#include "framework/core/number_text.h"

namespace tarvel::testing {

using Texts = std::vector<std::pair<std::string, std::string>>;

struct Ran {
    int exit = -1;
    std::string out, err;
};

inline std::string shellQuote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// A folder of this process's own (CTest runs the tests of this executable
// side by side), removed with everything in it when the process exits.
class TempFolder {
public:
    explicit TempFolder(std::string path) : path_(std::move(path))
    {
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline const std::string& tempFolder()
{
    static const TempFolder folder(::testing::TempDir() + "tarvel_cli_" + std::to_string(::getpid()));
    return folder.path();
}

inline std::string tempPath(const std::string& name) { return tempFolder() + "/" + name; }

inline std::string slurp(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

inline Ran calc(const std::vector<std::string>& args, const std::string& input = "")
{
    const std::string in = tempPath("stdin"), err = tempPath("stderr");
    std::ofstream(in, std::ios::binary) << input;
    std::string cmd = shellQuote(TARVEL_CALC);
    for (const auto& a : args)
        cmd += " " + shellQuote(a);
    cmd += " <" + shellQuote(in) + " 2>" + shellQuote(err);
    Ran r;
    std::FILE* p = ::popen(cmd.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
        r.out.append(buf, n);
    const int status = ::pclose(p);
    r.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = slurp(err);
    return r;
}

inline std::vector<std::string> withAssignments(std::vector<std::string> head, const Texts& texts)
{
    for (const auto& [name, text] : texts)
        head.push_back(name + "=" + text);
    return head;
}

// What the window shows for the same texts: results in its display order,
// then its warnings, or the message or fault box.
inline std::string windowShows(const WindowDescription& d, const FieldTexts& fields)
{
    const Outcome o = compute(d, fields);
    std::string s;
    if (o.kind == Outcome::Kind::Message)
        return "message: " + o.message + "\n";
    if (o.kind == Outcome::Kind::Fault)
        return std::string("fault: ") + faultText(o.fault) + "\n";
    for (const auto& r : d.results) {
        const Real v = o.value(r.name);
        if (!std::isnan(v))
            s += r.name + "=" + resultText(v) + "\n";
    }
    for (const auto& w : o.warnings)
        s += "warning: " + w + "\n";
    return s;
}

} // namespace tarvel::testing
