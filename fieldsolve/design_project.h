// The designer's project file: text, one JSON object, with a format name and
// version, the structure, the unit of its lengths, the texts of its
// parameters as typed, and optionally the synthesis it asks for:
//
//   {
//     "format": "tarvel-projeto-de-linha",
//     "version": 1,
//     "structure": "coupled-microstrip",
//     "unit": "mm",
//     "parameters": {"W": "0.2", "S": "0.2", "h": "0.2", "t": "0.035", "er": "4.3"},
//     "target": {"Zdiff": "100"},
//     "vary": ["W"]
//   }
//
// A parameter's value is its text as typed (a JSON number is taken as the
// text it is written as); a parameter left out takes the template's
// example, an optional one stays absent. "target" and "vary" come together
// or not at all. A batch line of `tarvel-calc field --batch` is the same
// object, where "format" and "version" may be left out.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "designer.h"

namespace tarvel::fieldsolve {

constexpr const char* kProjectFormat = "tarvel-projeto-de-linha";
constexpr int kProjectVersion = 1;
// The longest project file read.
constexpr std::size_t kProjectMaxBytes = std::size_t(1) << 20;

struct DesignProject {
    Template structure = Template::Microstrip;
    Unit unit = Unit::Mm;
    std::vector<std::pair<std::string, std::string>> parameters; // name, text as typed, in order
    std::vector<Target> targets;                                 // empty: an analysis
    std::vector<std::string> vary;
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

// "Z0" -> Quantity::Z0 ...; false for another name.
bool quantityNamed(std::string_view name, Quantity& out);

} // namespace tarvel::fieldsolve
