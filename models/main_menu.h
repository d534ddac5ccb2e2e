// SPDX-License-Identifier: GPL-3.0-or-later
// The submenus of the main menu, each written once; every window description
// names the submenu its item sits in (window_description.h), and the main
// window builds its menu from the descriptions.
#pragma once
#include "framework/core/window_description.h"

namespace tarvel::menu {

inline constexpr MenuFolder analysis{"&Análise", "analise", nullptr};
inline constexpr MenuFolder analysisMicrostrip{"Microstrip", "Microfita1", &analysis};
inline constexpr MenuFolder analysisStripline{"StripLine", "Stripline1", &analysis};
inline constexpr MenuFolder analysisCoplanar{"Coplanares", "Coplanar1", &analysis};
inline constexpr MenuFolder analysisCpw{"WaveGuide - CPW", "CPW1", &analysisCoplanar};
inline constexpr MenuFolder analysisCps{"Strips - CPS", "CPS1", &analysisCoplanar};
inline constexpr MenuFolder analysisCoupled{"Acopladas", "Acopladas1", &analysis};

inline constexpr MenuFolder synthesis{"&Síntese", "sintese", nullptr};
inline constexpr MenuFolder synthesisMicrostrip{"Microstrip", "MicroFita2", &synthesis};
inline constexpr MenuFolder synthesisStripline{"StripLine", "StripLine3", &synthesis};
inline constexpr MenuFolder synthesisCoupled{"Acopladas", "Acopladas3", &synthesis};

// The two items under a line that has both substrates.
inline const char* const nonConducting = "Substrato Não Condutor";
inline const char* const conducting = "Substrato Condutor";

} // namespace tarvel::menu
