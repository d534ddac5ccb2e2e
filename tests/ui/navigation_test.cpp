// SPDX-License-Identifier: GPL-3.0-or-later
// Caller flags and the hand-back walk between calculator windows, the main
// window and the auxiliary windows.
#include <QAction>
#include <QApplication>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/principal.h"
#include "app/forms.h"
#include "framework/ui/navigation.h"
#include "main_window_fixture.h"

using namespace tarvel::ui;

namespace {

struct Fixture : tarvel::test::MainWindowTest {
    static bool enabled(QWidget* w, const char* action) { return w->findChild<QAction*>(action)->isEnabled(); }
    static bool buttonEnabled(QWidget* w) { return w->findChild<QToolButton*>("SpeedButton5")->isEnabled(); }
    static void closeAux(Aux kind)
    {
        QWidget* aux = Navigation::findOpen(kind);
        ASSERT_TRUE(aux);
        aux->close();
    }
};

TEST_F(Fixture, MainWindowGallery)
{
    main.Geometria1Click();
    EXPECT_TRUE(Navigation::instance().flag(1));
    EXPECT_FALSE(enabled(&main, "Geometria1"));
    closeAux(Aux::Gallery);
    EXPECT_TRUE(enabled(&main, "Geometria1"));
    EXPECT_FALSE(Navigation::instance().flag(1));
}

TEST_F(Fixture, TwoCallersBothGetTheGalleryBack)
{
    auto* a = static_cast<CalculatorWindow*>(main.openWindow(2));
    auto* c = static_cast<CalculatorWindow*>(main.openWindow(16));
    a->Geometria1Click();
    c->Geometria1Click();
    int galleries = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        galleries += w->isVisible() && w->property("auxKind").isValid() && w->property("auxKind").toInt() == 0;
    EXPECT_EQ(galleries, 1);
    EXPECT_FALSE(enabled(a, "Geometria1"));
    EXPECT_TRUE(buttonEnabled(a)); // the button stays enabled while the gallery is open
    EXPECT_FALSE(enabled(c, "Geometria1"));
    closeAux(Aux::Gallery);
    for (QWidget* w : {static_cast<QWidget*>(a), static_cast<QWidget*>(c)}) {
        EXPECT_TRUE(enabled(w, "Geometria1"));
        EXPECT_TRUE(buttonEnabled(w));
    }
}

TEST_F(Fixture, OneFlagServesAllKinds)
{
    auto* w = static_cast<CalculatorWindow*>(main.openWindow(2));
    w->Geometria1Click();
    w->Sobre1Click();
    EXPECT_FALSE(enabled(w, "Sobre1"));
    closeAux(Aux::About);
    EXPECT_TRUE(enabled(w, "Sobre1"));
    EXPECT_FALSE(Navigation::instance().flag(2));
    EXPECT_FALSE(enabled(w, "Geometria1")); // the flag is gone: the gallery's close hands nothing back
    closeAux(Aux::Gallery);
    EXPECT_FALSE(enabled(w, "Geometria1"));
}

TEST_F(Fixture, ClosingOneAboutBoxHandsBackToEveryFlaggedCaller)
{
    auto* w = static_cast<CalculatorWindow*>(main.openWindow(16));
    main.Sobre1Click();
    w->Sobre1Click();
    int boxes = 0;
    for (QWidget* t : QApplication::topLevelWidgets())
        boxes += t->isVisible() && t->property("auxKind").toInt() == 2 && t->property("auxKind").isValid();
    EXPECT_EQ(boxes, 2); // each opening makes a new box
    closeAux(Aux::About);
    EXPECT_TRUE(enabled(&main, "Sobre1"));
    EXPECT_TRUE(enabled(w, "Sobre1"));
}

TEST_F(Fixture, EveryWindowOfAFlaggedNumberGetsItsCommandBack)
{
    auto* older = static_cast<CalculatorWindow*>(main.openWindow(2));
    auto* newer = static_cast<CalculatorWindow*>(main.openWindow(2));
    EXPECT_EQ(Navigation::instance().referenced(2), newer);
    older->Geometria1Click();
    EXPECT_FALSE(enabled(older, "Geometria1"));
    closeAux(Aux::Gallery);
    EXPECT_TRUE(enabled(older, "Geometria1"));
    EXPECT_TRUE(enabled(newer, "Geometria1"));
}

TEST_F(Fixture, WalkSkipsClosedWindowsAndTutorialIsShared)
{
    auto* w = static_cast<CalculatorWindow*>(main.openWindow(2));
    w->Tutorial1Click();
    QWidget* tutorial = Navigation::findOpen(Aux::Tutorial);
    ASSERT_TRUE(tutorial);
    EXPECT_TRUE(tutorial->windowState() & Qt::WindowMaximized);
    main.Tutorial1Click();
    EXPECT_EQ(Navigation::findOpen(Aux::Tutorial), tutorial);
    w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Navigation::instance().referenced(2), nullptr);
    closeAux(Aux::Tutorial);
    EXPECT_TRUE(enabled(&main, "Tutorial1"));
    EXPECT_TRUE(Navigation::instance().flag(2)); // no open window 2: its flag stays
}

TEST_F(Fixture, GalleryTabFollowsTheCaller)
{
    auto* w = static_cast<CalculatorWindow*>(main.openWindow(16));
    main.Geometria1Click();
    auto* tabs = Navigation::findOpen(Aux::Gallery)->findChild<QTabWidget*>("TabbedNotebook1");
    tabs->setCurrentIndex(1);
    w->Geometria1Click();
    EXPECT_EQ(tabs->currentIndex(), 0); // the two-wire tab
    tabs->setCurrentIndex(4);
    main.Geometria1Click();
    EXPECT_EQ(tabs->currentIndex(), 4); // the main window leaves the tab alone
}

} // namespace
