#include "field.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <Eigen/Sparse>
#include <Eigen/SparseCholesky>

namespace tarvel::fieldsolve {

namespace {

// Nodes closer than this fraction of the domain count as lying on an edge.
constexpr double kTouch = 1e-9;

double layerEps(const Problem& pb, Pt p)
{
    double e = 1;
    for (const Layer& l : pb.dielectrics)
        if (l.box.contains(p, 0))
            e = l.eps;
    return e;
}

int conductorOf(const Problem& pb, Pt p, double tol)
{
    for (std::size_t k = 0; k < pb.conductors.size(); ++k)
        if (pb.conductors[k].box.contains(p, tol))
            return static_cast<int>(k);
    return -1;
}

// A mesh key line and what lies on it: nothing but a change of material
// (0), an edge of a thick conductor (1) or the edge of a flat one (2), where
// the field grows as the inverse square root of the distance.
struct Key {
    double at;
    int edge;
};

// The mesh lines of one axis. Between two neighbouring key lines the nodes
// follow the size field s(x) = min over keys of (h0 + (growth - 1)|x - key|):
// the count of level 0 is the integral of 1/s rounded up, and the nodes lie
// at equal steps of that integral, so every level holds the one before.
std::vector<double> axisLines(std::vector<Key> keys, double lo, double hi, int level, double feature,
                              const MeshOptions& o)
{
    const double tol = kTouch * (hi - lo);
    std::vector<Key> kept;
    keys.push_back({lo, 0});
    keys.push_back({hi, 0});
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.at < b.at; });
    for (const Key& k : keys) {
        if (!(k.at >= lo - tol && k.at <= hi + tol))
            continue;
        const Key c{std::clamp(k.at, lo, hi), k.edge};
        if (!kept.empty() && c.at - kept.back().at <= tol) {
            kept.back().edge = std::max(kept.back().edge, c.edge);
            continue;
        }
        kept.push_back(c);
    }
    // Spacing at each key: a share of the distance to its nearest neighbour.
    std::vector<double> h0(kept.size());
    for (std::size_t k = 0; k < kept.size(); ++k) {
        double d = std::numeric_limits<double>::infinity();
        if (k > 0)
            d = std::min(d, kept[k].at - kept[k - 1].at);
        if (k + 1 < kept.size())
            d = std::min(d, kept[k + 1].at - kept[k].at);
        const int e = kept[k].edge;
        h0[k] = e == 0 ? o.other * d : (e == 1 ? o.edge : o.flatEdge) * std::min(d, feature);
    }
    const double slope = o.growth - 1;
    auto size = [&](double x) {
        double s = std::numeric_limits<double>::infinity();
        for (std::size_t k = 0; k < kept.size(); ++k)
            s = std::min(s, h0[k] + slope * std::fabs(x - kept[k].at));
        return s;
    };
    std::vector<double> out{kept.front().at};
    const long split = 1L << std::clamp(level, 0, 12);
    for (std::size_t k = 0; k + 1 < kept.size(); ++k) {
        const double a = kept[k].at, b = kept[k + 1].at;
        // Cumulative integral of 1/s on a fine march from a to b.
        std::vector<double> xs{a}, cum{0};
        double x = a;
        while (x < b) {
            const double step = std::min(size(x) / 8, b - x);
            const double next = (b - x - step < 1e-12 * (b - a)) ? b : x + step;
            cum.push_back(cum.back() + (next - x) * 0.5 * (1 / size(x) + 1 / size(next)));
            xs.push_back(next);
            x = next;
        }
        const double total = cum.back();
        // The node where the integral reaches `want` (called in increasing order).
        std::size_t m = 1;
        auto place = [&](double want) {
            while (m + 1 < cum.size() && cum[m] < want)
                ++m;
            const double f = (want - cum[m - 1]) / (cum[m] - cum[m - 1]);
            return xs[m - 1] + f * (xs[m] - xs[m - 1]);
        };
        const bool last = k + 2 == kept.size(), first = k == 0;
        if ((first || last) && kept.size() > 2) {
            // Towards a wall of the domain: unit steps from the inner key
            // and what is left in the cell at the wall, so that moving the
            // wall leaves the mesh near the structure as it is.
            const double step = 1.0 / double(split);
            long n = static_cast<long>(std::floor(total / step + 1e-9));
            if (total - double(n) * step < 0.5 * step)
                n = std::max(0L, n - 1);
            for (long i = 1; i <= n; ++i)
                out.push_back(place(first ? total - double(n + 1 - i) * step : double(i) * step));
        } else {
            const long n = std::max(1L, static_cast<long>(std::ceil(total - 1e-9))) * split;
            for (long i = 1; i < n; ++i)
                out.push_back(place(total * double(i) / double(n)));
        }
        out.push_back(b);
    }
    return out;
}

} // namespace

