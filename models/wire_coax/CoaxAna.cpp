// SPDX-License-Identifier: GPL-3.0-or-later
// TForm3: analysis of the coaxial cable, with the commercial cable list.
#include "coax.h"
#include "window_rows.h"
#include "models/main_menu.h"
#include "models/labels.h"

namespace tarvel::coax {

namespace {

// The commercial cables: a pick writes the inner and outer diameters, er,
// the dielectric strength and the loss tangent; the blank entry blanks them.
catalogue::Catalogue cables()
{
    return {{{"", {" ", " ", " ", " ", " "}},
             {"2.28 - RG35B/U  - Cu/PE", {"2.65", "17.30", "2.28", "40", "0.00015"}},
             {"2.28 - RG58C/U  - CuSn/PE", {"0.90", "2.95", "2.28", "40", "0.00015"}},
             {"2.28 - RG119/U  - Cu/PE", {"2.60", "8.45", "2.28", "40", "0.00015"}},
             {"2.10 - RG141A/U - StCuAg/PTFE", {"0.94", "2.95", "2.10", "50", "0.00010"}},
             {"2.10 - RG174A/U - StCu/PTFE", {"0.48", "1.52", "2.10", "50", "0.00010"}},
             {"2.10 - RG178B/U - StCuAg/PTFE", {"0.30", "0.84", "2.10", "50", "0.00010"}},
             {"2.10 - RG179B/U - StCuAg/PTFE", {"0.30", "1.60", "2.10", "50", "0.00010"}},
             {"2.10 - RG188A/U - StCuAg/PTFE", {"0.52", "1.52", "2.10", "50", "0.00010"}},
             {"2.10 - RG196A/U - StCuAg/PTFE", {"0.30", "0.84", "2.10", "50", "0.00010"}},
             {"2.28 - RG222/U  - CuAg/PE", {"1.41", "4.70", "2.28", "40", "0.00015"}},
             {"2.28 - RG223/U  - CrNi/PE", {"0.89", "2.95", "2.28", "40", "0.00015"}},
             {"2.28 - RG303/U  - StCuAg/PE", {"0.94", "2.95", "2.28", "40", "0.00015"}},
             {"2.10 - RG401/U  - CuAg/PTFE", {"1.63", "5.31", "2.10", "50", "0.00010"}},
             {"2.10 - RG402/U  - StCuAg/PTFE", {"0.92", "2.98", "2.10", "50", "0.00010"}},
             {"2.10 - RG405/U  - StCuAg/PTFE", {"0.51", "1.52", "2.10", "50", "0.00010"}}}};
}

const Binding<Cable, CableLine> binding = {
    analyse,
    &cableChecks,
    {{"Frequencia", &Cable::f}, {"ComboBox2", &Cable::er}, {"ComboBox1", &Cable::sigma}, {"Rigidez", &Cable::Emax},
     {"TanPerda", &Cable::tand}, {"Diaext", &Cable::d2b}, {"Diaint", &Cable::d2a}},
    {{"Impedancia", &CableLine::Z0}, {"Freqcorte", &CableLine::fc}, {"Indutancia", &CableLine::L},
     {"Capacitancia", &CableLine::C}, {"Resistividade", &CableLine::Rs}, {"Resistencia", &CableLine::R},
     {"Velocidade", &CableLine::v}, {"Potencia", &CableLine::Pmax}, {"AtenCond", &CableLine::alphaC},
     {"AtenDiel", &CableLine::alphaD}, {"Condutancia", &CableLine::G}, {"Atentotal", &CableLine::alphaT}},
    {SectionKind::Coax,
     [](const Cable& in, const CableLine* out) {
         return SectionReading{roundSection(in.d2a, in.d2b, in.er), {given(out, &CableLine::Z0)}};
     }},
    {},
    // A picked cable names its own dielectric; its blank entry reads 0.
    [](const Inputs& controls, Cable& in) {
        if (controls.isPicked("ComboBox3"))
            in.er = controls["ComboBox3"];
    },
};

} // namespace

Outcome analysis(const Inputs& in) { return binding(in); }

const WindowDescription& coaxAnaWindow()
{
    using namespace describe;
    namespace rows = wire_coax::rows;
    static const WindowDescription d = [] {
        WindowDescription w = window(3, "CoaxAna", "Análise de Linha de Transmissão Coaxial",
                                     {&menu::analysis, "&Cabo Coaxial", "coaxial"});
        w.inputGroup = "Entrada de dados: ";
        w.inputs = joined<InputSpec>(
            {rows::coaxMaterials(catalogue::dielectricRowsA()),
             {edit("Diaext", "Diâmetro interno do condutor externo (mm):"),
              edit("Diaint", "Diâmetro  do condutor interno (mm):"),
              combo("ComboBox3", "Tipos de cabos comerciais:", cables(),
                    {"Diaint", "Diaext", "ComboBox2", "Rigidez", "TanPerda"})}});
        w.results = joined<ResultSpec>({{result("Impedancia", label::impedance)},
                                        rows::coaxResults("Potência máxima de pico (x10  Watts):", true)});
        w.keyFields = {"Frequencia"};
        w.closesGallery = true;
        w.mainToFront = true;
        w.calcEnabledAtStart = true;
        w.project = {"cxl", "CoaxAna1.cxl",
                     {{"Frequencia", 3}, {"ComboBox2", 5}, {"Rigidez", 5}, {"ComboBox1", 3}, {"TanPerda", 5},
                      {"Diaext", 3}, {"Diaint", 3}, {"ComboBox3", 3}},
                     false};
        auto amends = rows::coaxReportAmends();
        amends.push_back({"Diaint", "Diâmetro do condutor interno (mm):"});
        amends.push_back({"ComboBox3", {}, true});
        w.report = {w.caption, 1100, reportOf(w, amends)};
        binding.into(w, analysis);
        return w;
    }();
    return d;
}

} // namespace tarvel::coax
