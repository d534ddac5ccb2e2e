// SPDX-License-Identifier: GPL-3.0-or-later
#include "principal.h"


#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

#include "About.h"
#include "Ajuda.h"
#include "Geome.h"
#include "designer_window.h"
#include "field_line.h"
#include "forms.h"
#include "framework/ui/calculator_window.h"
#include "framework/ui/icons.h"
#include "framework/ui/navigation.h"
#include "models/all_windows.h"

namespace tarvel::ui {

const QList<TForm1::MenuEntry>& TForm1::menuEntries()
{
    // Each window's item under its submenus; a submenu comes where its first
    // window does.
    static const QList<MenuEntry> entries = [] {
        QList<MenuEntry> list;
        QList<const MenuFolder*> shown;
        for (const WindowDescription* w : mainMenuWindows()) {
            QList<const MenuFolder*> chain;
            for (const MenuFolder* f = w->menu.folder; f; f = f->parent)
                chain.prepend(f);
            QStringList path;
            for (const MenuFolder* f : chain) {
                path << QString::fromUtf8(f->caption);
                if (!shown.contains(f)) {
                    shown << f;
                    list.append({path, f->name, 0});
                }
            }
            list.append({path << QString::fromUtf8(w->menu.caption), w->menu.name.c_str(), w->number});
        }
        return list;
    }();
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
    // The field designer, in a submenu of its own after the windows of the
    // descriptions.
    QMenu* campo = bar->addMenu(QString::fromUtf8("Solução de &Campo"));
    campo->setObjectName("Campo1");
    campo->menuAction()->setObjectName("Campo1Item");
    QAction* designer = campo->addAction(DesignerWindow::title());
    designer->setObjectName("ProjetoCampo1");
    connect(designer, &QAction::triggered, this, &TForm1::openDesigner);
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

QWidget* TForm1::openDesigner()
{
    auto* w = new DesignerWindow;
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
    // "Conteúdo e índice": the tutorial at the section of the window's lines.
    CalculatorWindow::sectionAsked = [](QWidget* tutorial, const CalculatorWindow& caller) {
        if (auto* t = qobject_cast<TForm10*>(tutorial))
            t->showSection(TForm10::sectionOf(QString::fromStdString(caller.description().unit)));
    };
    // A computed window's own cross-section in the gallery's field views.
    CalculatorWindow::galleryOpened = [](QWidget* gallery, const CalculatorWindow& caller) {
        if (auto* g = qobject_cast<TForm9*>(gallery))
            g->showSection(caller.description(), caller.fieldTexts(), const_cast<CalculatorWindow*>(&caller));
    };
    // The field's own answer beneath every window's results.
    installFieldLine();
}

} // namespace tarvel::ui
