// TForm4: analysis of a microstrip line on a substrate with a loss tangent.
#include "microstrip.h"
#include "window_parts.h"

namespace tarvel::microstrip {

const WindowDescription& micFtAnaWindow()
{
    using namespace describe;
    namespace cat = catalogue;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 4;
        w.className = "TForm4";
        w.unit = "MicFtAna";
        w.caption = "Análise de Linha de Transmissão Microstrip";
        w.menuPath = {"Análise", "Microstrip", "Substrato Não Condutor"};
        w.inputs = {
            edit("frequencia", "Freqüência (GHz):", "Freqüência Inválida!!"),
            combo("Combobox2", "Constante dielétrica relativa: ", cat::dielectricsB(4),
                  "Constante dielétrica relativa inválida!!", {{"Tanperda", cat::lossTangentsB()}}),
            combo("Combobox1", "Condutividade do condutor (S/m):", cat::conductors(4),
                  "Condutividade do condutor inválida!!"),
            edit("Tanperda", "Tangente de perda do dielétrico:", "Tangente de perda do dielétrico inválida!!"),
            edit("largura", "Largura da fita condutora (mm):", "Largura da fita condutora inválida!!"),
            combo("ComboBox4", "Altura do dielétrico (mm):", cat::heights(), "Altura do dielétrico inválida!!"),
            combo("ComboBox3", "Espessura da fita condutora (mm):", cat::thicknesses(4),
                  "Espessura da fita condutora inválida!!"),
        };
        parts::ResultTexts texts;
        texts.firstControl = "impcarac";
        texts.firstLabel = "Impedância característica (Ohms):";
        texts.qualityGroup = "Fator de qualidade para perdas:";
        w.resultGroups = parts::resultGroups(texts);
        w.results = parts::results(texts);
        w.keyFields = {"frequencia"};
        w.closesGallery = true;
        w.mainToFront = true;
        w.calcEnabledAtStart = true;
        w.galleryTab = 2;
        w.project = {"stp", "MicFtAna1.stp",
                     {{"frequencia", 3}, {"Combobox2", 5}, {"Combobox1", 3}, {"Tanperda", 5}, {"largura", 3},
                      {"ComboBox4", 3}, {"ComboBox3", 3}},
                     false};
        w.report = {"Análise de Linha de Transmissão Microstrip para Substrato não Condutor", 1000,
                    parts::concat({heading("Entrada de Dados:"),
                                   line("Freqüência (GHz):", "frequencia"),
                                   line("Constante dielétrica relativa:", "Combobox2"),
                                   line("Condutividade do condutor (S/m):", "Combobox1"),
                                   line("Tangente de perda do dielétrico:", "Tanperda"),
                                   line("Largura da fita condutora (mm):", "largura"),
                                   line("Altura do dielétrico (mm):", "ComboBox4"),
                                   line("Espessura da fita condutora (mm):", "ComboBox3")},
                                  parts::reportResults("impcarac", "Impedância característica (Ohms):",
                                                       "Fator de qualidade para perdas:", "No dielétrico (Qd):"))};
        w.model = analysisModel;
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
