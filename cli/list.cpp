// tarvel-calc list and tarvel-calc fields JANELA: the windows, and the
// inputs and results of one of them.
#include "shared.h"

#include "framework/core/calculator.h"
#include "json.h"
#include "models/all_windows.h"

namespace tarvel::cli {
namespace {

std::string joinLabels(const std::vector<std::string>& labels)
{
    std::string out;
    for (const auto& l : labels)
        out += (out.empty() ? "" : " ") + l;
    return out;
}

std::string resultLabel(const ResultSpec& r)
{
    if (r.raised.empty())
        return r.label;
    std::string label = r.label;
    const std::size_t x = label.find("x10");
    if (x == std::string::npos)
        return label + " [" + r.raised + "]";
    return label.insert(x + 3, "^" + r.raised);
}

} // namespace

Run listForm()
{
    Run r;
    for (const auto* d : allWindows()) {
        std::string menu;
        for (const auto& m : menuPath(*d))
            menu += (menu.empty() ? "" : " > ") + m;
        r.out += d->className + "  " + d->unit + "  " + d->caption + "  " + menu + "\n";
    }
    return r;
}

Run fieldsForm(const std::string& windowName)
{
    const WindowDescription* d = findWindow(windowName);
    if (!d)
        return usage(unknownWindow(windowName).text);
    Run r;
    r.out += d->className + "  " + d->unit + "  " + d->caption + "\n";
    r.out += "Entradas:\n";
    for (const auto& in : d->inputs) {
        r.out += "  " + in.name + "  " + joinLabels(in.labels) + "\n";
        for (std::size_t i = 0; i < in.entries.size(); ++i) {
            if (in.entries[i].empty())
                continue;
            std::string line = "      " + json::quote(in.entries[i]);
            for (const auto& [target, text] : fillsOfPick(in, int(i)))
                line += "  " + target + "=" + json::quote(text);
            r.out += line + "\n";
        }
    }
    // Results under the caption of their group box, groups in window order.
    for (int g = 0; g < int(d->resultGroups.size()); ++g) {
        bool any = false;
        for (const auto& res : d->results) {
            if (res.group != g && !(g == 0 && (res.group < 0 || res.group >= int(d->resultGroups.size()))))
                continue;
            if (!any)
                r.out += d->resultGroups[g] + "\n";
            any = true;
            r.out += "  " + res.name + "  " + resultLabel(res) + "\n";
        }
    }
    return r;
}

} // namespace tarvel::cli
