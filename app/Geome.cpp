// SPDX-License-Identifier: GPL-3.0-or-later
#include "Geome.h"

#include <algorithm>
#include <map>

#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <QProgressBar>

#include "field_jobs.h"
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
    // What the field says of a computed window's section, in the window's
    // own type (hidden while the tab shows the gallery's example).
    auto* caption = new QLabel(page);
    caption->setObjectName("LegendaCampo");
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    caption->setTextInteractionFlags(Qt::TextSelectableByMouse);
    caption->hide();
    if (four) {
        grid->addWidget(caption, 3, 0, 1, 3);
        grid->addLayout(legend, 1, 2);
        grid->addLayout(fields, 2, 0, 1, 3);
        grid->setColumnStretch(0, 20);
        grid->setColumnStretch(1, 26);
        grid->setColumnStretch(2, 17);
        grid->setRowStretch(1, 12);
        grid->setRowStretch(2, 11);
    } else {
        grid->addWidget(caption, 3, 0, 1, 2);
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
    tabs_.resize(tabTable().size());
    for (int tab = 0; tab < int(tabs_.size()); ++tab) {
        QWidget* page = TabbedNotebook1->widget(tab);
        tabs_[std::size_t(tab)].caption = page->findChild<QLabel*>("LegendaCampo");
        for (auto* picture : page->findChildren<Picture*>())
            if (gallery::isField(picture->view()))
                connect(picture, &Picture::clicked, this, [this, picture, tab] { openLarge(picture, tab); });
        settle(tab, examples(tab));
        traceExamples(tab);
    }
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

// Job keys of the field pool: a tab's index for a window's section, the
// index past kExampleKey for the tracing of the tab's example.
constexpr int kExampleKey = 100;
// A window's section goes before the examples' lines.
constexpr int kWindowPriority = 1, kExamplePriority = -1;

// The examples' traced lines, kept for the program's life (GUI thread).
std::map<std::pair<Structure, View>, std::shared_ptr<const gallery::FieldPlot>>& tracedExamples()
{
    static std::map<std::pair<Structure, View>, std::shared_ptr<const gallery::FieldPlot>> traced;
    return traced;
}

std::vector<View> fieldViews(const Tab& t)
{
    std::vector<View> views;
    for (const Line& line : t.lines)
        if (line.role == Role::FieldCaption)
            views.push_back(line.field);
    return views;
}

// The views' captions, each once, one line per mode.
QString joined(const std::vector<std::pair<View, gallery::FieldPlot>>& views)
{
    QStringList lines;
    for (const auto& [view, plot] : views)
        if (!plot.caption.isEmpty() && !lines.contains(plot.caption))
            lines << plot.caption;
    return lines.join('\n');
}

} // namespace

TForm9::Shown TForm9::examples(int tab) const
{
    const Tab& t = tabTable()[std::size_t(tab)];
    Shown shown;
    for (View v : fieldViews(t)) {
        auto it = tracedExamples().find({t.structure, v});
        shown.plots.emplace_back(v, it != tracedExamples().end()
                                        ? it->second
                                        : std::make_shared<const gallery::FieldPlot>(
                                              gallery::examplePlot(t.structure, v, false)));
    }
    return shown;
}

void TForm9::traceExamples(int tab)
{
    const Tab& t = tabTable()[std::size_t(tab)];
    const std::vector<View> views = fieldViews(t);
    const Structure s = t.structure;
    if (std::all_of(views.begin(), views.end(), [&](View v) { return tracedExamples().count({s, v}) > 0; }))
        return;
    FieldJobs::instance().submit(
        this, kExampleKey + tab,
        [this, tab, s, views](const std::atomic<bool>& cancel) -> std::function<void()> {
            auto plots = std::make_shared<Plots>();
            for (View v : views) {
                if (cancel.load())
                    return {};
                plots->emplace_back(v, std::make_shared<const gallery::FieldPlot>(gallery::examplePlot(s, v, true)));
            }
            return [this, tab, s, plots] {
                for (const auto& [v, plot] : *plots)
                    tracedExamples()[{s, v}] = plot;
                TabState& st = tabs_[std::size_t(tab)];
                if (!st.settled.example)
                    return;
                st.settled.plots = examples(tab).plots;
                if (!st.caller)
                    display(tab, st.settled);
            };
        },
        kExamplePriority);
}

void TForm9::display(int tab, const Shown& shown)
{
    QWidget* page = TabbedNotebook1->widget(tab);
    for (auto* picture : page->findChildren<Picture*>())
        for (const auto& [view, plot] : shown.plots)
            if (picture->view() == view)
                picture->setPlot(plot);
    QLabel* caption = tabs_[std::size_t(tab)].caption;
    caption->setText(shown.caption);
    caption->setVisible(!shown.caption.isEmpty());
}

