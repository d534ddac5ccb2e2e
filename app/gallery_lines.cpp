// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery_lines.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvel::ui::gallery {

namespace {

using fieldsolve::Box;
using fieldsolve::Field;
using fieldsolve::Polyline;
using fieldsolve::Problem;
using fieldsolve::Pt;

constexpr double kPi = 3.14159265358979323846;

// The example sections, in drawing units.
struct Section {
    Box view;
    Problem problem;
    bool balanced = false;   // +1 and -1 conductors, mirror-symmetric about axis
    bool homogeneous = false;
    double axis = 0;
    int lines = 16;
    double step = 1.5; // the length the plot resolves
};

Section section(Structure s, bool odd)
{
    Section sec;
    Problem& pb = sec.problem;
    switch (s) {
    case Structure::Microstrip:
        sec.view = {0, 0, 180, 130};
        pb.domain = {-90, -80, 270, 118};
        sec.step = 1.5;
        pb.conductors = {{{-90, 118, 270, 126}, 0}, {{62, 84, 118, 88}, 1}};
        pb.dielectrics = {{{-90, 88, 270, 118}, 4}};
        sec.lines = 18;
        break;
    case Structure::Stripline:
        sec.view = {0, 0, 180, 100};
        pb.domain = {-100, 18, 280, 82};
        sec.step = 1.5;
        pb.conductors = {{{-100, 10, 280, 18}, 0}, {{-100, 82, 280, 90}, 0}, {{60, 48, 120, 52}, 1}};
        pb.dielectrics = {{{-100, 18, 280, 82}, 2.5}};
        sec.homogeneous = true;
        sec.lines = 22;
        break;
    case Structure::Slotline:
        sec.view = {0, 0, 180, 130};
        pb.domain = {-160, -110, 340, 240};
        sec.step = 2;
        pb.conductors = {{{-110, 46, 78, 50}, 1}, {{102, 46, 290, 50}, -1}};
        pb.dielectrics = {{{-160, 50, 340, 90}, 6}};
        sec.balanced = true;
        sec.axis = 90;
        sec.lines = 18;
        break;
    case Structure::Cpw:
        sec.view = {0, 0, 180, 130};
        pb.domain = {-160, -110, 340, 240};
        sec.step = 2;
        pb.conductors = {{{-160, 51, 60, 55}, 0}, {{75, 51, 105, 55}, 1}, {{120, 51, 340, 55}, 0}};
        pb.dielectrics = {{{-160, 55, 340, 95}, 6}};
        sec.lines = 22;
        break;
    case Structure::Cps:
        sec.view = {0, 0, 180, 130};
        pb.domain = {-160, -110, 340, 240};
        sec.step = 2;
        pb.conductors = {{{45, 51, 80, 55}, 1}, {{100, 51, 135, 55}, -1}};
        pb.dielectrics = {{{-160, 55, 340, 95}, 6}};
        sec.balanced = true;
        sec.axis = 90;
        sec.lines = 18;
        break;
    case Structure::CoupledMicrostrip:
        sec.view = {0, 0, 150, 105};
        pb.domain = {-90, -70, 240, 96};
        sec.step = 1.5;
        pb.conductors = {{{-90, 96, 240, 103}, 0}, {{38, 66, 68, 70}, 1}, {{82, 66, 112, 70}, odd ? -1.0 : 1.0}};
        pb.dielectrics = {{{-90, 70, 240, 96}, 4}};
        sec.balanced = odd;
        sec.axis = 75;
        sec.lines = odd ? 14 : 26;
        break;
    case Structure::CoupledStripline:
        sec.view = {0, 0, 150, 105};
        pb.domain = {-100, 15, 250, 90};
        sec.step = 1.5;
        pb.conductors = {{{-100, 8, 250, 15}, 0},
                         {{-100, 90, 250, 97}, 0},
                         {{38, 50, 68, 54}, 1},
                         {{82, 50, 112, 54}, odd ? -1.0 : 1.0}};
        pb.dielectrics = {{{-100, 15, 250, 90}, 2.5}};
        sec.homogeneous = true;
        sec.balanced = odd;
        sec.axis = 75;
        sec.lines = odd ? 16 : 28;
        break;
    default:
        break;
    }
    return sec;
}

// The point halfway along a line.
Pt middle(const Polyline& line)
{
    const double half = fieldsolve::length(line) / 2;
    double run = 0;
    for (size_t k = 1; k < line.size(); ++k) {
        const double seg = std::hypot(line[k].x - line[k - 1].x, line[k].y - line[k - 1].y);
        if (run + seg >= half && seg > 0) {
            const double f = (half - run) / seg;
            return {line[k - 1].x + f * (line[k].x - line[k - 1].x), line[k - 1].y + f * (line[k].y - line[k - 1].y)};
        }
        run += seg;
    }
    return line.back();
}

// The distance from a point to the nearest vertex of a line (the lines are
// sampled finer than the plot resolves).
double distance(Pt q, const Polyline& line)
{
    double best = std::numeric_limits<double>::infinity();
    for (const Pt& p : line)
        best = std::min(best, std::hypot(p.x - q.x, p.y - q.y));
    return best;
}

Polyline mirrored(const Polyline& line, double axis)
{
    Polyline out(line.rbegin(), line.rend());
    for (Pt& q : out)
        q.x = 2 * axis - q.x;
    return out;
}

// Two parallel round conductors: the exact lines. The electric lines are
// the circles through the two equivalent line charges at +-c, the magnetic
// lines the circles of Apollonius about them.
// Splits a sampled closed curve into the stretches outside the conductors
// and turns each along the given field (or along z x field).
template <class Inside, class FieldAt>
void addOutside(std::vector<Polyline>& out, const Polyline& curve, Inside inside, FieldAt field, bool magnetic)
{
    Polyline run;
    auto flush = [&] {
        if (run.size() >= 2) {
            double score = 0;
            for (size_t k = 1; k < run.size(); ++k) {
                const Pt e = field(run[k]);
                const Pt dir = magnetic ? Pt{e.y, -e.x} : e;
                score += (run[k].x - run[k - 1].x) * dir.x + (run[k].y - run[k - 1].y) * dir.y;
            }
            if (score < 0)
                std::reverse(run.begin(), run.end());
            out.push_back(run);
        }
        run.clear();
    };
    for (const Pt& q : curve) {
        if (inside(q))
            flush();
        else
            run.push_back(q);
    }
    flush();
}

Polyline circle(double cx, double cy, double r, int n = 720)
{
    Polyline c;
    for (int k = 0; k <= n; ++k) {
        const double t = 2 * kPi * k / n;
        c.push_back({cx + r * std::cos(t), cy + r * std::sin(t)});
    }
    return c;
}

std::vector<Polyline> twoWireLines(bool magnetic, const TwoWireFrame& g)
{
    // The equivalent line charges stand at +-c about the centre.
    const double c = std::sqrt(g.s * g.s / 4 - g.a * g.a);
    auto inside = [&](Pt q) {
        return std::hypot(q.x - (g.xc - g.s / 2), q.y - g.yc) < g.a ||
               std::hypot(q.x - (g.xc + g.s / 2), q.y - g.yc) < g.a;
    };
    auto field = [&](Pt q) {
        const double x1 = q.x - (g.xc - c), x2 = q.x - (g.xc + c), y = q.y - g.yc;
        const double r1 = x1 * x1 + y * y, r2 = x2 * x2 + y * y;
        return Pt{x1 / r1 - x2 / r2, y / r1 - y / r2};
    };
    std::vector<Polyline> out;
    if (!magnetic) {
        const int m = 8;
        for (int k = 1; k < m; ++k) {
            const double sigma = kPi * k / m;
            addOutside(out, circle(g.xc, g.yc + c / std::tan(sigma), c / std::sin(sigma)), inside, field, false);
        }
        addOutside(out, Polyline{{-400, g.yc}, {g.xc - c, g.yc}}, inside, field, false);
        addOutside(out, Polyline{{g.xc - c, g.yc}, {g.xc + c, g.yc}}, inside, field, false);
        addOutside(out, Polyline{{g.xc + c, g.yc}, {600, g.yc}}, inside, field, false);
    } else {
        const double tau0 = std::asinh(c / g.a);
        for (int k = 1; k < 5; ++k) {
            const double tau = tau0 * k / 5;
            const double cx = c / std::tanh(tau), r = c / std::sinh(tau);
            addOutside(out, circle(g.xc - cx, g.yc, r), inside, field, true);
            addOutside(out, circle(g.xc + cx, g.yc, r), inside, field, true);
        }
        addOutside(out, Polyline{{g.xc, -200}, {g.xc, 400}}, inside, field, true);
    }
    return out;
}

// Coaxial cable: radial electric lines, circular magnetic lines spaced by
// equal steps of the potential (equal steps of ln r).
std::vector<Polyline> coaxLines(bool magnetic, const CoaxFrame& g)
{
    std::vector<Polyline> lines;
    if (!magnetic) {
        for (int k = 0; k < 16; ++k) {
            const double t = 2 * kPi * (k + 0.5) / 16;
            lines.push_back({{g.xc + g.a * std::cos(t), g.yc + g.a * std::sin(t)},
                             {g.xc + g.b * std::cos(t), g.yc + g.b * std::sin(t)}});
        }
    } else {
        auto field = [&](Pt q) { return Pt{q.x - g.xc, q.y - g.yc}; };
        for (int k = 1; k < 5; ++k)
            addOutside(lines, circle(g.xc, g.yc, g.a * std::pow(g.b / g.a, k / 5.0)), [](Pt) { return false; },
                       field, true);
    }
    return lines;
}

} // namespace

