// SPDX-License-Identifier: GPL-3.0-or-later
// TForm17: synthesis of a microstrip line on a substrate with a loss tangent.
#include "microstrip.h"
#include "window_parts.h"
#include "models/main_menu.h"

namespace tarvel::microstrip {
namespace {

const parts::Fields fields = [] {
    parts::Fields f;
    f.impedance = "Impedancia";
    return f;
}();

const auto binding = parts::chainBinding(synthesiseOnLaminate, laminateSynthesisChecks, fields, &StripWanted::Z0,
                                         parts::widthFirst(), true);

} // namespace

Outcome synthesisModel(const Inputs& in) { return binding(in); }

const WindowDescription& micstSinWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w = describe::window(17, "MicstSin", "Síntese de Linha de Transmissão Microstrip",
                                               {&menu::synthesisMicrostrip, menu::nonConducting, "SubstratoNoCondutor5"});
        // On screen the target impedance comes first, the frequency second.
        // Aluminium keeps the blank before its colon.
        const parts::Lists lists{catalogue::dielectricRowsB(), parts::tightConductors()};
        const parts::ResultTexts texts = parts::widthFirst();
        parts::describeFrom(w, binding, synthesisModel, fields, &lists, texts,
                            "Síntese de Linha de Transmissão Microstrip para Substrato não Condutor");
        // A second key handler on `frequencia` enables only a few menu
        // commands; the window class adds it.
        parts::synthesisFlags(w);
        // The file keeps the frequency before the impedance.
        w.project = {"mcs", "MicstSin1.mcs",
                     {{fields.frequency, 5}, {fields.impedance, 3}, {fields.permittivity, 3}, {fields.conductor, 5},
                      {fields.lossField, 3}, {fields.height, 3}, {fields.thickness, 3}},
                     false};
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
