// TForm20: analysis of the edge-coupled stripline pair.
#include "stripline.h"
#include "window_rows.h"

namespace tarvel::stripline {

const WindowDescription& acSLMpAnWindow()
{
    using namespace describe;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 20;
        w.className = "TForm20";
        w.unit = "AcSLMpAn";
        w.caption = "Análise de Linha de Transmissão Acoplada StripLine";
        w.menuPath = {"Análise", "Acopladas", "StripLine"};
        w.inputs = {
            rows::frequency(),
            rows::laminates(20, "Constante dielétrica relativa Inválida!!"),
            rows::conductor(20, "Condutividade do condutor inválida!!"),
            rows::lossTangent(),
            edit("Largura", "Largura das fitas condutoras (mm):", "Largura das fitas condutoras inválidas!!"),
            edit("Separ", "Separação entre as fitas condutoras (mm):", "Separação entre as fitas condutoras inválida!!"),
            rows::height(),
            rows::thickness(20, "Espessura da fita condutora inválida!!"),
        };
        w.results = {
            result("Impcarac", "Impedância característica modo par (Ohms):"),
            result("impcararcodd", "Impedância característica modo ímpar (Ohms):"),
            result("Compguiado", "Comprimento de onda guiado na Stripline (cm): "),
            result("AtenCond", "Atenuação no condutor modo par (dB/cm):"),
            result("AtenCondodd", "Atenuação no condutor modo ímpar (dB/cm):"),
            result("Atendiel", "Atenuação no dielétrico modo par (dB/cm):"),
            result("AtenDielodd", "Atenuação no dielétrico modo ímpar (dB/cm):"),
            result("AtenTotal", "Atenuação total modo par (dB/cm):"),
            result("AtenTotalodd", "Atenuação total modo ímpar (dB/cm):"),
        };
        w.keyFields = {"Frequencia"};
        w.calcShortcut = false;
        w.closesGallery = true;
        w.galleryTab = 8;
        w.project = {"asa", "AcSLMpAn1.asa",
                     {{"Frequencia", 2}, {"ComboBox2", 2}, {"ComboBox1", 0}, {"Tanperda", 5}, {"Largura", 1},
                      {"Separ", 1}, {"ComboBox4", 2}, {"ComboBox3", 2}},
                     true};
        w.report = {"Análise de Linha de Transmissão Acoplada StripLine", 1100,
                    {heading("Entrada de Dados:"),
                     line("Freqüência (GHz):", "Frequencia"),
                     line("Constante dielétrica relativa:", "ComboBox2"),
                     line("Condutividade do condutor (S/m):", "ComboBox1"),
                     line("Tangente de perda do dielétrico:", "Tanperda"),
                     line("Largura das fitas condutoras (mm):", "Largura"),
                     line("Separação entre as fitas condutoras (mm):", "Separ"),
                     line("Altura do dielétrico (mm):", "ComboBox4"),
                     line("Espessura da fita condutora (mm):", "ComboBox3"),
                     heading("Saída de Dados:"),
                     line("Impedância característica modo par(Ohms):", "Impcarac"),
                     line("Impedância característica modo ímpar(Ohms):", "impcararcodd"),
                     line("Comprimento de onda guiado na Stripline (cm):", "Compguiado"),
                     line("Atenuação no condutor modo par (dB/cm):", "AtenCond"),
                     line("Atenuação no condutor modo ímpar (dB/cm):", "AtenCondodd"),
                     line("Atenuação no dielétrico modo par (dB/cm):", "Atendiel"),
                     line("Atenuação no dielétrico modo ímpar (dB/cm):", "AtenDielodd"),
                     line("Atenuação total modo par (dB/cm):", "AtenTotal"),
                     line("Atenuação total modo ímpar (dB/cm):", "AtenTotalodd")}};
        w.model = coupledAnalysis;
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
