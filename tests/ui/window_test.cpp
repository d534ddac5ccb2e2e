// SPDX-License-Identifier: GPL-3.0-or-later
// The generic calculator window on the two-wire windows, driven offscreen.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/principal.h"
#include "framework/core/describe.h"
#include "framework/core/number_text.h"
#include "app/forms.h"
#include "framework/ui/navigation.h"
#include "scripted_platform.h"

using namespace tarvel;
using namespace tarvel::ui;
using tarvel::test::ScriptedPlatform;

namespace {

struct Window {
    std::unique_ptr<CalculatorWindow> w;
    explicit Window(int n) : w(createCalculatorWindow(n)) { w->setAttribute(Qt::WA_DeleteOnClose, false); w->show(); }
    ~Window() { w->close(); }
    QLineEdit* edit(const char* name) const { return w->findChild<QLineEdit*>(name); }
    QComboBox* combo(const char* name) const { return w->findChild<QComboBox*>(name); }
    QAction* action(const char* name) const { return w->findChild<QAction*>(name); }
    QToolButton* button(const char* name) const { return w->findChild<QToolButton*>(name); }
    void type(const char* name, const QString& text) const
    {
        QWidget* target = edit(name);
        if (!target) target = combo(name)->lineEdit();
        QTest::keyClicks(target, text);
    }
    QString text(const char* name) const { return w->controlText(name); }
};

TEST(CalculatorWindow, FreshStateAndFirstKeystroke)
{
    ScriptedPlatform platform;
    Window t(2);
    EXPECT_FALSE(t.action("Calcular1")->isEnabled());
    EXPECT_FALSE(t.button("SpeedButton4")->isEnabled());
    for (const char* name : {"Novo1", "Salvar1", "SalvarComo1", "Imprimir1", "Contedoendice1"})
        EXPECT_FALSE(t.action(name)->isEnabled()) << name;
    for (const char* name : {"Abrir1", "Sair1", "Geometria1", "Tutorial1", "Sobre1"})
        EXPECT_TRUE(t.action(name)->isEnabled()) << name;
    for (const char* name : {"SpeedButton1", "SpeedButton5", "SpeedButton7"})
        EXPECT_TRUE(t.button(name)->isEnabled()) << name;
    for (const char* name : {"SpeedButton2", "SpeedButton3", "SpeedButton6"})
        EXPECT_FALSE(t.button(name)->isEnabled()) << name;
    auto* group = t.w->findChild<QGroupBox*>("GroupBox2");
    ASSERT_TRUE(group);
    EXPECT_EQ(group->title(), "Resultados:");
    for (auto* l : group->findChildren<QLabel*>()) EXPECT_FALSE(l->isEnabled());
    EXPECT_FALSE(t.edit("impedancia")->isEnabled());

    // Arrow and function keys are no characters.
    QTest::keyClick(t.edit("Frequencia"), Qt::Key_Left);
    QTest::keyClick(t.edit("Frequencia"), Qt::Key_F5);
    EXPECT_FALSE(t.action("Calcular1")->isEnabled());
    // A key in another field does not activate the window.
    t.type("diametro", "1");
    EXPECT_FALSE(t.action("Calcular1")->isEnabled());

    QTest::keyClick(t.edit("Frequencia"), Qt::Key_Backspace);
    EXPECT_TRUE(t.action("Calcular1")->isEnabled());
    for (const char* name : {"SalvarComo1", "Imprimir1", "Novo1", "Contedoendice1"})
        EXPECT_TRUE(t.action(name)->isEnabled()) << name;
    EXPECT_TRUE(t.button("SpeedButton4")->isEnabled());
    for (auto* l : group->findChildren<QLabel*>()) EXPECT_TRUE(l->isEnabled());
    EXPECT_EQ(CalculatorWindow::currentFileName(2), " ");
}

TEST(CalculatorWindow, RefusedCheckWritesNothing)
{
    ScriptedPlatform platform;
    Window t(2);
    t.type("Frequencia", "x");
    QTest::keyClick(t.edit("Frequencia"), Qt::Key_Backspace);
    t.w->Calcular1Click();
    EXPECT_EQ(platform.texts(), QStringList{QString::fromUtf8("Freqüência Inválida!!")});
    EXPECT_EQ(platform.boxes[0].kind, "information");
    EXPECT_EQ(t.text("impedancia"), "");
}

void enterWorkedExample(const Window& t)
{
    t.type("Frequencia", "1");
    t.w->pick("ComboBox2", 1); // "2.10 - PTFE: Polytetrafluoretileno"
    t.type("ComboBox1", "57600000");
    t.edit("Tanperda")->setText("0.0001");
    t.type("Espacamento", "10");
    t.type("diametro", "1");
}

TEST(CalculatorWindow, ComputeWritesFourDecimalsThenWarns)
{
    ScriptedPlatform platform;
    Window t(2);
    enterWorkedExample(t);
    EXPECT_EQ(t.text("ComboBox2"), "2.10 - PTFE: Polytetrafluoretileno");
    EXPECT_EQ(t.text("Tanperda"), "0.0001");
    t.w->Calcular1Click();
    const std::pair<const char*, const char*> want[] = {
        {"impedancia", "247.8624"}, {"indutancia", "1198.2929"}, {"capacitancia", "19.4989"},
        {"Resistividade", "0.0083"}, {"resistencia", "5.2970"},  {"condutancia", "12.2450"},
        {"AtenCond", "0.9154"},      {"AtenDiel", "0.0132"},      {"Atentotal", "0.9286"}};
    for (const auto& [name, text] : want)
        EXPECT_EQ(t.text(name), text) << name;
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_TRUE(platform.boxes[0].text.startsWith(QString::fromUtf8("Freqüência Elevada")));
    EXPECT_TRUE(t.edit("impedancia")->isEnabled());
}

// The window's menu keys reach their commands from inside an edit box,
// where Ctrl+C and Ctrl+A would otherwise copy and select; with the command
// disabled the box keeps the key.
TEST(CalculatorWindow, MenuKeysWorkFromInsideAnEditBox)
{
    ScriptedPlatform platform;
    Window t(2);
    QApplication::setActiveWindow(t.w.get());
    QLineEdit* line = t.edit("diametro");
    line->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return line->hasFocus(); }, 1000));
    line->setText("12");
    QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier); // Abrir, cancelled by the script
    EXPECT_EQ(platform.openFilters.size(), 1);
    EXPECT_TRUE(line->selectedText().isEmpty());
    line->clear();

    ASSERT_FALSE(t.action("Calcular1")->isEnabled());
    QTest::keyClick(line, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(t.text("impedancia"), "");
    enterWorkedExample(t);
    line->setFocus();
    QTest::keyClick(line, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(t.text("impedancia"), "247.8624");
}

TEST(CalculatorWindow, NovoResetsButKeepsCombosAndMenu)
{
    ScriptedPlatform platform;
    Window t(2);
    enterWorkedExample(t);
    t.w->Calcular1Click();
    t.w->setWindowTitle("Antena[x]");
    t.w->Novo1Click();
    for (const char* name : {"Frequencia", "Tanperda", "Espacamento", "diametro", "impedancia", "Atentotal"})
        EXPECT_EQ(t.text(name), "") << name;
    EXPECT_EQ(t.text("ComboBox2"), "2.10 - PTFE: Polytetrafluoretileno");
    EXPECT_EQ(t.text("ComboBox1"), "57600000");
    EXPECT_EQ(t.w->windowTitle(), QString::fromUtf8("Análise de Linha de Transmissão Bifilar"));
    for (const char* name : {"SpeedButton2", "SpeedButton3", "SpeedButton4", "SpeedButton6"})
        EXPECT_FALSE(t.button(name)->isEnabled()) << name;
    EXPECT_TRUE(t.action("Calcular1")->isEnabled());
    EXPECT_TRUE(t.action("Salvar1")->isEnabled());
    for (auto* l : t.w->findChild<QGroupBox*>("GroupBox2")->findChildren<QLabel*>()) EXPECT_FALSE(l->isEnabled());
    EXPECT_FALSE(t.edit("impedancia")->isEnabled());
}

TEST(CalculatorWindow, PickFillsTheLossFieldTypingDoesNot)
{
    ScriptedPlatform platform;
    Window t(2);
    t.w->pick("ComboBox2", 5);
    EXPECT_EQ(t.text("Tanperda"), "0.00550");
    t.w->pick("ComboBox2", 0);
    EXPECT_EQ(t.text("Tanperda"), " ");
    t.edit("Tanperda")->setText("0.0002");
    t.combo("ComboBox2")->lineEdit()->clear();
    t.type("ComboBox2", "3.5");
    EXPECT_EQ(t.text("Tanperda"), "0.0002");
    // The typed value is what the compute reads.
    t.type("Frequencia", "0.1");
    t.type("ComboBox1", "57600000");
    t.type("Espacamento", "10");
    t.type("diametro", "1");
    t.w->Calcular1Click();
    EXPECT_EQ(t.text("capacitancia"), QString::fromStdString(resultText(27.816L * 3.5L / std::log(20.0L))));
}

// A catalogue box keeps what is typed into it: "1" in the height box is
// 1 mm, not the first entry that starts with "1" (1.27), even with the focus
// on the box, where a completer would fill in the rest.
TEST(CalculatorWindow, TypedTextInACatalogueBoxIsNotCompleted)
{
    ScriptedPlatform platform;
    struct Case {
        int window;
        const char* box;
        const char* typed;
    } cases[] = {{4, "ComboBox4", "1"}, {4, "ComboBox3", "3"}, {2, "ComboBox2", "2"}, {3, "ComboBox3", "2.2"}};
    for (const auto& c : cases) {
        Window t(c.window);
        QApplication::setActiveWindow(t.w.get());
        QLineEdit* line = t.combo(c.box)->lineEdit();
        line->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return line->hasFocus(); }, 1000));
        QTest::keyClicks(line, c.typed);
        EXPECT_EQ(t.text(c.box).toStdString(), c.typed) << c.window << " " << c.box;
    }
}

