// TForm11: analysis of the coplanar waveguide on a dielectric with a loss
// tangent.
#include "coplanar.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::coplanar {

const WindowDescription& cpwAnaWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 11;
        w.className = "TForm11";
        w.unit = "CPWAna";
        w.caption = "Análise de Linha de Transmissão Coplanar WaveGuide - CPW";
        w.menu = {&menu::analysisCpw, menu::nonConducting, "SubstratoCondutor3"};
        rows::common(w);
        w.inputs = rows::inputs(11, cpwAna, rows::waveguideLabels);
        w.results = rows::results();
        // A key in the dielectric box activates the window too.
        w.keyFields = {"Frequencia", "ComboBox2"};
        w.galleryTab = 5;
        w.project = rows::project("cpw", "CPWAna1.cpw", Dielectric::LossTangent);
        w.report = {"Análise de Linha de Transmissão Coplanar WaveGuide (CPW) para Substrato não Condutor", 1000,
                    rows::reportLines(Dielectric::LossTangent, "Tangente de perda do dielétrico:",
                                      rows::waveguideLabels)};
        w.model = cpwAnalysis;
        return w;
    }();
    return d;
}

} // namespace tarvel::coplanar
