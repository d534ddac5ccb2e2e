// SPDX-License-Identifier: GPL-3.0-or-later
// The window's keys win in every control of every window, and every result
// can still be copied through its box's context menu.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include "models/all_windows.h"
#include "scripted_platform.h"
#include "test_windows.h"

using namespace tarvel;
using namespace tarvel::ui;
using tarvel::test::ScriptedPlatform;
using tarvel::test::window;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// Focuses a control as a click would: the window active, the control (a
// combo box, not its edit box) holding the focus.
bool focus(QWidget* control)
{
    QApplication::setActiveWindow(control->window());
    control->setFocus();
    return QTest::qWaitFor([&] { return control->hasFocus(); }, 1000);
}

TEST(MenuKeys, CtrlAOpensAndCtrlCComputesFromEveryControlOfEveryWindow)
{
    ScriptedPlatform platform;
    for (const WindowDescription* d : allWindows()) {
        auto w = window(d->number);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        QAction* open = w->findChild<QAction*>("Abrir1");
        QAction* calc = w->findChild<QAction*>("Calcular1");
        int opened = 0, computed = 0;
        QObject::connect(open, &QAction::triggered, [&] { ++opened; });
        QObject::connect(calc, &QAction::triggered, [&] { ++computed; });
        w->setNamedEnabled({"Calcular1"}, true);
        for (const InputSpec& input : d->inputs) {
            QWidget* control = w->findChild<QWidget*>(q(input.name));
            ASSERT_TRUE(control) << d->className << " " << input.name;
            ASSERT_TRUE(focus(control)) << d->className << " " << input.name;
            const QString before = w->controlText(q(input.name));
            const int o = opened, c = computed;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            EXPECT_EQ(opened, o + 1) << d->className << " " << input.name;
            if (d->calcShortcut) {
                // A compute's message box may take the focus back elsewhere.
                ASSERT_TRUE(focus(control));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
                EXPECT_EQ(computed, c + 1) << d->className << " " << input.name;
            }
            if (auto* combo = qobject_cast<QComboBox*>(control)) {
                EXPECT_FALSE(combo->lineEdit()->hasSelectedText()) << d->className << " " << input.name;
            }
        }
        w->close();
    }
}

// The copy of a result's context menu, in every window.
TEST(MenuKeys, EveryResultIsCopiedFromItsContextMenu)
{
    ScriptedPlatform platform;
    for (const WindowDescription* d : allWindows()) {
        auto w = window(d->number);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        for (const ResultSpec& r : d->results) {
            auto* box = w->findChild<QLineEdit*>(q(r.name));
            ASSERT_TRUE(box) << d->className << " " << r.name;
            box->setText("123.4567"); // as a compute writes it
            box->setEnabled(true);
            box->selectAll();
            QApplication::clipboard()->clear();
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(box, &event);
            QMenu* menu = nullptr;
            (void)QTest::qWaitFor([&] { return menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()); }, 2000);
            ASSERT_TRUE(menu) << d->className << " " << r.name;
            // The edit box's own copy entry, in the program's language (it
            // shows no key where Ctrl+C is the window's "&Calcular").
            const QString copy = QCoreApplication::translate("QLineEdit", "&Copy");
            bool copyEnabled = false;
            for (QAction* a : menu->actions())
                if (a->text() == copy || a->text().startsWith(copy + QLatin1Char('\t'))) {
                    copyEnabled = a->isEnabled();
                    a->trigger();
                }
            menu->close();
            (void)QTest::qWaitFor([] { return !QApplication::clipboard()->text().isEmpty(); }, 1000);
            EXPECT_TRUE(copyEnabled) << d->className << " " << r.name;
            EXPECT_EQ(QApplication::clipboard()->text(), "123.4567") << d->className << " " << r.name;
        }
        w->close();
    }
}

} // namespace
