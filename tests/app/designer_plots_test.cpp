// SPDX-License-Identifier: GPL-3.0-or-later
// The field designer's plots: a line against frequency and against a
// dimension, through the plots' window of a designer window, checked
// against the physics and the designer's own analysis, with the cursor's
// readout and the three exports.
#include <cmath>
#include <limits>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/designer_window.h"
#include "app/field_jobs.h"
#include "fieldsolve/designer.h"
#include "tests/app/designer_fixture.h"

using namespace tarvel;
using namespace tarvel::ui;
using fieldsolve::Template;

using DesignerPlots = tarvel::test::DesignerFixture;
using tarvel::test::designOf;
using tarvel::test::inputTexts;
using tarvel::test::plotted;
using tarvel::test::settle;

TEST_F(DesignerPlots, HomogeneousLosslessLineIsFlatInFrequency)
{
    DesignerWindow w;
    w.setTemplate(Template::Stripline); // er1 = er2: one dielectric
    const fieldsolve::Analysis statics = fieldsolve::analyse(designOf(w));
    for (const char* quantity : {"Z0 (Ω)", "εef", "α (dB/m)"}) {
        const designer::PlotData& d = plotted(w, {{"Varredura", "Frequência"}, {"Grandeza", quantity},
                                                   {"sigma", ""}, {"tand1", ""}, {"tand2", ""}, {"De", "0.1"}, {"Ate", "10"},
                                                   {"Pontos", "20"}});
        ASSERT_TRUE(platform.boxes.empty()) << platform.texts().join('\n').toStdString();
        ASSERT_EQ(d.x.size(), 20u);
        ASSERT_EQ(d.series.size(), 1u);
        EXPECT_DOUBLE_EQ(d.x.front(), 0.1);
        EXPECT_DOUBLE_EQ(d.x.back(), 10);
        for (double y : d.series[0].y) {
            if (QString::fromUtf8(quantity).startsWith("Z0"))
                EXPECT_NEAR(y, statics.z0, statics.z0 * 1e-9);
            else if (QString::fromUtf8(quantity).startsWith(QString::fromUtf8("ε")))
                EXPECT_NEAR(y, 4.3, 1e-9);
            else
                EXPECT_EQ(y, 0);
        }
    }
}

TEST_F(DesignerPlots, LossesGrowWithFrequencyAndAPairHasTwoModes)
{
    DesignerWindow w;
    w.setTemplate(Template::CoupledMicrostrip);
    const designer::PlotData& d = plotted(w, {{"Varredura", "Frequência"}, {"Grandeza", "α (dB/m)"},
                                              {"sigma", "5.8e7"}, {"tand", "0.02"}, {"De", "0.1"},
                                              {"Ate", "20"}, {"Pontos", "30"}, {"Log", "1"}});
    ASSERT_TRUE(platform.boxes.empty()) << platform.texts().join('\n').toStdString();
    EXPECT_TRUE(d.logX);
    ASSERT_EQ(d.series.size(), 2u);
    EXPECT_EQ(d.series[0].name, QString::fromUtf8("modo par"));
    for (const auto& s : d.series)
        for (std::size_t i = 1; i < s.y.size(); ++i)
            EXPECT_GT(s.y[i], s.y[i - 1]) << s.name.toStdString() << " at " << d.x[i];
    // A frequency the quasi-static section cannot answer is refused by name.
    platform.boxes.clear();
    plotted(w, {{"Ate", "5000"}});
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_FALSE(platform.boxes[0].text.isEmpty());
}

TEST_F(DesignerPlots, ImpedanceAgainstWidthFallsAndMatchesTheAnalysis)
{
    DesignerWindow w;
    w.setTemplate(Template::Microstrip);
    w.setUnit(fieldsolve::Unit::Mil);
    const designer::PlotData& d = plotted(w, {{"Varredura", "Dimensão"}, {"Dimensao", "W"}, {"De", "20"},
                                              {"Ate", "100"}, {"Pontos", "5"}});
    ASSERT_TRUE(platform.boxes.empty()) << platform.texts().join('\n').toStdString();
    ASSERT_EQ(d.x.size(), 5u);
    EXPECT_EQ(d.xUnit, "mil");
    EXPECT_DOUBLE_EQ(d.x[2], 60);
    const auto& z = d.series.at(0).y;
    for (std::size_t i = 1; i < z.size(); ++i)
        EXPECT_LT(z[i], z[i - 1]);
    fieldsolve::Design at60 = designOf(w);
    at60.set("W", 60 * fieldsolve::kMmPerMil);
    EXPECT_DOUBLE_EQ(z[2], fieldsolve::analyse(at60).z0);
}

