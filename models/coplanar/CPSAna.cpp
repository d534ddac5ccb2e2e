// TForm13: analysis of coplanar strips on a dielectric with a loss tangent.
#include "coplanar.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::coplanar {

const WindowDescription& cpsAnaWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 13;
        w.className = "TForm13";
        w.unit = "CPSAna";
        w.caption = "Análise de Linha de Transmissão Coplanar Strips - CPS";
        w.menu = {&menu::analysisCps, menu::nonConducting, "SubstratoNoCondutor3"};
        rows::common(w);
        w.inputs = rows::inputs(13, cpsAna, rows::stripsLabels);
        w.results = rows::results();
        w.galleryTab = 6;
        w.project = rows::project("psa", "CPSAna1.psa", Dielectric::LossTangent);
        w.report = {"Análise de Linha de Transmissão Coplanar Strips (CPS) para Substrato não Condutor", 1000,
                    rows::reportLines(Dielectric::LossTangent, "Tangente de perda do dielétrico:",
                                      rows::stripsLabels)};
        w.model = cpsAnalysis;
        return w;
    }();
    return d;
}

} // namespace tarvel::coplanar
