// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer_plots.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include "app/designer_text.h"
#include "app/field_jobs.h"
#include "fieldsolve/design_losses.h"
#include "fieldsolve/design_project.h"
#include "fieldsolve/designer.h"
#include "fieldsolve/dimension_sweep.h"
#include "framework/core/number_text.h"
#include "framework/ui/platform.h"

namespace tarvel::ui::designer {

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// A number as the plot writes it: up to six significant digits, C locale.
QString num(double v) { return QString::number(v, 'g', 6); }

const QColor kColours[] = {QColor(200, 24, 24), QColor(22, 72, 184), QColor(30, 130, 60), QColor(150, 90, 20)};

// Ticks of a linear axis: steps of 1, 2 or 5 times a power of ten.
std::vector<double> linearTicks(double lo, double hi)
{
    std::vector<double> out;
    const double range = hi - lo;
    if (!(range > 0))
        return {lo};
    const double raw = range / 6, mag = std::pow(10, std::floor(std::log10(raw)));
    const double step = raw / mag < 1.5 ? mag : raw / mag < 3.5 ? 2 * mag : raw / mag < 7.5 ? 5 * mag : 10 * mag;
    const double first = std::ceil(lo / step);
    for (int k = 0; k < 20; ++k) {
        const double t = (first + k) * step;
        if (t > hi + step * 1e-9)
            break;
        out.push_back(std::fabs(t) < step * 1e-9 ? 0 : t);
    }
    return out;
}

// Ticks of a logarithmic axis: 1, 2 and 5 of every decade (the decades
// alone when there are many).
std::vector<double> logTicks(double lo, double hi)
{
    std::vector<double> out;
    const int d0 = int(std::floor(std::log10(lo))), d1 = int(std::ceil(std::log10(hi)));
    for (int d = d0; d <= d1; ++d)
        for (double m : d1 - d0 > 4 ? std::vector<double>{1} : std::vector<double>{1, 2, 5}) {
            const double t = m * std::pow(10, d);
            if (t >= lo * (1 - 1e-9) && t <= hi * (1 + 1e-9))
                out.push_back(t);
        }
    return out;
}

// The loss parameters' texts of a new window (and of a project without
// them): the metal copper, every dielectric 0.02, smooth copper.
const std::map<std::string, QString>& lossDefaults()
{
    static const std::map<std::string, QString> d = {{"tand", "0.02"},  {"tand1", "0.02"},   {"tand2", "0.02"},
                                                     {"ctand", "0.02"}, {"sigma", "5.8e7"},  {"roughness", "none"},
                                                     {"rq", "0.5"},     {"rnod", "0.5"},     {"sr", "2"}};
    return d;
}

// The label of a loss parameter, "tand1 — tanδ de er1:" ("rq — rugosidade
// rms (µm):"), its mnemonic before the letter at `key` of the name.
QString lossCaption(const std::string& name, std::size_t key)
{
    const QString n = QString::fromStdString(name);
    const std::string unit = fieldsolve::lossUnit(name);
    return n.left(int(key)) + '&' + n.mid(int(key)) + u(" — ") + QString::fromStdString(fieldsolve::lossLabel(name))
           + (unit.empty() ? QString() : " (" + QString::fromStdString(unit) + ")") + ':';
}

// The roughness models as the list shows them, in roughnessNames' order.
const QStringList& roughnessTitles()
{
    static const QStringList t = {u("nenhuma (cobre liso)"), u("Hammerstad–Jensen"), u("Huray (esferas)")};
    return t;
}

QString axisTitle(const QString& label, const QString& unit)
{
    return unit.isEmpty() ? label : label + " (" + unit + ")";
}

} // namespace

QString PlotData::csv() const
{
    QStringList header{axisTitle(xLabel, xUnit)};
    for (const Series& s : series)
        header << axisTitle(yLabel + (s.name.isEmpty() ? QString() : " " + s.name), yUnit);
    for (QString& h : header)
        h = '"' + h + '"';
    QStringList lines{header.join(',')};
    for (std::size_t i = 0; i < x.size(); ++i) {
        QStringList row{QString::number(x[i], 'g', 10)};
        for (const Series& s : series)
            row << (i < s.y.size() ? QString::number(s.y[i], 'g', 10) : QString());
        lines << row.join(',');
    }
    return lines.join('\n') + '\n';
}

