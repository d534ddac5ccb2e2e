// SPDX-License-Identifier: GPL-3.0-or-later
// A test that starts from the main window, as the program does, with the
// scripted platform standing in for every box and dialog; whatever the test
// opened is closed again and the caller flags are cleared.
#pragma once
#include <QApplication>
#include <QEvent>

#include <gtest/gtest.h>

#include "app/principal.h"
#include "framework/ui/navigation.h"
#include "scripted_platform.h"

namespace tarvel::test {

class MainWindowTest : public ::testing::Test {
protected:
    ScriptedPlatform platform;
    ui::TForm1 main;

    void SetUp() override
    {
        ui::Navigation::instance().clearAll();
        main.show();
    }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &main && w->isVisible())
                w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::Navigation::instance().clearAll();
    }
};

} // namespace tarvel::test
