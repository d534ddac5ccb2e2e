#include "gallery_drawings.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QFontMetricsF>

#include "fieldsolve/field.h"

namespace tarvel::ui::gallery {

namespace {

using tarvel::fieldsolve::Box;
using tarvel::fieldsolve::Conductor;
using tarvel::fieldsolve::Field;
using tarvel::fieldsolve::Layer;
using tarvel::fieldsolve::Polyline;
using tarvel::fieldsolve::Problem;
using tarvel::fieldsolve::Pt;

constexpr double kPi = 3.14159265358979323846;

const QColor kMetalFront(217, 137, 74), kMetalTop(244, 190, 142), kMetalSide(176, 100, 44), kMetalEdge(107, 58, 18);
const QColor kDielFront(214, 234, 204), kDielTop(232, 244, 226), kDielSide(188, 215, 176), kDielEdge(93, 127, 82);
const QColor kDielHatch(150, 186, 140), kPanelDiel(228, 241, 222);
const QColor kInk(30, 30, 30), kE(200, 24, 24), kH(22, 72, 184);

bool coupled(Structure s) { return s == Structure::CoupledMicrostrip || s == Structure::CoupledStripline; }

// ---------------------------------------------------------------- basics

QFont symbolFont(int px)
{
    QFont f(QStringLiteral("Serif"));
    f.setStyleHint(QFont::Serif);
    f.setItalic(true);
    f.setPixelSize(px);
    return f;
}

QPointF toQ(Pt p) { return {p.x, p.y}; }

void metalRect(QPainter& p, const QRectF& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kMetalTop);
    g.setColorAt(1, kMetalFront.darker(112));
    p.setPen(QPen(kMetalEdge, 0.8));
    p.setBrush(g);
    p.drawRect(r);
}

// A cut through a dielectric: tint and 45-degree hatching.
void hatch(QPainter& p, const QPolygonF& face, double spacing = 7)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kDielFront);
    p.drawPolygon(face);
    QPainterPath clip;
    clip.addPolygon(face);
    p.setClipPath(clip, Qt::IntersectClip);
    const QRectF b = face.boundingRect();
    p.setPen(QPen(kDielHatch, 0.6));
    for (double s = b.left() - b.height(); s < b.right(); s += spacing)
        p.drawLine(QPointF(s, b.bottom()), QPointF(s + b.height(), b.top()));
    p.restore();
    p.setPen(QPen(kDielEdge, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(face);
}

void hatchRect(QPainter& p, const QRectF& r) { hatch(p, QPolygonF(r)); }

void arrowHead(QPainter& p, QPointF tip, QPointF dir, const QColor& c, double len = 6, double half = 2.3)
{
    const double m = std::hypot(dir.x(), dir.y());
    if (!(m > 0))
        return;
    const QPointF u = dir / m, n(-u.y(), u.x());
    const QPointF base = tip - u * len;
    QPolygonF tri;
    tri << tip << base + n * half << base - n * half;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(tri);
    p.restore();
}

// A dimension line with arrows at both ends. For a short span the arrows
// stand outside and point inwards.
void dimLine(QPainter& p, QPointF a, QPointF b, bool outside = false)
{
    p.setPen(QPen(kInk, 0.7));
    const QPointF d = b - a;
    const double m = std::hypot(d.x(), d.y());
    const QPointF u = d / m;
    if (!outside) {
        p.drawLine(a, b);
        arrowHead(p, a, -u, kInk, 5.5, 2);
        arrowHead(p, b, u, kInk, 5.5, 2);
    } else {
        p.drawLine(a - u * 12, a);
        p.drawLine(b, b + u * 12);
        p.drawLine(a, b);
        arrowHead(p, a, u, kInk, 5.5, 2);
        arrowHead(p, b, -u, kInk, 5.5, 2);
    }
}

void extLine(QPainter& p, QPointF a, QPointF b)
{
    p.setPen(QPen(kInk, 0.45));
    p.drawLine(a, b);
}

// A symbol of the legend, centred at c; `plate` puts a white ground under it
// where it sits on a hatched face.
void symbol(QPainter& p, QPointF c, const QString& text, int px = 13, bool plate = false)
{
    p.setFont(symbolFont(px));
    const QFontMetricsF fm(p.font());
    const double w = fm.horizontalAdvance(text) + 4, h = fm.height();
    const QRectF r(c.x() - w / 2, c.y() - h / 2, w, h);
    if (plate) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 225));
        p.drawRoundedRect(r.adjusted(0, 2, 0, -1), 2, 2);
    }
    p.setPen(kInk);
    p.drawText(r, Qt::AlignCenter, text);
}

