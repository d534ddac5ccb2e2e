// SPDX-License-Identifier: GPL-3.0-or-later
// TForm27: synthesis of the edge-coupled stripline pair.
#include "stripline.h"
#include "window_rows.h"
#include "models/main_menu.h"
#include "models/labels.h"

namespace tarvel::stripline {
namespace {

const Binding<CoupledWanted, CoupledLine> binding = {
    synthesiseCoupled,
    &coupledWantedChecks,
    describe::joined<rows::Feed<CoupledWanted>>(
        {{{"ImpModoPar", &CoupledWanted::Z0e}, {"ImpModoimpar", &CoupledWanted::Z0o}},
         rows::boardInputs<CoupledWanted>({"Tanperda", &CoupledWanted::tand})}),
    describe::joined<rows::Shown<CoupledLine>>(
        {{{"LargReal", &CoupledLine::W}, {"SepReal", &CoupledLine::S}, {"complambs", &CoupledLine::lambdaG}},
         rows::modeLosses(common::synthesisLosses)}),
    // The strips found, beside the impedances asked.
    {SectionKind::CoupledStripline,
     [](const CoupledWanted& in, const CoupledLine* out) {
         if (!out)
             return SectionReading{};
         return SectionReading{planarSection(out->W, out->S, in.b, in.t, in.er),
                               {double(in.Z0e), std::nullopt, double(in.Z0o)}};
     }},
    rows::pickedInMicrometres,
};

} // namespace

Outcome coupledSynthesis(const Inputs& in) { return binding(in); }

const WindowDescription& acSLSinWindow()
{
    using namespace describe;
    static const WindowDescription d = [] {
        WindowDescription w = describe::window(27, "AcSLSin", "Síntese de Linha de Transmissão Acoplada StripLine ",
                                               {&menu::synthesisCoupled, "StripLine", "StripLine2"});
        w.inputs = joined<InputSpec>({common::modeImpedanceInputs(),
                                      {rows::frequency(), rows::laminates(catalogue::dielectricRowsB()),
                                       rows::conductor(), rows::lossTangent(), rows::height(), rows::thickness()}});
        w.results = joined<ResultSpec>({{result("LargReal", label::realWidth),
                                         result("SepReal", label::realSeparation),
                                         result("complambs", rows::guidedWavelength)},
                                        common::modeLossResults(common::synthesisLosses)});
        w.keyFields = {"ImpModoPar"};
        w.calcEnabledAtStart = false;
        w.closesGallery = true;
        w.project = {"acs", "AcSLSin1.acs", fieldsOf(w.inputs, {3, 5, 3, 5, 3, 3, 3, 3}), false};
        std::vector<ReportAmend> amends = rows::modeImpedanceAmends("ImpModoPar", "ImpModoimpar");
        amends.push_back({"SepReal", "Separação real entre as fitas condutoras (mm):"});
        w.report = {"Síntese de Linha de Transmissão Acoplada StripLine", 1100, reportOf(w, amends)};
        binding.into(w, coupledSynthesis);
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
