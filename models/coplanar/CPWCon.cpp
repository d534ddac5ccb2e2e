// SPDX-License-Identifier: GPL-3.0-or-later
// TForm12: analysis of the coplanar waveguide on a conducting substrate. Its
// toolbar, its enabling and its auxiliary windows follow rules of their own
// (the window class in ui/ carries them); the description gives the names
// those rules use.
#include "coplanar.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::coplanar {
namespace {

const Binding<Board, BoardLine> binding = rows::binding<cpwCon>(SectionKind::Cpw);

} // namespace

Outcome cpwConductingAnalysis(const Inputs& in) { return binding(in); }

const WindowDescription& cpwConWindow()
{
    static const WindowDescription d = [] {
        // This window lists gallium arsenide with trailing blanks.
        WindowDescription w = rows::window(
            {12, "TForm12", "CPWCon", "Análise de Linha de Transmissão Coplanar Waveguide - CPW",
             {&menu::analysisCpw, menu::conducting, "SubstratoCondutor4"}, "cpc",
             "Análise de Linha de Transmissão Coplanar WaveGuide (CPW) para Substrato Condutor"},
            cpwCon, binding, cpwConductingAnalysis,
            catalogue::dielectricRowsC().respelled({{10, "13.0 - Gallium arsenide(GaAs)     "}}),
            rows::waveguideLabels);
        w.inputGroup = "Entrada de Dados:";
        w.resultGroups = {"Resultados:", "Fator de Qualidade:"};
        // The result captions by name, in the order in which the compute
        // enables their fields.
        const std::pair<const char*, const char*> captions[] = {
            {"Impcarac", "Label7"},  {"Resistividade", "Label8"}, {"Efetiva", "Label9"},
            {"AtenCond", "Label10"}, {"Atendiel", "Label11"},     {"AtenTotal", "Label12"},
            {"Qcond", "Label14"},    {"Qdiel", "Label15"},        {"Qtotal", "Label16"}};
        for (auto& r : w.results)
            for (const auto& [field, label] : captions)
                if (r.name == field)
                    r.labelName = label;
        // Open, save, new, compute, gallery, print, close.
        w.toolbarNames = {"SpeedButton9", "SpeedButton8", "SpeedButton10", "SpeedButton6",
                          "SpeedButton5", "SpeedButton4", "SpeedButton1"};
        w.tutorialCommand = false;
        return w;
    }();
    return d;
}

} // namespace tarvel::coplanar
