// TForm22: synthesis of the stripline on a conducting substrate.
#include "stripline.h"
#include "window_rows.h"

namespace tarvel::stripline {

const WindowDescription& stLSinCdWindow()
{
    using namespace describe;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 22;
        w.className = "TForm22";
        w.unit = "StLSinCd";
        w.caption = "Síntese de Linha de Transmissão StripLine";
        w.menuPath = {"Síntese", "StripLine", "Substrato Condutor"};
        w.resultGroups = {"Resultados:", "Fator de qualidade:"};
        w.inputs = {
            edit("Impcarac", "Impedância característica (Ohms):", "Impedância característica inválida!!"),
            rows::frequency(),
            rows::conductingSubstrates(22, "Constante dielétrica relativa inválida!!"),
            rows::conductor(22, "Condutividade do condutor inválida!!"),
            rows::dielectricConductivity(),
            rows::height(),
            rows::thickness(22, "Espessura da Fita Condutora Inválida!!"),
        };
        rows::SingleLabels labels;
        labels.qcond = "Correspondente as perdas no condutor: ";
        w.results = rows::joined({result("Largura", "Largura da fita condutora (mm):")},
                                  rows::singleResults(labels));
        w.keyFields = {"Impcarac"};
        w.calcEnabledAtStart = false;
        w.closesGallery = true;
        w.galleryTab = 3;
        w.project = {"sst", "StLSinCd1.sst",
                     {{"Impcarac", 3}, {"Frequencia", 5}, {"ComboBox2", 3}, {"ComboBox1", 5}, {"Condsubs", 3},
                      {"ComboBox4", 3}, {"ComboBox3", 3}},
                     false};
        w.report = {"Síntese de Linha de Transmissão StripLine para Substrato Condutor", 1000,
                    rows::joined({heading("Entrada de Dados:"),
                                   line("Impedância característica (Ohms):", "Impcarac"),
                                   line("Freqüência (GHz):", "Frequencia"),
                                   line("Constante dielétrica relativa:", "ComboBox2"),
                                   line("Condutividade do condutor (S/m):", "ComboBox1"),
                                   line("Condutividade do dielétrico (S/m):", "Condsubs"),
                                   line("Altura do dielétrico (mm):", "ComboBox4"),
                                   line("Espessura da fita condutora (mm):", "ComboBox3"),
                                   heading("Saída de Dados:"),
                                   line("Largura da fita condutora (mm):", "Largura")},
                                  rows::singleReportTail())};
        w.model = synthesisConducting;
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