QString PlotData::readout(std::size_t i) const
{
    if (i >= x.size())
        return {};
    QStringList parts{xLabel + " = " + num(x[i]) + " " + xUnit};
    for (const Series& s : series)
        if (i < s.y.size())
            parts << yLabel + (s.name.isEmpty() ? QString() : " " + s.name) + " = " + num(s.y[i]) + " " + yUnit;
    return parts.join(u(" · ")).trimmed();
}

void paintPlot(QPainter& p, const QRectF& target, const PlotData& data, int cursor)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(target, Qt::white);
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(false);
    p.setFont(font);
    const QFontMetricsF fm(font);
    if (data.empty()) {
        p.setPen(Qt::gray);
        p.drawText(target, Qt::AlignCenter, u("Sem gráfico: escolha a varredura e Traçar."));
        p.restore();
        return;
    }
    const QRectF area = target.adjusted(72, 26, -16, -44);
    double x0 = data.x.front(), x1 = data.x.back();
    if (x1 < x0)
        std::swap(x0, x1);
    const bool logX = data.logX && x0 > 0;
    double y0 = 1e300, y1 = -1e300;
    for (const auto& s : data.series)
        for (double y : s.y)
            if (std::isfinite(y)) {
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    if (!(y1 >= y0)) {
        y0 = 0;
        y1 = 1;
    }
    // Room above and below; a line flat to a part in a thousand (a lossless
    // homogeneous line's Z0, say) gets a band of that size around it, so the
    // ticks stay steps that the numbers can hold.
    const double band = std::max(std::max(std::fabs(y0), std::fabs(y1)) * 1e-3, 1e-12);
    const double pad = std::max(0.06 * (y1 - y0), band);
    y0 -= pad;
    y1 += pad;
    if (x1 == x0) {
        x0 -= 0.5;
        x1 += 0.5;
    }
    auto fx = [&](double x) {
        const double t = logX ? std::log(x / x0) / std::log(x1 / x0) : (x - x0) / (x1 - x0);
        return area.left() + t * area.width();
    };
    auto fy = [&](double y) { return area.bottom() - (y - y0) / (y1 - y0) * area.height(); };
    // Grid and ticks.
    p.setPen(QPen(QColor(225, 225, 225), 0));
    const std::vector<double> xt = logX ? logTicks(x0, x1) : linearTicks(x0, x1);
    const std::vector<double> yt = linearTicks(y0, y1);
    for (double t : xt)
        p.drawLine(QPointF(fx(t), area.top()), QPointF(fx(t), area.bottom()));
    for (double t : yt)
        p.drawLine(QPointF(area.left(), fy(t)), QPointF(area.right(), fy(t)));
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(area);
    for (double t : xt)
        p.drawText(QRectF(fx(t) - 40, area.bottom() + 3, 80, fm.height()), Qt::AlignHCenter, num(t));
    for (double t : yt)
        p.drawText(QRectF(area.left() - 70, fy(t) - fm.height() / 2, 66, fm.height()), Qt::AlignRight, num(t));
    p.drawText(QRectF(area.left(), area.bottom() + 4 + fm.height(), area.width(), fm.height() + 4), Qt::AlignHCenter,
               axisTitle(data.xLabel, data.xUnit));
    p.drawText(QRectF(target.left() + 4, target.top() + 4, area.width(), fm.height() + 4), Qt::AlignLeft,
               axisTitle(data.yLabel, data.yUnit));
    // The series and their legend.
    p.save();
    p.setClipRect(area.adjusted(-1, -1, 1, 1));
    for (std::size_t k = 0; k < data.series.size(); ++k) {
        const auto& s = data.series[k];
        QPainterPath path;
        bool started = false;
        for (std::size_t i = 0; i < data.x.size() && i < s.y.size(); ++i) {
            if (!std::isfinite(s.y[i])) {
                started = false;
                continue;
            }
            const QPointF q(fx(data.x[i]), fy(s.y[i]));
            started ? path.lineTo(q) : path.moveTo(q);
            started = true;
        }
        p.setPen(QPen(kColours[k % 4], 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        if (data.x.size() <= 40)
            for (std::size_t i = 0; i < data.x.size() && i < s.y.size(); ++i)
                if (std::isfinite(s.y[i]))
                    p.drawEllipse(QPointF(fx(data.x[i]), fy(s.y[i])), 2, 2);
    }
    p.restore();
    double ly = area.top() + 4;
    for (std::size_t k = 0; k < data.series.size(); ++k) {
        if (data.series[k].name.isEmpty())
            continue;
        const double w = fm.horizontalAdvance(data.series[k].name);
        p.setPen(QPen(kColours[k % 4], 2));
        p.drawLine(QPointF(area.right() - w - 30, ly + fm.height() / 2), QPointF(area.right() - w - 10, ly + fm.height() / 2));
        p.setPen(Qt::black);
        p.drawText(QRectF(area.right() - w - 6, ly, w + 4, fm.height()), Qt::AlignLeft, data.series[k].name);
        ly += fm.height() + 2;
    }
    // The cursor: a line at the point and the values read there.
    if (cursor >= 0 && std::size_t(cursor) < data.x.size()) {
        const double cx = fx(data.x[std::size_t(cursor)]);
        p.setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
        p.drawLine(QPointF(cx, area.top()), QPointF(cx, area.bottom()));
        for (std::size_t k = 0; k < data.series.size(); ++k)
            if (std::size_t(cursor) < data.series[k].y.size() && std::isfinite(data.series[k].y[std::size_t(cursor)])) {
                p.setPen(QPen(kColours[k % 4], 1.5));
                p.setBrush(Qt::white);
                p.drawEllipse(QPointF(cx, fy(data.series[k].y[std::size_t(cursor)])), 3.5, 3.5);
            }
        p.setPen(Qt::black);
        p.drawText(QRectF(area.left() + 6, area.bottom() - fm.height() - 4, area.width() - 12, fm.height()),
                   Qt::AlignLeft, data.readout(std::size_t(cursor)));
    }
    p.restore();
}

FrequencySweep sweepFrequency(const fieldsolve::Design& d, const fieldsolve::LossInputs& losses, double f1,
                              double f2, std::size_t n, bool logarithmic, const std::atomic<bool>* cancel)
{
    FrequencySweep out;
    out.pair = d.info().pair;
    const fieldsolve::LossFrame frame = fieldsolve::designLossFrame(d);
    if (!frame.unsupported.empty()) {
        out.failure = frame.unsupported;
        return out;
    }
    // What the model refuses is refused before the field is solved.
    fieldsolve::LineModel limits;
    limits.fMax = fieldsolve::quasiStaticLimit(frame, losses.unit);
    if (out.failure = fieldsolve::invalidSweep(limits, f1, f2, n); !out.failure.empty())
        return out;
    if (out.failure = fieldsolve::invalidLossInputs(losses); !out.failure.empty())
        return out;
    const fieldsolve::LossSolution s =
        fieldsolve::solveLosses(fieldsolve::designSection(d), frame, fieldsolve::kDesignTolerance, {}, cancel);
    if (s.statics.cancelled) {
        out.cancelled = true;
        return out;
    }
    if (!s.statics.ok) {
        out.failure = s.statics.failure;
        return out;
    }
    const fieldsolve::LineModel model = fieldsolve::lineModel(s, losses, out.failure);
    if (!out.failure.empty())
        return out;
    out.points = fieldsolve::sweep(model, fieldsolve::frequencies(f1, f2, n, logarithmic));
    return out;
}

PlotData frequencyPlot(const FrequencySweep& s, FrequencyQuantity q)
{
    PlotData data;
    data.xLabel = "f";
    data.xUnit = "GHz";
    switch (q) {
    case FrequencyQuantity::Z0: data.yLabel = "Z0"; data.yUnit = u("Ω"); break;
    case FrequencyQuantity::Eeff: data.yLabel = u("εef"); break;
    case FrequencyQuantity::Alpha: data.yLabel = u("α"); data.yUnit = "dB/m"; break;
    }
    if (s.points.empty())
        return data;
    data.logX = s.points.size() > 2 && s.points[1].f / s.points[0].f > 1.0000001
                && std::fabs((s.points[2].f - s.points[1].f) - (s.points[1].f - s.points[0].f))
                       > 1e-6 * s.points[1].f;
    const std::size_t modes = s.points.front().modes.size();
    for (std::size_t m = 0; m < modes; ++m) {
        // A pair's modes: even and odd, or an asymmetric pair's c and pi.
        const bool general = s.points.front().general;
        const QString name = modes == 1 ? QString()
                             : m == 0   ? (general ? u("modo c") : u("modo par"))
                                        : (general ? u("modo pi") : u("modo ímpar"));
        data.series.push_back({name, {}});
    }
    for (const fieldsolve::LineAt& at : s.points) {
        data.x.push_back(at.f / 1e9);
        for (std::size_t m = 0; m < modes && m < at.modes.size(); ++m) {
            const fieldsolve::ModeAt& mode = at.modes[m];
            data.series[m].y.push_back(q == FrequencyQuantity::Z0     ? mode.zc.real()
                                       : q == FrequencyQuantity::Eeff ? mode.eeff
                                                                      : mode.alpha() * fieldsolve::kDbPerNeper);
        }
    }
    return data;
}

DimensionSweep sweepDimension(const fieldsolve::Design& d, const std::string& name, double v1, double v2,
                              std::size_t n, const std::atomic<bool>* cancel, const std::function<void(int)>& progress)
{
    DimensionSweep out;
    out.pair = d.info().pair;
    if (n < 2 || n > 200) {
        out.failure = "O número de pontos de uma varredura de dimensão vai de 2 a 200.";
        return out;
    }
    const fieldsolve::DimensionSweep s = fieldsolve::sweepDimension(
        d, name, fieldsolve::frequencies(v1, v2, n, false), std::nullopt, fieldsolve::Unit::Mm, cancel, progress);
    out.failure = s.failure;
    out.cancelled = s.cancelled;
    for (const fieldsolve::DimensionPoint& p : s.points) {
        out.values.push_back(p.value);
        out.z.push_back(out.pair ? p.analysis.zdiff : p.analysis.z0);
    }
    return out;
}

PlotData dimensionPlot(const DimensionSweep& s, const QString& name, fieldsolve::Unit unit)
{
    PlotData data;
    data.xLabel = name;
    data.xUnit = QString::fromLatin1(fieldsolve::unitName(unit));
    data.yLabel = s.pair ? "Zdiff" : "Z0";
    data.yUnit = u("Ω");
    data.series.push_back({QString(), s.z});
    for (double v : s.values)
        data.x.push_back(toUnit(v, unit));
    return data;
}

PlotView::PlotView(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setMinimumSize(420, 240);
    setCursor(Qt::CrossCursor);
}

void PlotView::setData(PlotData data)
{
    data_ = std::move(data);
    cursor_ = -1;
    update();
}

void PlotView::setCursorAt(int index)
{
    cursor_ = index >= 0 && std::size_t(index) < data_.x.size() ? index : -1;
    update();
    emit cursorMoved(cursor_ < 0 ? QString() : data_.readout(std::size_t(cursor_)));
}

void PlotView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintPlot(p, QRectF(rect()), data_, cursor_);
}

void PlotView::mouseMoveEvent(QMouseEvent* e)
{
    if (data_.empty())
        return;
    // The point nearest the pointer along x, as the painter places them.
    const QRectF area = QRectF(rect()).adjusted(72, 26, -16, -44);
    double x0 = std::min(data_.x.front(), data_.x.back()), x1 = std::max(data_.x.front(), data_.x.back());
    const bool logX = data_.logX && x0 > 0;
    int best = -1;
    double gap = 1e300;
    for (std::size_t i = 0; i < data_.x.size(); ++i) {
        const double t = x1 == x0 ? 0.5
                         : logX   ? std::log(data_.x[i] / x0) / std::log(x1 / x0)
                                  : (data_.x[i] - x0) / (x1 - x0);
        const double d = std::fabs(area.left() + t * area.width() - e->position().x());
        if (d < gap) {
            gap = d;
            best = int(i);
        }
    }
    setCursorAt(best);
}

bool PlotView::savePng(const QString& path, QString& error) const
{
    QImage image(QSize(1200, 675), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(1.5, 1.5);
    paintPlot(p, QRectF(0, 0, 800, 450), data_);
    p.end();
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !image.save(&f, "PNG") || !f.commit()) {
        error = u("Não foi possível gravar %1.").arg(path);
        return false;
    }
    return true;
}

bool PlotView::saveSvg(const QString& path, QString& error) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        error = u("Não foi possível gravar %1.").arg(path);
        return false;
    }
    QSvgGenerator svg;
    svg.setOutputDevice(&f);
    svg.setSize(QSize(800, 450));
    svg.setViewBox(QRect(0, 0, 800, 450));
    svg.setTitle(axisTitle(data_.yLabel, data_.yUnit));
    QPainter p;
    if (!p.begin(&svg)) {
        error = u("Não foi possível gravar %1.").arg(path);
        return false;
    }
    paintPlot(p, QRectF(0, 0, 800, 450), data_);
    p.end();
    if (!f.commit()) {
        error = u("Não foi possível gravar %1.").arg(path);
        return false;
    }
    return true;
}

