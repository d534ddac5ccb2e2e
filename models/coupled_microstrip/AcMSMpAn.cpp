// TForm26: analysis of the coupled microstrip pair.
#include "coupled_microstrip.h"
#include "framework/core/describe.h"
#include "models/main_menu.h"

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
            edit("frequencia", "Freqüência (GHz):"),
            combo("ComboBox2", "Constante dielétrica relativa: ", cat::dielectricRowsB(), {"Tanperda"}),
            // This window lists aluminium with a wider gap.
            combo("ComboBox1", "Condutividade do condutor (S/m):",
                  cat::conductorRows().respelled({{1, "39600000 - Al  : Alumínio"}})),
            edit("Tanperda", "Tangente de perda do dielétrico:"),
            edit("largura", "Largura da fita condutora (mm):"),
            edit("Separacao", "Separação entre as fitas condutoras (mm):"),
            combo("ComboBox4", "Altura do dielétrico (mm):", cat::heightRows()),
            combo("ComboBox3", "Espessura da fita condutora (mm):", cat::thicknessRows()),
        };
        w.results = {
            result("impcarac", "Impedância característica modo par (Ohms):"),
            result("Impcaracodd", "Impedância característica modo ímpar (Ohms):"),
            result("efetiva", "Constante dielétrica relativa efetiva modo par:"),
            result("efetivaodd", "Constante dielétrica relativa efetiva modo ímpar:"),
            result("AtenCond", "Atenuação no condutor modo par (dB/cm):"),
            result("AtenCondodd", "Atenuação no condutor modo ímpar (dB/cm):"),
            result("AtenDiel", "Atenuação no dielétrico modo par (dB/cm):"),
            result("Atendielodd", "Atenuação no dielétrico modo ímpar (dB/cm):"),
            result("Atentotal", "Atenuação total modo par  (dB/cm):"),
            result("Atentotalodd", "Atenuação total modo ímpar (dB/cm): "),
        };
        w.keyFields = {"frequencia"};
        w.closesGallery = true;
        w.mainToFront = true;
        w.calcEnabledAtStart = true;
        w.calcShortcut = false;
        w.galleryTab = 7;
        w.project = {"apa", "AcMSMpAn1.apa", fieldsOf(w.inputs, {2, 2, 0, 5, 2, 2, 2, 2}), true};
        // The report spells three captions without the window's stray blanks.
        w.report = {w.caption, 1100,
                    reportOf(w, {{"ComboBox2", "Constante dielétrica relativa:"},
                                 {"Atentotal", "Atenuação total modo par (dB/cm):"},
                                 {"Atentotalodd", "Atenuação total modo ímpar (dB/cm):"}})};
        binding.messagesInto(w.inputs);
        w.model = analysis;
        return w;
    }();
    return d;
}

} // namespace tarvel::cmstrip
