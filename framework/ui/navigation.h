// SPDX-License-Identifier: GPL-3.0-or-later
// Window numbers, caller flags and the hand-back walk. A window that opens
// an auxiliary window (gallery, tutorial, about box) raises its flag and
// has the opening command disabled; when an auxiliary window closes, the
// walk re-enables that command in every flagged window and clears the flags.
#pragma once
#include <array>
#include <functional>

#include <QPointer>
#include <QWidget>

namespace tarvel::ui {

enum class Aux { Gallery, Tutorial, About };

class Navigation {
public:
    static Navigation& instance();

    // The 35 flag bytes, indexed 1..35; 0 clear, 1 set.
    bool flag(int n) const { return n >= 1 && n <= 35 && flags_[n - 1] != 0; }
    void raiseFlag(int n);
    void clearFlag(int n);
    void clearAll();

    // The newest window of each number (1 is the main window); void once
    // that window is destroyed.
    void setReferenced(int n, QWidget* w);
    QWidget* referenced(int n) const;

    // Open an auxiliary window from `caller`, whose number is n: flag, reuse
    // or create, disable the opening command, select the gallery tab (tab < 0
    // keeps it), maximise the tutorial, show. Returns the window shown.
    QWidget* open(Aux kind, QWidget* caller, int n, int galleryTab = -1);
    // The walk, run by every close of an auxiliary window of this kind.
    void handBack(Aux kind);

    // The auxiliary windows, installed by the program (the tests install theirs).
    std::function<QWidget*()> createGallery, createTutorial, createAbout;

    // The object name of the command that opens `kind`, in every window.
    static const char* commandName(Aux kind);
    // An open window of the gallery or tutorial kind, the last one found.
    static QWidget* findOpen(Aux kind);
    // Every open top-level window that carries window number n.
    static QList<QWidget*> windowsOfNumber(int n);

private:
    std::array<unsigned char, 35> flags_{};
    std::array<QPointer<QWidget>, 36> refs_{};
};

// The window number a top-level window carries (property "windowNumber").
int windowNumber(const QWidget* w);
void setWindowNumber(QWidget* w, int n);

// Marks a top-level widget as the auxiliary window of a kind, so the search
// of open() finds it.
void setAuxKind(QWidget* w, Aux kind);

} // namespace tarvel::ui
