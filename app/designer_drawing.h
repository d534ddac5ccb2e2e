// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of the field designer: the labelled drawing of a board
// cross-section template (its dimensions named as the template's parameters)
// and a design's section to scale with its solved field lines, painted by
// the gallery's renderer.
#pragma once
#include <atomic>
#include <memory>
#include <vector>

#include <QString>
#include <QWidget>

#include "app/gallery_lines.h"
#include "fieldsolve/templates.h"

class QPainter;

namespace tarvel::ui::designer {

// What the section picture shows of a design.
enum class FieldView { Electric, Magnetic, ElectricEven, MagneticEven };
// The views of a template, in the order the window lists them: a pair's
// first view is its odd (differential) mode.
std::vector<FieldView> fieldViews(const fieldsolve::TemplateInfo& info);
QString viewName(FieldView v, bool pair);

// A dimension line of the labelled drawing, in the section's coordinates
// (y up): from a to b, with the parameter's name; a permittivity is only
// its name, written at a.
struct Dimension {
    fieldsolve::Pt a, b;
    QString name;
    bool length = true;
};

// The design the labelled drawing shows: the template's example with its
// thin layers thickened, the optional parts present, so every name has a
// place.
fieldsolve::Design drawingDesign(fieldsolve::Template kind);
std::vector<Dimension> dimensionsOf(const fieldsolve::Design& d);

// The labelled drawing of a template, centred in `target`.
void paintTemplate(QPainter& p, const QRectF& target, fieldsolve::Template kind);

// The design's whole section (y down, as the renderer draws) in a view
// with the proportions of `aspect` (width / height); with `cancel` given
// and `withLines`, the field of the view is solved and its lines traced
// (keep that off the GUI thread). Lines are left empty when cancelled.
gallery::FieldPlot sectionPlot(const fieldsolve::Design& d, FieldView v, double aspect, bool withLines,
                               const std::atomic<bool>* cancel = nullptr);
// Paints a section plot (lines and all) into `target`.
void paintSection(QPainter& p, const QRectF& target, const gallery::FieldPlot& plot, FieldView v);

// Shows the labelled drawing of a template.
class TemplatePicture : public QWidget {
    Q_OBJECT
public:
    explicit TemplatePicture(QWidget* parent = nullptr);
    void setTemplate(fieldsolve::Template kind);
    fieldsolve::Template shown() const { return kind_; }
    QSize sizeHint() const override { return {400, 190}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    fieldsolve::Template kind_ = fieldsolve::Template::Microstrip;
};

// Shows a section plot.
class SectionPicture : public QWidget {
    Q_OBJECT
public:
    explicit SectionPicture(QWidget* parent = nullptr);
    void setPlot(std::shared_ptr<const gallery::FieldPlot> plot, FieldView v);
    const gallery::FieldPlot* plot() const { return plot_.get(); }
    QSize sizeHint() const override { return {480, 220}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::shared_ptr<const gallery::FieldPlot> plot_;
    FieldView view_ = FieldView::Electric;
};

} // namespace tarvel::ui::designer
