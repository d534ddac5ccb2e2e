// Rows that the four coplanar windows share: inputs, results, project-file
// fields and report lines, with the captions that differ between the
// waveguide and the strip pair.
#pragma once
#include "coplanar.h"
#include "framework/core/describe.h"

namespace tarvel::coplanar::rows {

struct GeometryLabels {
    const char* width;
    const char* separation;
    const char* thickness;
    const char* reportSeparation; // the report spells some captions its own way
};

inline const GeometryLabels waveguideLabels = {"Largura da fita condutora (mm):", "Largura de cada fenda (mm):",
                                               "Espessura da fita condutora (mm):", "Largura de cada fenda (mm):"};
inline const GeometryLabels stripsLabels = {"Largura das fitas condutoras (mm):", "Separação entre as fitas (mm):",
                                            "Espessura das fitas condutoras (mm):",
                                            "Separação  entre as fitas (mm):"};

inline const char* lossField(Dielectric d) { return d == Dielectric::LossTangent ? "Tanperda" : "Condsubs"; }

inline std::vector<InputSpec> inputs(int window, const Variant& v, const GeometryLabels& g)
{
    using namespace describe;
    namespace cat = catalogue;
    const Messages& m = v.messages;
    InputSpec dielectric, lossInput;
    if (v.dielectric == Dielectric::LossTangent) {
        dielectric = combo("ComboBox2", "Constante dielétrica relativa:", cat::dielectricsB(window), m.permittivity,
                           {{"Tanperda", cat::lossTangentsB()}});
        lossInput = edit("Tanperda", "Tangente de perda do dielétrico:", m.loss);
    } else {
        dielectric = combo("ComboBox2", "Constante dielétrica relativa:", cat::dielectricsC(window), m.permittivity,
                           {{"Condsubs", cat::conductivitiesC()}});
        lossInput = edit("Condsubs", "Condutividade do dielétrico (S/m):", m.loss);
    }
    std::vector<InputSpec> rows;
    rows.push_back(edit("Frequencia", "Freqüência (GHz):", m.frequency));
    rows.push_back(std::move(dielectric));
    rows.push_back(combo("ComboBox1", "Condutividade do condutor (S/m):", cat::conductors(window), m.conductor));
    rows.push_back(std::move(lossInput));
    rows.push_back(edit("Largura", g.width, m.width));
    rows.push_back(edit("Sep", g.separation, m.separation));
    rows.push_back(combo("ComboBox4", "Altura do dielétrico (mm):", cat::heights(), m.height));
    rows.push_back(combo("ComboBox3", g.thickness, cat::thicknesses(window), m.thickness));
    return rows;
}

// In the order of the window's result fields; the quality factors sit in
// the second group.
inline std::vector<ResultSpec> results()
{
    using describe::result;
    return {
        result("Impcarac", "Impedância característica (Ohms):"),
        result("Efetiva", "Constante dielétrica relativa efetiva:"),
        result("AtenCond", "Atenuação no condutor (dB/cm):"),
        result("Atendiel", "Atenuação no dielétrico (dB/cm):"),
        result("AtenTotal", "Atenuação total (dB/cm):"),
        result("Resistividade", "Resistividade superficial do condutor (Ohms):"),
        result("Qcond", "Correspondente as perdas no condutor:", 1),
        result("Qdiel", "Correspondente as perdas no dielétrico:", 1),
        result("Qtotal", "Fator de qualidade total:", 1),
    };
}

inline ProjectSpec project(const char* extension, const char* defaultName, Dielectric d)
{
    return {extension,
            defaultName,
            {{"Frequencia", 3}, {"ComboBox2", 5}, {"ComboBox1", 3}, {lossField(d), 5}, {"Largura", 3}, {"Sep", 3},
             {"ComboBox4", 3}, {"ComboBox3", 3}},
            false};
}

inline std::vector<ReportLine> reportLines(Dielectric d, const char* lossLabel, const GeometryLabels& g)
{
    using describe::heading;
    using describe::line;
    return describe::joined<ReportLine>({{
        heading("Entrada de Dados:"),
        line("Freqüência (GHz):", "Frequencia"),
        line("Constante dielétrica relativa:", "ComboBox2"),
        line("Condutividade do condutor (S/m):", "ComboBox1"),
        line(lossLabel, lossField(d)),
        line(g.width, "Largura"),
        line(g.reportSeparation, "Sep"),
        line("Altura do dielétrico (mm):", "ComboBox4"),
        line(g.thickness, "ComboBox3"),
        heading("Saída de Dados:"),
        line("Impedância característica (Ohms):", "Impcarac"),
        line("Constante dielétrica relativa efetiva:", "Efetiva"),
        line("Resistividade superficial do condutor (Ohms):", "Resistividade"),
    }, describe::lossAndQualityLines()});
}

// What all four windows share beyond their rows.
inline void common(WindowDescription& w)
{
    w.resultGroups = {"Resultados:", "Fator de qualidade:"};
    w.keyFields = {"Frequencia"};
    w.closesGallery = false;
    w.mainToFront = true;
    w.calcEnabledAtStart = true;
}

} // namespace tarvel::coplanar::rows
