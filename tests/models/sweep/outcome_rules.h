// SPDX-License-Identifier: GPL-3.0-or-later
// What every compute of every window must give back, whatever was typed or
// read from a file: a check message, one of the three arithmetic faults, or
// results that the window can show. Shared by the sweep tests and the fuzz
// targets; each rule returns an empty string when the outcome keeps it.
#pragma once
#include <cctype>
#include <cmath>
#include <set>
#include <string>
#include <string_view>

#include "framework/core/number_text.h"
#include "framework/core/window_description.h"

namespace tarvel::rules {

inline bool validUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int more = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (more < 0 || s.size() - i <= std::size_t(more))
            return false;
        for (int k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2)
                return false;
        i += more + 1;
    }
    return true;
}

// "nan" or "inf" as a word of its own (Portuguese has "inferior",
// "informação": letters around it make it a word, not a printed number).
inline bool showsNonFinite(std::string_view s)
{
    auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) || (c & 0x80); };
    for (std::string_view word : {"nan", "inf", "NaN", "INF", "NAN", "Inf"}) {
        for (std::size_t at = s.find(word); at != std::string_view::npos; at = s.find(word, at + 1)) {
            const bool before = at > 0 && letter(s[at - 1]);
            const bool after = at + word.size() < s.size() && letter(s[at + word.size()]);
            if (!before && !after)
                return true;
        }
    }
    return false;
}

// Result text as the window writes it: digits, a point and four decimals.
inline bool wellFormedResult(std::string_view t)
{
    std::size_t i = 0;
    if (i < t.size() && t[i] == '-')
        ++i;
    const std::size_t digitsStart = i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
        ++i;
    if (i == digitsStart || i + 5 != t.size() || t[i] != '.')
        return false;
    for (std::size_t k = i + 1; k < t.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(t[k])))
            return false;
    return t != "-0.0000";
}

// Field messages of every window, to tell a message borrowed from another
// window from one of this window's own.
inline std::set<std::string> fieldMessages(const WindowDescription& d)
{
    std::set<std::string> out;
    for (const auto& in : d.inputs)
        if (!in.message.empty())
            out.insert(in.message);
    return out;
}

inline std::string checkText(const std::string& what, std::string_view text)
{
    if (text.empty())
        return what + " is empty";
    if (!validUtf8(text))
        return what + " is not valid UTF-8";
    if (showsNonFinite(text))
        return what + " shows a non-finite number: " + std::string(text);
    return {};
}

// `foreign` holds messages of other windows that this one does not have.
inline std::string checkOutcome(const WindowDescription& d, const Outcome& o,
                                const std::set<std::string>& foreign = {})
{
    switch (o.kind) {
    case Outcome::Kind::Message:
        if (!o.results.empty())
            return "a refused compute carries results";
        if (foreign.count(o.message))
            return "message of another window: " + o.message;
        return checkText("check message", o.message);
    case Outcome::Kind::Fault:
        if (o.fault == Fault::None || std::string(faultText(o.fault)).empty())
            return "fault without a fault kind";
        if (!o.results.empty())
            return "a fault carries results";
        return {};
    case Outcome::Kind::Results:
        break;
    }
    if (o.results.empty())
        return "results without any value";
    std::set<std::string> seen;
    for (const auto& [name, v] : o.results) {
        if (!d.result(name))
            return "result \"" + name + "\" is no result field of the window";
        if (!seen.insert(name).second)
            return "result \"" + name + "\" written twice";
        if (!std::isfinite(v))
            return "result \"" + name + "\" is not finite";
        const std::string text = resultText(v);
        if (!wellFormedResult(text))
            return "result \"" + name + "\" shows as \"" + text + "\"";
    }
    for (const auto& w : o.warnings)
        if (auto e = checkText("warning", w); !e.empty())
            return e;
    return {};
}

inline bool sameOutcome(const Outcome& a, const Outcome& b)
{
    if (a.kind != b.kind || a.message != b.message || a.fault != b.fault || a.warnings != b.warnings
        || a.results.size() != b.results.size())
        return false;
    for (std::size_t i = 0; i < a.results.size(); ++i)
        if (a.results[i].first != b.results[i].first
            || resultText(a.results[i].second) != resultText(b.results[i].second))
            return false;
    return true;
}

} // namespace tarvel::rules
