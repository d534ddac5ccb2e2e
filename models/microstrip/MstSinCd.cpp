// TForm18: synthesis of a microstrip line on a conducting substrate. Its
// fields are plain edits; the button beside the permittivity opens the
// commercial parameters dialog, which writes into them.
#include "microstrip.h"
#include "window_parts.h"

namespace tarvel::microstrip {

const WindowDescription& mstSinCdWindow()
{
    using namespace describe;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 18;
        w.className = "TForm18";
        w.unit = "MstSinCd";
        w.caption = "Síntese de Linha de Transmissão Microstrip";
        w.menuPath = {"Síntese", "Microstrip", "Substrato Condutor"};
        InputSpec permittivity =
            edit("constdiel", "Constante dielétrica relativa: ", "Constante dielétrica relativa inválida!!");
        permittivity.buttonName = "Button1";
        permittivity.buttonText = "...";
        w.inputs = {
            edit("Impedancia", "Impedância característica (Ohms):", "Impedância característica inválida!!"),
            edit("frequencia", "Freqüência (GHz):", "Freqüência inválida!!"),
            permittivity,
            edit("condutividade", "Condutividade do condutor (S/m):", "Condutividade do condutor inválida!!"),
            edit("condsubs", "Condutividade do dielétrico (S/m):", "Condutividade do dielétrico inválida!!"),
            edit("alturadiel", "Altura do dielétrico (mm):", "Altura do dielétrico inválida!!"),
            edit("espesfita", "Espessura da fita condutora (mm):", "Espessura da Fita Condutora Inválida!!"),
        };
        parts::ResultTexts texts;
        texts.firstControl = "Largura";
        texts.firstLabel = "Largura da fita condutora (mm):";
        texts.openEnd = "Encurtmento de fim de linha (mm):";
        w.resultGroups = parts::resultGroups(texts);
        w.results = parts::results(texts);
        w.keyFields = {"Impedancia"};
        w.calcEnabledAtStart = false;
        w.galleryTab = 2;
        w.project = {"mst", "MstSinCd1.mst",
                     {{"Impedancia", 3}, {"frequencia", 5}, {"constdiel", 3}, {"condutividade", 5}, {"condsubs", 3},
                      {"alturadiel", 3}, {"espesfita", 3}},
                     false};
        w.report = {"Síntese de Linha de Transmissão Microstrip para Substrato Condutor", 1000,
                    parts::concat({heading("Entrada de Dados:"),
                                   line("Impedância característica (Ohms):", "Impedancia"),
                                   line("Freqüência (GHz):", "frequencia"),
                                   line("Constante dielétrica relativa:", "constdiel"),
                                   line("Condutividade do condutor (S/m):", "condutividade"),
                                   line("Condutividade do dielétrico (S/m):", "condsubs"),
                                   line("Altura do dielétrico (mm):", "alturadiel"),
                                   line("Espessura da fita condutora (mm):", "espesfita")},
                                  parts::reportResults("Largura", "Largura da fita Condutora (mm):",
                                                       "Fator de qualidade das perdas:", "No dielétrico (Qd):"))};
        w.model = synthesisConductingModel;
        return w;
    }();
    return d;
}

} // namespace tarvel::microstrip
