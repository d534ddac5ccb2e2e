// SPDX-License-Identifier: GPL-3.0-or-later
// TForm11: analysis of the coplanar waveguide on a dielectric with a loss
// tangent.
#include "coplanar.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::coplanar {
namespace {

const Binding<Board, BoardLine> binding = rows::binding<cpwAna>(SectionKind::Cpw);

} // namespace

Outcome cpwAnalysis(const Inputs& in) { return binding(in); }

const WindowDescription& cpwAnaWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w = rows::window(
            {11, "TForm11", "CPWAna", "Análise de Linha de Transmissão Coplanar WaveGuide - CPW",
             {&menu::analysisCpw, menu::nonConducting, "SubstratoCondutor3"}, "cpw",
             "Análise de Linha de Transmissão Coplanar WaveGuide (CPW) para Substrato não Condutor"},
            cpwAna, binding, cpwAnalysis, catalogue::dielectricRowsB(), rows::waveguideLabels);
        // A key in the dielectric box activates the window too.
        w.keyFields = {"Frequencia", "ComboBox2"};
        return w;
    }();
    return d;
}

} // namespace tarvel::coplanar
