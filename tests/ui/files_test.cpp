// SPDX-License-Identifier: GPL-3.0-or-later
// Project files through the window: dialogs, captions, bytes, refusals.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "framework/core/describe.h"
#include "framework/core/project_file.h"
#include "framework/ui/Dialog2.h"
#include "app/forms.h"
#include "framework/ui/navigation.h"
#include "scripted_platform.h"
#include "test_windows.h"

using namespace tarvel;
using namespace tarvel::ui;
using tarvel::test::ScriptedPlatform;
using tarvel::test::readAll;
using tarvel::test::window;

namespace {

void fillExample(CalculatorWindow& w)
{
    w.setControlText("Frequencia", "1");
    w.pick("ComboBox2", 1);
    w.pick("ComboBox1", 3);
    w.setControlText("Tanperda", "0.0003");
    w.setControlText("Espacamento", "10");
    w.setControlText("diametro", "1");
}

TEST(ProjectFiles, SaveAsProposesTheDefaultAndOpenComputes)
{
    ScriptedPlatform platform;
    QTemporaryDir dir;
    const QString path = dir.filePath("linha.bfl");
    auto w = window(2);
    fillExample(*w);
    platform.saveAnswers = {path};
    w->Salvar1Click(); // no current file: save as
    EXPECT_EQ(platform.saveProposals, QStringList{"BifiAna1.bfl"});
    EXPECT_EQ(platform.saveFilters, QStringList{QString::fromUtf8("Projetos de análise|*.bfl|Todos os arquivos [*.*]|*.*")});
    EXPECT_EQ(w->windowTitle(), "Antena[ " + path + " ]");
    EXPECT_EQ(CalculatorWindow::currentFileName(2), path);
    const QByteArray bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 36);
    const Real want[] = {1, 2.10L, 57600000, 0.0003L, 10, 1};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(decodeReal48(reinterpret_cast<const std::uint8_t*>(bytes.constData()) + 6 * i),
                  decodeReal48(*encodeReal48(want[i]))) << i;

    // A second save writes without a dialog; save as proposes the default again.
    w->Salvar1Click();
    EXPECT_EQ(platform.saveProposals.size(), 1);
    platform.saveAnswers = {QString()};
    w->SalvarComo1Click();
    EXPECT_EQ(platform.saveProposals, (QStringList{"BifiAna1.bfl", "BifiAna1.bfl"}));

    auto other = window(2);
    platform.boxes.clear();
    platform.openAnswers = {path};
    other->Abrir1Click();
    EXPECT_EQ(platform.openFilters.last(),
              QString::fromUtf8("Projetos de análise|*.bfl|Todos os  arquivos [*.*]|*.*"));
    EXPECT_EQ(other->windowTitle(), "Antena[" + path + "]");
    const std::pair<const char*, const char*> texts[] = {{"Frequencia", "1.00"}, {"ComboBox2", "2.10"},
                                                         {"ComboBox1", "57600000"}, {"Tanperda", "0.00030"},
                                                         {"Espacamento", "10.00"}, {"diametro", "1.00"}};
    for (const auto& [name, text] : texts)
        EXPECT_EQ(other->controlText(name), text) << name;
    EXPECT_EQ(other->controlText("impedancia"), "247.8624"); // computed at once
    EXPECT_EQ(platform.boxes.size(), 1u);                     // the 350 MHz warning
}

TEST(ProjectFiles, SynthesisReopensWithItsDecimalsAndEmptyIsZero)
{
    ScriptedPlatform platform;
    QTemporaryDir dir;
    const QString path = dir.filePath("s.bfs");
    auto w = window(16);
    w->setControlText("impedan", "300");
    w->setControlText("Tanperda", "0.0003");
    w->setControlText("Atentot", "0.0009");
    platform.saveAnswers = {path};
    w->SalvarComo1Click();
    auto other = window(16);
    platform.openAnswers = {path};
    other->Abrir1Click();
    // Three decimals would make them 0.000 and 0.001: they take a fourth.
    EXPECT_EQ(other->controlText("Tanperda"), "0.0003");
    EXPECT_EQ(other->controlText("Atentot"), "0.0009");
    EXPECT_EQ(other->controlText("Frequencia"), "0.00000");
    EXPECT_EQ(other->controlText("impedan"), "300.000");
    EXPECT_EQ(other->controlText("Espaco"), ""); // no compute after open here
}

