// SPDX-License-Identifier: GPL-3.0-or-later
// The field designer's plots: a line against frequency and against a
// dimension, through the plots' window of a designer window, checked
// against the physics and the designer's own analysis, with the cursor's
// readout and the three exports.
#include <cmath>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
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
