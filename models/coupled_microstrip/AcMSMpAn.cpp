// SPDX-License-Identifier: GPL-3.0-or-later
// TForm26: analysis of the coupled microstrip pair.
#include "coupled_microstrip.h"
#include "framework/core/describe.h"
#include "models/main_menu.h"
#include "models/labels.h"

namespace tarvel::cmstrip {
namespace {

const Binding<Pair, CoupledLine> binding = {
    analyse,
    &pairChecks,
    {{"frequencia", &Pair::f}, {"ComboBox2", &Pair::er}, {"ComboBox1", &Pair::sigma}, {"Tanperda", &Pair::tand},
     {"largura", &Pair::W}, {"Separacao", &Pair::S}, {"ComboBox4", &Pair::h}, {"ComboBox3", &Pair::t}},
    {{"impcarac", &CoupledLine::Z0e}, {"Impcaracodd", &CoupledLine::Z0o}, {"efetiva", &CoupledLine::eeffE},
     {"efetivaodd", &CoupledLine::eeffO}, {"AtenCond", &CoupledLine::alphaCE},
     {"AtenCondodd", &CoupledLine::alphaCO}, {"AtenDiel", &CoupledLine::alphaDE},
     {"Atendielodd", &CoupledLine::alphaDO}, {"Atentotal", &CoupledLine::alphaTE},
     {"Atentotalodd", &CoupledLine::alphaTO}},
    {SectionKind::CoupledMicrostrip,
     [](const Pair& in, const CoupledLine* out) {
         return SectionReading{planarSection(in.W, in.S, in.h, in.t, in.er),
                               {given(out, &CoupledLine::Z0e), given(out, &CoupledLine::eeffE),
                                given(out, &CoupledLine::Z0o), given(out, &CoupledLine::eeffO)}};
     }},
    {"ComboBox3"},
};

} // namespace

Outcome analysis(const Inputs& in) { return binding(in); }

const WindowDescription& acMSMpAnWindow()
{
    using namespace describe;
    namespace cat = catalogue;
    static const WindowDescription d = [] {
        WindowDescription w = describe::window(26, "AcMSMpAn", "Análise de Linha de Transmissão Acoplada MicroStrip",
                                               {&menu::analysisCoupled, "Microstrip", "Microfita3"});
        w.inputs = {
            edit("frequencia", label::frequency),
            combo("ComboBox2", "Constante dielétrica relativa: ", cat::dielectricRowsB(), {"Tanperda"}),
            // This window lists aluminium with a wider gap.
            combo("ComboBox1", label::conductor,
                  cat::conductorRows().respelled({{1, "39600000 - Al  : Alumínio"}})),
            edit("Tanperda", label::lossTangent),
            edit("largura", label::stripWidth),
            edit("Separacao", label::stripsSeparation),
            combo("ComboBox4", label::height, cat::heightRows()),
            combo("ComboBox3", label::thickness, cat::thicknessRows()),
        };
        w.results = {
            result("impcarac", label::evenImpedance),
            result("Impcaracodd", label::oddImpedance),
            result("efetiva", label::evenPermittivity),
            result("efetivaodd", label::oddPermittivity),
            result("AtenCond", label::conductorLossEven),
            result("AtenCondodd", label::conductorLossOdd),
            result("AtenDiel", label::dielectricLossEven),
            result("Atendielodd", label::dielectricLossOdd),
            result("Atentotal", "Atenuação total modo par  (dB/cm):"),
            result("Atentotalodd", "Atenuação total modo ímpar (dB/cm): "),
        };
        w.keyFields = {"frequencia"};
        w.closesGallery = true;
        w.mainToFront = true;
        w.calcEnabledAtStart = true;
        w.calcShortcut = false;
        w.project = {"apa", "AcMSMpAn1.apa", fieldsOf(w.inputs, {2, 2, 0, 5, 2, 2, 2, 2}), true};
        // The report spells three captions without the window's stray blanks.
        w.report = {w.caption, 1100,
                    reportOf(w, {{"ComboBox2", label::permittivity},
                                 {"Atentotal", label::totalLossEven},
                                 {"Atentotalodd", label::totalLossOdd}})};
        binding.into(w, analysis);
        return w;
    }();
    return d;
}

} // namespace tarvel::cmstrip