// The small figures of a caption sit in the gap after their anchor: the
// slotline's mode index "10" below the baseline of "TE", a power of ten
// above the baseline of "x10".
TEST(CalculatorWindow, SmallFiguresSitBelowOrAboveTheCaption)
{
    ScriptedPlatform platform;
    struct Case {
        int window;
        const char* suffix;
        bool lowered;
    } cases[] = {{8, "Lowered", true}, {3, "Raised", false}};
    for (const auto& c : cases) {
        Window t(c.window);
        t.w->resize(t.w->sizeHint());
        QApplication::processEvents();
        QLabel* figure = nullptr;
        for (QLabel* l : t.w->findChildren<QLabel*>())
            if (l->objectName().endsWith(c.suffix)) figure = l;
        ASSERT_TRUE(figure) << c.window;
        auto* caption = qobject_cast<QLabel*>(figure->parentWidget());
        ASSERT_TRUE(caption);
        const QFontMetrics big(caption->font()), small(figure->font());
        const QRect r = caption->contentsRect();
        const int baseline = r.top() + (r.height() - big.height()) / 2 + big.ascent();
        const int figureBaseline = figure->y() + small.ascent();
        if (c.lowered) {
            EXPECT_GT(figureBaseline, baseline) << c.window;
        } else {
            EXPECT_LT(figureBaseline, baseline - big.ascent() / 3) << c.window;
        }
        // In the gap, not over the words of the caption.
        EXPECT_GT(figure->x(), big.horizontalAdvance(caption->text().left(caption->text().indexOf(c.lowered ? "TE" : "x10"))));
        EXPECT_LT(figure->geometry().bottom(), caption->height() + 2);
    }
}

