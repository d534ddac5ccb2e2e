// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery_own.h"

#include <algorithm>
#include <cmath>

namespace tarvel::ui::gallery {

namespace {

using fieldsolve::Box;
using fieldsolve::CheckPlan;
using fieldsolve::Geometry;
using fieldsolve::Mode;
using fieldsolve::Problem;
using FS = fieldsolve::Structure;

// Field views of a structure's tab with the mode each shows.
std::vector<std::pair<View, Mode>> fieldViews(FS s)
{
    if (s == FS::CoupledMicrostrip || s == FS::CoupledStripline)
        return {{View::ElectricEven, Mode::Even}, {View::ElectricOdd, Mode::Odd},
                {View::MagneticEven, Mode::Even}, {View::MagneticOdd, Mode::Odd}};
    return {{View::Electric, Mode::Single}, {View::Magnetic, Mode::Single}};
}


// The part of the section a view shows (drawing coordinates, y down), with
// the proportions of the field views.
Box viewOf(const Geometry& g)
{
    double r = g.w / 2, y0 = 0, y1 = 0;
    switch (g.structure) {
    case FS::Microstrip:
    case FS::CoupledMicrostrip:
        r = (g.structure == FS::Microstrip ? g.w / 2 : g.s / 2 + g.w);
        r += std::max(0.5 * r, 1.5 * g.h);
        y0 = -0.15 * g.h;
        y1 = g.h + g.t + std::max(g.h, 0.3 * r);
        break;
    case FS::Stripline:
    case FS::CoupledStripline:
        r = (g.structure == FS::Stripline ? g.w / 2 : g.s / 2 + g.w) + 0.8 * g.h;
        y0 = -0.15 * g.h;
        y1 = 1.15 * g.h;
        break;
    default: {
        const double edge = g.structure == FS::Cpw ? g.w / 2 + g.s : g.s / 2 + g.w;
        r = 1.4 * edge;
        y0 = -std::min(g.h * 1.3, 1.2 * edge);
        y1 = g.t + 0.8 * edge;
        break;
    }
    }
    // Widen or heighten about the centre to the views' proportions.
    const QSizeF box = plotSize(g.structure);
    const double aspect = box.width() / box.height();
    double w = 2 * r, h = y1 - y0;
    if (w / h < aspect)
        w = h * aspect;
    else {
        const double grow = w / aspect - h;
        y0 -= grow * 0.25;
        y1 += grow * 0.75;
    }
    return flipped(Box{-w / 2, y0, w / 2, y1});
}

QString number(double v, int decimals) { return QString::number(v, 'f', decimals); }

QString percent(double v) { return QString::asprintf("%+.2f %%", v); }

// "Campo ... · Fórmula ... · dif. ..." for the rows of one mode.
QString captionOf(const fieldsolve::WindowCheck& c, Mode mode)
{
    const fieldsolve::Solution& s = c.solution;
    if (!s.ok)
        return QString::fromUtf8("Solução de campo indisponível: ") + QString::fromStdString(s.failure);
    const bool coupled = mode != Mode::Single;
    const std::string z = coupled ? (mode == Mode::Even ? "Z0 par" : "Z0 ímpar") : "Z0";
    const std::string e = coupled ? (mode == Mode::Even ? "eeff par" : "eeff ímpar") : "eeff";
    const fieldsolve::Compared *zr = nullptr, *er = nullptr;
    for (const auto& r : c.rows) {
        if (r.name == z)
            zr = &r;
        if (r.name == e)
            er = &r;
    }
    if (!zr)
        return {};
    const fieldsolve::LineParameters& lp = mode == Mode::Single ? s.single : mode == Mode::Even ? s.even : s.odd;
    QString text = coupled ? QString::fromUtf8(mode == Mode::Even ? "Par: " : "Ímpar: ") : QString();
    if (!zr->hasFormula)
        return text + QString::fromUtf8("Campo %1 Ω, εef %2 · Fórmula: ").arg(number(lp.z0, 2), number(lp.eeff, 3)) +
               QString::fromStdString(c.formulaFault());
    text += QString::fromUtf8("Campo %1 Ω, εef %2 · Fórmula %3 Ω")
                .arg(number(lp.z0, 2), number(lp.eeff, 3), number(zr->formula, 2));
    if (er)
        text += ", " + number(er->formula, 3);
    text += QString::fromUtf8(" · dif. ") + percent(zr->differencePercent);
    if (er)
        text += ", " + percent(er->differencePercent);
    if (!s.converged)
        text += QString::fromUtf8(" · não convergiu: erro estimado %1 %").arg(100 * s.error, 0, 'f', 2);
    return text;
}

FieldPlot base(const CheckPlan& plan, Mode mode)
{
    FieldPlot own;
    const Geometry& g = plan.geometry;
    if (g.structure == FS::Coax || g.structure == FS::TwoWire) {
        own.round = true;
        own.d = g.d;
        own.D = g.D;
        return own;
    }
    own.view = viewOf(g);
    const double width = own.view.x1 - own.view.x0;
    own.problem = flipped(fieldsolve::wholeSection(g, mode, 4 * width / std::max(g.w + g.s, g.h)));
    return own;
}

} // namespace

OwnViews pendingViews(const CheckPlan& plan)
{
    OwnViews out;
    out.check.plan = plan;
    for (const auto& [view, mode] : fieldViews(plan.geometry.structure)) {
        FieldPlot own = base(plan, mode);
        own.caption = QString::fromUtf8("Resolvendo o campo da seção desta janela…");
        out.views.emplace_back(view, std::move(own));
    }
    return out;
}

OwnViews solvedViews(const CheckPlan& plan, const std::atomic<bool>* cancel)
{
    OwnViews out;
    out.check = fieldsolve::runCheck(plan, 5e-4, cancel);
    if (out.check.solution.cancelled)
        return out;
    for (const auto& [view, mode] : fieldViews(plan.geometry.structure)) {
        if (cancel && cancel->load()) {
            out.check.solution.cancelled = true;
            out.views.clear();
            return out;
        }
        FieldPlot own = base(plan, mode);
        if (own.round)
            own = roundPlot(plan.geometry.structure, view, own.d, own.D);
        else {
            const bool magnetic = isMagnetic(view);
            const bool balanced = mode == Mode::Odd || plan.geometry.structure == FS::Cps;
            const fieldsolve::Field f = fieldsolve::Field::solve(own.problem, magnetic, 1);
            const double width = own.view.x1 - own.view.x0;
            if (f.ok())
                own.lines = sectionLines(f, magnetic, balanced, 0, mode == Mode::Odd ? 14 : 20, width / 160);
        }
        own.caption = captionOf(out.check, mode);
        out.views.emplace_back(view, std::move(own));
    }
    return out;
}

QString unsolvedCaption(const CheckPlan& plan)
{
    const QString why = QString::fromStdString(plan.message);
    if (plan.kind == CheckPlan::Kind::Nothing)
        return why;
    return QString::fromUtf8("Sem solução de campo para a seção desta janela: ") + why;
}

} // namespace tarvel::ui::gallery
