// TForm17: synthesis of a microstrip line on a substrate with a loss tangent.
#include "microstrip.h"
#include "window_parts.h"
#include "models/main_menu.h"

namespace tarvel::microstrip {

const WindowDescription& micstSinWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 17;
        w.className = "TForm17";
        w.unit = "MicstSin";
        w.caption = "Síntese de Linha de Transmissão Microstrip";
        w.menu = {&menu::synthesisMicrostrip, menu::nonConducting, "SubstratoNoCondutor5"};
        parts::Fields f;
        f.impedance = "Impedancia";
        // On screen the target impedance comes first, the frequency second.
        w.inputs = describe::joined<InputSpec>(
            {{describe::edit(f.impedance, "Impedância característica (Ohms):", "Impedância característica Inválida!!")},
             parts::listInputs(17, f, "Espessura da Fita Condutora Inválida!!")});
        const parts::ResultTexts texts = parts::widthFirst();
        w.resultGroups = parts::resultGroups(texts);
        w.results = parts::results(texts);
        // A second key handler on `frequencia` enables only a few menu
        // commands; the window class adds it.
        w.keyFields = {"Impedancia"};
        w.calcEnabledAtStart = false;
        w.galleryTab = 2;
        // The file keeps the frequency before the impedance.
        w.project = {"mcs", "MicstSin1.mcs",
                     {{"frequencia", 5}, {"Impedancia", 3}, {"ComboBox2", 3}, {"ComboBox1", 5}, {"Tanperda", 3},
                      {"ComboBox4", 3}, {"ComboBox3", 3}},
                     false};
        w.report = {"Síntese de Linha de Transmissão Microstrip para Substrato não Condutor", 1000,
                    parts::report(f, texts)};
        w.model = synthesisModel;
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
