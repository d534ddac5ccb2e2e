// TForm20: analysis of the edge-coupled stripline pair.
#include "stripline.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::stripline {

const WindowDescription& acSLMpAnWindow()
{
    using namespace describe;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 20;
        w.className = "TForm20";
        w.unit = "AcSLMpAn";
        w.caption = "Análise de Linha de Transmissão Acoplada StripLine";
        w.menu = {&menu::analysisCoupled, "StripLine", "StripLine4"};
        w.inputs = {
            rows::frequency(),
            rows::laminates(20, "Constante dielétrica relativa Inválida!!"),
            rows::conductor(20, "Condutividade do condutor inválida!!"),
            rows::lossTangent(),
            edit("Largura", "Largura das fitas condutoras (mm):", "Largura das fitas condutoras inválidas!!"),
            edit("Separ", "Separação entre as fitas condutoras (mm):", "Separação entre as fitas condutoras inválida!!"),
            rows::height(),
            rows::thickness(20, "Espessura da fita condutora inválida!!"),
        };
        const ModeLosses losses = {"AtenCond",    "AtenCondodd", "Atendiel",
                                   "AtenDielodd", "AtenTotal",   "AtenTotalodd"};
        w.results = joined<ResultSpec>({{result("Impcarac", "Impedância característica modo par (Ohms):"),
                                         result("impcararcodd", "Impedância característica modo ímpar (Ohms):"),
                                         result("Compguiado", "Comprimento de onda guiado na Stripline (cm): ")},
                                        rows::modeLossResults(losses)});
        w.keyFields = {"Frequencia"};
        w.calcShortcut = false;
        w.closesGallery = true;
        w.galleryTab = 8;
        w.project = {"asa", "AcSLMpAn1.asa",
                     {{"Frequencia", 2}, {"ComboBox2", 2}, {"ComboBox1", 0}, {"Tanperda", 5}, {"Largura", 1},
                      {"Separ", 1}, {"ComboBox4", 2}, {"ComboBox3", 2}},
                     true};
        w.report = {"Análise de Linha de Transmissão Acoplada StripLine", 1100,
                    joined<ReportLine>({{heading("Entrada de Dados:")},
                                        rows::materialLines(false),
                                        {line("Largura das fitas condutoras (mm):", "Largura"),
                                         line("Separação entre as fitas condutoras (mm):", "Separ")},
                                        rows::stackLines(),
                                        {heading("Saída de Dados:"),
                                         line("Impedância característica modo par(Ohms):", "Impcarac"),
                                         line("Impedância característica modo ímpar(Ohms):", "impcararcodd"),
                                         line("Comprimento de onda guiado na Stripline (cm):", "Compguiado")},
                                        modeLossLines(losses)})};
        w.model = coupledAnalysis;
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
