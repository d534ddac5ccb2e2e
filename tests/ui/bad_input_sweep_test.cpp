// SPDX-License-Identifier: GPL-3.0-or-later
// The bad-input sweep through the real window of every kind: fields filled
// as a user would (typed text, picks with their fills), then "&Calcular".
// A refusal or a fault shows exactly its one box and leaves every field,
// caption, file name and enabling state as it was; results show in their
// fields as the compute gave them, never as "nan" or "inf".
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "framework/core/calculator.h"
#include "framework/core/number_text.h"
#include "app/forms.h"
#include "models/all_windows.h"
#include "scripted_platform.h"
#include "tests/models/sweep/outcome_rules.h"
#include "tests/models/sweep/sweep_cases.h"

using namespace tarvel;
using namespace tarvel::ui;
using tarvel::test::ScriptedPlatform;

namespace {

constexpr int kCasesPerPhase = 40;

// Everything a compute may change, one line per control.
QStringList snapshot(const CalculatorWindow& w)
{
    QStringList s;
    s << QStringLiteral("caption=") + w.windowTitle();
    s << QStringLiteral("file=") + CalculatorWindow::currentFileName(w.description().number);
    for (const QWidget* c : w.findChildren<QWidget*>()) {
        if (c->objectName().isEmpty())
            continue;
        QString line = QString::fromLatin1(c->metaObject()->className()) + ' ' + c->objectName()
                       + (c->isEnabled() ? " on" : " off");
        if (const auto* e = qobject_cast<const QLineEdit*>(c))
            line += " \"" + e->text() + '"';
        else if (const auto* b = qobject_cast<const QComboBox*>(c))
            line += " \"" + b->currentText() + "\" #" + QString::number(b->currentIndex());
        else if (const auto* l = qobject_cast<const QLabel*>(c))
            line += " \"" + l->text() + '"';
        s << line;
    }
    for (const QAction* a : w.findChildren<QAction*>())
        if (!a->objectName().isEmpty())
            s << QStringLiteral("action ") + a->objectName() + (a->isEnabled() ? " on" : " off");
    return s;
}

// Lines that a refusal may legitimately change: the window on a conducting
// substrate for CPW enables a few commands once the frequency passes.
bool mayChangeOnRefusal(const CalculatorWindow& w, const QString& line)
{
    if (w.description().number != 12)
        return false;
    for (const char* name : {"SpeedButton4", "SpeedButton8", "SpeedButton10", "Calcular1"})
        if (line.contains(QStringLiteral(" %1 ").arg(QLatin1String(name))))
            return true;
    return false;
}

void fill(CalculatorWindow& w, const FieldTexts& fields)
{
    for (const auto& input : w.description().inputs) {
        const auto it = fields.find(input.name);
        if (it == fields.end())
            continue;
        const QString name = QString::fromStdString(input.name);
        if (it->second.picked >= 0)
            w.pick(name, it->second.picked);
        else
            w.setControlText(name, QString::fromStdString(it->second.text));
    }
}

struct SweepTally {
    int results = 0, refused = 0;
};

// One case: fill, predict with the pure compute, press "&Calcular", compare.
void runCase(CalculatorWindow& w, ScriptedPlatform& platform, const FieldTexts& fields, const std::string& what,
             SweepTally& run)
{
    const WindowDescription& d = w.description();
    fill(w, fields);
    const Outcome want = compute(d, w.fieldTexts());
    ASSERT_TRUE(rules::checkOutcome(d, want).empty()) << what << ": " << rules::checkOutcome(d, want);
    const QStringList before = snapshot(w);
    platform.boxes.clear();
    w.Calcular1Click();

    if (want.kind != Outcome::Kind::Results) {
        ++run.refused;
        const bool message = want.kind == Outcome::Kind::Message;
        ASSERT_EQ(platform.boxes.size(), 1u) << what;
        EXPECT_EQ(platform.boxes[0].kind, message ? "information" : "error") << what;
        EXPECT_EQ(platform.boxes[0].text.toStdString(), message ? want.message : faultText(want.fault)) << what;
        const QStringList after = snapshot(w);
        ASSERT_EQ(after.size(), before.size()) << what;
        for (int i = 0; i < after.size(); ++i)
            if (after[i] != before[i] && !mayChangeOnRefusal(w, before[i]))
                ADD_FAILURE() << what << "\n  changed on refusal: " << before[i].toStdString() << "\n  now: "
                              << after[i].toStdString();
        return;
    }
    ++run.results;
    for (const auto& [name, value] : want.results) {
        const QString shown = w.controlText(QString::fromStdString(name));
        EXPECT_EQ(shown.toStdString(), resultText(value)) << what << " " << name;
        EXPECT_TRUE(rules::wellFormedResult(shown.toStdString())) << what << " " << name;
    }
    ASSERT_EQ(platform.boxes.size(), want.warnings.size()) << what;
    for (std::size_t i = 0; i < want.warnings.size(); ++i) {
        EXPECT_EQ(platform.boxes[i].kind, "information") << what;
        EXPECT_EQ(platform.boxes[i].text.toStdString(), want.warnings[i]) << what;
    }
}

std::string describe(const WindowDescription& d, const char* phase, int i, const FieldTexts& fields)
{
    std::string s = d.className + " " + phase + " case " + std::to_string(i) + ":";
    for (const auto& [name, state] : fields)
        s += " " + name + "=\"" + state.text.substr(0, 40) + "\"" + (state.picked >= 0 ? "(picked)" : "");
    return s;
}

class WindowSweep : public ::testing::TestWithParam<int> {};

TEST_P(WindowSweep, RefusalLeavesTheWindowAsItWas)
{
    ScriptedPlatform platform;
    const WindowDescription* d = findWindow(GetParam());
    ASSERT_TRUE(d);
    std::unique_ptr<CalculatorWindow> w(createCalculatorWindow(d->number));
    ASSERT_TRUE(w);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->show();
    sweep::Cases cases(*d, 7000u + unsigned(d->number));
    SweepTally run;

    // A fresh window, where nothing has been computed yet.
    for (int i = 0; i < kCasesPerPhase && !HasFatalFailure(); ++i) {
        const FieldTexts f = cases.next();
        runCase(*w, platform, f, describe(*d, "fresh", i, f), run);
    }
    // A window showing results: a refusal must leave them on display.
    for (int tries = 0; tries < 5000 && run.results == 0; ++tries) {
        const FieldTexts f = cases.next();
        if (compute(*d, f).ok())
            runCase(*w, platform, f, describe(*d, "first results", tries, f), run);
    }
    for (int i = 0; i < kCasesPerPhase && !HasFatalFailure(); ++i) {
        const FieldTexts f = cases.next();
        runCase(*w, platform, f, describe(*d, "after results", i, f), run);
    }
    std::printf("[ sweep    ] %s window: %d cases, %d results, %d refused or faulted\n", d->className.c_str(),
                run.results + run.refused, run.results, run.refused);
    EXPECT_GT(run.results, 0) << d->className << ": no case reached the results";
    EXPECT_GT(run.refused, 0) << d->className << ": no case was refused";
    w->close();
}

std::vector<int> windowNumbers()
{
    std::vector<int> out;
    for (const auto* d : allWindows())
        out.push_back(d->number);
    return out;
}

INSTANTIATE_TEST_SUITE_P(AllWindows, WindowSweep, ::testing::ValuesIn(windowNumbers()),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return findWindow(info.param)->className;
                         });

} // namespace
