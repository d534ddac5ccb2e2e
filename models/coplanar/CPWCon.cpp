// TForm12: analysis of the coplanar waveguide on a conducting substrate. Its
// toolbar, its enabling and its auxiliary windows follow rules of their own
// (the window class in ui/ carries them); the description gives the names
// those rules use.
#include "coplanar.h"
#include "window_rows.h"
#include "models/main_menu.h"

namespace tarvel::coplanar {

const WindowDescription& cpwConWindow()
{
    static const WindowDescription d = [] {
        WindowDescription w;
        w.number = 12;
        w.className = "TForm12";
        w.unit = "CPWCon";
        w.caption = "Análise de Linha de Transmissão Coplanar Waveguide - CPW";
        w.menu = {&menu::analysisCpw, menu::conducting, "SubstratoCondutor4"};
        rows::common(w);
        w.inputGroup = "Entrada de Dados:";
        w.resultGroups = {"Resultados:", "Fator de Qualidade:"};
        w.inputs = rows::inputs(12, cpwCon, rows::waveguideLabels);
        w.results = rows::results();
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
        w.galleryTab = 5;
        w.project = rows::project("cpc", "CPWCon1.cpc", Dielectric::Conducting);
        w.report = {"Análise de Linha de Transmissão Coplanar WaveGuide (CPW) para Substrato Condutor", 1000,
                    rows::reportLines(Dielectric::Conducting, "Condutividade do dielétrico (S/m):",
                                      rows::waveguideLabels)};
        w.model = cpwConductingAnalysis;
        return w;
    }();
    return d;
}

} // namespace tarvel::coplanar
