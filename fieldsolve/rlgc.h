// SPDX-License-Identifier: GPL-3.0-or-later
// A line against frequency from its static solution: R, L, G, C per metre,
// the complex characteristic impedance and propagation constant, for a
// single line or for each mode of a symmetric pair (and the pair's 2 x 2
// matrices). The static solve is done once; every frequency after it is a
// few operations.
//
// Conductors. R_ac = K Rs S per metre, with Rs = sqrt(pi f mu0 / sigma),
// S the surface integral of the field (losses.h) and K the roughness
// factor. It holds where the skin depth is small against the metal. Below
// that each metal's resistance tends to its value at DC, 1/(sigma A) for
// the conductors of cross-section A the current runs through, and the two
// are joined as R = sqrt(R_dc^2 + R_ac^2): never under the DC value, the
// skin-effect value where it dominates. The internal inductance follows
// the same join, omega L_int = R_ac^2 / R (smooth metal): omega L_int = R_ac
// at high frequency (the surface impedance Rs (1 + j)), and at DC it tends
// to R_ac^2 / (omega R_dc), a constant; for a round wire exactly mu0/(8 pi).
//
// Dielectrics. G = omega C sum(share_i tan delta_i), each layer's share of
// the electric energy; a constant loss tangent.
//
// A pair in general (an asymmetric one, solved by the voltages of its
// strips) is given by its 2 x 2 matrices per metre: each metal's surface
// matrix S (R_ac = K Rs S), C, C_air, and the loss tangents weighted by the
// layers' shares of C. Its R joins the DC value and the skin effect as
// the single line does, as a function of the symmetric matrix (the same
// join on each of its eigenvalues: R = sqrt(R_dc^2 + R_ac^2) with R_dc the
// strips' own, equal, DC resistance), and its internal inductance alike.
// Its modes are the eigenvectors of Z Y = (R + j omega L)(G + j omega C):
// coupled-line theory's c mode (the strips' voltages in phase) and pi mode
// (in opposition), each with its ratio V2/V1; of a symmetric pair they are
// the even and odd modes. A mode's impedance is V.V / V.I (unconjugated,
// its voltages V and currents I on the two strips): the per-strip
// impedance of a symmetric pair's mode, the impedance of the strip that
// carries the mode when the strips are far apart. A mode's R and L per
// metre are those of the power of its currents I, I^H R I / I^H I, its G
// and C those of its voltages (alpha_c and alpha_d from them as for a
// line); of a symmetric pair, the even and odd modes'. Where the two modes
// travel alike (no loss in one dielectric: Z Y a multiple of the identity)
// any two drives are modes, and they are the lossless analysis's: the
// common drive (both strips at one voltage) and the differential one
// (equal and opposite currents).
//
// Where it holds. The quasi-static field is the TEM limit of a cross-section
// small against the wavelength; the model refuses frequencies at which the
// cross-section's largest dimension reaches a tenth of the wavelength in its
// densest dielectric.
#pragma once
#include <array>
#include <complex>
#include <limits>
#include <string>
#include <vector>

#include "losses.h"
#include "models/physics.h"

