// The rows of the four microstrip windows: their listed inputs, the fifteen
// results, the project fields and the report lines, shared with the few
// control names and texts in which the windows differ.
#pragma once
#include <string>
#include <vector>

#include "framework/core/describe.h"
#include "microstrip.h"

namespace tarvel::microstrip::parts {

// The controls of one window's fields as it names them, and how its
// substrate loss is given. An analysis window has a width and no target
// impedance, a synthesis window the other way round.
struct Fields {
    SubstrateLoss loss = SubstrateLoss::Tangent;
    std::string impedance;
    std::string frequency = "frequencia";
    std::string permittivity = "ComboBox2";
    std::string conductor = "ComboBox1";
    std::string lossField = "Tanperda";
    std::string width;
    std::string height = "ComboBox4";
    std::string thickness = "ComboBox3";
};

inline const char* lossLabel(SubstrateLoss loss)
{
    return loss == SubstrateLoss::Tangent ? "Tangente de perda do dielétrico:" : "Condutividade do dielétrico (S/m):";
}
inline const char* lossMessage(SubstrateLoss loss)
{
    return loss == SubstrateLoss::Tangent ? "Tangente de perda do dielétrico inválida!!"
                                          : "Condutividade do dielétrico inválida!!";
}

// The fields from the frequency on, with catalogue lists: laminates that
// fill the loss tangent or conducting substrates that fill the substrate
// conductivity, then conductors, heights and copper thicknesses.
inline std::vector<InputSpec> listInputs(int window, const Fields& f, const std::string& thicknessMessage)
{
    using namespace describe;
    namespace cat = catalogue;
    const bool tangent = f.loss == SubstrateLoss::Tangent;
    std::vector<InputSpec> rows;
    rows.push_back(edit(f.frequency, "Freqüência (GHz):", "Freqüência Inválida!!"));
    rows.push_back(combo(f.permittivity, "Constante dielétrica relativa: ",
                         tangent ? cat::dielectricsB(window) : cat::dielectricsC(window),
                         "Constante dielétrica relativa inválida!!",
                         {{f.lossField, tangent ? cat::lossTangentsB() : cat::conductivitiesC()}}));
    rows.push_back(combo(f.conductor, "Condutividade do condutor (S/m):", cat::conductors(window),
                         "Condutividade do condutor inválida!!"));
    rows.push_back(edit(f.lossField, lossLabel(f.loss), lossMessage(f.loss)));
    if (!f.width.empty())
        rows.push_back(edit(f.width, "Largura da fita condutora (mm):", "Largura da fita condutora inválida!!"));
    rows.push_back(combo(f.height, "Altura do dielétrico (mm):", cat::heights(), "Altura do dielétrico inválida!!"));
    rows.push_back(combo(f.thickness, "Espessura da fita condutora (mm):", cat::thicknesses(window), thicknessMessage));
    return rows;
}

// What the two analysis windows share beyond their rows.
inline void analysisFlags(WindowDescription& w)
{
    w.keyFields = {"frequencia"};
    w.closesGallery = true;
    w.mainToFront = true;
    w.calcEnabledAtStart = true;
    w.galleryTab = 2;
}

inline ProjectSpec analysisProject(const char* extension, const char* defaultName, const Fields& f)
{
    return {extension,
            defaultName,
            {{f.frequency, 3}, {f.permittivity, 5}, {f.conductor, 3}, {f.lossField, 5}, {f.width, 3},
             {f.height, 3}, {f.thickness, 3}},
            false};
}

// Texts that vary between the four windows.
struct ResultTexts {
    std::string firstControl, firstLabel;   // impedance (analysis) or width (synthesis)
    std::string reportFirstLabel;           // the report's own spelling, where it has one
    std::string openEnd = "Encurtamento de fim de linha (mm):";
    std::string total = "Atenuação total (dB/cm):";
    std::string dispersive = "Constante dielétrica relativa efetiva:";
    std::string qd = "No dielétrico (Qd):";
    std::string qualityGroup = "Fator de qualidade das perdas:";
};

inline ResultTexts impedanceFirst()
{
    ResultTexts t;
    t.firstControl = "impcarac";
    t.firstLabel = "Impedância característica (Ohms):";
    return t;
}
inline ResultTexts widthFirst()
{
    ResultTexts t;
    t.firstControl = "Largura";
    t.firstLabel = "Largura da fita condutora (mm):";
    t.reportFirstLabel = "Largura da fita Condutora (mm):";
    return t;
}

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

// The printed report's input section, in the order of the window's fields.
inline std::vector<ReportLine> reportInputs(const Fields& f)
{
    using describe::line;
    std::vector<ReportLine> lines = {describe::heading("Entrada de Dados:")};
    if (!f.impedance.empty())
        lines.push_back(line("Impedância característica (Ohms):", f.impedance));
    lines.push_back(line("Freqüência (GHz):", f.frequency));
    lines.push_back(line("Constante dielétrica relativa:", f.permittivity));
    lines.push_back(line("Condutividade do condutor (S/m):", f.conductor));
    lines.push_back(line(lossLabel(f.loss), f.lossField));
    if (!f.width.empty())
        lines.push_back(line("Largura da fita condutora (mm):", f.width));
    lines.push_back(line("Altura do dielétrico (mm):", f.height));
    lines.push_back(line("Espessura da fita condutora (mm):", f.thickness));
    return lines;
}

// The output section: the same texts as on screen but where the report has
// its own, the quality factors before the dispersion parameters.
inline std::vector<ReportLine> reportResults(const ResultTexts& t)
{
    using describe::heading;
    using describe::line;
    return {heading("Saída de Dados:"),
            line(t.reportFirstLabel.empty() ? t.firstLabel : t.reportFirstLabel, t.firstControl),
            line("Constante dielétrica relativa efetiva:", "efetiva"),
            line("Comprimento de onda na microstrip (cm):", "CompMic"),
            line("Encurtamento de fim de linha (mm):", "Encfimlinha"),
            line("Resistividade superficial do condutor (Ohms):", "Resistividade"),
            line("Atenuação no condutor (dB/cm):", "AtenCond"),
            line("Atenuação no dielétrico (dB/cm):", "AtenDiel"),
            line("Atenuação total (dB/cm):", "Atentotal"),
            heading(t.qualityGroup),
            line("Por irradiação (Qr):", "FatorQr"),
            line(t.qd, "FatorQd"),
            line("No condutor (Qc):", "FatorQc"),
            line("Fator de qualidade total (Qt):", "FatorQ"),
            heading("Parâmetros de dispersão:"),
            line("Constante dielétrica relativa efetiva:", "Dielefet"),
            line("Impedância característica (Ohms):", "ImpCarDisp"),
            line("Resistência de irradiação (Ohms):", "Resistencia")};
}

inline std::vector<ReportLine> report(const Fields& f, const ResultTexts& t)
{
    return describe::joined<ReportLine>({reportInputs(f), reportResults(t)});
}

} // namespace tarvel::microstrip::parts
