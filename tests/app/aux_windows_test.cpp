// SPDX-License-Identifier: GPL-3.0-or-later
// The gallery, the tutorial and the about box: what they show, the tab each
// caller selects, how many of them exist, and the hand-back on every close.
#include <functional>

#include <QPainter>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTest>

#include <gtest/gtest.h>

#include "app/About.h"
#include "app/Ajuda.h"
#include "app/Geome.h"
#include "app/gallery_drawings.h"
#include "app/forms.h"
#include "framework/ui/navigation.h"
#include "models/all_windows.h"

using namespace tarvel::ui;

namespace {

int openCount(Aux kind)
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const QVariant v = w->property("auxKind");
        n += v.isValid() && v.toInt() == int(kind) && w->isVisible();
    }
    return n;
}

// A stand-in caller: a top-level window with a number and the three
// opening commands.
struct Caller : QWidget {
    explicit Caller(int n)
    {
        setWindowNumber(this, n);
        for (const char* name : {"Geometria1", "Tutorial1", "Sobre1"}) {
            auto* a = new QAction(name, this);
            a->setObjectName(name);
            addAction(a);
        }
        show();
    }
    bool enabled(Aux kind) const { return findChild<QAction*>(Navigation::commandName(kind))->isEnabled(); }
};

struct AuxWindows : ::testing::Test {
    void SetUp() override { Navigation::instance().clearAll(); }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->property("auxKind").isValid() && w->isVisible())
                w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Navigation::instance().clearAll();
    }
    static QTabWidget* galleryTabs()
    {
        QWidget* g = Navigation::findOpen(Aux::Gallery);
        return g ? g->findChild<QTabWidget*>("TabbedNotebook1") : nullptr;
    }
};

// Every calculator window and the tab of its structure.
const struct {
    int window, tab;
} kWindowTabs[] = {
    {2, 0},  {16, 0}, {3, 1},  {15, 1}, {4, 2},  {6, 2},  {17, 2}, {18, 2}, {5, 3},  {7, 3},  {19, 3},
    {22, 3}, {8, 4},  {11, 5}, {12, 5}, {13, 6}, {14, 6}, {26, 7}, {29, 7}, {20, 8}, {27, 8},
};

} // namespace

TEST_F(AuxWindows, EachCallerSelectsTheTabOfItsStructure)
{
    for (const auto& c : kWindowTabs) {
        EXPECT_EQ(TForm9::tabForWindow(c.window), c.tab) << "window " << c.window;
        // Start from another tab so that the selection has to move.
        Navigation::instance().open(Aux::Gallery, nullptr, 1);
        ASSERT_TRUE(galleryTabs());
        galleryTabs()->setCurrentIndex((c.tab + 4) % 9);
        Navigation::instance().open(Aux::Gallery, nullptr, c.window, TForm9::tabForWindow(c.window));
        EXPECT_EQ(galleryTabs()->currentIndex(), c.tab) << "window " << c.window;
        EXPECT_EQ(openCount(Aux::Gallery), 1);
    }
    EXPECT_EQ(TForm9::tabForWindow(1), -1);
    EXPECT_EQ(TForm9::tabForWindow(9), -1);
}

TEST_F(AuxWindows, WindowDescriptionsAskForTheirStructuresTab)
{
    for (const tarvel::WindowDescription* d : tarvel::allWindows())
        EXPECT_EQ(galleryTab(d->section.kind), TForm9::tabForWindow(d->number)) << "window " << d->number;
}

// The kinds of section are in the order of the gallery's tabs: each kind's
// tab carries its name.
TEST_F(AuxWindows, EachKindOfSectionHasTheTabOfItsName)
{
    ASSERT_EQ(TForm9::tabCaptions().size(), tarvel::kSectionKinds);
    for (int k = 0; k < tarvel::kSectionKinds; ++k) {
        const auto kind = static_cast<tarvel::SectionKind>(k);
        EXPECT_EQ(TForm9::tabCaptions()[tarvel::galleryTab(kind)], QString::fromUtf8(tarvel::sectionName(kind)));
    }
}

