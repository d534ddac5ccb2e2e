// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery_views.h"

#include <cmath>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "gallery_ink.h"

namespace tarvel::ui::gallery {

namespace {

using namespace ink;

// ------------------------------------------------------------ perspective

// Oblique projection: x to the right, y up, z (along the line) going back
// and up to the right.
struct Oblique {
    double ox, oy;
    double kx = 0.41, ky = 0.29;
    QPointF operator()(double x, double y, double z) const { return {ox + x + kx * z, oy - y - ky * z}; }
};

enum class Mat { Metal, Dielectric };

void box3d(QPainter& p, const Oblique& o, double x, double y, double z, double w, double h, double d, Mat m)
{
    const QPolygonF front = QPolygonF() << o(x, y, z) << o(x + w, y, z) << o(x + w, y + h, z) << o(x, y + h, z);
    const QPolygonF top = QPolygonF() << o(x, y + h, z) << o(x + w, y + h, z) << o(x + w, y + h, z + d)
                                      << o(x, y + h, z + d);
    const QPolygonF side = QPolygonF() << o(x + w, y, z) << o(x + w, y, z + d) << o(x + w, y + h, z + d)
                                       << o(x + w, y + h, z);
    const QColor edge = m == Mat::Metal ? kMetalEdge : kDielEdge;
    p.setPen(QPen(edge, 0.7));
    p.setBrush(m == Mat::Metal ? kMetalTop : kDielTop);
    p.drawPolygon(top);
    p.setBrush(m == Mat::Metal ? kMetalSide : kDielSide);
    p.drawPolygon(side);
    if (m == Mat::Metal) {
        p.setBrush(kMetalFront);
        p.drawPolygon(front);
    } else {
        hatch(p, front, 6);
    }
}

// A round conductor along z, seen in the oblique projection: the far end,
// the shaded body and the cut face at the front.
void cylinder(QPainter& p, const Oblique& o, double cx, double cy, double r, double z0, double z1)
{
    const QPointF a = o(cx, cy, z0), b = o(cx, cy, z1);
    const QPointF u = (b - a) / std::hypot(b.x() - a.x(), b.y() - a.y());
    const QPointF n(-u.y(), u.x());
    p.setPen(QPen(kMetalEdge, 0.7));
    p.setBrush(kMetalSide);
    p.drawEllipse(b, r, r);
    QLinearGradient g(a + n * r, a - n * r);
    g.setColorAt(0, kMetalSide);
    g.setColorAt(0.35, kMetalTop);
    g.setColorAt(1, kMetalSide.darker(115));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPolygon(QPolygonF() << a + n * r << b + n * r << b - n * r << a - n * r);
    p.setPen(QPen(kMetalEdge, 0.7));
    p.drawLine(a + n * r, b + n * r);
    p.drawLine(a - n * r, b - n * r);
    p.setBrush(kMetalFront);
    p.drawEllipse(a, r, r);
}

// A propagation arrow along z, labelled z.
void zArrow(QPainter& p, const Oblique& o, double x, double y, double z0, double z1)
{
    const QPointF a = o(x, y, z0), b = o(x, y, z1);
    p.setPen(QPen(kInk, 0.8));
    p.drawLine(a, b);
    arrowHead(p, b, b - a, kInk, 6, 2.2);
    symbol(p, b + QPointF(7, -4), QStringLiteral("z"), 12);
}

void perspectiveTwoWire(QPainter& p)
{
    const Oblique o{30, 95};
    cylinder(p, o, 75, 0, 11, 0, 230);
    cylinder(p, o, 10, 0, 11, 0, 230);
    zArrow(p, o, 42, -28, 150, 215);
}

void sideCoax(QPainter& p)
{
    const double cy = 67, a = 9, b = 31, c = 41;
    auto body = [&](double x0, double x1, double r, bool metal) {
        const QRectF rect(x0, cy - r, x1 - x0, 2 * r);
        QLinearGradient g(rect.topLeft(), rect.bottomLeft());
        if (metal) {
            g.setColorAt(0, kMetalSide);
            g.setColorAt(0.3, kMetalTop);
            g.setColorAt(1, kMetalSide.darker(120));
        } else {
            g.setColorAt(0, kDielSide);
            g.setColorAt(0.3, kDielTop);
            g.setColorAt(1, kDielSide.darker(115));
        }
        p.setPen(QPen(metal ? kMetalEdge : kDielEdge, 0.7));
        p.setBrush(g);
        p.drawRect(rect);
    };
    auto face = [&](double x, double r, bool metal) {
        p.setPen(QPen(metal ? kMetalEdge : kDielEdge, 0.7));
        p.setBrush(metal ? kMetalFront : kDielFront);
        p.drawEllipse(QPointF(x, cy), r * 0.24, r);
    };
    body(12, 118, c, true);
    // Hidden edges of the dielectric and of the inner conductor.
    p.setPen(QPen(kMetalEdge, 0.6, Qt::DashLine));
    for (double r : {b, a}) {
        p.drawLine(QPointF(12, cy - r), QPointF(118, cy - r));
        p.drawLine(QPointF(12, cy + r), QPointF(118, cy + r));
    }
    face(118, c, true);
    face(118, b, false);
    face(118, a, true);
    body(118, 170, b, false);
    face(170, b, false);
    face(170, a, true);
    body(170, 222, a, true);
    face(222, a, true);
    // The dielectric, named by its permittivity.
    p.setPen(QPen(kInk, 0.5));
    p.drawLine(QPointF(145, cy - b + 6), QPointF(145, 22));
    epsR(p, QPointF(145, 15), 13);
}

void perspectivePlanar(QPainter& p, Structure s)
{
    // Length along z: the far end of the 150-wide slab stays inside the
    // 240-wide box (14 + 150 + 0.41 L < 238).
    const double L = 176;
    const Oblique o{14, 112};
    const double w = 150;
    switch (s) {
    case Structure::Microstrip:
        box3d(p, o, 0, 0, 0, w, 6, L, Mat::Metal);
        box3d(p, o, 0, 6, 0, w, 26, L, Mat::Dielectric);
        box3d(p, o, 55, 32, 0, 40, 4, L, Mat::Metal);
        break;
    case Structure::Stripline: {
        // The upper half is cut back to show the strip.
        box3d(p, o, 0, 0, 0, w, 6, L, Mat::Metal);
        box3d(p, o, 0, 6, 0, w, 22, L, Mat::Dielectric);
        box3d(p, o, 55, 28, 0, 40, 4, L, Mat::Metal);
        box3d(p, o, 0, 28, L * 0.45, w, 22, L * 0.55, Mat::Dielectric);
        box3d(p, o, 0, 50, L * 0.45, w, 6, L * 0.55, Mat::Metal);
        break;
    }
    case Structure::Slotline:
        box3d(p, o, 0, 0, 0, w, 30, L, Mat::Dielectric);
        box3d(p, o, 0, 30, 0, 64, 4, L, Mat::Metal);
        box3d(p, o, 86, 30, 0, 64, 4, L, Mat::Metal);
        break;
    case Structure::Cpw:
        box3d(p, o, 0, 0, 0, w, 30, L, Mat::Dielectric);
        box3d(p, o, 0, 30, 0, 48, 4, L, Mat::Metal);
        box3d(p, o, 60, 30, 0, 30, 4, L, Mat::Metal);
        box3d(p, o, 102, 30, 0, 48, 4, L, Mat::Metal);
        break;
    case Structure::Cps:
        box3d(p, o, 0, 0, 0, w, 30, L, Mat::Dielectric);
        box3d(p, o, 28, 30, 0, 38, 4, L, Mat::Metal);
        box3d(p, o, 84, 30, 0, 38, 4, L, Mat::Metal);
        break;
    case Structure::CoupledMicrostrip:
        box3d(p, o, 0, 0, 0, w, 6, L, Mat::Metal);
        box3d(p, o, 0, 6, 0, w, 26, L, Mat::Dielectric);
        box3d(p, o, 33, 32, 0, 36, 4, L, Mat::Metal);
        box3d(p, o, 81, 32, 0, 36, 4, L, Mat::Metal);
        break;
    case Structure::CoupledStripline:
        box3d(p, o, 0, 0, 0, w, 6, L, Mat::Metal);
        box3d(p, o, 0, 6, 0, w, 22, L, Mat::Dielectric);
        box3d(p, o, 33, 28, 0, 36, 4, L, Mat::Metal);
        box3d(p, o, 81, 28, 0, 36, 4, L, Mat::Metal);
        box3d(p, o, 0, 28, L * 0.45, w, 22, L * 0.55, Mat::Dielectric);
        box3d(p, o, 0, 50, L * 0.45, w, 6, L * 0.55, Mat::Metal);
        break;
    default:
        break;
    }
}

// ------------------------------------------------------------ front views

void frontTwoWire(QPainter& p)
{
    const double y = 78, r = 16, x1 = 130, x2 = 230;
    for (double x : {x1, x2}) {
        QRadialGradient g(QPointF(x - 5, y - 6), r * 1.3);
        g.setColorAt(0, kMetalTop);
        g.setColorAt(1, kMetalFront.darker(115));
        p.setPen(QPen(kMetalEdge, 0.8));
        p.setBrush(g);
        p.drawEllipse(QPointF(x, y), r, r);
        p.setPen(QPen(kInk, 0.45, Qt::DashDotLine));
        p.drawLine(QPointF(x - r - 5, y), QPointF(x + r + 5, y));
        p.drawLine(QPointF(x, y - r - 5), QPointF(x, y + r + 5));
    }
    // S between the centres.
    extLine(p, QPointF(x1, y - r - 6), QPointF(x1, 28));
    extLine(p, QPointF(x2, y - r - 6), QPointF(x2, 28));
    dimLine(p, QPointF(x1, 33), QPointF(x2, 33));
    symbol(p, QPointF((x1 + x2) / 2, 24), QStringLiteral("S"));
    // d across the second conductor.
    extLine(p, QPointF(x2 + 4, y - r), QPointF(x2 + 48, y - r));
    extLine(p, QPointF(x2 + 4, y + r), QPointF(x2 + 48, y + r));
    dimLine(p, QPointF(x2 + 42, y - r), QPointF(x2 + 42, y + r));
    symbol(p, QPointF(x2 + 55, y), QStringLiteral("d"));
}

void frontCoax(QPainter& p)
{
    const QPointF c0(150, 67);
    const double a = 12, b = 40, c = 54;
    QRadialGradient g(c0 + QPointF(-8, -10), c * 1.4);
    g.setColorAt(0, kMetalTop);
    g.setColorAt(1, kMetalFront.darker(115));
    p.setPen(QPen(kMetalEdge, 0.8));
    p.setBrush(g);
    p.drawEllipse(c0, c, c);
    QPainterPath ring;
    ring.addEllipse(c0, b, b);
    hatch(p, ring.toFillPolygon());
    p.setPen(QPen(kMetalEdge, 0.8));
    p.setBrush(g);
    p.drawEllipse(c0, a, a);
    epsR(p, c0 + QPointF(-24, -16), 15, true);
    // 2c on the left, 2b and 2a on the right.
    extLine(p, c0 + QPointF(-4, -c), QPointF(c0.x() - c - 30, c0.y() - c));
    extLine(p, c0 + QPointF(-4, c), QPointF(c0.x() - c - 30, c0.y() + c));
    dimLine(p, QPointF(c0.x() - c - 24, c0.y() - c), QPointF(c0.x() - c - 24, c0.y() + c));
    symbol(p, QPointF(c0.x() - c - 40, c0.y()), QStringLiteral("2c"));
    const double xb = c0.x() + c + 26, xa = c0.x() + c + 60;
    extLine(p, c0 + QPointF(4, -b), QPointF(xb + 6, c0.y() - b));
    extLine(p, c0 + QPointF(4, b), QPointF(xb + 6, c0.y() + b));
    dimLine(p, QPointF(xb, c0.y() - b), QPointF(xb, c0.y() + b));
    symbol(p, QPointF(xb + 14, c0.y() + 18), QStringLiteral("2b"));
    extLine(p, c0 + QPointF(4, -a), QPointF(xa + 6, c0.y() - a));
    extLine(p, c0 + QPointF(4, a), QPointF(xa + 6, c0.y() + a));
    dimLine(p, QPointF(xa, c0.y() - a), QPointF(xa, c0.y() + a), true);
    symbol(p, QPointF(xa + 15, c0.y()), QStringLiteral("2a"));
}

// Horizontal dimension from x0 to x1 at height y, with extension lines up
// from the feature edge at yFeature.
void hDim(QPainter& p, double x0, double x1, double y, double yFeature, const QString& label, bool plate = false)
{
    extLine(p, QPointF(x0, yFeature - 2), QPointF(x0, y - 5));
    extLine(p, QPointF(x1, yFeature - 2), QPointF(x1, y - 5));
    dimLine(p, QPointF(x0, y), QPointF(x1, y), x1 - x0 < 16);
    symbol(p, QPointF((x0 + x1) / 2, y - 9), label, 13, plate);
}

// Vertical dimension from y0 to y1 at x, with extension lines from the
// feature edge at xFeature; the label stands at xLabel.
void vDim(QPainter& p, double y0, double y1, double x, double xFeature, double xLabel, const QString& label)
{
    const double dir = x < xFeature ? -1 : 1;
    extLine(p, QPointF(xFeature + 2 * dir, y0), QPointF(x + 5 * dir, y0));
    extLine(p, QPointF(xFeature + 2 * dir, y1), QPointF(x + 5 * dir, y1));
    dimLine(p, QPointF(x, y0), QPointF(x, y1), y1 - y0 < 16);
    symbol(p, QPointF(xLabel, (y0 + y1) / 2), label);
}

void frontMicrostrip(QPainter& p)
{
    metalRect(p, QRectF(40, 112, 300, 8));
    hatchRect(p, QRectF(40, 80, 300, 32));
    metalRect(p, QRectF(150, 74, 80, 6));
    hDim(p, 150, 230, 52, 74, QStringLiteral("W"));
    vDim(p, 74, 80, 256, 230, 268, QStringLiteral("t"));
    vDim(p, 80, 112, 24, 40, 12, QStringLiteral("H"));
    epsR(p, QPointF(300, 96), 15, true);
}

void frontStripline(QPainter& p)
{
    metalRect(p, QRectF(70, 12, 280, 8));
    metalRect(p, QRectF(70, 112, 280, 8));
    hatchRect(p, QRectF(70, 20, 280, 92));
    metalRect(p, QRectF(170, 63, 80, 6));
    hDim(p, 170, 250, 46, 63, QStringLiteral("W"), true);
    vDim(p, 63, 69, 276, 250, 287, QStringLiteral("t"));
    extLine(p, QPointF(172, 69), QPointF(164, 69));
    vDim(p, 20, 112, 56, 70, 30, QStringLiteral("b=2H"));
    epsR(p, QPointF(318, 92), 15, true);
}

void frontSlotline(QPainter& p)
{
    hatchRect(p, QRectF(40, 70, 300, 40));
    metalRect(p, QRectF(40, 64, 135, 6));
    metalRect(p, QRectF(205, 64, 135, 6));
    hDim(p, 175, 205, 44, 64, QStringLiteral("W"));
    vDim(p, 64, 70, 354, 340, 366, QStringLiteral("t"));
    vDim(p, 70, 110, 24, 40, 12, QStringLiteral("H"));
    epsR(p, QPointF(290, 92), 15, true);
}

void frontCpw(QPainter& p)
{
    hatchRect(p, QRectF(40, 70, 300, 40));
    metalRect(p, QRectF(40, 64, 100, 6));
    metalRect(p, QRectF(165, 64, 50, 6));
    metalRect(p, QRectF(240, 64, 100, 6));
    hDim(p, 140, 165, 44, 64, QStringLiteral("W"));
    hDim(p, 165, 215, 44, 64, QStringLiteral("S"));
    hDim(p, 215, 240, 44, 64, QStringLiteral("W"));
    vDim(p, 70, 110, 24, 40, 12, QStringLiteral("H"));
    epsR(p, QPointF(300, 92), 15, true);
}

void frontCps(QPainter& p)
{
    hatchRect(p, QRectF(40, 70, 300, 40));
    metalRect(p, QRectF(100, 64, 70, 6));
    metalRect(p, QRectF(200, 64, 70, 6));
    hDim(p, 100, 170, 44, 64, QStringLiteral("W"));
    hDim(p, 170, 200, 44, 64, QStringLiteral("S"));
    hDim(p, 200, 270, 44, 64, QStringLiteral("W"));
    vDim(p, 64, 70, 292, 270, 304, QStringLiteral("t"));
    vDim(p, 70, 110, 24, 40, 12, QStringLiteral("H"));
    epsR(p, QPointF(320, 92), 15, true);
}

void frontCoupledMicrostrip(QPainter& p)
{
    metalRect(p, QRectF(30, 100, 210, 7));
    hatchRect(p, QRectF(30, 72, 210, 28));
    metalRect(p, QRectF(62, 67, 50, 5));
    metalRect(p, QRectF(136, 67, 50, 5));
    hDim(p, 62, 112, 44, 67, QStringLiteral("W"));
    hDim(p, 112, 136, 44, 67, QStringLiteral("S"));
    hDim(p, 136, 186, 44, 67, QStringLiteral("W"));
    vDim(p, 67, 72, 204, 186, 215, QStringLiteral("t"));
    vDim(p, 72, 100, 16, 30, 7, QStringLiteral("H"));
}

void frontCoupledStripline(QPainter& p)
{
    metalRect(p, QRectF(52, 10, 196, 7));
    metalRect(p, QRectF(52, 104, 196, 7));
    hatchRect(p, QRectF(52, 17, 196, 87));
    metalRect(p, QRectF(80, 58, 46, 5));
    metalRect(p, QRectF(148, 58, 46, 5));
    hDim(p, 80, 126, 42, 58, QStringLiteral("W"), true);
    hDim(p, 126, 148, 42, 58, QStringLiteral("S"), true);
    hDim(p, 148, 194, 42, 58, QStringLiteral("W"), true);
    vDim(p, 58, 63, 212, 194, 223, QStringLiteral("t"));
    vDim(p, 17, 104, 40, 52, 19, QStringLiteral("b=2H"));
}

} // namespace

void paintPerspective(QPainter& p, Structure s)
{
    if (s == Structure::TwoWire)
        perspectiveTwoWire(p);
    else if (s == Structure::Coax)
        sideCoax(p);
    else
        perspectivePlanar(p, s);
}

void paintFront(QPainter& p, Structure s)
{
    switch (s) {
    case Structure::TwoWire: frontTwoWire(p); break;
    case Structure::Coax: frontCoax(p); break;
    case Structure::Microstrip: frontMicrostrip(p); break;
    case Structure::Stripline: frontStripline(p); break;
    case Structure::Slotline: frontSlotline(p); break;
    case Structure::Cpw: frontCpw(p); break;
    case Structure::Cps: frontCps(p); break;
    case Structure::CoupledMicrostrip: frontCoupledMicrostrip(p); break;
    case Structure::CoupledStripline: frontCoupledStripline(p); break;
    }
}

} // namespace tarvel::ui::gallery
