// SPDX-License-Identifier: GPL-3.0-or-later
// What the gallery's field views show, computed apart from any painting:
// a cross-section (the gallery's example or a computed window's own) with
// its electric or magnetic field lines. Tracing the lines of a planar
// section solves its field, so it runs on the field pool; painting only
// draws what is here.
#pragma once
#include <vector>

#include <QSizeF>
#include <QString>

#include "fieldsolve/sections.h"

namespace tarvel::ui::gallery {

// The structures, in the order of the gallery's tabs.
using Structure = fieldsolve::Structure;

enum class View {
    Perspective,   // perspective view (the side view for the coaxial cable)
    Front,         // dimensioned cross-section
    Electric,      // E lines in the cross-section
    Magnetic,      // H lines in the cross-section
    ElectricEven,  // coupled lines, even mode
    ElectricOdd,   // coupled lines, odd mode
    MagneticEven,
    MagneticOdd,
    Permittivity,  // the permittivity symbol that heads its legend line
};

bool isField(View v);
bool isMagnetic(View v);
bool isOdd(View v);

// A field view's content. Planar sections are in their own units (the
// example's drawing units, a window's mm), y down; round conductors
// (coaxial line, two wires) are always drawn in the example's 180 x 130
// frame, to the ratio of their diameters.
struct FieldPlot {
    fieldsolve::Problem problem;             // conductors and dielectrics (planar)
    fieldsolve::Box view;                    // the region shown (planar)
    std::vector<fieldsolve::Polyline> lines; // field lines (none while solving)
    // Round conductors: the inner or wire diameter d and the outer
    // diameter or centre spacing D.
    bool round = false;
    double d = 0, D = 0;
    // What the field says of a computed window's section (empty for the
    // gallery's example); one line per mode.
    QString caption;
};

// The design box of a structure's field views.
QSizeF plotSize(Structure s);

// The gallery's example for a field view; with `withLines` its lines are
// traced (a solve, for the planar structures: keep it off the GUI thread).
FieldPlot examplePlot(Structure s, View v, bool withLines);

// Round conductors with the diameters d and D in the example's frame; the
// lines are exact and quick.
FieldPlot roundPlot(Structure s, View v, double d, double D);

// The two round structures in the example's frame.
struct TwoWireFrame {
    double xc = 90, yc = 65, s = 74, a = 13; // centre, centre spacing, wire radius
    static TwoWireFrame of(double d, double D);
};
struct CoaxFrame {
    double xc = 90, yc = 65, a = 10, b = 46, c = 56; // inner, dielectric and outer radii
    static CoaxFrame of(double d, double D);
};

// The field lines of a solved whole section for a view (electric lines of
// the field with the dielectrics, or magnetic lines of the field in air),
// in the section's coordinates. `balanced` sections have conductors at +1
// and -1 mirrored about x = axis.
std::vector<fieldsolve::Polyline> sectionLines(const fieldsolve::Field& field, bool magnetic, bool balanced,
                                               double axis, int count, double resolution);

// The solver and the templates work with y up; the drawings have y down.
fieldsolve::Box flipped(const fieldsolve::Box& b);
fieldsolve::Problem flipped(const fieldsolve::Problem& pb);

} // namespace tarvel::ui::gallery
