// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery_ink.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tarvel::ui::gallery::ink {

QFont symbolFont(int px)
{
    QFont f(QStringLiteral("Serif"));
    f.setStyleHint(QFont::Serif);
    f.setItalic(true);
    f.setPixelSize(px);
    return f;
}

void metalRect(QPainter& p, const QRectF& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kMetalTop);
    g.setColorAt(1, kMetalFront.darker(112));
    p.setPen(QPen(kMetalEdge, 0.8));
    p.setBrush(g);
    p.drawRect(r);
}

void hatch(QPainter& p, const QPolygonF& face, double spacing)
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

void arrowHead(QPainter& p, QPointF tip, QPointF dir, const QColor& c, double len, double half)
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

void dimLine(QPainter& p, QPointF a, QPointF b, bool outside)
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

void symbol(QPainter& p, QPointF c, const QString& text, int px, bool plate)
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

void epsR(QPainter& p, QPointF c, int px, bool plate)
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

} // namespace tarvel::ui::gallery::ink
