// TForm3: analysis of the coaxial cable, with the commercial cable list.
#include "coax.h"
#include "framework/core/describe.h"

namespace tarvel::coax {

namespace {

struct Cable {
    const char* entry;
    const char* d2a;
    const char* d2b;
    const char* er;
    const char* strength;
    const char* tand;
};

// Entry 0 is the blank one; picking it blanks the five fields.
const Cable cableTable[] = {
    {"", " ", " ", " ", " ", " "},
    {"2.28 - RG35B/U  - Cu/PE", "2.65", "17.30", "2.28", "40", "0.00015"},
    {"2.28 - RG58C/U  - CuSn/PE", "0.90", "2.95", "2.28", "40", "0.00015"},
    {"2.28 - RG119/U  - Cu/PE", "2.60", "8.45", "2.28", "40", "0.00015"},
    {"2.10 - RG141A/U - StCuAg/PTFE", "0.94", "2.95", "2.10", "50", "0.00010"},
    {"2.10 - RG174A/U - StCu/PTFE", "0.48", "1.52", "2.10", "50", "0.00010"},
    {"2.10 - RG178B/U - StCuAg/PTFE", "0.30", "0.84", "2.10", "50", "0.00010"},
    {"2.10 - RG179B/U - StCuAg/PTFE", "0.30", "1.60", "2.10", "50", "0.00010"},
    {"2.10 - RG188A/U - StCuAg/PTFE", "0.52", "1.52", "2.10", "50", "0.00010"},
    {"2.10 - RG196A/U - StCuAg/PTFE", "0.30", "0.84", "2.10", "50", "0.00010"},
    {"2.28 - RG222/U  - CuAg/PE", "1.41", "4.70", "2.28", "40", "0.00015"},
    {"2.28 - RG223/U  - CrNi/PE", "0.89", "2.95", "2.28", "40", "0.00015"},
    {"2.28 - RG303/U  - StCuAg/PE", "0.94", "2.95", "2.28", "40", "0.00015"},
    {"2.10 - RG401/U  - CuAg/PTFE", "1.63", "5.31", "2.10", "50", "0.00010"},
    {"2.10 - RG402/U  - StCuAg/PTFE", "0.92", "2.98", "2.10", "50", "0.00010"},
    {"2.10 - RG405/U  - StCuAg/PTFE", "0.51", "1.52", "2.10", "50", "0.00010"},
};

} // namespace

catalogue::List cables()
{
    catalogue::List l;
    for (const auto& c : cableTable)
        l.push_back(c.entry);
    return l;
}

std::vector<Fill> cableFills()
{
    std::vector<Fill> fills = {{"Diaint", {}}, {"Diaext", {}}, {"ComboBox2", {}}, {"Rigidez", {}}, {"TanPerda", {}}};
    for (const auto& c : cableTable) {
        fills[0].values.push_back(c.d2a);
        fills[1].values.push_back(c.d2b);
        fills[2].values.push_back(c.er);
        fills[3].values.push_back(c.strength);
        fills[4].values.push_back(c.tand);
    }
    return fills;
}

const WindowDescription& coaxAnaWindow()
{
    using namespace describe;
    namespace cat = catalogue;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 3;
        w.className = "TForm3";
        w.unit = "CoaxAna";
        w.caption = "Análise de Linha de Transmissão Coaxial";
        w.menuPath = {"Análise", "Cabo Coaxial"};
        w.inputGroup = "Entrada de dados: ";
        w.inputs = {
            edit("Frequencia", "Freqüência (GHz):", "Freqüência Inválida!!"),
            combo("ComboBox2", "Constante dielétrica relativa:", cat::dielectricsA(3),
                  "Constante dielétrica relativa inválida!!",
                  {{"TanPerda", cat::lossTangentsA()}, {"Rigidez", cat::strengthsA()}}),
            combo("ComboBox1", "Condutividade do condutor (S/m):", cat::conductors(3),
                  "Condutividade do condutor inválida!!"),
            edit("Rigidez", "Rigidez dielétrica do material (kV/mm):", "Rigidez dielétrica inválida!!"),
            edit("TanPerda", "Tangente de perda do dielétrico:", "Tangente de perda do dielétrico inválida!!"),
            edit("Diaext", "Diâmetro interno do condutor externo (mm):", "Diâmetro Externo Inválido (2b<=0)!!"),
            edit("Diaint", "Diâmetro  do condutor interno (mm):", "Diâmetro Interno Inválido (2a<=0)!!"),
            combo("ComboBox3", "Tipos de cabos comerciais:", cables(), {}, cableFills()),
        };
        ResultSpec power = result("Potencia", "Potência máxima de pico (x10  Watts):");
        power.raised = "6";
        ResultSpec speed = result("Velocidade", "Velocidade de propagação do sinal (x10  m/s):");
        speed.raised = "8";
        w.results = {
            result("Impedancia", "Impedância característica (Ohms):"),
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
            result("Atentotal", "Atenuação total (dB/m):"),
        };
        w.keyFields = {"Frequencia"};
        w.closesGallery = true;
        w.mainToFront = true;
        w.calcEnabledAtStart = true;
        w.galleryTab = 1;
        w.project = {"cxl", "CoaxAna1.cxl",
                     {{"Frequencia", 3}, {"ComboBox2", 5}, {"Rigidez", 5}, {"ComboBox1", 3}, {"TanPerda", 5},
                      {"Diaext", 3}, {"Diaint", 3}, {"ComboBox3", 3}},
                     false};
        ReportLine cableLine = line("Tipos de cabos comerciais:", "ComboBox3");
        cableLine.wideGap = true;
        w.report = {"Análise de Linha de Transmissão Coaxial", 1100,
                    {heading("Entrada de Dados:"),
                     line("Freqüência (GHz):", "Frequencia"),
                     line("Constante dielétrica relativa:", "ComboBox2"),
                     line("Condutividade do condutor (S/m):", "ComboBox1"),
                     line("Rigidez dielétrica do material (kV/mm):", "Rigidez"),
                     line("Tangente de perda do dielétrico:", "TanPerda"),
                     line("Diâmetro interno do condutor externo (mm):", "Diaext"),
                     line("Diâmetro do condutor interno (mm):", "Diaint"),
                     cableLine,
                     heading("Saída de Dados:"),
                     line("Impedância característica (Ohms):", "Impedancia"),
                     line("Freqüência de corte para modos superiores (GHz):", "Freqcorte"),
                     line("Indutância por unidade de comprimento (nH/m):", "Indutancia"),
                     line("Capacitância por unidade de comprimento (pF/m):", "Capacitancia"),
                     line("Condutância por unidade de comprimento (µmho/m):", "Condutancia"),
                     line("Resistividade superficial do condutor (Ohms):", "Resistividade"),
                     line("Resistência por unidade de comprimento (Ohms):", "Resistencia"),
                     line("Potência máxima de pico (x10^6 Watts):", "Potencia"),
                     line("Velocidade de propagação do sinal (x10^8 m/s):", "Velocidade"),
                     line("Atenuação no condutor (dB/m):", "AtenCond"),
                     line("Atenuação no dielétrico (dB/m):", "AtenDiel"),
                     line("Atenuação total (dB/m):", "Atentotal")}};
        w.model = analysis;
        return w;
    }();
    return d;
}

} // namespace tarvel::coax
