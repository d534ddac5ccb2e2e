#include "gallery_fields.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace tarvel::gallery {

namespace {

double dot(Pt a, Pt b) { return a.x * b.x + a.y * b.y; }
double norm(Pt a) { return std::sqrt(dot(a, a)); }

// Finite differences for div(eps grad phi) = 0: each node is the weighted
// mean of its four neighbours, the weight of a link being the mean
// permittivity of the two cells beside it. Over-relaxed Gauss-Seidel,
// started from the interpolated solution of a grid twice as coarse.
struct Level {
    int nx, ny;
    double h, x0, y0;
    std::vector<double> phi;
    std::vector<unsigned char> fixed;
    std::vector<double> wx, wy; // links (i,j)-(i+1,j) and (i,j)-(i,j+1)
};

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
    for (size_t k = 0; k < pb.conductors.size(); ++k)
        if (pb.conductors[k].box.contains(p, tol))
            return static_cast<int>(k);
    return -1;
}

Level makeLevel(const Problem& pb, double h, bool air)
{
    Level L;
    L.h = h;
    L.x0 = pb.domain.x0;
    L.y0 = pb.domain.y0;
    L.nx = static_cast<int>(std::lround((pb.domain.x1 - pb.domain.x0) / h)) + 1;
    L.ny = static_cast<int>(std::lround((pb.domain.y1 - pb.domain.y0) / h)) + 1;
    const size_t n = static_cast<size_t>(L.nx) * L.ny;
    L.phi.assign(n, 0);
    L.fixed.assign(n, 0);
    for (int j = 0; j < L.ny; ++j)
        for (int i = 0; i < L.nx; ++i) {
            const size_t k = static_cast<size_t>(j) * L.nx + i;
            // A conductor keeps its potential where it reaches the edge.
            const int c = conductorOf(pb, {L.x0 + i * h, L.y0 + j * h}, 1e-9);
            if (c >= 0) {
                L.fixed[k] = 1;
                L.phi[k] = pb.conductors[c].potential;
            } else if (i == 0 || j == 0 || i == L.nx - 1 || j == L.ny - 1) {
                L.fixed[k] = 1;
            }
        }
    auto cell = [&](int i, int j) {
        if (air || i < 0 || j < 0 || i >= L.nx - 1 || j >= L.ny - 1)
            return -1.0;
        return layerEps(pb, {L.x0 + (i + 0.5) * h, L.y0 + (j + 0.5) * h});
    };
    auto mean = [](double a, double b) {
        if (a < 0 && b < 0)
            return 1.0;
        if (a < 0)
            return b;
        if (b < 0)
            return a;
        return 0.5 * (a + b);
    };
    L.wx.assign(n, 1);
    L.wy.assign(n, 1);
    if (!air)
        for (int j = 0; j < L.ny; ++j)
            for (int i = 0; i < L.nx; ++i) {
                const size_t k = static_cast<size_t>(j) * L.nx + i;
                L.wx[k] = mean(cell(i, j - 1), cell(i, j));
                L.wy[k] = mean(cell(i - 1, j), cell(i, j));
            }
    return L;
}

int relax(Level& L, double tolerance, int maxIterations)
{
    const double pi = 3.14159265358979323846;
    const double omega = 2.0 / (1.0 + std::sin(pi / std::max(L.nx, L.ny)));
    const int nx = L.nx;
    // The free nodes with their normalised link weights.
    struct Free {
        size_t k;
        double r, l, d, u;
    };
    std::vector<Free> free;
    for (int j = 1; j < L.ny - 1; ++j)
        for (int i = 1; i < nx - 1; ++i) {
            const size_t k = static_cast<size_t>(j) * nx + i;
            if (L.fixed[k])
                continue;
            const double wr = L.wx[k], wl = L.wx[k - 1], wd = L.wy[k], wu = L.wy[k - nx];
            const double s = omega / (wr + wl + wd + wu);
            free.push_back({k, wr * s, wl * s, wd * s, wu * s});
        }
    double* phi = L.phi.data();
    for (int it = 1; it <= maxIterations; ++it) {
        double change = 0;
        for (const Free& f : free) {
            const size_t k = f.k;
            const double delta =
                f.r * phi[k + 1] + f.l * phi[k - 1] + f.d * phi[k + nx] + f.u * phi[k - nx] - omega * phi[k];
            phi[k] += delta;
            change = std::max(change, std::fabs(delta));
        }
        if (change < tolerance)
            return it;
    }
    return maxIterations;
}

