// SPDX-License-Identifier: GPL-3.0-or-later
// TForm20: analysis of the edge-coupled stripline pair.
#include "stripline.h"
#include "window_rows.h"
#include "models/main_menu.h"
#include "models/labels.h"

namespace tarvel::stripline {
namespace {

const common::ModeLosses losses = {"AtenCond", "AtenCondodd", "Atendiel", "AtenDielodd", "AtenTotal", "AtenTotalodd"};

const Binding<CoupledPair, CoupledLine> binding = {
    analyseCoupled,
    &coupledChecks,
    describe::joined<rows::Feed<CoupledPair>>(
        {rows::boardInputs<CoupledPair>({"Tanperda", &CoupledPair::tand}),
         {{"Largura", &CoupledPair::W}, {"Separ", &CoupledPair::S}}}),
    describe::joined<rows::Shown<CoupledLine>>(
        {{{"Impcarac", &CoupledLine::Z0e}, {"impcararcodd", &CoupledLine::Z0o}, {"Compguiado", &CoupledLine::lambdaG}},
         rows::modeLosses(losses)}),
    {SectionKind::CoupledStripline,
     [](const CoupledPair& in, const CoupledLine* out) {
         return SectionReading{planarSection(in.W, in.S, in.b, in.t, in.er),
                               {given(out, &CoupledLine::Z0e), std::nullopt, given(out, &CoupledLine::Z0o)}};
     }},
    rows::pickedInMicrometres,
};

} // namespace

Outcome coupledAnalysis(const Inputs& in) { return binding(in); }

const WindowDescription& acSLMpAnWindow()
{
    using namespace describe;
    static const WindowDescription d = [] {
        WindowDescription w = describe::window(20, "AcSLMpAn", "Análise de Linha de Transmissão Acoplada StripLine",
                                               {&menu::analysisCoupled, "StripLine", "StripLine4"});
        w.inputs = {
            rows::frequency(),
            rows::laminates(catalogue::dielectricRowsB()),
            // This window lists gold with a blank after it.
            rows::conductor(rows::conductors().respelled({{2, "41000000 - Au : Ouro "}})),
            rows::lossTangent(),
            edit("Largura", label::stripsWidth),
            edit("Separ", label::stripsSeparation),
            rows::height(),
            rows::thickness(),
        };
        // The caption of the guided wavelength ends in a blank on screen.
        w.results = joined<ResultSpec>({{result("Impcarac", label::evenImpedance),
                                         result("impcararcodd", label::oddImpedance),
                                         result("Compguiado", std::string(rows::guidedWavelength) + " ")},
                                        common::modeLossResults(losses)});
        w.keyFields = {"Frequencia"};
        w.calcShortcut = false;
        w.closesGallery = true;
        w.project = {"asa", "AcSLMpAn1.asa", fieldsOf(w.inputs, {2, 2, 0, 5, 1, 1, 2, 2}), true};
        std::vector<ReportAmend> amends = rows::modeImpedanceAmends("Impcarac", "impcararcodd");
        amends.push_back({"Compguiado", rows::guidedWavelength});
        w.report = {w.caption, 1100, reportOf(w, amends)};
        binding.into(w, coupledAnalysis);
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