TEST(ProjectFiles, ExtensionRules)
{
    ScriptedPlatform platform;
    QTemporaryDir dir;
    auto w = window(2);
    fillExample(*w);
    const QString good = dir.filePath("x.bfl");
    platform.saveAnswers = {good};
    w->SalvarComo1Click();
    for (const char* name : {"A.BFL", "a.bFl"}) {
        const QString path = dir.filePath(name);
        QFile::copy(good, path);
        auto t = window(2);
        platform.boxes.clear();
        platform.openAnswers = {path};
        t->Abrir1Click();
        EXPECT_EQ(t->controlText("Frequencia"), "1.00") << name;
    }
    struct Case { int window; const char* name; } refused[] = {{16, "x.bfl"}, {2, "x.bfll"}, {2, "xbfl"}, {2, "x.bf"}};
    for (const auto& c : refused) {
        const QString path = dir.filePath(c.name);
        QFile::copy(good, path);
        auto t = window(c.window);
        const QString caption = t->windowTitle();
        platform.boxes.clear();
        platform.openAnswers = {path};
        t->Abrir1Click();
        ASSERT_EQ(platform.boxes.size(), 1u) << c.name;
        EXPECT_EQ(platform.boxes[0].kind, "warning");
        EXPECT_EQ(platform.boxes[0].text, QString::fromUtf8("Este programa não pode abrir este arquivo"));
        EXPECT_EQ(t->windowTitle(), caption);
    }
}

// A name typed without an extension is saved with the window's own, so the
// project can be opened again; a name that has one keeps it.
TEST(ProjectFiles, SaveAsAddsTheExtensionToANameWithout)
{
    ScriptedPlatform platform;
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("pasta.d"));
    const struct {
        const char* typed;
        const char* saved;
    } cases[] = {{"semext", "semext.bfl"}, {"pasta.d/semext", "pasta.d/semext.bfl"}, {"linha.txt", "linha.txt"},
                 {"linha.BFL", "linha.BFL"}};
    for (const auto& c : cases) {
        auto w = window(2);
        fillExample(*w);
        const QString saved = dir.filePath(c.saved);
        platform.saveAnswers = {dir.filePath(c.typed)};
        w->SalvarComo1Click();
        EXPECT_EQ(readAll(saved).size(), 36) << c.typed;
        EXPECT_EQ(CalculatorWindow::currentFileName(2), saved) << c.typed;
        EXPECT_EQ(w->windowTitle(), "Antena[ " + saved + " ]") << c.typed;
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("semext")));
    auto other = window(2);
    platform.boxes.clear();
    platform.openAnswers = {dir.filePath("semext.bfl")};
    other->Abrir1Click();
    EXPECT_TRUE(platform.boxes.empty() || platform.boxes[0].kind == "information"); // the frequency warning only
    EXPECT_EQ(other->controlText("Frequencia"), "1.00");
}

