// TForm9: the gallery of line geometries, one tab per structure.
#pragma once
#include <QMainWindow>

class QTabWidget;

namespace tarvel::ui {

class TForm9 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
    QTabWidget* tabs() const { return TabbedNotebook1; }

    static const QStringList& tabCaptions();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QTabWidget* TabbedNotebook1;
};

} // namespace tarvel::ui