// The relative permittivity: epsilon with a subscript r, centred at c.
void epsR(QPainter& p, QPointF c, int px = 15, bool plate = false)
{
    const QFont big = symbolFont(px);
    QFont small = symbolFont(std::max(6, px * 2 / 3));
    const QFontMetricsF fb(big), fs(small);
    const double wb = fb.horizontalAdvance(QString(QChar(0x03B5))), ws = fs.horizontalAdvance(QStringLiteral("r"));
    const double left = c.x() - (wb + ws) / 2;
    const double base = c.y() + fb.ascent() * 0.35;
    if (plate) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 225));
        p.drawRoundedRect(QRectF(left - 2, c.y() - px * 0.45, wb + ws + 4, px * 0.95), 2, 2);
    }
    p.setPen(kInk);
    p.setFont(big);
    p.drawText(QPointF(left, base), QString(QChar(0x03B5)));
    p.setFont(small);
    p.drawText(QPointF(left + wb, base + px * 0.22), QStringLiteral("r"));
}

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
    const double L = 190; // length along z
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

// ------------------------------------------------------------ field plots

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

Polyline mirrored(const Polyline& line, double axis)
{
    Polyline out(line.rbegin(), line.rend());
    for (Pt& q : out)
        q.x = 2 * axis - q.x;
    return out;
}

} // namespace

std::vector<Polyline> sectionLines(const Field& f, bool magnetic, bool balanced, double axis, int count,
                                   double resolution)
{
    std::vector<Polyline> lines;
    if (!magnetic) {
        lines = tarvel::fieldsolve::electricLines(f, 1, count, resolution);
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
    } else {
        const int steps = 7;
        for (int k = 1; k < steps; ++k) {
            const double level = double(k) / steps;
            for (double sign : {1.0, -1.0}) {
                if (sign < 0 && !balanced)
                    continue;
                for (Polyline& l : tarvel::fieldsolve::contours(f, sign * level))
                    if (tarvel::fieldsolve::length(l) > 4 * resolution)
                        lines.push_back(std::move(l));
            }
        }
        tarvel::fieldsolve::orientMagnetic(f, lines);
    }
    return lines;
}