bool PlotView::saveCsv(const QString& path, QString& error) const
{
    QSaveFile f(path);
    const QByteArray bytes = data_.csv().toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        error = u("Não foi possível gravar %1.").arg(path);
        return false;
    }
    return true;
}

PlotWindow::PlotWindow(QWidget* owner, std::function<std::optional<fieldsolve::Design>()> design,
                       std::function<fieldsolve::Unit()> unit)
    : QWidget(owner, Qt::Window), design_(std::move(design)), unit_(std::move(unit))
{
    setObjectName("GraficosCampo");
    setWindowTitle(u("Gráficos — Projeto de Linha por Solução de Campo"));
    auto* v = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    auto edit = [this](const char* name, const QString& text) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(name);
        e->setFixedWidth(80);
        return e;
    };
    kind_ = new QComboBox(this);
    kind_->setObjectName("Varredura");
    kind_->addItems({u("Frequência"), u("Dimensão")});
    quantity_ = new QComboBox(this);
    quantity_->setObjectName("Grandeza");
    quantity_->addItems({u("Z0 (Ω)"), u("εef"), u("α (dB/m)")});
    dimension_ = new QComboBox(this);
    dimension_->setObjectName("Dimensao");
    from_ = edit("De", "0.1");
    to_ = edit("Ate", "20");
    points_ = edit("Pontos", "200");
    log_ = new QCheckBox(u("escala logarítmica"), this);
    log_->setObjectName("Log");
    sigma_ = edit("sigma", lossDefaults().at("sigma"));
    sigma_->setPlaceholderText(u("metal perfeito"));
    roughness_ = new QComboBox(this);
    roughness_->setObjectName("Rugosidade");
    for (int i = 0; i < roughnessTitles().size(); ++i)
        roughness_->addItem(roughnessTitles()[i], QString::fromStdString(fieldsolve::roughnessNames()[std::size_t(i)]));
    auto* roughnessLabel = new QLabel(u("&Rugosidade:"), this);
    roughnessLabel->setBuddy(roughness_);
    // Created in the order of the rows: the order of the tab key.
    // Each label and its field in a box of their own, hidden together.
    auto lossEdit = [&](const std::string& name, std::size_t key, QHBoxLayout* row) {
        auto* box = new QWidget(this);
        auto* pair = new QHBoxLayout(box);
        pair->setContentsMargins(0, 0, 12, 0);
        auto* l = new QLabel(lossCaption(name, key), box);
        auto* e = edit(name.c_str(), lossDefaults().at(name));
        e->setParent(box);
        l->setBuddy(e);
        e->setToolTip(QString::fromStdString(fieldsolve::lossLabel(name)));
        pair->addWidget(l);
        pair->addWidget(e);
        row->addWidget(box);
        return std::make_pair(l, e);
    };
    auto* tandRow = new QHBoxLayout;
    tandRow->setSpacing(0);
    for (const auto& [name, key] : std::vector<std::pair<std::string, std::size_t>>{
             {"tand", 0}, {"tand1", 4}, {"tand2", 4}, {"ctand", 0}})
        tands_[name] = lossEdit(name, key, tandRow);
    tandRow->addStretch(1);
    auto* roughRow = new QHBoxLayout;
    roughRow->setSpacing(0);
    for (const auto& [name, key] : std::vector<std::pair<std::string, std::size_t>>{{"rq", 1}, {"rnod", 1}, {"sr", 0}})
        rough_[name] = lossEdit(name, key, roughRow);
    roughRow->addStretch(1);
    g->addWidget(new QLabel(u("Varredura:"), this), 0, 0);
    g->addWidget(kind_, 0, 1);
    g->addWidget(new QLabel(u("Grandeza:"), this), 0, 2);
    g->addWidget(quantity_, 0, 3);
    g->addWidget(new QLabel(u("Dimensão:"), this), 0, 4);
    g->addWidget(dimension_, 0, 5);
    g->addWidget(new QLabel(u("De:"), this), 1, 0);
    g->addWidget(from_, 1, 1);
    g->addWidget(new QLabel(u("Até:"), this), 1, 2);
    g->addWidget(to_, 1, 3);
    g->addWidget(new QLabel(u("Pontos:"), this), 1, 4);
    g->addWidget(points_, 1, 5);
    g->addWidget(log_, 1, 6);
    g->addWidget(new QLabel(u("σ do metal (S/m):"), this), 2, 0);
    g->addWidget(sigma_, 2, 1);
    g->addWidget(roughnessLabel, 2, 2);
    g->addWidget(roughness_, 2, 3, 1, 2);
    g->addLayout(tandRow, 3, 0, 1, 7);
    g->addLayout(roughRow, 4, 0, 1, 7);
    v->addLayout(g);
    auto* buttons = new QHBoxLayout;
    draw_ = new QPushButton(u("Traçar"), this);
    draw_->setObjectName("BotaoTracar");
    cancel_ = new QPushButton(u("Cancelar"), this);
    cancel_->setObjectName("BotaoCancelar");
    cancel_->setEnabled(false);
    buttons->addWidget(draw_);
    buttons->addWidget(cancel_);
    for (const char* kind : {"png", "svg", "csv"}) {
        auto* b = new QPushButton(QString::fromLatin1(kind).toUpper() + u("…"), this);
        b->setObjectName(QStringLiteral("Exportar%1").arg(kind));
        connect(b, &QPushButton::clicked, this, [this, kind] { exportAs(QString::fromLatin1(kind)); });
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    v->addLayout(buttons);
    status_ = new QLabel(this);
    status_->setObjectName("Situacao");
    status_->setWordWrap(true);
    v->addWidget(status_);
    view_ = new PlotView(this);
    view_->setObjectName("Grafico");
    v->addWidget(view_, 1);
    readout_ = new QLabel(this);
    readout_->setObjectName("Leitura");
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    v->addWidget(readout_);
    connect(draw_, &QPushButton::clicked, this, &PlotWindow::Tracar);
    connect(cancel_, &QPushButton::clicked, this, &PlotWindow::Cancelar);
    connect(view_, &PlotView::cursorMoved, readout_, &QLabel::setText);
    connect(kind_, &QComboBox::activated, this, [this] { kindChanged(); });
    connect(quantity_, &QComboBox::activated, this, [this](int i) {
        if (lastFrequency_ && kind_->currentIndex() == 0)
            view_->setData(frequencyPlot(*lastFrequency_, FrequencyQuantity(i)));
    });
    connect(roughness_, &QComboBox::currentIndexChanged, this, [this] { lossesChanged(); });
    setTemplate(structure_);
    kindChanged();
    resize(760, 600);
}

