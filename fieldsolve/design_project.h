// SPDX-License-Identifier: GPL-3.0-or-later
// The designer's project file: text, one JSON object, with a format name and
// version, the structure, the unit of its lengths, the texts of its
// parameters as typed, optionally the synthesis it asks for, and the texts
// of its loss parameters:
//
//   {
//     "format": "tarvel-projeto-de-linha",
//     "version": 2,
//     "structure": "coupled-microstrip",
//     "unit": "mm",
//     "parameters": {"W": "0.2", "S": "0.2", "h": "0.2", "t": "0.035", "er": "4.3"},
//     "target": {"Zdiff": "100"},
//     "vary": ["W"],
//     "losses": {"tand": "0.02", "ctand": "0.03", "sigma": "5.8e7", "roughness": "hammerstad", "rq": "0.5"}
//   }
//
// A parameter's value is its text as typed (a JSON number is taken as the
// text it is written as); a parameter left out takes the template's
// example, an optional one stays absent. "target" and "vary" come together
// or not at all. A batch line of `tarvel-calc field --batch` is the same
// object, where "format" and "version" may be left out.
//
// Version 2 added "losses" (the names are those of the command line: the
// template's loss tangents, sigma, roughness, rq, rnod, sr); a file of
// version 1 has none and reads as before, and is written back as version 2.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "designer.h"
#include "rlgc.h"

namespace tarvel::fieldsolve {

constexpr const char* kProjectFormat = "tarvel-projeto-de-linha";
constexpr int kProjectVersion = 2;
// The first version with "losses".
constexpr int kProjectLossesVersion = 2;
// The longest project file read.
constexpr std::size_t kProjectMaxBytes = std::size_t(1) << 20;

struct DesignProject {
    Template structure = Template::Microstrip;
    Unit unit = Unit::Mm;
    std::vector<std::pair<std::string, std::string>> parameters; // name, text as typed, in order
    std::vector<Target> targets;                                 // empty: an analysis
    std::vector<std::string> vary;
    // The loss parameters by their names (lossNames), texts as typed; none:
    // the program's defaults.
    std::vector<std::pair<std::string, std::string>> losses;
};

// Reads a project's text. Returns the Portuguese reason it is refused
// (damaged, truncated, not a project, an unknown version, an unknown
// structure or unit, a malformed target), empty when it was read; `out` is
// changed only then. With `versionOptional` (a batch line) "format" and
// "version" may be absent.
std::string readDesignProject(std::string_view text, DesignProject& out, bool versionOptional = false);

// The project's text, ending in a newline; reads back as the same project.
std::string writeDesignProject(const DesignProject& project);

// The project's design (its texts read in its unit), or the reason it is
// refused, naming the field.
std::string designOf(const DesignProject& project, Design& out);

// The loss parameters of a template, in the order the designer window shows
// them: its loss tangents (templateTandNames), then sigma (S/m), roughness
// (none, hammerstad or huray), rq (um rms, Hammerstad-Jensen), rnod (um,
// the spheres' radius) and sr (the surface ratio, Huray).
std::vector<std::string> lossNames(Template kind);
// What a loss parameter is, in Portuguese ("tanδ de er1", "rugosidade
// rms"), and its unit ("µm", "S/m", or none); empty for another name.
std::string lossLabel(std::string_view name);
std::string lossUnit(std::string_view name);
// The roughness models by their names: none, hammerstad, huray.
const std::vector<std::string>& roughnessNames();

// The loss parameters of a line from their texts (name, text as typed):
// the loss tangents by the names its dielectrics read (`tandNames`; one
// empty or left out is 0), the metal's sigma (empty: a perfect metal) and
// roughness (empty: none); rq is read for Hammerstad-Jensen, rnod (0.5 um
// when empty) and sr for Huray, and only then. Returns the Portuguese
// reason, naming the field, when a text is refused (empty when read); `out`
// is changed only then.
struct LineLosses {
    std::vector<std::pair<std::string, double>> tands; // by name, in the order of tandNames
    MetalLoss metal;
};
std::string readLineLosses(const std::vector<std::string>& tandNames,
                           const std::vector<std::pair<std::string, std::string>>& texts, LineLosses& out);

// The losses of a design from the texts of its loss parameters (name, text
// as typed): a loss tangent empty or left out is 0, an empty sigma a
// perfect metal, an empty roughness none; rq is read for Hammerstad-Jensen,
// rnod (0.5 um when empty) and sr for Huray, and only then. Both metals
// take sigma and the roughness. Returns the Portuguese reason, naming the
// field, when a text is refused (empty when read); `out` is changed only
// then.
std::string lossesOf(const Design& design, const std::vector<std::pair<std::string, std::string>>& texts,
                     LossInputs& out);

// "Z0" -> Quantity::Z0 ...; false for another name.
bool quantityNamed(std::string_view name, Quantity& out);

} // namespace tarvel::fieldsolve
