// TForm27: synthesis of the edge-coupled stripline pair.
#include "stripline.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::stripline {

const WindowDescription& acSLSinWindow()
{
    using namespace describe;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 27;
        w.className = "TForm27";
        w.unit = "AcSLSin";
        w.caption = "Síntese de Linha de Transmissão Acoplada StripLine ";
        w.menu = {&menu::synthesisCoupled, "StripLine", "StripLine2"};
        w.inputs = joined<InputSpec>({modeImpedanceInputs(),
                                      {rows::frequency("Freqüência Inválida!!"),
                                       rows::laminates(27, "Constante Dielétrica Relativa Inválida!!"),
                                       rows::conductor(27, "Condutividade do Condutor Inválida!!"),
                                       rows::lossTangent("Tangente de perda do Substrato Inválida!!"),
                                       rows::height("Altura do Substrato inválida!!"),
                                       rows::thickness(27, "Espessura da fita condutora inválida!!")}});
        w.results = joined<ResultSpec>({{result("LargReal", "Largura real das fitas condutoras (mm):"),
                                         result("SepReal", "Separação real entre as fitas (mm):"),
                                         result("complambs", "Comprimento de onda guiado na Stripline (cm):")},
                                        rows::modeLossResults(synthesisLosses)});
        w.keyFields = {"ImpModoPar"};
        w.calcEnabledAtStart = false;
        w.closesGallery = true;
        w.galleryTab = 8;
        w.project = {"acs", "AcSLSin1.acs",
                     {{"ImpModoPar", 3}, {"ImpModoimpar", 5}, {"Frequencia", 3}, {"ComboBox2", 5}, {"ComboBox1", 3},
                      {"Tanperda", 3}, {"ComboBox4", 3}, {"ComboBox3", 3}},
                     false};
        w.report = {"Síntese de Linha de Transmissão Acoplada StripLine", 1100,
                    joined<ReportLine>({{heading("Entrada de Dados:"),
                                         line("Impedância característica modo par(Ohms):", "ImpModoPar"),
                                         line("Impedância característica modo ímpar(Ohms):", "ImpModoimpar")},
                                        rows::materialLines(false),
                                        rows::stackLines(),
                                        {heading("Saída de Dados:"),
                                         line("Largura real das fitas condutoras (mm):", "LargReal"),
                                         line("Separação real entre as fitas condutoras (mm):", "SepReal"),
                                         line("Comprimento de onda guiado na Stripline (cm):", "complambs")},
                                        modeLossLines(synthesisLosses)})};
        w.model = coupledSynthesis;
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
