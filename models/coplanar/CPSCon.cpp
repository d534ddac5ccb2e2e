// SPDX-License-Identifier: GPL-3.0-or-later
// TForm14: analysis of coplanar strips on a conducting substrate.
#include "coplanar.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::coplanar {
namespace {

const Binding<Board, BoardLine> binding = rows::binding<cpsCon>(SectionKind::Cps);

} // namespace

Outcome cpsConductingAnalysis(const Inputs& in) { return binding(in); }

const WindowDescription& cpsConWindow()
{
    // The report leaves the unit off the substrate conductivity.
    static const WindowDescription d =
        rows::window({14, "TForm14", "CPSCon", "Análise de Linha de Transmissão Coplanar Strips - CPS",
                      {&menu::analysisCps, menu::conducting, "SubstratoCondutor5"}, "psc",
                      "Análise de Linha de Transmissão Coplanar Strips (CPS) para Substrato Condutor"},
                     cpsCon, binding, cpsConductingAnalysis, catalogue::dielectricRowsC(), rows::stripsLabels,
                     {{"Condsubs", "Condutividade do dielétrico:"}, rows::stripsSeparationLine});
    return d;
}

} // namespace tarvel::coplanar
