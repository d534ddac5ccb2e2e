#include "Ajuda.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
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
    WebBrowser1 = new QTextBrowser(this);
    WebBrowser1->setObjectName("WebBrowser1");
    WebBrowser1->setOpenExternalLinks(true);
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
