// SPDX-License-Identifier: GPL-3.0-or-later
// Short builders for the rows of a window description.
#pragma once
#include <initializer_list>

#include "catalogues.h"
#include "window_description.h"

namespace tarvel::describe {

// A window of class "TForm<number>" in unit `unit`, with its caption and
// the main-menu item that opens it.
inline WindowDescription window(int number, std::string unit, std::string caption, MenuItem menu)
{
    WindowDescription w;
    w.number = number;
    w.className = "TForm" + std::to_string(number);
    w.unit = std::move(unit);
    w.caption = std::move(caption);
    w.menu = std::move(menu);
    return w;
}

// An edit box; its message comes from the model's checks (see Binding).
inline InputSpec edit(std::string name, std::string label)
{
    InputSpec s;
    s.name = std::move(name);
    s.labels = {std::move(label)};
    return s;
}

// A list box over catalogue rows; a pick fills `companions` in order.
inline InputSpec combo(std::string name, std::string label, const catalogue::Catalogue& rows,
                       const std::vector<std::string>& companions = {})
{
    InputSpec s = edit(std::move(name), std::move(label));
    s.kind = InputKind::Combo;
    s.entries = rows.texts();
    s.fills = rows.fillsInto(companions);
    return s;
}

inline ResultSpec result(std::string name, std::string label, int group = 0)
{
    ResultSpec r;
    r.name = std::move(name);
    r.label = std::move(label);
    r.group = group;
    return r;
}

inline ReportLine heading(std::string label) { return {std::move(label), {}, false}; }
inline ReportLine line(std::string label, std::string control) { return {std::move(label), std::move(control), false}; }

// Rows of several parts, one part after the other.
template <typename T>
std::vector<T> joined(std::initializer_list<std::vector<T>> parts)
{
    std::vector<T> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A project field per input, in the order of the inputs, with the decimals
// each is written with.
inline std::vector<ProjectField> fieldsOf(const std::vector<InputSpec>& inputs, const std::vector<int>& decimals)
{
    std::vector<ProjectField> fields;
    for (std::size_t i = 0; i < inputs.size() && i < decimals.size(); ++i)
        fields.push_back({inputs[i].name, decimals[i]});
    return fields;
}

// Where a report says otherwise than the window: a line printed under
// another caption, after a wide gap, or not at all.
struct ReportAmend {
    std::string control;
    std::string label = {}; // empty: the window's own caption
    bool wideGap = false;
    bool omitted = false;
};

// The headings of a report's two parts.
inline const char* const inputHeading = "Entrada de Dados:";
inline const char* const outputHeading = "Saída de Dados:";

namespace detail {
inline void addLine(std::vector<ReportLine>& lines, const std::string& control, std::string label,
                    const std::vector<ReportAmend>& amends)
{
    for (const ReportAmend& a : amends)
        if (a.control == control) {
            if (a.omitted)
                return;
            ReportLine l = line(a.label.empty() ? label : a.label, control);
            l.wideGap = a.wideGap;
            lines.push_back(l);
            return;
        }
    lines.push_back(line(std::move(label), control));
}
} // namespace detail

// "Entrada de Dados:" and a line per input under its caption (two lines
// joined by a blank), amended where `amends` says so.
inline std::vector<ReportLine> inputLines(const std::vector<InputSpec>& inputs,
                                          const std::vector<ReportAmend>& amends = {})
{
    std::vector<ReportLine> lines = {heading(inputHeading)};
    for (const InputSpec& in : inputs) {
        std::string label;
        for (const auto& part : in.labels)
            label += (label.empty() ? "" : " ") + part;
        detail::addLine(lines, in.name, label, amends);
    }
    return lines;
}

// "Saída de Dados:" and a line per result under its caption, amended.
inline std::vector<ReportLine> resultLines(const std::vector<ResultSpec>& results,
                                           const std::vector<ReportAmend>& amends = {})
{
    std::vector<ReportLine> lines = {heading(outputHeading)};
    for (const ResultSpec& r : results)
        detail::addLine(lines, r.name, r.label, amends);
    return lines;
}

// The report of a window that prints what it shows: its inputs, then its
// results, each amended where `amends` says so.
inline std::vector<ReportLine> reportOf(const WindowDescription& w, const std::vector<ReportAmend>& amends = {})
{
    return joined<ReportLine>({inputLines(w.inputs, amends), resultLines(w.results, amends)});
}

// A report line per result, with the result's own caption.
inline std::vector<ReportLine> linesOf(const std::vector<ResultSpec>& results)
{
    std::vector<ReportLine> lines;
    for (const ResultSpec& r : results)
        lines.push_back(line(r.label, r.name));
    return lines;
}

} // namespace tarvel::describe
