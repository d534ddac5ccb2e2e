// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fields.h"

#include <QComboBox>
#include <QLineEdit>

namespace tarvel::ui {

FieldControls::FieldControls(const WindowDescription& d, WindowWidgets widgets) : d_(d), w_(std::move(widgets))
{
    for (const auto& input : d_.inputs) {
        const QString name = toQString(input.name);
        if (auto* c = qobject_cast<QComboBox*>(w_.fields.value(name))) {
            picked_[name] = -1;
            QObject::connect(c->lineEdit(), &QLineEdit::textEdited, c, [this, name] { picked_[name] = -1; });
        }
    }
}

FieldTexts FieldControls::texts() const
{
    FieldTexts out;
    for (const auto& input : d_.inputs) {
        const QString name = toQString(input.name);
        out[input.name] = {text(name).toStdString(), picked_.value(name, -1)};
    }
    return out;
}

QString FieldControls::text(const QString& control) const
{
    QWidget* w = w_.fields.value(control);
    if (!w)
        if (QLineEdit* r = w_.results.value(control))
            return r->text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    return QString();
}

void FieldControls::setText(const QString& control, const QString& text)
{
    QWidget* w = w_.fields.value(control);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        c->setEditText(text);
        c->lineEdit()->setCursorPosition(0);
        picked_[control] = -1;
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(text);
    } else if (QLineEdit* r = w_.results.value(control)) {
        r->setText(text);
    }
}

void FieldControls::choose(const QString& control, int index, Choice how)
{
    auto* c = qobject_cast<QComboBox*>(w_.fields.value(control));
    const InputSpec* input = d_.input(control.toStdString());
    if (!c || !input || index < 0 || index >= c->count())
        return;
    c->setCurrentIndex(index);
    c->setEditText(c->itemText(index));
    if (how == Choice::User)
        c->lineEdit()->setCursorPosition(0);
    picked_[control] = index;
    if (how == Choice::Program)
        return;
    for (const auto& [target, text] : fillsOfPick(*input, index)) {
        setText(toQString(target), QString());
        setText(toQString(target), toQString(text));
    }
}

} // namespace tarvel::ui
