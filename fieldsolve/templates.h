// SPDX-License-Identifier: GPL-3.0-or-later
// The board cross-sections of the field designer: each a template of named
// dimensions (their Portuguese labels, units and defaults, the checks that
// refuse what cannot be built) and the section of the field solver it makes.
//
// Lengths are in mm inside the program (a project or a command line may give
// them in mils); the capacitance per metre of a 2-D section does not depend
// on the unit its lengths are drawn in.
//
// Symmetric pairs are solved by their even and odd modes on half of the
// section (a mirror wall on the symmetry plane for the even mode, a grounded
// wall for the odd mode); the broadside pair with equal heights and no
// offset on a quarter of it. An asymmetric broadside pair is solved by three
// excitations of the whole section (the lower strip at 1 V, the upper at
// 1 V, both at 1 V), which give its 2x2 capacitance matrix.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sections.h"

namespace tarvel::fieldsolve {

enum class Template {
    Microstrip,
    EmbeddedMicrostrip,
    Stripline,
    Cpw,
    Gcpw,
    Cps,
    CoupledMicrostrip,
    CoupledStripline,
    BroadsideStripline
};

enum class Unit { Mm, Mil };
constexpr double kMmPerMil = 0.0254;
// "mm" or "mil".
const char* unitName(Unit unit);
std::optional<Unit> unitNamed(std::string_view name);

struct Parameter {
    std::string name;  // as the command line, the project and the drawing write it: "W", "h1", "cer"
    std::string label; // Portuguese: "largura da fita"
    bool length = true;    // a length (mm or mil); else a relative permittivity
    bool optional = false; // may be left out: `absent` says what that means
    double example = 0;    // the value a new design starts from (mm); NaN for an optional one left out
    std::string absent;    // Portuguese, for an optional parameter: what leaving it out means
};

struct TemplateInfo {
    Template kind;
    std::string name;  // the command line's name: "coupled-microstrip"
    std::string title; // Portuguese: "Microstrip acoplada"
    bool pair = false; // two signal strips: even and odd modes, Zdiff
    std::vector<Parameter> parameters;
    int index(std::string_view parameter) const; // -1 when it has none of that name
};

// The nine templates, in the order the designer lists them.
const std::vector<TemplateInfo>& templates();
const TemplateInfo& templateInfo(Template kind);
// By the command line's name (exact), or nullptr.
const TemplateInfo* templateNamed(std::string_view name);

// The dimensions of one design: a value per parameter of its template, in
// mm (lengths) or as it is (permittivities); NaN for an optional parameter
// left out.
struct Design {
    Template kind = Template::Microstrip;
    std::vector<double> values;

    const TemplateInfo& info() const { return templateInfo(kind); }
    double operator[](std::string_view name) const; // NaN when absent or unknown
    bool has(std::string_view name) const;
    void set(std::string_view name, double value);
};

// A design with the template's example values.
Design exampleDesign(Template kind);

// Reads "name=text" pairs, lengths in `unit`, onto the template's examples
// for what is not given (an optional parameter not given stays absent; an
// empty text leaves one out). Returns the Portuguese message of the first
// refusal, naming the field: an unknown name, one given twice, a text that
// is no number. The design's own checks are checkDesign's.
std::string readDesign(Template kind, Unit unit, const std::vector<std::pair<std::string, std::string>>& texts,
                       Design& out);

// The Portuguese message of the first check the design fails, naming the
// field (empty when it can be built): a length that must be positive and is
// not, a strip thicker than the layer that holds it, er < 1, a mask thicker
// than the layer above it, a value the solver cannot represent.
std::string checkDesign(const Design& design);

// How the section of a design is solved.
enum class Excitations {
    Single,    // one mode: the line against its grounds
    EvenOdd,   // a symmetric pair: even mode then odd mode, per strip
    Matrix     // an asymmetric pair: (1,0), (0,1), (1,1)
};
Excitations excitationsOf(const Design& design);

// The section the field solver solves for a design that passed its checks.
Section designSection(const Design& design);
// The section of a pair (any, symmetric too) solved by its strips'
// voltages, as an asymmetric pair is: (1,0), (0,1), (1,1) on the whole
// section.
Section matrixSection(const Design& pair);

// Whether the solved part of the section stops at a horizontal mirror: the
// mid-plane of a strip centred between like layers, or the plane between
// the strips of a symmetric broadside pair (whose modes set its wall).
bool solvedBelowMidPlane(const Design& design);

// The whole cross-section for drawing, the signal strip(s) at +1 (and the
// second at -1 when `odd`), `margin` sizes of the structure around it;
// grounds that are walls in the solved section are drawn as conductors.
Problem designDrawing(const Design& design, bool odd, double margin);

} // namespace tarvel::fieldsolve
