// SPDX-License-Identifier: GPL-3.0-or-later
// TForm5: analysis of the stripline on a dielectric with a loss tangent.
#include "stripline.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::stripline {
namespace {

const auto binding = rows::singleBinding<Strip>(analyseOnLaminate, laminateChecks, false);

} // namespace

Outcome analysisLossTangent(const Inputs& in) { return binding(in); }

// Every window reads the thickness alike.
Real thicknessMm(const Inputs& in) { return binding.read(in).t; }

const WindowDescription& stLinAnaWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w = describe::window(5, "StLinAna", "Análise de Linha de Transmissão StripLine",
                                               {&menu::analysisStripline, menu::nonConducting, "SubstratoNoCondutor2"});
        rows::Single s;
        // This window spaces the first laminate wider and ends its list
        // with a blank entry that fills nothing.
        s.dielectrics = catalogue::dielectricRowsB().respelled({{1, "2.20 -  RT/duroid® 5880"}}).with({{""}});
        s.labels.total = "Atenuação Total (dB/cm):";
        rows::singleWindow(w, s, "stl", "StLinAna1.stl",
                           "Análise de Linha de Transmissão StripLine para Substrato não Condutor");
        binding.into(w, analysisLossTangent);
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