TEST_F(AuxWindows, MainWindowKeepsTheTabAndANewGalleryStartsAtTheFirst)
{
    Navigation& nav = Navigation::instance();
    nav.open(Aux::Gallery, nullptr, 1);
    EXPECT_EQ(galleryTabs()->currentIndex(), 0);
    nav.open(Aux::Gallery, nullptr, 3, TForm9::tabForWindow(3));
    EXPECT_EQ(galleryTabs()->tabText(galleryTabs()->currentIndex()), QString("Cabo Coaxial"));
    nav.open(Aux::Gallery, nullptr, 1);
    EXPECT_EQ(galleryTabs()->currentIndex(), 1);
    EXPECT_EQ(openCount(Aux::Gallery), 1);
}

TEST_F(AuxWindows, MenusOpenOneGalleryAndOneTutorialButANewAboutBoxEachTime)
{
    struct Case {
        Aux kind;
        int expected;
    } cases[] = {{Aux::Gallery, 1}, {Aux::Tutorial, 1}, {Aux::About, 3}};
    for (const Case& c : cases) {
        Caller a(2), b(16);
        Navigation::instance().open(c.kind, &a, 2, 0);
        Navigation::instance().open(c.kind, &b, 16, 0);
        Navigation::instance().open(c.kind, nullptr, 1);
        EXPECT_EQ(openCount(c.kind), c.expected) << int(c.kind);
        TearDown();
    }
}

TEST_F(AuxWindows, CpwOnConductingSubstrateOpensAGalleryOfItsOwnEachTime)
{
    CalculatorWindow* w = createCalculatorWindow(12);
    if (!w)
        GTEST_SKIP() << "window 12 is not built yet";
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    w->Geometria1Click();
    w->Geometria1Click();
    EXPECT_EQ(openCount(Aux::Gallery), 2);
    EXPECT_FALSE(Navigation::instance().flag(12));
    for (QWidget* t : QApplication::topLevelWidgets()) {
        if (t->property("auxKind").isValid() && t->isVisible()) {
            EXPECT_EQ(t->findChild<QTabWidget*>("TabbedNotebook1")->currentIndex(), 5);
        }
    }
    w->close();
}

