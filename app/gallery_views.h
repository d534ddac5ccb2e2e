// SPDX-License-Identifier: GPL-3.0-or-later
// The three kinds of art of a gallery tab, each in its view's design box:
// the perspective (or side) view, the dimensioned front view, and a field
// plot.
#pragma once
#include <QSizeF>

#include "app/gallery_lines.h"

class QPainter;

namespace tarvel::ui::gallery {

void paintPerspective(QPainter& p, Structure s);
void paintFront(QPainter& p, Structure s);
// The plot's section and lines scaled into `size` (the design box).
void paintPlot(QPainter& p, const FieldPlot& plot, const QSizeF& size, Structure s, bool magnetic);

} // namespace tarvel::ui::gallery
