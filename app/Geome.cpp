#include "Geome.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <QCoreApplication>
#include <QProgressBar>
#include <QThreadPool>

#include "gallery_drawings.h"
#include "gallery_own.h"
#include "framework/ui/navigation.h"
#include "models/all_windows.h"

namespace tarvel::ui {

namespace {

using gallery::Picture;
using gallery::Structure;
using gallery::View;

// What a legend line is: the caption of a view, a symbol of the drawing,
// the permittivity line (its symbol is drawn in front of it) or the caption
// of a field plot.
enum class Role { PerspectiveCaption, FrontCaption, Symbol, Permittivity, FieldCaption };

struct Line {
    Role role;
    const char* text;
    View field; // for field captions
};

struct Tab {
    const char* caption;
    Structure structure;
    std::vector<Line> lines;
};

const std::vector<Tab>& tabTable()
{
    using R = Role;
    const View none = View::Front;
    static const std::vector<Tab> tabs = {
        {"Bifilar", Structure::TwoWire,
         {{R::PerspectiveCaption, "Vista em prespectiva:", none},
          {R::FrontCaption, "Vista frontal:", none},
          {R::Symbol, "S - Espaçamento centro-a-centro entre os condutores.", none},
          {R::Symbol, "d - Diâmetro do condutor interno.", none},
          {R::FieldCaption, "Campo Elétrico - E.", View::Electric},
          {R::FieldCaption, "Campo Magnético - H.", View::Magnetic}}},
        {"Cabo Coaxial", Structure::Coax,
         {{R::PerspectiveCaption, "Vista lateral:", none},
          {R::FrontCaption, "Vista frontal:", none},
          {R::Symbol, "2a - Diâmetro do condutor interno.", none},
          {R::Symbol, "2b - Diâmetro interno do condutor externo. ", none},
          {R::Symbol, "2c - Diâmetro externo do condutor externo.", none},
          {R::Permittivity, "- Constante dielétrica relativa.", none},
          {R::FieldCaption, "Campo Elétrico - E.", View::Electric},
          {R::FieldCaption, "Campo Magnético - H.", View::Magnetic}}},
        {"Microstrip", Structure::Microstrip,
         {{R::FrontCaption, "Vista frontal:", none},
          {R::PerspectiveCaption, "Vista em perspectiva.", none},
          {R::Symbol, "W - Largura da fita condutora.", none},
          {R::Symbol, "H - Altura do substrato dielétrico.", none},
          {R::Symbol, "t - Espessura da fita condutora.", none},
          {R::Permittivity, "- Constante dielétrica relativa.", none},
          {R::FieldCaption, "Campo Elétrico - E.", View::Electric},
          {R::FieldCaption, "Campo Magnético - H.", View::Magnetic}}},
        {"Stripline", Structure::Stripline,
         {{R::FrontCaption, "Vista frontal: ", none},
          {R::PerspectiveCaption, "Vista em perspectiva:", none},
          {R::Symbol, "W - Largura da fita condutora.", none},
          {R::Symbol, "b=2H - Altura do substrato dielétrico.", none},
          {R::Symbol, "t - Espessura da fita condutora.", none},
          {R::Permittivity, "- Constante dielétrica relativa.", none},
          {R::FieldCaption, "Campo Elétrico - E.", View::Electric},
          {R::FieldCaption, "Campo Magnético - H.", View::Magnetic}}},
        {"Slotline", Structure::Slotline,
         {{R::FrontCaption, "Vista Frontal:", none},
          {R::PerspectiveCaption, "Vista em perspectiva:", none},
          {R::Symbol, "W - Largura da fenda.", none},
          {R::Symbol, "H - Altura do substrato dielétrico.", none},
          {R::Symbol, "t - Espessura da fita condutora. ", none},
          {R::Permittivity, "- Constante dielétrica relativa.", none},
          {R::FieldCaption, "Campo Elétrico - E.", View::Electric},
          {R::FieldCaption, "Campo Magnético - H.", View::Magnetic}}},
        {"CPW", Structure::Cpw,
         {{R::FrontCaption, "Vista frontal:", none},
          {R::PerspectiveCaption, "Vista em perspectiva:", none},
          {R::Symbol, "W - Largura das fendas.", none},
          {R::Symbol, "S - Largura da fita condutora.", none},
          {R::Symbol, "H - Altura do substrato dielétrico.", none},
          {R::Permittivity, "- Constante dielétrica relativa.", none},
          {R::FieldCaption, "Campo Elétrico - E.", View::Electric},
          {R::FieldCaption, "Campo Magnético - H.", View::Magnetic}}},
        {"CPS", Structure::Cps,
         {{R::FrontCaption, "Vista frontal:", none},
          {R::PerspectiveCaption, "Vista em perspectiva:", none},
          {R::Symbol, "W - Largura das fitas condutoras.", none},
          {R::Symbol, "S - Separação entre as fitas condutoras.", none},
          {R::Symbol, "H - Altura do substrato dielétrico.", none},
          {R::Symbol, "t - Espessura da fita condutora.", none},
          {R::Permittivity, "- Constante dielétrica relativa.", none},
          {R::FieldCaption, "Campo Elétrico - E.", View::Electric},
          {R::FieldCaption, "Campo Magnético - H.", View::Magnetic}}},
        {"Acoplada Microstrip", Structure::CoupledMicrostrip,
         {{R::FrontCaption, "Vista frontal:", none},
          {R::PerspectiveCaption, "Vista em perspectiva:", none},
          {R::Symbol, "W - Largura das fitas condutoras.", none},
          {R::Symbol, "S - Separação entre as fitas.", none},
          {R::Symbol, "H - Altura do substrato dielétrico.", none},
          {R::Symbol, "t - Espessura das fitas condutoras.", none},
          {R::FieldCaption, "Campo Elétrico - Modo Par.", View::ElectricEven},
          {R::FieldCaption, "Campo Elétrico - Modo Ímpar.", View::ElectricOdd},
          {R::FieldCaption, "Campo Magnético - Modo Par.", View::MagneticEven},
          {R::FieldCaption, "Campo Magnético - Modo Ímpar.", View::MagneticOdd}}},
        {"Acoplada StripLine", Structure::CoupledStripline,
         {{R::FrontCaption, "Vista frontal:", none},
          {R::PerspectiveCaption, "Vista em perspectiva:", none},
          {R::Symbol, "W - Largura da fita condutora.", none},
          {R::Symbol, "S - Separação entre as fitas condutoras.", none},
          {R::Symbol, "b= 2H - Altura do substrato dielétrico.", none},
          {R::Symbol, "t - Espessura da fita condutora.", none},
          {R::FieldCaption, "Campo Elétrico - Modo Par.", View::ElectricEven},
          {R::FieldCaption, "Campo Elétrico - Modo Ímpar.", View::ElectricOdd},
          {R::FieldCaption, "Campo Magnético - Modo Par.", View::MagneticEven},
          {R::FieldCaption, "Campo Magnético - Modo Ímpar.", View::MagneticOdd}}},
    };
    return tabs;
}

QLabel* legendLabel(const char* text, QWidget* parent, bool caption)
{
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    QFont f = l->font();
    f.setPointSize(8);
    f.setBold(caption);
    l->setFont(f);
    return l;
}

// One page: the two views on top, the legend and the field plots below.
// The coupled lines have four field plots; their legend moves up beside the
// views and the plots take the whole width.
QWidget* buildPage(const Tab& tab)
{
    auto* page = new QWidget;
    page->setAutoFillBackground(true);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, Qt::white);
    page->setPalette(pal);
    const bool four = tab.lines.back().field == View::MagneticOdd;

    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    auto* legend = new QVBoxLayout;
    legend->setSpacing(3);
    auto* fields = four ? static_cast<QLayout*>(new QGridLayout) : new QHBoxLayout;
    fields->setSpacing(6);
    int fieldCount = 0;