Mesh Mesh::graded(const Problem& pb, int level, const MeshOptions& options)
{
    std::vector<Key> kx, ky;
    for (const Conductor& c : pb.conductors) {
        // The edge of a flat conductor is a point where the field is
        // singular: both directions need the fine spacing there.
        const int e = c.box.y1 > c.box.y0 && c.box.x1 > c.box.x0 ? 1 : 2;
        kx.push_back({c.box.x0, e});
        kx.push_back({c.box.x1, e});
        ky.push_back({c.box.y0, e});
        ky.push_back({c.box.y1, e});
    }
    for (const Layer& l : pb.dielectrics) {
        kx.push_back({l.box.x0, 0});
        kx.push_back({l.box.x1, 0});
        ky.push_back({l.box.y0, 0});
        ky.push_back({l.box.y1, 0});
    }
    // The smallest feature, in either direction, sets the finest spacing at
    // every conductor edge: a thin strip's corners need it in x as well.
    double feature = std::numeric_limits<double>::infinity();
    for (const auto* keys : {&kx, &ky}) {
        std::vector<double> at;
        for (const Key& k : *keys)
            if (std::isfinite(k.at))
                at.push_back(k.at);
        std::sort(at.begin(), at.end());
        for (std::size_t k = 1; k < at.size(); ++k)
            if (at[k] - at[k - 1] > 0)
                feature = std::min(feature, at[k] - at[k - 1]);
    }
    Mesh m;
    m.x = axisLines(kx, pb.domain.x0, pb.domain.x1, level, feature, options);
    m.y = axisLines(ky, pb.domain.y0, pb.domain.y1, level, feature, options);
    return m;
}

Field Field::solve(const Problem& problem, bool air, int level)
{
    return solve(problem, Mesh::graded(problem, level), air);
}

Field Field::solve(const Problem& problem, const Mesh& mesh, bool air)
{
    Field f;
    f.problem_ = problem;
    f.mesh_ = mesh;
    f.air_ = air;
    const std::size_t nx = mesh.x.size(), ny = mesh.y.size();
    if (nx < 2 || ny < 2)
        return f;
    const Box& d = problem.domain;
    const double tol = kTouch * std::max(d.x1 - d.x0, d.y1 - d.y0);
    // Cell permittivities.
    std::vector<double> cellEps((nx - 1) * (ny - 1), 1.0);
    if (!air)
        for (std::size_t j = 0; j + 1 < ny; ++j)
            for (std::size_t i = 0; i + 1 < nx; ++i)
                cellEps[j * (nx - 1) + i] =
                    layerEps(problem, {(mesh.x[i] + mesh.x[i + 1]) / 2, (mesh.y[j] + mesh.y[j + 1]) / 2});
    auto eps = [&](long i, long j) {
        if (i < 0 || j < 0 || i >= long(nx) - 1 || j >= long(ny) - 1)
            return 0.0;
        return cellEps[std::size_t(j) * (nx - 1) + std::size_t(i)];
    };
    auto dx = [&](long i) { return i < 0 || i >= long(nx) - 1 ? 0.0 : mesh.x[i + 1] - mesh.x[i]; };
    auto dy = [&](long j) { return j < 0 || j >= long(ny) - 1 ? 0.0 : mesh.y[j + 1] - mesh.y[j]; };
    // Link weights: the permittivity integrated over the dual face, over
    // the link's length. wx links (i,j)-(i+1,j), wy links (i,j)-(i,j+1).
    const std::size_t n = nx * ny;
    std::vector<double> wx(n, 0), wy(n, 0);
    for (std::size_t j = 0; j < ny; ++j)
        for (std::size_t i = 0; i < nx; ++i) {
            const long I = long(i), J = long(j);
            if (i + 1 < nx)
                wx[j * nx + i] = (eps(I, J - 1) * dy(J - 1) + eps(I, J) * dy(J)) / (2 * dx(I));
            if (j + 1 < ny)
                wy[j * nx + i] = (eps(I - 1, J) * dx(I - 1) + eps(I, J) * dx(I)) / (2 * dy(J));
        }
    // Fixed nodes: conductors, then grounded walls.
    f.phi_.assign(n, 0.0);
    std::vector<long> index(n, -1);
    long unknowns = 0;
    for (std::size_t j = 0; j < ny; ++j)
        for (std::size_t i = 0; i < nx; ++i) {
            const std::size_t k = j * nx + i;
            const int c = conductorOf(problem, {mesh.x[i], mesh.y[j]}, tol);
            if (c >= 0) {
                f.phi_[k] = problem.conductors[std::size_t(c)].potential;
                continue;
            }
            const bool grounded = (i == 0 && problem.left == Wall::Ground) ||
                                  (i == nx - 1 && problem.right == Wall::Ground) ||
                                  (j == 0 && problem.bottom == Wall::Ground) ||
                                  (j == ny - 1 && problem.top == Wall::Ground);
            if (!grounded)
                index[k] = unknowns++;
        }
    if (unknowns > 0) {
        using Matrix = Eigen::SparseMatrix<double>;
        std::vector<Eigen::Triplet<double>> entries;
        entries.reserve(std::size_t(unknowns) * 3);
        Eigen::VectorXd rhs = Eigen::VectorXd::Zero(unknowns);
        auto link = [&](std::size_t a, std::size_t b, double w) {
            if (w == 0)
                return;
            const long ia = index[a], ib = index[b];
            if (ia >= 0)
                entries.emplace_back(ia, ia, w);
            if (ib >= 0)
                entries.emplace_back(ib, ib, w);
            if (ia >= 0 && ib >= 0)
                entries.emplace_back(std::max(ia, ib), std::min(ia, ib), -w);
            else if (ia >= 0)
                rhs[ia] += w * f.phi_[b];
            else if (ib >= 0)
                rhs[ib] += w * f.phi_[a];
        };
        for (std::size_t j = 0; j < ny; ++j)
            for (std::size_t i = 0; i < nx; ++i) {
                const std::size_t k = j * nx + i;
                if (i + 1 < nx)
                    link(k, k + 1, wx[k]);
                if (j + 1 < ny)
                    link(k, k + nx, wy[k]);
            }
        Matrix A(unknowns, unknowns);
        A.setFromTriplets(entries.begin(), entries.end());
        Eigen::SimplicialLDLT<Matrix, Eigen::Lower, Eigen::AMDOrdering<int>> solver(A);
        if (solver.info() != Eigen::Success)
            return f;
        const Eigen::VectorXd x = solver.solve(rhs);
        if (solver.info() != Eigen::Success)
            return f;
        for (std::size_t k = 0; k < n; ++k)
            if (index[k] >= 0)
                f.phi_[k] = x[index[k]];
    }
    long double energy = 0;
    for (std::size_t j = 0; j < ny; ++j)
        for (std::size_t i = 0; i < nx; ++i) {
            const std::size_t k = j * nx + i;
            if (i + 1 < nx) {
                const long double dv = f.phi_[k + 1] - f.phi_[k];
                energy += wx[k] * dv * dv;
            }
            if (j + 1 < ny) {
                const long double dv = f.phi_[k + nx] - f.phi_[k];
                energy += wy[k] * dv * dv;
            }
        }
    f.energy_ = energy / 2;
    f.ok_ = std::isfinite(static_cast<double>(f.energy_));
    return f;
}