PlotWindow::~PlotWindow() { FieldJobs::instance().cancelAll(this); }

void PlotWindow::setField(const QString& name, const QString& text)
{
    if (auto* e = findChild<QLineEdit*>(name))
        e->setText(text);
    else if (auto* c = findChild<QComboBox*>(name)) {
        c->setCurrentIndex(c->findText(text));
        if (c == kind_)
            kindChanged();
    } else if (name == "Log")
        log_->setChecked(text == "1");
}

void PlotWindow::setTemplate(fieldsolve::Template kind)
{
    structure_ = kind;
    const std::vector<std::string> names = fieldsolve::templateTandNames(kind);
    for (const auto& [name, widgets] : tands_) {
        const bool shown = std::find(names.begin(), names.end(), name) != names.end();
        widgets.first->parentWidget()->setVisible(shown);
    }
}

std::vector<std::pair<std::string, std::string>> PlotWindow::lossTexts() const
{
    std::vector<std::pair<std::string, std::string>> out;
    for (const std::string& name : fieldsolve::lossNames(structure_)) {
        if (name == "roughness")
            out.emplace_back(name, roughness_->currentData().toString().toStdString());
        else if (name == "sigma")
            out.emplace_back(name, sigma_->text().toStdString());
        else
            out.emplace_back(name, (tands_.count(name) ? tands_.at(name) : rough_.at(name)).second->text().toStdString());
    }
    return out;
}

