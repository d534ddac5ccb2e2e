// SPDX-License-Identifier: GPL-3.0-or-later
// TForm19: synthesis of the stripline on a dielectric with a loss tangent.
#include "stripline.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::stripline {
namespace {

const auto binding = rows::singleBinding<StripWanted>(synthesiseOnLaminate, laminateWantedChecks, false);

} // namespace

Outcome synthesisLossTangent(const Inputs& in) { return binding(in); }

const WindowDescription& stLinSinWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w = describe::window(19, "StLinSin", "Síntese de Linha de Transmissão StripLine",
                                               {&menu::synthesisStripline, menu::nonConducting, "SubstratoNoCondutor6"});
        rows::Single s;
        s.synthesis = true;
        s.dielectrics = catalogue::dielectricRowsB();
        // The slotline analysis window uses the same extension.
        rows::singleWindow(w, s, "slt", "StLinSin1.slt",
                           "Síntese de Linha de Transmissão StripLine para Substrato não Condutor");
        binding.into(w, synthesisLossTangent);
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
