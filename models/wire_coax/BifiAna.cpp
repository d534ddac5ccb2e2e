// TForm2: analysis of the two-wire line.
#include "framework/core/describe.h"
#include "two_wire.h"

namespace tarvel::wire {

const WindowDescription& bifiAnaWindow()
{
    using namespace describe;
    namespace cat = catalogue;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 2;
        w.className = "TForm2";
        w.unit = "BifiAna";
        w.caption = "Análise de Linha de Transmissão Bifilar";
        w.menuPath = {"Análise", "Bifilar"};
        InputSpec spacing = edit("Espacamento", "Espaçamento centro-a-centro",
                                 "Espaçamento Centro-a-Centro Inválido!!");
        spacing.labels.push_back("entre os condutores (mm):");
        w.inputs = {
            edit("Frequencia", "Freqüência (GHz):", "Freqüência Inválida!!"),
            combo("ComboBox2", "Constante dielétrica relativa:", cat::dielectricsA(2),
                  "Constante dielétrica relativa inválida!!", {{"Tanperda", cat::lossTangentsA()}}),
            combo("ComboBox1", "Condutividade do condutor (S/m):", cat::conductors(2),
                  "Condutividade do condutor inválida!!"),
            edit("Tanperda", "Tangente de perda do dielétrico:", "Tangente de perda do dielétrico inválida!!"),
            spacing,
            edit("diametro", "Diâmetro do condutor (mm):", "Diâmetro do Condutor Inválido!!"),
        };
        w.results = {
            result("impedancia", "Impedância característica (Ohms):"),
            result("indutancia", "Indutância por unidade de comprimento (nH/m):"),
            result("capacitancia", "Capacitância por unidade de comprimento (pF/m):"),
            result("condutancia", "Condutância por unidade de comprimento (µmho/m):"),
            result("Resistividade", "Resistividade superficial do condutor (Ohms):"),
            result("resistencia", "Resistência por unidade de comprimento (Ohms/m):"),
            result("AtenCond", "Atenuação no condutor (dB/m):"),
            result("AtenDiel", "Atenuação no dielétrico (dB/m):"),
            result("Atentotal", "Atenuação total (dB/m):"),
        };
        w.keyFields = {"Frequencia"};
        w.calcEnabledAtStart = false;
        w.galleryTab = 0;
        w.project = {"bfl", "BifiAna1.bfl",
                     {{"Frequencia", 2}, {"ComboBox2", 2}, {"ComboBox1", 0}, {"Tanperda", 5},
                      {"Espacamento", 2}, {"diametro", 2}},
                     true};
        w.report = {"Análise de Linha de Transmissão Bifilar", 1150,
                    {heading("Entrada de Dados:"),
                     line("Freqüência (GHz):", "Frequencia"),
                     line("Constante dielétrica relativa:", "ComboBox2"),
                     line("Condutividade do condutor (S/m):", "ComboBox1"),
                     line("Tangente de perda do dielétrico:", "Tanperda"),
                     line("Espaçamento centro-a-centro entre os condutores (mm):", "Espacamento"),
                     line("Diâmetro do condutor (mm):", "diametro"),
                     heading("Saída de Dados:"),
                     line("Impedância característica (Ohms):", "impedancia"),
                     line("Indutância por unidade de comprimento (nH/m):", "indutancia"),
                     line("Capacitância por unidade de comprimento (pF/m):", "capacitancia"),
                     line("Condutância por unidade de comprimento (µmho/m):", "condutancia"),
                     line("Resistividade superficial do condutor (Ohms):", "Resistividade"),
                     line("Resistência por unidade de comprimento (Ohms):", "resistencia"),
                     line("Atenuação no condutor (dB/m):", "AtenCond"),
                     line("Atenuação no dielétrico (dB/m):", "AtenDiel"),
                     line("Atenuação total (dB/m):", "Atentotal")}};
        w.model = analysis;
        return w;
    }();
    return d;
}

} // namespace tarvel::wire