TEST(CalculatorWindow, WindowsOfAKindShareTheFileName)
{
    ScriptedPlatform platform;
    Window a(2), b(2);
    CalculatorWindow::setCurrentFileName(2, "/tmp/shared.bfl");
    EXPECT_EQ(CalculatorWindow::currentFileName(2), "/tmp/shared.bfl");
    Window c(2); // creating a window blanks the name of its kind
    EXPECT_EQ(CalculatorWindow::currentFileName(2), " ");
    EXPECT_EQ(CalculatorWindow::currentFileName(16), " ");
}

Outcome faultyModel(const Inputs& in) { return Outcome().set("r", 1 / in["x"]); }

TEST(CalculatorWindow, ArithmeticFaultChangesNothing)
{
    ScriptedPlatform platform;
    WindowDescription d;
    d.number = 30;
    d.className = "TForm30";
    d.caption = "Janela de teste";
    d.inputs = {describe::edit("x", "x:")};
    d.results = {describe::result("r", "r:")};
    d.keyFields = {"x"};
    d.model = faultyModel;
    CalculatorWindow w(d);
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.setControlText("r", "7.0000");
    auto* x = w.findChild<QLineEdit*>("x");
    x->setText("0");
    w.Calcular1Click();
    EXPECT_EQ(platform.texts(), QStringList{"Floating point division by zero"});
    EXPECT_EQ(platform.boxes[0].kind, "error");
    EXPECT_EQ(w.controlText("r"), "7.0000");
    EXPECT_FALSE(w.findChild<QLineEdit*>("r")->isEnabled());
    EXPECT_FALSE(w.findChild<QAction*>("Novo1")->isEnabled());
    x->setText("4");
    w.Calcular1Click();
    EXPECT_EQ(w.controlText("r"), "0.2500");
    EXPECT_TRUE(w.findChild<QAction*>("Novo1")->isEnabled());
}

