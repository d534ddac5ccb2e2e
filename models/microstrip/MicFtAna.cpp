// TForm4: analysis of a microstrip line on a substrate with a loss tangent.
#include "microstrip.h"
#include "window_parts.h"
#include "models/main_menu.h"

namespace tarvel::microstrip {

const WindowDescription& micFtAnaWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 4;
        w.className = "TForm4";
        w.unit = "MicFtAna";
        w.caption = "Análise de Linha de Transmissão Microstrip";
        w.menu = {&menu::analysisMicrostrip, menu::nonConducting, "SubstratoNoCondutor1"};
        parts::Fields f;
        f.permittivity = "Combobox2";
        f.conductor = "Combobox1";
        f.width = "largura";
        w.inputs = parts::listInputs(4, f, "Espessura da fita condutora inválida!!");
        parts::ResultTexts texts = parts::impedanceFirst();
        texts.qualityGroup = "Fator de qualidade para perdas:";
        w.resultGroups = parts::resultGroups(texts);
        w.results = parts::results(texts);
        parts::analysisFlags(w);
        w.project = parts::analysisProject("stp", "MicFtAna1.stp", f);
        w.report = {"Análise de Linha de Transmissão Microstrip para Substrato não Condutor", 1000,
                    parts::report(f, texts)};
        w.model = analysisModel;
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
