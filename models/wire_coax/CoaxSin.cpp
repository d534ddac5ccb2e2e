// TForm15: synthesis of the coaxial cable.
#include "coax.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::coax {

const WindowDescription& coaxSinWindow()
{
    using namespace describe;
    namespace rows = wire_coax::rows;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 15;
        w.className = "TForm15";
        w.unit = "CoaxSin";
        w.caption = "Síntese de Linha de Transmissão Coaxial";
        w.menu = {&menu::synthesis, "&Cabo Coaxial", "Coaxial1"};
        w.inputGroup = "Entrada de dados: ";
        w.inputs = joined<InputSpec>(
            {{edit("impedancia", "Impedância característica (Ohms):", "Impedância Característica!!")},
             rows::coaxMaterials(15, {"Constante dielétrica relativa inválida !!", "Rigidez Dielétrica Inválida!!",
                                      "Tangente de Perda do dielétrico inválido!!"}),
             {edit("Atentotal", "Atenuação total (dB/m):", "Atenuação total Inválida!!")}});
        w.results = joined<ResultSpec>({{result("Diaexter", "Diâmetro interno do condutor externo (mm):"),
                                         result("Diainter", "Diâmetro do condutor interno (mm):")},
                                        rows::coaxResults("Potência máxima de pico ( x10   Watts):", false)});
        w.keyFields = {"impedancia"};
        w.calcEnabledAtStart = false;
        w.galleryTab = 1;
        w.project = {"cxs", "CoaxSin1.cxs",
                     {{"impedancia", 3}, {"Frequencia", 5}, {"ComboBox2", 3}, {"ComboBox1", 5}, {"Rigidez", 3},
                      {"TanPerda", 3}, {"Atentotal", 3}},
                     false};
        w.report = {"Síntese de Linha de Transmissão Coaxial", 1100,
                    joined<ReportLine>({{heading("Entrada de Dados:"),
                                         line("Impedância característica (Ohms):", "impedancia")},
                                        rows::materialLines("TanPerda", true),
                                        {line("Atenuação total (dB/m):", "Atentotal"),
                                         heading("Saída de Dados:"),
                                         line("Diâmetro interno do condutor externo (mm):", "Diaexter"),
                                         line("Diâmetro do condutor interno (mm):", "Diainter")},
                                        rows::coaxResultLines(false)})};
        w.model = synthesis;
        return w;
    }();
    return d;
}

} // namespace tarvel::coax
