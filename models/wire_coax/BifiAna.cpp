// TForm2: analysis of the two-wire line.
#include "two_wire.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::wire {

const WindowDescription& bifiAnaWindow()
{
    using namespace describe;
    namespace rows = wire_coax::rows;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 2;
        w.className = "TForm2";
        w.unit = "BifiAna";
        w.caption = "Análise de Linha de Transmissão Bifilar";
        w.menu = {&menu::analysis, "&Bifilar", "bifilar"};
        InputSpec spacing = edit("Espacamento", "Espaçamento centro-a-centro",
                                 "Espaçamento Centro-a-Centro Inválido!!");
        spacing.labels.push_back("entre os condutores (mm):");
        w.inputs = joined<InputSpec>(
            {rows::twoWireMaterials(2),
             {spacing, edit("diametro", "Diâmetro do condutor (mm):", "Diâmetro do Condutor Inválido!!")}});
        w.results = joined<ResultSpec>({{result("impedancia", "Impedância característica (Ohms):")},
                                        rows::perLengthResults(rows::twoWireNames),
                                        rows::attenuationResults(true)});
        w.keyFields = {"Frequencia"};
        w.calcEnabledAtStart = false;
        w.galleryTab = 0;
        w.project = {"bfl", "BifiAna1.bfl",
                     {{"Frequencia", 2}, {"ComboBox2", 2}, {"ComboBox1", 0}, {"Tanperda", 5},
                      {"Espacamento", 2}, {"diametro", 2}},
                     true};
        w.report = {"Análise de Linha de Transmissão Bifilar", 1150,
                    joined<ReportLine>({{heading("Entrada de Dados:")},
                                        rows::materialLines("Tanperda", false),
                                        {line("Espaçamento centro-a-centro entre os condutores (mm):", "Espacamento"),
                                         line("Diâmetro do condutor (mm):", "diametro"),
                                         heading("Saída de Dados:"),
                                         line("Impedância característica (Ohms):", "impedancia")},
                                        rows::perLengthLines(rows::twoWireNames),
                                        rows::attenuationLines(true)})};
        w.model = analysis;
        return w;
    }();
    return d;
}

} // namespace tarvel::wire
