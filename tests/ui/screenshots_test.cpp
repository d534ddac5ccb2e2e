// SPDX-License-Identifier: GPL-3.0-or-later
// With TARVEL_SHOTS=<dir>, saves a picture of the main window, of every
// calculator window (computed from its first project example when one is
// given below) and its printed page, of each gallery tab, the tutorial and
// the about box, for a person to look at. Without it, the test does nothing.
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTabWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "app/About.h"
#include "app/Ajuda.h"
#include "app/Geome.h"
#include "app/principal.h"
#include "framework/core/calculator.h"
#include "app/forms.h"
#include "framework/ui/navigation.h"
#include "models/all_windows.h"
#include "scripted_platform.h"

using namespace tarvel;
using namespace tarvel::ui;

namespace {

// Inputs that compute, per window number (control, text).
const std::map<int, std::vector<std::pair<const char*, const char*>>>& examples()
{
    static const std::map<int, std::vector<std::pair<const char*, const char*>>> e = {
        {2, {{"Frequencia", "1"}, {"ComboBox2", "2.10 - PTFE: Polytetrafluoretileno"}, {"ComboBox1", "57600000 - Cu : Cobre"},
             {"Tanperda", "0.0001"}, {"Espacamento", "10"}, {"diametro", "1"}}},
        {16, {{"impedan", "300"}, {"Frequencia", "0.1"}, {"ComboBox2", "2.28"}, {"ComboBox1", "57600000"},
              {"Tanperda", "0.00015"}, {"Atentot", "0.05"}}},
        {3, {{"Frequencia", "1"}, {"ComboBox1", "57600000 - Cu : Cobre"}, {"ComboBox3", "2.28 - RG58C/U  - CuSn/PE"}}},
        {15, {{"impedancia", "50"}, {"Frequencia", "1"}, {"ComboBox2", "2.28"}, {"ComboBox1", "57600000"},
              {"Rigidez", "40"}, {"TanPerda", "0.00015"}, {"Atentotal", "0.5"}}},
        {4, {{"frequencia", "10"}, {"Combobox2", "2.20 - RT/duroid® 5880"}, {"Combobox1", "57600000"},
             {"largura", "2.4"}, {"ComboBox4", "0.79"}, {"ComboBox3", "35.0  µm ED(1 oz)"}}},
        {6, {{"frequencia", "10"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"}, {"CondMat", "0.001"},
             {"largura", "2.4"}, {"ComboBox4", "0.79"}, {"ComboBox3", "0.035"}}},
        {17, {{"frequencia", "10"}, {"Impedancia", "50"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"},
              {"Tanperda", "0.0009"}, {"ComboBox4", "0.79"}, {"ComboBox3", "0.035"}}},
        {18, {{"Impedancia", "50"}, {"frequencia", "10"}, {"constdiel", "2.2"}, {"condutividade", "57600000"},
              {"condsubs", "0.001"}, {"alturadiel", "0.79"}, {"espesfita", "0.035"}}},
        {8, {{"Frequencia", "3"}, {"ComboBox2", "10.2"}, {"ComboBox1", "1.27"}, {"Largura", "0.1"}}},
        {5, {{"Frequencia", "1"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"}, {"Tanperda", "0.0009"},
             {"Largura", "1"}, {"ComboBox4", "1.57"}, {"ComboBox3", "0.035"}}},
        {7, {{"Frequencia", "1"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"}, {"Condsubs", "0.001"},
             {"Largura", "1"}, {"ComboBox4", "1.57"}, {"ComboBox3", "0.035"}}},
        {19, {{"Impcarac", "50"}, {"Frequencia", "1"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"},
              {"Tanperda", "0.0009"}, {"ComboBox4", "1.57"}, {"ComboBox3", "0.035"}}},
        {22, {{"Impcarac", "50"}, {"Frequencia", "1"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"},
              {"Condsubs", "0.001"}, {"ComboBox4", "1.57"}, {"ComboBox3", "0.035"}}},
        {20, {{"Frequencia", "1"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"}, {"Tanperda", "0.0009"},
              {"Largura", "1"}, {"Separ", "0.5"}, {"ComboBox4", "1.57"}, {"ComboBox3", "0.035"}}},
        {27, {{"ImpModoPar", "60"}, {"ImpModoimpar", "40"}, {"Frequencia", "1"}, {"ComboBox2", "2.2"},
              {"ComboBox1", "57600000"}, {"Tanperda", "0.0009"}, {"ComboBox4", "1.57"}, {"ComboBox3", "0.035"}}},
        {26, {{"frequencia", "10"}, {"ComboBox2", "2.2"}, {"ComboBox1", "58000000"}, {"Tanperda", "0.0009"},
              {"largura", "2.4"}, {"Separacao", "0.5"}, {"ComboBox4", "0.79"}, {"ComboBox3", "0.035"}}},
        {29, {{"ImpModoPar", "60"}, {"ImpModoimpar", "40"}, {"Frequencia", "10"}, {"ComboBox2", "2.2"},
              {"ComboBox1", "57600000"}, {"Tanperda", "0.0009"}, {"ComboBox4", "0.79"}, {"ComboBox3", "0.035"}}},
        {11, {{"Frequencia", "10"}, {"ComboBox2", "2.20 - RT/duroid® 5880"}, {"ComboBox1", "57600000"},
              {"Largura", "1"}, {"Sep", "0.2"}, {"ComboBox4", "1.27"}, {"ComboBox3", "0.035"}}},
        {12, {{"Frequencia", "10"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"}, {"Condsubs", "0.001"},
              {"Largura", "1"}, {"Sep", "0.2"}, {"ComboBox4", "1.27"}, {"ComboBox3", "0.035"}}},
        {13, {{"Frequencia", "10"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"}, {"Tanperda", "0.0009"},
              {"Largura", "1"}, {"Sep", "0.5"}, {"ComboBox4", "1.27"}, {"ComboBox3", "0.035"}}},
        {14, {{"Frequencia", "10"}, {"ComboBox2", "2.2"}, {"ComboBox1", "57600000"}, {"Condsubs", "0.001"},
              {"Largura", "1"}, {"Sep", "0.5"}, {"ComboBox4", "1.27"}, {"ComboBox3", "0.035"}}},
    };
    return e;
}

// Types the window's example and computes it. A text that is a catalogue
// entry is picked, so its fills apply.
void computeExample(CalculatorWindow* w)
{
    const WindowDescription& d = w->description();
    for (const auto& [control, text] : examples().at(d.number)) {
        const InputSpec* input = d.input(control);
        const int entry = input ? effectivePick(*input, FieldState{text, -1}) : -1;
        if (entry > 0)
            w->pick(control, entry);
        else
            w->setControlText(control, QString::fromUtf8(text));
    }
    w->Calcular1Click();
}

TEST(Screenshots, SavedWhenAsked)
{
    const QString dir = qEnvironmentVariable("TARVEL_SHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set TARVEL_SHOTS to a folder to save the pictures";
    QDir().mkpath(dir);
    test::ScriptedPlatform platform;
    platform.printDir = dir;
    TForm1 main;
    main.show();
    main.grab().save(QDir(dir).filePath("TForm1.png"));
    for (const WindowDescription* d : allWindows()) {
        CalculatorWindow* w = createCalculatorWindow(d->number);
        w->show();
        if (examples().count(d->number))
            computeExample(w);
        w->grab().save(QDir(dir).filePath(QString::fromStdString(d->className) + ".png"));
        w->Imprimir2Click();
        QFile::rename(platform.printedFiles.last(), QDir(dir).filePath(QString::fromStdString(d->className) + ".pdf"));
        w->close();
    }

    // The gallery opened from computed windows: their own sections solved.
    for (int n : {4, 13, 26, 3}) {
        CalculatorWindow* w = createCalculatorWindow(n);
        w->show();
        computeExample(w);
        w->Geometria1Click();
        auto* own = qobject_cast<TForm9*>(Navigation::findOpen(Aux::Gallery));
        ASSERT_TRUE(own);
        QTRY_VERIFY_WITH_TIMEOUT(!own->solving(), 60000);
        own->grab().save(QDir(dir).filePath(QString("TForm9-from-TForm%1.png").arg(n)));
        own->close();
        w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TForm9 gallery;
    gallery.show();
    for (int tab = 0; tab < gallery.tabs()->count(); ++tab) {
        gallery.tabs()->setCurrentIndex(tab);
        gallery.grab().save(QDir(dir).filePath(QString("TForm9-%1.png").arg(tab)));
    }
    TForm10 tutorial;
    tutorial.resize(1000, 700);
    tutorial.show();
    tutorial.grab().save(QDir(dir).filePath("TForm10.png"));
    TAboutBox about;
    about.show();
    about.grab().save(QDir(dir).filePath("TAboutBox.png"));
}

} // namespace
