// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep cases as lines for `tarvel-calc --batch`: per window, a seeded
// run of plausible, spoilt and far-out field texts, one JSON object a line.
// scripts/batch-identical.sh feeds the same lines to two builds and compares
// what they answer byte for byte.
//   sweep_batch_lines [cases per window]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "models/all_windows.h"
#include "sweep_cases.h"

namespace {

std::string quoted(const std::string& s)
{
    std::string out = "\"";
    for (const unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

} // namespace

int main(int argc, char** argv)
{
    const int perWindow = argc > 1 ? std::atoi(argv[1]) : 2000;
    for (const auto* d : tarvel::allWindows()) {
        tarvel::sweep::Cases cases(*d, 7919u * unsigned(d->number));
        for (int i = 0; i < perWindow; ++i) {
            std::string line = "{\"window\": " + quoted(d->className) + ", \"inputs\": {";
            const char* sep = "";
            for (const auto& [name, state] : cases.next()) {
                line += sep + quoted(name) + ": " + quoted(state.text);
                sep = ", ";
            }
            std::puts((line + "}}").c_str());
        }
    }
}
