// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a report through the window, to PDF files read back with poppler.
#include <cstdio>

#include <QChildEvent>
#include <QFile>
#include <QProgressBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/forms.h"
#include "scripted_platform.h"

using namespace tarvel::ui;

namespace {

QString run(const QString& command)
{
    QString out;
    if (FILE* p = popen(command.toLocal8Bit().constData(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            out += QString::fromUtf8(buf, int(n));
        pclose(p);
    }
    return out;
}

// Counts the progress animations: each one adds a bar to the window.
struct ProgressCounter : QObject {
    int bars = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::ChildAdded && static_cast<QChildEvent*>(e)->child()->isWidgetType())
            ++bars;
        return false;
    }
};

std::unique_ptr<CalculatorWindow> computedTwoWire()
{
    std::unique_ptr<CalculatorWindow> w(createCalculatorWindow(2));
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->setControlText("Frequencia", "1");
    w->pick("ComboBox2", 1);
    w->setControlText("ComboBox1", "57600000");
    w->setControlText("Tanperda", "0.0001");
    w->setControlText("Espacamento", "10");
    w->setControlText("diametro", "1");
    w->Calcular1Click();
    return w;
}

TEST(Report, PrintsTitleLabelsAndValuesInOrder)
{
    if (run("command -v pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    tarvel::test::ScriptedPlatform platform;
    QTemporaryDir dir;
    platform.printDir = dir.path();
    auto w = computedTwoWire();
    w->Imprimir2Click();
    ASSERT_EQ(platform.printedFiles.size(), 1);
    const QString pdf = platform.printedFiles[0];
    // Ligatures ("fi") may come out as one glyph; compare without them.
    QString text = run("pdftotext -layout '" + pdf + "' -");
    text.replace(QChar(0xFB01), "fi").replace(QChar(0xFB02), "fl");
    const QStringList inOrder = {
        QString::fromUtf8("Análise de Linha de Transmissão Bifilar"), "Entrada de Dados:",
        QString::fromUtf8("Freqüência (GHz):"), "1",
        QString::fromUtf8("Constante dielétrica relativa:"), "2.10 - PTFE: Polytetrafluoretileno",
        QString::fromUtf8("Saída de Dados:"), QString::fromUtf8("Impedância característica (Ohms):"), "247.8624",
        QString::fromUtf8("Atenuação total (dB/m):"), "0.9286"};
    qsizetype at = 0;
    for (const QString& piece : inOrder) {
        const qsizetype found = text.indexOf(piece, at);
        EXPECT_GE(found, 0) << piece.toStdString() << "\n" << text.toStdString();
        if (found >= 0) at = found + piece.size();
    }
    const QString fonts = run("pdffonts '" + pdf + "'");
    EXPECT_TRUE(fonts.contains("C059") || fonts.contains("CenturySchoolbook")) << fonts.toStdString();
}

TEST(Report, OneJobAndOneAnimationPerCopy)
{
    tarvel::test::ScriptedPlatform platform;
    QTemporaryDir dir;
    platform.printDir = dir.path();
    auto w = computedTwoWire();
    ProgressCounter counter;
    w->installEventFilter(&counter);
    struct Case { bool accepted; int copies; int jobs; } cases[] = {{true, 2, 2}, {false, 3, 0}, {true, 0, 0}, {true, -1, 0}};
    for (const auto& c : cases) {
        platform.printedFiles.clear();
        counter.bars = 0;
        platform.printAccepted = c.accepted;
        platform.printCopies = c.copies;
        w->Imprimir2Click();
        // Every job ends with its animation; the jobs of one command share a printer.
        const bool written = !platform.printedFiles.isEmpty() && QFile::exists(platform.printedFiles[0]);
        EXPECT_EQ(written, c.jobs > 0) << c.copies;
        EXPECT_EQ(counter.bars, c.jobs) << c.copies;
    }
    EXPECT_EQ(w->controlText("impedancia"), "247.8624"); // printing changes nothing
}

} // namespace
