// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "start.h"
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

QString TAboutBox::versionLine() { return QString::fromUtf8("Versão ") + QStringLiteral(TARVEL_VERSION); }

QString TAboutBox::licenceLine()
{
    return QString::fromUtf8("Licença: GNU GPL, versão 3 ou posterior (GPL-3.0-or-later). "
                             "Software livre, sem garantia alguma.");
}

QString TAboutBox::homePage() { return QStringLiteral(TARVEL_HOMEPAGE); }

QStringList TAboutBox::libraryLines()
{
    // The licences as the libraries' own copyright files state them.
    return {QStringLiteral("Qt %1 — LGPL-3.0 (ou GPL-2.0)").arg(QString::fromLatin1(qVersion())),
            QString::fromUtf8("SuiteSparse/CHOLMOD — LGPL-2.1-or-later; o módulo Supernodal, GPL-2.0-or-later"),
            QString::fromUtf8("Eigen — MPL-2.0"), QString::fromUtf8("OpenBLAS — BSD-3-Clause")};
}

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

    // Upper panel: icon, product, version, name and licence.
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
    auto* version = new QLabel(versionLine(), upper);
    version->setObjectName("Version");
    version->setStyleSheet("font-weight: bold;");
    texts->addWidget(version);
    auto* name = line(QString::fromUtf8(applicationName), upper);
    name->setObjectName("AppName");
    texts->addWidget(name);
    auto* licence = line(licenceLine(), upper);
    licence->setObjectName("Licence");
    texts->addWidget(licence);
    top->addLayout(texts, 1);
    layout->addWidget(upper);

    // Lower panel: the project's page and the libraries the program uses.
    QFrame* lower = panel(this);
    lower->setObjectName("Panel2");
    auto* facts = new QVBoxLayout(lower);
    facts->setSpacing(1);
    auto* page = line(QString::fromUtf8("Página do projeto: <a href=\"%1\">%1</a>").arg(homePage()), lower);
    page->setObjectName("HomePage");
    page->setTextFormat(Qt::RichText);
    page->setOpenExternalLinks(true);
    facts->addWidget(page);
    facts->addWidget(line(QString::fromUtf8("Bibliotecas usadas, com as suas licenças:"), lower));
    for (const QString& library : libraryLines()) {
        auto* l = line(QStringLiteral("  \u2022 ") + library, lower);
        l->setObjectName("Library");
        facts->addWidget(l);
    }
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
