// TForm27: synthesis of the edge-coupled stripline pair.
#include "stripline.h"
#include "window_rows.h"

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
        w.menuPath = {"Síntese", "Acopladas", "StripLine"};
        w.inputs = {
            edit("ImpModoPar", "Impedância característica modo par (Ohms):",
                 "Impedância Característica Modo Par Inválida!!"),
            edit("ImpModoimpar", "Impedância característica modo ímpar (Ohms):",
                 "Impedância Característica Modo Ímpar Inválida!!"),
            rows::frequency("Freqüência Inválida!!"),
            rows::laminates(27, "Constante Dielétrica Relativa Inválida!!"),
            rows::conductor(27, "Condutividade do Condutor Inválida!!"),
            rows::lossTangent("Tangente de perda do Substrato Inválida!!"),
            rows::height("Altura do Substrato inválida!!"),
            rows::thickness(27, "Espessura da fita condutora inválida!!"),
        };
        w.results = {
            result("LargReal", "Largura real das fitas condutoras (mm):"),
            result("SepReal", "Separação real entre as fitas (mm):"),
            result("complambs", "Comprimento de onda guiado na Stripline (cm):"),
            result("AtconMp", "Atenuação no condutor modo par (dB/cm):"),
            result("AtconMi", "Atenuação no condutor modo ímpar (dB/cm):"),
            result("AtdielMp", "Atenuação no dielétrico modo par (dB/cm):"),
            result("AtdielMi", "Atenuação no dielétrico modo ímpar (dB/cm):"),
            result("AtentotalMp", "Atenuação total modo par (dB/cm):"),
            result("AtentotalMi", "Atenuação total modo ímpar (dB/cm):"),
        };
        w.keyFields = {"ImpModoPar"};
        w.calcEnabledAtStart = false;
        w.closesGallery = true;
        w.galleryTab = 8;
        w.project = {"acs", "AcSLSin1.acs",
                     {{"ImpModoPar", 3}, {"ImpModoimpar", 5}, {"Frequencia", 3}, {"ComboBox2", 5}, {"ComboBox1", 3},
                      {"Tanperda", 3}, {"ComboBox4", 3}, {"ComboBox3", 3}},
                     false};
        w.report = {"Síntese de Linha de Transmissão Acoplada StripLine", 1100,
                    {heading("Entrada de Dados:"),
                     line("Impedância característica modo par(Ohms):", "ImpModoPar"),
                     line("Impedância característica modo ímpar(Ohms):", "ImpModoimpar"),
                     line("Freqüência (GHz):", "Frequencia"),
                     line("Constante dielétrica relativa:", "ComboBox2"),
                     line("Condutividade do condutor (S/m):", "ComboBox1"),
                     line("Tangente de perda do dielétrico:", "Tanperda"),
                     line("Altura do dielétrico (mm):", "ComboBox4"),
                     line("Espessura da fita condutora (mm):", "ComboBox3"),
                     heading("Saída de Dados:"),
                     line("Largura real das fitas condutoras (mm):", "LargReal"),
                     line("Separação real entre as fitas condutoras (mm):", "SepReal"),
                     line("Comprimento de onda guiado na Stripline (cm):", "complambs"),
                     line("Atenuação no condutor modo par (dB/cm):", "AtconMp"),
                     line("Atenuação no condutor modo ímpar (dB/cm):", "AtconMi"),
                     line("Atenuação no dielétrico modo par (dB/cm):", "AtdielMp"),
                     line("Atenuação no dielétrico modo ímpar (dB/cm):", "AtdielMi"),
                     line("Atenuação total modo par (dB/cm):", "AtentotalMp"),
                     line("Atenuação total modo ímpar (dB/cm):", "AtentotalMi")}};
        w.model = coupledSynthesis;
        return w;
    }();
    return d;
}

} // namespace tarvel::stripline
