// SPDX-License-Identifier: GPL-3.0-or-later
// The field designer's plots: a line against frequency (Z0, eeff and the
// attenuation, from one static solve and its losses) and against one of
// its dimensions (a field solve per point), drawn with QPainter, with a
// cursor that reads the values, and exported as PNG, SVG or CSV.
#pragma once
#include <atomic>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QString>
#include <QWidget>

#include "fieldsolve/rlgc.h"
#include "fieldsolve/templates.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvel::ui::designer {

struct PlotData {
    QString xLabel, xUnit, yLabel, yUnit;
    bool logX = false;
    std::vector<double> x;
    struct Series {
        QString name;
        std::vector<double> y;
    };
    std::vector<Series> series;

    bool empty() const { return x.empty() || series.empty(); }
    // Comma-separated, C locale, a header line of names and units.
    QString csv() const;
    // "f = 2.5 GHz · Z0 ímpar = 49.98 Ω" at a point.
    QString readout(std::size_t i) const;
};

// Axes with ticks and units, the series, the legend, and the cursor at
// point `cursor` (none when out of range).
void paintPlot(QPainter& p, const QRectF& target, const PlotData& data, int cursor = -1);

// What a frequency plot shows.
enum class FrequencyQuantity { Z0, Eeff, Alpha };

// The line of a design over a band, with its losses; `failure` says why
// not (Portuguese), empty when the points are there.
struct FrequencySweep {
    std::vector<fieldsolve::LineAt> points;
    bool pair = false;
    std::string failure;
    bool cancelled = false;
};
FrequencySweep sweepFrequency(const fieldsolve::Design& d, const fieldsolve::LossInputs& losses, double f1,
                              double f2, std::size_t n, bool logarithmic, const std::atomic<bool>* cancel);
PlotData frequencyPlot(const FrequencySweep& s, FrequencyQuantity q);

// Z0 (Zdiff for a pair) of the design with one length stepped from v1 to v2
// (mm) in n points; a point whose design is refused or whose solve fails
// ends the sweep with the reason.
struct DimensionSweep {
    std::vector<double> values; // mm
    std::vector<double> z;
    bool pair = false;
    std::string failure;
    bool cancelled = false;
};
DimensionSweep sweepDimension(const fieldsolve::Design& d, const std::string& name, double v1, double v2,
                              std::size_t n, const std::atomic<bool>* cancel,
                              const std::function<void(int)>& progress = {});
PlotData dimensionPlot(const DimensionSweep& s, const QString& name, fieldsolve::Unit unit);

class PlotView : public QWidget {
    Q_OBJECT
public:
    explicit PlotView(QWidget* parent = nullptr);
    void setData(PlotData data);
    const PlotData& data() const { return data_; }
    int cursor() const { return cursor_; }
    void setCursorAt(int index);
    QSize sizeHint() const override { return {640, 360}; }

    // Writes the plot; false with the reason in `error` (Portuguese).
    bool savePng(const QString& path, QString& error) const;
    bool saveSvg(const QString& path, QString& error) const;
    bool saveCsv(const QString& path, QString& error) const;

signals:
    void cursorMoved(const QString& readout);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    PlotData data_;
    int cursor_ = -1;
};

// The plots' window of a designer window: what to sweep, the losses, and
// the plot with its exports. `design` reads the designer's inputs (showing
// their refusal, and giving nothing, when they do not read). The losses are
// the command line's: a loss tangent per dielectric of the template, by the
// template's names, the metal's sigma, and a roughness model with its
// parameters; they are part of the designer's project.
class PlotWindow : public QWidget {
    Q_OBJECT
public:
    PlotWindow(QWidget* owner, std::function<std::optional<fieldsolve::Design>()> design,
               std::function<fieldsolve::Unit()> unit);
    ~PlotWindow() override;
    // Starts the sweep the controls ask for (on the field pool).
    void Tracar();
    void Cancelar();
    bool busy() const { return busy_; }
    PlotView* view() const { return view_; }
    // Sets a control by object name (for the tests and scripts): an edit
    // box's text, a list's item by its text, "Log" by "1".
    void setField(const QString& name, const QString& text);
    // The template whose loss tangents are asked for (the others hidden).
    void setTemplate(fieldsolve::Template kind);
    // The loss parameters of the template as typed, by their names (the
    // project's "losses"), and set from them: a name left out takes its
    // default.
    std::vector<std::pair<std::string, std::string>> lossTexts() const;
    void setLossTexts(const std::vector<std::pair<std::string, std::string>>& texts);
    // The losses as the report states them, a line each.
    QStringList lossLines() const;
    void exportAs(const QString& kind); // "png", "svg" or "csv", through the platform's dialog

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void kindChanged();
    void lossesChanged();
    void finished(const QString& status);
    std::function<std::optional<fieldsolve::Design>()> design_;
    std::function<fieldsolve::Unit()> unit_;
    QComboBox* kind_ = nullptr;
    QComboBox* quantity_ = nullptr;
    QComboBox* dimension_ = nullptr;
    QLineEdit *from_ = nullptr, *to_ = nullptr, *points_ = nullptr, *sigma_ = nullptr;
    // The loss tangents of every template, by name, with their labels; the
    // roughness model and its parameters.
    std::map<std::string, std::pair<QLabel*, QLineEdit*>> tands_;
    QComboBox* roughness_ = nullptr;
    std::map<std::string, std::pair<QLabel*, QLineEdit*>> rough_;
    fieldsolve::Template structure_ = fieldsolve::Template::Microstrip;
    QCheckBox* log_ = nullptr;
    QPushButton *draw_ = nullptr, *cancel_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* readout_ = nullptr;
    PlotView* view_ = nullptr;
    bool busy_ = false;
    std::optional<FrequencySweep> lastFrequency_;
};

} // namespace tarvel::ui::designer
