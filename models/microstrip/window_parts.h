// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of the four microstrip windows: their inputs and how they feed
// the chain, the fifteen results, the project fields and the report, shared
// with the few control names and texts in which the windows differ.
#pragma once
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/core/describe.h"
#include "microstrip.h"
#include "models/labels.h"

namespace tarvel::microstrip::parts {

// The controls of one window's fields as it names them, and how its
// substrate loss is given. An analysis window has a width and no target
// impedance, a synthesis window the other way round.
struct Fields {
    SubstrateLoss loss = SubstrateLoss::Tangent;
    const char* impedance = nullptr;
    const char* frequency = "frequencia";
    const char* permittivity = "ComboBox2";
    const char* conductor = "ComboBox1";
    const char* lossField = "Tanperda";
    const char* width = nullptr;
    const char* height = "ComboBox4";
    const char* thickness = "ComboBox3";
};

// The lists of a window that offers them: substrates (a pick fills the loss
// field), conductors and copper thicknesses (in micrometres).
struct Lists {
    catalogue::Catalogue dielectrics, conductors, thicknesses = catalogue::thicknessRows();
};

// Gold, copper and silver spelled with no blank before the colon.
inline catalogue::Catalogue tightConductors()
{
    return catalogue::conductorRows().respelled(
        {{2, "41000000 - Au: Ouro"}, {3, "57600000 - Cu: Cobre"}, {4, "61000000 - Ag: Prata"}});
}

// The fields in the order the window shows them: list boxes where it has
// lists, plain edits where it has none.
inline std::vector<InputSpec> inputs(const Fields& f, const Lists* lists)
{
    using describe::edit;
    const catalogue::Catalogue heights = catalogue::heightRows();
    auto field = [&](const char* name, const char* label, const catalogue::Catalogue* rows,
                     const std::vector<std::string>& companions = {}) {
        return rows ? describe::combo(name, label, *rows, companions) : edit(name, label);
    };
    std::vector<InputSpec> rows;
    if (f.impedance)
        rows.push_back(edit(f.impedance, label::impedance));
    rows.push_back(edit(f.frequency, label::frequency));
    rows.push_back(field(f.permittivity, "Constante dielétrica relativa: ", lists ? &lists->dielectrics : nullptr,
                         {f.lossField}));
    rows.push_back(field(f.conductor, label::conductor, lists ? &lists->conductors : nullptr));
    rows.push_back(edit(f.lossField, f.loss == SubstrateLoss::Tangent ? label::lossTangent
                                                                      : label::substrateConductivity));
    if (f.width)
        rows.push_back(edit(f.width, label::stripWidth));
    rows.push_back(field(f.height, label::height, lists ? &heights : nullptr));
    rows.push_back(field(f.thickness, label::thickness, lists ? &lists->thicknesses : nullptr));
    return rows;
}

// What the two analysis windows share beyond their rows.
inline void analysisFlags(WindowDescription& w)
{
    w.keyFields = {"frequencia"};
    w.closesGallery = true;
    w.mainToFront = true;
    w.calcEnabledAtStart = true;
}

// ... and the two synthesis windows.
inline void synthesisFlags(WindowDescription& w)
{
    w.keyFields = {"Impedancia"};
    w.calcEnabledAtStart = false;
}

// A file that keeps the fields in the order of the window.
inline ProjectSpec project(const WindowDescription& w, const char* extension, const char* defaultName)
{
    return {extension, defaultName, describe::fieldsOf(w.inputs, {3, 5, 3, 5, 3, 3, 3}), false};
}

// Texts that vary between the four windows.
struct ResultTexts {
    const char* firstControl;              // impedance (analysis) or width (synthesis)
    Real Line::*first;                     // ... as the chain gives it
    std::string firstLabel;
    std::string reportFirstLabel;          // the report's own spelling, where it has one
    std::string openEnd = label::endEffect;
    std::string total = label::totalLoss;
    std::string dispersive = label::effectivePermittivity;
    std::string qd = "No dielétrico (Qd):";
    std::string qualityGroup = "Fator de qualidade das perdas:";
};

inline ResultTexts impedanceFirst() { return {"impcarac", &Line::Z0, label::impedance, {}}; }
inline ResultTexts widthFirst()
{
    return {"Largura", &Line::W, label::stripWidth, "Largura da fita Condutora (mm):"};
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
        result("efetiva", label::effectivePermittivity),
        result("CompMic", "Comprimento de onda na microstrip (cm):"),
        result("Encfimlinha", t.openEnd),
        result("Resistividade", label::surfaceResistivity),
        result("AtenCond", label::conductorLoss),
        result("AtenDiel", label::dielectricLoss),
        result("Atentotal", t.total),
        result("Dielefet", t.dispersive, 1),
        result("ImpCarDisp", label::impedance, 1),
        result("Resistencia", "Resistência de irradiação (Ohms):", 1),
        result("FatorQr", "Por irradiação (Qr):", 2),
        result("FatorQd", t.qd, 2),
        result("FatorQc", "No condutor (Qc):", 2),
        result("FatorQ", "Fator de qualidade total (Qt):", 2),
    };
}

