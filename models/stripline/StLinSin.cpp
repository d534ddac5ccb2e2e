// TForm19: synthesis of the stripline on a dielectric with a loss tangent.
#include "stripline.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::stripline {

const WindowDescription& stLinSinWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 19;
        w.className = "TForm19";
        w.unit = "StLinSin";
        w.caption = "Síntese de Linha de Transmissão StripLine";
        w.menu = {&menu::synthesisStripline, menu::nonConducting, "SubstratoNoCondutor6"};
        rows::Single s;
        s.window = 19;
        s.synthesis = true;
        rows::singleCommon(w, s);
        w.inputs = rows::singleInputs(s);
        w.results = rows::singleResults(s);
        // The slotline analysis window uses the same extension.
        w.project = rows::singleProject("slt", "StLinSin1.slt", s);
        w.report = {"Síntese de Linha de Transmissão StripLine para Substrato não Condutor", 1000,
                    rows::singleReport(s)};
        w.model = synthesisLossTangent;
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
