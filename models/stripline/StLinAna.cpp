// TForm5: analysis of the stripline on a dielectric with a loss tangent.
#include "stripline.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::stripline {

const WindowDescription& stLinAnaWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 5;
        w.className = "TForm5";
        w.unit = "StLinAna";
        w.caption = "Análise de Linha de Transmissão StripLine";
        w.menu = {&menu::analysisStripline, menu::nonConducting, "SubstratoNoCondutor2"};
        rows::Single s;
        s.window = 5;
        s.conductorMessage = "Condutividade inválida!!";
        s.labels.total = "Atenuação Total (dB/cm):";
        rows::singleCommon(w, s);
        w.inputs = rows::singleInputs(s);
        w.results = rows::singleResults(s);
        w.project = rows::singleProject("stl", "StLinAna1.stl", s);
        w.report = {"Análise de Linha de Transmissão StripLine para Substrato não Condutor", 1000,
                    rows::singleReport(s)};
        w.model = analysisLossTangent;
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
