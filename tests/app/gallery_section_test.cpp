// SPDX-License-Identifier: GPL-3.0-or-later
// A computed calculator window that opens the gallery sees its own cross-
// section in the field views of its tab: to scale, solved off the GUI
// thread, with the field's Z0 beside the formula's; the same field Z0 as
// "tarvel-calc check" gives for the same inputs.
#include <cmath>
#include <cstdio>
#include <string>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "app/Geome.h"
#include "app/field_jobs.h"
#include "app/gallery_drawings.h"
#include "app/forms.h"
#include "app/gallery_own.h"
#include "fieldsolve/window_check.h"
#include "framework/ui/navigation.h"

using namespace tarvel;
using namespace tarvel::ui;

namespace {

const std::vector<std::pair<const char*, const char*>> kMicrostrip = {
    {"frequencia", "1"}, {"Combobox2", "4.4"}, {"Combobox1", "57600000"}, {"Tanperda", "0.02"},
    {"largura", "3"},    {"ComboBox4", "1.6"}, {"ComboBox3", "0.035"}};

using Texts = std::vector<std::pair<const char*, const char*>>;

const Texts kCpw = {{"Frequencia", "10"}, {"ComboBox2", "9.8"}, {"ComboBox1", "57600000"},
                    {"Tanperda", "0.0009"}, {"Largura", "0.5"}, {"Sep", "0.2"},
                    {"ComboBox4", "0.635"}, {"ComboBox3", "0.0175"}};
const Texts kSlotline = {{"Frequencia", "10"}, {"ComboBox2", "9.8"}, {"ComboBox1", "0.635"}, {"Largura", "0.2"}};

CalculatorWindow* computed(int number, const Texts& texts)
{
    CalculatorWindow* w = createCalculatorWindow(number);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    for (const auto& [control, text] : texts)
        w->setControlText(control, QString::fromUtf8(text));
    w->Calcular1Click();
    return w;
}

CalculatorWindow* computedMicrostrip() { return computed(4, kMicrostrip); }

TForm9* openGallery() { return qobject_cast<TForm9*>(Navigation::findOpen(Aux::Gallery)); }

gallery::Picture* fieldPicture(TForm9* g, int tab, gallery::View view)
{
    for (auto* p : g->tabs()->widget(tab)->findChildren<gallery::Picture*>())
        if (p->view() == view)
            return p;
    return nullptr;
}

// The field Z0 of "tarvel-calc check" for the same inputs, to 2 decimals.
std::string cliFieldZ0()
{
    std::string command = std::string(TARVEL_CALC) + " check TForm4";
    for (const auto& [control, text] : kMicrostrip)
        command += std::string(" '") + control + "=" + text + "'";
    command += " --json";
    std::string out;
    if (FILE* f = popen(command.c_str(), "r")) {
        char buf[4096];
        while (size_t n = fread(buf, 1, sizeof buf, f))
            out.append(buf, n);
        pclose(f);
    }
    const auto at = out.find("\"field\":");
    if (at == std::string::npos)
        return "?";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::stod(out.substr(at + 8)));
    return text;
}

struct GallerySection : ::testing::Test {
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Navigation::instance().clearAll();
    }
};

} // namespace