double bilinear(const Level& L, Pt p)
{
    const double fx = std::clamp((p.x - L.x0) / L.h, 0.0, L.nx - 1.000001);
    const double fy = std::clamp((p.y - L.y0) / L.h, 0.0, L.ny - 1.000001);
    const int i = static_cast<int>(fx), j = static_cast<int>(fy);
    const double u = fx - i, v = fy - j;
    const size_t k = static_cast<size_t>(j) * L.nx + i;
    return (1 - u) * (1 - v) * L.phi[k] + u * (1 - v) * L.phi[k + 1] + (1 - u) * v * L.phi[k + L.nx] +
           u * v * L.phi[k + L.nx + 1];
}

} // namespace

Field Field::solve(const Problem& problem, bool air)
{
    double vmax = 0;
    for (const Conductor& c : problem.conductors)
        vmax = std::max(vmax, std::fabs(c.potential));
    const double tolerance = 1e-4 * std::max(vmax, 1e-12);
    // Coarse to fine: each grid starts from the interpolated solution of the
    // one before, so the fine grids only have local detail left to settle.
    Level coarse = makeLevel(problem, problem.step * 8, air);
    int iterations = relax(coarse, tolerance * 0.1, 2000);
    for (double h : {problem.step * 4, problem.step * 2, problem.step}) {
        Level fine = makeLevel(problem, h, air);
        for (int j = 0; j < fine.ny; ++j)
            for (int i = 0; i < fine.nx; ++i) {
                const size_t k = static_cast<size_t>(j) * fine.nx + i;
                if (!fine.fixed[k])
                    fine.phi[k] = bilinear(coarse, {fine.x0 + i * h, fine.y0 + j * h});
            }
        iterations += relax(fine, tolerance, h == problem.step ? 400 : 800);
        coarse = std::move(fine);
    }
    Field f;
    f.problem_ = problem;
    f.air_ = air;
    f.nx_ = coarse.nx;
    f.ny_ = coarse.ny;
    f.h_ = coarse.h;
    f.phi_ = std::move(coarse.phi);
    f.iterations_ = iterations;
    return f;
}

double Field::potential(Pt p) const
{
    const double fx = std::clamp((p.x - problem_.domain.x0) / h_, 0.0, nx_ - 1.000001);
    const double fy = std::clamp((p.y - problem_.domain.y0) / h_, 0.0, ny_ - 1.000001);
    const int i = static_cast<int>(fx), j = static_cast<int>(fy);
    const double u = fx - i, v = fy - j;
    return (1 - u) * (1 - v) * node(i, j) + u * (1 - v) * node(i + 1, j) + (1 - u) * v * node(i, j + 1) +
           u * v * node(i + 1, j + 1);
}

Pt Field::electric(Pt p) const
{
    const double fx = std::clamp((p.x - problem_.domain.x0) / h_, 0.0, nx_ - 1.000001);
    const double fy = std::clamp((p.y - problem_.domain.y0) / h_, 0.0, ny_ - 1.000001);
    const int i = static_cast<int>(fx), j = static_cast<int>(fy);
    const double u = fx - i, v = fy - j;
    const double a = node(i, j), b = node(i + 1, j), c = node(i, j + 1), d = node(i + 1, j + 1);
    const double dx = ((b - a) * (1 - v) + (d - c) * v) / h_;
    const double dy = ((c - a) * (1 - u) + (d - b) * u) / h_;
    return {-dx, -dy};
}

double Field::eps(Pt p) const { return air_ ? 1.0 : layerEps(problem_, p); }

