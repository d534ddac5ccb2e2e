// SPDX-License-Identifier: GPL-3.0-or-later
// Reading typed numbers and writing result texts. Both ignore the process
// locale: the decimal separator is always the point.
#pragma once
#include <string>
#include <string_view>

#include "real48.h"

namespace tarvel {

// Strict reader: optional blanks, sign, digits, optional point with digits,
// optional exponent, optional blanks. Empty (or blank) text reads as 0. Text
// that is not a number in full reads as NaN, so it fails the check of its
// field at that check's turn.
Real readNumber(std::string_view text);

// The number at the start of a catalogue entry ("2.10 - PTFE: ..." is 2.10,
// "9.0   µm ED(1/4 oz)" is 9.0). An entry without a leading number reads 0.
Real leadingNumber(std::string_view text);

// Fixed point with exactly `decimals` digits, no leading blanks, halves
// rounded away from zero on the exact value, never "-0.0000".
std::string formatFixed(Real value, int decimals);
// The same text from the exact decimal digits of the value: the general
// way, which formatFixed takes for what integers cannot hold.
std::string formatFixedByDigits(Real value, int decimals);

inline std::string resultText(Real value) { return formatFixed(value, 4); }

} // namespace tarvel
