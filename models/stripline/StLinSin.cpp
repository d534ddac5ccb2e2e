// TForm19: synthesis of the stripline on a dielectric with a loss tangent.
#include "stripline.h"
#include "window_rows.h"

namespace tarvel::stripline {

const WindowDescription& stLinSinWindow()
{
    using namespace describe;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 19;
        w.className = "TForm19";
        w.unit = "StLinSin";
        w.caption = "Síntese de Linha de Transmissão StripLine";
        w.menuPath = {"Síntese", "StripLine", "Substrato Não Condutor"};
        w.resultGroups = {"Resultados:", "Fator de qualidade:"};
        w.inputs = {
            edit("Impcarac", "Impedância característica (Ohms):", "Impedância característica inválida!!"),
            rows::frequency(),
            rows::laminates(19, "Constante dielétrica relativa inválida!!"),
            rows::conductor(19, "Condutividade do condutor inválida!!"),
            rows::lossTangent(),
            rows::height(),
            rows::thickness(19, "Espessura da fita condutora Inválida!!"),
        };
        w.results = rows::joined({result("Largura", "Largura da fita condutora (mm):")},
                                  rows::singleResults({}));
        w.keyFields = {"Impcarac"};
        w.calcEnabledAtStart = false;
        w.galleryTab = 3;
        // The slotline analysis window uses the same extension.
        w.project = {"slt", "StLinSin1.slt",
                     {{"Impcarac", 3}, {"Frequencia", 5}, {"ComboBox2", 3}, {"ComboBox1", 5}, {"Tanperda", 3},
                      {"ComboBox4", 3}, {"ComboBox3", 3}},
                     false};
        w.report = {"Síntese de Linha de Transmissão StripLine para Substrato não Condutor", 1000,
                    rows::joined({heading("Entrada de Dados:"),
                                   line("Impedância característica (Ohms):", "Impcarac"),
                                   line("Freqüência (GHz):", "Frequencia"),
                                   line("Constante dielétrica relativa:", "ComboBox2"),
                                   line("Condutividade do condutor (S/m):", "ComboBox1"),
                                   line("Tangente de perda do dielétrico:", "Tanperda"),
                                   line("Altura do dielétrico (mm):", "ComboBox4"),
                                   line("Espessura da fita condutora (mm):", "ComboBox3"),
                                   heading("Saída de Dados:"),
                                   line("Largura da fita condutora (mm):", "Largura")},
                                  rows::singleReportTail())};
        w.model = synthesisLossTangent;
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
