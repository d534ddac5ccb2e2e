// SPDX-License-Identifier: GPL-3.0-or-later
#include "all_windows.h"

#include <cctype>

#include "models/wire_coax/two_wire.h"
#include "models/coupled_microstrip/coupled_microstrip.h"
#include "models/microstrip/microstrip.h"
#include "models/wire_coax/coax.h"
#include "models/stripline/stripline.h"
#include "models/coplanar/coplanar.h"

namespace tarvel {

const std::vector<const WindowDescription*>& allWindows()
{
    static const std::vector<const WindowDescription*> windows = {
        &wire::bifiAnaWindow(),
        &wire::bifiSinWindow(),
        &microstrip::micFtAnaWindow(),
        &microstrip::miFMtConWindow(),
        &microstrip::micstSinWindow(),
        &microstrip::mstSinCdWindow(),
        &microstrip::slotAnaWindow(),
        &coax::coaxAnaWindow(),
        &coax::coaxSinWindow(),
        &stripline::stLinAnaWindow(),
        &stripline::stLinConWindow(),
        &stripline::stLinSinWindow(),
        &stripline::stLSinCdWindow(),
        &stripline::acSLMpAnWindow(),
        &stripline::acSLSinWindow(),
        &cmstrip::acMSMpAnWindow(),
        &cmstrip::acMSSinWindow(),
        &coplanar::cpwAnaWindow(),
        &coplanar::cpwConWindow(),
        &coplanar::cpsAnaWindow(),
        &coplanar::cpsConWindow(),
    };
    return windows;
}

const std::vector<const WindowDescription*>& mainMenuWindows()
{
    static const std::vector<const WindowDescription*> windows = [] {
        std::vector<const WindowDescription*> list;
        for (int n : {2, 3, 4, 6, 5, 7, 8, 11, 12, 13, 14, 26, 20, 16, 15, 17, 18, 19, 22, 29, 27})
            list.push_back(findWindow(n));
        return list;
    }();
    return windows;
}

const WindowDescription* findWindow(int number)
{
    for (const auto* d : allWindows())
        if (d->number == number)
            return d;
    return nullptr;
}

bool sameNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

const WindowDescription* findWindow(std::string_view name)
{
    for (const auto* d : allWindows())
        if (sameNoCase(d->className, name) || sameNoCase(d->unit, name))
            return d;
    return nullptr;
}

} // namespace tarvel