TEST_F(DesignerPlots, CursorReadsAndExportsAreWritten)
{
    QTemporaryDir dir;
    DesignerWindow w;
    w.setTemplate(Template::Microstrip);
    const designer::PlotData& d = plotted(w, {{"Varredura", "Frequência"}, {"Grandeza", "Z0 (Ω)"},
                                              {"De", "1"}, {"Ate", "5"}, {"Pontos", "9"}});
    ASSERT_TRUE(platform.boxes.empty()) << platform.texts().join('\n').toStdString();
    designer::PlotView* view = w.Graficos()->view();
    view->setCursorAt(4);
    EXPECT_EQ(view->cursor(), 4);
    EXPECT_EQ(d.readout(4).left(8), "f = 3 GH");
    EXPECT_TRUE(d.readout(4).contains(QString::number(d.series[0].y[4], 'g', 6)));
    for (const char* kind : {"png", "svg", "csv"}) {
        const QString path = dir.filePath(QStringLiteral("grafico.%1").arg(kind));
        platform.saveAnswers.push_back(path);
        w.Graficos()->exportAs(kind);
        ASSERT_TRUE(QFile::exists(path)) << kind << platform.texts().join('\n').toStdString();
    }
    EXPECT_EQ(QImage(dir.filePath("grafico.png")).width(), 1200);
    QFile svg(dir.filePath("grafico.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg"));
    QFile csv(dir.filePath("grafico.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], QString::fromUtf8("\"f (GHz)\",\"Z0 (Ω)\""));
    EXPECT_EQ(lines[5].split(',').value(0), "3");
    EXPECT_DOUBLE_EQ(lines[5].split(',').value(1).toDouble(), QString::number(d.series[0].y[4], 'g', 10).toDouble());
    EXPECT_TRUE(platform.boxes.empty());
}

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// The mnemonic letter of a label ("tand&1 — ..." gives '1'), lower case.
QChar mnemonic(const QString& text)
{
    const int at = text.indexOf('&');
    return at < 0 || at + 1 >= text.size() ? QChar() : text[at + 1].toLower();
}

QLabel* labelOf(const QWidget& window, const QWidget* field)
{
    for (QLabel* l : window.findChildren<QLabel*>())
        if (l->buddy() == field)
            return l;
    return nullptr;
}

} // namespace

