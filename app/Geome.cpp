#include "Geome.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "framework/ui/navigation.h"

namespace tarvel::ui {

const QStringList& TForm9::tabCaptions()
{
    static const QStringList captions = {"Bifilar", "Cabo Coaxial", "Microstrip", "Stripline", "Slotline",
                                         "CPW", "CPS", "Acoplada Microstrip", "Acoplada StripLine"};
    return captions;
}

TForm9::TForm9(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("Form9");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8("Geometrias das linhas de transmissão"));
    QAction* sair = menuBar()->addAction("&Sair");
    sair->setObjectName("Sair1");
    connect(sair, &QAction::triggered, this, &QWidget::close);
    TabbedNotebook1 = new QTabWidget(this);
    TabbedNotebook1->setObjectName("TabbedNotebook1");
    for (const QString& caption : tabCaptions()) {
        auto* page = new QLabel(caption);
        page->setAlignment(Qt::AlignCenter);
        TabbedNotebook1->addTab(page, caption);
    }
    setCentralWidget(TabbedNotebook1);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    resize(628, 373 + menuBar()->sizeHint().height());
    setFixedSize(size());
}

void TForm9::closeEvent(QCloseEvent* e)
{
    Navigation::instance().handBack(Aux::Gallery);
    e->accept();
}

} // namespace tarvel::ui
