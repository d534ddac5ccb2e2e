// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/core/report_layout.h"
#include "models/all_windows.h"

using namespace tarvel;

namespace {

TEST(ReportLayout, EveryWindowHasItsLinesTitleAndColumn)
{
    struct Case { int window; const char* title; int valueX; int lines; int lastY; } cases[] = {
        {2, "Análise de Linha de Transmissão Bifilar", 1150, 17, 1150},
        {16, "Síntese de Linha de Transmissão Bifilar", 1150, 17, 1150},
        {3, "Análise de Linha de Transmissão Coaxial", 1100, 22, 1450},
        {15, "Síntese de Linha de Transmissão Coaxial", 1100, 21, 1350},
        {4, "Análise de Linha de Transmissão Microstrip para Substrato não Condutor", 1000, 26, 1700},
        {6, "Análise de Linha de Transmissão Microstrip para Substrato Condutor", 1000, 26, 1700},
        {17, "Síntese de Linha de Transmissão Microstrip para Substrato não Condutor", 1000, 26, 1700},
        {18, "Síntese de Linha de Transmissão Microstrip para Substrato Condutor", 1000, 26, 1700},
        {8, "Análise de Linha de Transmissão SlotLine", 1000, 10, 800},
        {5, "Análise de Linha de Transmissão StripLine para Substrato não Condutor", 1000, 21, 1400},
        {7, "Análise de Linha de Transmissão StripLine para Substrato Condutor", 1000, 21, 1400},
        {19, "Síntese de Linha de Transmissão StripLine para Substrato não Condutor", 1000, 21, 1400},
        {22, "Síntese de Linha de Transmissão StripLine para Substrato Condutor", 1000, 21, 1400},
        {20, "Análise de Linha de Transmissão Acoplada StripLine", 1100, 19, 1250},
        {27, "Síntese de Linha de Transmissão Acoplada StripLine", 1100, 19, 1250},
        {26, "Análise de Linha de Transmissão Acoplada MicroStrip", 1100, 20, 1300},
        {29, "Síntese de Linha de Transmissão Acoplada MicroStrip", 1100, 20, 1300},
        {11, "Análise de Linha de Transmissão Coplanar WaveGuide (CPW) para Substrato não Condutor", 1000, 20, 1350},
        {12, "Análise de Linha de Transmissão Coplanar WaveGuide (CPW) para Substrato Condutor", 1000, 20, 1350},
        {13, "Análise de Linha de Transmissão Coplanar Strips (CPS) para Substrato não Condutor", 1000, 20, 1350},
        {14, "Análise de Linha de Transmissão Coplanar Strips (CPS) para Substrato Condutor", 1000, 20, 1350},
    };
    for (const auto& c : cases) {
        const WindowDescription* d = findWindow(c.window);
        ASSERT_TRUE(d) << "window " << c.window;
        const ReportSpec& r = d->report;
        EXPECT_EQ(r.title, c.title) << c.window;
        EXPECT_EQ(r.valueX, c.valueX) << c.window;
        ASSERT_EQ(int(r.lines.size()), c.lines) << c.window;
        // Every value printed is one of the window's controls.
        for (const auto& line : r.lines) {
            if (!line.control.empty()) {
                EXPECT_TRUE(d->input(line.control) || d->result(line.control)) << c.window << " " << line.control;
            }
        }
        const auto items = layoutReport(r, [](const std::string& control) { return control; });
        EXPECT_EQ(items.front().y, 200);
        EXPECT_EQ(items.front().text, c.title);
        EXPECT_EQ(items.back().y, c.lastY) << c.window;
        // Labels at x = 150 in order, values in the column on the label's line.
        std::size_t line = 0;
        for (std::size_t i = 1; i < items.size(); ++i) {
            if (items[i].isLabel) {
                EXPECT_EQ(items[i].x, 150);
                EXPECT_EQ(items[i].text, r.lines[line++].label);
            } else {
                EXPECT_EQ(items[i].x, c.valueX);
                EXPECT_EQ(items[i].y, items[i - 1].y);
            }
        }
        EXPECT_EQ(items[1].y, 300); // "Entrada de Dados:"
        EXPECT_EQ(items[1].text, "Entrada de Dados:");
    }
}

TEST(ReportLayout, EmptyValuesPrintNothing)
{
    ReportSpec r{"T", 1000, {{"A:", "a", false}, {"B:", "b", false}, {"H:", "", false}, {"C:", "c", true}}};
    const auto items = layoutReport(r, [](const std::string& c) { return c == "a" ? std::string("1.0000") : std::string(); });
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[2].text, "1.0000");
    EXPECT_EQ(items[3].y, 300);
    EXPECT_EQ(items[4].y, 400); // a heading: 100
    EXPECT_EQ(items[5].y, 500); // a wide-gap line: 100
}

} // namespace
