// tarvel-calc JANELA Campo=texto ...: a window's compute, as "&Calcular".
#include "shared.h"

#include "framework/core/calculator.h"
#include "models/all_windows.h"

namespace tarvel::cli {

Run computeForm(const std::string& windowName, const Texts& given, bool asJson)
{
    const WindowDescription* d = findWindow(windowName);
    if (!d)
        return usage(unknownWindow(windowName).text);
    Texts canonical;
    if (auto p = canonicalTexts(*d, given, canonical))
        return problem(*p, asJson);
    const FieldTexts fields = typedFields(*d, canonical);
    const Outcome o = compute(*d, fields);
    Run r;
    r.exit = exitOf(o);
    if (asJson)
        r.out = outcomeJson(*d, fields, o) + "\n";
    else
        printOutcome(*d, o, r.out);
    return r;
}

} // namespace tarvel::cli
