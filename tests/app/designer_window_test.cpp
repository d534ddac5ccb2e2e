// SPDX-License-Identifier: GPL-3.0-or-later
// The field designer window as a user drives it: analysis against the
// designer's own answer, synthesis read back, project files written and
// read (and refused), every refusal naming its field, a solve cancelled,
// the report printed, and the real file dialog and message box.
#include <cmath>
#include <functional>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/designer_window.h"
#include "app/field_jobs.h"
#include "app/principal.h"
#include "fieldsolve/designer.h"
#include "framework/core/number_text.h"
#include "framework/ui/platform.h"
#include "tests/app/designer_fixture.h"
#include "tests/ui/modal_safety.h"

using namespace tarvel;
using namespace tarvel::ui;
using fieldsolve::Template;

using DesignerWindowTest = tarvel::test::DesignerFixture;
using tarvel::test::designOf;
using tarvel::test::inputTexts;
using tarvel::test::plotted;
using tarvel::test::settle;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }
double number(const QString& s) { return double(readNumber(s.toStdString())); }

} // namespace

TEST_F(DesignerWindowTest, AnalysisShowsWhatTheDesignerComputes)
{
    for (Template kind : {Template::Microstrip, Template::CoupledMicrostrip}) {
        DesignerWindow w;
        w.setTemplate(kind);
        w.setInputText("W", "0.3");
        w.Analisar();
        settle();
        ASSERT_TRUE(w.analysis().has_value());
        const fieldsolve::Analysis direct = fieldsolve::analyse(designOf(w));
        ASSERT_TRUE(direct.ok);
        if (kind == Template::Microstrip) {
            EXPECT_EQ(w.resultText("Z0"), QString::number(direct.z0, 'f', 3));
            EXPECT_EQ(w.resultText("eeff"), QString::number(direct.eeff, 'f', 4));
            EXPECT_EQ(w.resultText("C"), QString::number(direct.c * 1e12, 'f', 3));
            EXPECT_EQ(w.resultText("L"), QString::number(direct.l * 1e9, 'f', 3));
        } else {
            EXPECT_EQ(w.resultText("Zdiff"), QString::number(direct.zdiff, 'f', 3));
            EXPECT_EQ(w.resultText("Zcm"), QString::number(direct.zcm, 'f', 3));
            EXPECT_EQ(w.resultText("Z0o"), QString::number(direct.z0o, 'f', 3));
            EXPECT_EQ(w.resultText("C12"), QString::number(direct.cMatrix[0][1] * 1e12, 'f', 3));
            EXPECT_LT(number(w.resultText("C12")), 0); // the Maxwell off-diagonal
        }
        EXPECT_EQ(w.resultText("solucoes"), QString::number(direct.solves));
        EXPECT_TRUE(platform.boxes.empty()) << platform.texts().join('\n').toStdString();
        // The section's field lines arrived.
        ASSERT_NE(w.sectionPicture()->plot(), nullptr);
        EXPECT_FALSE(w.sectionPicture()->plot()->lines.empty());
    }
}

TEST_F(DesignerWindowTest, MilsAreReadAsMils)
{
    DesignerWindow w;
    w.setInputText("W", "1.5");
    w.setUnit(fieldsolve::Unit::Mil);
    // The texts follow the unit: 1.5 mm is 59.0551 mil.
    EXPECT_EQ(w.inputText("W"), "59.0551");
    EXPECT_NEAR(designOf(w)["W"], 1.5, 1e-5);
    EXPECT_NEAR(designOf(w)["er"], 4.4, 0);
}

TEST_F(DesignerWindowTest, SynthesisWritesDimensionsThatAnalyseToTheTarget)
{
    struct Case {
        Template kind;
        QString targets, v1, v2, vary;
        std::vector<std::pair<const char*, double>> wanted; // result key, value
    };
    const Case cases[] = {
        {Template::Microstrip, "Z0", "50", "", "W", {{"Z0", 50}}},
        {Template::CoupledMicrostrip, "Zdiff", "100", "", "S", {{"Zdiff", 100}}},
    };
    for (const Case& c : cases) {
        DesignerWindow w;
        w.setTemplate(c.kind);
        const QString before = w.inputText(c.vary);
        w.setSynthesis(c.targets, c.v1, c.v2, c.vary);
        w.Sintetizar();
        settle();
        ASSERT_TRUE(platform.boxes.empty()) << platform.texts().join('\n').toStdString();
        EXPECT_NE(w.inputText(c.vary), before);
        // What the inputs now hold analyses to the target.
        const fieldsolve::Analysis again = fieldsolve::analyse(designOf(w));
        ASSERT_TRUE(again.ok);
        for (const auto& [key, value] : c.wanted) {
            const double got = QString(key) == "Z0" ? again.z0 : again.zdiff;
            EXPECT_NEAR(got, value, value * 1.5e-3) << key;
            EXPECT_NEAR(number(w.resultText(key)), value, value * 1.5e-3) << key;
        }
    }
}

