// SPDX-License-Identifier: GPL-3.0-or-later
// What the program sets up at its start: the icon of every window, and the
// project files named on its command line.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QUrl>
#include <QFileInfo>

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

class CommandLine : public test::MainWindowTest {
protected:
    QTemporaryDir dir;

    // A project of window n, as "Salvar Como..." writes it with `first`
    // typed in its first stored field.
    QString saved(int n, const QString& name, const QString& first)
    {
        std::unique_ptr<CalculatorWindow> w(createCalculatorWindow(n));
        w->setControlText(firstField(*w), first);
        const QString path = dir.filePath(name);
        platform.saveAnswers = {path};
        w->SalvarComo1Click();
        EXPECT_TRUE(QFile::exists(path)) << name.toStdString();
        return path;
    }
    static QString firstField(const CalculatorWindow& w)
    {
        return QString::fromStdString(w.description().project.fields.front().name);
    }
    // The newest open window of number n.
    CalculatorWindow* opened(int n)
    {
        const QList<QWidget*> windows = Navigation::windowsOfNumber(n);
        return windows.isEmpty() ? nullptr : qobject_cast<CalculatorWindow*>(windows.last());
    }
};

TEST_F(CommandLine, EachProjectOpensInAWindowOfItsKind)
{
    const QString wire = saved(2, "linha.bfl", "1");
    // Two kinds share the "slt" extension; the size of the file tells them apart.
    const QString slot = saved(8, "fenda.slt", "2");
    const QString strip = saved(19, "fita.slt", "3");
    ASSERT_NE(QFileInfo(slot).size(), QFileInfo(strip).size());
    ASSERT_EQ(Navigation::windowsOfNumber(2).size() + Navigation::windowsOfNumber(8).size()
                  + Navigation::windowsOfNumber(19).size(),
              0);
    platform.boxes.clear();
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    // As a file manager gives them: a path, a name relative to the folder, an address.
    openProjectFiles(main, {wire, "fenda.slt", QUrl::fromLocalFile(strip).toString()});
    QDir::setCurrent(before);
    const struct {
        int window;
        QString path;
        const char* first;
    } want[] = {{2, wire, "1.00"}, {8, slot, "2"}, {19, strip, "3"}};
    for (const auto& c : want) {
        CalculatorWindow* w = opened(c.window);
        ASSERT_TRUE(w) << c.window;
        EXPECT_TRUE(w->isVisible()) << c.window;
        EXPECT_EQ(w->windowTitle(), "Antena[" + c.path + "]") << c.window;
        EXPECT_TRUE(w->controlText(firstField(*w)).startsWith(c.first)) << c.window;
    }
    for (const auto& b : platform.boxes)
        EXPECT_EQ(b.kind, "information") << b.text.toStdString(); // the compute's own warnings only
}

TEST_F(CommandLine, AFileOfNoKindOrUnreadableGetsTheUsualMessage)
{
    QFile text(dir.filePath("notas.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();
    const QString missing = dir.filePath("sumiu.bfl");
    openProjectFiles(main, {text.fileName(), missing});
    ASSERT_EQ(platform.boxes.size(), 2u);
    EXPECT_EQ(platform.boxes[0].kind, "warning");
    EXPECT_EQ(platform.boxes[0].text, QString::fromUtf8("Este programa não pode abrir este arquivo"));
    EXPECT_EQ(platform.boxes[1].kind, "error");
    EXPECT_EQ(platform.boxes[1].text,
              QString::fromUtf8("Não foi possível abrir o arquivo \"%1\". Nada foi alterado.").arg(missing));
    // The unreadable project's window stays, fresh, as after a refused "&Abrir".
    EXPECT_EQ(Navigation::windowsOfNumber(2).size(), 1);
}

} // namespace
