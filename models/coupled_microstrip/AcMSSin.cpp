// SPDX-License-Identifier: GPL-3.0-or-later
// TForm29: synthesis of the coupled microstrip pair.
#include "coupled_microstrip.h"
#include "framework/core/describe.h"
#include "models/main_menu.h"
#include "models/labels.h"

namespace tarvel::cmstrip {
namespace {

const Binding<Wanted, PairDesign> binding = {
    synthesise,
    &wantedChecks,
    {{"ImpModoPar", &Wanted::Z0e}, {"ImpModoimpar", &Wanted::Z0o}, {"Frequencia", &Wanted::f},
     {"ComboBox2", &Wanted::er}, {"ComboBox1", &Wanted::sigma}, {"Tanperda", &Wanted::tand},
     {"ComboBox4", &Wanted::h}, {"ComboBox3", &Wanted::t}},
    {{"LargReal", &PairDesign::W}, {"SepReal", &PairDesign::S}, {"EfetivoPar", &PairDesign::eeffE},
     {"Efetivoimpar", &PairDesign::eeffO}, {"AtconMp", &PairDesign::alphaCE}, {"AtdielMp", &PairDesign::alphaDE},
     {"AtentotalMp", &PairDesign::alphaTE}, {"AtconMi", &PairDesign::alphaCO}, {"AtdielMi", &PairDesign::alphaDO},
     {"AtentotalMi", &PairDesign::alphaTO}},
    // The strips found, beside the impedances asked.
    {SectionKind::CoupledMicrostrip,
     [](const Wanted& in, const PairDesign* out) {
         if (!out)
             return SectionReading{};
         return SectionReading{planarSection(out->W, out->S, in.h, in.t, in.er),
                               {double(in.Z0e), double(out->eeffE), double(in.Z0o), double(out->eeffO)}};
     }},
    {"ComboBox3"},
};

} // namespace

Outcome synthesis(const Inputs& in) { return binding(in); }

const WindowDescription& acMSSinWindow()
{
    using namespace describe;
    namespace cat = catalogue;
    static const WindowDescription d = [] {
        WindowDescription w = describe::window(29, "AcMSSin", "Síntese de Linha de Transmissão Acoplada Microstrip",
                                               {&menu::synthesisCoupled, "Microstrip", "Microfita4"});
        w.inputs = joined<InputSpec>(
            {common::modeImpedanceInputs(),
             {edit("Frequencia", label::frequency),
              combo("ComboBox2", label::permittivity, cat::dielectricRowsB(), {"Tanperda"}),
              // This window lists gold with a trailing blank.
              combo("ComboBox1", label::conductor,
                    cat::conductorRows().respelled({{2, "41000000 - Au : Ouro "}})),
              edit("Tanperda", label::lossTangent),
              combo("ComboBox4", label::height, cat::heightRows()),
              combo("ComboBox3", label::thickness, cat::thicknessRows())}});
        w.results = {
            result("LargReal", label::realWidth),
            result("SepReal", label::realSeparation),
            result("EfetivoPar", label::evenPermittivity),
            result("Efetivoimpar", label::oddPermittivity),
            result("AtconMp", label::conductorLossEven),
            result("AtdielMp", label::dielectricLossEven),
            result("AtentotalMp", label::totalLossEven),
            result("AtconMi", label::conductorLossOdd),
            result("AtdielMi", label::dielectricLossOdd),
            result("AtentotalMi", label::totalLossOdd),
        };
        w.keyFields = {"ImpModoPar"};
        w.closesGallery = true;
        w.mainToFront = false;
        w.calcEnabledAtStart = false;
        w.calcShortcut = true;
        w.project = {"ams", "AcMSSin1.ams", fieldsOf(w.inputs, {3, 5, 3, 5, 3, 3, 3, 3}), false};
        // The report prints the width, the gap and the permittivities as the
        // window does, then the losses of the even mode before the odd.
        const std::vector<ResultSpec> shown(w.results.begin(), w.results.begin() + 4);
        w.report = {"Síntese de Linha de Transmissão Acoplada MicroStrip", 1100,
                    joined<ReportLine>({inputLines(w.inputs), resultLines(shown), common::modeLossLines(common::synthesisLosses)})};
        binding.into(w, synthesis);
        return w;
    }();
    return d;
}

} // namespace tarvel::cmstrip
