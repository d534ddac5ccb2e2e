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
    const char* narrowed[] = {"TForm3", "TForm29", "TForm27"}; // coax analysis, coupled syntheses
    for (const WindowDescription* d : allWindows()) {
        auto w = test::window(d->number);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        EXPECT_LE(w->frameGeometry().width() + frameWidth, 1024) << d->className;
        EXPECT_LE(w->frameGeometry().height() + frameHeight, 768) << d->className;
        EXPECT_GE(w->frameGeometry().left(), 0) << d->className;
        EXPECT_GE(w->frameGeometry().top(), 0) << d->className;
        // The lists keep their width where the window fits as it is.
        const bool narrow = std::find_if(std::begin(narrowed), std::end(narrowed), [&](const char* c) {
                                return d->className == c;
                            }) != std::end(narrowed);
        for (const InputSpec& input : d->inputs)
            if (input.kind == InputKind::Combo && input.entries.size() > 1) {
                auto* c = w->findChild<QComboBox*>(QString::fromStdString(input.name));
                ASSERT_TRUE(c);
                if (narrow)
                    EXPECT_LT(c->minimumWidth(), 250) << d->className << " " << input.name;
                else
                    EXPECT_EQ(c->minimumWidth(), 250) << d->className << " " << input.name;
                EXPECT_GE(c->minimumWidth(), 130) << d->className << " " << input.name;
            }
        w->close();
    }
}

} // namespace