// Each template asks for the loss tangents of its own dielectrics, by the
// names of its drawing and of the command line, each field reached by its
// own key and in the order of the rows; the roughness model enables its
// own parameters, and a sweep of a dimension none of the losses.
TEST_F(DesignerPlots, LossInputsFollowTheTemplateAndTheModel)
{
    struct Case {
        Template kind;
        QStringList tands; // the fields shown
    };
    const Case cases[] = {
        {Template::Microstrip, {"tand", "ctand"}},
        {Template::EmbeddedMicrostrip, {"tand", "tand2"}},
        {Template::Stripline, {"tand1", "tand2"}},
        {Template::CoupledStripline, {"tand1", "tand2"}},
        {Template::Cpw, {"tand"}},
        {Template::Cps, {"tand"}},
        {Template::BroadsideStripline, {"tand"}},
    };
    DesignerWindow w;
    designer::PlotWindow* plots = w.Graficos();
    const QStringList order = {"sigma", "Rugosidade", "tand", "tand1", "tand2", "ctand", "rq", "rnod", "sr"};
    for (const Case& c : cases) {
        w.setTemplate(c.kind);
        QList<QChar> keys;
        for (const char* name : {"tand", "tand1", "tand2", "ctand"}) {
            auto* e = plots->findChild<QLineEdit*>(name);
            ASSERT_NE(e, nullptr) << name;
            QLabel* label = labelOf(*plots, e);
            ASSERT_NE(label, nullptr) << name;
            EXPECT_EQ(e->isVisibleTo(plots), c.tands.contains(name)) << name;
            EXPECT_EQ(label->isVisibleTo(plots), c.tands.contains(name)) << name;
            EXPECT_TRUE(QString(label->text()).remove('&').startsWith(QString(name) + u(" — tanδ de ")))
                << label->text().toStdString();
        }
        // Every field shown has its own key.
        for (QLabel* l : plots->findChildren<QLabel*>())
            if (l->buddy() && l->isVisibleTo(plots))
                keys << mnemonic(l->text());
        EXPECT_EQ(keys.size(), c.tands.size() + 4);
        EXPECT_EQ(QSet<QChar>(keys.begin(), keys.end()).size(), keys.size()) << "mnemonics repeat";
        std::vector<std::string> names;
        for (const auto& [name, text] : plots->lossTexts())
            names.push_back(name);
        EXPECT_EQ(names, fieldsolve::lossNames(c.kind));
    }
    // The tab key goes down the rows.
    QWidget* at = plots->findChild<QWidget*>("sigma");
    for (const QString& next : order.mid(1)) {
        do
            at = at->nextInFocusChain();
        while (at->focusPolicy() == Qt::NoFocus);
        EXPECT_EQ(at->objectName(), next);
    }

    struct Model {
        const char* title;
        QStringList enabled;
    };
    const Model models[] = {{"nenhuma (cobre liso)", {}}, {"Hammerstad–Jensen", {"rq"}}, {"Huray (esferas)", {"rnod", "sr"}}};
    for (const Model& m : models) {
        plots->setField("Varredura", u("Frequência"));
        plots->setField("Rugosidade", u(m.title));
        for (const char* name : {"rq", "rnod", "sr"})
            EXPECT_EQ(plots->findChild<QLineEdit*>(name)->isEnabled(), m.enabled.contains(name)) << m.title << name;
        EXPECT_TRUE(plots->findChild<QLineEdit*>("tand")->isEnabled());
        plots->setField("Varredura", u("Dimensão"));
        for (const char* name : {"sigma", "tand", "rq", "rnod", "sr", "Rugosidade"})
            EXPECT_FALSE(plots->findChild<QWidget*>(name)->isEnabled()) << name;
    }
}

