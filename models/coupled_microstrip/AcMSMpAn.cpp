// TForm26: analysis of the coupled microstrip pair.
#include "coupled_microstrip.h"
#include "framework/core/describe.h"
#include "models/main_menu.h"

namespace tarvel::cmstrip {

const WindowDescription& acMSMpAnWindow()
{
    using namespace describe;
    namespace cat = catalogue;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 26;
        w.className = "TForm26";
        w.unit = "AcMSMpAn";
        w.caption = "Análise de Linha de Transmissão Acoplada MicroStrip";
        w.menu = {&menu::analysisCoupled, "Microstrip", "Microfita3"};
        w.inputs = {
            edit("frequencia", "Freqüência (GHz):", "Freqüência inválida!!"),
            combo("ComboBox2", "Constante dielétrica relativa: ", cat::dielectricsB(26),
                  "Constante dielétrica relativa inválida!!", {{"Tanperda", cat::lossTangentsB()}}),
            combo("ComboBox1", "Condutividade do condutor (S/m):", cat::conductors(26),
                  "Condutividade do condutor inválida!!"),
            edit("Tanperda", "Tangente de perda do dielétrico:", "Tangente de perda do substrato inválida!!"),
            edit("largura", "Largura da fita condutora (mm):", "Largura da fita condutora inválida!!"),
            edit("Separacao", "Separação entre as fitas condutoras (mm):",
                 "Separação inválida entre as fitas condutoras!!"),
            combo("ComboBox4", "Altura do dielétrico (mm):", cat::heights(),
                  "Altura do substrato dielétrico inválida!!"),
            combo("ComboBox3", "Espessura da fita condutora (mm):", cat::thicknesses(26),
                  "Espessura da fita condutora inválida!!"),
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
        w.project = {"apa", "AcMSMpAn1.apa",
                     {{"frequencia", 2}, {"ComboBox2", 2}, {"ComboBox1", 0}, {"Tanperda", 5}, {"largura", 2},
                      {"Separacao", 2}, {"ComboBox4", 2}, {"ComboBox3", 2}},
                     true};
        const ModeLosses losses = {"AtenCond",    "AtenCondodd", "AtenDiel",
                                   "Atendielodd", "Atentotal",   "Atentotalodd"};
        w.report = {"Análise de Linha de Transmissão Acoplada MicroStrip", 1100,
                    joined<ReportLine>({{heading("Entrada de Dados:"),
                                         line("Freqüência (GHz):", "frequencia"),
                                         line("Constante dielétrica relativa:", "ComboBox2"),
                                         line("Condutividade do condutor (S/m):", "ComboBox1"),
                                         line("Tangente de perda do dielétrico:", "Tanperda"),
                                         line("Largura da fita condutora (mm):", "largura"),
                                         line("Separação entre as fitas condutoras (mm):", "Separacao"),
                                         line("Altura do dielétrico (mm):", "ComboBox4"),
                                         line("Espessura da fita condutora (mm):", "ComboBox3"),
                                         heading("Saída de Dados:"),
                                         line("Impedância característica modo par (Ohms):", "impcarac"),
                                         line("Impedância característica modo ímpar (Ohms):", "Impcaracodd"),
                                         line("Constante dielétrica relativa efetiva modo par:", "efetiva"),
                                         line("Constante dielétrica relativa efetiva modo ímpar:", "efetivaodd")},
                                        modeLossLines(losses)})};
        w.model = analysis;
        return w;
    }();
    return d;
}

} // namespace tarvel::cmstrip
