// A computed calculator window that opens the gallery sees its own cross-
// section in the field views of its tab: to scale, solved off the GUI
// thread, with the field's Z0 beside the formula's; the same field Z0 as
// "tarvel-calc check" gives for the same inputs.
#include <cstdio>
#include <string>

#include <QApplication>
#include <QProgressBar>
#include <QTabWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "app/Geome.h"
#include "app/gallery_drawings.h"
#include "app/forms.h"
#include "framework/ui/navigation.h"

using namespace tarvel;
using namespace tarvel::ui;

namespace {

const std::vector<std::pair<const char*, const char*>> kMicrostrip = {
    {"frequencia", "1"}, {"Combobox2", "4.4"}, {"Combobox1", "57600000"}, {"Tanperda", "0.02"},
    {"largura", "3"},    {"ComboBox4", "1.6"}, {"ComboBox3", "0.035"}};

CalculatorWindow* computedMicrostrip()
{
    CalculatorWindow* w = createCalculatorWindow(4);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    for (const auto& [control, text] : kMicrostrip)
        w->setControlText(control, QString::fromUtf8(text));
    w->Calcular1Click();
    return w;
}

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
    ASSERT_TRUE(electric && electric->own());
    EXPECT_TRUE(g->solving());
    EXPECT_TRUE(g->findChild<QProgressBar*>("ProgressoCampo")->isVisible());
    EXPECT_TRUE(electric->own()->lines.empty());
    QTRY_VERIFY_WITH_TIMEOUT(!g->solving(), 60000);
    EXPECT_FALSE(g->findChild<QProgressBar*>("ProgressoCampo")->isVisible());
    const gallery::OwnSection* own = electric->own();
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
    ASSERT_TRUE(magnetic && magnetic->own());
    EXPECT_EQ(magnetic->own()->caption, own->caption);
    EXPECT_FALSE(magnetic->own()->lines.empty());
    // The tab's legend is as before.
    EXPECT_EQ(TForm9::legend(2).size(), 8);
}

TEST_F(GallerySection, ASolveWhoseWindowHasGoneIsDropped)
{
    CalculatorWindow* w = computedMicrostrip();
    w->Geometria1Click();
    TForm9* g = openGallery();
    ASSERT_TRUE(g);
    w->close(); // before the solve can report
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTRY_VERIFY_WITH_TIMEOUT(!g->solving(), 60000);
    gallery::Picture* electric = fieldPicture(g, 2, gallery::View::Electric);
    ASSERT_TRUE(electric && electric->own());
    EXPECT_TRUE(electric->own()->lines.empty());
    EXPECT_TRUE(electric->own()->caption.startsWith(QString::fromUtf8("Resolvendo")));
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
    EXPECT_EQ(fieldPicture(g, 2, gallery::View::Electric)->own(), nullptr);
}