// Where the chain's results go, in the order they are shown.
inline std::vector<std::pair<const char*, Real Line::*>> resultControls(const ResultTexts& t)
{
    return {{t.firstControl, t.first},    {"efetiva", &Line::eeff},   {"CompMic", &Line::lambdaG},
            {"Encfimlinha", &Line::dl},   {"Resistividade", &Line::Rs}, {"AtenCond", &Line::alphaC},
            {"AtenDiel", &Line::alphaD},  {"Atentotal", &Line::alphaT}, {"Dielefet", &Line::eeffF},
            {"ImpCarDisp", &Line::Z0F},   {"Resistencia", &Line::F},  {"FatorQr", &Line::Qr},
            {"FatorQd", &Line::Qd},       {"FatorQc", &Line::Qc},     {"FatorQ", &Line::Qt}};
}

// How a window's controls feed a model of the chain: its own (the width of
// an analysis, the target of a synthesis), then the substrate's, and where
// the results go. Where the window lists copper foils, a picked thickness is
// in micrometres.
template <typename In>
Binding<In, Line> chainBinding(Solved<Line> (*model)(const In&), const Checks<In>& checks, const Fields& f,
                               Real In::*own, const ResultTexts& t, bool foilsListed)
{
    // The strip read (an analysis) or found (a synthesis, beside the
    // impedance asked).
    SectionOf<In, Line> section = {SectionKind::Microstrip, [](const In& in, const Line* out) {
                                       if constexpr (std::is_same_v<In, Strip>)
                                           return SectionReading{planarSection(in.W, 0, in.h, in.t, in.er),
                                                                 {given(out, &Line::Z0), given(out, &Line::eeff)}};
                                       else if (!out)
                                           return SectionReading{};
                                       else
                                           return SectionReading{planarSection(out->W, 0, in.h, in.t, in.er),
                                                                 {double(in.Z0), double(out->eeff)}};
                                   }};
    return {model,
            &checks,
            {{f.width ? f.width : f.impedance, own},
             {f.frequency, &In::f},
             {f.permittivity, &In::er},
             {f.conductor, &In::sigma},
             {f.lossField, &In::loss},
             {f.height, &In::h},
             {f.thickness, &In::t}},
            resultControls(t),
            section,
            foilsListed ? std::vector<const char*>{f.thickness} : std::vector<const char*>{}};
}

// The printed report: the inputs under their captions (the permittivity's
// without the blank after its colon), then the results, the quality factors
// before the dispersion parameters. It keeps a window's spelling of the
// quality group and of Qd, and its own of the width, but prints the other
// results in their common spelling.
inline std::vector<ReportLine> report(const WindowDescription& w, const Fields& f, const ResultTexts& t)
{
    std::vector<ReportLine> lines = describe::joined<ReportLine>(
        {describe::inputLines(w.inputs, {{f.permittivity, label::permittivity}}),
         {describe::heading(describe::outputHeading)}});
    ResultTexts printed{t.firstControl, t.first, t.reportFirstLabel.empty() ? t.firstLabel : t.reportFirstLabel, {}};
    printed.qd = t.qd;
    printed.qualityGroup = t.qualityGroup;
    const std::vector<std::string> groups = resultGroups(printed);
    const std::vector<ResultSpec> shown = results(printed);
    for (int group : {0, 2, 1}) {
        if (group != 0)
            lines.push_back(describe::heading(groups[group]));
        for (const ResultSpec& r : shown)
            if (r.group == group)
                lines.push_back(describe::line(r.label, r.name));
    }
    return lines;
}

// What a window derives from its fields, lists and texts: its inputs with
// the messages of the model's checks, its results, its report under `title`
// and its model.
template <typename In>
void describeFrom(WindowDescription& w, const Binding<In, Line>& b, Model model, const Fields& f, const Lists* lists,
                  const ResultTexts& t, const char* title)
{
    w.inputs = inputs(f, lists);
    b.into(w, model);
    w.resultGroups = resultGroups(t);
    w.results = results(t);
    w.report = {title, 1000, report(w, f, t)};
}

} // namespace tarvel::microstrip::parts
