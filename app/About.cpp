#include "About.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "gallery_drawings.h"
#include "framework/ui/navigation.h"

namespace tarvel::ui {

namespace {

// The box's icon: the electric field of a coaxial cable, drawn like the
// gallery's plots.
QPixmap aboutIcon(int side)
{
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    gallery::paint(p, QRectF(0, 0, side, side), gallery::Structure::Coax, gallery::View::Electric);
    return pm;
}

QFrame* panel(QWidget* parent)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::Panel);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

QLabel* line(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setWordWrap(true);
    return l;
}

} // namespace

QString TAboutBox::productLine()
{
    return QString::fromUtf8("AMBIENTE COMPUTACIONAL PARA ANÁLISE E SÍNTESE DE LINHAS DE TRANSMISSÃO");
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName("AboutBox");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8("Laboratório de Linhas de Transmissão"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);

    // Upper panel: icon, product, version and credits.
    QFrame* upper = panel(this);
    upper->setObjectName("Panel1");
    auto* top = new QHBoxLayout(upper);
    auto* icon = new QLabel(upper);
    icon->setObjectName("ProgramIcon");
    icon->setPixmap(aboutIcon(64));
    icon->setAlignment(Qt::AlignTop);
    top->addWidget(icon);
    auto* texts = new QVBoxLayout;
    auto* product = new QLabel(productLine(), upper);
    product->setObjectName("ProductName");
    product->setStyleSheet("color: red; font-weight: bold; font-style: italic;");
    product->setWordWrap(true);
    texts->addWidget(product);
    auto* version = new QLabel(QString::fromUtf8("Versão 1.0"), upper);
    version->setObjectName("Version");
    version->setStyleSheet("font-weight: bold;");
    texts->addWidget(version);
    const char* credits[] = {
        "Autoria: equipe de desenvolvimento do projeto Tarvel.",
        "Orientação: professor orientador do laboratório.",
        "Apoio: convênio de fomento à pesquisa, com bolsas de iniciação científica.",
    };
    for (const char* c : credits)
        texts->addWidget(line(QString::fromUtf8(c), upper));
    top->addLayout(texts, 1);
    layout->addWidget(upper);

    // Lower panel: where to find the laboratory.
    QFrame* lower = panel(this);
    lower->setObjectName("Panel2");
    auto* contacts = new QVBoxLayout(lower);
    contacts->setSpacing(1);
    const char* lines[] = {
        "Instituição: universidade que abriga o laboratório.",
        "Departamento de Engenharia Elétrica.",
        "Laboratório de Linhas de Transmissão.",
        "Página: o repositório do projeto Tarvel.",
        "Correio eletrônico: pelo repositório do projeto.",
        "Telefone e fax: os da secretaria do departamento.",
    };
    for (const char* c : lines)
        contacts->addWidget(line(QString::fromUtf8(c), lower));
    layout->addWidget(lower);

    auto* ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), "Sai&r", this);
    ok->setObjectName("OKButton");
    ok->setToolTip("Sair");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    setFixedWidth(420);
    setFixedHeight(sizeHint().height());
}

void TAboutBox::showEvent(QShowEvent* e)
{
    // Centred on the screen.
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(e);
}

void TAboutBox::closeEvent(QCloseEvent* e)
{
    Navigation::instance().handBack(Aux::About);
    e->accept();
}

// Escape and the window manager both end here; hand back once, via close.
void TAboutBox::done(int r)
{
    // The walk first, while the box is still shown; then the dialog ends.
    Navigation::instance().handBack(Aux::About);
    QDialog::done(r);
}

} // namespace tarvel::ui
