// With TARVEL_SHOTS=<dir>, saves a picture of the main window and of every
// calculator window (computed from its first project example when one is
// given below) for a person to look at. Without it, the test does nothing.
#include <QDir>
#include <QFile>
#include <QPixmap>

#include <gtest/gtest.h>

#include "app/principal.h"
#include "framework/ui/forms.h"
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
    };
    return e;
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
        if (auto it = examples().find(d->number); it != examples().end()) {
            for (const auto& [control, text] : it->second)
                w->setControlText(control, QString::fromUtf8(text));
            w->Calcular1Click();
        }
        w->grab().save(QDir(dir).filePath(QString::fromStdString(d->className) + ".png"));
        w->Imprimir2Click();
        QFile::rename(platform.printedFiles.last(), QDir(dir).filePath(QString::fromStdString(d->className) + ".pdf"));
        w->close();
    }
}

} // namespace
