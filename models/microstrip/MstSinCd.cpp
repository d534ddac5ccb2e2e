// SPDX-License-Identifier: GPL-3.0-or-later
// TForm18: synthesis of a microstrip line on a conducting substrate. Its
// fields are plain edits; the button beside the permittivity opens the
// commercial parameters dialog, which writes into them.
#include "microstrip.h"
#include "window_parts.h"
#include "models/main_menu.h"

namespace tarvel::microstrip {
namespace {

const parts::Fields fields = [] {
    parts::Fields f;
    f.loss = SubstrateLoss::Conductivity;
    f.impedance = "Impedancia";
    f.permittivity = "constdiel";
    f.conductor = "condutividade";
    f.lossField = "condsubs";
    f.height = "alturadiel";
    f.thickness = "espesfita";
    return f;
}();

// No list here: a thickness is always in millimetres.
const auto binding = parts::chainBinding(synthesiseOnConducting, conductingSynthesisChecks, fields, &StripWanted::Z0,
                                         parts::widthFirst(), false);

} // namespace

Outcome synthesisConductingModel(const Inputs& in) { return binding(in); }

const WindowDescription& mstSinCdWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w = describe::window(18, "MstSinCd", "Síntese de Linha de Transmissão Microstrip",
                                               {&menu::synthesisMicrostrip, menu::conducting, "SubstratoCondutor7"});
        parts::ResultTexts texts = parts::widthFirst();
        texts.openEnd = "Encurtmento de fim de linha (mm):";
        parts::describeFrom(w, binding, synthesisConductingModel, fields, nullptr, texts,
                            "Síntese de Linha de Transmissão Microstrip para Substrato Condutor");
        for (InputSpec& in : w.inputs)
            if (in.name == fields.permittivity) {
                in.buttonName = "Button1";
                in.buttonText = "...";
            }
        parts::synthesisFlags(w);
        w.project = parts::project(w, "mst", "MstSinCd1.mst");
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
