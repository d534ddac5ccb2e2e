// SPDX-License-Identifier: GPL-3.0-or-later
#include "small_figure.h"

#include <QEvent>
#include <QLabel>

#include <tuple>

#include "qt_text.h"

namespace tarvel::ui {

namespace {

// Keeps a small figure (a power of ten, a mode index) in the gap the caption
// leaves after its anchor text, raised above or lowered below the caption's
// baseline, wherever the layout puts and sizes the caption.
class SmallFigure : public QObject {
public:
    SmallFigure(QLabel* figure, QString anchor, bool raised)
        : QObject(figure), figure_(figure), anchor_(std::move(anchor)), raised_(raised)
    {
    }

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Resize || e->type() == QEvent::Show || e->type() == QEvent::FontChange)
            place(static_cast<QLabel*>(watched));
        return false;
    }

private:
    void place(QLabel* caption)
    {
        const QFontMetrics big(caption->font()), small(figure_->font());
        const QString text = caption->text();
        const int at = text.indexOf(anchor_);
        const int x = caption->contentsRect().left() + big.horizontalAdvance(text.left(at + anchor_.size()));
        // The caption's line is centred vertically in the label.
        const QRect r = caption->contentsRect();
        const int baseline = r.top() + (r.height() - big.height()) / 2 + big.ascent();
        const int figureBaseline = raised_ ? baseline - big.ascent() * 45 / 100 : baseline + big.descent();
        figure_->move(x + 1, figureBaseline - small.ascent());
    }

    QLabel* figure_;
    QString anchor_;
    bool raised_;
};

} // namespace

void addSmallFigures(QLabel* label, const ResultSpec& res)
{
    for (const auto& [figure, anchor, raised] : {std::tuple{res.raised, QStringLiteral("x10"), true},
                                                 std::tuple{res.lowered, QStringLiteral("TE"), false}}) {
        if (figure.empty())
            continue;
        auto* small = new QLabel(toQString(figure), label);
        small->setObjectName(label->objectName() + (raised ? QStringLiteral("Raised") : QStringLiteral("Lowered")));
        QFont f = label->font();
        f.setPointSizeF(f.pointSizeF() * 0.75);
        small->setFont(f);
        small->setEnabled(false);
        small->adjustSize();
        label->installEventFilter(new SmallFigure(small, anchor, raised));
    }
}

} // namespace tarvel::ui
