// SPDX-License-Identifier: GPL-3.0-or-later
// The drawings of the geometry gallery, as vector art: for each line
// structure a perspective (or side) view, a dimensioned front view with the
// symbols of the calculator windows, and the cross-sections of the electric
// and magnetic fields. Each view is drawn in its own design box and scaled,
// keeping its proportions, into whatever rectangle it is given. Painting
// computes nothing: a field view draws the FieldPlot it was given.
#pragma once
#include <memory>

#include <QRectF>
#include <QWidget>

#include "app/gallery_lines.h"
#include "fieldsolve/sections.h"

class QPainter;

namespace tarvel::ui::gallery {

// The design box of a view, in drawing units (about one pixel each).
QSizeF designSize(Structure s, View v);

// Draws the view centred in `target`, scaled uniformly; a field view draws
// `plot` (nothing but its frame without one).
void paint(QPainter& painter, const QRectF& target, Structure s, View v, const FieldPlot* plot = nullptr);

// A widget that shows one view. A click on a field view asks for it large.
class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(Structure s, View v, QWidget* parent = nullptr);
    Structure structure() const { return s_; }
    View view() const { return v_; }
    // What a field view shows: the gallery's example or a window's section.
    void setPlot(std::shared_ptr<const FieldPlot> plot);
    const FieldPlot* plot() const { return plot_.get(); }
    std::shared_ptr<const FieldPlot> sharedPlot() const { return plot_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void clicked();
    void plotChanged();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    Structure s_;
    View v_;
    std::shared_ptr<const FieldPlot> plot_;
};

} // namespace tarvel::ui::gallery
