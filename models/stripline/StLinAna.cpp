// TForm5: analysis of the stripline on a dielectric with a loss tangent.
#include "stripline.h"
#include "window_rows.h"

namespace tarvel::stripline {

const WindowDescription& stLinAnaWindow()
{
    using namespace describe;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 5;
        w.className = "TForm5";
        w.unit = "StLinAna";
        w.caption = "Análise de Linha de Transmissão StripLine";
        w.menuPath = {"Análise", "StripLine", "Substrato Não Condutor"};
        w.resultGroups = {"Resultados:", "Fator de qualidade:"};
        w.inputs = {
            rows::frequency(),
            rows::laminates(5, "Constante dielétrica relativa inválida!!"),
            rows::conductor(5, "Condutividade inválida!!"),
            rows::lossTangent(),
            edit("Largura", "Largura da fita condutora (mm):", "Largura da fita condutora inválida!!"),
            rows::height(),
            rows::thickness(5, "Espessura da fita condutora Inválida!!"),
        };
        rows::SingleLabels labels;
        labels.total = "Atenuação Total (dB/cm):";
        w.results = rows::joined({result("Impcarac", "Impedância característica (Ohms):")},
                                  rows::singleResults(labels));
        w.keyFields = {"Frequencia"};
        w.closesGallery = true;
        w.mainToFront = true;
        w.galleryTab = 3;
        w.project = {"stl", "StLinAna1.stl",
                     {{"Frequencia", 3}, {"ComboBox2", 5}, {"ComboBox1", 3}, {"Tanperda", 5}, {"Largura", 3},
                      {"ComboBox4", 3}, {"ComboBox3", 3}},
                     false};
        w.report = {"Análise de Linha de Transmissão StripLine para Substrato não Condutor", 1000,
                    rows::joined({heading("Entrada de Dados:"),
                                   line("Freqüência (GHz):", "Frequencia"),
                                   line("Constante dielétrica relativa:", "ComboBox2"),
                                   line("Condutividade do condutor (S/m):", "ComboBox1"),
                                   line("Tangente de perda do dielétrico:", "Tanperda"),
                                   line("Largura da fita condutora (mm):", "Largura"),
                                   line("Altura do dielétrico (mm):", "ComboBox4"),
                                   line("Espessura da fita condutora (mm):", "ComboBox3"),
                                   heading("Saída de Dados:"),
                                   line("Impedância característica (Ohms):", "Impcarac")},
                                  rows::singleReportTail())};
        w.model = analysisLossTangent;
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
