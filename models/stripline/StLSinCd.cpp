// TForm22: synthesis of the stripline on a conducting substrate.
#include "stripline.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::stripline {

const WindowDescription& stLSinCdWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 22;
        w.className = "TForm22";
        w.unit = "StLSinCd";
        w.caption = "Síntese de Linha de Transmissão StripLine";
        w.menu = {&menu::synthesisStripline, menu::conducting, "SubstratoCondutor8"};
        rows::Single s;
        s.window = 22;
        s.synthesis = true;
        s.conducting = true;
        s.thicknessMessage = "Espessura da Fita Condutora Inválida!!";
        s.labels.qcond = "Correspondente as perdas no condutor: ";
        rows::singleCommon(w, s);
        // Unlike the other synthesis, it closes the gallery.
        w.closesGallery = true;
        w.inputs = rows::singleInputs(s);
        w.results = rows::singleResults(s);
        w.project = rows::singleProject("sst", "StLSinCd1.sst", s);
        w.report = {"Síntese de Linha de Transmissão StripLine para Substrato Condutor", 1000,
                    rows::singleReport(s)};
        w.model = synthesisConducting;
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
