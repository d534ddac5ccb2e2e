// TForm9: the gallery of line geometries, one tab per structure, each with
// its views, its field plots and the legend of the symbols that the
// calculator windows use.
#pragma once
#include <QMainWindow>
#include <QStringList>

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
    // The tab that shows the structure of calculator window n, or -1 for a
    // window without one (the main window).
    static int tabForWindow(int n);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QTabWidget* TabbedNotebook1;
};

} // namespace tarvel::ui
