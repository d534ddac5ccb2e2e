// SPDX-License-Identifier: GPL-3.0-or-later
// A project reopens exactly as it was saved, in every window: values with
// more decimals than the window writes on open, and a copper thickness
// picked in micrometres, come back so that saving again gives the same bytes
// and computing gives the same results.
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/forms.h"
#include "models/all_windows.h"
#include "scripted_platform.h"
#include "test_windows.h"

using namespace tarvel;
using namespace tarvel::ui;
using tarvel::test::ScriptedPlatform;
using tarvel::test::readAll;
using tarvel::test::window;

namespace {

// A text typed, or (text nullptr) entry `entry` picked from the list.
struct Step {
    const char* control;
    const char* text;
    int entry;
};
Step typed(const char* c, const char* t) { return {c, t, -1}; }
Step picked(const char* c, int e) { return {c, nullptr, e}; }

struct Case {
    int window;
    std::vector<Step> steps;
};

// Entry 3 of every thickness list is "35.0 µm ED(1 oz)".
const Case cases[] = {
    {2, {typed("Frequencia", "0.2345"), typed("ComboBox2", "2.5432"), typed("ComboBox1", "41000000.5"),
         typed("Tanperda", "0.0004321"), typed("Espacamento", "6.5432"), typed("diametro", "0.8123")}},
    {16, {typed("impedan", "300.1234"), typed("Frequencia", "0.3"), picked("ComboBox2", 4),
          typed("ComboBox1", "57600000"), typed("Tanperda", "0.0003"), typed("Atentot", "0.0523")}},
    {3, {typed("Frequencia", "1.2345"), picked("ComboBox1", 3), picked("ComboBox3", 2), typed("Diaext", "2.9512")}},
    {15, {typed("impedancia", "50.1234"), typed("Frequencia", "1"), picked("ComboBox2", 4), picked("ComboBox1", 3),
          typed("Atentotal", "0.3")}},
    {4, {typed("frequencia", "10.1234"), picked("Combobox2", 1), picked("Combobox1", 3), typed("largura", "2.4567"),
         picked("ComboBox4", 7), picked("ComboBox3", 3)}},
    {6, {typed("frequencia", "5"), picked("ComboBox2", 3), picked("ComboBox1", 3), typed("CondMat", "0.000781"),
         typed("largura", "0.6123"), picked("ComboBox4", 5), picked("ComboBox3", 3)}},
    {17, {typed("frequencia", "2"), typed("Impedancia", "50.1234"), picked("ComboBox2", 6), picked("ComboBox1", 3),
          picked("ComboBox4", 8), picked("ComboBox3", 3)}},
    {18, {typed("Impedancia", "50.1234"), typed("frequencia", "2"), typed("constdiel", "10.2"),
          typed("condutividade", "57600000"), typed("condsubs", "0.00078"), typed("alturadiel", "0.635"),
          typed("espesfita", "0.0175")}},
    {8, {typed("Frequencia", "5.1234"), picked("ComboBox2", 1), picked("ComboBox1", 5), typed("Largura", "0.2")}},
    {5, {typed("Frequencia", "1.2345"), picked("ComboBox2", 1), picked("ComboBox1", 3), typed("Largura", "1.2345"),
         picked("ComboBox4", 10), picked("ComboBox3", 3)}},
    {7, {typed("Frequencia", "2"), picked("ComboBox2", 2), picked("ComboBox1", 2), typed("Condsubs", "0.000781"),
         typed("Largura", "1.2"), picked("ComboBox4", 9), picked("ComboBox3", 3)}},
    {19, {typed("Impcarac", "50.1234"), typed("Frequencia", "1"), picked("ComboBox2", 1), picked("ComboBox1", 3),
          picked("ComboBox4", 10), picked("ComboBox3", 3)}},
    {22, {typed("Impcarac", "50.1234"), typed("Frequencia", "1"), picked("ComboBox2", 1), picked("ComboBox1", 3),
          picked("ComboBox4", 10), picked("ComboBox3", 3)}},
    {20, {typed("Frequencia", "1.234"), picked("ComboBox2", 1), picked("ComboBox1", 3), typed("Largura", "1.23"),
          typed("Separ", "0.55"), picked("ComboBox4", 10), picked("ComboBox3", 3)}},
    {27, {typed("ImpModoPar", "60.1234"), typed("ImpModoimpar", "40"), typed("Frequencia", "2"),
          picked("ComboBox2", 1), picked("ComboBox1", 3), picked("ComboBox4", 10), picked("ComboBox3", 3)}},
    {26, {typed("frequencia", "10.123"), typed("ComboBox2", "2.2"), typed("ComboBox1", "5.8e7"),
          typed("Tanperda", "0.0009"), typed("largura", "2.4567"), typed("Separacao", "0.5123"),
          typed("ComboBox4", "0.79"), typed("ComboBox3", "0.035")}},
    {29, {typed("ImpModoPar", "60.1234"), typed("ImpModoimpar", "40"), typed("Frequencia", "2"),
          picked("ComboBox2", 1), picked("ComboBox1", 3), picked("ComboBox4", 7), picked("ComboBox3", 3)}},
    {11, {typed("Frequencia", "10.1234"), picked("ComboBox2", 6), picked("ComboBox1", 3), typed("Largura", "0.5123"),
          typed("Sep", "0.2123"), picked("ComboBox4", 5), picked("ComboBox3", 3)}},
    {12, {typed("Frequencia", "10.1234"), picked("ComboBox2", 6), picked("ComboBox1", 3),
          typed("Condsubs", "0.000781"), typed("Largura", "0.5123"), typed("Sep", "0.2123"), picked("ComboBox4", 5),
          picked("ComboBox3", 3)}},
    {13, {typed("Frequencia", "10.1234"), picked("ComboBox2", 6), picked("ComboBox1", 3), typed("Largura", "0.5123"),
          typed("Sep", "0.2123"), picked("ComboBox4", 5), picked("ComboBox3", 3)}},
    {14, {typed("Frequencia", "10.1234"), picked("ComboBox2", 6), picked("ComboBox1", 3),
          typed("Condsubs", "0.000781"), typed("Largura", "0.5123"), typed("Sep", "0.2123"), picked("ComboBox4", 5),
          picked("ComboBox3", 3)}},
};

// Result texts (and boxes) as plain strings, so a difference reads clearly.
std::vector<std::string> results(const CalculatorWindow& w)
{
    std::vector<std::string> out;
    for (const auto& r : w.description().results)
        out.push_back(w.controlText(QString::fromStdString(r.name)).toStdString());
    return out;
}

TEST(ProjectFiles, EveryWindowReopensWhatItSaved)
{
    ScriptedPlatform platform;
    QTemporaryDir dir;
    std::vector<int> seen;
    for (const Case& c : cases) {
        const WindowDescription& d = *findWindow(c.window);
        SCOPED_TRACE(d.className);
        seen.push_back(c.window);
        auto first = window(c.window);
        for (const Step& s : c.steps) {
            if (s.text)
                first->setControlText(s.control, QString::fromUtf8(s.text));
            else
                first->pick(s.control, s.entry);
        }
        platform.boxes.clear();
        first->Calcular1Click();
        const std::vector<std::string> computed = results(*first);
        ASSERT_FALSE(computed.front().empty()) << platform.texts().join("; ").toStdString();
        const std::string boxes = platform.texts().join("\n").toStdString();

        const QString once = dir.filePath(QStringLiteral("um%1.%2").arg(c.window).arg(QString::fromStdString(d.project.extension)));
        const QString twice = dir.filePath(QStringLiteral("dois%1.%2").arg(c.window).arg(QString::fromStdString(d.project.extension)));
        platform.saveAnswers = {once};
        first->SalvarComo1Click();

        auto second = window(c.window);
        platform.boxes.clear();
        platform.openAnswers = {once};
        second->Abrir1Click();
        if (!d.project.computeAfterOpen)
            second->Calcular1Click();
        EXPECT_EQ(results(*second), computed);
        EXPECT_EQ(platform.texts().join("\n").toStdString(), boxes);
        // A thickness picked in micrometres is that entry again, picked.
        for (const Step& s : c.steps) {
            if (!s.text && d.input(s.control)->entries[s.entry].find("µm") != std::string::npos) {
                EXPECT_EQ(second->findChild<QComboBox*>(s.control)->currentIndex(), s.entry) << s.control;
            }
        }

        platform.saveAnswers = {twice};
        second->SalvarComo1Click();
        const QByteArray bytes = readAll(once);
        EXPECT_EQ(bytes.size(), int(6 * d.project.fields.size()));
        EXPECT_EQ(readAll(twice), bytes);
    }
    EXPECT_EQ(seen.size(), allWindows().size());
}

} // namespace
