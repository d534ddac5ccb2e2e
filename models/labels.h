// SPDX-License-Identifier: GPL-3.0-or-later
// The captions that windows of several families spell alike, each written
// once, and the rows built from them that several families show or print.
#pragma once
#include <vector>

#include "framework/core/describe.h"

namespace tarvel::label {

inline constexpr const char* frequency = "Freqüência (GHz):";
inline constexpr const char* permittivity = "Constante dielétrica relativa:";
inline constexpr const char* conductor = "Condutividade do condutor (S/m):";
inline constexpr const char* lossTangent = "Tangente de perda do dielétrico:";
inline constexpr const char* substrateConductivity = "Condutividade do dielétrico (S/m):";
inline constexpr const char* height = "Altura do dielétrico (mm):";
inline constexpr const char* thickness = "Espessura da fita condutora (mm):";
inline constexpr const char* stripWidth = "Largura da fita condutora (mm):";
inline constexpr const char* stripsWidth = "Largura das fitas condutoras (mm):";
inline constexpr const char* stripsSeparation = "Separação entre as fitas condutoras (mm):";

inline constexpr const char* impedance = "Impedância característica (Ohms):";
inline constexpr const char* effectivePermittivity = "Constante dielétrica relativa efetiva:";
inline constexpr const char* surfaceResistivity = "Resistividade superficial do condutor (Ohms):";
inline constexpr const char* endEffect = "Encurtamento de fim de linha (mm):";
inline constexpr const char* conductorLoss = "Atenuação no condutor (dB/cm):";
inline constexpr const char* dielectricLoss = "Atenuação no dielétrico (dB/cm):";
inline constexpr const char* totalLoss = "Atenuação total (dB/cm):";
inline constexpr const char* qualityHeading = "Fator de qualidade:";
inline constexpr const char* conductorQ = "Correspondente as perdas no condutor:";
inline constexpr const char* dielectricQ = "Correspondente as perdas no dielétrico:";
inline constexpr const char* totalQ = "Fator de qualidade total:";

// A coupled pair: the even mode ("par") and the odd mode ("ímpar").
inline constexpr const char* evenImpedance = "Impedância característica modo par (Ohms):";
inline constexpr const char* oddImpedance = "Impedância característica modo ímpar (Ohms):";
inline constexpr const char* evenPermittivity = "Constante dielétrica relativa efetiva modo par:";
inline constexpr const char* oddPermittivity = "Constante dielétrica relativa efetiva modo ímpar:";
inline constexpr const char* realWidth = "Largura real das fitas condutoras (mm):";
inline constexpr const char* realSeparation = "Separação real entre as fitas (mm):";
inline constexpr const char* conductorLossEven = "Atenuação no condutor modo par (dB/cm):";
inline constexpr const char* conductorLossOdd = "Atenuação no condutor modo ímpar (dB/cm):";
inline constexpr const char* dielectricLossEven = "Atenuação no dielétrico modo par (dB/cm):";
inline constexpr const char* dielectricLossOdd = "Atenuação no dielétrico modo ímpar (dB/cm):";
inline constexpr const char* totalLossEven = "Atenuação total modo par (dB/cm):";
inline constexpr const char* totalLossOdd = "Atenuação total modo ímpar (dB/cm):";

} // namespace tarvel::label

namespace tarvel::common {

// The two mode impedances a synthesis of the pair starts from.
inline std::vector<InputSpec> modeImpedanceInputs()
{
    return {describe::edit("ImpModoPar", label::evenImpedance), describe::edit("ImpModoimpar", label::oddImpedance)};
}

// The result fields of the conductor, dielectric and total loss of each mode.
struct ModeLosses {
    const char *conductorEven, *conductorOdd;
    const char *dielectricEven, *dielectricOdd;
    const char *totalEven, *totalOdd;
};
// As both syntheses of a pair name them.
inline const ModeLosses synthesisLosses = {"AtconMp", "AtconMi", "AtdielMp", "AtdielMi", "AtentotalMp", "AtentotalMi"};

// Each loss for the even mode, then the odd, on screen and in the report.
inline std::vector<ResultSpec> modeLossResults(const ModeLosses& c)
{
    using describe::result;
    return {result(c.conductorEven, label::conductorLossEven),   result(c.conductorOdd, label::conductorLossOdd),
            result(c.dielectricEven, label::dielectricLossEven), result(c.dielectricOdd, label::dielectricLossOdd),
            result(c.totalEven, label::totalLossEven),           result(c.totalOdd, label::totalLossOdd)};
}
inline std::vector<ReportLine> modeLossLines(const ModeLosses& c) { return describe::linesOf(modeLossResults(c)); }

} // namespace tarvel::common
