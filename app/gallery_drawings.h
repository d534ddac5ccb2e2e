// The drawings of the geometry gallery, as vector art: for each line
// structure a perspective (or side) view, a dimensioned front view with the
// symbols of the calculator windows, and the cross-sections of the electric
// and magnetic fields. Each view is drawn in its own design box and scaled,
// keeping its proportions, into whatever rectangle it is given.
#pragma once
#include <memory>

#include <QRectF>
#include <QString>
#include <QWidget>

#include "fieldsolve/sections.h"

class QPainter;

namespace tarvel::ui::gallery {

// The structures, in the order of the gallery's tabs.
using Structure = fieldsolve::Structure;

enum class View {
    Perspective,   // perspective view (the side view for the coaxial cable)
    Front,         // dimensioned cross-section
    Electric,      // E lines in the cross-section
    Magnetic,      // H lines in the cross-section
    ElectricEven,  // coupled lines, even mode
    ElectricOdd,   // coupled lines, odd mode
    MagneticEven,
    MagneticOdd,
    Permittivity,  // the permittivity symbol that heads its legend line
};

// The design box of a view, in drawing units (about one pixel each).
QSizeF designSize(Structure s, View v);

// The cross-section of a computed calculator window, drawn in a field view
// in place of the gallery's own example: to scale (lengths in mm, y down),
// with the lines of its solved field and a caption line.
struct OwnSection {
    fieldsolve::Problem problem;  // the whole section, conductors and dielectrics
    fieldsolve::Box view;         // the region shown
    std::vector<fieldsolve::Polyline> lines; // field lines of the view (none while solving)
    QString caption;              // field against formula, or the progress text
    // Round conductors (coaxial line, two wires): the inner or wire
    // diameter d and the outer diameter or centre spacing D, drawn to their
    // ratio in the example's frame.
    bool round = false;
    double d = 0, D = 0;
};

// Draws the view centred in `target`, scaled uniformly; `own` replaces the
// example section of a field view.
void paint(QPainter& painter, const QRectF& target, Structure s, View v, const OwnSection* own = nullptr);

// The field lines of a solved whole section for a view (electric lines of
// the field with the dielectrics, or magnetic lines of the field in air),
// in the section's coordinates. `balanced` sections have conductors at +1
// and -1 mirrored about x = axis.
std::vector<fieldsolve::Polyline> sectionLines(const fieldsolve::Field& field, bool magnetic, bool balanced,
                                               double axis, int count, double resolution);

// A widget that shows one view.
class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(Structure s, View v, QWidget* parent = nullptr);
    Structure structure() const { return s_; }
    View view() const { return v_; }
    // The computed window's section shown instead of the example (null: the example).
    void setOwn(std::shared_ptr<const OwnSection> own);
    const OwnSection* own() const { return own_.get(); }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Structure s_;
    View v_;
    std::shared_ptr<const OwnSection> own_;
};

} // namespace tarvel::ui::gallery
