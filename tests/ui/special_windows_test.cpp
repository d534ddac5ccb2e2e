// SPDX-License-Identifier: GPL-3.0-or-later
// The windows that depart from the generic behaviour.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "framework/ui/Dialog2.h"
#include "app/forms.h"
#include "framework/ui/navigation.h"
#include "app/CPWCon_window.h"
#include "scripted_platform.h"

using namespace tarvel::ui;

namespace {

std::unique_ptr<CalculatorWindow> open(int n)
{
    std::unique_ptr<CalculatorWindow> w(createCalculatorWindow(n));
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->show();
    return w;
}

bool on(QObject* w, const char* name)
{
    if (auto* a = w->findChild<QAction*>(name)) return a->isEnabled();
    if (auto* b = w->findChild<QWidget*>(name)) return b->isEnabled();
    ADD_FAILURE() << "no control " << name;
    return false;
}

TEST(CpwOnConductingSubstrate, OwnToolbarAndKeyRules)
{
    tarvel::test::ScriptedPlatform platform;
    auto w = open(12);
    // Open, save, new, compute, gallery, print, close.
    const char* buttons[] = {"SpeedButton9", "SpeedButton8", "SpeedButton10", "SpeedButton6",
                             "SpeedButton5", "SpeedButton4", "SpeedButton1"};
    for (const char* b : buttons) EXPECT_TRUE(w->findChild<QToolButton*>(b)) << b;
    EXPECT_FALSE(on(w.get(), "Tutorial1"));
    EXPECT_EQ(w->findChild<QGroupBox*>("GroupBox1")->title(), "Entrada de Dados:");
    CalculatorWindow::setCurrentFileName(12, "/tmp/x.cpc");
    QTest::keyClick(w->findChild<QLineEdit*>("Frequencia"), Qt::Key_1);
    EXPECT_EQ(CalculatorWindow::currentFileName(12), " ");
    for (const char* name : {"Novo1", "Salvar1", "SalvarComo1", "Imprimir1"}) EXPECT_TRUE(on(w.get(), name)) << name;
    for (const char* name : {"SpeedButton4", "SpeedButton8", "SpeedButton10", "Impcarac", "Label7"})
        EXPECT_FALSE(on(w.get(), name)) << name;
}

TEST(CpwOnConductingSubstrate, EarlyEnablingSurvivesALaterCheck)
{
    tarvel::test::ScriptedPlatform platform;
    auto w = open(12);
    w->setControlText("Frequencia", "10");
    w->setControlText("ComboBox2", "0.5");
    w->Calcular1Click();
    ASSERT_EQ(platform.texts().size(), 1);
    EXPECT_EQ(platform.texts()[0], QString::fromUtf8("Constante dielétrica relativa inválida!!"));
    for (const char* name : {"SpeedButton4", "SpeedButton8", "SpeedButton10", "Calcular1"})
        EXPECT_TRUE(on(w.get(), name)) << name;
    EXPECT_FALSE(on(w.get(), "Impcarac"));

    const std::pair<const char*, const char*> inputs[] = {{"ComboBox2", "2.2"}, {"ComboBox1", "57600000"},
                                                          {"Condsubs", "0.001"}, {"Largura", "1"}, {"Sep", "0.2"},
                                                          {"ComboBox4", "1.27"}, {"ComboBox3", "0.035"}};
    for (const auto& [name, text] : inputs) w->setControlText(name, text);
    platform.boxes.clear();
    w->Calcular1Click();
    EXPECT_TRUE(platform.boxes.empty()) << platform.texts().join(" | ").toStdString();
    for (const QString& name : TForm12::resultControls()) EXPECT_TRUE(on(w.get(), name.toLatin1())) << name.toStdString();
    EXPECT_FALSE(w->controlText("Impcarac").isEmpty());
    EXPECT_FALSE(on(w.get(), "Tutorial1")); // named controls only

    w->setWindowTitle("Antena[x]");
    w->Novo1Click();
    EXPECT_EQ(w->controlText("Impcarac"), "");
    EXPECT_EQ(w->controlText("ComboBox2"), ""); // first entry of each list
    EXPECT_EQ(w->windowTitle(), "Antena[x]");  // caption and toolbar untouched
    EXPECT_TRUE(on(w.get(), "SpeedButton8"));
    EXPECT_FALSE(on(w.get(), "Impcarac"));
    EXPECT_FALSE(on(w.get(), "Label16"));
}

TEST(CpwOnConductingSubstrate, NewGalleryEachTimeWithoutFlag)
{
    tarvel::test::ScriptedPlatform platform;
    Navigation::instance().clearAll();
    auto w = open(12);
    w->Geometria1Click();
    w->Geometria1Click();
    int galleries = 0;
    for (QWidget* t : QApplication::topLevelWidgets())
        if (t->isVisible() && t->property("auxKind").isValid() && t->property("auxKind").toInt() == int(Aux::Gallery)) {
            ++galleries;
            EXPECT_EQ(t->findChild<QTabWidget*>("TabbedNotebook1")->currentIndex(), 5);
            t->close();
        }
    EXPECT_EQ(galleries, 2);
    w->Sobre1Click();
    EXPECT_FALSE(Navigation::instance().flag(12));
    EXPECT_TRUE(on(w.get(), "Geometria1"));
    EXPECT_TRUE(on(w.get(), "Sobre1"));
    for (QWidget* t : QApplication::topLevelWidgets())
        if (t->isVisible() && t != w.get()) t->close();
}

TEST(MicrostripSynthesis, FrequencyKeyEnablesAFewCommands)
{
    tarvel::test::ScriptedPlatform platform;
    auto w = open(17);
    CalculatorWindow::setCurrentFileName(17, "/tmp/a.mcs");
    QTest::keyClick(w->findChild<QLineEdit*>("frequencia"), Qt::Key_5);
    EXPECT_EQ(CalculatorWindow::currentFileName(17), "/tmp/a.mcs");
    for (const char* name : {"Novo1", "Salvar1", "SalvarComo1", "Calcular1", "Imprimir1"})
        EXPECT_TRUE(on(w.get(), name)) << name;
    for (const char* name : {"SpeedButton4", "Contedoendice1", "Largura"}) EXPECT_FALSE(on(w.get(), name)) << name;
    QTest::keyClick(w->findChild<QLineEdit*>("Impedancia"), Qt::Key_5);
    EXPECT_TRUE(on(w.get(), "SpeedButton4"));
    EXPECT_EQ(CalculatorWindow::currentFileName(17), " ");
}

TEST(MicrostripSynthesis, ButtonOpensTheCommercialParameters)
{
    tarvel::test::ScriptedPlatform platform;
    auto w = open(18);
    auto* button = w->findChild<QPushButton*>("Button1");
    ASSERT_TRUE(button);
    EXPECT_EQ(button->text(), "...");
    button->click();
    auto* dialog = qobject_cast<TDialogMenu1*>(QApplication::activeModalWidget());
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(Navigation::instance().flag(18));
    dialog->pick("ComboBox4", 2);
    dialog->pick("ComboBox3", 6); // 0.79
    dialog->pick("ComboBox2", 2);
    dialog->pick("ComboBox1", 0); // 2.35, 0.00078
    dialog->OKBtnClick();
    EXPECT_FALSE(Navigation::instance().flag(18));
    EXPECT_EQ(w->controlText("espesfita"), "0.035");
    w->setControlText("Impedancia", "50");
    w->setControlText("frequencia", "10");
    w->Calcular1Click();
    EXPECT_TRUE(platform.boxes.empty()) << platform.texts().join(" | ").toStdString();
    EXPECT_FALSE(w->controlText("Largura").isEmpty());
}

} // namespace
