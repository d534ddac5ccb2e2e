// TForm17: synthesis of a microstrip line on a substrate with a loss tangent.
#include "microstrip.h"
#include "window_parts.h"

namespace tarvel::microstrip {

const WindowDescription& micstSinWindow()
{
    using namespace describe;
    namespace cat = catalogue;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 17;
        w.className = "TForm17";
        w.unit = "MicstSin";
        w.caption = "Síntese de Linha de Transmissão Microstrip";
        w.menuPath = {"Síntese", "Microstrip", "Substrato Não Condutor"};
        // On screen the target impedance comes first, the frequency second.
        w.inputs = {
            edit("Impedancia", "Impedância característica (Ohms):", "Impedância característica Inválida!!"),
            edit("frequencia", "Freqüência (GHz):", "Freqüência Inválida!!"),
            combo("ComboBox2", "Constante dielétrica relativa: ", cat::dielectricsB(17),
                  "Constante dielétrica relativa inválida!!", {{"Tanperda", cat::lossTangentsB()}}),
            combo("ComboBox1", "Condutividade do condutor (S/m):", cat::conductors(17),
                  "Condutividade do condutor inválida!!"),
            edit("Tanperda", "Tangente de perda do dielétrico:", "Tangente de perda do dielétrico inválida!!"),
            combo("ComboBox4", "Altura do dielétrico (mm):", cat::heights(), "Altura do dielétrico inválida!!"),
            combo("ComboBox3", "Espessura da fita condutora (mm):", cat::thicknesses(17),
                  "Espessura da Fita Condutora Inválida!!"),
        };
        parts::ResultTexts texts;
        texts.firstControl = "Largura";
        texts.firstLabel = "Largura da fita condutora (mm):";
        w.resultGroups = parts::resultGroups(texts);
        w.results = parts::results(texts);
        // A second key handler on `frequencia` enables only a few menu
        // commands; the window class adds it.
        w.keyFields = {"Impedancia"};
        w.calcEnabledAtStart = false;
        w.galleryTab = 2;
        w.project = {"mcs", "MicstSin1.mcs",
                     {{"frequencia", 5}, {"Impedancia", 3}, {"ComboBox2", 3}, {"ComboBox1", 5}, {"Tanperda", 3},
                      {"ComboBox4", 3}, {"ComboBox3", 3}},
                     false};
        w.report = {"Síntese de Linha de Transmissão Microstrip para Substrato não Condutor", 1000,
                    parts::concat({heading("Entrada de Dados:"),
                                   line("Impedância característica (Ohms):", "Impedancia"),
                                   line("Freqüência (GHz):", "frequencia"),
                                   line("Constante dielétrica relativa:", "ComboBox2"),
                                   line("Condutividade do condutor (S/m):", "ComboBox1"),
                                   line("Tangente de perda do dielétrico:", "Tanperda"),
                                   line("Altura do dielétrico (mm):", "ComboBox4"),
                                   line("Espessura da fita condutora (mm):", "ComboBox3")},
                                  parts::reportResults("Largura", "Largura da fita Condutora (mm):",
                                                       "Fator de qualidade das perdas:", "No dielétrico (Qd):"))};
        w.model = synthesisModel;
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
