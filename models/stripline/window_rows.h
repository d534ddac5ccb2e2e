// Rows that the stripline windows share: the catalogue inputs and their
// report lines, the rows of the four single-line windows and the losses of
// the coupled pair.
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

// The report lines of the frequency and the dielectric, and those of the
// height and the thickness, as every window prints them.
inline std::vector<ReportLine> materialLines(bool conducting)
{
    using describe::line;
    return {line("Freqüência (GHz):", "Frequencia"), line("Constante dielétrica relativa:", "ComboBox2"),
            line("Condutividade do condutor (S/m):", "ComboBox1"),
            conducting ? line("Condutividade do dielétrico (S/m):", "Condsubs")
                       : line("Tangente de perda do dielétrico:", "Tanperda")};
}
inline std::vector<ReportLine> stackLines()
{
    using describe::line;
    return {line("Altura do dielétrico (mm):", "ComboBox4"), line("Espessura da fita condutora (mm):", "ComboBox3")};
}

// ---- The single line ---------------------------------------------------------

struct SingleLabels {
    std::string endEffect = "Encurtamento de fim de linha (mm):";
    std::string total = "Atenuação total (dB/cm):";
    std::string qcond = "Correspondente as perdas no condutor:";
};

// What sets one of the four single-line windows apart from the others.
struct Single {
    int window = 0;
    bool synthesis = false;  // impedance in, width out
    bool conducting = false; // a substrate conductivity rather than a loss tangent
    const char* conductorMessage = "Condutividade do condutor inválida!!";
    const char* thicknessMessage = "Espessura da fita condutora Inválida!!";
    SingleLabels labels;
};

// Beyond the rows: an analysis window closes the gallery and brings the main
// window to the front; a synthesis window opens with "&Calcular" disabled.
inline void singleCommon(WindowDescription& w, const Single& s)
{
    w.resultGroups = {"Resultados:", "Fator de qualidade:"};
    w.galleryTab = 3;
    if (s.synthesis) {
        w.keyFields = {"Impcarac"};
        w.calcEnabledAtStart = false;
    } else {
        w.keyFields = {"Frequencia"};
        w.closesGallery = true;
        w.mainToFront = true;
    }
}

inline std::vector<InputSpec> singleInputs(const Single& s)
{
    using describe::edit;
    const char* permittivity = "Constante dielétrica relativa inválida!!";
    std::vector<InputSpec> rows;
    if (s.synthesis)
        rows.push_back(
            edit("Impcarac", "Impedância característica (Ohms):", "Impedância característica inválida!!"));
    rows.push_back(frequency());
    rows.push_back(s.conducting ? conductingSubstrates(s.window, permittivity) : laminates(s.window, permittivity));
    rows.push_back(conductor(s.window, s.conductorMessage));
    rows.push_back(s.conducting ? dielectricConductivity() : lossTangent());
    if (!s.synthesis)
        rows.push_back(edit("Largura", "Largura da fita condutora (mm):", "Largura da fita condutora inválida!!"));
    rows.push_back(height());
    rows.push_back(thickness(s.window, s.thicknessMessage));
    return rows;
}

// The impedance (analysis) or the width (synthesis) first; the quality
// factors sit in their own group.
inline std::vector<ResultSpec> singleResults(const Single& s)
{
    using describe::result;
    const SingleLabels& labels = s.labels;
    return {
        s.synthesis ? result("Largura", "Largura da fita condutora (mm):")
                    : result("Impcarac", "Impedância característica (Ohms):"),
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

inline ProjectSpec singleProject(const char* extension, const char* defaultName, const Single& s)
{
    const char* loss = s.conducting ? "Condsubs" : "Tanperda";
    if (s.synthesis)
        return {extension,
                defaultName,
                {{"Impcarac", 3}, {"Frequencia", 5}, {"ComboBox2", 3}, {"ComboBox1", 5}, {loss, 3},
                 {"ComboBox4", 3}, {"ComboBox3", 3}},
                false};
    return {extension,
            defaultName,
            {{"Frequencia", 3}, {"ComboBox2", 5}, {"ComboBox1", 3}, {loss, 5}, {"Largura", 3}, {"ComboBox4", 3},
             {"ComboBox3", 3}},
            false};
}

// The report keeps the screen's order but for the quality factors, and its
// own spelling of the captions.
inline std::vector<ReportLine> singleReport(const Single& s)
{
    using describe::heading;
    using describe::line;
    const ReportLine impedance = line("Impedância característica (Ohms):", "Impcarac");
    const ReportLine width = line("Largura da fita condutora (mm):", "Largura");
    const std::vector<ReportLine> none;
    return describe::joined<ReportLine>({{heading("Entrada de Dados:")},
                                         s.synthesis ? std::vector{impedance} : none,
                                         materialLines(s.conducting),
                                         s.synthesis ? none : std::vector{width},
                                         stackLines(),
                                         {heading("Saída de Dados:"),
                                          s.synthesis ? width : impedance,
                                          line("Freqüência de corte (GHz):", "FreqCorte"),
                                          line("Resistividade superficial do condutor (Ohms):", "Resistividade"),
                                          line("Comprimento de onda na Stripline (cm):", "CompStrip"),
                                          line("Encurtamento de fim de linha (mm):", "Encfimlinha")},
                                         describe::lossAndQualityLines()});
}

// ---- The coupled pair ------------------------------------------------------

// The losses on screen, in the report's order.
inline std::vector<ResultSpec> modeLossResults(const describe::ModeLosses& c)
{
    using describe::result;
    return {
        result(c.conductorEven, "Atenuação no condutor modo par (dB/cm):"),
        result(c.conductorOdd, "Atenuação no condutor modo ímpar (dB/cm):"),
        result(c.dielectricEven, "Atenuação no dielétrico modo par (dB/cm):"),
        result(c.dielectricOdd, "Atenuação no dielétrico modo ímpar (dB/cm):"),
        result(c.totalEven, "Atenuação total modo par (dB/cm):"),
        result(c.totalOdd, "Atenuação total modo ímpar (dB/cm):"),
    };
}

} // namespace tarvel::stripline::rows
