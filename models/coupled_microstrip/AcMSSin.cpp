// TForm29: synthesis of the coupled microstrip pair.
#include "coupled_microstrip.h"
#include "framework/core/describe.h"
#include "models/main_menu.h"

namespace tarvel::cmstrip {

const WindowDescription& acMSSinWindow()
{
    using namespace describe;
    namespace cat = catalogue;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 29;
        w.className = "TForm29";
        w.unit = "AcMSSin";
        w.caption = "Síntese de Linha de Transmissão Acoplada Microstrip";
        w.menu = {&menu::synthesisCoupled, "Microstrip", "Microfita4"};
        w.inputs = joined<InputSpec>(
            {modeImpedanceInputs(),
             {edit("Frequencia", "Freqüência (GHz):", "Freqüência inválida!!"),
              combo("ComboBox2", "Constante dielétrica relativa:", cat::dielectricsB(29),
                    "Constante dielétrica relativa inválida!!", {{"Tanperda", cat::lossTangentsB()}}),
              combo("ComboBox1", "Condutividade do condutor (S/m):", cat::conductors(29),
                    "Condutividade do condutor inválida!!"),
              edit("Tanperda", "Tangente de perda do dielétrico:", "Tangente de perda do dielétrico inválida!!"),
              combo("ComboBox4", "Altura do dielétrico (mm):", cat::heights(), "Altura do dielétrico inválida!!"),
              combo("ComboBox3", "Espessura da fita condutora (mm):", cat::thicknesses(29),
                    "Espessura da fita condutora inválida!!")}});
        w.results = {
            result("LargReal", "Largura real das fitas condutoras (mm):"),
            result("SepReal", "Separação real entre as fitas (mm):"),
            result("EfetivoPar", "Constante dielétrica relativa efetiva modo par:"),
            result("Efetivoimpar", "Constante dielétrica relativa efetiva modo ímpar:"),
            result("AtconMp", "Atenuação no condutor modo par (dB/cm):"),
            result("AtdielMp", "Atenuação no dielétrico modo par (dB/cm):"),
            result("AtentotalMp", "Atenuação total modo par (dB/cm):"),
            result("AtconMi", "Atenuação no condutor modo ímpar (dB/cm):"),
            result("AtdielMi", "Atenuação no dielétrico modo ímpar (dB/cm):"),
            result("AtentotalMi", "Atenuação total modo ímpar (dB/cm):"),
        };
        w.keyFields = {"ImpModoPar"};
        w.closesGallery = true;
        w.mainToFront = false;
        w.calcEnabledAtStart = false;
        w.calcShortcut = true;
        w.galleryTab = 7;
        w.project = {"ams", "AcMSSin1.ams",
                     {{"ImpModoPar", 3}, {"ImpModoimpar", 5}, {"Frequencia", 3}, {"ComboBox2", 5},
                      {"ComboBox1", 3}, {"Tanperda", 3}, {"ComboBox4", 3}, {"ComboBox3", 3}},
                     false};
        w.report = {"Síntese de Linha de Transmissão Acoplada MicroStrip", 1100,
                    joined<ReportLine>({{heading("Entrada de Dados:"),
                                         line("Impedância característica modo par (Ohms):", "ImpModoPar"),
                                         line("Impedância característica modo ímpar (Ohms):", "ImpModoimpar"),
                                         line("Freqüência (GHz):", "Frequencia"),
                                         line("Constante dielétrica relativa:", "ComboBox2"),
                                         line("Condutividade do condutor (S/m):", "ComboBox1"),
                                         line("Tangente de perda do dielétrico:", "Tanperda"),
                                         line("Altura do dielétrico (mm):", "ComboBox4"),
                                         line("Espessura da fita condutora (mm):", "ComboBox3"),
                                         heading("Saída de Dados:"),
                                         line("Largura real das fitas condutoras (mm):", "LargReal"),
                                         line("Separação real entre as fitas (mm):", "SepReal"),
                                         line("Constante dielétrica relativa efetiva modo par:", "EfetivoPar"),
                                         line("Constante dielétrica relativa efetiva modo ímpar:", "Efetivoimpar")},
                                        modeLossLines(synthesisLosses)})};
        w.model = synthesis;
        return w;
    }();
    return d;
}

} // namespace tarvel::cmstrip
