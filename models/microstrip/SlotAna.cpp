// SPDX-License-Identifier: GPL-3.0-or-later
// TForm8: analysis of a slotline.
#include "microstrip.h"
#include "framework/core/describe.h"
#include "models/main_menu.h"
#include "models/labels.h"

namespace tarvel::microstrip {
namespace {

const Binding<SlotCut, Slot> binding = {
    analyseSlot,
    &slotChecks,
    {{"Frequencia", &SlotCut::f}, {"ComboBox2", &SlotCut::er}, {"ComboBox1", &SlotCut::h}, {"Largura", &SlotCut::W}},
    {{"Impcarac", &Slot::Z0}, {"Efetiva", &Slot::eeff}, {"CompCorte", &Slot::hc}, {"guiado", &Slot::lambdaS}},
    {SectionKind::Slotline,
     [](const SlotCut& in, const Slot* out) {
         return SectionReading{planarSection(0, in.W, in.h, 0, in.er),
                               {given(out, &Slot::Z0), given(out, &Slot::eeff)}};
     }},
};

} // namespace

Outcome slotlineModel(const Inputs& in) { return binding(in); }

const WindowDescription& slotAnaWindow()
{
    using namespace describe;
    static const WindowDescription d = [] {
        WindowDescription w = describe::window(8, "SlotAna", "Análise de Linha de Transmissão SlotLine",
                                               {&menu::analysis, "&SlotLine", "SlotLine1"});
        w.inputs = {
            edit("Frequencia", label::frequency),
            // A pick leaves only the entry's number in the box.
            combo("ComboBox2", label::permittivity, catalogue::dielectricRowsD(), {"ComboBox2"}),
            combo("ComboBox1", label::height, catalogue::heightRows()),
            edit("Largura", "Largura da fenda (mm):"),
        };
        // The gap after "TE" holds a small subscript "10".
        ResultSpec cutoff = result("CompCorte", "Valor de corte para o modo TE    na SlotLine:");
        cutoff.lowered = "10";
        w.results = {
            result("Impcarac", label::impedance),
            result("Efetiva", label::effectivePermittivity),
            cutoff,
            result("guiado", "Comprimento de onda guiado na SlotLine (cm):"),
        };
        w.keyFields = {"Frequencia"};
        w.closesGallery = true;
        w.mainToFront = true;
        w.calcEnabledAtStart = true;
        w.project = {"slt", "SlotAna1.slt", fieldsOf(w.inputs, {3, 5, 3, 5}), false};
        // The report prints the subscript in line.
        w.report = {w.caption, 1000, reportOf(w, {{"CompCorte", "Valor de corte para o modo TE10 na SlotLine:"}})};
        binding.into(w, slotlineModel);
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
