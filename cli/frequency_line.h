// SPDX-License-Identifier: GPL-3.0-or-later
// What the frequency verbs of tarvel-calc share (sweep, export, and the
// frequency of field): a line read from STRUCTURE nome=valor ... with its
// loss parameters, the frequency options, the line's static solve reduced
// to its model, and each frequency's results in text, CSV and JSON.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "fieldsolve/design_losses.h"
#include "fieldsolve/designer.h"
#include "fieldsolve/rlgc.h"
#include "shared.h"

namespace tarvel::cli {

// A line and its losses as the arguments give them: one of the field
// designer's templates (the structures of the field verb), or a coaxial or
// two-wire line.
struct LineArgs {
    std::string structure; // as given (microstrip, coupled-stripline, coax, ...)
    std::optional<fieldsolve::Design> design;
    fieldsolve::Geometry geometry; // coax and two-wire
    fieldsolve::LossInputs losses;
    // The loss tangents as given, by name (tand, tand1, ...).
    std::vector<std::pair<std::string, double>> tands;
    fieldsolve::Unit unit = fieldsolve::Unit::Mm; // of the lengths as given
};

// The loss parameters of a line, by name, taken out of name=text pairs:
// the loss tangents (tand, tand1, tand2, ctand), sigma (S/m), rq (um rms),
// roughness=none|hammerstad|huray, huray's rnod (um) and sr.
bool lossParameter(const std::string& name);

// Reads the loss parameters for the design (its layers' loss tangents by
// their names) or the geometry, into `out.losses`: exit 2 with the reason
// for a value that cannot be, 64 for a name the structure does not read.
std::optional<Problem> readLosses(const Texts& texts, LineArgs& out);

// Reads STRUCTURE nome=valor ...: a template of the field verb with its
// parameters (lengths in mm, unit=mil: mils), or coax d D er, two-wire d D
// er; then the loss parameters.
std::optional<Problem> readLine(const std::vector<std::string>& args, std::size_t from, LineArgs& out);

// --from F1 --to F2 --points N [--log], taken out of args. The range is of
// frequencies, or with `dimension` of a dimension's values (its messages
// say so).
struct Band {
    double from = 0, to = 0;
    std::size_t points = 0;
    bool logarithmic = false;
};
std::optional<Problem> readBand(std::vector<std::string>& args, Band& out, bool dimension = false);

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
// The keys of one frequency as (key, JSON value): a line's R, L (with the
// internal inductance), G, C, Zc, attenuation, beta, eeff and delay; a
// pair's R, L, G, C matrices and an object per mode ("even" and "odd", or
// of an asymmetric pair "c" and "pi", each with its V2_over_V1).
std::vector<std::pair<std::string, std::string>> frequencyPairs(const fieldsolve::LineAt& at);
// The columns of csvRow: f_Hz, then each mode's keys (a pair's prefixed
// even_ and odd_, or c_ and pi_ with their V2_over_V1_re and _im).
std::vector<std::string> csvHeader(bool pair, bool general = false);
std::vector<std::string> csvRow(const fieldsolve::LineAt& at);
// A number as the frequency verbs write it (C locale, 10 significant digits).
std::string number(double v);
// A number with a fixed count of decimals, as field writes its results
// ("null" when it is not finite).
std::string fixed(double v, int decimals);
// The analysis keys of a line as field writes them: Z0 and eeff, or a
// pair's Z0e, Z0o, eeff_e, eeff_o, Zdiff, Zcm and k; then error_percent.
std::vector<std::pair<std::string, std::string>> analysisPairs(const fieldsolve::Analysis& a);
// A usage problem for the first option left in args that no verb took.
std::optional<Problem> unknownOption(const std::vector<std::string>& args);

} // namespace tarvel::cli
