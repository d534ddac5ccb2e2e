// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop windows and tarvel-calc side by side: the same texts typed and
// catalogue entries picked in a window opened from the main menu and driven
// offscreen, and given to the built executable, must show the same result
// texts in the same order, the same warnings, check messages and faults, and
// write and read the same project files byte for byte.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "../cli/run_calc.h"
#include "app/principal.h"
#include "app/forms.h"
#include "framework/ui/navigation.h"
#include "models/all_windows.h"
#include "main_window_fixture.h"
#include "test_windows.h"

using namespace tarvel;
using namespace tarvel::ui;
using tarvel::test::ScriptedPlatform;
using tarvel::test::readAll;
using tarvel::testing::calc;
using tarvel::testing::Ran;
using tarvel::testing::Texts;

namespace {

// One thing the user does in an input control: types a text into it, or
// picks entry `entry` of its catalogue list (entry 0 of every list is blank).
struct Step {
    const char* control;
    const char* text; // nullptr for a pick
    int entry;
};
Step typed(const char* control, const char* text) { return {control, text, -1}; }
Step picked(const char* control, int entry) { return {control, nullptr, entry}; }

// What the same steps are on the command line: a typed text as it is, a pick
// as the entry's text (which fills its companions there as the pick does in
// the window, so a companion typed after a pick is given after it too).
Texts assignmentsOf(const WindowDescription& d, const std::vector<Step>& steps)
{
    Texts out;
    for (const Step& s : steps) {
        const InputSpec* input = d.input(s.control);
        EXPECT_TRUE(input) << d.className << " has no input " << s.control;
        if (!input)
            continue;
        if (s.text) {
            out.emplace_back(s.control, s.text);
        } else {
            EXPECT_LT(s.entry, int(input->entries.size())) << s.control;
            if (s.entry < int(input->entries.size())) {
                EXPECT_NE(input->entries[s.entry], "") << s.control << " entry " << s.entry;
                out.emplace_back(s.control, input->entries[s.entry]);
            }
        }
    }
    return out;
}

// What follows the first n lines of a text.
std::string afterLines(const std::string& s, std::size_t n)
{
    std::size_t at = 0;
    for (; n > 0 && at < s.size(); --n) {
        const std::size_t nl = s.find('\n', at);
        at = nl == std::string::npos ? s.size() : nl + 1;
    }
    return s.substr(at);
}

std::string utf8(const QString& s) { return s.toUtf8().toStdString(); }

// Every window under test comes from the main menu, as the user opens it.
class WindowVsCalc : public tarvel::test::MainWindowTest {
protected:
    CalculatorWindow* openFromMenu(int n)
    {
        for (const auto& e : TForm1::menuEntries())
            if (e.window == n) {
                QAction* item = main.findChild<QAction*>(e.name);
                if (!item)
                    return nullptr;
                item->trigger();
                return qobject_cast<CalculatorWindow*>(Navigation::instance().referenced(n));
            }
        return nullptr;
    }

    static QAction* command(CalculatorWindow* w, const char* name) { return w->findChild<QAction*>(name); }

    // A menu command as the user chooses it: only while it is enabled.
    static void choose(CalculatorWindow* w, const char* name)
    {
        QAction* a = command(w, name);
        ASSERT_TRUE(a) << name;
        ASSERT_TRUE(a->isEnabled()) << w->description().className << " " << name << " is disabled";
        a->trigger();
    }

    // Keys into an edit box or a combo box's line, a pick through the
    // combo's open list: the entry made current in the list and Return.
    static void perform(CalculatorWindow* w, const Step& s)
    {
        if (s.text) {
            QWidget* target = w->findChild<QLineEdit*>(s.control);
            if (auto* c = w->findChild<QComboBox*>(s.control))
                target = c->lineEdit();
            ASSERT_TRUE(target) << s.control;
            // What a pick filled in is rubbed out first.
            auto* line = static_cast<QLineEdit*>(target);
            QTest::keyClick(line, Qt::Key_End);
            for (qsizetype n = line->text().size(); n > 0; --n)
                QTest::keyClick(line, Qt::Key_Backspace);
            QTest::keyClicks(line, QString::fromUtf8(s.text));
            ASSERT_EQ(line->text(), QString::fromUtf8(s.text)) << s.control;
            return;
        }
        auto* c = w->findChild<QComboBox*>(s.control);
        ASSERT_TRUE(c) << s.control;
        c->showPopup();
        QAbstractItemView* list = c->view();
        list->setCurrentIndex(list->model()->index(s.entry, 0));
        QTest::keyClick(list, Qt::Key_Return);
        ASSERT_FALSE(list->isVisible()) << s.control;
        ASSERT_EQ(c->currentIndex(), s.entry) << s.control;
    }

