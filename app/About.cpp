#include "About.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "framework/ui/navigation.h"

namespace tarvel::ui {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName("AboutBox");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8("Laboratório de Linhas de Transmissão"));
    auto* layout = new QVBoxLayout(this);
    auto* product = new QLabel(QString::fromUtf8(
        "AMBIENTE COMPUTACIONAL PARA ANÁLISE E SÍNTESE DE LINHAS DE TRANSMISSÃO"));
    product->setObjectName("ProductName");
    product->setStyleSheet("color: red; font-weight: bold; font-style: italic;");
    product->setWordWrap(true);
    layout->addWidget(product);
    auto* version = new QLabel(QString::fromUtf8("Versão 1.0"));
    version->setObjectName("Version");
    version->setStyleSheet("font-weight: bold;");
    layout->addWidget(version);
    auto* ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), "Sai&r");
    ok->setObjectName("OKButton");
    ok->setToolTip("Sair");
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(ok, 0, Qt::AlignCenter);
}

void TAboutBox::closeEvent(QCloseEvent* e)
{
    Navigation::instance().handBack(Aux::About);
    e->accept();
}

// Escape and the window manager both end here; hand back once, via close.
void TAboutBox::done(int r)
{
    QDialog::done(r);
    close();
}

} // namespace tarvel::ui
