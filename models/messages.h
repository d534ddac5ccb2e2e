// SPDX-License-Identifier: GPL-3.0-or-later
// The check messages that windows of several families spell alike, each
// spelling written once. A family's own spellings live beside its checks.
#pragma once

namespace tarvel::message {

inline constexpr const char* frequency = "Freqüência inválida!!";
inline constexpr const char* frequencyCapitals = "Freqüência Inválida!!";
inline constexpr const char* permittivity = "Constante dielétrica relativa inválida!!";
inline constexpr const char* conductor = "Condutividade do condutor inválida!!";
inline constexpr const char* lossTangent = "Tangente de perda do dielétrico inválida!!";
inline constexpr const char* substrateConductivity = "Condutividade do dielétrico inválida!!";
inline constexpr const char* stripWidth = "Largura da fita condutora inválida!!";
inline constexpr const char* slotWidth = "Largura da fenda inválida!!";
inline constexpr const char* height = "Altura do dielétrico inválida!!";
inline constexpr const char* thickness = "Espessura da fita condutora inválida!!";
inline constexpr const char* thicknessCapitals = "Espessura da Fita Condutora Inválida!!";
inline constexpr const char* heightOverThickness = "Altura do dielétrico deve ser maior que a espessura da fita H>>t!!";
inline constexpr const char* impedance = "Impedância característica inválida!!";

// A coupled pair's synthesis starts from the impedances of its two modes.
inline constexpr const char* evenImpedance = "Impedância Característica Modo Par Inválida!!";
inline constexpr const char* oddImpedance = "Impedância Característica Modo Ímpar Inválida!!";
inline constexpr const char* evenAboveOdd =
    "Impedância Característica Modo Par deve ser Maior que a do Modo Ímpar (Zoe>Zoo)!!";

} // namespace tarvel::message
