// SPDX-License-Identifier: GPL-3.0-or-later
// What the four coplanar windows share: their controls bound to the board,
// their inputs, results, project-file fields and report, with the captions
// that differ between the waveguide and the strip pair.
#pragma once
#include "coplanar.h"
#include "framework/core/describe.h"
#include "models/labels.h"

namespace tarvel::coplanar::rows {

struct GeometryLabels {
    const char* width;
    const char* separation;
    const char* thickness;
};

inline const GeometryLabels waveguideLabels = {label::stripWidth, "Largura de cada fenda (mm):",
                                               label::thickness};
inline const GeometryLabels stripsLabels = {label::stripsWidth, "Separação entre as fitas (mm):",
                                            "Espessura das fitas condutoras (mm):"};

inline const char* lossField(Dielectric d) { return d == Dielectric::LossTangent ? "Tanperda" : "Condsubs"; }

// The controls of window variant V on the board, and its results in the
// order the chain gives them. A picked copper thickness is listed in
// micrometres. The board is a waveguide (Cpw) or a strip pair (Cps).
template <const Variant& V>
Binding<Board, BoardLine> binding(SectionKind kind)
{
    return {analyseAs<V>,
            V.checks,
            {{"Frequencia", &Board::f}, {"ComboBox2", &Board::er}, {"ComboBox1", &Board::sigma},
             {lossField(V.dielectric), &Board::loss}, {"Largura", &Board::W}, {"Sep", &Board::S},
             {"ComboBox4", &Board::h}, {"ComboBox3", &Board::t}},
            {{"Impcarac", &BoardLine::Z0}, {"Resistividade", &BoardLine::Rs}, {"Efetiva", &BoardLine::eeff},
             {"AtenCond", &BoardLine::alphaC}, {"Atendiel", &BoardLine::alphaD}, {"AtenTotal", &BoardLine::alphaT},
             {"Qcond", &BoardLine::Qc}, {"Qdiel", &BoardLine::Qd}, {"Qtotal", &BoardLine::Qt}},
            {kind,
             [](const Board& in, const BoardLine* out) {
                 return SectionReading{planarSection(in.W, in.S, in.h, in.t, in.er),
                                       {given(out, &BoardLine::Z0), given(out, &BoardLine::eeff)}};
             }},
            {"ComboBox3"}};
}

// The dielectric list fills the loss tangent (a laminate) or the substrate
// conductivity (a conducting substrate).
inline std::vector<InputSpec> inputs(Dielectric d, const catalogue::Catalogue& dielectricRows,
                                     const GeometryLabels& g)
{
    using namespace describe;
    namespace cat = catalogue;
    return {edit("Frequencia", label::frequency),
            combo("ComboBox2", label::permittivity, dielectricRows, {lossField(d)}),
            combo("ComboBox1", label::conductor, cat::conductorRows()),
            edit(lossField(d), d == Dielectric::LossTangent ? label::lossTangent
                                                            : label::substrateConductivity),
            edit("Largura", g.width),
            edit("Sep", g.separation),
            combo("ComboBox4", label::height, cat::heightRows()),
            combo("ComboBox3", g.thickness, cat::thicknessRows())};
}

// In the order of the window's result fields; the quality factors sit in
// the second group.
inline std::vector<ResultSpec> results()
{
    using describe::result;
    return {
        result("Impcarac", label::impedance),
        result("Efetiva", label::effectivePermittivity),
        result("AtenCond", label::conductorLoss),
        result("Atendiel", label::dielectricLoss),
        result("AtenTotal", label::totalLoss),
        result("Resistividade", label::surfaceResistivity),
        result("Qcond", label::conductorQ, 1),
        result("Qdiel", label::dielectricQ, 1),
        result("Qtotal", label::totalQ, 1),
    };
}

// The report prints the inputs and the results under the window's own
// captions (but for `amends`): the impedance, the permittivity and the
// surface resistivity first, then the losses, and the quality factors under
// their own heading.
inline std::vector<ReportLine> reportLines(const WindowDescription& w,
                                           const std::vector<describe::ReportAmend>& amends = {})
{
    auto shown = [&w](std::initializer_list<const char*> controls) {
        std::vector<ResultSpec> rows;
        for (const char* control : controls)
            rows.push_back(*w.result(control));
        return rows;
    };
    return describe::joined<ReportLine>({describe::inputLines(w.inputs, amends),
                                         describe::resultLines(shown({"Impcarac", "Efetiva", "Resistividade"})),
                                         describe::linesOf(shown({"AtenCond", "Atendiel", "AtenTotal"})),
                                         {describe::heading(label::qualityHeading)},
                                         describe::linesOf(shown({"Qcond", "Qdiel", "Qtotal"}))});
}
// The strip pair's reports spell the separation with a wider gap.
inline const describe::ReportAmend stripsSeparationLine = {"Sep", "Separação  entre as fitas (mm):"};

// What tells a window apart beyond its board and its rows.
struct Identity {
    int number;
    const char* className;
    const char* unit;
    const char* caption;
    MenuItem menu;
    const char* extension; // of its project files, named after the unit
    const char* reportTitle;
};

// A window of the family: the rows, the shared settings, the project fields
// and the report, and the model with each field's message from its checks.
inline WindowDescription window(const Identity& id, const Variant& v, const Binding<Board, BoardLine>& b,
                                Model model, const catalogue::Catalogue& dielectricRows, const GeometryLabels& g,
                                const std::vector<describe::ReportAmend>& amends = {})
{
    WindowDescription w;
    w.number = id.number;
    w.className = id.className;
    w.unit = id.unit;
    w.caption = id.caption;
    w.menu = id.menu;
    w.resultGroups = {"Resultados:", label::qualityHeading};
    w.inputs = inputs(v.dielectric, dielectricRows, g);
    w.results = results();
    w.keyFields = {"Frequencia"};
    w.closesGallery = false;
    w.mainToFront = true;
    w.calcEnabledAtStart = true;
    w.project = {id.extension, std::string(id.unit) + "1." + id.extension,
                 describe::fieldsOf(w.inputs, {3, 5, 3, 5, 3, 3, 3, 3}), false};
    w.report = {id.reportTitle, 1000, reportLines(w, amends)};
    b.into(w, model);
    return w;
}

} // namespace tarvel::coplanar::rows
