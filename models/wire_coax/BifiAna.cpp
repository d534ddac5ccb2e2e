// SPDX-License-Identifier: GPL-3.0-or-later
// TForm2: analysis of the two-wire line.
#include "two_wire.h"
#include "window_rows.h"
#include "models/main_menu.h"
#include "models/labels.h"

namespace tarvel::wire {
namespace {

const Binding<Pair, PairLine> binding = {
    analyse,
    &pairChecks,
    {{"Frequencia", &Pair::f}, {"ComboBox2", &Pair::er}, {"ComboBox1", &Pair::sigma}, {"Tanperda", &Pair::tand},
     {"Espacamento", &Pair::S}, {"diametro", &Pair::d}},
    {{"impedancia", &PairLine::Z0}, {"indutancia", &PairLine::L}, {"capacitancia", &PairLine::C},
     {"Resistividade", &PairLine::Rs}, {"resistencia", &PairLine::R}, {"condutancia", &PairLine::G},
     {"AtenCond", &PairLine::alphaC}, {"AtenDiel", &PairLine::alphaD}, {"Atentotal", &PairLine::alphaT}},
    {SectionKind::TwoWire,
     [](const Pair& in, const PairLine* out) {
         return SectionReading{roundSection(in.d, in.S, in.er), {given(out, &PairLine::Z0)}};
     }},
};

} // namespace

Outcome analysis(const Inputs& in) { return binding(in); }

const WindowDescription& bifiAnaWindow()
{
    using namespace describe;
    namespace rows = wire_coax::rows;
    static const WindowDescription d = [] {
        WindowDescription w = window(2, "BifiAna", "Análise de Linha de Transmissão Bifilar",
                                     {&menu::analysis, "&Bifilar", "bifilar"});
        InputSpec spacing = edit("Espacamento", "Espaçamento centro-a-centro");
        spacing.labels.push_back("entre os condutores (mm):");
        w.inputs = joined<InputSpec>({rows::twoWireMaterials(catalogue::dielectricRowsA()),
                                      {spacing, edit("diametro", "Diâmetro do condutor (mm):")}});
        w.results = joined<ResultSpec>({{result("impedancia", label::impedance)},
                                        rows::perLengthResults(rows::twoWireNames),
                                        rows::attenuationResults(true)});
        w.keyFields = {"Frequencia"};
        w.calcEnabledAtStart = false;
        w.project = {"bfl", "BifiAna1.bfl", fieldsOf(w.inputs, {2, 2, 0, 5, 2, 2}), true};
        w.report = {w.caption, 1150, reportOf(w, {rows::resistanceLine(rows::twoWireNames)})};
        binding.into(w, analysis);
        return w;
    }();
    return d;
}

} // namespace tarvel::wire