    for (const Line& line : tab.lines) {
        switch (line.role) {
        case Role::PerspectiveCaption:
            grid->addWidget(legendLabel(line.text, page, true), 0, 0);
            break;
        case Role::FrontCaption:
            grid->addWidget(legendLabel(line.text, page, true), 0, 1);
            break;
        case Role::Symbol: {
            QLabel* l = legendLabel(line.text, page, false);
            l->setWordWrap(true);
            legend->addWidget(l);
            break;
        }
        case Role::Permittivity: {
            auto* row = new QHBoxLayout;
            row->setSpacing(2);
            auto* symbol = new Picture(tab.structure, View::Permittivity, page);
            symbol->setFixedSize(22, 18);
            row->addWidget(symbol);
            row->addWidget(legendLabel(line.text, page, false), 1);
            legend->addLayout(row);
            break;
        }
        case Role::FieldCaption: {
            auto* column = new QVBoxLayout;
            column->setSpacing(1);
            column->addWidget(new Picture(tab.structure, line.field, page), 1);
            QLabel* l = legendLabel(line.text, page, false);
            l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            l->setWordWrap(four);
            if (four) // two lines for every caption, so the four plots stay equal
                l->setMinimumHeight(2 * l->fontMetrics().height());
            column->addWidget(l);
            if (four)
                static_cast<QGridLayout*>(fields)->addLayout(column, 0, fieldCount);
            else
                static_cast<QHBoxLayout*>(fields)->addLayout(column);
            ++fieldCount;
            break;
        }
        }
    }
    legend->addStretch(1);
    grid->addWidget(new Picture(tab.structure, View::Perspective, page), 1, 0);
    grid->addWidget(new Picture(tab.structure, View::Front, page), 1, 1);
    if (four) {
        grid->addLayout(legend, 1, 2);
        grid->addLayout(fields, 2, 0, 1, 3);
        grid->setColumnStretch(0, 20);
        grid->setColumnStretch(1, 26);
        grid->setColumnStretch(2, 17);
        grid->setRowStretch(1, 12);
        grid->setRowStretch(2, 11);
    } else {
        grid->addLayout(legend, 2, 0);
        grid->addLayout(fields, 2, 1);
        grid->setColumnStretch(0, 2);
        grid->setColumnStretch(1, 3);
        grid->setRowStretch(1, 1);
        grid->setRowStretch(2, 1);
    }
    return page;
}

} // namespace