void PlotWindow::setLossTexts(const std::vector<std::pair<std::string, std::string>>& texts)
{
    std::map<std::string, QString> t = lossDefaults();
    for (const auto& [name, text] : texts)
        t[name] = QString::fromStdString(text);
    sigma_->setText(t["sigma"]);
    for (auto* group : {&tands_, &rough_})
        for (auto& [name, widgets] : *group)
            widgets.second->setText(t[name]);
    // A model the list does not know is left to the reading to refuse.
    const int model = roughness_->findData(t["roughness"]);
    roughness_->setCurrentIndex(std::max(model, 0));
    lossesChanged();
}

QStringList PlotWindow::lossLines() const
{
    QStringList lines;
    const std::vector<std::pair<std::string, std::string>> texts = lossTexts();
    auto text = [&](const std::string& name) {
        for (const auto& [n, t] : texts)
            if (n == name)
                return QString::fromStdString(t).trimmed();
        return QString();
    };
    for (const std::string& name : fieldsolve::templateTandNames(structure_))
        lines << u("%1 = %2").arg(QString::fromStdString(name), text(name).isEmpty() ? "0" : text(name));
    lines << (text("sigma").isEmpty() ? u("sigma: metal perfeito") : u("sigma = %1 S/m").arg(text("sigma")));
    const QString model = roughness_->currentData().toString();
    QString rough = u("Rugosidade: %1").arg(roughness_->currentText());
    if (model == "hammerstad")
        rough += u(", rq = %1 µm").arg(text("rq"));
    else if (model == "huray")
        rough += u(", rnod = %1 µm, sr = %2").arg(text("rnod").isEmpty() ? "0.5" : text("rnod"), text("sr"));
    lines << rough;
    return lines;
}

