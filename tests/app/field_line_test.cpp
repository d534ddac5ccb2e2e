// SPDX-License-Identifier: GPL-3.0-or-later
// The field beside every window: after a compute, one line beneath the
// results gives the field's answer for the window's section; a newer
// compute, "Novo" or closing the window cancels the solve, and no result
// box changes.
#include <cmath>

#include <QApplication>
#include <QLineEdit>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "app/field_jobs.h"
#include "app/field_line.h"
#include "app/forms.h"
#include "framework/ui/navigation.h"

using namespace tarvel;
using namespace tarvel::ui;

namespace {

using Texts = std::vector<std::pair<const char*, const char*>>;

const Texts kCpw = {{"Frequencia", "10"}, {"ComboBox2", "3.55"}, {"ComboBox1", "57600000"},
                    {"Tanperda", "0.0027"}, {"Largura", "0.5"}, {"Sep", "0.2"},
                    {"ComboBox4", "0.51"}, {"ComboBox3", "0.0175"}};

CalculatorWindow* computedCpw(const char* width = "0.5")
{
    CalculatorWindow* w = createCalculatorWindow(11);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    for (const auto& [control, text] : kCpw)
        w->setControlText(control, QString::fromUtf8(text));
    w->setControlText("Largura", QString::fromUtf8(width));
    w->Calcular1Click();
    return w;
}

QStringList resultTexts(const CalculatorWindow& w)
{
    QStringList texts;
    for (const QLineEdit* e : w.findChildren<QLineEdit*>())
        if (e->isReadOnly())
            texts << e->objectName() + "=" + e->text();
    return texts;
}

struct FieldLineWindow : ::testing::Test {
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(FieldJobs::instance().waitForIdle(60000));
        Navigation::instance().clearAll();
    }
};

fieldsolve::WindowCheck checkWith(double z0Formula, double z0Field, double eeffFormula, double eeffField)
{
    fieldsolve::WindowCheck c;
    c.solution.ok = true;
    c.solution.converged = true;
    auto row = [](const char* name, const char* unit, double formula, double field) {
        fieldsolve::Compared r;
        r.name = name;
        r.unit = unit;
        r.formula = formula;
        r.field = field;
        r.differencePercent = 100 * (formula - field) / field;
        return r;
    };
    c.rows = {row("Z0", "Ohms", z0Formula, z0Field), row("eeff", "", eeffFormula, eeffField)};
    return c;
}

} // namespace

TEST_F(FieldLineWindow, AComputeShowsTheFieldBeneathTheResultsAndChangesNoResult)
{
    CalculatorWindow* w = computedCpw();
    ASSERT_TRUE(w->computed());
    EXPECT_TRUE(w->resultNote().contains(QString::fromUtf8("resolvendo"))) << w->resultNote().toStdString();
    const QStringList results = resultTexts(*w);
    QTRY_VERIFY_WITH_TIMEOUT(!w->resultNote().contains(QString::fromUtf8("resolvendo")), 60000);
    EXPECT_EQ(resultTexts(*w), results);
    // The same line as the window's check gives, solved here.
    const fieldsolve::CheckPlan plan = fieldsolve::planCheck(w->description(), w->fieldTexts());
    const FieldLine expected = fieldLineOf(fieldsolve::runCheck(plan));
    EXPECT_EQ(w->resultNote(), expected.text);
    EXPECT_TRUE(w->resultNote().startsWith(QString::fromUtf8("Solução de campo: Z0 "))) << w->resultNote().toStdString();
    EXPECT_TRUE(w->resultNote().contains(QString::fromUtf8(" — fórmula ")));
}

TEST_F(FieldLineWindow, ANewerComputeReplacesTheSolveAndNovoClearsTheLine)
{
    CalculatorWindow* w = computedCpw("0.5");
    w->setControlText("Largura", "0.9");
    w->Calcular1Click(); // before the first solve can report
    QTRY_VERIFY_WITH_TIMEOUT(!FieldJobs::instance().pending(w, 0), 60000);
    EXPECT_TRUE(FieldJobs::instance().waitForIdle(60000));
    QApplication::processEvents();
    const fieldsolve::CheckPlan plan = fieldsolve::planCheck(w->description(), w->fieldTexts());
    EXPECT_EQ(w->resultNote(), fieldLineOf(fieldsolve::runCheck(plan)).text);
    w->Novo1Click();
    EXPECT_TRUE(w->resultNote().isEmpty());
}

TEST_F(FieldLineWindow, ClosingTheWindowCancelsItsSolve)
{
    CalculatorWindow* w = computedCpw();
    ASSERT_TRUE(FieldJobs::instance().pending(w, 0));
    w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(FieldJobs::instance().waitForIdle(60000));
    EXPECT_EQ(FieldJobs::instance().unfinished(), 0);
}

// The ink follows the formula's largest deviation from the field.
TEST(FieldLineText, ToneFollowsTheLargestDeviation)
{
    using Tone = CalculatorWindow::NoteTone;
    struct Case {
        double z0Formula, eeffFormula;
        Tone tone;
        const char* differences;
    } cases[] = {
        {50.5, 3.01, Tone::Plain, "fórmula +1.0 %, +0.3 %"},
        {51.5, 3.00, Tone::Amber, "fórmula +3.0 %, +0.0 %"},
        {50.0, 3.40, Tone::Red, "fórmula +0.0 %, +13.3 %"},
        {44.0, 3.00, Tone::Red, "fórmula -12.0 %, +0.0 %"},
    };
    for (const Case& c : cases) {
        const FieldLine line = fieldLineOf(checkWith(c.z0Formula, 50.0, c.eeffFormula, 3.0));
        EXPECT_EQ(line.tone, c.tone) << line.text.toStdString();
        EXPECT_TRUE(line.text.startsWith(QString::fromUtf8("Solução de campo: Z0 50.00 Ω, εef 3.000")))
            << line.text.toStdString();
        EXPECT_TRUE(line.text.endsWith(QString::fromUtf8(c.differences))) << line.text.toStdString();
    }
    // A solve that stopped at the mesh's limit says so, with the estimate
    // it reached; a formula that faulted leaves the field's answer alone.
    fieldsolve::WindowCheck short_ = checkWith(50.5, 50.0, 3.01, 3.0);
    short_.solution.converged = false;
    short_.solution.error = 0.0123;
    EXPECT_TRUE(fieldLineOf(short_).text.endsWith(QString::fromUtf8(" (não convergiu: erro estimado 1.23 %)")))
        << fieldLineOf(short_).text.toStdString();
    fieldsolve::WindowCheck faulted = checkWith(0, 50.0, 0, 3.0);
    faulted.plan.fault = "Invalid floating point operation";
    for (auto& r : faulted.rows) {
        r.hasFormula = false;
        r.differencePercent = 0;
    }
    const FieldLine alone = fieldLineOf(faulted);
    EXPECT_EQ(alone.text, QString::fromUtf8("Solução de campo: Z0 50.00 Ω, εef 3.000 — a fórmula falhou: "
                                            "Invalid floating point operation"));
    EXPECT_EQ(alone.tone, CalculatorWindow::NoteTone::Red);
    fieldsolve::WindowCheck failed;
    failed.solution.failure = "malha grande demais";
    EXPECT_EQ(fieldLineOf(failed).text, QString::fromUtf8("Solução de campo indisponível: malha grande demais"));
}