TEST_F(DesignerWindowTest, SavedProjectOpensAsItWasSaved)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("par.plc");
    DesignerWindow w;
    w.setTemplate(Template::CoupledMicrostrip);
    w.setUnit(fieldsolve::Unit::Mil);
    w.setInputText("W", "6");
    w.setInputText("c1", "0.8");
    w.setInputText("c2", "0.5");
    w.setInputText("cer", "3.3");
    w.setSynthesis("Zdiff", "100", "", "S");
    platform.saveAnswers.push_back(path);
    w.SalvarComo1Click();
    ASSERT_TRUE(QFile::exists(path)) << platform.texts().join('\n').toStdString();
    EXPECT_TRUE(w.windowTitle().contains(path));

    DesignerWindow other;
    platform.openAnswers.push_back(path);
    other.Abrir1Click();
    EXPECT_TRUE(platform.boxes.empty()) << platform.texts().join('\n').toStdString();
    EXPECT_EQ(other.currentTemplate(), Template::CoupledMicrostrip);
    EXPECT_EQ(other.unit(), fieldsolve::Unit::Mil);
    EXPECT_EQ(inputTexts(other), inputTexts(w));
    EXPECT_EQ(fieldsolve::writeDesignProject(other.project()), fieldsolve::writeDesignProject(w.project()));
    EXPECT_TRUE(other.windowTitle().contains(path));
}

TEST_F(DesignerWindowTest, BadFileIsRefusedAndNothingChanges)
{
    QTemporaryDir dir;
    DesignerWindow good;
    good.setTemplate(Template::Stripline);
    const std::string valid = fieldsolve::writeDesignProject(good.project());
    const std::string bad[] = {
        "isto não é um projeto",
        valid.substr(0, valid.size() / 2), // truncated
        [&] {                              // a version from the future
            std::string s = valid;
            const std::string current = "\"version\": " + std::to_string(fieldsolve::kProjectVersion);
            const auto at = s.find(current);
            return at == std::string::npos ? std::string("{\"version\": 99}")
                                           : s.replace(at, current.size(), "\"version\": 99");
        }(),
        "{\"format\": \"tarvel-projeto-de-linha\", \"version\": 1, \"structure\": \"microstrip\", "
        "\"unit\": \"mm\", \"parameters\": {\"W\": \"largo\"}}",
        "",
        // Losses that do not read, or that a first-version file cannot have.
        "{\"format\": \"tarvel-projeto-de-linha\", \"version\": 2, \"structure\": \"stripline\", "
        "\"losses\": {\"tand1\": \"-0.01\"}}",
        "{\"format\": \"tarvel-projeto-de-linha\", \"version\": 2, \"structure\": \"stripline\", "
        "\"losses\": {\"roughness\": \"gradiente\"}}",
        "{\"format\": \"tarvel-projeto-de-linha\", \"version\": 1, \"structure\": \"stripline\", "
        "\"losses\": {\"tand1\": \"0.01\"}}",
    };
    DesignerWindow w;
    w.setTemplate(Template::Gcpw);
    w.setInputText("W", "0.42");
    w.Graficos()->setField("tand", "0.004");
    const QStringList before = inputTexts(w);
    const auto lossesBefore = w.Graficos()->lossTexts();
    const QString title = w.windowTitle();
    for (const std::string& text : bad) {
        const QString path = dir.filePath("bad.plc");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.data(), qint64(text.size()));
        f.close();
        platform.boxes.clear();
        platform.openAnswers.push_back(path);
        w.Abrir1Click();
        ASSERT_EQ(platform.boxes.size(), 1u) << text;
        EXPECT_EQ(platform.boxes[0].kind, "error");
        EXPECT_TRUE(platform.boxes[0].text.startsWith(u("O arquivo"))) << platform.boxes[0].text.toStdString();
        EXPECT_EQ(w.currentTemplate(), Template::Gcpw);
        EXPECT_EQ(inputTexts(w), before);
        EXPECT_EQ(w.Graficos()->lossTexts(), lossesBefore);
        EXPECT_EQ(w.windowTitle(), title);
    }
}

