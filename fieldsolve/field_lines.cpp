// SPDX-License-Identifier: GPL-3.0-or-later
// Field lines traced through a solved cross-section: electric lines from
// the conductors at equal flux steps, equipotentials chained into polylines.
#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

#include "field.h"

namespace tarvel::fieldsolve {

namespace {

double dot(Pt a, Pt b) { return a.x * b.x + a.y * b.y; }
double norm(Pt a) { return std::sqrt(dot(a, a)); }

} // namespace

double length(const Polyline& line)
{
    double s = 0;
    for (size_t k = 1; k < line.size(); ++k)
        s += norm({line[k].x - line[k - 1].x, line[k].y - line[k - 1].y});
    return s;
}

std::vector<Polyline> electricLines(const Field& field, double source, int count, double resolution)
{
    const Problem& pb = field.problem();
    const double h = resolution > 0 ? resolution
                                    : std::min(pb.domain.x1 - pb.domain.x0, pb.domain.y1 - pb.domain.y0) / 130;
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
    const std::vector<double>& xs = field.mesh().x;
    const std::vector<double>& ys = field.mesh().y;
    const int nx = static_cast<int>(xs.size()), ny = static_cast<int>(ys.size());
    auto value = [&](int i, int j) { return field.node(i, j) - level; };
    auto hEdge = [&](int i, int j) { return 2L * (static_cast<long>(j) * nx + i); };
    auto vEdge = [&](int i, int j) { return 2L * (static_cast<long>(j) * nx + i) + 1; };
    auto crossing = [&](long id) {
        const long cell = id / 2;
        const int i = static_cast<int>(cell % nx), j = static_cast<int>(cell / nx);
        const double a = value(i, j);
        if (id % 2 == 0) {
            const double b = value(i + 1, j);
            return Pt{xs[i] + a / (a - b) * (xs[i + 1] - xs[i]), ys[j]};
        }
        const double b = value(i, j + 1);
        return Pt{xs[i], ys[j] + a / (a - b) * (ys[j + 1] - ys[j])};
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

} // namespace tarvel::fieldsolve
