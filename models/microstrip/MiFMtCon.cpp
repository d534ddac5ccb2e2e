// TForm6: analysis of a microstrip line on a conducting substrate.
#include "microstrip.h"
#include "window_parts.h"
#include "models/main_menu.h"

namespace tarvel::microstrip {

const WindowDescription& miFMtConWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 6;
        w.className = "TForm6";
        w.unit = "MiFMtCon";
        w.caption = "Análise de Linha de Transmissão Microstrip";
        w.menu = {&menu::analysisMicrostrip, menu::conducting, "SubstratoCondutor1"};
        parts::Fields f;
        f.loss = SubstrateLoss::Conductivity;
        f.lossField = "CondMat";
        f.width = "largura";
        w.inputs = parts::listInputs(6, f, "Espessura da Fita Condutora Inválida!!");
        parts::ResultTexts texts = parts::impedanceFirst();
        texts.total = "Atenuação total  (dB/cm):";
        texts.dispersive = "Constante dielétrica dispersiva efetiva:";
        texts.qd = "No Dielétrico (Qd):";
        w.resultGroups = parts::resultGroups(texts);
        w.results = parts::results(texts);
        parts::analysisFlags(w);
        w.project = parts::analysisProject("mmc", "MiFMtCon1.mmc", f);
        w.report = {"Análise de Linha de Transmissão Microstrip para Substrato Condutor", 1000,
                    parts::report(f, texts)};
        w.model = analysisConductingModel;
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
