// SPDX-License-Identifier: GPL-3.0-or-later
// Closing a calculator window destroys it and leaves nothing of it behind:
// the newest-window reference goes void, and what every window shares (the
// toolbar pictures, whose painted forms the style caches) is shared rather
// than made anew for each window.
#include <QPointer>
#include <QToolButton>

#include "framework/ui/calculator_window.h"
#include "main_window_fixture.h"

namespace tarvel::test {
namespace {

using Closing = MainWindowTest;

TEST_F(Closing, AClosedWindowIsDestroyedAndItsReferenceCleared)
{
    for (int n : {2, 4, 12, 17, 18}) {
        QPointer<QWidget> w = main.openWindow(n);
        ASSERT_TRUE(w) << n;
        EXPECT_EQ(ui::Navigation::instance().referenced(n), w.data()) << n;
        w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.isNull()) << n;
        EXPECT_EQ(ui::Navigation::instance().referenced(n), nullptr) << n;
    }
}

TEST_F(Closing, WindowsShareTheirToolbarPictures)
{
    QPointer<QWidget> a = main.openWindow(2), b = main.openWindow(4);
    // The window's own seven buttons (the toolkit adds hidden ones of its own).
    auto own = [](QWidget* w) {
        QList<QToolButton*> out;
        for (QToolButton* t : w->findChildren<QToolButton*>())
            if (!t->objectName().startsWith(QStringLiteral("qt_")))
                out.push_back(t);
        return out;
    };
    const auto first = own(a), second = own(b);
    ASSERT_EQ(first.size(), 7);
    ASSERT_EQ(second.size(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_FALSE(first[i]->icon().isNull()) << i;
        EXPECT_EQ(first[i]->icon().cacheKey(), second[i]->icon().cacheKey()) << i;
    }
}

} // namespace
} // namespace tarvel::test