void Field::locate(Pt p, std::size_t& i, std::size_t& j, double& u, double& v) const
{
    auto find = [](const std::vector<double>& a, double x, std::size_t& k, double& t) {
        x = std::clamp(x, a.front(), a.back());
        k = std::size_t(std::upper_bound(a.begin(), a.end(), x) - a.begin());
        k = std::clamp<std::size_t>(k, 1, a.size() - 1) - 1;
        t = (x - a[k]) / (a[k + 1] - a[k]);
    };
    find(mesh_.x, p.x, i, u);
    find(mesh_.y, p.y, j, v);
}

double Field::potential(Pt p) const
{
    if (phi_.empty())
        return 0;
    std::size_t i, j;
    double u, v;
    locate(p, i, j, u, v);
    return (1 - u) * (1 - v) * node(i, j) + u * (1 - v) * node(i + 1, j) + (1 - u) * v * node(i, j + 1) +
           u * v * node(i + 1, j + 1);
}

Pt Field::electric(Pt p) const
{
    if (phi_.empty())
        return {0, 0};
    std::size_t i, j;
    double u, v;
    locate(p, i, j, u, v);
    const double hx = mesh_.x[i + 1] - mesh_.x[i], hy = mesh_.y[j + 1] - mesh_.y[j];
    const double a = node(i, j), b = node(i + 1, j), c = node(i, j + 1), d = node(i + 1, j + 1);
    const double gx = ((b - a) * (1 - v) + (d - c) * v) / hx;
    const double gy = ((c - a) * (1 - u) + (d - b) * u) / hy;
    return {-gx, -gy};
}

double Field::spacing(Pt p) const
{
    std::size_t i, j;
    double u, v;
    locate(p, i, j, u, v);
    return std::max(mesh_.x[i + 1] - mesh_.x[i], mesh_.y[j + 1] - mesh_.y[j]);
}

double Field::eps(Pt p) const { return air_ ? 1.0 : layerEps(problem_, p); }

int Field::conductorAt(Pt p) const { return conductorOf(problem_, p, 0); }

} // namespace tarvel::fieldsolve