bool isField(View v) { return v != View::Perspective && v != View::Front && v != View::Permittivity; }
bool isMagnetic(View v) { return v == View::Magnetic || v == View::MagneticEven || v == View::MagneticOdd; }
bool isOdd(View v) { return v == View::ElectricOdd || v == View::MagneticOdd; }
TwoWireFrame TwoWireFrame::of(double d, double D)
{
    TwoWireFrame g;
    g.a = g.s * d / (2 * D);
    return g;
}

CoaxFrame CoaxFrame::of(double d, double D)
{
    CoaxFrame g;
    g.a = g.b * d / D;
    return g;
}

QSizeF plotSize(Structure s)
{
    if (s == Structure::TwoWire || s == Structure::Coax)
        return {180, 130};
    const Section sec = section(s, false);
    return {sec.view.x1 - sec.view.x0, sec.view.y1 - sec.view.y0};
}

FieldPlot roundPlot(Structure s, View v, double d, double D)
{
    FieldPlot plot;
    plot.round = true;
    plot.d = d;
    plot.D = D;
    if (D > d && d > 0)
        plot.lines = s == Structure::Coax ? coaxLines(isMagnetic(v), CoaxFrame::of(d, D))
                                          : twoWireLines(isMagnetic(v), TwoWireFrame::of(d, D));
    return plot;
}

