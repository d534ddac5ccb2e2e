// TForm9: the gallery of line geometries, one tab per structure, each with
// its views, its field plots and the legend of the symbols that the
// calculator windows use.
#pragma once
#include <array>

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include "framework/core/calculator.h"

class QProgressBar;
class QTabWidget;

namespace tarvel::ui {

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
    // formula's. The solve runs off the GUI thread; its result is dropped
    // when the caller or this gallery has gone, or a newer one was asked.
    void showSection(const WindowDescription& d, const FieldTexts& fields, QWidget* caller);
    // Whether a solve is still running.
    bool solving() const;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QTabWidget* TabbedNotebook1;
    QProgressBar* progress_;
    std::array<int, 9> generation_{};
    int running_ = 0;
};

} // namespace tarvel::ui
