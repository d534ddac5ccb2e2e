// SPDX-License-Identifier: GPL-3.0-or-later
// TForm16: synthesis of the two-wire line.
#include "two_wire.h"
#include "window_rows.h"
#include "models/main_menu.h"
#include "models/labels.h"

namespace tarvel::wire {
namespace {

const Binding<PairWanted, PairDesign> binding = {
    synthesise,
    &wantedChecks,
    {{"impedan", &PairWanted::Z0}, {"Frequencia", &PairWanted::f}, {"ComboBox2", &PairWanted::er},
     {"ComboBox1", &PairWanted::sigma}, {"Tanperda", &PairWanted::tand}, {"Atentot", &PairWanted::alphaT}},
    {{"Espaco", &PairDesign::S}, {"diametro", &PairDesign::d}, {"indutancia", &PairDesign::L},
     {"capacitancia", &PairDesign::C}, {"Resistividade", &PairDesign::Rs}, {"resistencia", &PairDesign::R},
     {"condutancia", &PairDesign::G}, {"AtenDiel", &PairDesign::alphaD}, {"AtenCond", &PairDesign::alphaC}},
    // The wires found, beside the impedance asked.
    {SectionKind::TwoWire,
     [](const PairWanted& in, const PairDesign* out) {
         return out ? SectionReading{roundSection(out->d, out->S, in.er), {double(in.Z0)}} : SectionReading{};
     }},
};

// This window lists three of the dielectrics with wider gaps.
catalogue::Catalogue dielectrics()
{
    return catalogue::dielectricRowsA().respelled({{2, "2.10 - PFA   : Perfluoralkoxy"},
                                                   {3, "2.10 - FEP   : Fluoretilenopropileno"},
                                                   {4, "2.28 - PE     : Polyetileno"}});
}

} // namespace

Outcome synthesis(const Inputs& in) { return binding(in); }

const WindowDescription& bifiSinWindow()
{
    using namespace describe;
    namespace rows = wire_coax::rows;
    static const WindowDescription d = [] {
        WindowDescription w = window(16, "BifiSin", "Síntese de Linha de Transmissão Bifilar",
                                     {&menu::synthesis, "&Bifilar", "Bifilar1"});
        w.inputs = joined<InputSpec>({{edit("impedan", label::impedance)},
                                      rows::twoWireMaterials(dielectrics()),
                                      {edit("Atentot", "Atenuação total (dB/m):")}});
        w.results = joined<ResultSpec>({{result("Espaco", "Espaçamento entre os condutores (mm):"),
                                         result("diametro", "Diâmetro dos condutores (mm):")},
                                        rows::perLengthResults(rows::twoWireNames),
                                        rows::attenuationResults(false)});
        w.keyFields = {"impedan"};
        w.calcEnabledAtStart = false;
        w.project = {"bfs", "BifiSin1.bfs", fieldsOf(w.inputs, {3, 5, 3, 5, 3, 3}), false};
        w.report = {w.caption, 1150, reportOf(w, {rows::resistanceLine(rows::twoWireNames)})};
        binding.into(w, synthesis);
        return w;
    }();
    return d;
}

} // namespace tarvel::wire