TEST_F(DesignerWindowTest, EveryRefusalNamesItsFieldAndChangesNothing)
{
    struct Case {
        Template kind;
        std::vector<std::pair<const char*, const char*>> texts;
        const char* field; // the name the message must carry
    };
    const Case cases[] = {
        {Template::Microstrip, {{"W", "-1"}}, "W"},
        {Template::Microstrip, {{"h", "0"}}, "h"},
        {Template::Microstrip, {{"t", "-0.01"}}, "t"},
        {Template::Microstrip, {{"er", "0.5"}}, "er"},
        {Template::Microstrip, {{"W", "abc"}}, "W"},
        {Template::Microstrip, {{"W", ""}}, "W"},
        {Template::Microstrip, {{"c1", "0.02"}}, "c2"},
        {Template::Microstrip, {{"c1", "0.5"}, {"c2", "0.01"}, {"cer", "3"}}, "c1"},
        {Template::EmbeddedMicrostrip, {{"h2", "0.01"}}, "h2"},
        {Template::Stripline, {{"er2", "1e300"}}, "er2"},
        {Template::Gcpw, {{"G", "-2"}}, "G"},
        {Template::BroadsideStripline, {{"d", "0"}}, "d"},
    };
    for (const Case& c : cases) {
        DesignerWindow w;
        w.setTemplate(c.kind);
        w.Analisar();
        settle();
        const QString shown = w.resultText(fieldsolve::templateInfo(c.kind).pair ? "Zdiff" : "Z0");
        ASSERT_FALSE(shown.isEmpty());
        for (const auto& [name, text] : c.texts)
            w.setInputText(name, u(text));
        const QStringList before = inputTexts(w);
        platform.boxes.clear();
        w.Analisar();
        w.Sintetizar();
        EXPECT_FALSE(w.busy());
        ASSERT_EQ(platform.boxes.size(), 2u) << c.field;
        for (const auto& box : platform.boxes)
            EXPECT_TRUE(box.text.startsWith(u("O campo %1 ").arg(c.field))) << box.text.toStdString();
        settle();
        EXPECT_EQ(w.resultText(fieldsolve::templateInfo(c.kind).pair ? "Zdiff" : "Z0"), shown);
        EXPECT_EQ(inputTexts(w), before);
    }
}

TEST_F(DesignerWindowTest, CancelStopsTheSolveAndKeepsTheResults)
{
    DesignerWindow w;
    w.setTemplate(Template::CoupledMicrostrip);
    w.setSynthesis("Z0e,Z0o", "65", "38", "W,S");
    const QStringList before = inputTexts(w);
    w.Sintetizar();
    EXPECT_TRUE(w.busy());
    QTest::qWait(50);
    w.Cancelar();
    EXPECT_FALSE(w.busy());
    EXPECT_FALSE(FieldJobs::instance().pending(&w, 0));
    settle();
    EXPECT_FALSE(w.analysis().has_value());
    EXPECT_EQ(w.resultText("Zdiff"), "");
    EXPECT_EQ(inputTexts(w), before);
    EXPECT_TRUE(platform.boxes.empty());

    // A newer Analisar replaces the older one: only its answer is shown.
    w.setInputText("W", "0.25");
    w.Analisar();
    w.setInputText("W", "0.3");
    w.Analisar();
    settle();
    ASSERT_TRUE(w.analysis().has_value());
    EXPECT_EQ(w.resultText("Zdiff"), QString::number(fieldsolve::analyse(designOf(w)).zdiff, 'f', 3));
}

TEST_F(DesignerWindowTest, ClosingCancelsItsSolve)
{
    auto* w = new DesignerWindow;
    w->show();
    w->setTemplate(Template::CoupledStripline);
    w->setSynthesis("Zdiff", "90", "", "W");
    w->Sintetizar();
    ASSERT_TRUE(FieldJobs::instance().pending(w, 0));
    w->close(); // deletes on close
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Nothing is left queued or running for it.
    EXPECT_TRUE(FieldJobs::instance().waitForIdle(20000));
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(DesignerWindowTest, ResultsAreCopiedAsTextAndPrinted)
{
    QTemporaryDir dir;
    platform.printDir = dir.path();
    DesignerWindow w;
    w.setTemplate(Template::CoupledMicrostrip);
    w.Analisar();
    settle();
    w.CopiarResultados();
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains(u("Microstrip acoplada")));
    EXPECT_TRUE(copied.contains(u("Diferencial Zdiff (Ω): ") + w.resultText("Zdiff")));
    EXPECT_TRUE(copied.contains("W = 0.2 mm"));
    w.Imprimir1Click();
    ASSERT_EQ(platform.printedFiles.size(), 1);
    QFile pdf(platform.printedFiles[0]);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
    EXPECT_GT(pdf.size(), 10000); // text, drawing and field lines
}

TEST_F(DesignerWindowTest, MainMenuOpensIt)
{
    TForm1 main;
    auto* item = main.findChild<QAction*>("ProjetoCampo1");
    ASSERT_NE(item, nullptr);
    item->trigger();
    DesignerWindow* opened = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<DesignerWindow*>(top))
            opened = d;
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->windowTitle(), DesignerWindow::title());
    // It fits a 1024 x 768 screen, with the longest labels and most fields.
    for (Template kind : {Template::Microstrip, Template::CoupledMicrostrip, Template::BroadsideStripline}) {
        opened->setTemplate(kind);
        QCoreApplication::processEvents();
        EXPECT_LE(opened->frameGeometry().width(), 1000);
        EXPECT_LE(opened->frameGeometry().height(), 730);
    }
    opened->close();
}