namespace {

// The electric or magnetic lines of a numerically solved cross-section,
// computed once.
const std::vector<Polyline>& solvedLines(Structure s, bool magnetic, bool odd)
{
    static std::map<std::tuple<int, bool, bool>, std::vector<Polyline>> cache;
    const auto key = std::make_tuple(int(s), magnetic, odd);
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    const Section sec = section(s, odd);
    const Field f = Field::solve(sec.problem, magnetic || sec.homogeneous, 2);
    std::vector<Polyline> lines = sectionLines(f, magnetic, sec.balanced, sec.axis, sec.lines, sec.step);
    return cache.emplace(key, std::move(lines)).first->second;
}

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

void sectionBackground(QPainter& p, const Section& sec)
{
    const QRectF view(sec.view.x0, sec.view.y0, sec.view.x1 - sec.view.x0, sec.view.y1 - sec.view.y0);
    p.save();
    p.setClipRect(view);
    p.setPen(Qt::NoPen);
    for (const Layer& l : sec.problem.dielectrics) {
        p.setBrush(kPanelDiel);
        p.drawRect(QRectF(l.box.x0, l.box.y0, l.box.x1 - l.box.x0, l.box.y1 - l.box.y0));
    }
    for (const Conductor& c : sec.problem.conductors)
        metalRect(p, QRectF(c.box.x0, c.box.y0, c.box.x1 - c.box.x0, c.box.y1 - c.box.y0));
    p.restore();
}

void sectionMarks(QPainter& p, const Section& sec, bool magnetic)
{
    for (const Conductor& c : sec.problem.conductors) {
        const double x0 = std::max(c.box.x0, sec.view.x0 + 8), x1 = std::min(c.box.x1, sec.view.x1 - 8);
        mark(p, QPointF((x0 + x1) / 2, c.box.y0 - 6.5), c.potential, magnetic);
    }
}

// Two parallel round conductors: the exact lines. The electric lines are
// the circles through the two equivalent line charges at +-c, the magnetic
// lines the circles of Apollonius about them.
struct TwoWireGeometry {
    double xc = 90, yc = 65, s = 74, a = 13;
    double c() const { return std::sqrt(s * s / 4 - a * a); }
    Pt electric(Pt q) const
    {
        const double x1 = q.x - (xc - c()), x2 = q.x - (xc + c()), y = q.y - yc;
        const double r1 = x1 * x1 + y * y, r2 = x2 * x2 + y * y;
        return {x1 / r1 - x2 / r2, y / r1 - y / r2};
    }
    bool inside(Pt q) const
    {
        return std::hypot(q.x - (xc - s / 2), q.y - yc) < a || std::hypot(q.x - (xc + s / 2), q.y - yc) < a;
    }
};

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

std::vector<Polyline> twoWireLines(bool magnetic, const TwoWireGeometry& g)
{
    const double c = g.c();
    auto inside = [&](Pt q) { return g.inside(q); };
    auto field = [&](Pt q) { return g.electric(q); };
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

// The gallery's example, or wires of another diameter to the same spacing.
void twoWireSection(QPainter& p, bool magnetic, const TwoWireGeometry& g = {})
{
    const QRectF view(0, 0, 180, 130);
    const bool example = g.a == TwoWireGeometry().a;
    static const std::vector<Polyline> e = twoWireLines(false, {}), h = twoWireLines(true, {});
    drawLines(p, example ? (magnetic ? h : e) : twoWireLines(magnetic, g), view, magnetic ? kH : kE, magnetic);
    for (int side : {-1, 1}) {
        const QPointF c(g.xc + side * g.s / 2, g.yc);
        QRadialGradient grad(c + QPointF(-4, -4), g.a * 1.3);
        grad.setColorAt(0, kMetalTop);
        grad.setColorAt(1, kMetalFront.darker(115));
        p.setPen(QPen(kMetalEdge, 0.8));
        p.setBrush(grad);
        p.drawEllipse(c, g.a, g.a);
        mark(p, c, -side, magnetic);
    }
}

// Coaxial cable: radial electric lines, circular magnetic lines spaced by
// equal steps of the potential (equal steps of ln r).
// The example's inner conductor is a = 10 for b = 46; a computed window
// gives its own ratio.
void coaxSection(QPainter& p, bool magnetic, double a = 10)
{
    const QPointF c0(90, 65);
    const double b = 46, c = 56;
    QRadialGradient g(c0 + QPointF(-8, -10), c * 1.4);
    g.setColorAt(0, kMetalTop);
    g.setColorAt(1, kMetalFront.darker(115));
    p.setPen(QPen(kMetalEdge, 0.8));
    p.setBrush(g);
    p.drawEllipse(c0, c, c);
    p.setBrush(kPanelDiel);
    p.drawEllipse(c0, b, b);
    std::vector<Polyline> lines;
    if (!magnetic) {
        for (int k = 0; k < 16; ++k) {
            const double t = 2 * kPi * (k + 0.5) / 16;
            lines.push_back({{c0.x() + a * std::cos(t), c0.y() + a * std::sin(t)},
                             {c0.x() + b * std::cos(t), c0.y() + b * std::sin(t)}});
        }
    } else {
        auto field = [&](Pt q) { return Pt{q.x - c0.x(), q.y - c0.y()}; };
        for (int k = 1; k < 5; ++k)
            addOutside(lines, circle(c0.x(), c0.y(), a * std::pow(b / a, k / 5.0)), [](Pt) { return false; },
                       field, true);
    }
    drawLines(p, lines, QRectF(0, 0, 180, 130), magnetic ? kH : kE, magnetic);
    p.setPen(QPen(kMetalEdge, 0.8));
    p.setBrush(g);
    p.drawEllipse(c0, a, a);
    mark(p, c0, 1, magnetic);
    mark(p, c0 + QPointF(0, -(b + c) / 2), -1, magnetic);
}

void solvedSection(QPainter& p, Structure s, bool magnetic, bool odd)
{
    const Section sec = section(s, odd);
    const QRectF view(sec.view.x0, sec.view.y0, sec.view.x1 - sec.view.x0, sec.view.y1 - sec.view.y0);
    sectionBackground(p, sec);
    drawLines(p, solvedLines(s, magnetic, odd), view, magnetic ? kH : kE, magnetic);
    sectionMarks(p, sec, magnetic);
}

bool isField(View v) { return v != View::Perspective && v != View::Front && v != View::Permittivity; }

// The caption band at the foot of a field view that shows a computed section:
// the field's values over the formula's.
constexpr double kCaptionBand = 16;

void ownCaption(QPainter& p, const QString& text, const QSizeF& size)
{
    p.save();
    QFont f = p.font();
    f.setPointSizeF(5.4);
    p.setFont(f);
    p.setPen(kInk);
    const QRectF band(2, size.height() - kCaptionBand, size.width() - 4, kCaptionBand);
    // A narrow view takes a smaller type before anything is cut.
    double widest = 0;
    for (const QString& line : text.split('\n'))
        widest = std::max(widest, QFontMetricsF(f).horizontalAdvance(line));
    if (widest > band.width()) {
        f.setPointSizeF(std::max(3.4, 0.92 * f.pointSizeF() * band.width() / widest));
        p.setFont(f);
    }
    QString lines;
    for (const QString& line : text.split('\n'))
        lines += (lines.isEmpty() ? "" : "\n") + QFontMetricsF(f).elidedText(line, Qt::ElideRight, band.width());
    p.drawText(band, Qt::AlignCenter, lines);
    p.restore();
}

void ownSection(QPainter& p, const OwnSection& own, const QSizeF& size, Structure s, bool magnetic)
{
    const double h = size.height() - kCaptionBand;
    if (own.round) {
        // Drawn in the example's frame, to the window's proportions.
        p.save();
        p.translate((size.width() - 180) / 2, (h - 130) / 2);
        if (own.D > own.d && own.d > 0) {
            if (s == Structure::Coax)
                coaxSection(p, magnetic, 46 * own.d / own.D);
            else {
                TwoWireGeometry g;
                g.a = g.s * own.d / (2 * own.D);
                twoWireSection(p, magnetic, g);
            }
        }
        p.restore();
        ownCaption(p, own.caption, size);
        return;
    }
    const Box& v = own.view;
    const double vw = v.x1 - v.x0, vh = v.y1 - v.y0;
    const double k = std::min(size.width() / vw, h / vh);
    const double ox = (size.width() - k * vw) / 2, oy = (h - k * vh) / 2;
    auto mapX = [&](double x) { return ox + (std::clamp(x, v.x0 - vw, v.x1 + vw) - v.x0) * k; };
    auto mapY = [&](double y) { return oy + (std::clamp(y, v.y0 - vh, v.y1 + vh) - v.y0) * k; };
    auto mapBox = [&](const Box& b) { return Box{mapX(b.x0), mapY(b.y0), mapX(b.x1), mapY(b.y1)}; };
    Section sec;
    sec.view = {0, 0, size.width(), h};
    for (const Layer& l : own.problem.dielectrics)
        sec.problem.dielectrics.push_back({mapBox(l.box), l.eps});
    for (const Conductor& c : own.problem.conductors) {
        Box b = mapBox(c.box);
        // A conductor of no thickness still shows as a line of metal.
        if (b.y1 - b.y0 < 1.2) {
            const double mid = (b.y0 + b.y1) / 2;
            b.y0 = mid - 0.6;
            b.y1 = mid + 0.6;
        }
        sec.problem.conductors.push_back({b, c.potential});
    }
    std::vector<Polyline> lines = own.lines;
    for (Polyline& l : lines)
        for (Pt& q : l)
            q = {ox + (q.x - v.x0) * k, oy + (q.y - v.y0) * k};
    sectionBackground(p, sec);
    drawLines(p, lines, QRectF(0, 0, size.width(), h), magnetic ? kH : kE, magnetic);
    sectionMarks(p, sec, magnetic);
    ownCaption(p, own.caption, size);
}

} // namespace

QSizeF designSize(Structure s, View v)
{
    switch (v) {
    case View::Perspective:
        return s == Structure::Coax ? QSizeF(240, 135) : coupled(s) ? QSizeF(240, 135) : QSizeF(240, 135);
    case View::Front:
        if (coupled(s))
            return {260, 120};
        return {380, 135};
    case View::Permittivity:
        return {22, 18};
    default:
        break;
    }
    if (s == Structure::TwoWire || s == Structure::Coax)
        return {180, 130};
    const Section sec = section(s, false);
    return {sec.view.x1 - sec.view.x0, sec.view.y1 - sec.view.y0};
}

void paint(QPainter& p, const QRectF& target, Structure s, View v, const OwnSection* own)
{
    const QSizeF size = designSize(s, v);
    const double scale = std::min(target.width() / size.width(), target.height() / size.height());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(target.center());
    p.scale(scale, scale);
    p.translate(-size.width() / 2, -size.height() / 2);
    p.setClipRect(QRectF(QPointF(0, 0), size));
    if (isField(v)) {
        p.setPen(QPen(QColor(190, 190, 190), 0.6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(QPointF(0, 0), size));
    }
    const bool magnetic = v == View::Magnetic || v == View::MagneticEven || v == View::MagneticOdd;
    const bool odd = v == View::ElectricOdd || v == View::MagneticOdd;
    switch (v) {
    case View::Permittivity:
        epsR(p, QPointF(size.width() / 2, size.height() / 2), 15);
        break;
    case View::Perspective:
        if (s == Structure::TwoWire)
            perspectiveTwoWire(p);
        else if (s == Structure::Coax)
            sideCoax(p);
        else
            perspectivePlanar(p, s);
        break;
    case View::Front:
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
        break;
    default:
        if (own)
            ownSection(p, *own, size, s, magnetic);
        else if (s == Structure::TwoWire)
            twoWireSection(p, magnetic);
        else if (s == Structure::Coax)
            coaxSection(p, magnetic);
        else
            solvedSection(p, s, magnetic, odd);
        break;
    }
    p.restore();
}

Picture::Picture(Structure s, View v, QWidget* parent) : QWidget(parent), s_(s), v_(v)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize Picture::sizeHint() const { return designSize(s_, v_).toSize(); }

QSize Picture::minimumSizeHint() const { return (designSize(s_, v_) * 0.5).toSize(); }

void Picture::setOwn(std::shared_ptr<const OwnSection> own)
{
    own_ = std::move(own);
    update();
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint(p, QRectF(rect()), s_, v_, isField(v_) ? own_.get() : nullptr);
}

} // namespace tarvel::ui::gallery
