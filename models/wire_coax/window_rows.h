// SPDX-License-Identifier: GPL-3.0-or-later
// Rows that the two-wire and the coaxial windows share: the frequency and
// the dielectric, the line constants per unit length and the attenuations,
// with the texts and control names in which the windows differ.
#pragma once
#include "framework/core/describe.h"
#include "models/labels.h"

namespace tarvel::wire_coax::rows {

inline InputSpec frequency() { return describe::edit("Frequencia", label::frequency); }
inline InputSpec conductor()
{
    return describe::combo("ComboBox1", label::conductor, catalogue::conductorRows());
}
inline InputSpec lossTangent(const char* control)
{
    return describe::edit(control, label::lossTangent);
}

// The two-wire windows: a pick of a dielectric fills its loss tangent.
inline std::vector<InputSpec> twoWireMaterials(const catalogue::Catalogue& dielectrics)
{
    using namespace describe;
    return {frequency(), combo("ComboBox2", label::permittivity, dielectrics, {"Tanperda"}), conductor(),
            lossTangent("Tanperda")};
}

// A coaxial dielectric also gives its dielectric strength.
inline std::vector<InputSpec> coaxMaterials(const catalogue::Catalogue& dielectrics)
{
    using namespace describe;
    return {frequency(),
            combo("ComboBox2", label::permittivity, dielectrics, {"TanPerda", "Rigidez"}),
            conductor(),
            edit("Rigidez", "Rigidez dielétrica do material (kV/mm):"),
            lossTangent("TanPerda")};
}

// The line constants per unit length, with the surface resistivity between
// the conductance and the resistance; each family capitalises its controls.
struct PerLength {
    const char* inductance;
    const char* capacitance;
    const char* conductance;
    const char* resistance;
};
inline const PerLength twoWireNames = {"indutancia", "capacitancia", "condutancia", "resistencia"};
inline const PerLength coaxNames = {"Indutancia", "Capacitancia", "Condutancia", "Resistencia"};

inline std::vector<ResultSpec> perLengthResults(const PerLength& n)
{
    using describe::result;
    return {
        result(n.inductance, "Indutância por unidade de comprimento (nH/m):"),
        result(n.capacitance, "Capacitância por unidade de comprimento (pF/m):"),
        result(n.conductance, "Condutância por unidade de comprimento (µmho/m):"),
        result("Resistividade", label::surfaceResistivity),
        result(n.resistance, "Resistência por unidade de comprimento (Ohms/m):"),
    };
}
// The report prints the resistance in plain Ohms.
inline describe::ReportAmend resistanceLine(const PerLength& n)
{
    return {n.resistance, "Resistência por unidade de comprimento (Ohms):"};
}

// The conductor and dielectric attenuations; an analysis adds their total
// (a synthesis reads the total as an input).
inline std::vector<ResultSpec> attenuationResults(bool total)
{
    using describe::result;
    std::vector<ResultSpec> rows = {result("AtenCond", "Atenuação no condutor (dB/m):"),
                                    result("AtenDiel", "Atenuação no dielétrico (dB/m):")};
    if (total)
        rows.push_back(result("Atentotal", "Atenuação total (dB/m):"));
    return rows;
}

// The coaxial windows' results from the cut-off frequency on; the caption
// of the peak power differs between them.
inline std::vector<ResultSpec> coaxResults(const char* powerLabel, bool total)
{
    using describe::result;
    ResultSpec power = result("Potencia", powerLabel);
    power.raised = "6";
    ResultSpec speed = result("Velocidade", "Velocidade de propagação do sinal (x10  m/s):");
    speed.raised = "8";
    return describe::joined<ResultSpec>({{result("Freqcorte", "Freqüência de corte para modos superiores (GHz):")},
                                         perLengthResults(coaxNames),
                                         {power, speed},
                                         attenuationResults(total)});
}
// The coaxial reports print the powers of ten in line.
inline std::vector<describe::ReportAmend> coaxReportAmends()
{
    return {resistanceLine(coaxNames),
            {"Potencia", "Potência máxima de pico (x10^6 Watts):"},
            {"Velocidade", "Velocidade de propagação do sinal (x10^8 m/s):"}};
}

} // namespace tarvel::wire_coax::rows