TEST(DesignerWindow, RealDialogsRefuseADamagedFile)
{
    // No scripted platform: the real file dialog and message box.
    QTemporaryDir dir;
    const QString path = dir.filePath("estragado.plc");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"format\": \"tarvel-projeto-de-linha\", \"version\": 1, \"structure\": ");
    f.close();
    DesignerWindow w;
    w.show();
    const QStringList before = inputTexts(w);
    QString dialogTitle, boxText;
    int step = 0;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && step == 0) {
            step = 1;
            dialogTitle = dialog->windowTitle();
            if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
                name->setText(path);
            static_cast<QDialog*>(dialog)->accept(); // the file dialog takes the typed name
        } else if (auto* box = qobject_cast<QMessageBox*>(modal); box && step == 1) {
            step = 2;
            boxText = box->text();
            box->accept();
        }
    });
    const test::ModalSafety safety;
    poll.start();
    w.Abrir1Click();
    poll.stop();
    EXPECT_EQ(step, 2);
    EXPECT_EQ(dialogTitle, "Abrir");
    EXPECT_TRUE(boxText.startsWith(u("O arquivo ") + path)) << boxText.toStdString();
    EXPECT_EQ(inputTexts(w), before);
}

// The losses of the plots are part of the project: saved, opened again as
// typed, stated by the report; a project of the first version (before the
// losses) opens with the losses of a new window, as Novo gives them.
TEST_F(DesignerWindowTest, ProjectKeepsTheLossesAndTheReportStatesThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("perdas.plc");
    DesignerWindow w;
    w.setTemplate(Template::Stripline);
    const auto defaults = w.Graficos()->lossTexts();
    const tarvel::test::FieldTexts typed = {{"tand1", "0.001"}, {"tand2", "0.004"}, {"sigma", "4.1e7"},
                                            {"Rugosidade", "Huray (esferas)"}, {"rnod", "0.3"}, {"sr", "1.8"}};
    for (const auto& [name, text] : typed)
        w.Graficos()->setField(name, u(text));
    const auto losses = w.Graficos()->lossTexts();
    EXPECT_EQ(losses, (std::vector<std::pair<std::string, std::string>>{
                          {"tand1", "0.001"}, {"tand2", "0.004"}, {"sigma", "4.1e7"}, {"roughness", "huray"},
                          {"rq", "0.5"}, {"rnod", "0.3"}, {"sr", "1.8"}}));
    platform.saveAnswers.push_back(path);
    w.SalvarComo1Click();
    ASSERT_TRUE(QFile::exists(path)) << shown();

    DesignerWindow other;
    other.setTemplate(Template::Microstrip);
    platform.openAnswers.push_back(path);
    other.Abrir1Click();
    ASSERT_TRUE(platform.boxes.empty()) << shown();
    EXPECT_EQ(other.Graficos()->lossTexts(), losses);
    EXPECT_TRUE(other.Graficos()->findChild<QLineEdit*>("tand1")->isVisibleTo(other.Graficos()));
    EXPECT_FALSE(other.Graficos()->findChild<QLineEdit*>("ctand")->isVisibleTo(other.Graficos()));
    EXPECT_TRUE(other.Graficos()->findChild<QLineEdit*>("sr")->isEnabled());

    other.Analisar();
    settle();
    other.CopiarResultados();
    const QString report = QApplication::clipboard()->text();
    for (const char* line : {"tand1 = 0.001\n", "tand2 = 0.004\n", "sigma = 4.1e7 S/m\n",
                             "Rugosidade: Huray (esferas), rnod = 0.3 µm, sr = 1.8\n"})
        EXPECT_TRUE(report.contains(u(line))) << line << "\n" << report.toStdString();

    const QString first = dir.filePath("antigo.plc");
    QFile f(first);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"format\": \"tarvel-projeto-de-linha\", \"version\": 1, \"structure\": \"stripline\", "
            "\"unit\": \"mm\", \"parameters\": {\"W\": \"0.5\"}}");
    f.close();
    platform.openAnswers.push_back(first);
    other.Abrir1Click();
    ASSERT_TRUE(platform.boxes.empty()) << shown();
    EXPECT_EQ(other.inputText("W"), "0.5");
    EXPECT_EQ(other.Graficos()->lossTexts(), defaults);
    w.Novo1Click();
    EXPECT_EQ(w.Graficos()->lossTexts(), defaults);
}