    static void performAll(CalculatorWindow* w, const std::vector<Step>& steps)
    {
        for (const Step& s : steps) {
            perform(w, s);
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }

    // The result fields in the window's order, as the command line prints
    // them, then the boxes raised since `from`: information boxes are
    // warnings once results are written and a check message otherwise, an
    // error box an arithmetic fault.
    std::string shows(CalculatorWindow* w, std::size_t from) const
    {
        std::string s;
        bool results = false;
        for (const auto& r : w->description().results) {
            const QString text = w->controlText(QString::fromStdString(r.name));
            if (!text.isEmpty()) {
                s += r.name + "=" + utf8(text) + "\n";
                results = true;
            }
        }
        for (std::size_t i = from; i < platform.boxes.size(); ++i) {
            const auto& b = platform.boxes[i];
            const char* head = b.kind == "error" ? "fault: " : b.kind == "information" ? (results ? "warning: " : "message: ")
                                                                                         : "refused: ";
            s += head + utf8(b.text) + "\n";
        }
        return s;
    }

    // The input fields in the order of the project file, as "open" prints them.
    static std::string fileInputs(CalculatorWindow* w)
    {
        std::string s;
        for (const auto& f : w->description().project.fields)
            s += f.name + "=" + utf8(w->controlText(QString::fromStdString(f.name))) + "\n";
        return s;
    }
};

struct ComputeCase {
    const char* what;
    int window;
    std::vector<Step> steps;
    int exit;         // what tarvel-calc must end with: 0, 2 message, 3 fault
    std::size_t boxes; // boxes the window raises: warnings, or the one message or fault
};

const ComputeCase computeCases[] = {
    // Two-wire and coax.
    {"two-wire above 350 MHz warns", 2,
     {typed("Frequencia", "1"), picked("ComboBox2", 1), picked("ComboBox1", 3), typed("Espacamento", "10"),
      typed("diametro", "1")},
     0, 1},
    {"two-wire typed permittivity and loss", 2,
     {typed("Frequencia", "0.2"), typed("ComboBox2", "2.5"), typed("ComboBox1", "41000000"),
      typed("Tanperda", "0.0004"), typed("Espacamento", "6.5"), typed("diametro", "0.8")},
     0, 0},
    {"two-wire comma is no decimal point", 2, {typed("Frequencia", "2,5")}, 2, 1},
    {"two-wire spacing below the diameter", 2,
     {typed("Frequencia", "0.1"), typed("ComboBox2", "2.1"), typed("ComboBox1", "57600000"),
      typed("Tanperda", "0.0001"), typed("Espacamento", "1"), typed("diametro", "2")},
     2, 1},
    {"two-wire frequency past every real overflows", 2,
     {typed("Frequencia", "1e5000"), typed("ComboBox2", "2.1"), typed("ComboBox1", "1"), typed("Tanperda", "1"),
      typed("Espacamento", "10"), typed("diametro", "1")},
     3, 1},
    {"coax commercial cable fills diameters and material", 3,
     {typed("Frequencia", "1"), picked("ComboBox1", 3), picked("ComboBox3", 2)}, 0, 0},
    {"coax cable then another dielectric", 3,
     {typed("Frequencia", "0.5"), picked("ComboBox3", 7), picked("ComboBox2", 4), picked("ComboBox1", 1)}, 0, 0},
    {"coax above its cut-off", 3,
     {typed("Frequencia", "80"), picked("ComboBox1", 3), picked("ComboBox3", 1)}, 2, 1},
    {"coax synthesis", 15,
     {typed("impedancia", "50"), typed("Frequencia", "1"), picked("ComboBox2", 4), picked("ComboBox1", 3),
      typed("Atentotal", "0.3")},
     0, 0},
    {"two-wire synthesis", 16,
     {typed("impedan", "300"), typed("Frequencia", "0.3"), picked("ComboBox2", 4), typed("ComboBox1", "57600000"),
      typed("Atentot", "0.05")},
     0, 0},
    // Microstrip and slotline.
    {"microstrip with catalogue substrate, copper and foil", 4,
     {typed("frequencia", "10"), picked("Combobox2", 1), picked("Combobox1", 3), typed("largura", "2.4"),
      picked("ComboBox4", 7), picked("ComboBox3", 3)},
     0, 0},
    {"microstrip typed throughout", 4,
     {typed("frequencia", "3"), typed("Combobox2", "4.4"), typed("Combobox1", "5.8e7"), typed("Tanperda", "0.02"),
      typed("largura", "3"), typed("ComboBox4", "1.6"), typed("ComboBox3", "0.035")},
     0, 0},
    {"microstrip without loss tangent", 4,
     {typed("frequencia", "1e5000"), typed("Combobox2", "2.2"), typed("Combobox1", "57600000"),
      typed("largura", "1"), typed("ComboBox4", "0.79"), typed("ComboBox3", "0.035")},
     2, 1},
    {"microstrip frequency past every real overflows", 4,
     {typed("frequencia", "1e4000"), typed("Combobox2", "2.2"), typed("Combobox1", "57600000"),
      typed("Tanperda", "0.0009"), typed("largura", "1"), typed("ComboBox4", "0.79"), typed("ComboBox3", "0.035")},
     3, 1},
    {"microstrip on a conducting substrate", 6,
     {typed("frequencia", "5"), picked("ComboBox2", 3), picked("ComboBox1", 3), typed("largura", "0.6"),
      picked("ComboBox4", 5), picked("ComboBox3", 2)},
     0, 0},
    {"microstrip synthesis", 17,
     {typed("Impedancia", "50"), typed("frequencia", "2"), picked("ComboBox2", 6), picked("ComboBox1", 3),
      picked("ComboBox4", 8), picked("ComboBox3", 3)},
     0, 0},
    {"slotline with a substrate that names itself", 8,
     {typed("Frequencia", "5"), picked("ComboBox2", 1), picked("ComboBox1", 5), typed("Largura", "0.2")}, 0,
     0},
    {"slotline too thin for its wavelength warns", 8,
     {typed("Frequencia", "1"), picked("ComboBox2", 2), typed("ComboBox1", "0.64"), typed("Largura", "0.2")}, 0, 1},
    {"slotline frequency past every real", 8,
     {typed("Frequencia", "1e4000"), typed("ComboBox2", "10.2"), typed("ComboBox1", "0.64"),
      typed("Largura", "0.2")},
     3, 1},
    // Stripline.
    {"stripline", 5,
     {typed("Frequencia", "1"), picked("ComboBox2", 1), picked("ComboBox1", 3), typed("Largura", "1"),
      picked("ComboBox4", 10), picked("ComboBox3", 3)},
     0, 0},
    {"stripline on a conducting substrate", 7,
     {typed("Frequencia", "2"), picked("ComboBox2", 2), picked("ComboBox1", 2), typed("Largura", "1.2"),
      picked("ComboBox4", 9), picked("ComboBox3", 2)},
     0, 0},
    {"stripline synthesis", 19,
     {typed("Impcarac", "50"), typed("Frequencia", "1"), picked("ComboBox2", 1), picked("ComboBox1", 3),
      picked("ComboBox4", 10), picked("ComboBox3", 3)},
     0, 0},
    {"coupled stripline", 20,
     {typed("Frequencia", "1"), picked("ComboBox2", 1), picked("ComboBox1", 3), typed("Largura", "1"),
      typed("Separ", "0.5"), picked("ComboBox4", 10), picked("ComboBox3", 3)},
     0, 0},
    // Coupled microstrip.
    {"coupled microstrip", 26,
     {typed("frequencia", "10"), typed("ComboBox2", "2.2"), typed("ComboBox1", "5.8e7"), typed("Tanperda", "0.0009"),
      typed("largura", "2.4"), typed("Separacao", "0.5"), typed("ComboBox4", "0.79"), typed("ComboBox3", "0.035")},
     0, 0},
    {"coupled microstrip from the catalogue", 26,
     {typed("frequencia", "4"), picked("ComboBox2", 6), picked("ComboBox1", 4), typed("largura", "0.5"),
      typed("Separacao", "0.3"), picked("ComboBox4", 5), picked("ComboBox3", 2)},
     0, 0},
    {"coupled microstrip frequency past every real", 26,
     {typed("frequencia", "1e4000"), typed("ComboBox2", "2.2"), typed("ComboBox1", "57600000"),
      typed("Tanperda", "0.0009"), typed("largura", "1"), typed("Separacao", "0.5"), typed("ComboBox4", "0.79"),
      typed("ComboBox3", "0.035")},
     3, 1},
    {"coupled microstrip synthesis", 29,
     {typed("ImpModoPar", "60"), typed("ImpModoimpar", "40"), typed("Frequencia", "2"), picked("ComboBox2", 1),
      picked("ComboBox1", 3), picked("ComboBox4", 7), picked("ComboBox3", 3)},
     0, 0},
    {"coupled microstrip synthesis that does not converge warns", 29,
     {typed("ImpModoPar", "300"), typed("ImpModoimpar", "10"), typed("Frequencia", "2"), typed("ComboBox2", "2.2"),
      typed("ComboBox1", "57600000"), typed("Tanperda", "0.0009"), typed("ComboBox4", "0.79"),
      typed("ComboBox3", "0.035")},
     0, 1},
    // Coplanar.
    {"coplanar waveguide", 11,
     {typed("Frequencia", "10"), picked("ComboBox2", 6), picked("ComboBox1", 3), typed("Largura", "0.5"),
      typed("Sep", "0.2"), picked("ComboBox4", 5), picked("ComboBox3", 2)},
     0, 0},
    {"coplanar waveguide frequency past every real", 11,
     {typed("Frequencia", "1e4000"), typed("ComboBox2", "2.2"), typed("ComboBox1", "57600000"),
      typed("Tanperda", "0.0009"), typed("Largura", "1"), typed("Sep", "0.5"), typed("ComboBox4", "0.79"),
      typed("ComboBox3", "0.035")},
     3, 1},
    {"coplanar waveguide on a conducting substrate", 12,
     {typed("Frequencia", "10"), picked("ComboBox2", 6), picked("ComboBox1", 3), typed("Condsubs", "0.01"),
      typed("Largura", "0.5"), typed("Sep", "0.2"), picked("ComboBox4", 5), picked("ComboBox3", 2)},
     0, 0},
    {"coplanar strips", 13,
     {typed("Frequencia", "10"), picked("ComboBox2", 6), picked("ComboBox1", 3), typed("Largura", "0.5"),
      typed("Sep", "0.2"), picked("ComboBox4", 5), picked("ComboBox3", 2)},
     0, 0},
    {"coplanar strips without frequency", 13, {typed("ComboBox2", "10.2")}, 2, 1},
};

TEST_F(WindowVsCalc, ComputeShowsWhatTheCommandLinePrints)
{
    for (const auto& c : computeCases) {
        SCOPED_TRACE(c.what);
        const WindowDescription* d = findWindow(c.window);
        ASSERT_TRUE(d) << c.window;
        CalculatorWindow* w = openFromMenu(c.window);
        ASSERT_TRUE(w);
        performAll(w, c.steps);
        if (HasFatalFailure())
            return;
        const std::size_t before = platform.boxes.size();
        choose(w, "Calcular1");
        if (HasFatalFailure())
            return;
        const std::string window = shows(w, before);

        const Ran r = calc(tarvel::testing::withAssignments({d->className}, assignmentsOf(*d, c.steps)));
        EXPECT_EQ(r.out, window) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.exit, c.exit) << r.out;
        EXPECT_EQ(platform.boxes.size() - before, c.boxes) << window;
        if (r.exit == 0) {
            EXPECT_NE(window.find('='), std::string::npos) << "no result written";
        }
        w->close();
    }
}

struct FileCase {
    const char* what;
    int window;
    std::vector<Step> steps; // values that the file's decimals keep
};

const FileCase fileCases[] = {
    {"two-wire", 2,
     {typed("Frequencia", "1"), picked("ComboBox2", 2), picked("ComboBox1", 3), typed("Espacamento", "10"),
      typed("diametro", "1")}},
    {"two-wire synthesis", 16,
     {typed("impedan", "300"), typed("Frequencia", "0.3"), picked("ComboBox2", 4), typed("ComboBox1", "57600000"),
      typed("Tanperda", "0.001"), typed("Atentot", "0.5")}},
    {"coax with a commercial cable", 3, {typed("Frequencia", "1"), picked("ComboBox1", 3), picked("ComboBox3", 2)}},
    {"microstrip", 4,
     {typed("frequencia", "10"), picked("Combobox2", 1), picked("Combobox1", 3), typed("largura", "2.4"),
      picked("ComboBox4", 7), typed("ComboBox3", "0.035")}},
    {"slotline", 8,
     {typed("Frequencia", "5"), picked("ComboBox2", 1), picked("ComboBox1", 5), typed("Largura", "0.2")}},
    {"stripline synthesis, the other slt window", 19,
     {typed("Impcarac", "50"), typed("Frequencia", "1"), picked("ComboBox2", 1), picked("ComboBox1", 3),
      typed("Tanperda", "0.002"), picked("ComboBox4", 10), typed("ComboBox3", "0.035")}},
    {"stripline", 5,
     {typed("Frequencia", "1"), typed("ComboBox2", "2.2"), picked("ComboBox1", 3), typed("Tanperda", "0.0009"),
      typed("Largura", "1"), picked("ComboBox4", 10), typed("ComboBox3", "0.035")}},
    {"coupled microstrip", 26,
     {typed("frequencia", "10"), typed("ComboBox2", "2.2"), typed("ComboBox1", "5.8e7"), typed("Tanperda", "0.0009"),
      typed("largura", "2.4"), typed("Separacao", "0.5"), typed("ComboBox4", "0.79"), typed("ComboBox3", "0.04")}},
    {"coplanar waveguide", 11,
     {typed("Frequencia", "10"), picked("ComboBox2", 6), picked("ComboBox1", 3), typed("Largura", "0.5"),
      typed("Sep", "0.2"), picked("ComboBox4", 5), typed("ComboBox3", "0.018")}},
};

TEST_F(WindowVsCalc, ProjectFilesBothWays)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& c : fileCases) {
        SCOPED_TRACE(c.what);
        const WindowDescription* d = findWindow(c.window);
        ASSERT_TRUE(d) << c.window;
        const QString ext = QString::fromStdString(d->project.extension);
        const QString byWindow = dir.filePath(QStringLiteral("window%1.%2").arg(c.window).arg(ext));
        const QString byCalc = dir.filePath(QStringLiteral("calc%1.%2").arg(c.window).arg(ext));
        const Texts given = assignmentsOf(*d, c.steps);

        // Saved by the window after its compute.
        CalculatorWindow* saver = openFromMenu(c.window);
        ASSERT_TRUE(saver);
        performAll(saver, c.steps);
        if (HasFatalFailure())
            return;
        std::size_t before = platform.boxes.size();
        choose(saver, "Calcular1");
        const std::string computed = shows(saver, before);
        platform.saveAnswers = {byWindow};
        before = platform.boxes.size();
        choose(saver, "Salvar1");
        if (HasFatalFailure())
            return;
        EXPECT_EQ(platform.boxes.size(), before) << "the save raised a box";
        EXPECT_EQ(platform.saveProposals.last(), QString::fromStdString(d->project.defaultName));
        const QByteArray windowBytes = readAll(byWindow);
        EXPECT_EQ(windowBytes.size(), qsizetype(6 * d->project.fields.size()));

        // Saved by the command line from the same texts: the same bytes.
        const Ran saved = calc(tarvel::testing::withAssignments({"save", utf8(byCalc), d->className}, given));
        EXPECT_EQ(saved.exit, 0) << saved.out << saved.err;
        EXPECT_EQ(saved.out + saved.err, "");
        EXPECT_EQ(readAll(byCalc), windowBytes);

        // The window's file opened on the command line, where two windows
        // share the extension with the window named.
        std::vector<std::string> open = {"open", utf8(byWindow)};
        int sharing = 0;
        for (const auto* other : allWindows())
            sharing += other->project.extension == d->project.extension;
        if (sharing > 1)
            open.insert(open.end(), {"--window", d->className});
        const Ran opened = calc(open);
        EXPECT_EQ(opened.exit, 0) << opened.out << opened.err;

        // Each file opened in a new window, computed when the window does
        // not compute on opening: the inputs at the file's decimals and the
        // results are what "open" prints.
        for (const QString& path : {byWindow, byCalc}) {
            SCOPED_TRACE(utf8(path));
            CalculatorWindow* reader = openFromMenu(c.window);
            ASSERT_TRUE(reader);
            platform.openAnswers = {path};
            before = platform.boxes.size();
            choose(reader, "Abrir1");
            // A window that does not compute on opening leaves "&Calcular" as
            // it was; its compute is what "open" runs after reading.
            if (!d->project.computeAfterOpen)
                reader->Calcular1Click();
            if (HasFatalFailure())
                return;
            EXPECT_EQ(reader->windowTitle(), "Antena[" + path + "]");
            EXPECT_EQ(fileInputs(reader) + shows(reader, before), opened.out);
            reader->close();
        }
        // The texts typed keep their values in the file, so the results are
        // those the saving window computed.
        EXPECT_EQ(afterLines(opened.out, d->project.fields.size()), computed);
        saver->close();
    }
}

