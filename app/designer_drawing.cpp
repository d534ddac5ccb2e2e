// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer_drawing.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPaintEvent>

#include "app/gallery_ink.h"
#include "app/gallery_views.h"

namespace tarvel::ui::designer {

namespace {

using fieldsolve::Box;
using fieldsolve::Design;
using fieldsolve::Problem;
using fieldsolve::Pt;
using fieldsolve::Template;
using gallery::flipped;

bool between(Template k)
{
    return k == Template::Stripline || k == Template::CoupledStripline || k == Template::BroadsideStripline;
}

// How far the drawn section's box reaches, in sizes of the structure: the
// field lines end on it. Between plates the size is the plates' spacing
// divided by a hundred (see the templates' layout).
double margin(Template k) { return between(k) ? 300 : 30; }

// The finite extent of a section's pieces (y up).
Box extent(const Problem& pb)
{
    Box e{1e300, 1e300, -1e300, -1e300};
    auto take = [&e](const Box& b) {
        for (double x : {b.x0, b.x1})
            if (std::isfinite(x)) {
                e.x0 = std::min(e.x0, x);
                e.x1 = std::max(e.x1, x);
            }
        for (double y : {b.y0, b.y1})
            if (std::isfinite(y)) {
                e.y0 = std::min(e.y0, y);
                e.y1 = std::max(e.y1, y);
            }
    };
    for (const auto& c : pb.conductors)
        take(c.box);
    for (const auto& l : pb.dielectrics)
        take(l.box);
    return e;
}

// The region shown of a section (y up): the structure with room around it
// for its field, widened or heightened to the aspect.
Box viewOf(const Design& d, const Problem& pb, double aspect)
{
    const Box e = extent(pb);
    double x0 = e.x0, x1 = e.x1, y0 = e.y0, y1 = e.y1;
    const double w = x1 - x0, h = y1 - y0;
    if (between(d.kind)) {
        // The plates bound it: some width beside the strips.
        x0 -= std::max(0.6 * h, 0.3 * w);
        x1 += std::max(0.6 * h, 0.3 * w);
    } else {
        const double room = std::max(0.5 * w, 0.8 * h);
        x0 -= room;
        x1 += room;
        y1 += std::max(0.6 * h, 0.4 * w);
    }
    double vw = x1 - x0, vh = y1 - y0;
    if (vw / vh < aspect) {
        const double grow = vh * aspect - vw;
        x0 -= grow / 2;
        x1 += grow / 2;
    } else {
        const double grow = vw / aspect - vh;
        // Open structures get the room above, where their field is.
        if (between(d.kind)) {
            y0 -= grow / 2;
            y1 += grow / 2;
        } else {
            y0 -= grow * 0.2;
            y1 += grow * 0.8;
        }
    }
    return {x0, y0, x1, y1};
}

bool isOdd(const Design& d, FieldView v)
{
    return d.info().pair && (v == FieldView::Electric || v == FieldView::Magnetic);
}

// The drawing's colour of a dielectric by its material's place in the stack.
QColor layerColour(std::size_t i)
{
    static const QColor colours[] = {gallery::ink::kDielFront, QColor(206, 222, 240), QColor(238, 226, 196),
                                     QColor(226, 210, 232)};
    return colours[i % 4];
}

QFont labelFont(int px)
{
    QFont f = gallery::ink::symbolFont(px);
    f.setItalic(true);
    return f;
}

} // namespace

std::vector<FieldView> fieldViews(const fieldsolve::TemplateInfo& info)
{
    if (info.pair)
        return {FieldView::Electric, FieldView::ElectricEven, FieldView::Magnetic, FieldView::MagneticEven};
    return {FieldView::Electric, FieldView::Magnetic};
}

QString viewName(FieldView v, bool pair)
{
    switch (v) {
    case FieldView::Electric: return QString::fromUtf8(pair ? "Campo elétrico, modo ímpar" : "Campo elétrico");
    case FieldView::Magnetic: return QString::fromUtf8(pair ? "Campo magnético, modo ímpar" : "Campo magnético");
    case FieldView::ElectricEven: return QString::fromUtf8("Campo elétrico, modo par");
    case FieldView::MagneticEven: return QString::fromUtf8("Campo magnético, modo par");
    }
    return {};
}

Design drawingDesign(Template kind)
{
    Design d = fieldsolve::exampleDesign(kind);
    const double base = d.has("h") ? d["h"] : d.has("h1") ? d["h1"] : 0.5;
    d.set("t", std::max(d["t"], 0.14 * base));
    if (d.info().index("c1") >= 0) {
        d.set("c1", 0.3 * base);
        d.set("c2", 0.25 * base);
        d.set("cer", 3.5);
    }
    if (kind == Template::Gcpw)
        d.set("G", d["W"] + d["S"]);
    if (kind == Template::BroadsideStripline)
        d.set("offset", 0.6 * d["W"]);
    if (kind == Template::EmbeddedMicrostrip)
        d.set("h2", std::max(d["h2"], 0.5 * base));
    if (d.has("S"))
        d.set("S", std::max(d["S"], 0.8 * d["W"]));
    return d;
}

std::vector<Dimension> dimensionsOf(const Design& d)
{
    std::vector<Dimension> out;
    auto dim = [&out](Pt a, Pt b, const char* name) { out.push_back({a, b, QString::fromUtf8(name), true}); };
    auto eps = [&out](Pt at, const char* name) { out.push_back({at, at, QString::fromUtf8(name), false}); };
    const double W = d["W"], t = d["t"];
    switch (d.kind) {
    case Template::Microstrip:
    case Template::EmbeddedMicrostrip:
    case Template::CoupledMicrostrip: {
        const double h = d["h"];
        const bool pair = d.kind == Template::CoupledMicrostrip;
        const double S = pair ? d["S"] : 0;
        const double x0 = pair ? S / 2 : -W / 2, right = pair ? S / 2 + W : W / 2;
        const double g = 0.12 * h;
        dim({x0, h - 2 * g}, {x0 + W, h - 2 * g}, "W");
        if (pair)
            dim({-S / 2, h - 2 * g}, {S / 2, h - 2 * g}, "S");
        dim({-right - 3 * g, 0}, {-right - 3 * g, h}, "h");
        dim({right + g, h}, {right + g, h + t}, "t");
        eps({right + 6 * g, h / 2}, "er");
        if (d.kind == Template::EmbeddedMicrostrip) {
            dim({right + 6 * g, h}, {right + 6 * g, h + d["h2"]}, "h2");
            eps({-right - 6 * g, h + d["h2"] / 2}, "er2");
        } else if (d.has("c1")) {
            const double c1 = d["c1"], c2 = d["c2"];
            dim({-right - c2 - 5 * g, h}, {-right - c2 - 5 * g, h + c1}, "c1");
            dim({x0 + W / 2, h + t}, {x0 + W / 2, h + t + c2}, "c2");
            eps({right + c2 + 7 * g, h + c1 + 2 * g}, "cer");
        }
        break;
    }
    case Template::Stripline:
    case Template::CoupledStripline: {
        const double h1 = d["h1"], h2 = d["h2"], b = h1 + t + h2;
        const bool pair = d.kind == Template::CoupledStripline;
        const double S = pair ? d["S"] : 0;
        const double x0 = pair ? S / 2 : -W / 2, right = pair ? S / 2 + W : W / 2;
        const double g = 0.08 * b;
        dim({x0, h1 - g}, {x0 + W, h1 - g}, "W");
        if (pair)
            dim({-S / 2, h1 - g}, {S / 2, h1 - g}, "S");
        dim({right + g, h1}, {right + g, h1 + t}, "t");
        dim({-right - 2 * g, 0}, {-right - 2 * g, h1}, "h1");
        dim({-right - 2 * g, h1 + t}, {-right - 2 * g, b}, "h2");
        eps({right + 5 * g, h1 / 2}, "er1");
        eps({right + 5 * g, h1 + t + h2 / 2}, "er2");
        break;
    }
    case Template::BroadsideStripline: {
        const double h1 = d["h1"], dd = d["d"], h2 = d["h2"], b = h1 + 2 * t + dd + h2;
        const double off = d.has("offset") ? d["offset"] : 0;
        const double g = 0.07 * b;
        const double lower = -off / 2, upper = off / 2;
        dim({lower - W / 2, h1 - g}, {lower + W / 2, h1 - g}, "W");
        dim({upper + W / 2 + g, h1 + t + dd}, {upper + W / 2 + g, h1 + 2 * t + dd}, "t");
        const double left = lower - W / 2 - 2 * g;
        dim({left, 0}, {left, h1}, "h1");
        dim({left, h1 + t}, {left, h1 + t + dd}, "d");
        dim({left, h1 + 2 * t + dd}, {left, b}, "h2");
        if (off != 0)
            dim({lower, h1 + 2 * t + dd + 1.5 * g}, {upper, h1 + 2 * t + dd + 1.5 * g}, "offset");
        eps({upper + W / 2 + 5 * g, h1 / 2}, "er");
        break;
    }
    case Template::Cpw:
    case Template::Gcpw:
    case Template::Cps: {
        const double S = d["S"], h = d["h"];
        const double g = 0.1 * h;
        double right;
        if (d.kind == Template::Cps) {
            right = S / 2 + W;
            dim({S / 2, t + 2 * g}, {right, t + 2 * g}, "W");
            dim({-S / 2, t + 2 * g}, {S / 2, t + 2 * g}, "S");
        } else {
            const double edge = W / 2 + S;
            dim({-W / 2, t + 2 * g}, {W / 2, t + 2 * g}, "W");
            dim({W / 2, t + 2 * g}, {edge, t + 2 * g}, "S");
            right = edge;
            if (d.kind == Template::Gcpw && d.has("G")) {
                dim({edge, t + 2 * g}, {edge + d["G"], t + 2 * g}, "G");
                right = edge + d["G"];
            }
        }
        dim({-right - 3 * g, -h}, {-right - 3 * g, 0}, "h");
        dim({right + g, 0}, {right + g, t}, "t");
        eps({0, -h / 2}, "er");
        break;
    }
    }
    return out;
}

void paintTemplate(QPainter& p, const QRectF& target, Template kind)
{
    using namespace gallery::ink;
    const Design d = drawingDesign(kind);
    Problem pb = fieldsolve::designDrawing(d, false, margin(kind));
    const double aspect = target.width() / std::max(1.0, target.height());
    Box v = viewOf(d, pb, aspect);
    // The labels need room on both sides.
    const double widen = 0.12 * (v.x1 - v.x0);
    v.x0 -= widen;
    v.x1 += widen;
    const double k = std::min(target.width() / (v.x1 - v.x0), target.height() / (v.y1 - v.y0));
    const double ox = target.left() + (target.width() - k * (v.x1 - v.x0)) / 2;
    const double oy = target.top() + (target.height() - k * (v.y1 - v.y0)) / 2;
    auto map = [&](Pt q) {
        const double x = std::clamp(q.x, v.x0 - 1, v.x1 + 1), y = std::clamp(q.y, v.y0 - 1, v.y1 + 1);
        return QPointF(ox + (x - v.x0) * k, oy + (v.y1 - y) * k);
    };
    auto rect = [&](const Box& b) { return QRectF(map({b.x0, b.y1}), map({b.x1, b.y0})).normalized(); };
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(target);
    p.fillRect(target, Qt::white);
    // One colour per material: the mask over each strip is one mask.
    std::vector<double> materials;
    for (const auto& layer : pb.dielectrics) {
        auto at = std::find(materials.begin(), materials.end(), layer.eps);
        if (at == materials.end())
            at = materials.insert(materials.end(), layer.eps);
        p.setPen(QPen(kDielEdge, 0.8));
        p.setBrush(layerColour(std::size_t(at - materials.begin())));
        p.drawRect(rect(layer.box));
    }
    for (const auto& c : pb.conductors)
        metalRect(p, rect(c.box));
    p.setPen(QPen(kInk, 0.9));
    p.setFont(labelFont(13));
    for (const Dimension& dm : dimensionsOf(d)) {
        const QPointF a = map(dm.a), b = map(dm.b);
        if (!dm.length) {
            symbol(p, a, dm.name, 13, true);
            continue;
        }
        const double span = std::hypot(b.x() - a.x(), b.y() - a.y());
        dimLine(p, a, b, span < 22);
        const bool vertical = std::fabs(b.x() - a.x()) < std::fabs(b.y() - a.y());
        const QPointF mid = (a + b) / 2;
        const QFontMetricsF fm(p.font());
        const double half = fm.horizontalAdvance(dm.name) / 2 + 3;
        const QPointF at = vertical ? mid + QPointF(a.x() < target.center().x() ? -half - 1 : half + 1, 0)
                                    : mid + QPointF(0, -fm.height() / 2 - 1);
        symbol(p, at, dm.name, 13, true);
    }
    p.restore();
}

gallery::FieldPlot sectionPlot(const Design& d, FieldView v, double aspect, bool withLines,
                               const std::atomic<bool>* cancel)
{
    const bool odd = isOdd(d, v);
    const bool magnetic = v == FieldView::Magnetic || v == FieldView::MagneticEven;
    const Problem pb = fieldsolve::designDrawing(d, odd, margin(d.kind));
    gallery::FieldPlot plot;
    plot.problem = flipped(pb);
    plot.view = flipped(viewOf(d, pb, aspect));
    if (!withLines || (cancel && cancel->load()))
        return plot;
    const fieldsolve::Field f = fieldsolve::Field::solve(plot.problem, magnetic, 1);
    if (!f.ok() || (cancel && cancel->load()))
        return plot;
    // Strips at +1 and -1 mirrored about x = 0: the odd mode of a side-by-side
    // pair and the coplanar strips; the broadside pair's odd mode is
    // mirrored about a horizontal plane, so its lines are traced whole.
    const bool opposite = odd || d.kind == Template::Cps;
    const bool mirrored = opposite && d.kind != Template::BroadsideStripline;
    const double width = plot.view.x1 - plot.view.x0;
    plot.lines = gallery::sectionLines(f, magnetic, magnetic ? opposite : mirrored, 0, odd ? 16 : 22, width / 200);
    return plot;
}

void paintSection(QPainter& p, const QRectF& target, const gallery::FieldPlot& plot, FieldView v)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(target);
    p.fillRect(target, Qt::white);
    p.translate(target.topLeft());
    gallery::paintPlot(p, plot, target.size(), gallery::Structure::Microstrip,
                       v == FieldView::Magnetic || v == FieldView::MagneticEven);
    p.restore();
}

TemplatePicture::TemplatePicture(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(300, 150);
}

void TemplatePicture::setTemplate(Template kind)
{
    kind_ = kind;
    update();
}

void TemplatePicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintTemplate(p, QRectF(rect()).adjusted(1, 1, -1, -1), kind_);
    p.setPen(QPen(palette().mid().color()));
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

SectionPicture::SectionPicture(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(300, 150);
}

void SectionPicture::setPlot(std::shared_ptr<const gallery::FieldPlot> plot, FieldView v)
{
    plot_ = std::move(plot);
    view_ = v;
    update();
}

void SectionPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    if (plot_)
        paintSection(p, r, *plot_, view_);
    else
        p.fillRect(r, Qt::white);
    p.setPen(QPen(palette().mid().color()));
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace tarvel::ui::designer
