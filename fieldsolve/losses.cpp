// SPDX-License-Identifier: GPL-3.0-or-later
#include "losses.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvel::fieldsolve {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Nodes closer than this fraction of the domain lie on an edge: the rule
// the solver fixes its nodes by.
constexpr double kTouch = 1e-9;

bool planar(Structure s) { return s != Structure::Coax && s != Structure::TwoWire; }

bool stripline(Structure s) { return s == Structure::Stripline || s == Structure::CoupledStripline; }

// The dielectric layer that holds p (the last one listed wins, as in the
// solver), or the count of layers for none.
std::size_t layerAt(const Problem& pb, Pt p)
{
    std::size_t at = pb.dielectrics.size();
    for (std::size_t l = 0; l < pb.dielectrics.size(); ++l)
        if (pb.dielectrics[l].box.contains(p, 0))
            at = l;
    return at;
}

int conductorOf(const Problem& pb, Pt p, double tol)
{
    for (std::size_t k = 0; k < pb.conductors.size(); ++k)
        if (pb.conductors[k].box.contains(p, tol))
            return static_cast<int>(k);
    return -1;
}

bool grounded(const Problem& pb, MetalSurface::Wall w)
{
    switch (w) {
    case MetalSurface::Wall::Left: return pb.left == Wall::Ground;
    case MetalSurface::Wall::Right: return pb.right == Wall::Ground;
    case MetalSurface::Wall::Bottom: return pb.bottom == Wall::Ground;
    case MetalSurface::Wall::Top: return pb.top == Wall::Ground;
    }
    return false;
}

} // namespace

double crossSection(const Geometry& g)
{
    switch (g.structure) {
    case Structure::Coax: return g.D;
    case Structure::TwoWire: return g.D + g.d;
    case Structure::Microstrip: return std::max(g.w, g.h + g.t);
    case Structure::CoupledMicrostrip: return std::max(2 * g.w + g.s, g.h + g.t);
    case Structure::Stripline: return std::max(g.w, g.h);
    case Structure::CoupledStripline: return std::max(2 * g.w + g.s, g.h);
    case Structure::Cpw: return std::max(g.w + 2 * g.s, g.h + g.t);
    case Structure::Cps: return std::max(2 * g.w + g.s, g.h + g.t);
    case Structure::Slotline: return std::max(g.s, g.h + g.t);
    }
    return 0;
}

LossFrame lossFrame(const Geometry& g)
{
    using W = MetalSurface::Wall;
    LossFrame f;
    f.finite = !planar(g.structure) || g.t > 0;
    f.pair = g.structure == Structure::CoupledMicrostrip || g.structure == Structure::CoupledStripline;
    f.size = crossSection(g);
    f.erMax = std::max(1.0, g.er);
    const double strip = g.w * g.t;
    switch (g.structure) {
    case Structure::Coax: {
        // ln r and the angle: the scale factor is r on each conductor.
        const double a = g.d / 2, b = g.D / 2;
        f.surfaces = {{0, W::Left, Metal::Signal, 2 * kPi / a}, {-1, W::Right, Metal::Return, 2 * kPi / b}};
        f.currentShare = 2 * kPi;
        f.area = {kPi * a * a, 0}; // the outer conductor's wall taken as thick
        return f;
    }
    case Structure::TwoWire: {
        // Bipolar coordinates (tau, sigma) with foci at +-a: the scale
        // factor a / (cosh tau - cos sigma), whose inverse integrates over
        // sigma in [0, 2 pi) to 2 pi cosh(tau0) / a on a wire; two wires.
        const double tau0 = std::acosh(g.D / g.d);
        const double a = std::sqrt((g.D / 2) * (g.D / 2) - (g.d / 2) * (g.d / 2));
        f.surfaces = {{0, W::Left, Metal::Signal, 2 * 2 * kPi * std::cosh(tau0) / a}};
        f.currentShare = 2 * kPi;
        f.area = {kPi * g.d * g.d / 4, 0};
        f.count = {2, 1};
        return f;
    }
    default: break;
    }
    // Copies of the solved part in the line: the mirror halves the planar
    // sections, and of a stripline only the half below the strip's
    // mid-plane is solved. A coupled pair's mode is per strip.
    const bool pair = g.structure == Structure::CoupledMicrostrip || g.structure == Structure::CoupledStripline;
    const double copies = (pair ? 1 : 2) * (stripline(g.structure) ? 2 : 1);
    f.area = {strip, 0};
    switch (g.structure) {
    case Structure::Microstrip:
    case Structure::CoupledMicrostrip:
    case Structure::Stripline:
    case Structure::CoupledStripline:
        f.surfaces = {{0, W::Left, Metal::Signal, copies}, {-1, W::Bottom, Metal::Return, copies}};
        f.currentShare = copies;
        break;
    case Structure::Cpw:
        f.surfaces = {{0, W::Left, Metal::Signal, copies}, {1, W::Left, Metal::Signal, copies}};
        f.surfaces[1].metal = Metal::Return;
        f.currentShare = copies;
        break;
    case Structure::Cps:
    case Structure::Slotline:
        // Balanced: the symmetry plane is no metal; each strip carries the
        // line's current, the two in series.
        f.surfaces = {{0, W::Left, Metal::Signal, copies}};
        f.currentShare = 1;
        f.count = {2, 1};
        break;
    default: break;
    }
    return f;
}

