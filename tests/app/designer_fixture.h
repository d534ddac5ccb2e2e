// SPDX-License-Identifier: GPL-3.0-or-later
// What the field designer window's tests share: a scripted platform for
// their boxes and dialogs, the field pool settled, the window's design and
// texts read back, and a plot drawn through its plots' window.
#pragma once
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "app/designer_window.h"
#include "app/field_jobs.h"
#include "fieldsolve/designer.h"
#include "tests/ui/scripted_platform.h"

namespace tarvel::test {

// Everything the pool runs for the windows finished and handed over (a
// result handed over may start the tracing of the section's lines).
inline void settle()
{
    for (int round = 0; round < 10; ++round) {
        ASSERT_TRUE(ui::FieldJobs::instance().waitForIdle(120000));
        QCoreApplication::processEvents();
        if (ui::FieldJobs::instance().unfinished() == 0)
            return;
    }
    FAIL() << "the field pool never settled";
}

// The design the window's project reads to.
inline fieldsolve::Design designOf(const ui::DesignerWindow& w)
{
    fieldsolve::Design d;
    EXPECT_EQ(fieldsolve::designOf(w.project(), d), "");
    return d;
}

// The inputs' texts, to see that nothing changed.
inline QStringList inputTexts(const ui::DesignerWindow& w)
{
    QStringList out;
    for (const auto& p : fieldsolve::templateInfo(w.currentTemplate()).parameters)
        out << QString::fromStdString(p.name) + "=" + w.inputText(QString::fromStdString(p.name));
    return out;
}

using FieldTexts = std::vector<std::pair<const char*, const char*>>;

// The plot of the window's plots' window with these controls set.
inline const ui::designer::PlotData& plotted(ui::DesignerWindow& w, const FieldTexts& fields)
{
    ui::designer::PlotWindow* plots = w.Graficos();
    for (const auto& [name, text] : fields)
        plots->setField(name, QString::fromUtf8(text));
    plots->Tracar();
    settle();
    return plots->view()->data();
}

class DesignerFixture : public ::testing::Test {
protected:
    ScriptedPlatform platform;
    // The boxes shown, for a failure's message.
    std::string shown() const { return platform.texts().join('\n').toStdString(); }
};

} // namespace tarvel::test