TEST_F(AuxWindows, GalleryPagesCarryTheirLegendsAndViews)
{
    const QStringList captions = {"Bifilar", "Cabo Coaxial", "Microstrip", "Stripline", "Slotline",
                                  "CPW", "CPS", "Acoplada Microstrip", "Acoplada StripLine"};
    // Legend lines in order; the numbers are the field plots each page has.
    const struct {
        int plots;
        bool permittivity;
        QStringList lines;
    } pages[] = {
        {2, false,
         {"Vista em prespectiva:", "Vista frontal:", QString::fromUtf8("S - Espaçamento centro-a-centro entre os condutores."),
          QString::fromUtf8("d - Diâmetro do condutor interno."), QString::fromUtf8("Campo Elétrico - E."),
          QString::fromUtf8("Campo Magnético - H.")}},
        {2, true,
         {"Vista lateral:", "Vista frontal:", QString::fromUtf8("2a - Diâmetro do condutor interno."),
          QString::fromUtf8("2b - Diâmetro interno do condutor externo. "),
          QString::fromUtf8("2c - Diâmetro externo do condutor externo."),
          QString::fromUtf8("- Constante dielétrica relativa."), QString::fromUtf8("Campo Elétrico - E."),
          QString::fromUtf8("Campo Magnético - H.")}},
        {2, true,
         {"Vista frontal:", "Vista em perspectiva.", "W - Largura da fita condutora.",
          QString::fromUtf8("H - Altura do substrato dielétrico."), "t - Espessura da fita condutora.",
          QString::fromUtf8("- Constante dielétrica relativa."), QString::fromUtf8("Campo Elétrico - E."),
          QString::fromUtf8("Campo Magnético - H.")}},
        {2, true,
         {"Vista frontal: ", "Vista em perspectiva:", "W - Largura da fita condutora.",
          QString::fromUtf8("b=2H - Altura do substrato dielétrico."), "t - Espessura da fita condutora.",
          QString::fromUtf8("- Constante dielétrica relativa."), QString::fromUtf8("Campo Elétrico - E."),
          QString::fromUtf8("Campo Magnético - H.")}},
        {2, true,
         {"Vista Frontal:", "Vista em perspectiva:", "W - Largura da fenda.",
          QString::fromUtf8("H - Altura do substrato dielétrico."), "t - Espessura da fita condutora. ",
          QString::fromUtf8("- Constante dielétrica relativa."), QString::fromUtf8("Campo Elétrico - E."),
          QString::fromUtf8("Campo Magnético - H.")}},
        {2, true,
         {"Vista frontal:", "Vista em perspectiva:", "W - Largura das fendas.", "S - Largura da fita condutora.",
          QString::fromUtf8("H - Altura do substrato dielétrico."),
          QString::fromUtf8("- Constante dielétrica relativa."), QString::fromUtf8("Campo Elétrico - E."),
          QString::fromUtf8("Campo Magnético - H.")}},
        {2, true,
         {"Vista frontal:", "Vista em perspectiva:", "W - Largura das fitas condutoras.",
          QString::fromUtf8("S - Separação entre as fitas condutoras."),
          QString::fromUtf8("H - Altura do substrato dielétrico."), "t - Espessura da fita condutora.",
          QString::fromUtf8("- Constante dielétrica relativa."), QString::fromUtf8("Campo Elétrico - E."),
          QString::fromUtf8("Campo Magnético - H.")}},
        {4, false,
         {"Vista frontal:", "Vista em perspectiva:", "W - Largura das fitas condutoras.",
          QString::fromUtf8("S - Separação entre as fitas."), QString::fromUtf8("H - Altura do substrato dielétrico."),
          "t - Espessura das fitas condutoras.", QString::fromUtf8("Campo Elétrico - Modo Par."),
          QString::fromUtf8("Campo Elétrico - Modo Ímpar."), QString::fromUtf8("Campo Magnético - Modo Par."),
          QString::fromUtf8("Campo Magnético - Modo Ímpar.")}},
        {4, false,
         {"Vista frontal:", "Vista em perspectiva:", "W - Largura da fita condutora.",
          QString::fromUtf8("S - Separação entre as fitas condutoras."),
          QString::fromUtf8("b= 2H - Altura do substrato dielétrico."), "t - Espessura da fita condutora.",
          QString::fromUtf8("Campo Elétrico - Modo Par."), QString::fromUtf8("Campo Elétrico - Modo Ímpar."),
          QString::fromUtf8("Campo Magnético - Modo Par."), QString::fromUtf8("Campo Magnético - Modo Ímpar.")}},
    };
    TForm9 g;
    ASSERT_EQ(g.tabs()->count(), 9);
    for (int t = 0; t < 9; ++t) {
        EXPECT_EQ(g.tabs()->tabText(t), captions[t]);
        QWidget* page = g.tabs()->widget(t);
        QStringList texts;
        for (QLabel* l : page->findChildren<QLabel*>())
            if (l->objectName() != "LegendaCampo") // the field's line, empty for the example
                texts << l->text();
        EXPECT_EQ(texts, pages[t].lines) << "tab " << t;
        EXPECT_EQ(TForm9::legend(t), pages[t].lines) << "tab " << t;
        int perspective = 0, front = 0, fields = 0, eps = 0;
        for (auto* p : page->findChildren<gallery::Picture*>()) {
            perspective += p->view() == gallery::View::Perspective;
            front += p->view() == gallery::View::Front;
            eps += p->view() == gallery::View::Permittivity;
            fields += p->view() != gallery::View::Perspective && p->view() != gallery::View::Front &&
                      p->view() != gallery::View::Permittivity;
            EXPECT_EQ(int(p->structure()), t);
        }
        EXPECT_EQ(perspective, 1) << "tab " << t;
        EXPECT_EQ(front, 1) << "tab " << t;
        EXPECT_EQ(fields, pages[t].plots) << "tab " << t;
        EXPECT_EQ(eps, pages[t].permittivity ? 1 : 0) << "tab " << t;
    }
}

TEST_F(AuxWindows, GalleryHasAFixedWhiteClientAreaOf628By373)
{
    TForm9 g;
    g.show();
    QApplication::processEvents();
    EXPECT_EQ(g.centralWidget()->size(), QSize(628, 373));
    EXPECT_EQ(g.minimumSize(), g.maximumSize());
    EXPECT_EQ(g.tabs()->widget(0)->palette().color(QPalette::Window), QColor(Qt::white));
    QList<QAction*> menu = g.menuBar()->actions();
    ASSERT_EQ(menu.size(), 1);
    EXPECT_EQ(menu[0]->text(), QString("&Sair"));
    EXPECT_EQ(menu[0]->objectName(), QString("Sair1"));
}

