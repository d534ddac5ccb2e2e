// The cross-sections of the line structures and their quasi-static
// parameters from the field: capacitance per unit length with the
// dielectric and with air, Z0 = 1/(c sqrt(C C_air)), eeff = C/C_air, and the
// even and odd modes of the coupled lines by a symmetry wall.
//
// Each planar section is solved on half of its cross-section (x >= 0): a
// mirror wall on the symmetry plane for a single strip or an even mode, a
// grounded wall for a balanced line or an odd mode. An open structure lies
// in a grounded box far from it; the box's own effect is estimated from a
// box half as large. The meshes are refined by halving every cell until
// Richardson's estimate between the last meshes is within the tolerance.
//
// Round conductors (coaxial and two-wire lines) are solved in the plane
// where the conformal map of their cross-section is a rectangle (ln r and
// the angle for the coaxial line, bipolar coordinates for the two wires):
// their field there is exact on any mesh.
#pragma once
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "field.h"

namespace tarvel::fieldsolve {

enum class Structure {
    TwoWire,
    Coax,
    Microstrip,
    Stripline,
    Slotline,
    Cpw,
    Cps,
    CoupledMicrostrip,
    CoupledStripline
};

// Lengths in any one unit (the windows use mm).
struct Geometry {
    Structure structure = Structure::Microstrip;
    double w = 0;  // strip width: microstrip, stripline, CPW centre strip, each CPS or coupled strip
    double s = 0;  // CPW slot, CPS gap, spacing of coupled strips; slotline: slot width
    double h = 0;  // substrate height; stripline: the spacing b of the plates
    double t = 0;  // metal thickness (planar lines)
    double er = 1; // relative permittivity of the substrate or filling
    double d = 0;  // two-wire: wire diameter; coax: inner conductor diameter
    double D = 0;  // two-wire: centre spacing; coax: inside diameter of the outer conductor
};

enum class Mode { Single, Even, Odd };

struct LineParameters {
    double z0 = 0;   // Ohms
    double eeff = 0;
    double c = 0;    // F/m, with the dielectric
    double cAir = 0; // F/m, in air
};

struct Solution {
    bool ok = false;
    std::string failure;         // why there is no solution
    bool coupled = false;
    LineParameters single, even, odd;
    double error = 0;    // estimated relative error of Z0 (the larger of the modes)
    double boxError = 0; // the part of it due to the box around an open line
    double seconds = 0;  // processor time of the solution
    std::size_t nodes = 0; // nodes of the finest mesh
    int levels = 0;        // meshes solved
    bool cancelled = false; // stopped by the caller before it finished
};

// Speed of light and the impedance of free space.
constexpr double kLight = 299792458.0;
constexpr double kEta0 = 376.730313461770655;

// Whether the structure has a quasi-static (TEM) check at all: a slotline
// has none, its mode being no TEM wave and the static capacitance of two
// coplanar half-planes unbounded.
bool hasQuasiStaticCheck(Structure s);

// The reason a geometry cannot be solved (empty when it can).
std::string invalidGeometry(const Geometry& g);

// Half of the cross-section for one mode, with the distant box `boxFactor`
// sizes of the structure away, as solved (of a stripline, only the part
// below the strip's mid-plane is solved, a mirror of the field).
Problem halfSection(const Geometry& g, Mode mode, double boxFactor);

// The whole cross-section, the signal conductors at +1 (and -1 for the
// balanced lines and the odd mode), for drawing; `margin` sizes of the
// structure around it.
Problem wholeSection(const Geometry& g, Mode mode, double margin);

// The fields of one mesh of the refinement, for quantities that are
// extrapolated over the meshes as the capacitances are: per mode (the single
// line's, or the even then the odd), the field with the dielectric (absent
// for a homogeneous section, whose field is the one in air) then the field
// in air. Called for every mesh of the refinement, in order, and not for the
// check of the distant box.
struct MeshFields {
    int level = 0;
    bool withDielectric = false; // each mode has its field with the dielectric
    const std::vector<Field>* fields = nullptr;
    const Field& air(std::size_t mode) const { return (*fields)[withDielectric ? 2 * mode + 1 : mode]; }
    const Field& dielectric(std::size_t mode) const { return (*fields)[withDielectric ? 2 * mode : mode]; }
};
using MeshVisitor = std::function<void(const MeshFields&)>;

// The mesh's `far` left at 0 becomes, for a line in the open, thirty sizes
// of the structure. When `cancel` is given and becomes true the solve stops
// at its next mesh and returns with `cancelled` set and no solution.
Solution solve(const Geometry& g, double tolerance = 5e-4, const MeshOptions& mesh = {},
               const std::atomic<bool>* cancel = nullptr, const MeshVisitor& visit = {});

} // namespace tarvel::fieldsolve
