// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ajuda.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "framework/ui/navigation.h"

namespace tarvel::ui {

TForm10::TForm10(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("Form10");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Tutorial do Tarvel");
    QAction* sair = menuBar()->addAction("&Sair");
    sair->setObjectName("Sair1");
    connect(sair, &QAction::triggered, this, &QWidget::close);
    auto* bar = addToolBar("ToolBar1");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->toggleViewAction()->setVisible(false);
    WebBrowser1 = new QTextBrowser(this);
    WebBrowser1->setObjectName("WebBrowser1");
    WebBrowser1->setOpenExternalLinks(true);
    // Back along the links followed, and home to the page's top.
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), "&Voltar");
    back->setObjectName("Voltar1");
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(back, &QAction::triggered, WebBrowser1, &QTextBrowser::backward);
    connect(WebBrowser1, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QString::fromUtf8("&Início"));
    home->setObjectName("Inicio1");
    connect(home, &QAction::triggered, this, [this] { showSection(QString()); });
    setCentralWidget(WebBrowser1);
    resize(800, 600);
}

QString TForm10::pagePath()
{
    // The directory of the executable's own file, links resolved: an
    // installed program is started through a link in bin/ and its page lies
    // beside the file the link leads to.
    QFileInfo self(QCoreApplication::applicationFilePath());
    const QString dir = self.canonicalPath().isEmpty() ? self.absolutePath() : self.canonicalPath();
    return QDir(dir).filePath("principal.htm");
}

QString TForm10::sectionOf(const QString& unit)
{
    // The first prefix that the unit's name starts with.
    static const std::pair<const char*, const char*> sections[] = {
        {"Bifi", "bifilar"}, {"Coax", "coaxial"}, {"Slot", "slotline"}, {"CPW", "cpw"},   {"CPS", "cps"},
        {"AcMS", "acmicro"}, {"AcSL", "acstrip"}, {"St", "stripline"},  {"Mi", "microstrip"}, {"Ms", "microstrip"},
    };
    for (const auto& [prefix, anchor] : sections)
        if (unit.startsWith(QLatin1String(prefix)))
            return QString::fromLatin1(anchor);
    return QString();
}

void TForm10::showSection(const QString& anchor)
{
    QUrl at = WebBrowser1->source();
    if (at.isEmpty())
        return; // no page: the page telling so stays
    at.setFragment(anchor.isEmpty() ? QString() : anchor);
    if (at == WebBrowser1->source() && !anchor.isEmpty())
        WebBrowser1->scrollToAnchor(anchor);
    else
        WebBrowser1->setSource(at);
    if (anchor.isEmpty())
        WebBrowser1->verticalScrollBar()->setValue(0);
}

void TForm10::loadPage()
{
    const QString path = pagePath();
    if (QFile::exists(path)) {
        WebBrowser1->setSource(QUrl::fromLocalFile(path));
        WebBrowser1->reload();
        return;
    }
    WebBrowser1->setHtml(QString::fromUtf8("<h2>Tutorial não encontrado</h2><p>O arquivo <b>%1</b> não existe. "
                                           "Ele deve estar na mesma pasta do programa.</p>")
                             .arg(path.toHtmlEscaped()));
}

void TForm10::showEvent(QShowEvent* e)
{
    loadPage();
    QMainWindow::showEvent(e);
}

void TForm10::closeEvent(QCloseEvent* e)
{
    Navigation::instance().handBack(Aux::Tutorial);
    e->accept();
}

} // namespace tarvel::ui
