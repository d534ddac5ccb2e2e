// SPDX-License-Identifier: GPL-3.0-or-later
// TForm15: synthesis of the coaxial cable.
#include "coax.h"
#include "window_rows.h"
#include "models/main_menu.h"
#include "models/labels.h"

namespace tarvel::coax {
namespace {

const Binding<CableWanted, CableDesign> binding = {
    synthesise,
    &wantedChecks,
    {{"impedancia", &CableWanted::Z0}, {"Frequencia", &CableWanted::f}, {"ComboBox2", &CableWanted::er},
     {"ComboBox1", &CableWanted::sigma}, {"Rigidez", &CableWanted::Emax}, {"TanPerda", &CableWanted::tand},
     {"Atentotal", &CableWanted::alphaT}},
    {{"Diaexter", &CableDesign::d2b}, {"Diainter", &CableDesign::d2a}, {"Freqcorte", &CableDesign::fc},
     {"Indutancia", &CableDesign::L}, {"Capacitancia", &CableDesign::C}, {"Resistividade", &CableDesign::Rs},
     {"Resistencia", &CableDesign::R}, {"Velocidade", &CableDesign::v}, {"Potencia", &CableDesign::Pmax},
     {"AtenCond", &CableDesign::alphaC}, {"AtenDiel", &CableDesign::alphaD}, {"Condutancia", &CableDesign::G}},
    // The cable found, beside the impedance asked.
    {SectionKind::Coax,
     [](const CableWanted& in, const CableDesign* out) {
         return out ? SectionReading{roundSection(out->d2a, out->d2b, in.er), {double(in.Z0)}} : SectionReading{};
     }},
};

} // namespace

Outcome synthesis(const Inputs& in) { return binding(in); }

const WindowDescription& coaxSinWindow()
{
    using namespace describe;
    namespace rows = wire_coax::rows;
    static const WindowDescription d = [] {
        WindowDescription w = window(15, "CoaxSin", "Síntese de Linha de Transmissão Coaxial",
                                     {&menu::synthesis, "&Cabo Coaxial", "Coaxial1"});
        w.inputGroup = "Entrada de dados: ";
        w.inputs = joined<InputSpec>(
            {{edit("impedancia", label::impedance)},
             // This window lists ETFE with a blank after it.
             rows::coaxMaterials(
                 catalogue::dielectricRowsA().respelled({{5, "2.60 - ETFE: Etilenotetrafluoretileno "}})),
             {edit("Atentotal", "Atenuação total (dB/m):")}});
        w.results = joined<ResultSpec>({{result("Diaexter", "Diâmetro interno do condutor externo (mm):"),
                                         result("Diainter", "Diâmetro do condutor interno (mm):")},
                                        rows::coaxResults("Potência máxima de pico ( x10   Watts):", false)});
        w.keyFields = {"impedancia"};
        w.calcEnabledAtStart = false;
        w.project = {"cxs", "CoaxSin1.cxs", fieldsOf(w.inputs, {3, 5, 3, 5, 3, 3, 3}), false};
        w.report = {w.caption, 1100, reportOf(w, rows::coaxReportAmends())};
        binding.into(w, synthesis);
        return w;
    }();
    return d;
}

} // namespace tarvel::coax
