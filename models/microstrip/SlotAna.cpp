// TForm8: analysis of a slotline.
#include "microstrip.h"
#include "framework/core/describe.h"
#include "models/main_menu.h"

namespace tarvel::microstrip {

const WindowDescription& slotAnaWindow()
{
    using namespace describe;
    namespace cat = catalogue;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 8;
        w.className = "TForm8";
        w.unit = "SlotAna";
        w.caption = "Análise de Linha de Transmissão SlotLine";
        w.menu = {&menu::analysis, "&SlotLine", "SlotLine1"};
        w.inputs = {
            edit("Frequencia", "Freqüência (GHz):", "Freqüência inválida!!"),
            // A pick leaves only the entry's number in the box.
            combo("ComboBox2", "Constante dielétrica relativa:", cat::dielectricsD(),
                  "Constante dielétrica relativa inválida, Recomenda-se 9.7<=Er<=20!!",
                  {{"ComboBox2", cat::numbersD()}}),
            combo("ComboBox1", "Altura do dielétrico (mm):", cat::heights(), "Altura do dielétrico inválida!!"),
            edit("Largura", "Largura da fenda (mm):", "Largura da fenda inválida!!"),
        };
        // The gap after "TE" holds a small subscript "10".
        w.results = {
            result("Impcarac", "Impedância característica (Ohms):"),
            result("Efetiva", "Constante dielétrica relativa efetiva:"),
            [] {
                ResultSpec r = result("CompCorte", "Valor de corte para o modo TE    na SlotLine:");
                r.lowered = "10";
                return r;
            }(),
            result("guiado", "Comprimento de onda guiado na SlotLine (cm):"),
        };
        w.keyFields = {"Frequencia"};
        w.closesGallery = true;
        w.mainToFront = true;
        w.calcEnabledAtStart = true;
        w.galleryTab = 4;
        w.project = {"slt", "SlotAna1.slt", {{"Frequencia", 3}, {"ComboBox2", 5}, {"ComboBox1", 3}, {"Largura", 5}},
                     false};
        w.report = {"Análise de Linha de Transmissão SlotLine", 1000,
                    {heading("Entrada de Dados:"),
                     line("Freqüência (GHz):", "Frequencia"),
                     line("Constante dielétrica relativa:", "ComboBox2"),
                     line("Altura do dielétrico (mm):", "ComboBox1"),
                     line("Largura da fenda (mm):", "Largura"),
                     heading("Saída de Dados:"),
                     line("Impedância característica (Ohms):", "Impcarac"),
                     line("Constante dielétrica relativa efetiva:", "Efetiva"),
                     line("Valor de corte para o modo TE10 na SlotLine:", "CompCorte"),
                     line("Comprimento de onda guiado na SlotLine (cm):", "guiado")}};
        w.model = slotlineModel;
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
