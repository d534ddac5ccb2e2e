// TForm18: synthesis of a microstrip line on a conducting substrate. Its
// fields are plain edits; the button beside the permittivity opens the
// commercial parameters dialog, which writes into them.
#include "microstrip.h"
#include "window_parts.h"
#include "models/main_menu.h"

namespace tarvel::microstrip {

const WindowDescription& mstSinCdWindow()
{
    using describe::edit;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 18;
        w.className = "TForm18";
        w.unit = "MstSinCd";
        w.caption = "Síntese de Linha de Transmissão Microstrip";
        w.menu = {&menu::synthesisMicrostrip, menu::conducting, "SubstratoCondutor7"};
        parts::Fields f;
        f.loss = SubstrateLoss::Conductivity;
        f.impedance = "Impedancia";
        f.permittivity = "constdiel";
        f.conductor = "condutividade";
        f.lossField = "condsubs";
        f.height = "alturadiel";
        f.thickness = "espesfita";
        InputSpec permittivity =
            edit(f.permittivity, "Constante dielétrica relativa: ", "Constante dielétrica relativa inválida!!");
        permittivity.buttonName = "Button1";
        permittivity.buttonText = "...";
        w.inputs = {
            edit(f.impedance, "Impedância característica (Ohms):", "Impedância característica inválida!!"),
            edit(f.frequency, "Freqüência (GHz):", "Freqüência inválida!!"),
            permittivity,
            edit(f.conductor, "Condutividade do condutor (S/m):", "Condutividade do condutor inválida!!"),
            edit(f.lossField, parts::lossLabel(f.loss), parts::lossMessage(f.loss)),
            edit(f.height, "Altura do dielétrico (mm):", "Altura do dielétrico inválida!!"),
            edit(f.thickness, "Espessura da fita condutora (mm):", "Espessura da Fita Condutora Inválida!!"),
        };
        parts::ResultTexts texts = parts::widthFirst();
        texts.openEnd = "Encurtmento de fim de linha (mm):";
        w.resultGroups = parts::resultGroups(texts);
        w.results = parts::results(texts);
        w.keyFields = {"Impedancia"};
        w.calcEnabledAtStart = false;
        w.galleryTab = 2;
        w.project = {"mst", "MstSinCd1.mst",
                     {{f.impedance, 3}, {f.frequency, 5}, {f.permittivity, 3}, {f.conductor, 5}, {f.lossField, 3},
                      {f.height, 3}, {f.thickness, 3}},
                     false};
        w.report = {"Síntese de Linha de Transmissão Microstrip para Substrato Condutor", 1000,
                    parts::report(f, texts)};
        w.model = synthesisConductingModel;
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
