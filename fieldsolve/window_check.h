// SPDX-License-Identifier: GPL-3.0-or-later
// The check of a calculator window's closed forms against the field: the
// cross-section the window's inputs (or, for a synthesis, its synthesised
// geometry) describe, solved by the field solver, beside the Z0 and eeff
// (or the two modes) that the window's formulas give for it. The window
// names its section (its description's `section`); nothing here knows a
// control of any window.
//
// Planning reads the window's compute and is quick; solving is the slow
// part and may run on another thread.
#pragma once
#include <string>
#include <vector>

#include "framework/core/calculator.h"
#include "sections.h"

namespace tarvel::fieldsolve {

// One compared quantity: what the window's formula gives and what the
// field gives, with the formula's deviation from the field in per cent.
struct Compared {
    std::string name; // "Z0", "eeff", "Z0 par", "Z0 ímpar", "eeff par", "eeff ímpar"
    std::string unit; // "Ohms" or empty
    bool hasFormula = true; // false when the window's model faulted: a field value alone
    double formula = 0;
    double field = 0;
    double differencePercent = 0; // 0 without a formula value
};

struct CheckPlan {
    enum class Kind {
        Ready,    // a geometry to solve and formula values to compare (none when `fault` is said)
        Nothing,  // the window's structure has nothing to check (message says why)
        Refused,  // the window's own checks refused the inputs (message is theirs)
        Fault,    // the model faulted and left no section to solve (message is the fault's text)
    };
    Kind kind = Kind::Nothing;
    std::string message;
    SectionKind section = SectionKind::TwoWire;
    // The arithmetic fault that stopped the window's model, or empty. An
    // analysis whose inputs passed its checks still has its section Ready
    // for the field, with rows that carry no formula value.
    std::string fault;
    Geometry geometry;
    // Formula values in the order of Compared rows: Z0 (or Z0 par, Z0 ímpar),
    // then eeff (or eeff par, eeff ímpar) where the window gives one.
    std::vector<Compared> rows;
};

// The plan for a window whose description is `d`, from its field texts.
CheckPlan planCheck(const WindowDescription& d, const FieldTexts& fields);

struct WindowCheck {
    CheckPlan plan;
    Solution solution;
    std::vector<Compared> rows; // the plan's rows with the field values filled

    // The text of the fault that stopped the window's formulas, or empty.
    const std::string& formulaFault() const { return plan.fault; }
};

// Solves the plan's geometry (only when the plan is Ready); `cancel` as in
// solve().
WindowCheck runCheck(const CheckPlan& plan, double tolerance = 5e-4, const std::atomic<bool>* cancel = nullptr);

// The text said when a structure has no check.
const char* noQuasiStaticCheck();

} // namespace tarvel::fieldsolve
