// SPDX-License-Identifier: GPL-3.0-or-later
// TForm9: the gallery of line geometries, one tab per structure, each with
// its views, its field plots and the legend of the symbols that the
// calculator windows use.
#pragma once
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include <QMainWindow>
#include <QStringList>

#include "app/gallery_lines.h"
#include "framework/core/calculator.h"

class QLabel;
class QProgressBar;
class QTabWidget;

namespace tarvel::ui {

namespace gallery {
class Picture;
}

class TForm9 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
    QTabWidget* tabs() const { return TabbedNotebook1; }

    static const QStringList& tabCaptions();
    // The legend lines of a tab, in the order the page lists them.
    static const QStringList& legend(int tab);
    // The tab that shows the structure of calculator window n (the kind of
    // the section its binding names), or -1 for a window without one (the
    // main window).
    static int tabForWindow(int n);

    // Shows in the field views of the caller's tab the caller's own cross-
    // section, with the solved field and its Z0 and eeff beside the
    // formula's, or says why its section has no field. The solve runs on
    // the field pool; a newer request of the same tab cancels it, and so
    // does the caller's closing, which brings back what the tab showed
    // before.
    void showSection(const WindowDescription& d, const FieldTexts& fields, QWidget* caller);
    // Whether a window's section is still being solved.
    bool solving() const;
    // The line beneath a tab's field plots (the field's numbers or why
    // there are none; empty for the gallery's own example).
    QString fieldCaption(int tab) const;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    using Plots = std::vector<std::pair<gallery::View, std::shared_ptr<const gallery::FieldPlot>>>;
    // What a tab's field views show.
    struct Shown {
        Plots plots;
        QString caption;
        bool example = true; // the gallery's own example (its lines may come later)
    };
    struct TabState {
        Shown settled;                  // brought back when a request is dropped
        const QObject* caller = nullptr; // the window whose section is being solved
        QMetaObject::Connection callerGone;
        QLabel* caption = nullptr;
    };
    void display(int tab, const Shown& shown);
    void settle(int tab, Shown shown);
    void endRequest(int tab);
    void dropRequest(int tab);
    Shown examples(int tab) const;
    void traceExamples(int tab);
    void updateProgress();
    void openLarge(gallery::Picture* picture, int tab);

    QTabWidget* TabbedNotebook1;
    QProgressBar* progress_;
    std::vector<TabState> tabs_;
};

} // namespace tarvel::ui