// The texts of the losses reach the plot as the layers' and metals' losses
// they stand for: each layer its own tangent (the two layers of an
// asymmetric stripline lose differently), the roughness in µm.
TEST_F(DesignerPlots, EachLayersTangentAndTheRoughnessReachThePlot)
{
    auto metal = [](double sigma, fieldsolve::Roughness model, double rq, double nodule, double ratio) {
        fieldsolve::MetalLoss m;
        m.sigma = sigma;
        m.roughness = model;
        m.rq = rq;
        m.nodule = nodule;
        m.ratio = ratio;
        return m;
    };
    const double perfect = std::numeric_limits<double>::infinity();
    struct Case {
        Template kind;
        tarvel::test::FieldTexts fields;
        std::vector<double> tand; // per layer of the solved section
        fieldsolve::MetalLoss metal;
    };
    const fieldsolve::MetalLoss smooth = metal(5.8e7, fieldsolve::Roughness::None, 0, 0.5e-6, 0);
    const Case cases[] = {
        {Template::Stripline, {{"sigma", ""}, {"tand1", "0.01"}, {"tand2", "0"}}, {0.01, 0},
         metal(perfect, fieldsolve::Roughness::None, 0, 0.5e-6, 0)},
        {Template::Stripline, {{"sigma", ""}, {"tand1", "0"}, {"tand2", "0.01"}}, {0, 0.01},
         metal(perfect, fieldsolve::Roughness::None, 0, 0.5e-6, 0)},
        {Template::Stripline, {{"sigma", ""}, {"tand1", "0.01"}, {"tand2", "0.01"}}, {0.01, 0.01},
         metal(perfect, fieldsolve::Roughness::None, 0, 0.5e-6, 0)},
        {Template::Microstrip, {{"sigma", "5.8e7"}, {"tand", "0"}, {"ctand", "0.5"}}, {0}, smooth},
        {Template::Microstrip, {{"tand", "0"}, {"Rugosidade", "Hammerstad–Jensen"}, {"rq", "1.2"}}, {0},
         metal(5.8e7, fieldsolve::Roughness::Hammerstad, 1.2e-6, 0.5e-6, 0)},
        {Template::Microstrip, {{"tand", "0"}, {"Rugosidade", "Huray (esferas)"}, {"rnod", "0.4"}, {"sr", "2.5"}},
         {0}, metal(5.8e7, fieldsolve::Roughness::Huray, 0, 0.4e-6, 2.5)},
    };
    std::vector<std::vector<double>> alphas;
    for (const Case& c : cases) {
        DesignerWindow w;
        w.setTemplate(c.kind);
        w.setInputText("h1", "0.2");
        w.setInputText("h2", "0.6");
        tarvel::test::FieldTexts fields = {{"Varredura", "Frequência"}, {"Grandeza", "α (dB/m)"},
                                           {"De", "1"}, {"Ate", "7"}, {"Pontos", "4"}};
        fields.insert(fields.end(), c.fields.begin(), c.fields.end());
        const designer::PlotData& d = plotted(w, fields);
        ASSERT_TRUE(platform.boxes.empty()) << shown();
        fieldsolve::LossInputs in;
        in.tand = c.tand;
        in.metal = {c.metal, c.metal};
        const designer::PlotData wanted = designer::frequencyPlot(
            designer::sweepFrequency(designOf(w), in, 1e9, 7e9, 4, false, nullptr), designer::FrequencyQuantity::Alpha);
        ASSERT_EQ(d.series.size(), 1u);
        EXPECT_EQ(d.series[0].y, wanted.series.at(0).y) << c.fields.back().first;
        alphas.push_back(d.series[0].y);
    }
    // The layer under the strip holds more of the field than the thicker
    // one above it; the two together lose what each does.
    for (std::size_t i = 0; i < alphas[0].size(); ++i) {
        EXPECT_GT(alphas[0][i], alphas[1][i] * 1.2);
        EXPECT_NEAR(alphas[0][i] + alphas[1][i], alphas[2][i], alphas[2][i] * 1e-4);
        EXPECT_GT(alphas[4][i], alphas[3][i]); // rough copper loses more than smooth
        EXPECT_GT(alphas[5][i], alphas[3][i]);
    }
}

// A loss that cannot be is refused with its field's name, and the plot
// stays; a parameter of a model not chosen is not read.
TEST_F(DesignerPlots, RefusedLossNamesItsFieldAndThePlotStays)
{
    struct Case {
        Template kind;
        tarvel::test::FieldTexts fields;
        const char* name; // in the message; none: drawn
    };
    const Case cases[] = {
        {Template::Stripline, {{"tand2", "-0.1"}}, "tand2"},
        {Template::Microstrip, {{"ctand", "x"}}, "ctand"},
        {Template::Microstrip, {{"sigma", "0"}}, "sigma"},
        {Template::Microstrip, {{"Rugosidade", "Hammerstad–Jensen"}, {"rq", "-1"}}, "rq"},
        {Template::Microstrip, {{"Rugosidade", "Huray (esferas)"}, {"rnod", "0"}}, "rnod"},
        {Template::Microstrip, {{"Rugosidade", "Huray (esferas)"}, {"sr", "muito"}}, "sr"},
        {Template::Microstrip, {{"Rugosidade", "nenhuma (cobre liso)"}, {"rq", "-1"}, {"sr", "x"}}, nullptr},
    };
    for (const Case& c : cases) {
        DesignerWindow w;
        w.setTemplate(c.kind);
        const designer::PlotData before = plotted(w, {{"Varredura", "Frequência"}, {"Grandeza", "α (dB/m)"},
                                                      {"De", "1"}, {"Ate", "2"}, {"Pontos", "3"}});
        ASSERT_FALSE(before.empty());
        platform.boxes.clear();
        const designer::PlotData& after = plotted(w, c.fields);
        if (!c.name) {
            EXPECT_TRUE(platform.boxes.empty()) << shown();
            continue;
        }
        ASSERT_EQ(platform.boxes.size(), 1u) << c.name;
        EXPECT_TRUE(platform.boxes[0].text.startsWith(u("O campo %1 (").arg(c.name))) << shown();
        EXPECT_EQ(after.series.at(0).y, before.series.at(0).y);
        EXPECT_FALSE(w.Graficos()->busy());
    }
}
