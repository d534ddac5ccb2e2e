// TForm3: analysis of the coaxial cable, with the commercial cable list.
#include "coax.h"
#include "window_rows.h"
#include "models/main_menu.h"

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
    namespace rows = wire_coax::rows;
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 3;
        w.className = "TForm3";
        w.unit = "CoaxAna";
        w.caption = "Análise de Linha de Transmissão Coaxial";
        w.menu = {&menu::analysis, "&Cabo Coaxial", "coaxial"};
        w.inputGroup = "Entrada de dados: ";
        w.inputs = joined<InputSpec>(
            {rows::coaxMaterials(3, {"Constante dielétrica relativa inválida!!", "Rigidez dielétrica inválida!!",
                                     "Tangente de perda do dielétrico inválida!!"}),
             {edit("Diaext", "Diâmetro interno do condutor externo (mm):", "Diâmetro Externo Inválido (2b<=0)!!"),
              edit("Diaint", "Diâmetro  do condutor interno (mm):", "Diâmetro Interno Inválido (2a<=0)!!"),
              combo("ComboBox3", "Tipos de cabos comerciais:", cables(), {}, cableFills())}});
        w.results = joined<ResultSpec>({{result("Impedancia", "Impedância característica (Ohms):")},
                                        rows::coaxResults("Potência máxima de pico (x10  Watts):", true)});
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
                    joined<ReportLine>({{heading("Entrada de Dados:")},
                                        rows::materialLines("TanPerda", true),
                                        {line("Diâmetro interno do condutor externo (mm):", "Diaext"),
                                         line("Diâmetro do condutor interno (mm):", "Diaint"),
                                         cableLine,
                                         heading("Saída de Dados:"),
                                         line("Impedância característica (Ohms):", "Impedancia")},
                                        rows::coaxResultLines(true)})};
        w.model = analysis;
        return w;
    }();
    return d;
}

} // namespace tarvel::coax