void PlotWindow::lossesChanged()
{
    // The losses count in a frequency sweep; each model reads its own
    // parameters.
    const bool frequency = kind_->currentIndex() == 0;
    const QString model = roughness_->currentData().toString();
    sigma_->setEnabled(frequency);
    roughness_->setEnabled(frequency);
    for (const auto& [name, widgets] : tands_)
        widgets.second->setEnabled(frequency);
    for (const auto& [name, widgets] : rough_)
        widgets.second->setEnabled(frequency && (name == "rq" ? model == "hammerstad" : model == "huray"));
}

void PlotWindow::kindChanged()
{
    const bool frequency = kind_->currentIndex() == 0;
    quantity_->setEnabled(frequency);
    log_->setEnabled(frequency);
    lossesChanged();
    dimension_->setEnabled(!frequency);
    if (!frequency) {
        // The lengths of the designer's template, the one read when drawn.
        dimension_->clear();
        if (const std::optional<fieldsolve::Design> d = design_())
            for (const auto& p : d->info().parameters)
                if (p.length && p.name != "offset")
                    dimension_->addItem(QString::fromStdString(p.name));
    }
    from_->setToolTip(frequency ? u("GHz") : QString::fromLatin1(fieldsolve::unitName(unit_())));
    to_->setToolTip(from_->toolTip());
}

