// SPDX-License-Identifier: GPL-3.0-or-later
// TForm4: analysis of a microstrip line on a substrate with a loss tangent.
#include "microstrip.h"
#include "window_parts.h"
#include "models/main_menu.h"

namespace tarvel::microstrip {
namespace {

const parts::Fields fields = [] {
    parts::Fields f;
    f.permittivity = "Combobox2";
    f.conductor = "Combobox1";
    f.width = "largura";
    return f;
}();

const auto binding = parts::chainBinding(analyseOnLaminate, laminateAnalysisChecks, fields, &Strip::W,
                                         parts::impedanceFirst(), true);

} // namespace

Outcome analysisModel(const Inputs& in) { return binding(in); }

const WindowDescription& micFtAnaWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w = describe::window(4, "MicFtAna", "Análise de Linha de Transmissão Microstrip",
                                               {&menu::analysisMicrostrip, menu::nonConducting, "SubstratoNoCondutor1"});
        // This window spells its conductors and foils with blanks of its own.
        const parts::Lists lists{
            catalogue::dielectricRowsB(),
            parts::tightConductors().respelled({{1, "39600000 - Al: Alumínio"}}),
            catalogue::thicknessRows().respelled({{1, "9.0    µm ED(1/4 oz)"},
                                                  {2, "17.5  µm ED(1/2 oz)"},
                                                  {3, "35.0  µm ED(1 oz)"},
                                                  {4, "70.0  µm ED(2 oz)"},
                                                  {5, "17.5  µm Rolled(1/2 oz)"},
                                                  {6, "35.0  µm Rolled(1 oz)"},
                                                  {7, "70.0  µm Rolled(2 oz)"}})};
        parts::ResultTexts texts = parts::impedanceFirst();
        texts.qualityGroup = "Fator de qualidade para perdas:";
        parts::describeFrom(w, binding, analysisModel, fields, &lists, texts,
                            "Análise de Linha de Transmissão Microstrip para Substrato não Condutor");
        parts::analysisFlags(w);
        w.project = parts::project(w, "stp", "MicFtAna1.stp");
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
