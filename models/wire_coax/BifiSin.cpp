// TForm16: synthesis of the two-wire line.
#include "two_wire.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::wire {

const WindowDescription& bifiSinWindow()
{
    using namespace describe;
    namespace rows = wire_coax::rows;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 16;
        w.className = "TForm16";
        w.unit = "BifiSin";
        w.caption = "Síntese de Linha de Transmissão Bifilar";
        w.menu = {&menu::synthesis, "&Bifilar", "Bifilar1"};
        w.inputs = joined<InputSpec>(
            {{edit("impedan", "Impedância característica (Ohms):", "Impedância Característica Inválida!!")},
             rows::twoWireMaterials(16),
             {edit("Atentot", "Atenuação total (dB/m):", "Atenuação Total Inválida!!")}});
        w.results = joined<ResultSpec>({{result("Espaco", "Espaçamento entre os condutores (mm):"),
                                         result("diametro", "Diâmetro dos condutores (mm):")},
                                        rows::perLengthResults(rows::twoWireNames),
                                        rows::attenuationResults(false)});
        w.keyFields = {"impedan"};
        w.calcEnabledAtStart = false;
        w.galleryTab = 0;
        w.project = {"bfs", "BifiSin1.bfs",
                     {{"impedan", 3}, {"Frequencia", 5}, {"ComboBox2", 3}, {"ComboBox1", 5}, {"Tanperda", 3},
                      {"Atentot", 3}},
                     false};
        w.report = {"Síntese de Linha de Transmissão Bifilar", 1150,
                    joined<ReportLine>({{heading("Entrada de Dados:"),
                                         line("Impedância característica (Ohms):", "impedan")},
                                        rows::materialLines("Tanperda", false),
                                        {line("Atenuação total (dB/m):", "Atentot"),
                                         heading("Saída de Dados:"),
                                         line("Espaçamento entre os condutores (mm):", "Espaco"),
                                         line("Diâmetro dos condutores (mm):", "diametro")},
                                        rows::perLengthLines(rows::twoWireNames),
                                        rows::attenuationLines(false)})};
        w.model = synthesis;
        return w;
    }();
    return d;
}

} // namespace tarvel::wire