int Field::conductorAt(Pt p) const { return conductorOf(problem_, p, 0); }

double length(const Polyline& line)
{
    double s = 0;
    for (size_t k = 1; k < line.size(); ++k)
        s += norm({line[k].x - line[k - 1].x, line[k].y - line[k - 1].y});
    return s;
}

std::vector<Polyline> electricLines(const Field& field, double source, int count)
{
    const Problem& pb = field.problem();
    const double h = pb.step;
    const double offset = 0.75 * h, ds = 0.25 * h;
    struct Sample {
        Pt p, n;
        double flux;
    };
    std::vector<Sample> samples;
    double total = 0;
    for (const Conductor& c : pb.conductors) {
        if (std::fabs(c.potential - source) > 1e-12)
            continue;
        const Box& b = c.box;
        struct Side {
            Pt from, to, n;
        };
        // Round the conductor from the middle of its top side, so that the
        // lines of a symmetric section come out symmetric.
        const double xm = (b.x0 + b.x1) / 2;
        const Side sides[5] = {
            {{xm, b.y0 - offset}, {b.x1, b.y0 - offset}, {0, -1}},
            {{b.x1 + offset, b.y0}, {b.x1 + offset, b.y1}, {1, 0}},
            {{b.x1, b.y1 + offset}, {b.x0, b.y1 + offset}, {0, 1}},
            {{b.x0 - offset, b.y1}, {b.x0 - offset, b.y0}, {-1, 0}},
            {{b.x0, b.y0 - offset}, {xm, b.y0 - offset}, {0, -1}},
        };
        for (const Side& s : sides) {
            const double len = norm({s.to.x - s.from.x, s.to.y - s.from.y});
            const int n = std::max(1, static_cast<int>(len / ds));
            for (int k = 0; k < n; ++k) {
                const double f = (k + 0.5) / n;
                const Pt p{s.from.x + f * (s.to.x - s.from.x), s.from.y + f * (s.to.y - s.from.y)};
                if (!pb.domain.contains(p, 0) || field.conductorAt(p) >= 0)
                    continue;
                const double flux = std::max(0.0, field.eps(p) * dot(field.electric(p), s.n)) * (len / n);
                samples.push_back({p, s.n, flux});
                total += flux;
            }
        }
    }
    std::vector<Polyline> lines;
    if (!(total > 0) || count <= 0)
        return lines;
    const double perLine = total / count;
    double acc = 0;
    int next = 0;
    const int maxSteps = static_cast<int>(8 * (pb.domain.x1 - pb.domain.x0 + pb.domain.y1 - pb.domain.y0) / h);
    for (const Sample& s : samples) {
        acc += s.flux;
        while (next < count && acc >= (next + 0.5) * perLine) {
            ++next;
            Polyline line{{s.p.x - s.n.x * offset, s.p.y - s.n.y * offset}, s.p};
            Pt p = s.p;
            const double step = 0.35 * h;
            for (int k = 0; k < maxSteps; ++k) {
                Pt e = field.electric(p);
                double m = norm(e);
                if (!(m > 1e-12))
                    break;
                const Pt mid{p.x + 0.5 * step * e.x / m, p.y + 0.5 * step * e.y / m};
                e = field.electric(mid);
                m = norm(e);
                if (!(m > 1e-12))
                    break;
                p = {p.x + step * e.x / m, p.y + step * e.y / m};
                line.push_back(p);
                if (!pb.domain.contains(p, 0) || field.conductorAt(p) >= 0)
                    break;
            }
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

std::vector<Polyline> contours(const Field& field, double level)
{
    const int nx = field.nx_, ny = field.ny_;
    const double h = field.h_, x0 = field.problem_.domain.x0, y0 = field.problem_.domain.y0;
    auto value = [&](int i, int j) { return field.node(i, j) - level; };
    auto hEdge = [&](int i, int j) { return 2L * (static_cast<long>(j) * nx + i); };
    auto vEdge = [&](int i, int j) { return 2L * (static_cast<long>(j) * nx + i) + 1; };
    auto crossing = [&](long id) {
        const long cell = id / 2;
        const int i = static_cast<int>(cell % nx), j = static_cast<int>(cell / nx);
        const double a = value(i, j);
        if (id % 2 == 0) {
            const double b = value(i + 1, j);
            return Pt{x0 + (i + a / (a - b)) * h, y0 + j * h};
        }
        const double b = value(i, j + 1);
        return Pt{x0 + i * h, y0 + (j + a / (a - b)) * h};
    };
    std::vector<std::array<long, 2>> segs;
    for (int j = 0; j < ny - 1; ++j)
        for (int i = 0; i < nx - 1; ++i) {
            const double a = value(i, j), b = value(i + 1, j), c = value(i + 1, j + 1), d = value(i, j + 1);
            const bool sa = a >= 0, sb = b >= 0, sc = c >= 0, sd = d >= 0;
            const long e[4] = {hEdge(i, j), vEdge(i + 1, j), hEdge(i, j + 1), vEdge(i, j)};
            const bool cut[4] = {sa != sb, sb != sc, sd != sc, sa != sd};
            const int n = cut[0] + cut[1] + cut[2] + cut[3];
            if (n == 2) {
                long pair[2];
                int m = 0;
                for (int k = 0; k < 4; ++k)
                    if (cut[k])
                        pair[m++] = e[k];
                segs.push_back({pair[0], pair[1]});
            } else if (n == 4) {
                const bool centre = (a + b + c + d) / 4 >= 0;
                if (centre == sa) {
                    segs.push_back({e[0], e[1]});
                    segs.push_back({e[2], e[3]});
                } else {
                    segs.push_back({e[3], e[0]});
                    segs.push_back({e[1], e[2]});
                }
            }
        }
    std::unordered_map<long, std::array<int, 2>> at;
    for (size_t s = 0; s < segs.size(); ++s)
        for (long id : segs[s]) {
            auto it = at.find(id);
            if (it == at.end())
                at.emplace(id, std::array<int, 2>{static_cast<int>(s), -1});
            else
                it->second[1] = static_cast<int>(s);
        }
    std::vector<char> used(segs.size(), 0);
    std::vector<Polyline> out;
    auto walk = [&](int s, long from, std::vector<long>& ids) {
        // Follows the chain from segment s, entering it at edge `from`.
        while (s >= 0 && !used[s]) {
            used[s] = 1;
            const long to = segs[s][0] == from ? segs[s][1] : segs[s][0];
            ids.push_back(to);
            const auto& both = at[to];
            const int nextSeg = both[0] == s ? both[1] : both[0];
            from = to;
            s = nextSeg;
        }
    };
    for (size_t s = 0; s < segs.size(); ++s) {
        if (used[s])
            continue;
        std::vector<long> forward{segs[s][0]};
        walk(static_cast<int>(s), segs[s][0], forward);
        // Extend backwards from the first edge, unless the chain closed.
        std::vector<long> backward;
        const auto& both = at[segs[s][0]];
        const int other = both[0] == static_cast<int>(s) ? both[1] : both[0];
        if (other >= 0 && !used[other])
            walk(other, segs[s][0], backward);
        Polyline line;
        for (auto it = backward.rbegin(); it != backward.rend(); ++it)
            line.push_back(crossing(*it));
        for (long id : forward)
            line.push_back(crossing(id));
        if (line.size() >= 2)
            out.push_back(std::move(line));
    }
    return out;
}

void orientMagnetic(const Field& field, std::vector<Polyline>& lines)
{
    for (Polyline& line : lines) {
        double score = 0;
        for (size_t k = 1; k < line.size(); ++k) {
            const Pt mid{(line[k].x + line[k - 1].x) / 2, (line[k].y + line[k - 1].y) / 2};
            const Pt e = field.electric(mid);
            score += dot({line[k].x - line[k - 1].x, line[k].y - line[k - 1].y}, {e.y, -e.x});
        }
        if (score < 0)
            std::reverse(line.begin(), line.end());
    }
}

} // namespace tarvel::gallery
