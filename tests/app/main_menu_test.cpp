// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu as the user sees it, pinned whole: captions with their
// accelerators, object names, order, enabling and the window each item opens.
// The menu is built from the window descriptions, so this is what keeps a
// change there from moving or renaming an item unnoticed.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include "app/principal.h"
#include "tests/ui/scripted_platform.h"

using namespace tarvel::ui;

namespace {

// One line per action: indent by depth, caption, object name, what it is.
void walk(const QList<QAction*>& actions, int depth, QStringList& out)
{
    for (QAction* a : actions) {
        QString line = QString(depth * 2, ' ') + a->text() + " [" + a->objectName() + "]";
        if (a->isSeparator())
            line += " separator";
        if (QMenu* m = a->menu())
            line += " menu " + m->objectName();
        for (const auto& e : TForm1::menuEntries())
            if (e.window && a->objectName() == e.name)
                line += " window " + QString::number(e.window);
        if (!a->isEnabled())
            line += " disabled";
        out << line;
        if (a->menu())
            walk(a->menu()->actions(), depth + 1, out);
    }
}

} // namespace

TEST(MainMenu, EveryItemInItsPlace)
{
    tarvel::test::ScriptedPlatform platform;
    TForm1 main;
    QStringList seen;
    walk(main.menuBar()->actions(), 0, seen);
    const QStringList expected = QString::fromUtf8(R"(&Análise [analiseItem] menu analise
  &Bifilar [bifilar] window 2
  &Cabo Coaxial [coaxial] window 3
  Microstrip [Microfita1Item] menu Microfita1
    Substrato Não Condutor [SubstratoNoCondutor1] window 4
    Substrato Condutor [SubstratoCondutor1] window 6
  StripLine [Stripline1Item] menu Stripline1
    Substrato Não Condutor [SubstratoNoCondutor2] window 5
    Substrato Condutor [SubstratoCondutor2] window 7
  &SlotLine [SlotLine1] window 8
  Coplanares [Coplanar1Item] menu Coplanar1
    WaveGuide - CPW [CPW1Item] menu CPW1
      Substrato Não Condutor [SubstratoCondutor3] window 11
      Substrato Condutor [SubstratoCondutor4] window 12
    Strips - CPS [CPS1Item] menu CPS1
      Substrato Não Condutor [SubstratoNoCondutor3] window 13
      Substrato Condutor [SubstratoCondutor5] window 14
  Acopladas [Acopladas1Item] menu Acopladas1
    Microstrip [Microfita3] window 26
    StripLine [StripLine4] window 20
&Síntese [sinteseItem] menu sintese
  &Bifilar [Bifilar1] window 16
  &Cabo Coaxial [Coaxial1] window 15
  Microstrip [MicroFita2Item] menu MicroFita2
    Substrato Não Condutor [SubstratoNoCondutor5] window 17
    Substrato Condutor [SubstratoCondutor7] window 18
  StripLine [StripLine3Item] menu StripLine3
    Substrato Não Condutor [SubstratoNoCondutor6] window 19
    Substrato Condutor [SubstratoCondutor8] window 22
  Acopladas [Acopladas3Item] menu Acopladas3
    Microstrip [Microfita4] window 29
    StripLine [StripLine2] window 27
Solução de &Campo [Campo1Item] menu Campo1
  Projeto de Linha por Solução de Campo [ProjetoCampo1]
&Geometria [Geometria1]
Ajuda [] menu Ajuda
  &Tutorial [Tutorial1]
   [N1] separator
  So&bre... [Sobre1]
Sai&r [Sair1])").split('\n');
    EXPECT_EQ(seen, expected) << seen.join('\n').toStdString();
}
