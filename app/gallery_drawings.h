// The drawings of the geometry gallery, as vector art: for each line
// structure a perspective (or side) view, a dimensioned front view with the
// symbols of the calculator windows, and the cross-sections of the electric
// and magnetic fields. Each view is drawn in its own design box and scaled,
// keeping its proportions, into whatever rectangle it is given.
#pragma once
#include <QRectF>
#include <QWidget>

class QPainter;

namespace tarvel::ui::gallery {

// In the order of the gallery's tabs.
enum class Structure {
    TwoWire,
    Coax,
    Microstrip,
    Stripline,
    Slotline,
    Cpw,
    Cps,
    CoupledMicrostrip,
    CoupledStripline
};

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

// Draws the view centred in `target`, scaled uniformly.
void paint(QPainter& painter, const QRectF& target, Structure s, View v);

// A widget that shows one view.
class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(Structure s, View v, QWidget* parent = nullptr);
    Structure structure() const { return s_; }
    View view() const { return v_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Structure s_;
    View v_;
};

} // namespace tarvel::ui::gallery
