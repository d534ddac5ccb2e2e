// SPDX-License-Identifier: GPL-3.0-or-later
// The interaction state of a calculator window: fresh, activated by a key
// field, computed; which commands, fields and labels each state enables; the
// caption and the current file name.
#include "calculator_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "window_fields.h"

namespace tarvel::ui {

namespace {
QHash<int, QString>& fileNames()
{
    static QHash<int, QString> names;
    return names;
}
} // namespace

QString CalculatorWindow::currentFileName(int number) { return fileNames().value(number, QStringLiteral(" ")); }
void CalculatorWindow::setCurrentFileName(int number, const QString& path) { fileNames()[number] = path; }

QAction* CalculatorWindow::action(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }
QToolButton* CalculatorWindow::button(const char* name) const
{
    return findChild<QToolButton*>(QString::fromLatin1(name));
}

void CalculatorWindow::watchKeys()
{
    // Every edit box: the key fields announce the first keystroke, and all
    // of them leave the window's menu keys to the menu. A combo box holds
    // the focus for its edit box and is asked about keys in its stead, so
    // it leaves them to the menu too.
    for (QLineEdit* e : findChildren<QLineEdit*>())
        e->installEventFilter(this);
    for (QComboBox* c : findChildren<QComboBox*>())
        c->installEventFilter(this);
    // A paste (keys or context menu) changes the text as typing does, and
    // so counts as typing; a key that changes nothing (Backspace in an empty
    // box) still counts through the key press.
    for (const auto& key : d_.keyFields)
        if (auto* e = qobject_cast<QLineEdit*>(keyTarget(toQString(key))))
            connect(e, &QLineEdit::textEdited, this, [this] { keyFieldPressed(); });
}

QWidget* CalculatorWindow::keyTarget(const QString& field) const
{
    QWidget* w = fields_->field(field);
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->lineEdit();
    return w;
}

bool CalculatorWindow::isKeyField(QObject* watched) const
{
    for (const auto& key : d_.keyFields)
        if (keyTarget(toQString(key)) == watched)
            return true;
    return false;
}

// Any character, Backspace included; arrows, function keys and the like
// carry no character and do not count.
bool isCharacterKey(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* k = static_cast<const QKeyEvent*>(event);
    return k->key() == Qt::Key_Backspace
           || (!k->text().isEmpty() && k->key() != Qt::Key_Delete && k->key() != Qt::Key_Tab
               && k->key() != Qt::Key_Backtab && k->key() != Qt::Key_Escape && !(k->modifiers() & Qt::ControlModifier));
}

// An edit box (a combo box's too) claims Ctrl+C (copy), Ctrl+A (select
// all) and the like for itself before the menu sees them; the window's menu
// keys are commands ("&Calcular" is Ctrl+C), so while such a command is
// enabled the box lets the key go to it, in every control alike. A result
// is copied through its box's context menu.
bool CalculatorWindow::menuKeyFor(const QEvent* event) const
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const QKeySequence pressed(static_cast<const QKeyEvent*>(event)->keyCombination());
    for (const QAction* a : findChildren<QAction*>())
        if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed)
            return true;
    return false;
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (menuKeyFor(event))
        return true;
    if (isCharacterKey(event) && isKeyField(watched))
        keyFieldPressed();
    return QMainWindow::eventFilter(watched, event);
}

void CalculatorWindow::keyFieldPressed()
{
    setCurrentFileName(d_.number, QStringLiteral(" "));
    enableEverything();
}

void CalculatorWindow::enableEverything()
{
    for (QWidget* w : findChildren<QWidget*>())
        if (qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QToolButton*>(w)
            || qobject_cast<QComboBox*>(w))
            w->setEnabled(true);
    for (QAction* a : findChildren<QAction*>())
        if (!a->isSeparator() && !a->objectName().isEmpty())
            a->setEnabled(true);
}

void CalculatorWindow::enableAfterCompute() { enableEverything(); }

void CalculatorWindow::setNamedEnabled(const QStringList& names, bool on)
{
    for (const QString& name : names) {
        for (QAction* a : findChildren<QAction*>(name))
            a->setEnabled(on);
        for (QWidget* w : findChildren<QWidget*>(name))
            w->setEnabled(on);
    }
}

// A new project: no file name, the first caption, the edit boxes (not the
// combo boxes) emptied, and the save, new, compute and print buttons and
// the first result group disabled.
void CalculatorWindow::Novo1Click()
{
    for (int i : {Save, New, Compute, Print})
        if (QToolButton* b = button(d_.toolbarNames[i].c_str()))
            b->setEnabled(false);
    setCurrentFileName(d_.number, QStringLiteral(" "));
    setWindowTitle(initialCaption_);
    computed_ = false;
    if (resultsChanged)
        resultsChanged(*this, false);
    for (QLineEdit* e : findChildren<QLineEdit*>())
        if (!qobject_cast<QComboBox*>(e->parentWidget()))
            e->clear();
    if (QGroupBox* results = fields_->resultGroup())
        for (QWidget* w : results->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w))
                w->setEnabled(false);
}

} // namespace tarvel::ui