// Rendering a view gives ink inside its design box and leaves nothing
// outside the scaled box; at twice the size the drawing simply grows.
TEST_F(AuxWindows, ViewsScaleToTheirRectangle)
{
    using gallery::View;
    const View views[] = {View::Perspective, View::Front, View::Electric, View::Magnetic};
    for (int s = 0; s < 9; ++s)
        for (View v : views) {
            const auto structure = gallery::Structure(s);
            const bool coupledLines = s >= 7;
            const View view = !coupledLines ? v : v == View::Electric ? View::ElectricOdd
                                                  : v == View::Magnetic ? View::MagneticEven
                                                                         : v;
            const QSizeF size = gallery::designSize(structure, view);
            for (double scale : {1.0, 2.0}) {
                QImage img((size * scale).toSize() + QSize(40, 40), QImage::Format_ARGB32);
                img.fill(Qt::transparent);
                {
                    QPainter p(&img);
                    gallery::paint(p, QRectF(QPointF(20, 20), size * scale), structure, view);
                }
                int inside = 0, outside = 0;
                for (int y = 0; y < img.height(); ++y)
                    for (int x = 0; x < img.width(); ++x) {
                        const bool ink = qAlpha(img.pixel(x, y)) > 0;
                        const bool in = x >= 19 && y >= 19 && x <= 21 + size.width() * scale &&
                                        y <= 21 + size.height() * scale;
                        (in ? inside : outside) += ink;
                    }
                EXPECT_GT(inside, 200 * scale * scale) << s << "/" << int(view);
                EXPECT_EQ(outside, 0) << s << "/" << int(view);
            }
        }
}

// A perspective view ends inside its box: nothing of it is cut at the
// right edge (the last columns of the box stay clear).
TEST_F(AuxWindows, PerspectiveViewsAreNotCutAtTheRight)
{
    for (int s = 0; s < 9; ++s) {
        const auto structure = gallery::Structure(s);
        const QSizeF size = gallery::designSize(structure, gallery::View::Perspective);
        QImage img(size.toSize(), QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            gallery::paint(p, QRectF(QPointF(0, 0), size), structure, gallery::View::Perspective);
        }
        int edge = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = img.width() - 2; x < img.width(); ++x)
                edge += qAlpha(img.pixel(x, y)) > 0;
        EXPECT_EQ(edge, 0) << "tab " << s;
    }
}

TEST_F(AuxWindows, EveryWayOfClosingHandsTheCommandBack)
{
    auto viaMenu = [](QWidget* w) {
        for (QAction* a : w->findChildren<QAction*>("Sair1"))
            a->trigger();
    };
    auto viaCloseBox = [](QWidget* w) { w->close(); };
    auto viaButton = [](QWidget* w) { w->findChild<QPushButton*>("OKButton")->click(); };
    auto viaEscape = [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); };
    const struct {
        Aux kind;
        const char* how;
        std::function<void(QWidget*)> close;
    } cases[] = {
        {Aux::Gallery, "Sair", viaMenu},       {Aux::Gallery, "close box", viaCloseBox},
        {Aux::Tutorial, "Sair", viaMenu},      {Aux::Tutorial, "close box", viaCloseBox},
        {Aux::About, "Sair button", viaButton}, {Aux::About, "close box", viaCloseBox},
        {Aux::About, "Escape", viaEscape},
    };
    for (const auto& c : cases) {
        Caller caller(4);
        QWidget* aux = Navigation::instance().open(c.kind, &caller, 4, 2);
        ASSERT_TRUE(aux) << c.how;
        EXPECT_FALSE(caller.enabled(c.kind)) << c.how;
        EXPECT_TRUE(Navigation::instance().flag(4));
        c.close(aux);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(caller.enabled(c.kind)) << int(c.kind) << " " << c.how;
        EXPECT_FALSE(Navigation::instance().flag(4)) << c.how;
        EXPECT_EQ(openCount(c.kind), 0) << c.how;
    }
}

