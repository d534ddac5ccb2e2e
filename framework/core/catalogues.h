// SPDX-License-Identifier: GPL-3.0-or-later
// The material catalogues of the combo boxes, as rows. Every list starts
// with a blank entry; where a window spells an entry otherwise (the windows
// differ in blanks inside the entries), the window says so.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "window_description.h"

namespace tarvel::catalogue {

using List = std::vector<std::string>;

// An entry of a list: its text (the value it reads as is the number at its
// start) and what picking it writes into the list's companion fields, one
// text per companion in the order the list names them.
struct Row {
    std::string text;
    std::vector<std::string> fills = {};
};

struct Catalogue {
    std::vector<Row> rows;

    List texts() const;
    // What picking each row writes into the given fields, in that order; a
    // window may name fewer fields than the rows carry.
    std::vector<Fill> fillsInto(const std::vector<std::string>& fields) const;
    // The same rows with some texts spelled as a window lists them.
    Catalogue respelled(const std::vector<std::pair<std::size_t, std::string>>& texts) const;
    // ... and with more rows after them.
    Catalogue with(const std::vector<Row>& more) const;
};

// The lists in their most common spelling. Every list starts with the blank
// entry, which fills its companions with a blank.
Catalogue conductorRows();     // S/m
Catalogue dielectricRowsA();   // two-wire and coaxial: fills the loss tangent, then the dielectric strength
Catalogue dielectricRowsB();   // laminates: fills the loss tangent
Catalogue dielectricRowsC();   // conducting substrates: fills the substrate conductivity
Catalogue dielectricRowsD();   // slotline: a pick leaves only its number in the box
Catalogue thicknessRows();     // micrometres
Catalogue heightRows();        // millimetres

// An entry whose number is in micrometres: a pick of it reads as that many
// micrometres, the same number typed as millimetres.
bool inMicrometres(const std::string& entry);

// Without the blank entry, as the commercial parameters dialog lists them.
List withoutBlank(List list);

} // namespace tarvel::catalogue
