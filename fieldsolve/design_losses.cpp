// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_losses.h"

#include <algorithm>
#include <cmath>

namespace tarvel::fieldsolve {

namespace {

using W = MetalSurface::Wall;

// The part of a design's layout the field reaches: its width and height.
double crossSectionOf(const Design& d)
{
    const double W = d["W"], t = d["t"];
    auto given = [&](const char* name) { return d.has(name) ? d[name] : 0.0; };
    switch (d.kind) {
    case Template::Microstrip:
    case Template::CoupledMicrostrip: {
        const double width = d.kind == Template::CoupledMicrostrip ? 2 * W + d["S"] : W;
        const double mask = d.has("c1") && d.has("c2") ? std::max(given("c1"), t + given("c2")) : t;
        return std::max(width, d["h"] + std::max(t, mask));
    }
    case Template::EmbeddedMicrostrip: return std::max(W, d["h"] + std::max(t, d["h2"]));
    case Template::Stripline: return std::max(W, d["h1"] + t + d["h2"]);
    case Template::CoupledStripline: return std::max(2 * W + d["S"], d["h1"] + t + d["h2"]);
    case Template::BroadsideStripline:
        return std::max(W + std::fabs(given("offset")), d["h1"] + 2 * t + d["d"] + d["h2"]);
    case Template::Cpw:
    case Template::Gcpw: return std::max(W + 2 * d["S"] + 2 * given("G"), d["h"] + t);
    case Template::Cps: return std::max(2 * W + d["S"], d["h"] + t);
    }
    return 0;
}

} // namespace

std::vector<std::string> templateTandNames(Template kind)
{
    switch (kind) {
    case Template::Microstrip:
    case Template::CoupledMicrostrip: return {"tand", "ctand"};
    case Template::EmbeddedMicrostrip: return {"tand", "tand2"};
    case Template::Stripline:
    case Template::CoupledStripline: return {"tand1", "tand2"};
    default: return {"tand"};
    }
}

LossInputs designLossInputs(const Design& d, const std::array<MetalLoss, kMetals>& metal,
                            const std::vector<std::pair<std::string, double>>& tands)
{
    LossInputs in;
    in.metal = metal;
    in.unit = 1e-3;
    for (const std::string& name : designTandNames(d)) {
        double v = 0;
        for (const auto& [given, value] : tands)
            if (given == name)
                v = value;
        in.tand.push_back(v);
    }
    return in;
}

std::vector<std::string> designTandNames(const Design& d)
{
    // The first layer is the substrate (or the layer under the strip); the
    // others the template's second dielectric (the mask's layers, the
    // embedding cover, the layer above a stripline's strip).
    const std::vector<std::string> names = templateTandNames(d.kind);
    const Problem pb = designSection(d).excitations.front().problem(kBoxSizes);
    std::vector<std::string> out;
    for (std::size_t l = 0; l < pb.dielectrics.size(); ++l)
        out.push_back(names[std::min(l, names.size() - 1)]);
    return out;
}

namespace {

LossFrame baseFrame(const Design& d)
{
    LossFrame f;
    f.pair = d.info().pair;
    f.finite = d["t"] > 0;
    f.size = crossSectionOf(d);
    for (const Parameter& p : d.info().parameters)
        if (!p.length && d.has(p.name))
            f.erMax = std::max(f.erMax, d[p.name]);
    f.area = {d["W"] * d["t"], 0}; // the grounds: planes, or coplanar ones beside a plane or unbounded
    return f;
}

} // namespace

LossFrame matrixLossFrame(const Design& d)
{
    // The whole section: both strips, each of the signal metal, and the
    // two planes; the strips' DC resistance is each its own.
    LossFrame f = baseFrame(d);
    f.matrix = true;
    f.surfaces = {{0, W::Left, Metal::Signal, 1}, {1, W::Left, Metal::Signal, 1},
                  {-1, W::Bottom, Metal::Return, 1}, {-1, W::Top, Metal::Return, 1}};
    return f;
}

LossFrame designLossFrame(const Design& d)
{
    if (excitationsOf(d) == Excitations::Matrix)
        return matrixLossFrame(d);
    LossFrame f = baseFrame(d);
    // The solved part: half of the line (a quarter of a broadside pair),
    // the signal strip at 1 V its conductor 0. A pair's mode is per strip:
    // its part of the line is one strip's share, half of the line, which
    // is the solved half or two of the solved quarters. Where a horizontal
    // mirror halves the part again, the upper plane is the lower one's
    // image.
    const bool mid = solvedBelowMidPlane(d);
    const double copies = (f.pair ? 1 : 2) * (mid ? 2 : 1);
    f.currentShare = copies;
    f.surfaces = {{0, W::Left, Metal::Signal, copies}};
    switch (d.kind) {
    case Template::Microstrip:
    case Template::EmbeddedMicrostrip:
    case Template::CoupledMicrostrip:
    case Template::BroadsideStripline: f.surfaces.push_back({-1, W::Bottom, Metal::Return, copies}); break;
    case Template::Stripline:
    case Template::CoupledStripline:
        f.surfaces.push_back({-1, W::Bottom, Metal::Return, copies});
        if (!mid)
            f.surfaces.push_back({-1, W::Top, Metal::Return, copies});
        break;
    case Template::Gcpw: f.surfaces.push_back({-1, W::Bottom, Metal::Return, copies}); [[fallthrough]];
    case Template::Cpw: f.surfaces.push_back({1, W::Left, Metal::Return, copies}); break;
    case Template::Cps:
        // Balanced: each strip carries the line's current, the two in series.
        f.currentShare = 1;
        f.count = {2, 1};
        break;
    }
    return f;
}

} // namespace tarvel::fieldsolve
