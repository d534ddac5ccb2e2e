// TForm6: analysis of a microstrip line on a conducting substrate.
#include "microstrip.h"
#include "window_parts.h"

namespace tarvel::microstrip {

const WindowDescription& miFMtConWindow()
{
    using namespace describe;
    namespace cat = catalogue;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 6;
        w.className = "TForm6";
        w.unit = "MiFMtCon";
        w.caption = "Análise de Linha de Transmissão Microstrip";
        w.menuPath = {"Análise", "Microstrip", "Substrato Condutor"};
        w.inputs = {
            edit("frequencia", "Freqüência (GHz):", "Freqüência Inválida!!"),
            combo("ComboBox2", "Constante dielétrica relativa: ", cat::dielectricsC(6),
                  "Constante dielétrica relativa inválida!!", {{"CondMat", cat::conductivitiesC()}}),
            combo("ComboBox1", "Condutividade do condutor (S/m):", cat::conductors(6),
                  "Condutividade do condutor inválida!!"),
            edit("CondMat", "Condutividade do dielétrico (S/m):", "Condutividade do dielétrico inválida!!"),
            edit("largura", "Largura da fita condutora (mm):", "Largura da fita condutora inválida!!"),
            combo("ComboBox4", "Altura do dielétrico (mm):", cat::heights(), "Altura do dielétrico inválida!!"),
            combo("ComboBox3", "Espessura da fita condutora (mm):", cat::thicknesses(6),
                  "Espessura da Fita Condutora Inválida!!"),
        };
        parts::ResultTexts texts;
        texts.firstControl = "impcarac";
        texts.firstLabel = "Impedância característica (Ohms):";
        texts.total = "Atenuação total  (dB/cm):";
        texts.dispersive = "Constante dielétrica dispersiva efetiva:";
        texts.qd = "No Dielétrico (Qd):";
        w.resultGroups = parts::resultGroups(texts);
        w.results = parts::results(texts);
        w.keyFields = {"frequencia"};
        w.closesGallery = true;
        w.mainToFront = true;
        w.calcEnabledAtStart = true;
        w.galleryTab = 2;
        w.project = {"mmc", "MiFMtCon1.mmc",
                     {{"frequencia", 3}, {"ComboBox2", 5}, {"ComboBox1", 3}, {"CondMat", 5}, {"largura", 3},
                      {"ComboBox4", 3}, {"ComboBox3", 3}},
                     false};
        w.report = {"Análise de Linha de Transmissão Microstrip para Substrato Condutor", 1000,
                    parts::concat({heading("Entrada de Dados:"),
                                   line("Freqüência (GHz):", "frequencia"),
                                   line("Constante dielétrica relativa:", "ComboBox2"),
                                   line("Condutividade do condutor (S/m):", "ComboBox1"),
                                   line("Condutividade do dielétrico (S/m):", "CondMat"),
                                   line("Largura da fita condutora (mm):", "largura"),
                                   line("Altura do dielétrico (mm):", "ComboBox4"),
                                   line("Espessura da fita condutora (mm):", "ComboBox3")},
                                  parts::reportResults("impcarac", "Impedância característica (Ohms):",
                                                       "Fator de qualidade das perdas:", "No Dielétrico (Qd):"))};
        w.model = analysisConductingModel;
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