TEST(CalculatorWindow, FecharDestroysAndClosesTheGalleryWhereMarked)
{
    ScriptedPlatform platform;
    TForm1 main;
    main.show();
    QPointer<QWidget> w = main.openWindow(2);
    ASSERT_TRUE(w);
    static_cast<CalculatorWindow*>(w.data())->Sair1Click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
}

TEST(MainWindow, MenuTreeOpensNewWindowsEachTime)
{
    ScriptedPlatform platform;
    TForm1 main;
    EXPECT_EQ(QApplication::applicationName(), "Projeto Tarvel 98");
    EXPECT_EQ(main.centralWidget()->size(), QSize(620, 197));
    for (const auto& e : TForm1::menuEntries()) {
        QObject* item = e.window ? static_cast<QObject*>(main.findChild<QAction*>(e.name))
                                 : static_cast<QObject*>(main.findChild<QMenu*>(e.name));
        EXPECT_TRUE(item) << e.name;
    }
    for (const char* name : {"Geometria1", "Tutorial1", "Sobre1", "Sair1"})
        EXPECT_TRUE(main.findChild<QAction*>(name)) << name;
    QAction* bifilar = main.findChild<QAction*>("bifilar");
    bifilar->trigger();
    QWidget* first = Navigation::instance().referenced(2);
    bifilar->trigger();
    QWidget* second = Navigation::instance().referenced(2);
    const auto windows = Navigation::windowsOfNumber(2);
    EXPECT_EQ(windows.size(), 2);
    EXPECT_NE(first, second); // the newest window is the referenced one
    EXPECT_TRUE(windows.contains(first) && windows.contains(second));
    for (QWidget* w : windows) {
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Análise de Linha de Transmissão Bifilar"));
        w->close();
    }
}

TEST(MainWindow, SairEndsTheProgramWithWindowsOpen)
{
    ScriptedPlatform platform;
    auto* main = new TForm1;
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->show();
    main->openWindow(2);
    main->openWindow(16);
    QTimer::singleShot(0, main, [main] { main->Sair1Click(); });
    QTimer::singleShot(5000, [] { QApplication::exit(1); }); // never hang the suite
    EXPECT_EQ(QApplication::exec(), 0);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}

} // namespace
