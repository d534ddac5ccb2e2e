// SPDX-License-Identifier: GPL-3.0-or-later
#include "navigation.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QTabWidget>

namespace tarvel::ui {

namespace {
const char* const numberProperty = "windowNumber";
const char* const auxProperty = "auxKind";

// Window numbers that take part in the walk.
bool isCaller(int n)
{
    switch (n) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 11: case 13: case 14: case 15:
    case 16: case 17: case 18: case 19: case 20: case 22: case 26: case 27: case 29:
        return true;
    default:
        return false;
    }
}

void setCommandEnabled(QWidget* w, const char* name, bool on)
{
    for (QAction* a : w->findChildren<QAction*>(QString::fromLatin1(name)))
        a->setEnabled(on);
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>(QString::fromLatin1(name)))
        b->setEnabled(on);
}
} // namespace

Navigation& Navigation::instance()
{
    static Navigation nav;
    return nav;
}

void Navigation::raiseFlag(int n)
{
    if (n >= 1 && n <= 35)
        flags_[n - 1] = 1;
}
void Navigation::clearFlag(int n)
{
    if (n >= 1 && n <= 35)
        flags_[n - 1] = 0;
}
void Navigation::clearAll() { flags_.fill(0); }

void Navigation::setReferenced(int n, QWidget* w)
{
    if (n >= 1 && n <= 35)
        refs_[n] = w;
}
QWidget* Navigation::referenced(int n) const { return n >= 1 && n <= 35 ? refs_[n].data() : nullptr; }

const char* Navigation::commandName(Aux kind)
{
    switch (kind) {
    case Aux::Gallery: return "Geometria1";
    case Aux::Tutorial: return "Tutorial1";
    case Aux::About: return "Sobre1";
    }
    return "";
}

int windowNumber(const QWidget* w)
{
    const QVariant v = w ? w->property(numberProperty) : QVariant();
    return v.isValid() ? v.toInt() : 0;
}
void setWindowNumber(QWidget* w, int n) { w->setProperty(numberProperty, n); }
void setAuxKind(QWidget* w, Aux kind) { w->setProperty(auxProperty, int(kind)); }

QWidget* Navigation::findOpen(Aux kind)
{
    QWidget* found = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const QVariant v = w->property(auxProperty);
        if (v.isValid() && v.toInt() == int(kind) && w->isVisible())
            found = w;
    }
    return found;
}

QList<QWidget*> Navigation::windowsOfNumber(int n)
{
    QList<QWidget*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (windowNumber(w) == n)
            out.push_back(w);
    return out;
}

QWidget* Navigation::open(Aux kind, QWidget* caller, int n, int galleryTab)
{
    raiseFlag(n);
    QWidget* aux = nullptr;
    if (kind != Aux::About)
        aux = findOpen(kind);
    if (!aux) {
        const auto& make = kind == Aux::Gallery ? createGallery : kind == Aux::Tutorial ? createTutorial : createAbout;
        if (!make)
            return nullptr;
        aux = make();
        setAuxKind(aux, kind);
    }
    if (caller)
        for (QAction* a : caller->findChildren<QAction*>(QString::fromLatin1(commandName(kind))))
            a->setEnabled(false);
    if (kind == Aux::Gallery && galleryTab >= 0)
        if (auto* tabs = aux->findChild<QTabWidget*>(QStringLiteral("TabbedNotebook1")))
            tabs->setCurrentIndex(galleryTab);
    if (kind == Aux::Tutorial)
        aux->setWindowState(aux->windowState() | Qt::WindowMaximized);
    aux->show();
    aux->raise();
    aux->activateWindow();
    return aux;
}

void Navigation::handBack(Aux kind)
{
    for (int n = 1; n <= 35; ++n) {
        if (!flag(n) || !isCaller(n))
            continue;
        // Every open window of the number, not just the newest one, gets its
        // command back: an older window that opened the auxiliary window must
        // not stay disabled for ever.
        const QList<QWidget*> windows = windowsOfNumber(n);
        if (windows.isEmpty())
            continue;
        clearFlag(n);
        for (QWidget* w : windows) {
            setCommandEnabled(w, commandName(kind), true);
            if (kind == Aux::Gallery && n != 1)
                setCommandEnabled(w, "SpeedButton5", true);
        }
    }
}

} // namespace tarvel::ui
