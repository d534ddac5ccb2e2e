// SPDX-License-Identifier: GPL-3.0-or-later
// The gallery's pen and paper: the colours of metal, dielectric and the two
// fields, and the few strokes every drawing is made of (faces, hatching,
// arrows, dimension lines, the italic symbols of the legend).
#pragma once
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include "fieldsolve/field.h"

class QPainter;

namespace tarvel::ui::gallery::ink {

constexpr double kPi = 3.14159265358979323846;

inline const QColor kMetalFront(217, 137, 74), kMetalTop(244, 190, 142), kMetalSide(176, 100, 44),
    kMetalEdge(107, 58, 18);
inline const QColor kDielFront(214, 234, 204), kDielTop(232, 244, 226), kDielSide(188, 215, 176),
    kDielEdge(93, 127, 82);
inline const QColor kDielHatch(150, 186, 140), kPanelDiel(228, 241, 222);
inline const QColor kInk(30, 30, 30), kE(200, 24, 24), kH(22, 72, 184);

QFont symbolFont(int px);
inline QPointF toQ(fieldsolve::Pt p) { return {p.x, p.y}; }

// A metal face shaded from the top.
void metalRect(QPainter& p, const QRectF& r);
// A cut through a dielectric: tint and 45-degree hatching.
void hatch(QPainter& p, const QPolygonF& face, double spacing = 7);
void hatchRect(QPainter& p, const QRectF& r);
void arrowHead(QPainter& p, QPointF tip, QPointF dir, const QColor& c, double len = 6, double half = 2.3);
// A dimension line with arrows at both ends. For a short span the arrows
// stand outside and point inwards.
void dimLine(QPainter& p, QPointF a, QPointF b, bool outside = false);
void extLine(QPainter& p, QPointF a, QPointF b);
// A symbol of the legend, centred at c; `plate` puts a white ground under it
// where it sits on a hatched face.
void symbol(QPainter& p, QPointF c, const QString& text, int px = 13, bool plate = false);
// The relative permittivity: epsilon with a subscript r, centred at c.
void epsR(QPainter& p, QPointF c, int px = 15, bool plate = false);

} // namespace tarvel::ui::gallery::ink
