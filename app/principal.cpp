#include "principal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

#include "About.h"
#include "Ajuda.h"
#include "Geome.h"
#include "forms.h"
#include "framework/ui/icons.h"
#include "framework/ui/navigation.h"

namespace tarvel::ui {

const QList<TForm1::MenuEntry>& TForm1::menuEntries()
{
    const QString an = QString::fromUtf8("&Análise"), si = QString::fromUtf8("&Síntese");
    const QString nc = QString::fromUtf8("Substrato Não Condutor"), co = QString::fromUtf8("Substrato Condutor");
    static const QList<MenuEntry> entries = {
        {{an}, "analise", 0},
        {{an, "&Bifilar"}, "bifilar", 2},
        {{an, "&Cabo Coaxial"}, "coaxial", 3},
        {{an, "Microstrip"}, "Microfita1", 0},
        {{an, "Microstrip", nc}, "SubstratoNoCondutor1", 4},
        {{an, "Microstrip", co}, "SubstratoCondutor1", 6},
        {{an, "StripLine"}, "Stripline1", 0},
        {{an, "StripLine", nc}, "SubstratoNoCondutor2", 5},
        {{an, "StripLine", co}, "SubstratoCondutor2", 7},
        {{an, "&SlotLine"}, "SlotLine1", 8},
        {{an, "Coplanares"}, "Coplanar1", 0},
        {{an, "Coplanares", "WaveGuide - CPW"}, "CPW1", 0},
        {{an, "Coplanares", "WaveGuide - CPW", nc}, "SubstratoCondutor3", 11},
        {{an, "Coplanares", "WaveGuide - CPW", co}, "SubstratoCondutor4", 12},
        {{an, "Coplanares", "Strips - CPS"}, "CPS1", 0},
        {{an, "Coplanares", "Strips - CPS", nc}, "SubstratoNoCondutor3", 13},
        {{an, "Coplanares", "Strips - CPS", co}, "SubstratoCondutor5", 14},
        {{an, "Acopladas"}, "Acopladas1", 0},
        {{an, "Acopladas", "Microstrip"}, "Microfita3", 26},
        {{an, "Acopladas", "StripLine"}, "StripLine4", 20},
        {{si}, "sintese", 0},
        {{si, "&Bifilar"}, "Bifilar1", 16},
        {{si, "&Cabo Coaxial"}, "Coaxial1", 15},
        {{si, "Microstrip"}, "MicroFita2", 0},
        {{si, "Microstrip", nc}, "SubstratoNoCondutor5", 17},
        {{si, "Microstrip", co}, "SubstratoCondutor7", 18},
        {{si, "StripLine"}, "StripLine3", 0},
        {{si, "StripLine", nc}, "SubstratoNoCondutor6", 19},
        {{si, "StripLine", co}, "SubstratoCondutor8", 22},
        {{si, "Acopladas"}, "Acopladas3", 0},
        {{si, "Acopladas", "Microstrip"}, "Microfita4", 29},
        {{si, "Acopladas", "StripLine"}, "StripLine2", 27},
    };
    return entries;
}

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("Form1");
    setWindowNumber(this, 1);
    Navigation::instance().setReferenced(1, this);
    setWindowTitle(QString::fromUtf8("Tarvel - Ambiente computacional para análise e síntese de linha de transmissão"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QFont f(QStringLiteral("MS Sans Serif"), 8);
    f.setBold(true);
    setFont(f);

    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    QHash<QString, QMenu*> menus; // by joined path
    for (const MenuEntry& e : menuEntries()) {
        const QString parentKey = e.path.mid(0, e.path.size() - 1).join('/');
        QMenu* parentMenu = menus.value(parentKey);
        if (e.window == 0) { // a submenu
            QMenu* m = parentMenu ? parentMenu->addMenu(e.path.last()) : bar->addMenu(e.path.last());
            m->setObjectName(e.name);
            m->menuAction()->setObjectName(QString::fromLatin1(e.name) + "Item");
            menus[e.path.join('/')] = m;
            continue;
        }
        QAction* a = parentMenu->addAction(e.path.last());
        a->setObjectName(e.name);
        const int n = e.window;
        connect(a, &QAction::triggered, this, [this, n] { openWindow(n); });
    }
    QAction* geo = bar->addAction("&Geometria");
    geo->setObjectName("Geometria1");
    connect(geo, &QAction::triggered, this, &TForm1::Geometria1Click);
    QMenu* ajuda = bar->addMenu("Ajuda");
    ajuda->setObjectName("Ajuda");
    QAction* tut = ajuda->addAction("&Tutorial");
    tut->setObjectName("Tutorial1");
    connect(tut, &QAction::triggered, this, &TForm1::Tutorial1Click);
    ajuda->addSeparator()->setObjectName("N1");
    QAction* sobre = ajuda->addAction("So&bre...");
    sobre->setObjectName("Sobre1");
    connect(sobre, &QAction::triggered, this, &TForm1::Sobre1Click);
    QAction* sair = bar->addAction("Sai&r");
    sair->setObjectName("Sair1");
    connect(sair, &QAction::triggered, this, &TForm1::Sair1Click);

    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    panel->setFixedSize(620, 197);
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(6, 6, 6, 4);
    auto* image = new QLabel(panel);
    image->setObjectName("Image1");
    image->setPixmap(bannerPicture(QSize(560, 140)));
    image->setAlignment(Qt::AlignCenter);
    v->addWidget(image, 1);
    auto* credit = new QLabel(QString::fromUtf8("Análise e síntese de linhas de transmissão para engenharia de RF"),
                              panel);
    credit->setObjectName("Label1");
    credit->setAlignment(Qt::AlignCenter);
    QFont cf = credit->font();
    cf.setBold(true);
    cf.setPixelSize(15);
    credit->setFont(cf);
    credit->setStyleSheet("color: red;");
    v->addWidget(credit);
    setCentralWidget(panel);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TForm1::openWindow(int n)
{
    CalculatorWindow* w = createCalculatorWindow(n);
    if (w)
        w->show();
    return w;
}

void TForm1::Geometria1Click() { Navigation::instance().open(Aux::Gallery, this, 1); }
void TForm1::Tutorial1Click() { Navigation::instance().open(Aux::Tutorial, this, 1); }
void TForm1::Sobre1Click() { Navigation::instance().open(Aux::About, this, 1); }

void TForm1::Sair1Click()
{
    // Nothing is asked and nothing is saved.
    QApplication::closeAllWindows();
    QApplication::quit();
}

void TForm1::closeEvent(QCloseEvent* e)
{
    e->accept();
    QApplication::quit();
}

void installAuxiliaryWindows()
{
    Navigation& nav = Navigation::instance();
    nav.createGallery = [] { return new TForm9; };
    nav.createTutorial = [] { return new TForm10; };
    nav.createAbout = [] { return new TAboutBox; };
}

} // namespace tarvel::ui
