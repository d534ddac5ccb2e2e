// SPDX-License-Identifier: GPL-3.0-or-later
// TForm22: synthesis of the stripline on a conducting substrate.
#include "stripline.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::stripline {
namespace {

const auto binding = rows::singleBinding<StripWanted>(synthesiseOnConducting, conductingWantedChecks, true);

} // namespace

Outcome synthesisConducting(const Inputs& in) { return binding(in); }

const WindowDescription& stLSinCdWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w = describe::window(22, "StLSinCd", "Síntese de Linha de Transmissão StripLine",
                                               {&menu::synthesisStripline, menu::conducting, "SubstratoCondutor8"});
        rows::Single s;
        s.synthesis = true;
        s.conducting = true;
        s.dielectrics = catalogue::dielectricRowsC();
        s.labels.qcond = "Correspondente as perdas no condutor: ";
        rows::singleWindow(w, s, "sst", "StLSinCd1.sst",
                           "Síntese de Linha de Transmissão StripLine para Substrato Condutor");
        // Unlike the other synthesis, it closes the gallery.
        w.closesGallery = true;
        binding.into(w, synthesisConducting);
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
