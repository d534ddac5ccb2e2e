// Rows that the stripline windows share: the catalogue inputs, the results
// of the single line and their report lines.
#pragma once
#include "framework/core/describe.h"

namespace tarvel::stripline::rows {

inline InputSpec frequency(const char* message = "Freqüência inválida!!")
{
    return describe::edit("Frequencia", "Freqüência (GHz):", message);
}

// Laminates that fill the loss tangent, or conducting substrates that fill
// the conductivity of the dielectric.
inline InputSpec laminates(int window, const char* message)
{
    return describe::combo("ComboBox2", "Constante dielétrica relativa:", catalogue::dielectricsB(window), message,
                           {{"Tanperda", catalogue::lossTangentsB()}});
}
inline InputSpec conductingSubstrates(int window, const char* message)
{
    return describe::combo("ComboBox2", "Constante dielétrica relativa:", catalogue::dielectricsC(window), message,
                           {{"Condsubs", catalogue::conductivitiesC()}});
}

inline InputSpec conductor(int window, const char* message)
{
    return describe::combo("ComboBox1", "Condutividade do condutor (S/m):", catalogue::conductors(window), message);
}
inline InputSpec lossTangent(const char* message = "Tangente de perda do dielétrico inválida!!")
{
    return describe::edit("Tanperda", "Tangente de perda do dielétrico:", message);
}
inline InputSpec dielectricConductivity()
{
    return describe::edit("Condsubs", "Condutividade do dielétrico (S/m):", "Condutividade do dielétrico inválida!!");
}
inline InputSpec height(const char* message = "Altura do dielétrico inválida!!")
{
    return describe::combo("ComboBox4", "Altura do dielétrico (mm):", catalogue::heights(), message);
}
inline InputSpec thickness(int window, const char* message)
{
    return describe::combo("ComboBox3", "Espessura da fita condutora (mm):", catalogue::thicknesses(window), message);
}

struct SingleLabels {
    std::string endEffect = "Encurtamento de fim de linha (mm):";
    std::string total = "Atenuação total (dB/cm):";
    std::string qcond = "Correspondente as perdas no condutor:";
};

// Everything after the first result (impedance or width); the quality
// factors sit in their own group.
inline std::vector<ResultSpec> singleResults(const SingleLabels& labels)
{
    using describe::result;
    return {
        result("FreqCorte", "Freqüência de corte (GHz):"),
        result("Resistividade", "Resistividade superficial do condutor (Ohms):"),
        result("CompStrip", "Comprimento de onda na Stripline (cm):"),
        result("Encfimlinha", labels.endEffect),
        result("AtenCond", "Atenuação no condutor (dB/cm):"),
        result("Atendiel", "Atenuação no dielétrico (dB/cm):"),
        result("AtenTotal", labels.total),
        result("Qcond", labels.qcond, 1),
        result("Qdiel", "Correspondente as perdas no dielétrico:", 1),
        result("Qtotal", "Fator de qualidade total:", 1),
    };
}

inline std::vector<ReportLine> singleReportTail()
{
    using describe::heading;
    using describe::line;
    return {
        line("Freqüência de corte (GHz):", "FreqCorte"),
        line("Resistividade superficial do condutor (Ohms):", "Resistividade"),
        line("Comprimento de onda na Stripline (cm):", "CompStrip"),
        line("Encurtamento de fim de linha (mm):", "Encfimlinha"),
        line("Atenuação no condutor (dB/cm):", "AtenCond"),
        line("Atenuação no dielétrico (dB/cm):", "Atendiel"),
        line("Atenuação total (dB/cm):", "AtenTotal"),
        heading("Fator de qualidade:"),
        line("Correspondente as perdas no condutor:", "Qcond"),
        line("Correspondente as perdas no dielétrico:", "Qdiel"),
        line("Fator de qualidade total:", "Qtotal"),
    };
}

template <typename T>
std::vector<T> joined(std::vector<T> head, const std::vector<T>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

} // namespace tarvel::stripline::rows
