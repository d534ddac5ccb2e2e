// SPDX-License-Identifier: GPL-3.0-or-later
// TForm6: analysis of a microstrip line on a conducting substrate.
#include "microstrip.h"
#include "window_parts.h"
#include "models/main_menu.h"

namespace tarvel::microstrip {
namespace {

const parts::Fields fields = [] {
    parts::Fields f;
    f.loss = SubstrateLoss::Conductivity;
    f.lossField = "CondMat";
    f.width = "largura";
    return f;
}();

const auto binding = parts::chainBinding(analyseOnConducting, conductingAnalysisChecks, fields, &Strip::W,
                                         parts::impedanceFirst(), true);

} // namespace

Outcome analysisConductingModel(const Inputs& in) { return binding(in); }

const WindowDescription& miFMtConWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w = describe::window(6, "MiFMtCon", "Análise de Linha de Transmissão Microstrip",
                                               {&menu::analysisMicrostrip, menu::conducting, "SubstratoCondutor1"});
        // Blanks of this window's own after gallium arsenide, around aluminium
        // and after silver.
        const parts::Lists lists{
            catalogue::dielectricRowsC().respelled({{10, "13.0 - Gallium arsenide(GaAs)     "}}),
            parts::tightConductors().respelled({{1, "39600000 -  Al: Alumínio"}, {4, "61000000 - Ag: Prata "}})};
        parts::ResultTexts texts = parts::impedanceFirst();
        texts.total = "Atenuação total  (dB/cm):";
        texts.dispersive = "Constante dielétrica dispersiva efetiva:";
        texts.qd = "No Dielétrico (Qd):";
        parts::describeFrom(w, binding, analysisConductingModel, fields, &lists, texts,
                            "Análise de Linha de Transmissão Microstrip para Substrato Condutor");
        parts::analysisFlags(w);
        w.project = parts::project(w, "mmc", "MiFMtCon1.mmc");
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
