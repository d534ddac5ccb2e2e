// SPDX-License-Identifier: GPL-3.0-or-later
// Help from a calculator window: "Conteúdo e índice" (F1) opens the tutorial
// at the section on the window's own lines, and the tutorial's Back and
// Home buttons.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/Ajuda.h"
#include "app/forms.h"
#include "framework/ui/navigation.h"
#include "models/all_windows.h"
#include "tests/ui/main_window_fixture.h"

using namespace tarvel;
using namespace tarvel::ui;

namespace {

QString page()
{
    QFile f(QStringLiteral(TARVEL_SOURCE_DIR "/resources/principal.htm"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The tutorial open on the page of the source tree (the page beside the
// test executable is another test's business).
TForm10* tutorialOnThePage(TForm1& main)
{
    main.Tutorial1Click();
    auto* tutorial = qobject_cast<TForm10*>(Navigation::findOpen(Aux::Tutorial));
    if (tutorial)
        tutorial->findChild<QTextBrowser*>("WebBrowser1")
            ->setSource(QUrl::fromLocalFile(QStringLiteral(TARVEL_SOURCE_DIR "/resources/principal.htm")));
    return tutorial;
}

TEST(Help, EveryWindowHasASectionOfTheTutorial)
{
    const QString text = page();
    ASSERT_FALSE(text.isEmpty());
    for (const WindowDescription* d : allWindows()) {
        const QString anchor = TForm10::sectionOf(QString::fromStdString(d->unit));
        EXPECT_FALSE(anchor.isEmpty()) << d->unit;
        EXPECT_TRUE(text.contains(QStringLiteral("<a name=\"%1\">").arg(anchor))) << d->unit << " " << anchor.toStdString();
    }
    // A unit of each family finds its own lines, not a neighbour's.
    const std::pair<const char*, const char*> some[] = {
        {"CoaxAna", "coaxial"}, {"StLSinCd", "stripline"}, {"MstSinCd", "microstrip"}, {"AcSLSin", "acstrip"},
        {"AcMSMpAn", "acmicro"}, {"CPSCon", "cps"},         {"SlotAna", "slotline"},    {"BifiSin", "bifilar"}};
    for (const auto& [unit, anchor] : some)
        EXPECT_EQ(TForm10::sectionOf(unit), anchor) << unit;
}

class HelpKey : public test::MainWindowTest {};

TEST_F(HelpKey, F1OpensTheTutorialAtTheWindowsSection)
{
    ASSERT_TRUE(tutorialOnThePage(main));
    const std::pair<int, const char*> cases[] = {{3, "coaxial"}, {26, "acmicro"}, {11, "cpw"}};
    for (const auto& [n, anchor] : cases) {
        QWidget* w = main.openWindow(n);
        ASSERT_TRUE(w);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        QAction* contents = w->findChild<QAction*>("Contedoendice1");
        contents->setEnabled(true); // as after the first keystroke
        QApplication::setActiveWindow(w);
        QTest::keyClick(w, Qt::Key_F1);
        auto* tutorial = qobject_cast<TForm10*>(Navigation::findOpen(Aux::Tutorial));
        ASSERT_TRUE(tutorial) << n;
        auto* browser = tutorial->findChild<QTextBrowser*>("WebBrowser1");
        EXPECT_EQ(browser->source().fragment(), anchor) << n;
        EXPECT_GT(browser->verticalScrollBar()->value(), 0) << n; // scrolled down to it
        w->close();
    }
}

TEST_F(HelpKey, TutorialHasVisibleBackAndHome)
{
    ASSERT_TRUE(tutorialOnThePage(main));
    QWidget* w = main.openWindow(3);
    w->findChild<QAction*>("Contedoendice1")->setEnabled(true);
    static_cast<CalculatorWindow*>(w)->Contedoendice1Click();
    auto* tutorial = qobject_cast<TForm10*>(Navigation::findOpen(Aux::Tutorial));
    ASSERT_TRUE(tutorial);
    auto* browser = tutorial->findChild<QTextBrowser*>("WebBrowser1");
    auto* bar = tutorial->findChild<QToolBar*>("ToolBar1");
    ASSERT_TRUE(bar);
    EXPECT_TRUE(bar->isVisible());
    for (const char* name : {"Voltar1", "Inicio1"}) {
        QAction* a = tutorial->findChild<QAction*>(name);
        ASSERT_TRUE(a) << name;
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a));
        ASSERT_TRUE(button) << name;
        EXPECT_TRUE(button->isVisible()) << name;
        EXPECT_FALSE(button->text().isEmpty()) << name;
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon) << name;
    }
    QAction* back = tutorial->findChild<QAction*>("Voltar1");
    QAction* home = tutorial->findChild<QAction*>("Inicio1");
    ASSERT_EQ(browser->source().fragment(), "coaxial");
    EXPECT_TRUE(back->isEnabled());
    home->trigger();
    EXPECT_TRUE(browser->source().fragment().isEmpty());
    EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
    tutorial->showSection("stripline");
    back->trigger();
    EXPECT_TRUE(browser->source().fragment().isEmpty());
    back->trigger();
    EXPECT_EQ(browser->source().fragment(), "coaxial");
}

} // namespace
