// The mathematical and physical constants of the line models, each written
// once. The models were calibrated with these very long double values: most
// derived constants are the 17-digit decimals (a double's shortest form) the
// models have always used, read as long double, which differ from the exact
// long double product in the last bits. Where a model uses the exact product
// instead, the name says so. Change none of them without meaning to change
// results: the golden tests compare to 1e-12.
#pragma once

namespace tarvel::physics {

// Mathematics.
inline constexpr long double pi = 3.141592653589793238462643383279502884L;
inline constexpr long double euler = 2.718281828459045235360287471352662498L; // e
inline constexpr long double ln10 = 2.302585092994045684017991454684364208L;

// Multiples of pi, as the models were calibrated.
inline constexpr long double fourPi = 12.566370614359172L;
inline constexpr long double fourPiExact = 4 * pi;
inline constexpr long double halfPi = 1.5707963267948966L;
inline constexpr long double quarterPi = 0.7853981633974483L;
inline constexpr long double invPi = 0.3183098861837907L;
inline constexpr long double invTwoPi = 0.15915494309189535L;
inline constexpr long double onePointTwoFiveOverPi = 0.3978873577297383L;
inline constexpr long double thirtyPi = 94.2477796076938L;
inline constexpr long double sixtyPi = 188.4955592153876L;
inline constexpr long double radiationConstant = 1507.9644737231007L; // 480 pi

// Free space.
inline constexpr long double mu0 = 1.2566370614359173e-06L;    // 4 pi 1e-7 H/m
inline constexpr long double mu0Exact = 4 * pi * 1e-7L;        // H/m
inline constexpr long double eps0 = 8.854187e-12L;              // F/m
inline constexpr long double eps0OverPi = 2.8183752562199988e-12L;
inline constexpr long double c0 = 3e8L;                         // m/s
inline constexpr long double invC0 = 3.3333333333333334e-09L;   // 1/c0, s/m
inline constexpr long double eta0 = 376.9911184307752L;         // 120 pi, ohm
inline constexpr long double eta0To17Digits = 376.99111843077519L; // 120 pi, ohm
inline constexpr long double invEta0 = 0.002652582384864922L;   // 1/(120 pi)
inline constexpr long double eta0Squared = 141925.74218682272L; // (120 pi)^2 rounded: eta0 ~ 376.7303 ohm

// The vacuum as SI defines it, for the field solver and for tests that
// check against exact results. These are not the models' values above:
// each model keeps the rounded constants it was calibrated with (c0 = 3e8,
// eps0 = 8.854187e-12, eta0 = 120 pi), and its results are bound to them.
// The field solver, free of any calibration, takes c exactly and
// mu0 = 4 pi 1e-7 H/m, the value that defined the ampere until 2019 (the
// measured value since differs by 5.5e-10, far below anything a field
// solution resolves); eps0 and eta0 follow from them, so that
// Z0 = eta0 / sqrt(C C_air / eps0^2) = 1 / (c sqrt(C C_air)) holds exactly.
namespace si {
inline constexpr double c = 299792458.0;                // m/s
inline constexpr double mu0 = 1.2566370614359173e-06;   // 4 pi 1e-7 H/m
inline constexpr double eps0 = 8.8541878176203899e-12;  // 1 / (mu0 c^2), F/m
inline constexpr double eta0 = 376.73031346177066;      // mu0 c, ohm
} // namespace si

// Attenuation: decibels per neper as the models round it, and times pi.
inline constexpr long double dbPerNeper = 8.68L;
inline constexpr long double dbPerNeperPi = 27.269024233159406L;

} // namespace tarvel::physics