FieldShares fieldShares(const Field& field, const LossFrame& frame)
{
    FieldShares out;
    const Problem& pb = field.problem();
    const Mesh& mesh = field.mesh();
    const std::size_t nx = mesh.x.size(), ny = mesh.y.size();
    out.energy.assign(pb.dielectrics.size() + 1, 0.0);
    if (nx < 2 || ny < 2)
        return out;
    const double tol = kTouch * std::max(pb.domain.x1 - pb.domain.x0, pb.domain.y1 - pb.domain.y0);
    // The metal surface each node lies on (-1 for none): the conductors
    // first, then the grounded walls, as the solver fixes them.
    std::vector<int> metal(nx * ny, -1);
    std::vector<int> owner(nx * ny, -1);
    for (std::size_t j = 0; j < ny; ++j)
        for (std::size_t i = 0; i < nx; ++i) {
            const std::size_t k = j * nx + i;
            const int c = conductorOf(pb, {mesh.x[i], mesh.y[j]}, tol);
            owner[k] = c;
            for (std::size_t s = 0; s < frame.surfaces.size(); ++s) {
                const MetalSurface& m = frame.surfaces[s];
                bool on = false;
                if (m.conductor >= 0)
                    on = c == m.conductor;
                else if (c < 0 && grounded(pb, m.wall))
                    on = (m.wall == MetalSurface::Wall::Left && i == 0) ||
                         (m.wall == MetalSurface::Wall::Right && i == nx - 1) ||
                         (m.wall == MetalSurface::Wall::Bottom && j == 0) ||
                         (m.wall == MetalSurface::Wall::Top && j == ny - 1);
                if (on) {
                    metal[k] = int(s);
                    break;
                }
            }
        }
    // A conductor of no thickness has two faces on the same nodes; each
    // face is its own surface (side 0 below or left, 1 above or right).
    auto side = [&](int s, double cx, double cy) -> std::size_t {
        const MetalSurface& m = frame.surfaces[std::size_t(s)];
        if (m.conductor < 0)
            return 0;
        const Box& b = pb.conductors[std::size_t(m.conductor)].box;
        if (b.y1 - b.y0 <= tol)
            return cy > b.y0 ? 1 : 0;
        if (b.x1 - b.x0 <= tol)
            return cx > b.x0 ? 1 : 0;
        return 0;
    };
    std::vector<double> charge(2 * nx * ny, 0.0), span(2 * nx * ny, 0.0);
    std::vector<char> fieldCell((nx - 1) * (ny - 1), 0);
    for (std::size_t j = 0; j + 1 < ny; ++j)
        for (std::size_t i = 0; i + 1 < nx; ++i) {
            const double dx = mesh.x[i + 1] - mesh.x[i], dy = mesh.y[j + 1] - mesh.y[j];
            const Pt centre{(mesh.x[i] + mesh.x[i + 1]) / 2, (mesh.y[j] + mesh.y[j + 1]) / 2};
            if (conductorOf(pb, centre, 0) >= 0)
                continue;
            fieldCell[j * (nx - 1) + i] = 1;
            // The cell's share of the discrete energy: each link's weight is
            // the permittivity of the half cells beside it over its length.
            const double e = field.eps(centre), gx = e * dy / (2 * dx), gy = e * dx / (2 * dy);
            const std::size_t ka = j * nx + i, kb = ka + 1, kc = ka + nx, kd = kc + 1;
            const double a = field.node(i, j), b = field.node(i + 1, j), c = field.node(i, j + 1),
                         d = field.node(i + 1, j + 1);
            out.energy[layerAt(pb, centre)] +=
                0.5 * (gx * ((b - a) * (b - a) + (d - c) * (d - c)) + gy * ((c - a) * (c - a) + (d - b) * (d - b)));
            // The reaction charges: the energy's derivative by each corner.
            const std::size_t corner[4] = {ka, kb, kc, kd};
            const double q[4] = {gx * (a - b) + gy * (a - c), gx * (b - a) + gy * (b - d), gx * (c - d) + gy * (c - a),
                                 gx * (d - c) + gy * (d - b)};
            for (int n = 0; n < 4; ++n) {
                const std::size_t k = corner[n];
                if (owner[k] == frame.signal)
                    out.charge += q[n];
                if (metal[k] >= 0)
                    charge[2 * k + side(metal[k], centre.x, centre.y)] += q[n];
            }
        }
    // The surface: mesh segments between two nodes of one metal beside a
    // cell of the field; each node takes half of each such segment.
    auto segment = [&](std::size_t p, std::size_t q, double len, long ci, long cj) {
        if (metal[p] < 0 || metal[p] != metal[q] || ci < 0 || cj < 0 || ci >= long(nx) - 1 || cj >= long(ny) - 1)
            return;
        if (!fieldCell[std::size_t(cj) * (nx - 1) + std::size_t(ci)])
            return;
        const std::size_t s = side(metal[p], (mesh.x[std::size_t(ci)] + mesh.x[std::size_t(ci) + 1]) / 2,
                                   (mesh.y[std::size_t(cj)] + mesh.y[std::size_t(cj) + 1]) / 2);
        span[2 * p + s] += len / 2;
        span[2 * q + s] += len / 2;
    };
    for (std::size_t j = 0; j < ny; ++j)
        for (std::size_t i = 0; i < nx; ++i) {
            const std::size_t k = j * nx + i;
            if (metal[k] < 0)
                continue;
            if (i + 1 < nx) {
                const double dx = mesh.x[i + 1] - mesh.x[i];
                segment(k, k + 1, dx, long(i), long(j) - 1);
                segment(k, k + 1, dx, long(i), long(j));
            }
            if (j + 1 < ny) {
                const double dy = mesh.y[j + 1] - mesh.y[j];
                segment(k, k + nx, dy, long(i) - 1, long(j));
                segment(k, k + nx, dy, long(i), long(j));
            }
        }
    for (std::size_t k = 0; k < nx * ny; ++k) {
        if (metal[k] < 0)
            continue;
        const MetalSurface& m = frame.surfaces[std::size_t(metal[k])];
        for (std::size_t s = 0; s < 2; ++s)
            if (span[2 * k + s] > 0)
                out.surface[std::size_t(m.metal)] += m.weight * charge[2 * k + s] * charge[2 * k + s] / span[2 * k + s];
    }
    return out;
}