TEST(ProjectFiles, FailuresChangeNothing)
{
    ScriptedPlatform platform;
    QTemporaryDir dir;
    auto w = window(2);
    fillExample(*w);
    const QString good = dir.filePath("good.bfl");
    platform.saveAnswers = {good};
    w->SalvarComo1Click();
    const QByteArray before = readAll(good);

    // A short file: an error box naming it, nothing changed.
    const QString shortFile = dir.filePath("short.bfl");
    QFile f(shortFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(before.left(35));
    f.close();
    auto t = window(2);
    t->setControlText("Frequencia", "7");
    CalculatorWindow::setCurrentFileName(2, " ");
    platform.boxes.clear();
    platform.openAnswers = {shortFile};
    t->Abrir1Click();
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].kind, "error");
    EXPECT_TRUE(platform.boxes[0].text.contains(shortFile));
    EXPECT_EQ(t->controlText("Frequencia"), "7");
    EXPECT_EQ(CalculatorWindow::currentFileName(2), " ");
    EXPECT_EQ(t->windowTitle(), QString::fromUtf8("Análise de Linha de Transmissão Bifilar"));

    // A missing file and a folder: the same.
    for (const QString& path : {dir.filePath("missing.bfl"), dir.path() + "/sub.bfl"}) {
        if (path.endsWith("sub.bfl")) QDir().mkpath(path);
        platform.boxes.clear();
        platform.openAnswers = {path};
        t->Abrir1Click();
        ASSERT_EQ(platform.boxes.size(), 1u);
        EXPECT_EQ(platform.boxes[0].kind, "error");
        EXPECT_EQ(t->controlText("Frequencia"), "7");
    }

    // Save refusals leave the previous file as it was.
    struct Case { const char* control; const char* text; const char* kind; QString message; } cases[] = {
        {"Frequencia", "2,5", "information", QString::fromUtf8("Freqüência Inválida!!")},
        {"diametro", "abc", "information", QString::fromUtf8("Diâmetro do Condutor Inválido!!")},
        {"Espacamento", "1e39", "error", QString()},
    };
    for (const auto& c : cases) {
        auto s = window(2);
        fillExample(*s);
        s->setControlText(c.control, c.text);
        CalculatorWindow::setCurrentFileName(2, good);
        platform.boxes.clear();
        s->Salvar1Click();
        ASSERT_EQ(platform.boxes.size(), 1u) << c.control;
        EXPECT_EQ(platform.boxes[0].kind, c.kind);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(platform.boxes[0].text, c.message);
        }
        EXPECT_EQ(readAll(good), before);
    }

    // An unwritable place: an error, and no file appears.
    const QString nowhere = dir.filePath("no/such/folder/x.bfl");
    platform.boxes.clear();
    platform.saveAnswers = {nowhere};
    w->SalvarComo1Click();
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].kind, "error");
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_EQ(QDir(dir.path()).entryList(QStringList{".tarvel-*", "*.tmp*"}, QDir::Files | QDir::Hidden).size(), 0);
}

TEST(CommercialParameters, WritesIntoItsCallerWhileFlagged)
{
    ScriptedPlatform platform;
    WindowDescription d;
    d.number = 18;
    d.className = "TForm18";
    d.caption = "Teste";
    for (const char* name : {"constdiel", "condutividade", "condsubs", "alturadiel", "espesfita"})
        d.inputs.push_back(describe::edit(name, name));
    d.model = [](const Inputs&) { return Outcome(); };
    CalculatorWindow caller(d);
    caller.setAttribute(Qt::WA_DeleteOnClose, false);
    QPointer<TDialogMenu1> dialog = openCommercialParameters(&caller);
    EXPECT_TRUE(Navigation::instance().flag(18));
    EXPECT_EQ(dialog->windowTitle(), "Parametros comerciais");
    EXPECT_TRUE(dialog->isModal());
    auto* diel = dialog->findChild<QComboBox*>("ComboBox1");
    EXPECT_EQ(diel->count(), 10);
    EXPECT_EQ(dialog->findChild<QComboBox*>("ComboBox3")->count(), 12);
    EXPECT_EQ(dialog->findChild<QComboBox*>("ComboBox2")->itemText(1), "41000000 - Au: Ouro");
    dialog->pick("ComboBox4", 2); // "35.0 µm ED(1 oz)"
    EXPECT_EQ(caller.controlText("espesfita"), "0.035");
    dialog->pick("ComboBox3", 7);
    EXPECT_EQ(caller.controlText("alturadiel"), "1.27");
    dialog->pick("ComboBox2", 2);
    EXPECT_EQ(caller.controlText("condutividade"), "57600000");
    dialog->pick("ComboBox1", 8); // "9.40 - Sapphire"
    EXPECT_EQ(caller.controlText("constdiel"), "9.40");
    EXPECT_EQ(caller.controlText("condsubs"), "0.00055");
    diel->lineEdit()->clear();
    QTest::keyClicks(diel->lineEdit(), "2.4");
    EXPECT_EQ(diel->count(), 10);
    EXPECT_EQ(diel->currentText(), "2.4");
    // Escape ends it as "OK" does; the picks made stay written.
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog && dialog->isVisible());
    EXPECT_FALSE(Navigation::instance().flag(18));
    EXPECT_EQ(caller.controlText("constdiel"), "9.40");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

} // namespace
