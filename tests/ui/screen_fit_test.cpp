// SPDX-License-Identifier: GPL-3.0-or-later
// Every calculator window fits a 1024 × 768 screen whole, frame included,
// and only the windows that would not fit are made narrower.
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include "models/all_windows.h"
#include "test_windows.h"

using namespace tarvel;
using namespace tarvel::ui;

namespace {

TEST(ScreenFit, EveryWindowFitsA1024By768ScreenWithItsFrame)
{
    // A window manager's frame: borders and a title bar.
    const int frameWidth = 16, frameHeight = 40;
    for (const WindowDescription* d : allWindows()) {
        auto w = test::window(d->number);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        EXPECT_LE(w->frameGeometry().width() + frameWidth, 1024) << d->className;
        EXPECT_LE(w->frameGeometry().height() + frameHeight, 768) << d->className;
        EXPECT_GE(w->frameGeometry().left(), 0) << d->className;
        EXPECT_GE(w->frameGeometry().top(), 0) << d->className;
        // The lists are narrowed only in a window that needs it, and then
        // not much more than it needs: such a window stays near the screen's
        // width (a list's own size hint makes the step uneven).
        bool narrowed = false;
        for (const InputSpec& input : d->inputs)
            if (input.kind == InputKind::Combo && input.entries.size() > 1) {
                auto* c = w->findChild<QComboBox*>(QString::fromStdString(input.name));
                ASSERT_TRUE(c);
                narrowed = narrowed || c->minimumWidth() < 250;
                EXPECT_GE(c->minimumWidth(), 130) << d->className << " " << input.name;
            }
        if (narrowed) {
            EXPECT_GE(w->frameGeometry().width() + frameWidth, 1024 - 100) << d->className;
        }
        w->close();
    }
}

} // namespace