void PlotWindow::Tracar()
{
    const std::optional<fieldsolve::Design> d = design_();
    if (!d)
        return;
    const bool frequency = kind_->currentIndex() == 0;
    auto read = [](const QLineEdit* e) { return double(readNumber(e->text().toStdString())); };
    const double from = read(from_), to = read(to_), n = read(points_);
    if (!std::isfinite(from) || !std::isfinite(to) || !(n >= 1) || n != std::floor(n)) {
        platform().information(this, u("De, Até e Pontos precisam ser números (Pontos, inteiro)."));
        return;
    }
    fieldsolve::LossInputs losses;
    if (frequency) {
        if (const std::string why = fieldsolve::lossesOf(*d, lossTexts(), losses); !why.empty()) {
            platform().information(this, QString::fromStdString(why));
            return;
        }
    }
    busy_ = true;
    draw_->setEnabled(false);
    cancel_->setEnabled(true);
    status_->setText(u("Resolvendo o campo…"));
    const fieldsolve::Design design = *d;
    if (frequency) {
        const bool logarithmic = log_->isChecked();
        const auto quantity = FrequencyQuantity(quantity_->currentIndex());
        FieldJobs::instance().submit(this, 0, [=](const std::atomic<bool>& cancel) {
            auto s = std::make_shared<FrequencySweep>(
                sweepFrequency(design, losses, from * 1e9, to * 1e9, std::size_t(n), logarithmic, &cancel));
            return std::function<void()>([this, s, quantity] {
                if (s->cancelled)
                    return;
                if (!s->failure.empty()) {
                    finished(QString());
                    platform().information(this, QString::fromStdString(s->failure));
                    return;
                }
                lastFrequency_ = *s;
                view_->setData(frequencyPlot(*s, quantity));
                finished(u("%1 frequências de uma solução de campo.").arg(s->points.size()));
            });
        });
        return;
    }
    const std::string name = dimension_->currentText().toStdString();
    const fieldsolve::Unit unit = unit_();
    const double mm = unit == fieldsolve::Unit::Mil ? fieldsolve::kMmPerMil : 1;
    FieldJobs::instance().submit(this, 0, [=](const std::atomic<bool>& cancel) {
        auto s = std::make_shared<DimensionSweep>(
            sweepDimension(design, name, from * mm, to * mm, std::size_t(n), &cancel));
        return std::function<void()>([this, s, name, unit] {
            if (s->cancelled)
                return;
            if (!s->failure.empty()) {
                finished(QString());
                platform().information(this, QString::fromStdString(s->failure));
                return;
            }
            view_->setData(dimensionPlot(*s, QString::fromStdString(name), unit));
            finished(solvesText(int(s->z.size())) + ".");
        });
    });
}

