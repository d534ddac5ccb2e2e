// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms.h"

#include <map>

#include "CPWCon_window.h"
#include "MicstSin_window.h"
#include "framework/ui/navigation.h"
#include "models/all_windows.h"

namespace tarvel::ui {

CalculatorWindow* createCalculatorWindow(int n, QWidget* parent)
{
    const WindowDescription* d = findWindow(n);
    if (!d)
        return nullptr;
    CalculatorWindow* w = nullptr;
    switch (n) {
    case 12: w = new TForm12(parent); break;
    case 17: w = new TForm17(parent); break;
    case 18: w = new TForm18(parent); break;
    default: w = new CalculatorWindow(*d, parent); break;
    }
    if (w)
        Navigation::instance().setReferenced(n, w);
    return w;
}

} // namespace tarvel::ui
