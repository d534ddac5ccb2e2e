// SPDX-License-Identifier: GPL-3.0-or-later
// The graded rectilinear mesh of a problem's domain.
#include <algorithm>
#include <cmath>
#include <limits>

#include "assembly.h"
#include "field.h"

namespace tarvel::fieldsolve {

namespace {

using detail::kTouch;

// Beyond MeshOptions::far the cells are divided no further than this.
constexpr long kFarSplit = 4;

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
std::vector<double> axisLines(std::vector<Key> keys, double lo, double hi, long split, double feature,
                              double growth, const MeshOptions& o)
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
    const double slope = growth - 1;
    auto size = [&](double x) {
        double s = std::numeric_limits<double>::infinity();
        for (std::size_t k = 0; k < kept.size(); ++k)
            s = std::min(s, h0[k] + slope * std::fabs(x - kept[k].at));
        return s;
    };
    std::vector<double> out{kept.front().at};
    for (std::size_t k = 0; k + 1 < kept.size(); ++k) {
        const double a = kept[k].at, b = kept[k + 1].at;
        // Cumulative integral of 1/s on a fine march from a to b.
        std::vector<double> xs{a}, cum{0};
        double x = a;
        while (x < b) {
            const double step = std::min(size(x) / 32, b - x);
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
            // Far from the structure the field is weak and smooth: beyond
            // `far` from the inner key the cells are divided no further
            // than kFarSplit (by the largest number up to it that divides
            // `split`). A mesh holds each coarser one whose split divides
            // its own and whose far split divides its far split: every
            // power of two up to it, and so every earlier mesh that it
            // halves.
            const double reach = o.far > 0 ? o.far : 2 * (b - a);
            double uFar = total;
            for (std::size_t q = 1; q < cum.size(); ++q) {
                const double d = first ? b - xs[q - 1] : xs[q] - a;
                if (first ? d <= reach : d >= reach) {
                    uFar = first ? total - cum[q - 1] : cum[q];
                    break;
                }
            }
            uFar = std::ceil(uFar - 1e-9);
            long farSplit = std::min(split, kFarSplit);
            while (split % farSplit != 0)
                --farSplit;
            const long coarse = split / farSplit;
            for (long i = 1; i <= n; ++i) {
                const long k = first ? n + 1 - i : i; // steps from the inner key
                if (double(k) * step > uFar && k % coarse != 0)
                    continue;
                out.push_back(place(first ? total - double(k) * step : double(k) * step));
            }
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
    return divided(pb, 1L << std::clamp(level, 0, 12), options);
}

Mesh Mesh::divided(const Problem& pb, long split, const MeshOptions& options)
{
    split = std::clamp(split, 1L, 4096L);
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
    // The edge of a flat conductor, where the field is singular as the
    // inverse square root of the distance, sets the error of the whole
    // mesh: there the cells grow more slowly everywhere.
    bool flat = false;
    for (const Key& k : kx)
        flat = flat || k.edge == 2;
    const double growth = flat ? options.flatGrowth : options.growth;
    m.x = axisLines(kx, pb.domain.x0, pb.domain.x1, split, feature, growth, options);
    m.y = axisLines(ky, pb.domain.y0, pb.domain.y1, split, feature, growth, options);
    return m;
}

} // namespace tarvel::fieldsolve
