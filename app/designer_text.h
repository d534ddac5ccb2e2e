// SPDX-License-Identifier: GPL-3.0-or-later
// The field designer's results as text: the rows the window shows, copies
// and prints, each written once here.
#pragma once
#include <vector>

#include <QString>

#include "fieldsolve/designer.h"

namespace tarvel::ui::designer {

struct ResultRow {
    QString key;   // "Z0", "Zdiff", "C12", "erro" ...: the result box's name
    QString label; // Portuguese, with the unit
    QString value; // the number as shown
};

// The rows of a single line or of a pair (keys as `tarvel-calc field`
// names its JSON keys where it has one).
std::vector<ResultRow> resultRows(const fieldsolve::Analysis& a);
// The keys of the rows of a single line or of a pair, in order.
std::vector<ResultRow> emptyRows(bool pair);

// What the analysis says beside its numbers: an asymmetric pair's modes, a
// solve that ended at the mesh's limit. Empty when there is nothing to say.
QString analysisNote(const fieldsolve::Analysis& a);

// "1 solução de campo", "12 soluções de campo".
QString solvesText(int solves);

// A length in the unit shown (lengths are mm inside).
double toUnit(double mm, fieldsolve::Unit unit);
QString lengthText(double mm, fieldsolve::Unit unit);

} // namespace tarvel::ui::designer