void TForm9::settle(int tab, Shown shown)
{
    TabState& st = tabs_[std::size_t(tab)];
    st.settled = std::move(shown);
    display(tab, st.settled);
}

void TForm9::endRequest(int tab)
{
    TabState& st = tabs_[std::size_t(tab)];
    FieldJobs::instance().cancel(this, tab);
    disconnect(st.callerGone);
    st.caller = nullptr;
    updateProgress();
}

void TForm9::dropRequest(int tab)
{
    const bool pending = tabs_[std::size_t(tab)].caller != nullptr;
    endRequest(tab);
    if (pending)
        display(tab, tabs_[std::size_t(tab)].settled);
}

void TForm9::updateProgress() { progress_->setVisible(solving()); }

bool TForm9::solving() const
{
    return std::any_of(tabs_.begin(), tabs_.end(), [](const TabState& st) { return st.caller != nullptr; });
}

QString TForm9::fieldCaption(int tab) const
{
    return tab >= 0 && tab < int(tabs_.size()) ? tabs_[std::size_t(tab)].caption->text() : QString();
}

void TForm9::showSection(const WindowDescription& d, const FieldTexts& fields, QWidget* caller)
{
    const int tab = tabForWindow(d.number);
    if (tab < 0 || tab >= int(tabs_.size()) || !caller)
        return;
    // A newer request of the tab replaces the one still solving.
    endRequest(tab);
    const fieldsolve::CheckPlan plan = fieldsolve::planCheck(d, fields);
    if (plan.kind != fieldsolve::CheckPlan::Kind::Ready) {
        // The example again, and this window's reason beneath it.
        Shown shown = examples(tab);
        shown.caption = gallery::unsolvedCaption(plan);
        settle(tab, std::move(shown));
        return;
    }
    const gallery::OwnViews pending = gallery::pendingViews(plan);
    Shown now;
    now.example = false;
    for (const auto& [view, plot] : pending.views)
        now.plots.emplace_back(view, std::make_shared<const gallery::FieldPlot>(plot));
    now.caption = joined(pending.views);
    display(tab, now);
    TabState& st = tabs_[std::size_t(tab)];
    st.caller = caller;
    // A window that closes takes its request with it.
    st.callerGone = connect(caller, &QObject::destroyed, this, [this, tab] { dropRequest(tab); });
    FieldJobs::instance().submit(
        this, tab,
        [this, tab, plan](const std::atomic<bool>& cancel) -> std::function<void()> {
            auto solved = std::make_shared<const gallery::OwnViews>(gallery::solvedViews(plan, &cancel));
            if (solved->check.solution.cancelled)
                return {};
            return [this, tab, solved] {
                endRequest(tab);
                Shown shown;
                shown.example = false;
                for (const auto& [view, plot] : solved->views)
                    shown.plots.emplace_back(view, std::make_shared<const gallery::FieldPlot>(plot));
                shown.caption = joined(solved->views);
                settle(tab, std::move(shown));
            };
        },
        kWindowPriority);
    updateProgress();
}

void TForm9::openLarge(Picture* picture, int tab)
{
    const Tab& t = tabTable()[std::size_t(tab)];
    QString legendLine;
    for (const Line& line : t.lines)
        if (line.role == Role::FieldCaption && line.field == picture->view())
            legendLine = QString::fromUtf8(line.text);
    // A dialog of its own: resizable, closed by Escape, never modal.
    auto* window = new QDialog(this);
    window->setObjectName("CampoAmpliado");
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setSizeGripEnabled(true);
    window->setWindowTitle(QString::fromUtf8(t.caption) + QString::fromUtf8(" — ") + legendLine);
    window->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(window);
    auto* large = new Picture(picture->structure(), picture->view(), window);
    large->setObjectName("Ampliado");
    large->setCursor(Qt::ArrowCursor);
    auto* caption = new QLabel(window);
    caption->setObjectName("LegendaAmpliada");
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    caption->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(large, 1);
    layout->addWidget(caption);
    // It follows the plot it shows: a solve that ends updates it.
    auto follow = [large, caption, picture, legendLine] {
        large->setPlot(picture->sharedPlot());
        const gallery::FieldPlot* plot = picture->plot();
        caption->setText(plot && !plot->caption.isEmpty() ? legendLine + '\n' + plot->caption : legendLine);
    };
    follow();
    connect(picture, &Picture::plotChanged, large, follow);
    window->resize(760, 600);
    window->show();
}

void TForm9::closeEvent(QCloseEvent* e)
{
    FieldJobs::instance().cancelAll(this);
    Navigation::instance().handBack(Aux::Gallery);
    e->accept();
}

} // namespace tarvel::ui