FieldPlot examplePlot(Structure s, View v, bool withLines)
{
    if (s == Structure::Coax) {
        const CoaxFrame g;
        return roundPlot(s, v, 2 * g.a, 2 * g.b);
    }
    if (s == Structure::TwoWire) {
        const TwoWireFrame g;
        return roundPlot(s, v, 2 * g.a, g.s);
    }
    const bool magnetic = isMagnetic(v), odd = isOdd(v);
    const Section sec = section(s, odd);
    FieldPlot plot;
    plot.problem = sec.problem;
    plot.view = sec.view;
    if (withLines) {
        const Field f = Field::solve(sec.problem, magnetic || sec.homogeneous, 2);
        if (f.ok())
            plot.lines = sectionLines(f, magnetic, sec.balanced, sec.axis, sec.lines, sec.step);
    }
    return plot;
}

std::vector<Polyline> sectionLines(const Field& f, bool magnetic, bool balanced, double axis, int count,
                                   double resolution)
{
    std::vector<Polyline> lines;
    if (!magnetic) {
        lines = fieldsolve::electricLines(f, 1, count, resolution);
        if (balanced) {
            // Lines from the positive conductor that do not end on the
            // negative one have mirror images that end on it.
            const size_t n = lines.size();
            for (size_t k = 0; k < n; ++k) {
                const int c = f.conductorAt(lines[k].back());
                if (c < 0 || f.problem().conductors[size_t(c)].potential > -0.5)
                    lines.push_back(mirrored(lines[k], axis));
            }
        }
        // In a gap far narrower than the view, most of the flux crosses it
        // and its lines would be drawn as a knot of rings: a line whose
        // middle comes closer to a longer line than the plot can show
        // apart is left out.
        std::stable_sort(lines.begin(), lines.end(), [](const Polyline& a, const Polyline& b) {
            return fieldsolve::length(a) > fieldsolve::length(b);
        });
        std::vector<Polyline> kept;
        for (Polyline& l : lines)
            if (l.size() >= 2 && std::none_of(kept.begin(), kept.end(), [&](const Polyline& k) {
                    return distance(middle(l), k) < 5 * resolution;
                }))
                kept.push_back(std::move(l));
        lines = std::move(kept);
    } else {
        const int steps = 7;
        for (int k = 1; k < steps; ++k) {
            const double level = double(k) / steps;
            for (double sign : {1.0, -1.0}) {
                if (sign < 0 && !balanced)
                    continue;
                for (Polyline& l : fieldsolve::contours(f, sign * level))
                    if (fieldsolve::length(l) > 4 * resolution)
                        lines.push_back(std::move(l));
            }
        }
        fieldsolve::orientMagnetic(f, lines);
    }
    return lines;
}

fieldsolve::Box flipped(const fieldsolve::Box& b) { return {b.x0, -b.y1, b.x1, -b.y0}; }

fieldsolve::Problem flipped(const fieldsolve::Problem& pb)
{
    fieldsolve::Problem out = pb;
    out.domain = flipped(pb.domain);
    std::swap(out.top, out.bottom);
    for (auto& c : out.conductors)
        c.box = flipped(c.box);
    for (auto& l : out.dielectrics)
        l.box = flipped(l.box);
    return out;
}

} // namespace tarvel::ui::gallery
