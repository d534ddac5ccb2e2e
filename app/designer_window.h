// SPDX-License-Identifier: GPL-3.0-or-later
// The window "Projeto de Linha por Solução de Campo": a board cross-section
// chosen among the designer's templates, its dimensions typed in mm or mil,
// analysed or synthesised on the field (on the program's field pool, with a
// progress bar and a Cancelar), its results, its section to scale with the
// solved field lines, its own project file and its printed report.
#pragma once
#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <QMainWindow>

#include "app/designer_drawing.h"
#include "app/designer_plots.h"
#include "fieldsolve/design_project.h"

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace tarvel::ui {

class DesignerWindow : public QMainWindow {
    Q_OBJECT
public:
    // The number the navigation knows this window by.
    static constexpr int kNumber = 30;
    static QString title();
    // The project files' extension and the dialogs' filter.
    static QString fileFilter();

    explicit DesignerWindow(QWidget* parent = nullptr);
    ~DesignerWindow() override;

    // What the user sets.
    void setTemplate(fieldsolve::Template kind);
    fieldsolve::Template currentTemplate() const { return kind_; }
    // The unit of the lengths: the typed lengths follow it (a text that is
    // no number stays).
    void setUnit(fieldsolve::Unit unit);
    fieldsolve::Unit unit() const { return unit_; }
    QLineEdit* input(const QString& parameter) const;
    QString inputText(const QString& parameter) const;
    void setInputText(const QString& parameter, const QString& text);
    // The synthesis: the targets as "Z0", "Zdiff" or "Z0e,Z0o", their
    // values, and the varied dimensions as "W", "S" or "W,S".
    void setSynthesis(const QString& targets, const QString& value1, const QString& value2, const QString& vary);

    // The results shown ("" before any), by the keys of designer_text.h.
    QString resultText(const QString& key) const;
    const std::optional<fieldsolve::Analysis>& analysis() const { return analysis_; }
    QString resultsAsText() const;
    bool busy() const;
    const designer::SectionPicture* sectionPicture() const { return section_; }

    // Commands.
    void Analisar();
    void Sintetizar();
    void Cancelar();
    void Novo1Click();
    void Abrir1Click();
    void Salvar1Click();
    void SalvarComo1Click();
    void Imprimir1Click();
    void CopiarResultados();
    // The plots against frequency and against a dimension (one window,
    // shown again when asked again).
    designer::PlotWindow* Graficos();
    void GraficosClick();
    void Geometria1Click();
    void Tutorial1Click();
    void Sobre1Click();

    // The project the window holds, and a project opened into it (false with
    // the reason shown, nothing changed, when the file is refused).
    fieldsolve::DesignProject project() const;
    bool openFile(const QString& path);
    bool saveFile(const QString& path);

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void buildToolbar();
    QWidget* buildLeft();
    QWidget* buildRight();
    // Rebuilds the inputs, synthesis and results for a template.
    void applyTemplate(fieldsolve::Template kind);
    void rebuildInputs();
    void rebuildResults(bool pair);
    void rebuildSynthesis();
    void targetChanged();
    // The inputs' labels, with the unit of the lengths; the unit box.
    void labelInputs();
    // The typed design, or its refusal shown (nothing else changes).
    std::optional<fieldsolve::Design> readInputs();
    void startSolve(const fieldsolve::Design& design, bool synthesis);
    void solved(const fieldsolve::Analysis& a);
    void finishSolve(const QString& status);
    void showResults(const fieldsolve::Analysis& a);
    void showSection(bool withLines);
    void setBusy(bool on);
    void setFileName(const QString& path);
    void loadProject(const fieldsolve::DesignProject& p);
    void paintReport(QPainter& p, const QRectF& page) const;

    fieldsolve::Template kind_ = fieldsolve::Template::Microstrip;
    fieldsolve::Unit unit_ = fieldsolve::Unit::Mm;
    QString path_;

    QComboBox* structure_ = nullptr;
    QComboBox* unitBox_ = nullptr;
    designer::TemplatePicture* drawing_ = nullptr;
    QGroupBox* inputsGroup_ = nullptr;
    QGridLayout* inputsGrid_ = nullptr;
    std::vector<std::pair<QLabel*, QLineEdit*>> inputs_;
    QComboBox* target_ = nullptr;
    QLineEdit* target1_ = nullptr;
    QLineEdit* target2_ = nullptr;
    QLabel* target1Label_ = nullptr;
    QLabel* target2Label_ = nullptr;
    QComboBox* vary_ = nullptr;
    QPushButton* analyse_ = nullptr;
    QPushButton* synthesise_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QGroupBox* resultsGroup_ = nullptr;
    QGridLayout* resultsGrid_ = nullptr;
    std::map<QString, QLineEdit*> results_;
    std::vector<QWidget*> resultWidgets_;
    QLabel* note_ = nullptr;
    QComboBox* viewBox_ = nullptr;
    designer::SectionPicture* section_ = nullptr;
    QAction* copy_ = nullptr;
    designer::PlotWindow* plots_ = nullptr;

    // The solve under way: its count of field solves, read by a timer.
    std::shared_ptr<std::atomic<int>> solves_;
    QTimer* poll_ = nullptr;
    bool solving_ = false;
    std::optional<fieldsolve::Analysis> analysis_;
    std::optional<fieldsolve::Design> analysed_;      // the design of analysis_
    std::optional<fieldsolve::Design> sectionDesign_; // the section shown: the last solved or being solved
};

} // namespace tarvel::ui
