// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery_views.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "gallery_ink.h"

namespace tarvel::ui::gallery {

namespace {

using namespace ink;
using fieldsolve::Box;
using fieldsolve::Conductor;
using fieldsolve::Layer;
using fieldsolve::Polyline;
using fieldsolve::Problem;
using fieldsolve::Pt;

// Strokes field lines inside the view. A closed loop that lies wholly in
// view carries its arrow at an angle that turns from loop to loop; other lines carry one on each visible
// stretch, staggered along it so that neighbouring arrows do not line up.
void drawLines(QPainter& p, const std::vector<Polyline>& lines, const QRectF& view, const QColor& colour,
               bool dashed)
{
    p.save();
    p.setClipRect(view);
    QPen pen(colour, 0.9);
    if (dashed)
        pen.setDashPattern({5, 2.5});
    p.setBrush(Qt::NoBrush);
    const QRectF inner = view.adjusted(3, 3, -3, -3);
    auto arrowAt = [&](const Polyline& line, size_t m, double f) {
        const QPointF a = toQ(line[m - 1]), b = toQ(line[m]);
        const QPointF d = b - a;
        const double seg = std::hypot(d.x(), d.y());
        if (seg > 0)
            arrowHead(p, a + d * f + d / seg * 3, d, colour, 5.5, 2.3);
    };
    static const double stagger[3] = {0.5, 0.3, 0.7};
    for (size_t index = 0; index < lines.size(); ++index) {
        const Polyline& line = lines[index];
        if (line.size() < 2)
            continue;
        QPainterPath path(toQ(line[0]));
        for (size_t k = 1; k < line.size(); ++k)
            path.lineTo(toQ(line[k]));
        p.setPen(pen);
        p.drawPath(path);
        const bool closed = std::hypot(line.front().x - line.back().x, line.front().y - line.back().y) < 1e-6;
        bool whole = true;
        for (const Pt& q : line)
            whole = whole && inner.contains(toQ(q));
        if (closed && whole) {
            // Round the loop's centre, each loop at another angle.
            double cx = 0, cy = 0;
            for (const Pt& q : line) {
                cx += q.x;
                cy += q.y;
            }
            cx /= line.size();
            cy /= line.size();
            const double want = kPi * (0.75 + 0.3 * index);
            size_t best = 1;
            double bestGap = 10;
            for (size_t m = 1; m < line.size(); ++m) {
                const double gap = std::fabs(std::remainder(std::atan2(line[m].y - cy, line[m].x - cx) - want, 2 * kPi));
                if (gap < bestGap) {
                    bestGap = gap;
                    best = m;
                }
            }
            arrowAt(line, best, 0.5);
            continue;
        }
        size_t k = 0;
        while (k < line.size()) {
            while (k < line.size() && !inner.contains(toQ(line[k])))
                ++k;
            const size_t first = k;
            double len = 0;
            while (k + 1 < line.size() && inner.contains(toQ(line[k + 1]))) {
                len += std::hypot(line[k + 1].x - line[k].x, line[k + 1].y - line[k].y);
                ++k;
            }
            if (k < line.size() && len > 16) {
                const double want = len * stagger[index % 3];
                double acc = 0;
                for (size_t m = first + 1; m <= k; ++m) {
                    const double seg = std::hypot(line[m].x - line[m - 1].x, line[m].y - line[m - 1].y);
                    if (acc + seg >= want) {
                        arrowAt(line, m, seg > 0 ? (want - acc) / seg : 0);
                        break;
                    }
                    acc += seg;
                }
            }
            ++k;
        }
    }
    p.restore();
}

// Marks on the conductors: polarity for the electric plots, the current
// (towards the viewer, or away) for the magnetic ones.
void mark(QPainter& p, QPointF c, double potential, bool magnetic)
{
    if (potential == 0)
        return;
    p.save();
    if (!magnetic) {
        p.setPen(QPen(kInk, 1.1));
        p.drawLine(c + QPointF(-3, 0), c + QPointF(3, 0));
        if (potential > 0)
            p.drawLine(c + QPointF(0, -3), c + QPointF(0, 3));
    } else {
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(Qt::white);
        p.drawEllipse(c, 4.2, 4.2);
        if (potential > 0) {
            p.setBrush(kInk);
            p.drawEllipse(c, 1.2, 1.2);
        } else {
            p.drawLine(c + QPointF(-2.8, -2.8), c + QPointF(2.8, 2.8));
            p.drawLine(c + QPointF(-2.8, 2.8), c + QPointF(2.8, -2.8));
        }
    }
    p.restore();
}

void sectionBackground(QPainter& p, const Problem& problem, const QRectF& view)
{
    p.save();
    p.setClipRect(view);
    p.setPen(Qt::NoPen);
    for (const Layer& l : problem.dielectrics) {
        p.setBrush(kPanelDiel);
        p.drawRect(QRectF(l.box.x0, l.box.y0, l.box.x1 - l.box.x0, l.box.y1 - l.box.y0));
    }
    for (const Conductor& c : problem.conductors)
        metalRect(p, QRectF(c.box.x0, c.box.y0, c.box.x1 - c.box.x0, c.box.y1 - c.box.y0));
    p.restore();
}

void sectionMarks(QPainter& p, const Problem& problem, const QRectF& view, bool magnetic)
{
    for (const Conductor& c : problem.conductors) {
        const double x0 = std::max(c.box.x0, view.left() + 8), x1 = std::min(c.box.x1, view.right() - 8);
        mark(p, QPointF((x0 + x1) / 2, c.box.y0 - 6.5), c.potential, magnetic);
    }
}

// Two parallel round conductors: the exact lines. The electric lines are
// the circles through the two equivalent line charges at +-c, the magnetic

QRadialGradient roundMetal(QPointF c, QPointF light, double r)
{
    QRadialGradient g(c + light, r);
    g.setColorAt(0, kMetalTop);
    g.setColorAt(1, kMetalFront.darker(115));
    return g;
}

void twoWirePlot(QPainter& p, const FieldPlot& plot, bool magnetic)
{
    const TwoWireFrame g = TwoWireFrame::of(plot.d, plot.D);
    drawLines(p, plot.lines, QRectF(0, 0, 180, 130), magnetic ? kH : kE, magnetic);
    for (int side : {-1, 1}) {
        const QPointF c(g.xc + side * g.s / 2, g.yc);
        p.setPen(QPen(kMetalEdge, 0.8));
        p.setBrush(roundMetal(c, QPointF(-4, -4), g.a * 1.3));
        p.drawEllipse(c, g.a, g.a);
        mark(p, c, -side, magnetic);
    }
}

void coaxPlot(QPainter& p, const FieldPlot& plot, bool magnetic)
{
    const CoaxFrame g = CoaxFrame::of(plot.d, plot.D);
    const QPointF c0(g.xc, g.yc);
    const QRadialGradient metal = roundMetal(c0, QPointF(-8, -10), g.c * 1.4);
    p.setPen(QPen(kMetalEdge, 0.8));
    p.setBrush(metal);
    p.drawEllipse(c0, g.c, g.c);
    p.setBrush(kPanelDiel);
    p.drawEllipse(c0, g.b, g.b);
    drawLines(p, plot.lines, QRectF(0, 0, 180, 130), magnetic ? kH : kE, magnetic);
    p.setPen(QPen(kMetalEdge, 0.8));
    p.setBrush(metal);
    p.drawEllipse(c0, g.a, g.a);
    mark(p, c0, 1, magnetic);
    mark(p, c0 + QPointF(0, -(g.b + g.c) / 2), -1, magnetic);
}

} // namespace

void paintPlot(QPainter& p, const FieldPlot& plot, const QSizeF& size, Structure s, bool magnetic)
{
    if (plot.round) {
        // Drawn in the example's frame, to the section's proportions.
        p.save();
        p.translate((size.width() - 180) / 2, (size.height() - 130) / 2);
        if (plot.D > plot.d && plot.d > 0) {
            if (s == Structure::Coax)
                coaxPlot(p, plot, magnetic);
            else
                twoWirePlot(p, plot, magnetic);
        }
        p.restore();
        return;
    }
    const Box& v = plot.view;
    const double vw = v.x1 - v.x0, vh = v.y1 - v.y0;
    if (!(vw > 0 && vh > 0))
        return;
    const double k = std::min(size.width() / vw, size.height() / vh);
    const double ox = (size.width() - k * vw) / 2, oy = (size.height() - k * vh) / 2;
    auto mapX = [&](double x) { return ox + (std::clamp(x, v.x0 - vw, v.x1 + vw) - v.x0) * k; };
    auto mapY = [&](double y) { return oy + (std::clamp(y, v.y0 - vh, v.y1 + vh) - v.y0) * k; };
    auto mapBox = [&](const Box& b) { return Box{mapX(b.x0), mapY(b.y0), mapX(b.x1), mapY(b.y1)}; };
    Problem shown;
    for (const Layer& l : plot.problem.dielectrics)
        shown.dielectrics.push_back({mapBox(l.box), l.eps});
    for (const Conductor& c : plot.problem.conductors) {
        Box b = mapBox(c.box);
        // A conductor of no thickness still shows as a line of metal.
        if (b.y1 - b.y0 < 1.2) {
            const double mid = (b.y0 + b.y1) / 2;
            b.y0 = mid - 0.6;
            b.y1 = mid + 0.6;
        }
        shown.conductors.push_back({b, c.potential});
    }
    std::vector<Polyline> lines = plot.lines;
    for (Polyline& l : lines)
        for (Pt& q : l)
            q = {ox + (q.x - v.x0) * k, oy + (q.y - v.y0) * k};
    const QRectF frame(QPointF(0, 0), size);
    sectionBackground(p, shown, frame);
    drawLines(p, lines, frame, magnetic ? kH : kE, magnetic);
    sectionMarks(p, shown, frame, magnetic);
}

} // namespace tarvel::ui::gallery
