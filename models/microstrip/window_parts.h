// The fifteen results of the microstrip windows and their report lines,
// shared by the four windows with the few texts in which they differ.
#pragma once
#include <string>
#include <vector>

#include "framework/core/describe.h"

namespace tarvel::microstrip::parts {

// Texts that vary between the four windows.
struct ResultTexts {
    std::string firstControl, firstLabel;   // impedance (analysis) or width (synthesis)
    std::string openEnd = "Encurtamento de fim de linha (mm):";
    std::string total = "Atenuação total (dB/cm):";
    std::string dispersive = "Constante dielétrica relativa efetiva:";
    std::string qd = "No dielétrico (Qd):";
    std::string qualityGroup = "Fator de qualidade das perdas:";
};

inline std::vector<std::string> resultGroups(const ResultTexts& t)
{
    return {"Resultados:", "Parâmetros de dispersão:", t.qualityGroup};
}

inline std::vector<ResultSpec> results(const ResultTexts& t)
{
    using describe::result;
    return {
        result(t.firstControl, t.firstLabel),
        result("efetiva", "Constante dielétrica relativa efetiva:"),
        result("CompMic", "Comprimento de onda na microstrip (cm):"),
        result("Encfimlinha", t.openEnd),
        result("Resistividade", "Resistividade superficial do condutor (Ohms):"),
        result("AtenCond", "Atenuação no condutor (dB/cm):"),
        result("AtenDiel", "Atenuação no dielétrico (dB/cm):"),
        result("Atentotal", t.total),
        result("Dielefet", t.dispersive, 1),
        result("ImpCarDisp", "Impedância característica (Ohms):", 1),
        result("Resistencia", "Resistência de irradiação (Ohms):", 1),
        result("FatorQr", "Por irradiação (Qr):", 2),
        result("FatorQd", t.qd, 2),
        result("FatorQc", "No condutor (Qc):", 2),
        result("FatorQ", "Fator de qualidade total (Qt):", 2),
    };
}

// The printed report's output section: its own texts, the quality factors
// before the dispersion parameters.
inline std::vector<ReportLine> reportResults(const std::string& firstControl, const std::string& firstLabel,
                                             const std::string& qualityGroup, const std::string& qd)
{
    using describe::heading;
    using describe::line;
    return {heading("Saída de Dados:"),
            line(firstLabel, firstControl),
            line("Constante dielétrica relativa efetiva:", "efetiva"),
            line("Comprimento de onda na microstrip (cm):", "CompMic"),
            line("Encurtamento de fim de linha (mm):", "Encfimlinha"),
            line("Resistividade superficial do condutor (Ohms):", "Resistividade"),
            line("Atenuação no condutor (dB/cm):", "AtenCond"),
            line("Atenuação no dielétrico (dB/cm):", "AtenDiel"),
            line("Atenuação total (dB/cm):", "Atentotal"),
            heading(qualityGroup),
            line("Por irradiação (Qr):", "FatorQr"),
            line(qd, "FatorQd"),
            line("No condutor (Qc):", "FatorQc"),
            line("Fator de qualidade total (Qt):", "FatorQ"),
            heading("Parâmetros de dispersão:"),
            line("Constante dielétrica relativa efetiva:", "Dielefet"),
            line("Impedância característica (Ohms):", "ImpCarDisp"),
            line("Resistência de irradiação (Ohms):", "Resistencia")};
}

inline std::vector<ReportLine> concat(std::vector<ReportLine> a, const std::vector<ReportLine>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace tarvel::microstrip::parts
