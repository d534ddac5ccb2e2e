// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QCoreApplication>
#include <QHash>
#include <QPixmap>
#include <QtMath>

namespace tarvel::ui {

namespace {

void drawGlyph(QPainter& p, int command, bool enabled)
{
    const QColor ink = enabled ? QColor(30, 30, 60) : QColor(150, 150, 150);
    const QColor paper = enabled ? QColor(255, 255, 240) : QColor(235, 235, 235);
    const QColor accent = enabled ? QColor(40, 110, 200) : QColor(180, 180, 180);
    const QColor warm = enabled ? QColor(220, 170, 40) : QColor(200, 200, 200);
    p.setPen(QPen(ink, 1.2));
    switch (command) {
    case 0: { // folder
        QPainterPath path;
        path.moveTo(2, 6); path.lineTo(8, 6); path.lineTo(10, 8); path.lineTo(19, 8);
        path.lineTo(19, 18); path.lineTo(2, 18); path.closeSubpath();
        p.setBrush(warm);
        p.drawPath(path);
        p.drawLine(QPointF(2, 11), QPointF(19, 11));
        break;
    }
    case 1: // diskette
        p.setBrush(accent);
        p.drawRect(QRectF(3, 3, 16, 16));
        p.setBrush(paper);
        p.drawRect(QRectF(6, 3, 10, 6));
        p.drawRect(QRectF(6, 12, 10, 7));
        break;
    case 2: { // blank page with a folded corner
        QPainterPath path;
        path.moveTo(5, 2); path.lineTo(13, 2); path.lineTo(18, 7); path.lineTo(18, 20); path.lineTo(5, 20);
        path.closeSubpath();
        p.setBrush(paper);
        p.drawPath(path);
        p.drawLine(QPointF(13, 2), QPointF(13, 7));
        p.drawLine(QPointF(13, 7), QPointF(18, 7));
        break;
    }
    case 3: // calculator
        p.setBrush(QColor(enabled ? QColor(90, 90, 100) : QColor(190, 190, 190)));
        p.drawRoundedRect(QRectF(4, 2, 14, 18), 2, 2);
        p.setBrush(enabled ? QColor(180, 230, 180) : paper);
        p.drawRect(QRectF(6, 4, 10, 4));
        p.setBrush(paper);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                p.drawRect(QRectF(6 + c * 3.5, 10 + r * 3.2, 2.2, 2.0));
        break;
    case 4: // line cross-section: strip over a ground plane, with a field line
        p.setBrush(warm);
        p.drawRect(QRectF(8, 7, 6, 2));
        p.setBrush(accent.lighter(150));
        p.drawRect(QRectF(2, 9, 18, 7));
        p.setBrush(warm);
        p.drawRect(QRectF(2, 16, 18, 2));
        p.setPen(QPen(enabled ? Qt::red : Qt::gray, 1));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 8, 14, 14), 0, 180 * 16);
        break;
    case 5: // printer
        p.setBrush(paper);
        p.drawRect(QRectF(6, 2, 10, 7));
        p.setBrush(enabled ? QColor(120, 120, 130) : QColor(200, 200, 200));
        p.drawRoundedRect(QRectF(2, 8, 18, 8), 2, 2);
        p.setBrush(paper);
        p.drawRect(QRectF(6, 13, 10, 7));
        break;
    case 6: // close
        p.setPen(QPen(enabled ? QColor(190, 30, 30) : Qt::gray, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 5), QPointF(17, 17));
        p.drawLine(QPointF(17, 5), QPointF(5, 17));
        break;
    default:
        break;
    }
}

QPixmap glyph(int command, bool enabled)
{
    QPixmap pm(22, 22);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawGlyph(p, command, enabled);
    return pm;
}

} // namespace

// The icons are drawn once and shared by every window: the pixmaps a style
// derives from an icon for painting are cached under that icon's pixmaps,
// so icons of their own would leave cache entries behind each closed window
// (until the cache's limit of several megabytes).
QIcon toolbarIcon(int command)
{
    static QHash<int, QIcon>* icons = nullptr;
    if (!icons) {
        icons = new QHash<int, QIcon>;
        // Dropped with the application, while the pixmaps can still go.
        qAddPostRoutine([] {
            delete icons;
            icons = nullptr;
        });
    }
    auto it = icons->find(command);
    if (it == icons->end()) {
        QIcon icon;
        icon.addPixmap(glyph(command, true), QIcon::Normal);
        icon.addPixmap(glyph(command, false), QIcon::Disabled);
        it = icons->insert(command, icon);
    }
    return *it;
}

QPixmap bannerPicture(const QSize& size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    // A line drawn as a travelling wave between two conductors.
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(20, 40, 90));
    sky.setColorAt(1, QColor(40, 90, 160));
    p.setBrush(sky);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, w, h), 8, 8);
    p.setPen(QPen(QColor(230, 190, 80), 4));
    p.drawLine(QPointF(20, h * 0.30), QPointF(w - 20, h * 0.30));
    p.drawLine(QPointF(20, h * 0.78), QPointF(w - 20, h * 0.78));
    QPainterPath wave;
    for (int i = 0; i <= 200; ++i) {
        const double x = 20 + (w - 40) * i / 200.0;
        const double y = h * 0.54 + h * 0.16 * qSin(i / 200.0 * 6 * M_PI) * qExp(-i / 400.0);
        if (i == 0) wave.moveTo(x, y); else wave.lineTo(x, y);
    }
    p.setPen(QPen(QColor(120, 220, 255), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(int(h * 0.2));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, w, h * 0.28), Qt::AlignCenter, QStringLiteral("T A R V E L"));
    return pm;
}

} // namespace tarvel::ui
