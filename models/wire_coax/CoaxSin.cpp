// TForm15: synthesis of the coaxial cable.
#include "coax.h"
#include "framework/core/describe.h"

namespace tarvel::coax {

const WindowDescription& coaxSinWindow()
{
    using namespace describe;
    namespace cat = catalogue;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 15;
        w.className = "TForm15";
        w.unit = "CoaxSin";
        w.caption = "Síntese de Linha de Transmissão Coaxial";
        w.menuPath = {"Síntese", "Cabo Coaxial"};
        w.inputGroup = "Entrada de dados: ";
        w.inputs = {
            edit("impedancia", "Impedância característica (Ohms):", "Impedância Característica!!"),
            edit("Frequencia", "Freqüência (GHz):", "Freqüência Inválida!!"),
            combo("ComboBox2", "Constante dielétrica relativa:", cat::dielectricsA(15),
                  "Constante dielétrica relativa inválida !!",
                  {{"TanPerda", cat::lossTangentsA()}, {"Rigidez", cat::strengthsA()}}),
            combo("ComboBox1", "Condutividade do condutor (S/m):", cat::conductors(15),
                  "Condutividade do condutor inválida!!"),
            edit("Rigidez", "Rigidez dielétrica do material (kV/mm):", "Rigidez Dielétrica Inválida!!"),
            edit("TanPerda", "Tangente de perda do dielétrico:", "Tangente de Perda do dielétrico inválido!!"),
            edit("Atentotal", "Atenuação total (dB/m):", "Atenuação total Inválida!!"),
        };
        ResultSpec power = result("Potencia", "Potência máxima de pico ( x10   Watts):");
        power.raised = "6";
        ResultSpec speed = result("Velocidade", "Velocidade de propagação do sinal (x10  m/s):");
        speed.raised = "8";
        w.results = {
            result("Diaexter", "Diâmetro interno do condutor externo (mm):"),
            result("Diainter", "Diâmetro do condutor interno (mm):"),
            result("Freqcorte", "Freqüência de corte para modos superiores (GHz):"),
            result("Indutancia", "Indutância por unidade de comprimento (nH/m):"),
            result("Capacitancia", "Capacitância por unidade de comprimento (pF/m):"),
            result("Condutancia", "Condutância por unidade de comprimento (µmho/m):"),
            result("Resistividade", "Resistividade superficial do condutor (Ohms):"),
            result("Resistencia", "Resistência por unidade de comprimento (Ohms/m):"),
            power,
            speed,
            result("AtenCond", "Atenuação no condutor (dB/m):"),
            result("AtenDiel", "Atenuação no dielétrico (dB/m):"),
        };
        w.keyFields = {"impedancia"};
        w.calcEnabledAtStart = false;
        w.galleryTab = 1;
        w.project = {"cxs", "CoaxSin1.cxs",
                     {{"impedancia", 3}, {"Frequencia", 5}, {"ComboBox2", 3}, {"ComboBox1", 5}, {"Rigidez", 3},
                      {"TanPerda", 3}, {"Atentotal", 3}},
                     false};
        w.report = {"Síntese de Linha de Transmissão Coaxial", 1100,
                    {heading("Entrada de Dados:"),
                     line("Impedância característica (Ohms):", "impedancia"),
                     line("Freqüência (GHz):", "Frequencia"),
                     line("Constante dielétrica relativa:", "ComboBox2"),
                     line("Condutividade do condutor (S/m):", "ComboBox1"),
                     line("Rigidez dielétrica do material (kV/mm):", "Rigidez"),
                     line("Tangente de perda do dielétrico:", "TanPerda"),
                     line("Atenuação total (dB/m):", "Atentotal"),
                     heading("Saída de Dados:"),
                     line("Diâmetro interno do condutor externo (mm):", "Diaexter"),
                     line("Diâmetro do condutor interno (mm):", "Diainter"),
                     line("Freqüência de corte para modos superiores (GHz):", "Freqcorte"),
                     line("Indutância por unidade de comprimento (nH/m):", "Indutancia"),
                     line("Capacitância por unidade de comprimento (pF/m):", "Capacitancia"),
                     line("Condutância por unidade de comprimento (µmho/m):", "Condutancia"),
                     line("Resistividade superficial do condutor (Ohms):", "Resistividade"),
                     line("Resistência por unidade de comprimento (Ohms):", "Resistencia"),
                     line("Potência máxima de pico (x10^6 Watts):", "Potencia"),
                     line("Velocidade de propagação do sinal (x10^8 m/s):", "Velocidade"),
                     line("Atenuação no condutor (dB/m):", "AtenCond"),
                     line("Atenuação no dielétrico (dB/m):", "AtenDiel")}};
        w.model = synthesis;
        return w;
    }();
    return d;
}

} // namespace tarvel::coax
