// TForm16: synthesis of the two-wire line.
#include "framework/core/describe.h"
#include "two_wire.h"

namespace tarvel::wire {

const WindowDescription& bifiSinWindow()
{
    using namespace describe;
    namespace cat = catalogue;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 16;
        w.className = "TForm16";
        w.unit = "BifiSin";
        w.caption = "Síntese de Linha de Transmissão Bifilar";
        w.menuPath = {"Síntese", "Bifilar"};
        w.inputs = {
            edit("impedan", "Impedância característica (Ohms):", "Impedância Característica Inválida!!"),
            edit("Frequencia", "Freqüência (GHz):", "Freqüência Inválida!!"),
            combo("ComboBox2", "Constante dielétrica relativa:", cat::dielectricsA(16),
                  "Constante dielétrica relativa inválida!!", {{"Tanperda", cat::lossTangentsA()}}),
            combo("ComboBox1", "Condutividade do condutor (S/m):", cat::conductors(16),
                  "Condutividade do condutor inválida!!"),
            edit("Tanperda", "Tangente de perda do dielétrico:", "Tangente de perda do dielétrico inválida!!"),
            edit("Atentot", "Atenuação total (dB/m):", "Atenuação Total Inválida!!"),
        };
        w.results = {
            result("Espaco", "Espaçamento entre os condutores (mm):"),
            result("diametro", "Diâmetro dos condutores (mm):"),
            result("indutancia", "Indutância por unidade de comprimento (nH/m):"),
            result("capacitancia", "Capacitância por unidade de comprimento (pF/m):"),
            result("condutancia", "Condutância por unidade de comprimento (µmho/m):"),
            result("Resistividade", "Resistividade superficial do condutor (Ohms):"),
            result("resistencia", "Resistência por unidade de comprimento (Ohms/m):"),
            result("AtenCond", "Atenuação no condutor (dB/m):"),
            result("AtenDiel", "Atenuação no dielétrico (dB/m):"),
        };
        w.keyFields = {"impedan"};
        w.calcEnabledAtStart = false;
        w.galleryTab = 0;
        w.project = {"bfs", "BifiSin1.bfs",
                     {{"impedan", 3}, {"Frequencia", 5}, {"ComboBox2", 3}, {"ComboBox1", 5}, {"Tanperda", 3},
                      {"Atentot", 3}},
                     false};
        w.report = {"Síntese de Linha de Transmissão Bifilar", 1150,
                    {heading("Entrada de Dados:"),
                     line("Impedância característica (Ohms):", "impedan"),
                     line("Freqüência (GHz):", "Frequencia"),
                     line("Constante dielétrica relativa:", "ComboBox2"),
                     line("Condutividade do condutor (S/m):", "ComboBox1"),
                     line("Tangente de perda do dielétrico:", "Tanperda"),
                     line("Atenuação total (dB/m):", "Atentot"),
                     heading("Saída de Dados:"),
                     line("Espaçamento entre os condutores (mm):", "Espaco"),
                     line("Diâmetro dos condutores (mm):", "diametro"),
                     line("Indutância por unidade de comprimento (nH/m):", "indutancia"),
                     line("Capacitância por unidade de comprimento (pF/m):", "capacitancia"),
                     line("Condutância por unidade de comprimento (µmho/m):", "condutancia"),
                     line("Resistividade superficial do condutor (Ohms):", "Resistividade"),
                     line("Resistência por unidade de comprimento (Ohms):", "resistencia"),
                     line("Atenuação no condutor (dB/m):", "AtenCond"),
                     line("Atenuação no dielétrico (dB/m):", "AtenDiel")}};
        w.model = synthesis;
        return w;
    }();
    return d;
}

} // namespace tarvel::wire