TEST_F(GallerySection, AComputedMicrostripSeesItsOwnSectionAndTheFieldZ0)
{
    CalculatorWindow* w = computedMicrostrip();
    w->Geometria1Click();
    TForm9* g = openGallery();
    ASSERT_TRUE(g);
    EXPECT_EQ(g->tabs()->currentIndex(), 2);
    // Drawn at once from the window's geometry, the field still to come.
    gallery::Picture* electric = fieldPicture(g, 2, gallery::View::Electric);
    ASSERT_TRUE(electric && electric->plot());
    EXPECT_TRUE(g->solving());
    EXPECT_TRUE(g->findChild<QProgressBar*>("ProgressoCampo")->isVisible());
    EXPECT_TRUE(electric->plot()->lines.empty());
    QTRY_VERIFY_WITH_TIMEOUT(!g->solving(), 60000);
    EXPECT_FALSE(g->findChild<QProgressBar*>("ProgressoCampo")->isVisible());
    const gallery::FieldPlot* own = electric->plot();
    ASSERT_TRUE(own);
    // The strip is the window's: 3 mm wide and 0.035 mm thick on 1.6 mm of substrate.
    bool strip = false, substrate = false;
    for (const auto& c : own->problem.conductors)
        strip = strip || (c.potential == 1 && std::fabs(c.box.x1 - c.box.x0 - 3) < 1e-9 &&
                          std::fabs(c.box.y1 - c.box.y0 - 0.035) < 1e-9);
    for (const auto& l : own->problem.dielectrics)
        substrate = substrate || (l.eps == 4.4 && std::fabs(l.box.y1 - l.box.y0 - 1.6) < 1e-9);
    EXPECT_TRUE(strip);
    EXPECT_TRUE(substrate);
    EXPECT_GT(own->lines.size(), 10u);
    // The caption carries the field's Z0, as the command line gives it, and the formula's.
    const QString z0 = QString::fromStdString(cliFieldZ0());
    EXPECT_TRUE(own->caption.contains(QString::fromUtf8("Campo ") + z0 + QString::fromUtf8(" Ω")))
        << own->caption.toStdString() << " / " << z0.toStdString();
    EXPECT_TRUE(own->caption.contains(QString::fromUtf8("Fórmula ") +
                                     QString::number(w->controlText("impcarac").toDouble(), 'f', 2)))
        << own->caption.toStdString();
    const gallery::Picture* magnetic = fieldPicture(g, 2, gallery::View::Magnetic);
    ASSERT_TRUE(magnetic && magnetic->plot());
    EXPECT_EQ(magnetic->plot()->caption, own->caption);
    EXPECT_FALSE(magnetic->plot()->lines.empty());
    // The tab's legend is as before.
    EXPECT_EQ(TForm9::legend(2).size(), 8);
}

// A window closed while its section is being solved takes its request
// with it: the solve is cancelled and the tab shows again what it showed
// before (here the gallery's example), never a progress text for good.
TEST_F(GallerySection, AWindowClosedWhileSolvingBringsBackThePreviousPicture)
{
    CalculatorWindow* w = computedMicrostrip();
    w->Geometria1Click();
    TForm9* g = openGallery();
    ASSERT_TRUE(g);
    ASSERT_TRUE(g->solving());
    w->close(); // before the solve can report
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(g->solving());
    EXPECT_FALSE(g->findChild<QProgressBar*>("ProgressoCampo")->isVisible());
    gallery::Picture* electric = fieldPicture(g, 2, gallery::View::Electric);
    ASSERT_TRUE(electric && electric->plot());
    EXPECT_TRUE(electric->plot()->caption.isEmpty());
    EXPECT_TRUE(g->fieldCaption(2).isEmpty()) << g->fieldCaption(2).toStdString();
    // Nothing that arrives later changes it.
    EXPECT_TRUE(FieldJobs::instance().waitForIdle(60000));
    QApplication::processEvents();
    EXPECT_TRUE(electric->plot()->caption.isEmpty());
    EXPECT_TRUE(g->fieldCaption(2).isEmpty());
}

TEST_F(GallerySection, AWindowWithoutResultsShowsTheExample)
{
    CalculatorWindow* w = createCalculatorWindow(4);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    w->Geometria1Click();
    TForm9* g = openGallery();
    ASSERT_TRUE(g);
    EXPECT_FALSE(g->solving());
    const gallery::Picture* electric = fieldPicture(g, 2, gallery::View::Electric);
    ASSERT_TRUE(electric->plot());
    EXPECT_TRUE(electric->plot()->caption.isEmpty());
    EXPECT_TRUE(g->fieldCaption(2).isEmpty());
}

