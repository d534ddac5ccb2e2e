// SPDX-License-Identifier: GPL-3.0-or-later
// TForm13: analysis of coplanar strips on a dielectric with a loss tangent.
#include "coplanar.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::coplanar {
namespace {

const Binding<Board, BoardLine> binding = rows::binding<cpsAna>(SectionKind::Cps);

} // namespace

Outcome cpsAnalysis(const Inputs& in) { return binding(in); }

const WindowDescription& cpsAnaWindow()
{
    static const WindowDescription d =
        rows::window({13, "TForm13", "CPSAna", "Análise de Linha de Transmissão Coplanar Strips - CPS",
                      {&menu::analysisCps, menu::nonConducting, "SubstratoNoCondutor3"}, "psa",
                      "Análise de Linha de Transmissão Coplanar Strips (CPS) para Substrato não Condutor"},
                     cpsAna, binding, cpsAnalysis, catalogue::dielectricRowsB(), rows::stripsLabels,
                     {rows::stripsSeparationLine});
    return d;
}

} // namespace tarvel::coplanar
