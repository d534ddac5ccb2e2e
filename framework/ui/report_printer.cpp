// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_printer.h"

#include <QPainter>
#include <QPen>
#include <QPrinter>

namespace tarvel::ui {

void printReport(QPrinter& printer, const ReportSpec& report,
                 const std::function<std::string(const std::string&)>& textOf)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    QFont font(QStringLiteral("Century Schoolbook"));
    font.setPointSize(9);
    painter.setFont(font);
    QPen pen = painter.pen();
    pen.setWidth(5);
    painter.setPen(pen);
    const double scale = printer.resolution() / 300.0;
    for (const auto& item : layoutReport(report, textOf)) {
        const QPointF at(item.x * scale, item.y * scale);
        painter.drawText(QRectF(at, QSizeF(1e5, 1e4)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         QString::fromStdString(item.text));
    }
    painter.end();
}

} // namespace tarvel::ui