// Two computed windows of two structures ask at once: both solves run side
// by side on the field pool and each tab ends with its own numbers.
TEST_F(GallerySection, TwoWindowsAskAtOnceAndBothGetTheirCaptions)
{
    CalculatorWindow* micro = computedMicrostrip();
    CalculatorWindow* cpw = computed(11, kCpw);
    micro->Geometria1Click();
    TForm9* g = openGallery();
    ASSERT_TRUE(g);
    CalculatorWindow::galleryOpened(g, *cpw); // the second window's request, while the first still solves
    QTRY_VERIFY_WITH_TIMEOUT(!g->solving(), 60000);
    const QString microCaption = g->fieldCaption(2), cpwCaption = g->fieldCaption(5);
    const QString field = QString::fromUtf8("Campo ");
    EXPECT_TRUE(microCaption.startsWith(field)) << microCaption.toStdString();
    EXPECT_TRUE(cpwCaption.startsWith(field)) << cpwCaption.toStdString();
    EXPECT_TRUE(microCaption.contains(
        QString::fromUtf8("Fórmula ") + QString::number(micro->controlText("impcarac").toDouble(), 'f', 2)));
    EXPECT_TRUE(cpwCaption.contains(
        QString::fromUtf8("Fórmula ") + QString::number(cpw->controlText("Impcarac").toDouble(), 'f', 2)));
}

// The caption always belongs to the window that asked last: a window whose
// section the field cannot take replaces the earlier window's picture with
// the example and says why.
TEST_F(GallerySection, AnUnsolvableSectionReplacesTheEarlierWindowsPicture)
{
    CalculatorWindow* first = computedMicrostrip();
    first->Geometria1Click();
    TForm9* g = openGallery();
    ASSERT_TRUE(g);
    QTRY_VERIFY_WITH_TIMEOUT(!g->solving(), 60000);
    ASSERT_TRUE(g->fieldCaption(2).startsWith(QString::fromUtf8("Campo ")));
    Texts wide = kMicrostrip;
    for (auto& [control, text] : wide)
        if (std::string(control) == "largura")
            text = "1e5";
    CalculatorWindow* second = computed(4, wide);
    ASSERT_TRUE(second->computed());
    CalculatorWindow::galleryOpened(g, *second);
    EXPECT_FALSE(g->solving());
    const QString caption = g->fieldCaption(2);
    EXPECT_FALSE(caption.contains(QString::fromUtf8("Campo "))) << caption.toStdString();
    EXPECT_TRUE(caption.contains(QString::fromUtf8("não pode ser resolvida"))) << caption.toStdString();
    const gallery::FieldPlot* plot = fieldPicture(g, 2, gallery::View::Electric)->plot();
    ASSERT_TRUE(plot);
    EXPECT_TRUE(plot->caption.isEmpty()); // the example, not the first window's section
    for (const auto& c : plot->problem.conductors)
        EXPECT_NE(std::fabs(c.box.x1 - c.box.x0), 3.0);
}

// A newer request of the same tab replaces the one still solving: the tab
// ends with the newer window's numbers.
TEST_F(GallerySection, ANewerWindowOfTheSameTabWins)
{
    CalculatorWindow* first = computedMicrostrip();
    Texts narrow = kMicrostrip;
    for (auto& [control, text] : narrow)
        if (std::string(control) == "largura")
            text = "0.8";
    CalculatorWindow* second = computed(4, narrow);
    first->Geometria1Click();
    TForm9* g = openGallery();
    ASSERT_TRUE(g);
    CalculatorWindow::galleryOpened(g, *second);
    QTRY_VERIFY_WITH_TIMEOUT(!g->solving(), 60000);
    EXPECT_TRUE(FieldJobs::instance().waitForIdle(60000));
    QApplication::processEvents();
    const QString formula =
        QString::fromUtf8("Fórmula ") + QString::number(second->controlText("impcarac").toDouble(), 'f', 2);
    EXPECT_TRUE(g->fieldCaption(2).contains(formula)) << g->fieldCaption(2).toStdString();
}

// The slotline has no quasi-static field; its window's request says so.
TEST_F(GallerySection, TheSlotlineSaysItHasNoFieldSolution)
{
    CalculatorWindow* w = computed(8, kSlotline);
    ASSERT_TRUE(w->computed());
    w->Geometria1Click();
    TForm9* g = openGallery();
    ASSERT_TRUE(g);
    EXPECT_EQ(g->tabs()->currentIndex(), 4);
    EXPECT_FALSE(g->solving());
    EXPECT_EQ(g->fieldCaption(4), QString::fromUtf8(fieldsolve::noQuasiStaticCheck()));
}

