#include "forms.h"

#include <map>

#include "models/all_windows.h"
#include "navigation.h"

namespace tarvel::ui {

CalculatorWindow* createCalculatorWindow(int n, QWidget* parent)
{
    CalculatorWindow* w = nullptr;
    if (const WindowDescription* d = findWindow(n))
        w = new CalculatorWindow(*d, parent);
    if (w)
        Navigation::instance().setReferenced(n, w);
    return w;
}

} // namespace tarvel::ui
