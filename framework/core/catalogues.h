// The material catalogues of the combo boxes. Every list starts with a blank
// entry; the windows differ in blanks inside the entries, so each list is
// asked for by window number.
#pragma once
#include <string>
#include <vector>

namespace tarvel::catalogue {

using List = std::vector<std::string>;

List conductors(int window);        // S/m
List dielectricsA(int window);      // two-wire and coaxial
List lossTangentsA();               // what a pick of A writes into the loss field
List strengthsA();                  // ... and into Rigidez (coaxial)
List dielectricsB(int window);      // laminates
List lossTangentsB();
List dielectricsC(int window);      // conducting substrates
List conductivitiesC();             // what a pick of C writes into the conductivity field
List dielectricsD();                // slotline
List numbersD();                    // a pick of D replaces the text by its number
List thicknesses(int window);       // micrometres
// An entry whose number is in micrometres: a pick of it reads as that many
// micrometres, the same number typed as millimetres.
bool inMicrometres(const std::string& entry);
List heights();                     // millimetres

// Without the blank entry, as the commercial parameters dialog lists them.
List dialogConductors();
List withoutBlank(List list);

} // namespace tarvel::catalogue
