// TForm14: analysis of coplanar strips on a conducting substrate.
#include "coplanar.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::coplanar {

const WindowDescription& cpsConWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 14;
        w.className = "TForm14";
        w.unit = "CPSCon";
        w.caption = "Análise de Linha de Transmissão Coplanar Strips - CPS";
        w.menu = {&menu::analysisCps, menu::conducting, "SubstratoCondutor5"};
        rows::common(w);
        w.inputs = rows::inputs(14, cpsCon, rows::stripsLabels);
        w.results = rows::results();
        w.galleryTab = 6;
        w.project = rows::project("psc", "CPSCon1.psc", Dielectric::Conducting);
        w.report = {"Análise de Linha de Transmissão Coplanar Strips (CPS) para Substrato Condutor", 1000,
                    rows::reportLines(Dielectric::Conducting, "Condutividade do dielétrico:", rows::stripsLabels)};
        w.model = cpsConductingAnalysis;
        return w;
    }();
    return d;
}

} // namespace tarvel::coplanar