namespace tarvel::fieldsolve {

// The vacuum of the field solver.
constexpr double kLight = physics::si::c;
constexpr double kMu0 = physics::si::mu0;

enum class Roughness { None, Hammerstad, Huray };

struct MetalLoss {
    double sigma = std::numeric_limits<double>::infinity(); // S/m; infinite: no loss
    Roughness roughness = Roughness::None;
    double rq = 0;          // rms height of the surface (m), Hammerstad-Jensen
    double nodule = 0.5e-6; // radius of the spheres (m), Huray
    double ratio = 0;       // Huray's surface ratio: spheres' area over the flat area they stand on
};

struct LossInputs {
    std::array<MetalLoss, kMetals> metal;
    // The loss tangent of each dielectric layer of the solved problem (its
    // order: one for the structures of one dielectric); missing: none.
    std::vector<double> tand;
    double unit = 1e-3; // metres per unit of the geometry's lengths
};

// The reason the inputs cannot be used (empty when they can).
std::string invalidLossInputs(const LossInputs& in);

// Surface resistance and skin depth.
double surfaceResistance(double f, double sigma);
double skinDepth(double f, double sigma);
// The factor by which roughness multiplies the smooth surface's loss.
double roughnessFactor(const MetalLoss& m, double f);

// Per metre, at one frequency, for one mode (per strip of a pair).
struct ModeAt {
    double r = 0, l = 0, g = 0, c = 0;   // ohm/m, H/m, S/m, F/m
    double rDc = 0;                      // ohm/m
    std::complex<double> zc, gamma;      // ohm, 1/m (alpha + j beta)
    double alphaC = 0, alphaD = 0;       // Np/m, the low-loss shares
    double eeff = 0;                     // (beta c / omega)^2
    double delay = 0;                    // group delay, s/m
    std::complex<double> ratio = 1;      // a pair's mode: V2 / V1 (even 1, odd -1)
    double alpha() const { return gamma.real(); }
    double beta() const { return gamma.imag(); }
};

using Matrix2 = std::array<std::array<double, 2>, 2>;

struct LineAt {
    double f = 0;
    std::vector<ModeAt> modes; // one, or the even and the odd mode (the c and pi modes in general)
    bool general = false;      // a pair given by its matrices: its modes are the c and pi modes
    // A pair's matrices per metre, line 1 and line 2 (Maxwell's form of C).
    Matrix2 r{}, l{}, g{}, c{};
};

// The line reduced to what frequency needs.
struct LineModel {
    struct Mode {
        double c = 0, cAir = 0; // F/m
        std::array<double, kMetals> surface{}; // R_ac / Rs per metre, smooth
        double tand = 0;                       // the energy-weighted loss tangent
    };
    std::vector<Mode> modes; // empty for a pair in general
    // A pair in general, per metre: what its modes are found from.
    struct Matrices {
        std::array<Matrix2, kMetals> surface{}; // R_ac / Rs of each metal, smooth
        Matrix2 c{}, cAir{};                    // F/m, Maxwell's form
        Matrix2 cTand{};                        // sum over the layers of tan delta times their share of C
    };
    bool general = false;
    Matrices matrices;
    std::array<MetalLoss, kMetals> metal;
    std::array<double, kMetals> rDc{}; // ohm/m
    bool pair = false;
    double fMax = 0;   // Hz, the quasi-static limit
    double error = 0;      // estimated relative error of the static solution (Z0, C, L)
    double surfaceError = 0; // estimated relative error of the conductor loss's surface integrals
};

// The frequency at which the frame's largest transverse dimension reaches
// a tenth of the wavelength in its densest dielectric.
double quasiStaticLimit(const LossFrame& frame, double unit);

// Fails (with the reason) for inputs the model refuses.
LineModel lineModel(const LossSolution& s, const LossInputs& in, std::string& failure);

// The reason the frequency cannot be answered (empty when it can).
std::string invalidFrequency(const LineModel& m, double f);

LineAt evaluate(const LineModel& m, double f);

// A symmetric pair's model written in general, by its matrices (which
// its even and odd modes diagonalise).
LineModel generalForm(const LineModel& symmetricPair);

// The modes of a pair of per-metre matrices at f: the propagation
// constants (real parts not negative) and the voltages of each mode
// (columns), the c mode first; see above.
struct PairModes {
    std::array<std::complex<double>, 2> gamma;
    std::array<std::array<std::complex<double>, 2>, 2> v; // v[strip][mode]
};
PairModes pairModes(const Matrix2& r, const Matrix2& l, const Matrix2& g, const Matrix2& c, double f);

// f1 ... f2 in n points, linear or logarithmic; one point is f1.
std::vector<double> frequencies(double f1, double f2, std::size_t n, bool logarithmic);
constexpr std::size_t kMaxPoints = 100000;
// The reason a sweep cannot be made (empty when it can).
std::string invalidSweep(const LineModel& m, double f1, double f2, std::size_t n);

std::vector<LineAt> sweep(const LineModel& m, const std::vector<double>& f);

// Nepers to decibels.
constexpr double kDbPerNeper = 8.685889638065036553;

} // namespace tarvel::fieldsolve