TEST_F(AuxWindows, AboutBoxShowsProductVersionAndExit)
{
    TAboutBox box;
    auto* product = box.findChild<QLabel*>("ProductName");
    ASSERT_TRUE(product);
    EXPECT_EQ(product->text(), product->text().toUpper());
    EXPECT_TRUE(product->styleSheet().contains("red"));
    EXPECT_TRUE(product->styleSheet().contains("italic"));
    EXPECT_TRUE(product->styleSheet().contains("bold"));
    EXPECT_EQ(box.findChild<QLabel*>("Version")->text(), QString::fromUtf8("Versão 1.0"));
    EXPECT_FALSE(box.findChild<QLabel*>("ProgramIcon")->pixmap().isNull());
    auto* exit = box.findChild<QPushButton*>("OKButton");
    EXPECT_EQ(exit->text(), QString("Sai&r"));
    EXPECT_EQ(exit->toolTip(), QString("Sair"));
}

// The about box tells the project's real facts: name, the build's version,
// licence, page, and each library used with its licence; no stand-in text.
TEST_F(AuxWindows, AboutBoxTellsTheProjectsFacts)
{
    TAboutBox box;
    QStringList texts;
    for (QLabel* l : box.findChildren<QLabel*>())
        texts << l->text();
    const QString all = texts.join('\n');
    EXPECT_EQ(box.findChild<QLabel*>("Version")->text(), QString::fromUtf8("Versão ") + TARVEL_VERSION);
    for (const char* fact : {"Projeto Tarvel 98", "GPL-3.0-or-later", TARVEL_HOMEPAGE, "Qt ", "CHOLMOD",
                             "LGPL-2.1-or-later", "Supernodal, GPL-2.0-or-later", "Eigen — MPL-2.0",
                             "OpenBLAS — BSD-3-Clause", "LGPL-3.0"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(fact))) << fact;
    EXPECT_TRUE(all.contains(QString::fromLatin1(qVersion())));
    for (const char* placeholder : {"Instituição:", "Telefone e fax", "universidade que abriga", "Orientação:"})
        EXPECT_FALSE(all.contains(QString::fromUtf8(placeholder))) << placeholder;
    // The page is a link that opens in the desktop's browser.
    auto* page = box.findChild<QLabel*>("HomePage");
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->openExternalLinks());
    EXPECT_TRUE(page->text().contains(QStringLiteral("href=\"" TARVEL_HOMEPAGE "\"")));
}

// The page beside the executable, found from any working directory,
// reloaded on each show; a missing page gives a page of our own.
TEST_F(AuxWindows, TutorialLoadsThePageBesideTheExecutable)
{
    const QString path = TForm10::pagePath();
    EXPECT_EQ(QFileInfo(path).absolutePath(), QDir(QCoreApplication::applicationDirPath()).absolutePath());
    EXPECT_EQ(QFileInfo(path).fileName(), QString("principal.htm"));
    if (QFile::exists(path))
        GTEST_SKIP() << "a page is already beside the test executable";

    auto text = [](TForm10& t) { return t.findChild<QTextBrowser*>("WebBrowser1")->toPlainText(); };
    {
        TForm10 missing;
        missing.show();
        EXPECT_TRUE(text(missing).contains("principal.htm"));
        EXPECT_TRUE(text(missing).contains(QString::fromUtf8("não encontrado")));
    }
    QTemporaryDir elsewhere;
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    struct Restore {
        QString cwd, page;
        ~Restore()
        {
            QDir::setCurrent(cwd);
            QFile::remove(page);
        }
    } restore{cwd, path};
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARVEL_SOURCE_DIR "/resources/principal.htm"), path));
    TForm10 t;
    t.show();
    EXPECT_TRUE(text(t).contains("Tutorial do Tarvel"));
    EXPECT_TRUE(text(t).contains(QString::fromUtf8("Cabo coaxial")));
    EXPECT_EQ(t.windowTitle(), QString("Tutorial do Tarvel"));
    t.hide();
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("<html><body><p>segunda leitura</p></body></html>");
    }
    t.show();
    EXPECT_TRUE(text(t).contains("segunda leitura"));
}
