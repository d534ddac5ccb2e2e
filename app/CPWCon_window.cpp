// SPDX-License-Identifier: GPL-3.0-or-later
#include "CPWCon_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "framework/ui/navigation.h"
#include "models/all_windows.h"

namespace tarvel::ui {

namespace {
const QStringList earlyControls = {"SpeedButton4", "SpeedButton8", "SpeedButton10", "Calcular1"};
constexpr int cpwTab = 5;
} // namespace

const QStringList& TForm12::resultControls()
{
    static const QStringList names = {"Impcarac", "Resistividade", "Efetiva", "AtenCond", "Atendiel",
                                      "AtenTotal", "Qcond",         "Qdiel",   "Qtotal",   "Label7",
                                      "Label8",    "Label9",        "Label10", "Label11",  "Label12",
                                      "Label14",   "Label15",       "Label16"};
    return names;
}

TForm12::TForm12(QWidget* parent) : CalculatorWindow(*findWindow(12), parent) {}

void TForm12::keyFieldPressed()
{
    setCurrentFileName(description().number, QStringLiteral(" "));
    setNamedEnabled({"Novo1", "Salvar1", "SalvarComo1", "Imprimir1"}, true);
}

void TForm12::Calcular1Click()
{
    // A frequency that passes its check enables print, save, new and
    // "&Calcular" before any other check, and they stay so.
    const FieldTexts fields = fieldTexts();
    const InputSpec* f = description().input("Frequencia");
    const auto it = fields.find("Frequencia");
    if (f && it != fields.end() && readField(*f, it->second) > 0)
        setNamedEnabled(earlyControls, true);
    CalculatorWindow::Calcular1Click();
}

void TForm12::enableAfterCompute()
{
    setNamedEnabled(earlyControls, true);
    setNamedEnabled(resultControls(), true);
}

void TForm12::Novo1Click()
{
    setCurrentFileName(description().number, QStringLiteral(" "));
    for (QLineEdit* e : findChildren<QLineEdit*>())
        if (!qobject_cast<QComboBox*>(e->parentWidget()))
            e->clear();
    for (const char* combo : {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4"})
        selectEntry(QString::fromLatin1(combo), 0);
    setNamedEnabled(resultControls(), false);
}

namespace {
// A new auxiliary window from its factory, of its kind; null when there is none.
QWidget* created(const std::function<QWidget*()>& create, Aux kind)
{
    if (!create)
        return nullptr;
    QWidget* w = create();
    setAuxKind(w, kind);
    return w;
}
} // namespace

void TForm12::Geometria1Click()
{
    // A new gallery every time, at the CPW tab, with no flag and nothing disabled.
    QWidget* gallery = created(Navigation::instance().createGallery, Aux::Gallery);
    if (!gallery)
        return;
    if (auto* tabs = gallery->findChild<QTabWidget*>(QStringLiteral("TabbedNotebook1")))
        tabs->setCurrentIndex(cpwTab);
    gallery->show();
    galleryShown(gallery);
}

void TForm12::Sobre1Click()
{
    if (QWidget* about = created(Navigation::instance().createAbout, Aux::About))
        about->show();
}

} // namespace tarvel::ui
