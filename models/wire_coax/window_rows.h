// Rows that the two-wire and the coaxial windows share: the frequency and
// the dielectric, the line constants per unit length and the attenuations,
// with the texts and control names in which the windows differ.
#pragma once
#include "framework/core/describe.h"

namespace tarvel::wire_coax::rows {

inline InputSpec frequency() { return describe::edit("Frequencia", "Freqüência (GHz):", "Freqüência Inválida!!"); }
inline InputSpec conductor(int window)
{
    return describe::combo("ComboBox1", "Condutividade do condutor (S/m):", catalogue::conductors(window),
                           "Condutividade do condutor inválida!!");
}

// Both two-wire windows spell these alike.
inline std::vector<InputSpec> twoWireMaterials(int window)
{
    using namespace describe;
    return {frequency(),
            combo("ComboBox2", "Constante dielétrica relativa:", catalogue::dielectricsA(window),
                  "Constante dielétrica relativa inválida!!", {{"Tanperda", catalogue::lossTangentsA()}}),
            conductor(window),
            edit("Tanperda", "Tangente de perda do dielétrico:", "Tangente de perda do dielétrico inválida!!")};
}

// A coaxial dielectric also gives its dielectric strength; the two windows
// word their messages each its own way.
struct CoaxMessages {
    const char* permittivity;
    const char* strength;
    const char* loss;
};

inline std::vector<InputSpec> coaxMaterials(int window, const CoaxMessages& m)
{
    using namespace describe;
    return {frequency(),
            combo("ComboBox2", "Constante dielétrica relativa:", catalogue::dielectricsA(window), m.permittivity,
                  {{"TanPerda", catalogue::lossTangentsA()}, {"Rigidez", catalogue::strengthsA()}}),
            conductor(window),
            edit("Rigidez", "Rigidez dielétrica do material (kV/mm):", m.strength),
            edit("TanPerda", "Tangente de perda do dielétrico:", m.loss)};
}

// The report lines of those inputs; the coaxial windows print the strength
// before the loss tangent.
inline std::vector<ReportLine> materialLines(const char* lossControl, bool strength)
{
    using describe::line;
    std::vector<ReportLine> lines = {line("Freqüência (GHz):", "Frequencia"),
                                     line("Constante dielétrica relativa:", "ComboBox2"),
                                     line("Condutividade do condutor (S/m):", "ComboBox1")};
    if (strength)
        lines.push_back(line("Rigidez dielétrica do material (kV/mm):", "Rigidez"));
    lines.push_back(line("Tangente de perda do dielétrico:", lossControl));
    return lines;
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
        result("Resistividade", "Resistividade superficial do condutor (Ohms):"),
        result(n.resistance, "Resistência por unidade de comprimento (Ohms/m):"),
    };
}
// The report prints the resistance in plain Ohms.
inline std::vector<ReportLine> perLengthLines(const PerLength& n)
{
    using describe::line;
    return {
        line("Indutância por unidade de comprimento (nH/m):", n.inductance),
        line("Capacitância por unidade de comprimento (pF/m):", n.capacitance),
        line("Condutância por unidade de comprimento (µmho/m):", n.conductance),
        line("Resistividade superficial do condutor (Ohms):", "Resistividade"),
        line("Resistência por unidade de comprimento (Ohms):", n.resistance),
    };
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
inline std::vector<ReportLine> attenuationLines(bool total) { return describe::linesOf(attenuationResults(total)); }

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
inline std::vector<ReportLine> coaxResultLines(bool total)
{
    using describe::line;
    return describe::joined<ReportLine>({{line("Freqüência de corte para modos superiores (GHz):", "Freqcorte")},
                                         perLengthLines(coaxNames),
                                         {line("Potência máxima de pico (x10^6 Watts):", "Potencia"),
                                          line("Velocidade de propagação do sinal (x10^8 m/s):", "Velocidade")},
                                         attenuationLines(total)});
}

} // namespace tarvel::wire_coax::rows
