// SPDX-License-Identifier: GPL-3.0-or-later
// TForm7: analysis of the stripline on a conducting substrate.
#include "stripline.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::stripline {
namespace {

const auto binding = rows::singleBinding<Strip>(analyseOnConducting, conductingChecks, true);

} // namespace

Outcome analysisConducting(const Inputs& in) { return binding(in); }

const WindowDescription& stLinConWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w = describe::window(7, "StLinCon", "Análise de Linha de Transmissão StripLine",
                                               {&menu::analysisStripline, menu::conducting, "SubstratoCondutor2"});
        rows::Single s;
        s.conducting = true;
        // This window lists gallium arsenide with blanks after it.
        s.dielectrics = catalogue::dielectricRowsC().respelled({{10, "13.0 - Gallium arsenide(GaAs)     "}});
        s.labels.endEffect = "Encurtamento de fim linha (mm):";
        rows::singleWindow(w, s, "stn", "StLinCon1.stn",
                           "Análise de Linha de Transmissão StripLine para Substrato Condutor");
        binding.into(w, analysisConducting);
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