struct RefusedSave {
    const char* what;
    int window;
    std::vector<Step> steps;
    int exit; // 2: the field's check message, 1: a value too large for the file
};

const RefusedSave refusedSaves[] = {
    {"two-wire comma", 2, {typed("Frequencia", "2,5"), typed("diametro", "1")}, 2},
    {"microstrip word for a width", 4, {typed("frequencia", "10"), typed("largura", "abc")}, 2},
    {"coax cable list typed over", 3, {typed("Frequencia", "1"), typed("ComboBox3", "2,5")}, 2},
    {"coupled microstrip separation past the file's range", 26,
     {typed("frequencia", "10"), typed("Separacao", "1e39")}, 1},
};

// A save refused by the window (its box, nothing written) is refused on the
// command line with the same text and nothing written.
TEST_F(WindowVsCalc, RefusedSavesAgree)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& c : refusedSaves) {
        SCOPED_TRACE(c.what);
        const WindowDescription* d = findWindow(c.window);
        ASSERT_TRUE(d) << c.window;
        const QString ext = QString::fromStdString(d->project.extension);
        const QString byWindow = dir.filePath(QStringLiteral("refused%1.%2").arg(c.window).arg(ext));
        const QString byCalc = dir.filePath(QStringLiteral("refusedcalc%1.%2").arg(c.window).arg(ext));
        CalculatorWindow* w = openFromMenu(c.window);
        ASSERT_TRUE(w);
        performAll(w, c.steps);
        if (HasFatalFailure())
            return;
        platform.saveAnswers = {byWindow};
        const std::size_t before = platform.boxes.size();
        choose(w, "Salvar1");
        if (HasFatalFailure())
            return;
        ASSERT_EQ(platform.boxes.size(), before + 1);
        const auto& box = platform.boxes.back();
        EXPECT_EQ(box.kind, c.exit == 2 ? "information" : "error");
        EXPECT_FALSE(QFile::exists(byWindow));

        const Ran r = calc(tarvel::testing::withAssignments({"save", utf8(byCalc), d->className},
                                                            assignmentsOf(*d, c.steps)));
        EXPECT_EQ(r.exit, c.exit) << r.out << r.err;
        if (c.exit == 2) {
            EXPECT_EQ(r.out, "message: " + utf8(box.text) + "\n");
        } else {
            EXPECT_EQ(r.err, "tarvel-calc: " + utf8(box.text) + "\n");
        }
        EXPECT_FALSE(QFile::exists(byCalc));
        w->close();
    }
}

} // namespace
