// SPDX-License-Identifier: GPL-3.0-or-later
// What the stripline windows share: the catalogue inputs as this family
// spells them, the controls the models read and the results they fill, the
// rows of the four single-line windows and the losses of the coupled pair.
#pragma once
#include <type_traits>
#include <utility>

#include "stripline.h"
#include "framework/core/describe.h"
#include "models/labels.h"

namespace tarvel::stripline::rows {

using catalogue::Catalogue;

inline InputSpec frequency() { return describe::edit("Frequencia", label::frequency); }

// Laminates that fill the loss tangent, or conducting substrates that fill
// the conductivity of the dielectric.
inline InputSpec laminates(const Catalogue& rows)
{
    return describe::combo("ComboBox2", label::permittivity, rows, {"Tanperda"});
}
inline InputSpec conductingSubstrates(const Catalogue& rows)
{
    return describe::combo("ComboBox2", label::permittivity, rows, {"Condsubs"});
}

// These windows list aluminium with a wider gap.
inline Catalogue conductors() { return catalogue::conductorRows().respelled({{1, "39600000 - Al  : Alumínio"}}); }
inline InputSpec conductor(const Catalogue& rows = conductors())
{
    return describe::combo("ComboBox1", label::conductor, rows);
}
inline InputSpec lossTangent() { return describe::edit("Tanperda", label::lossTangent); }
inline InputSpec dielectricConductivity()
{
    return describe::edit("Condsubs", label::substrateConductivity);
}
inline InputSpec height() { return describe::combo("ComboBox4", label::height, catalogue::heightRows()); }
inline InputSpec thickness()
{
    return describe::combo("ComboBox3", label::thickness, catalogue::thicknessRows());
}

// ---- Controls to models ------------------------------------------------------

template <typename In>
using Feed = std::pair<const char*, Real In::*>;
template <typename Out>
using Shown = std::pair<const char*, Real Out::*>;

// The board every window reads, the dielectric's loss from the control
// `loss` names; the copper thickness is picked in micrometres.
template <typename In>
std::vector<Feed<In>> boardInputs(Feed<In> loss)
{
    return {{"Frequencia", &In::f}, {"ComboBox2", &In::er}, {"ComboBox1", &In::sigma},
            loss,                   {"ComboBox4", &In::b},  {"ComboBox3", &In::t}};
}
inline const std::vector<const char*> pickedInMicrometres = {"ComboBox3"};

// ---- The single line ---------------------------------------------------------

struct SingleLabels {
    std::string endEffect = label::endEffect;
    std::string total = label::totalLoss;
    std::string qcond = label::conductorQ;
};

// What sets one of the four single-line windows apart from the others.
struct Single {
    bool synthesis = false;  // impedance in, width out
    bool conducting = false; // a substrate conductivity rather than a loss tangent
    Catalogue dielectrics;   // as the window lists them
    SingleLabels labels;
};

// An analysis (`Strip`) reads the width and shows the impedance first; a
// synthesis (`StripWanted`) the other way round.
template <typename In>
Binding<In, StripLine> singleBinding(Solved<StripLine> (*model)(const In&), const Checks<In>& checks,
                                     bool conducting)
{
    constexpr bool analysis = std::is_same_v<In, Strip>;
    std::vector<Feed<In>> inputs =
        boardInputs<In>(conducting ? Feed<In>{"Condsubs", &In::sigmaD} : Feed<In>{"Tanperda", &In::tand});
    Shown<StripLine> first = {"Largura", &StripLine::W};
    if constexpr (analysis) {
        inputs.push_back({"Largura", &In::W});
        first = {"Impcarac", &StripLine::Z0};
    } else {
        inputs.push_back({"Impcarac", &In::Z0});
    }
    // The strip read or found, between plates b apart, beside the impedance
    // found or asked.
    SectionOf<In, StripLine> section = {SectionKind::Stripline, [](const In& in, const StripLine* out) {
                                            if constexpr (analysis)
                                                return SectionReading{planarSection(in.W, 0, in.b, in.t, in.er),
                                                                      {given(out, &StripLine::Z0)}};
                                            else if (!out)
                                                return SectionReading{};
                                            else
                                                return SectionReading{planarSection(out->W, 0, in.b, in.t, in.er),
                                                                      {double(in.Z0)}};
                                        }};
    return {model,
            &checks,
            inputs,
            {first, {"FreqCorte", &StripLine::fc}, {"Resistividade", &StripLine::Rs},
             {"CompStrip", &StripLine::lambdaG}, {"Encfimlinha", &StripLine::dl}, {"AtenCond", &StripLine::alphaC},
             {"Atendiel", &StripLine::alphaD}, {"AtenTotal", &StripLine::alphaT}, {"Qcond", &StripLine::Qc},
             {"Qdiel", &StripLine::Qd}, {"Qtotal", &StripLine::Qt}},
            section,
            pickedInMicrometres};
}

inline std::vector<InputSpec> singleInputs(const Single& s)
{
    using describe::edit;
    std::vector<InputSpec> rows;
    if (s.synthesis)
        rows.push_back(edit("Impcarac", label::impedance));
    rows.push_back(frequency());
    rows.push_back(s.conducting ? conductingSubstrates(s.dielectrics) : laminates(s.dielectrics));
    rows.push_back(conductor());
    rows.push_back(s.conducting ? dielectricConductivity() : lossTangent());
    if (!s.synthesis)
        rows.push_back(edit("Largura", label::stripWidth));
    rows.push_back(height());
    rows.push_back(thickness());
    return rows;
}

// The impedance (analysis) or the width (synthesis) first; the quality
// factors sit in their own group.
inline std::vector<ResultSpec> singleResults(const Single& s)
{
    using describe::result;
    const SingleLabels& labels = s.labels;
    return {
        s.synthesis ? result("Largura", label::stripWidth)
                    : result("Impcarac", label::impedance),
        result("FreqCorte", "Freqüência de corte (GHz):"),
        result("Resistividade", label::surfaceResistivity),
        result("CompStrip", "Comprimento de onda na Stripline (cm):"),
        result("Encfimlinha", labels.endEffect),
        result("AtenCond", label::conductorLoss),
        result("Atendiel", label::dielectricLoss),
        result("AtenTotal", labels.total),
        result("Qcond", labels.qcond, 1),
        result("Qdiel", label::dielectricQ, 1),
        result("Qtotal", label::totalQ, 1),
    };
}

// The report prints what the window shows, in the captions every window
// would have without its own spellings, and heads the quality factors.
inline std::vector<ReportLine> singleReport(const WindowDescription& w)
{
    const SingleLabels plain;
    std::vector<ReportLine> lines = describe::reportOf(
        w, {{"Encfimlinha", plain.endEffect}, {"AtenTotal", plain.total}, {"Qcond", plain.qcond}});
    for (auto it = lines.begin(); it != lines.end(); ++it)
        if (it->control == "Qcond") {
            lines.insert(it, describe::heading(w.resultGroups[1]));
            break;
        }
    return lines;
}

// Everything of a single-line window but its binding. An analysis window
// closes the gallery and brings the main window to the front; a synthesis
// window opens with "&Calcular" disabled.
inline void singleWindow(WindowDescription& w, const Single& s, const char* extension, const char* defaultName,
                         std::string title)
{
    w.resultGroups = {"Resultados:", label::qualityHeading};
    if (s.synthesis) {
        w.keyFields = {"Impcarac"};
        w.calcEnabledAtStart = false;
    } else {
        w.keyFields = {"Frequencia"};
        w.closesGallery = true;
        w.mainToFront = true;
    }
    w.inputs = singleInputs(s);
    w.results = singleResults(s);
    w.project = {extension, defaultName, describe::fieldsOf(w.inputs, {3, 5, 3, 5, 3, 3, 3}), false};
    w.report = {std::move(title), 1000, singleReport(w)};
}

// ---- The coupled pair ------------------------------------------------------

// The reports of the pair close the gap before "(Ohms)" of the mode
// impedances.
inline std::vector<describe::ReportAmend> modeImpedanceAmends(const char* even, const char* odd)
{
    return {{even, "Impedância característica modo par(Ohms):"}, {odd, "Impedância característica modo ímpar(Ohms):"}};
}
inline const char* const guidedWavelength = "Comprimento de onda guiado na Stripline (cm):";

// ... and what fills them: one dielectric loss for both modes.
inline std::vector<Shown<CoupledLine>> modeLosses(const common::ModeLosses& c)
{
    return {{c.conductorEven, &CoupledLine::alphaCe}, {c.conductorOdd, &CoupledLine::alphaCo},
            {c.dielectricEven, &CoupledLine::alphaD}, {c.dielectricOdd, &CoupledLine::alphaD},
            {c.totalEven, &CoupledLine::alphaTe},     {c.totalOdd, &CoupledLine::alphaTo}};
}

} // namespace tarvel::stripline::rows
