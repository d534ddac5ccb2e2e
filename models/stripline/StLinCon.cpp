// TForm7: analysis of the stripline on a conducting substrate.
#include "stripline.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::stripline {

const WindowDescription& stLinConWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 7;
        w.className = "TForm7";
        w.unit = "StLinCon";
        w.caption = "Análise de Linha de Transmissão StripLine";
        w.menu = {&menu::analysisStripline, menu::conducting, "SubstratoCondutor2"};
        rows::Single s;
        s.window = 7;
        s.conducting = true;
        s.labels.endEffect = "Encurtamento de fim linha (mm):";
        rows::singleCommon(w, s);
        w.inputs = rows::singleInputs(s);
        w.results = rows::singleResults(s);
        w.project = rows::singleProject("stn", "StLinCon1.stn", s);
        w.report = {"Análise de Linha de Transmissão StripLine para Substrato Condutor", 1000,
                    rows::singleReport(s)};
        w.model = analysisConducting;
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