const QStringList& TForm9::tabCaptions()
{
    static const QStringList captions = [] {
        QStringList c;
        for (const Tab& t : tabTable())
            c << QString::fromUtf8(t.caption);
        return c;
    }();
    return captions;
}

const QStringList& TForm9::legend(int tab)
{
    static const std::vector<QStringList> lists = [] {
        std::vector<QStringList> out;
        for (const Tab& t : tabTable()) {
            QStringList l;
            for (const Line& line : t.lines)
                l << QString::fromUtf8(line.text);
            out.push_back(l);
        }
        return out;
    }();
    static const QStringList empty;
    return tab >= 0 && tab < int(lists.size()) ? lists[size_t(tab)] : empty;
}

int TForm9::tabForWindow(int n)
{
    for (const WindowDescription* d : allWindows())
        if (d->number == n && d->section.read)
            return galleryTab(d->section.kind);
    return -1;
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
    // Nine tabs in one row across the 628-pixel window.
    QFont tabFont = TabbedNotebook1->font();
    tabFont.setPointSize(8);
    TabbedNotebook1->tabBar()->setFont(tabFont);
    TabbedNotebook1->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));
    for (const Tab& t : tabTable())
        TabbedNotebook1->addTab(buildPage(t), QString::fromUtf8(t.caption));
    setCentralWidget(TabbedNotebook1);
    // Busy while a computed window's section is being solved.
    progress_ = new QProgressBar(this);
    progress_->setObjectName("ProgressoCampo");
    progress_->setRange(0, 0);
    progress_->setFixedSize(120, 12);
    progress_->setTextVisible(false);
    progress_->hide();
    menuBar()->setCornerWidget(progress_);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    // Fixed border: a client area of 628 x 373 below the menu.
    setFixedSize(628, 373 + menuBar()->sizeHint().height());
}

namespace {

void showViews(QWidget* page, const gallery::OwnViews& views)
{
    for (auto* picture : page->findChildren<Picture*>())
        for (const auto& [view, own] : views.views)
            if (picture->view() == view)
                picture->setOwn(std::make_shared<const gallery::OwnSection>(own));
}

} // namespace

bool TForm9::solving() const { return running_ > 0; }

void TForm9::showSection(const WindowDescription& d, const FieldTexts& fields, QWidget* caller)
{
    const fieldsolve::CheckPlan plan = fieldsolve::planCheck(d, fields);
    if (plan.kind != fieldsolve::CheckPlan::Kind::Ready)
        return;
    const int tab = galleryTab(plan.section);
    QWidget* page = TabbedNotebook1->widget(tab);
    if (!page)
        return;
    showViews(page, gallery::pendingViews(plan));
    const int generation = ++generation_[std::size_t(tab)];
    ++running_;
    progress_->show();
    QPointer<TForm9> self(this);
    QPointer<QWidget> from(caller);
    QThreadPool::globalInstance()->start([plan, self, from, tab, generation] {
        auto solved = std::make_shared<gallery::OwnViews>(gallery::solvedViews(plan));
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [solved, self, from, tab, generation] {
                if (!self)
                    return;
                if (--self->running_ == 0)
                    self->progress_->hide();
                // A window that has gone, or a newer request, drops this one.
                if (!from || self->generation_[std::size_t(tab)] != generation)
                    return;
                if (QWidget* page = self->TabbedNotebook1->widget(tab))
                    showViews(page, *solved);
            },
            Qt::QueuedConnection);
    });
}

void TForm9::closeEvent(QCloseEvent* e)
{
    Navigation::instance().handBack(Aux::Gallery);
    e->accept();
}

} // namespace tarvel::ui
