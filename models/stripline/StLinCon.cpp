// TForm7: analysis of the stripline on a conducting substrate.
#include "stripline.h"
#include "window_rows.h"

namespace tarvel::stripline {

const WindowDescription& stLinConWindow()
{
    using namespace describe;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 7;
        w.className = "TForm7";
        w.unit = "StLinCon";
        w.caption = "Análise de Linha de Transmissão StripLine";
        w.menuPath = {"Análise", "StripLine", "Substrato Condutor"};
        w.resultGroups = {"Resultados:", "Fator de qualidade:"};
        w.inputs = {
            rows::frequency(),
            rows::conductingSubstrates(7, "Constante dielétrica relativa inválida!!"),
            rows::conductor(7, "Condutividade do condutor inválida!!"),
            rows::dielectricConductivity(),
            edit("Largura", "Largura da fita condutora (mm):", "Largura da fita condutora inválida!!"),
            rows::height(),
            rows::thickness(7, "Espessura da fita condutora Inválida!!"),
        };
        rows::SingleLabels labels;
        labels.endEffect = "Encurtamento de fim linha (mm):";
        w.results = rows::joined({result("Impcarac", "Impedância característica (Ohms):")},
                                  rows::singleResults(labels));
        w.keyFields = {"Frequencia"};
        w.closesGallery = true;
        w.mainToFront = true;
        w.galleryTab = 3;
        w.project = {"stn", "StLinCon1.stn",
                     {{"Frequencia", 3}, {"ComboBox2", 5}, {"ComboBox1", 3}, {"Condsubs", 5}, {"Largura", 3},
                      {"ComboBox4", 3}, {"ComboBox3", 3}},
                     false};
        w.report = {"Análise de Linha de Transmissão StripLine para Substrato Condutor", 1000,
                    rows::joined({heading("Entrada de Dados:"),
                                   line("Freqüência (GHz):", "Frequencia"),
                                   line("Constante dielétrica relativa:", "ComboBox2"),
                                   line("Condutividade do condutor (S/m):", "ComboBox1"),
                                   line("Condutividade do dielétrico (S/m):", "Condsubs"),
                                   line("Largura da fita condutora (mm):", "Largura"),
                                   line("Altura do dielétrico (mm):", "ComboBox4"),
                                   line("Espessura da fita condutora (mm):", "ComboBox3"),
                                   heading("Saída de Dados:"),
                                   line("Impedância característica (Ohms):", "Impcarac")},
                                  rows::singleReportTail())};
        w.model = analysisConducting;
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
