// Short builders for the rows of a window description.
#pragma once
#include "catalogues.h"
#include "window_description.h"

namespace tarvel::describe {

inline InputSpec edit(std::string name, std::string label, std::string message = {})
{
    InputSpec s;
    s.name = std::move(name);
    s.labels = {std::move(label)};
    s.message = std::move(message);
    return s;
}

inline InputSpec combo(std::string name, std::string label, catalogue::List entries, std::string message = {},
                       std::vector<Fill> fills = {})
{
    InputSpec s = edit(std::move(name), std::move(label), std::move(message));
    s.kind = InputKind::Combo;
    s.entries = std::move(entries);
    s.fills = std::move(fills);
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

} // namespace tarvel::describe