void PlotWindow::finished(const QString& status)
{
    busy_ = false;
    draw_->setEnabled(true);
    cancel_->setEnabled(false);
    status_->setText(status);
}

void PlotWindow::Cancelar()
{
    if (!busy_)
        return;
    FieldJobs::instance().cancel(this, 0);
    finished(u("Cancelado."));
}

void PlotWindow::exportAs(const QString& kind)
{
    if (view_->data().empty()) {
        platform().information(this, u("Não há gráfico para exportar: trace um primeiro."));
        return;
    }
    const QString filter = kind == "png"   ? u("Imagem PNG|*.png")
                           : kind == "svg" ? u("Imagem SVG|*.svg")
                                           : u("Tabela CSV|*.csv");
    const QString path = platform().saveFileName(this, filter, "grafico." + kind);
    if (path.isEmpty())
        return;
    QString error;
    const bool ok = kind == "png"   ? view_->savePng(path, error)
                    : kind == "svg" ? view_->saveSvg(path, error)
                                    : view_->saveCsv(path, error);
    if (!ok)
        platform().error(this, error);
}

void PlotWindow::closeEvent(QCloseEvent* e)
{
    FieldJobs::instance().cancelAll(this);
    finished(QString());
    e->accept();
}

} // namespace tarvel::ui::designer
