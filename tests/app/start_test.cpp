// What the program sets up at its start: the icon of every window, and the
// project files named on its command line.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/About.h"
#include "app/Ajuda.h"
#include "app/forms.h"
#include "app/start.h"
#include "framework/ui/calculator_window.h"
#include "models/all_windows.h"
#include "tests/ui/main_window_fixture.h"

using namespace tarvel;
using namespace tarvel::ui;

namespace {

// Opaque pixels in the icon drawn at `side` pixels.
int drawnPixels(const QIcon& icon, int side)
{
    const QImage image = icon.pixmap(side, side).toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 0;
    return n;
}

TEST(Icon, EveryWindowShowsTheProgramsIcon)
{
    // The built-in copy is drawn, at any size, and is the one in use where
    // no icon theme holds the installed one (as here).
    const QIcon builtIn(QStringLiteral(":/tarvel.svg"));
    for (int side : {16, 48, 128})
        EXPECT_GT(drawnPixels(builtIn, side), side * side / 8) << side;
    ASSERT_FALSE(QApplication::windowIcon().isNull());
    const QImage want = applicationIcon().pixmap(48, 48).toImage();
    EXPECT_EQ(QApplication::windowIcon().pixmap(48, 48).toImage(), want);
    TForm1 main;
    TAboutBox about;
    TForm10 tutorial;
    std::unique_ptr<CalculatorWindow> calc(createCalculatorWindow(3));
    for (QWidget* w : std::initializer_list<QWidget*>{&main, &about, &tutorial, calc.get()})
        EXPECT_EQ(w->windowIcon().pixmap(48, 48).toImage(), want) << w->objectName().toStdString();
}

} // namespace
