// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery_drawings.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "gallery_ink.h"
#include "gallery_views.h"

namespace tarvel::ui::gallery {

QSizeF designSize(Structure s, View v)
{
    switch (v) {
    case View::Perspective:
        return {240, 135};
    case View::Front:
        return coupledSection(s) ? QSizeF(260, 120) : QSizeF(380, 135);
    case View::Permittivity:
        return {22, 18};
    default:
        return plotSize(s);
    }
}

void paint(QPainter& p, const QRectF& target, Structure s, View v, const FieldPlot* plot)
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
    switch (v) {
    case View::Permittivity:
        ink::epsR(p, QPointF(size.width() / 2, size.height() / 2), 15);
        break;
    case View::Perspective:
        paintPerspective(p, s);
        break;
    case View::Front:
        paintFront(p, s);
        break;
    default:
        p.setPen(QPen(QColor(190, 190, 190), 0.6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(QPointF(0, 0), size));
        if (plot)
            paintPlot(p, *plot, size, s, isMagnetic(v));
        break;
    }
    p.restore();
}

Picture::Picture(Structure s, View v, QWidget* parent) : QWidget(parent), s_(s), v_(v)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    if (isField(v))
        setCursor(Qt::PointingHandCursor);
}

QSize Picture::sizeHint() const { return designSize(s_, v_).toSize(); }

QSize Picture::minimumSizeHint() const { return (designSize(s_, v_) * 0.5).toSize(); }

void Picture::setPlot(std::shared_ptr<const FieldPlot> plot)
{
    plot_ = std::move(plot);
    update();
    emit plotChanged();
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint(p, QRectF(rect()), s_, v_, plot_.get());
}

void Picture::mouseReleaseEvent(QMouseEvent* e)
{
    if (isField(v_) && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(e);
}

} // namespace tarvel::ui::gallery