namespace {

// The limit of a quantity over the meshes from its last three values: the
// surface integrals converge slowly where the charge is singular at a
// corner, so the order is not held to be at least one.
constexpr double kMinOrder = 0.25;

} // namespace

LossSolution solveLosses(const Geometry& g, double tolerance, const MeshOptions& mesh,
                         const std::atomic<bool>* cancel)
{
    if (const std::string why = invalidGeometry(g); !why.empty()) {
        LossSolution out;
        out.frame = lossFrame(g);
        out.statics.failure = why;
        return out;
    }
    return solveLosses(section(g), lossFrame(g), tolerance, mesh, cancel);
}

LossSolution solveLosses(const Section& section, const LossFrame& frame, double tolerance, const MeshOptions& mesh,
                         const std::atomic<bool>* cancel)
{
    LossSolution out;
    out.frame = frame;
    const bool metalLoss = frame.finite;
    // Per mesh, per mode: the surface integrals over the squared charge,
    // and the layers' shares of the energy.
    struct Level {
        long split = 1;
        std::vector<std::array<double, kMetals>> surface;
        std::vector<std::vector<double>> filling;
    };
    std::vector<Level> levels;
    const MeshVisitor visit = [&](const MeshFields& m) {
        Level level;
        level.split = m.split;
        const std::size_t modes = m.count();
        for (std::size_t n = 0; n < modes; ++n) {
            std::array<double, kMetals> s{};
            if (metalLoss) {
                const FieldShares air = fieldShares(m.air(n), out.frame);
                const double current = out.frame.currentShare * air.charge;
                for (std::size_t k = 0; k < kMetals; ++k)
                    s[k] = out.frame.matrix ? air.surface[k] : current > 0 ? air.surface[k] / (current * current) : 0;
            }
            level.surface.push_back(s);
            // Of a homogeneous section the field in air is the field with
            // its dielectric, and its energy splits between the layers (of
            // one permittivity, maybe not of one loss tangent) alike.
            std::vector<double> filling;
            const FieldShares d = fieldShares(m.dielectric(n), out.frame);
            double total = 0;
            for (double e : d.energy)
                total += e;
            for (std::size_t l = 0; l + 1 < d.energy.size(); ++l)
                filling.push_back(total > 0 ? d.energy[l] / total : 0);
            // The conformal planes have no layer: their permittivity
            // multiplies the air's, one dielectric filling the line.
            if (filling.empty())
                filling.assign(1, 1.0);
            level.filling.push_back(filling);
        }
        levels.push_back(level);
    };
    out.statics = solveSection(section, tolerance, mesh, cancel, visit);
    if (!out.statics.ok || levels.empty())
        return out;
    const std::size_t modes = levels.back().surface.size();
    out.modes.resize(modes);
    const std::size_t n = levels.size();
    for (std::size_t m = 0; m < modes; ++m) {
        ModeLosses& ml = out.modes[m];
        const Level& last = levels.back();
        ml.filling = last.filling[m];
        ml.surface = last.surface[m];
        if (n < 3)
            continue; // the conformal planes: exact on any mesh
        const Level &l0 = levels[n - 3], &l1 = levels[n - 2];
        const double r1 = double(l1.split) / double(l0.split), r2 = double(last.split) / double(l1.split);
        for (std::size_t k = 0; k < kMetals; ++k) {
            const Extrapolated e =
                extrapolate(l0.surface[m][k], l1.surface[m][k], last.surface[m][k], r1, r2, kMinOrder);
            if (e.limit > 0) {
                ml.surface[k] = e.limit;
                out.surfaceError = std::max(out.surfaceError, std::fabs(e.step) / e.limit);
            }
        }
        for (std::size_t l = 0; l < ml.filling.size(); ++l) {
            const double limit =
                extrapolate(l0.filling[m][l], l1.filling[m][l], last.filling[m][l], r1, r2, kMinOrder).limit;
            ml.filling[l] = std::clamp(limit, 0.0, 1.0);
        }
    }
    return out;
}

} // namespace tarvel::fieldsolve