// The numbers are written in the window's own type, beneath the plots, and
// a click on a plot opens it large, with the caption beneath.
TEST_F(GallerySection, CaptionsAreReadableAndAPlotOpensLarge)
{
    CalculatorWindow* w = computedMicrostrip();
    w->Geometria1Click();
    TForm9* g = openGallery();
    ASSERT_TRUE(g);
    QTRY_VERIFY_WITH_TIMEOUT(!g->solving(), 60000);
    QLabel* caption = g->tabs()->widget(2)->findChild<QLabel*>("LegendaCampo");
    ASSERT_TRUE(caption);
    EXPECT_TRUE(caption->isVisible());
    EXPECT_GE(caption->font().pointSizeF(), QApplication::font().pointSizeF());
    // The caption sits beneath the plots, not over them.
    gallery::Picture* electric = fieldPicture(g, 2, gallery::View::Electric);
    const QPoint plotBottom = electric->mapTo(g, QPoint(0, electric->height()));
    EXPECT_GE(caption->mapTo(g, QPoint(0, 0)).y(), plotBottom.y());
    QTest::mouseClick(electric, Qt::LeftButton);
    QWidget* large = g->findChild<QWidget*>("CampoAmpliado");
    ASSERT_TRUE(large);
    EXPECT_TRUE(large->isWindow());
    EXPECT_NE(large->minimumSize(), large->maximumSize()); // resizable
    auto* picture = large->findChild<gallery::Picture*>("Ampliado");
    ASSERT_TRUE(picture && picture->plot());
    EXPECT_EQ(picture->plot(), electric->plot());
    EXPECT_GT(picture->width(), 2 * electric->width());
    EXPECT_TRUE(large->findChild<QLabel*>("LegendaAmpliada")->text().contains(electric->plot()->caption));
}

// A narrow gap between coupled strips carries most of the odd mode's flux;
// its lines are not drawn as a knot of rings: no line's middle comes
// closer to another line than the plot can show apart (a 160th of its
// width, five times over).
TEST_F(GallerySection, NarrowGapOddModeLinesStandApart)
{
    const Texts narrowGap = {{"frequencia", "10"}, {"ComboBox2", "10.2"}, {"ComboBox1", "57600000"},
                             {"Tanperda", "0.001"}, {"largura", "0.6"},   {"Separacao", "0.05"},
                             {"ComboBox4", "0.635"}, {"ComboBox3", "0.0175"}};
    CalculatorWindow* w = computed(26, narrowGap);
    ASSERT_TRUE(w->computed());
    const fieldsolve::CheckPlan plan = fieldsolve::planCheck(w->description(), w->fieldTexts());
    ASSERT_EQ(plan.kind, fieldsolve::CheckPlan::Kind::Ready) << plan.message;
    const gallery::OwnViews views = gallery::solvedViews(plan);
    bool odd = false;
    for (const auto& [view, plot] : views.views) {
        if (view != gallery::View::ElectricOdd)
            continue;
        odd = true;
        ASSERT_GT(plot.lines.size(), 4u);
        const double apart = 5 * (plot.view.x1 - plot.view.x0) / 160;
        for (std::size_t a = 0; a < plot.lines.size(); ++a)
            for (std::size_t b = 0; b < plot.lines.size(); ++b) {
                if (a == b || fieldsolve::length(plot.lines[a]) > fieldsolve::length(plot.lines[b]))
                    continue;
                // a is the shorter: its middle stays clear of b.
                const auto& la = plot.lines[a];
                const fieldsolve::Pt mid = la[la.size() / 2];
                double nearest = 1e300;
                for (const auto& q : plot.lines[b])
                    nearest = std::min(nearest, std::hypot(q.x - mid.x, q.y - mid.y));
                EXPECT_GT(nearest, 0.5 * apart) << a << " / " << b;
            }
    }
    EXPECT_TRUE(odd);
}
