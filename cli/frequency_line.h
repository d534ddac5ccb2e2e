// What the frequency verbs of tarvel-calc share (sweep, export, and the
// frequency of field): a line read from STRUCTURE nome=valor ... with its
// loss parameters, the frequency options, the line's static solve reduced
// to its model, and each frequency's results in text, CSV and JSON.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "fieldsolve/rlgc.h"
#include "shared.h"

namespace tarvel::cli {

// A line and its losses as the arguments give them.
struct LineArgs {
    std::string structure; // as given (microstrip, coupled-stripline, ...)
    fieldsolve::Geometry geometry;
    fieldsolve::LossInputs losses;
};

// Reads STRUCTURE nome=valor ...: lengths in mm (unit=mil: mils), the
// permittivities, the loss tangents (tand, or tand1 and tand2 beside er1
// and er2), the metal's sigma (S/m), rq (um rms), roughness=none|
// hammerstad|huray with huray's rnod (um) and sr. Exit 2 with the reason
// for a value that cannot be, 64 for a name the structure does not know.
std::optional<Problem> readLine(const std::vector<std::string>& args, std::size_t from, LineArgs& out);

// --from F1 --to F2 --points N [--log]; other options are left in `rest`.
struct Band {
    double from = 0, to = 0;
    std::size_t points = 0;
    bool logarithmic = false;
};
std::optional<Problem> readBand(std::vector<std::string>& args, Band& out);

// The value of "--name VALUE" (removed from args), or nullopt when absent;
// a missing value is a problem.
std::optional<std::string> takeOption(std::vector<std::string>& args, const std::string& name,
                                      std::optional<Problem>& problem);
bool takeFlag(std::vector<std::string>& args, const std::string& name);

// The static solve and the line's model; refuses frequencies beyond the
// model before solving. `notReached` tells that the field's solve ended at
// a limit of the mesh without its tolerance (the values are its best).
struct SolvedLine {
    fieldsolve::LineModel model;
    fieldsolve::SectionSolution statics;
    bool notReached = false;
};
std::optional<Problem> solveLine(const LineArgs& line, const std::vector<double>& frequencies, SolvedLine& out);

// The notice printed when the field's solve did not reach its tolerance.
std::string notReachedNotice(const fieldsolve::SectionSolution& s);

// One frequency's results.
std::string lineAtJson(const fieldsolve::LineAt& at);
std::vector<std::string> csvHeader(bool pair);
std::vector<std::string> csvRow(const fieldsolve::LineAt& at);
// A number as the frequency verbs write it (C locale, 10 significant digits).
std::string number(double v);

} // namespace tarvel::cli
