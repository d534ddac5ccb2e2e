// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer_window.h"

#include <cmath>
#include <functional>

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/designer_text.h"
#include "app/field_jobs.h"
#include "framework/core/number_text.h"
#include "framework/core/project_file.h"
#include "framework/ui/icons.h"
#include "framework/ui/navigation.h"
#include "framework/ui/platform.h"
#include "framework/ui/window_layout.h"

namespace tarvel::ui {

namespace {

using fieldsolve::Analysis;
using fieldsolve::Design;
using fieldsolve::DesignProject;
using fieldsolve::Quantity;
using fieldsolve::Target;
using fieldsolve::Template;
using fieldsolve::TemplateInfo;
using fieldsolve::Unit;

QString u(const char* s) { return QString::fromUtf8(s); }
QString q(const std::string& s) { return QString::fromStdString(s); }

// The jobs of the window on the field pool.
constexpr int kSolveKey = 0;
constexpr int kLinesKey = 1;

// The section picture's proportions.
constexpr double kSectionAspect = 2.3;

// The targets a template offers, as the synthesis names them.
QStringList targetChoices(const TemplateInfo& info)
{
    if (info.pair)
        return {"Zdiff", "Z0e,Z0o"};
    return {"Z0"};
}

// The lengths a synthesis may vary: the template's lengths but the metal's
// thickness and the optional ones.
QStringList variable(const TemplateInfo& info)
{
    QStringList out;
    for (const auto& p : info.parameters)
        if (p.length && !p.optional && p.name != "t")
            out << q(p.name);
    return out;
}

QStringList varyChoices(const TemplateInfo& info, bool two)
{
    const QStringList lengths = variable(info);
    if (!two)
        return lengths;
    // W with each other length; W and S first where there is an S.
    QStringList out;
    for (const QString& other : lengths)
        if (other != "W")
            out << "W," + other;
    return out;
}

std::vector<std::string> split(const QString& s)
{
    std::vector<std::string> out;
    for (const QString& part : s.split(',', Qt::SkipEmptyParts))
        out.push_back(part.trimmed().toStdString());
    return out;
}

QFont editFont()
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(12);
    f.setBold(false);
    return f;
}

const char* const kHints[] = {"Abrir projeto", "Salvar projeto", "Novo projeto", "Analisar",
                              "Geometria", "Imprimir projeto", "Fechar projeto"};

} // namespace

QString DesignerWindow::title() { return u("Projeto de Linha por Solução de Campo"); }

QString DesignerWindow::fileFilter()
{
    return u("Projetos de linha por solução de campo|*.plc|Todos os arquivos [*.*]|*.*");
}

DesignerWindow::DesignerWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("FormProjetoCampo");
    setWindowNumber(this, kNumber);
    Navigation::instance().setReferenced(kNumber, this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title());
    QFont f(QStringLiteral("MS Sans Serif"), 8);
    f.setBold(true);
    setFont(f);
    copy_ = new QAction(u("Copiar resultados"), this);
    copy_->setObjectName("CopiarResultados1");
    copy_->setShortcut(QKeySequence("Ctrl+Shift+C"));
    copy_->setEnabled(false);
    connect(copy_, &QAction::triggered, this, &DesignerWindow::CopiarResultados);
    buildMenu();
    buildToolbar();
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(8);
    row->addWidget(buildLeft(), 0, Qt::AlignTop);
    row->addWidget(buildRight(), 1);
    setCentralWidget(central);
    poll_ = new QTimer(this);
    poll_->setInterval(100);
    connect(poll_, &QTimer::timeout, this, [this] {
        if (solves_)
            status_->setText(u("Resolvendo o campo… %1").arg(designer::solvesText(solves_->load())));
    });
    // The plots' window holds the losses, part of the project: it is there
    // from the start, shown when asked for.
    plots_ = new designer::PlotWindow(
        this, [this] { return readInputs(); }, [this] { return unit_; });
    setTemplate(Template::Microstrip);
    resize(sizeHint().boundedTo(QSize(1010, 700)));
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

DesignerWindow::~DesignerWindow() { FieldJobs::instance().cancelAll(this); }

void DesignerWindow::buildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    auto add = [this](QMenu* menu, const char* name, const char* text, const char* key, void (DesignerWindow::*slot)()) {
        QAction* a = menu->addAction(u(text));
        a->setObjectName(name);
        if (key)
            a->setShortcut(QKeySequence(QString::fromLatin1(key)));
        if (slot)
            connect(a, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
        else
            connect(a, &QAction::triggered, this, &QWidget::close);
        return a;
    };
    QMenu* projeto = bar->addMenu("&Projeto");
    projeto->setObjectName("Projeto1");
    add(projeto, "Novo1", "&Novo", "Ctrl+N", &DesignerWindow::Novo1Click);
    add(projeto, "Abrir1", "&Abrir", "Ctrl+A", &DesignerWindow::Abrir1Click);
    projeto->addSeparator();
    add(projeto, "Calcular1", "A&nalisar", "Ctrl+C", &DesignerWindow::Analisar);
    add(projeto, "Sintetizar1", "S&intetizar", "Ctrl+I", &DesignerWindow::Sintetizar);
    add(projeto, "Cancelar1", "Ca&ncelar", "Esc", &DesignerWindow::Cancelar)->setEnabled(false);
    projeto->addSeparator();
    add(projeto, "Salvar1", "&Salvar", "Ctrl+B", &DesignerWindow::Salvar1Click);
    add(projeto, "SalvarComo1", "Salvar Co&mo...", nullptr, &DesignerWindow::SalvarComo1Click);
    projeto->addSeparator();
    add(projeto, "Imprimir1", "Im&primir", "Ctrl+P", &DesignerWindow::Imprimir1Click);
    projeto->addSeparator();
    add(projeto, "Sair1", "&Fechar", "Ctrl+F", nullptr);

    QMenu* editar = bar->addMenu("&Editar");
    editar->setObjectName("Editar1");
    editar->addAction(copy_);

    QMenu* opcao = bar->addMenu(u("&Opção"));
    opcao->setObjectName("Opo1");
    add(opcao, "Geometria1", "&Geometria", "Ctrl+G", &DesignerWindow::Geometria1Click);
    add(opcao, "Graficos1", "G&ráficos...", "Ctrl+R", &DesignerWindow::GraficosClick);

    QMenu* ajuda = bar->addMenu("&Ajuda");
    ajuda->setObjectName("Ajuda1");
    add(ajuda, "Tutorial1", "&Tutorial", "Ctrl+T", &DesignerWindow::Tutorial1Click);
    ajuda->addSeparator();
    add(ajuda, "Sobre1", "Sobre...", nullptr, &DesignerWindow::Sobre1Click);
}

void DesignerWindow::buildToolbar()
{
    QToolBar* bar = addToolBar("ToolBar1");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->toggleViewAction()->setVisible(false);
    void (DesignerWindow::*commands[])() = {&DesignerWindow::Abrir1Click,     &DesignerWindow::Salvar1Click,
                                             &DesignerWindow::Novo1Click,      &DesignerWindow::Analisar,
                                             &DesignerWindow::Geometria1Click, &DesignerWindow::Imprimir1Click,
                                             nullptr};
    for (int i = 0; i < 7; ++i) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        b->setAutoRaise(true);
        b->setToolTip(u(kHints[i]));
        b->setIcon(toolbarIcon(i));
        b->setIconSize(QSize(22, 22));
        if (auto slot = commands[i])
            connect(b, &QToolButton::clicked, this, [this, slot] { (this->*slot)(); });
        else
            connect(b, &QToolButton::clicked, this, &QWidget::close);
        bar->addWidget(b);
        if (i == New || i == Gallery)
            bar->addSeparator();
    }
}

QWidget* DesignerWindow::buildLeft()
{
    auto* column = new QWidget(this);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(6);

    auto* pick = new QGroupBox(u("Estrutura"), column);
    pick->setObjectName("GrupoEstrutura");
    auto* pg = new QGridLayout(pick);
    structure_ = new QComboBox(pick);
    structure_->setObjectName("Estrutura");
    for (const TemplateInfo& t : fieldsolve::templates())
        structure_->addItem(q(t.title));
    unitBox_ = new QComboBox(pick);
    unitBox_->setObjectName("Unidade");
    unitBox_->addItems({"mm", "mil"});
    pg->addWidget(structure_, 0, 0);
    pg->addWidget(new QLabel(u("Unidade:"), pick), 0, 1);
    pg->addWidget(unitBox_, 0, 2);
    drawing_ = new designer::TemplatePicture(pick);
    drawing_->setObjectName("Desenho");
    drawing_->setFixedSize(380, 165);
    pg->addWidget(drawing_, 1, 0, 1, 3);
    v->addWidget(pick);
    connect(structure_, &QComboBox::activated, this, [this](int i) { setTemplate(Template(i)); });
    connect(unitBox_, &QComboBox::activated, this, [this](int i) { setUnit(i == 1 ? Unit::Mil : Unit::Mm); });

    inputsGroup_ = new QGroupBox(u("Dimensões"), column);
    inputsGroup_->setObjectName("GroupBox1");
    inputsGrid_ = new QGridLayout(inputsGroup_);
    inputsGrid_->setVerticalSpacing(3);
    v->addWidget(inputsGroup_);

    auto* synth = new QGroupBox(u("Síntese"), column);
    synth->setObjectName("GrupoSintese");
    auto* sg = new QGridLayout(synth);
    sg->setVerticalSpacing(3);
    target_ = new QComboBox(synth);
    target_->setObjectName("Alvo");
    vary_ = new QComboBox(synth);
    vary_->setObjectName("Variar");
    target1_ = new QLineEdit(synth);
    target1_->setObjectName("Alvo1");
    target2_ = new QLineEdit(synth);
    target2_->setObjectName("Alvo2");
    for (QLineEdit* e : {target1_, target2_}) {
        e->setFont(editFont());
        e->setFixedWidth(80);
        e->installEventFilter(this);
    }
    target1Label_ = new QLabel(synth);
    target2Label_ = new QLabel(synth);
    sg->addWidget(new QLabel(u("Alvo:"), synth), 0, 0);
    sg->addWidget(target_, 0, 1);
    sg->addWidget(new QLabel(u("Variar:"), synth), 0, 2);
    sg->addWidget(vary_, 0, 3);
    sg->addWidget(target1Label_, 1, 0);
    sg->addWidget(target1_, 1, 1);
    sg->addWidget(target2Label_, 1, 2);
    sg->addWidget(target2_, 1, 3);
    v->addWidget(synth);
    connect(target_, &QComboBox::activated, this, [this] { targetChanged(); });

    auto* buttons = new QHBoxLayout;
    analyse_ = new QPushButton(u("Analisar"), column);
    analyse_->setObjectName("BotaoAnalisar");
    synthesise_ = new QPushButton(u("Sintetizar"), column);
    synthesise_->setObjectName("BotaoSintetizar");
    cancel_ = new QPushButton(u("Cancelar"), column);
    cancel_->setObjectName("BotaoCancelar");
    cancel_->setEnabled(false);
    connect(analyse_, &QPushButton::clicked, this, &DesignerWindow::Analisar);
    connect(synthesise_, &QPushButton::clicked, this, &DesignerWindow::Sintetizar);
    connect(cancel_, &QPushButton::clicked, this, &DesignerWindow::Cancelar);
    buttons->addWidget(analyse_);
    buttons->addWidget(synthesise_);
    buttons->addWidget(cancel_);
    v->addLayout(buttons);
    progress_ = new QProgressBar(column);
    progress_->setObjectName("ProgressBar");
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    progress_->setFixedHeight(14);
    v->addWidget(progress_);
    status_ = new QLabel(column);
    status_->setObjectName("Situacao");
    status_->setWordWrap(true);
    v->addWidget(status_);
    v->addStretch(1);
    return column;
}

QWidget* DesignerWindow::buildRight()
{
    auto* column = new QWidget(this);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(6);
    resultsGroup_ = new QGroupBox(u("Resultados"), column);
    resultsGroup_->setObjectName("GroupBox2");
    resultsGroup_->setContextMenuPolicy(Qt::ActionsContextMenu);
    resultsGroup_->addAction(copy_);
    resultsGrid_ = new QGridLayout(resultsGroup_);
    resultsGrid_->setVerticalSpacing(3);
    v->addWidget(resultsGroup_);
    note_ = new QLabel(column);
    note_->setObjectName("Nota");
    note_->setWordWrap(true);
    note_->setStyleSheet("color: #a05a00;");
    note_->hide();
    v->addWidget(note_);

    auto* fieldGroup = new QGroupBox(u("Seção em escala e linhas de campo"), column);
    fieldGroup->setObjectName("GrupoCampo");
    auto* fv = new QVBoxLayout(fieldGroup);
    viewBox_ = new QComboBox(fieldGroup);
    viewBox_->setObjectName("VistaCampo");
    viewBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    section_ = new designer::SectionPicture(fieldGroup);
    section_->setObjectName("Secao");
    section_->setMinimumSize(400, 200);
    fv->addWidget(viewBox_, 0, Qt::AlignLeft);
    fv->addWidget(section_, 1);
    v->addWidget(fieldGroup, 1);
    connect(viewBox_, &QComboBox::activated, this, [this] { showSection(true); });
    return column;
}

void DesignerWindow::setTemplate(Template kind)
{
    if (kind != kind_ || inputs_.empty())
        applyTemplate(kind);
}

void DesignerWindow::applyTemplate(Template kind)
{
    kind_ = kind;
    structure_->setCurrentIndex(int(kind));
    drawing_->setTemplate(kind);
    plots_->setTemplate(kind);
    FieldJobs::instance().cancelAll(this);
    if (solving_)
        finishSolve(QString());
    rebuildInputs();
    rebuildSynthesis();
    const TemplateInfo& info = fieldsolve::templateInfo(kind);
    rebuildResults(info.pair);
    viewBox_->clear();
    for (designer::FieldView view : designer::fieldViews(info))
        viewBox_->addItem(designer::viewName(view, info.pair), int(view));
    analysis_.reset();
    analysed_.reset();
    sectionDesign_.reset();
    copy_->setEnabled(false);
    note_->hide();
    status_->clear();
    showSection(false);
}

void DesignerWindow::rebuildInputs()
{
    for (auto& [label, edit] : inputs_) {
        delete label;
        delete edit;
    }
    inputs_.clear();
    const TemplateInfo& info = fieldsolve::templateInfo(kind_);
    int r = 0;
    for (const auto& p : info.parameters) {
        auto* label = new QLabel(inputsGroup_);
        auto* edit = new QLineEdit(inputsGroup_);
        edit->setObjectName(q(p.name));
        edit->setFont(editFont());
        edit->setFixedWidth(80);
        edit->installEventFilter(this);
        if (p.optional)
            edit->setPlaceholderText(q(p.absent));
        else
            edit->setText(p.length ? designer::lengthText(p.example, unit_) : QString::number(p.example, 'g', 6));
        edit->setToolTip(q(p.label));
        inputsGrid_->addWidget(label, r, 0);
        inputsGrid_->addWidget(edit, r, 1);
        inputs_.emplace_back(label, edit);
        ++r;
    }
    labelInputs();
}

void DesignerWindow::labelInputs()
{
    unitBox_->setCurrentIndex(unit_ == Unit::Mil ? 1 : 0);
    const TemplateInfo& info = fieldsolve::templateInfo(kind_);
    for (std::size_t i = 0; i < inputs_.size() && i < info.parameters.size(); ++i) {
        const auto& p = info.parameters[i];
        const QString unitText = p.length ? QStringLiteral(" (%1)").arg(fieldsolve::unitName(unit_)) : QString();
        inputs_[i].first->setText(QStringLiteral("%1 — %2%3").arg(q(p.name), q(p.label), unitText));
        inputs_[i].first->setWordWrap(true);
        inputs_[i].first->setFixedWidth(275);
    }
}

void DesignerWindow::setUnit(Unit to)
{
    if (to == unit_)
        return;
    // The typed lengths follow the unit; a text that is no number stays.
    const TemplateInfo& info = fieldsolve::templateInfo(kind_);
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        if (!info.parameters[i].length)
            continue;
        const QString text = inputs_[i].second->text();
        const long double v = readNumber(text.toStdString());
        // An optional field left empty stays empty (no number reads as 0).
        if (text.trimmed().isEmpty() || std::isnan(double(v)))
            continue;
        const double mm = unit_ == Unit::Mil ? double(v) * fieldsolve::kMmPerMil : double(v);
        inputs_[i].second->setText(designer::lengthText(mm, to));
    }
    unit_ = to;
    labelInputs();
}

void DesignerWindow::rebuildSynthesis()
{
    const TemplateInfo& info = fieldsolve::templateInfo(kind_);
    target_->clear();
    for (const QString& t : targetChoices(info))
        target_->addItem(t == "Z0e,Z0o" ? u("Z0e e Z0o") : t, t);
    target1_->setText(info.pair ? "100" : "50");
    target2_->setText("40");
    targetChanged();
}

void DesignerWindow::targetChanged()
{
    const TemplateInfo& info = fieldsolve::templateInfo(kind_);
    const QString t = target_->currentData().toString();
    const bool two = t == "Z0e,Z0o";
    target1Label_->setText(two ? u("Z0e (Ω):") : t + u(" (Ω):"));
    target2Label_->setText(u("Z0o (Ω):"));
    target2Label_->setVisible(two);
    target2_->setVisible(two);
    if (two && target1_->text() == "100")
        target1_->setText("60");
    vary_->clear();
    vary_->addItems(varyChoices(info, two));
}

void DesignerWindow::setSynthesis(const QString& targets, const QString& value1, const QString& value2,
                                  const QString& vary)
{
    const int t = target_->findData(targets);
    if (t >= 0)
        target_->setCurrentIndex(t);
    targetChanged();
    target1_->setText(value1);
    target2_->setText(value2);
    const int v = vary_->findText(vary);
    if (v >= 0)
        vary_->setCurrentIndex(v);
}

void DesignerWindow::rebuildResults(bool pair)
{
    for (QWidget* w : resultWidgets_)
        delete w;
    resultWidgets_.clear();
    results_.clear();
    const std::vector<designer::ResultRow> rows = designer::emptyRows(pair);
    // Two columns of label and box.
    const int perColumn = int(rows.size() + 1) / 2;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto* label = new QLabel(rows[i].label, resultsGroup_);
        auto* edit = new QLineEdit(resultsGroup_);
        edit->setObjectName(rows[i].key);
        edit->setFont(editFont());
        edit->setReadOnly(true);
        edit->setFixedWidth(72);
        edit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edit, &QWidget::customContextMenuRequested, this, [this, edit](const QPoint& at) {
            std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
            menu->addSeparator();
            menu->addAction(copy_);
            menu->exec(edit->mapToGlobal(at));
        });
        const int r = int(i) % perColumn, c = int(i) / perColumn * 2;
        resultsGrid_->addWidget(label, r, c);
        resultsGrid_->addWidget(edit, r, c + 1);
        results_[rows[i].key] = edit;
        resultWidgets_.push_back(label);
        resultWidgets_.push_back(edit);
    }
}

QLineEdit* DesignerWindow::input(const QString& parameter) const
{
    for (const auto& [label, edit] : inputs_)
        if (edit->objectName() == parameter)
            return edit;
    return nullptr;
}

QString DesignerWindow::inputText(const QString& parameter) const
{
    QLineEdit* e = input(parameter);
    return e ? e->text() : QString();
}

void DesignerWindow::setInputText(const QString& parameter, const QString& text)
{
    if (QLineEdit* e = input(parameter))
        e->setText(text);
}

QString DesignerWindow::resultText(const QString& key) const
{
    auto it = results_.find(key);
    return it == results_.end() ? QString() : it->second->text();
}

bool DesignerWindow::busy() const { return solving_; }

std::optional<Design> DesignerWindow::readInputs()
{
    std::vector<std::pair<std::string, std::string>> texts;
    for (const auto& [label, edit] : inputs_)
        texts.emplace_back(edit->objectName().toStdString(), edit->text().toStdString());
    Design d;
    std::string why = fieldsolve::readDesign(kind_, unit_, texts, d);
    if (why.empty())
        why = fieldsolve::checkDesign(d);
    if (!why.empty()) {
        platform().information(this, q(why));
        return std::nullopt;
    }
    return d;
}

void DesignerWindow::Analisar()
{
    const std::optional<Design> d = readInputs();
    if (!d)
        return;
    startSolve(*d, false);
    const Design design = *d;
    FieldJobs::instance().submit(this, kSolveKey, [this, design](const std::atomic<bool>& cancel) {
        auto a = std::make_shared<Analysis>(fieldsolve::analyse(design, fieldsolve::kDesignTolerance, &cancel));
        return std::function<void()>([this, a, design] {
            if (a->cancelled)
                return;
            analysed_ = sectionDesign_ = design;
            solved(*a);
            finishSolve(a->ok ? u("Análise: %1 em %2 s.")
                                    .arg(designer::solvesText(a->solves))
                                    .arg(QString::number(a->seconds, 'f', 2))
                              : QString());
        });
    });
}

void DesignerWindow::Sintetizar()
{
    const std::optional<Design> d = readInputs();
    if (!d)
        return;
    const QString t = target_->currentData().toString();
    std::vector<Target> targets;
    const QStringList names = t.split(',');
    const QLineEdit* values[] = {target1_, target2_};
    for (int i = 0; i < names.size() && i < 2; ++i) {
        Quantity quantity;
        fieldsolve::quantityNamed(names[i].toStdString(), quantity);
        const double v = double(readNumber(values[i]->text().toStdString()));
        if (!(v > 0) || !std::isfinite(v)) {
            platform().information(this, u("O alvo %1 precisa ser uma impedância positiva, em Ω.").arg(names[i]));
            return;
        }
        targets.push_back({quantity, v});
    }
    const std::vector<std::string> vary = split(vary_->currentText());
    const std::string why = fieldsolve::checkSynthesis(*d, targets, vary);
    if (!why.empty()) {
        platform().information(this, q(why));
        return;
    }
    startSolve(*d, true);
    const Design start = *d;
    auto counter = solves_;
    FieldJobs::instance().submit(
        this, kSolveKey, [this, start, targets, vary, counter](const std::atomic<bool>& cancel) {
            auto s = std::make_shared<fieldsolve::Synthesis>(fieldsolve::synthesise(
                start, targets, vary, &cancel, [counter](int solves) { counter->store(solves); }));
            return std::function<void()>([this, s] {
                if (s->cancelled)
                    return;
                if (!s->ok) {
                    finishSolve(QString());
                    platform().information(this, q(s->failure));
                    return;
                }
                // The dimensions found, in the unit shown.
                for (const std::string& name : s->varied)
                    setInputText(q(name), designer::lengthText(s->design[name], unit_));
                analysed_ = sectionDesign_ = s->design;
                // The answer states the solves and time of the whole synthesis.
                Analysis a = s->analysis;
                a.solves = s->solves;
                a.seconds = s->seconds;
                solved(a);
                finishSolve(u("Síntese: %1 em %2 s.")
                                .arg(designer::solvesText(s->solves))
                                .arg(QString::number(s->seconds, 'f', 2)));
            });
        });
}

void DesignerWindow::startSolve(const Design& design, bool synthesis)
{
    // The section shown is the one being solved, its lines to come.
    sectionDesign_ = design;
    showSection(false);
    solves_ = std::make_shared<std::atomic<int>>(0);
    setBusy(true);
    status_->setText(synthesis ? u("Sintetizando no campo…") : u("Resolvendo o campo…"));
    if (synthesis)
        poll_->start();
}

void DesignerWindow::solved(const Analysis& a)
{
    if (!a.ok) {
        platform().information(this, q(a.failure));
        return;
    }
    showResults(a);
    showSection(true);
}

void DesignerWindow::showResults(const Analysis& a)
{
    analysis_ = a;
    if (a.pair != (results_.count("Z0e") > 0))
        rebuildResults(a.pair);
    for (const designer::ResultRow& row : designer::resultRows(a))
        if (auto it = results_.find(row.key); it != results_.end())
            it->second->setText(row.value);
    const QString note = designer::analysisNote(a);
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
    copy_->setEnabled(true);
}

void DesignerWindow::finishSolve(const QString& status)
{
    setBusy(false);
    poll_->stop();
    solves_.reset();
    status_->setText(status);
}

void DesignerWindow::setBusy(bool on)
{
    solving_ = on;
    progress_->setRange(0, on ? 0 : 1);
    progress_->setValue(0);
    cancel_->setEnabled(on);
    if (QAction* a = findChild<QAction*>("Cancelar1"))
        a->setEnabled(on);
}

void DesignerWindow::Cancelar()
{
    if (!solving_)
        return;
    FieldJobs::instance().cancel(this, kSolveKey);
    finishSolve(u("Cancelado."));
}

void DesignerWindow::showSection(bool withLines)
{
    const designer::FieldView view = designer::FieldView(viewBox_->currentData().toInt());
    FieldJobs::instance().cancel(this, kLinesKey);
    const Design d = sectionDesign_ ? *sectionDesign_ : fieldsolve::exampleDesign(kind_);
    section_->setPlot(
        std::make_shared<const gallery::FieldPlot>(designer::sectionPlot(d, view, kSectionAspect, false)), view);
    if (!withLines)
        return;
    FieldJobs::instance().submit(this, kLinesKey, [this, d, view](const std::atomic<bool>& cancel) {
        auto plot = std::make_shared<const gallery::FieldPlot>(
            designer::sectionPlot(d, view, kSectionAspect, true, &cancel));
        return std::function<void()>([this, plot, view] { section_->setPlot(plot, view); });
    });
}

QString DesignerWindow::resultsAsText() const
{
    QStringList lines;
    const TemplateInfo& info = fieldsolve::templateInfo(kind_);
    lines << title() << u("Estrutura: %1 (%2)").arg(q(info.title), q(info.name));
    const Design* d = analysed_ ? &*analysed_ : nullptr;
    for (const auto& p : info.parameters) {
        if (!d || !d->has(p.name))
            continue;
        const double v = (*d)[p.name];
        lines << (p.length ? u("%1 = %2 %3").arg(q(p.name), designer::lengthText(v, unit_), fieldsolve::unitName(unit_))
                           : u("%1 = %2").arg(q(p.name), QString::number(v, 'g', 6)));
    }
    lines << plots_->lossLines();
    if (analysis_)
        for (const designer::ResultRow& row : designer::resultRows(*analysis_))
            lines << row.label + ": " + row.value;
    if (analysis_ && !designer::analysisNote(*analysis_).isEmpty())
        lines << designer::analysisNote(*analysis_);
    return lines.join('\n') + '\n';
}

void DesignerWindow::CopiarResultados()
{
    if (analysis_)
        QApplication::clipboard()->setText(resultsAsText());
}

DesignProject DesignerWindow::project() const
{
    DesignProject p;
    p.structure = kind_;
    p.unit = unit_;
    for (const auto& [label, edit] : inputs_)
        p.parameters.emplace_back(edit->objectName().toStdString(), edit->text().toStdString());
    p.losses = plots_->lossTexts();
    const QStringList names = target_->currentData().toString().split(',');
    const QLineEdit* values[] = {target1_, target2_};
    // The synthesis asked for is kept when its values are numbers.
    std::vector<Target> targets;
    for (int i = 0; i < names.size() && i < 2; ++i) {
        Quantity quantity;
        const double v = double(readNumber(values[i]->text().toStdString()));
        if (!fieldsolve::quantityNamed(names[i].toStdString(), quantity) || !std::isfinite(v))
            return p;
        targets.push_back({quantity, v});
    }
    p.targets = targets;
    p.vary = split(vary_->currentText());
    return p;
}

void DesignerWindow::loadProject(const DesignProject& p)
{
    FieldJobs::instance().cancelAll(this);
    if (solving_)
        finishSolve(QString());
    // The unit first: the examples of the fields not in the project are
    // written in it.
    unit_ = p.unit;
    applyTemplate(p.structure);
    for (const auto& [name, text] : p.parameters)
        setInputText(q(name), q(text));
    plots_->setLossTexts(p.losses);
    if (!p.targets.empty()) {
        QStringList names, values;
        for (const Target& t : p.targets) {
            names << fieldsolve::quantityName(t.quantity);
            values << QString::number(t.value, 'g', 10);
        }
        QStringList vary;
        for (const auto& v : p.vary)
            vary << q(v);
        setSynthesis(names.join(','), values.value(0), values.value(1), vary.join(','));
    }
}

bool DesignerWindow::openFile(const QString& path)
{
    Bytes bytes;
    std::string error;
    if (!readFileStart(path.toStdString(), fieldsolve::kProjectMaxBytes + 1, bytes, error)) {
        platform().error(this, q(error));
        return false;
    }
    if (bytes.size() > fieldsolve::kProjectMaxBytes) {
        platform().error(this, u("O arquivo %1 é grande demais para um projeto de linha.").arg(path));
        return false;
    }
    DesignProject p;
    std::string why = fieldsolve::readDesignProject(std::string(bytes.begin(), bytes.end()), p);
    Design d;
    if (why.empty())
        why = fieldsolve::designOf(p, d);
    fieldsolve::LossInputs losses;
    if (why.empty())
        why = fieldsolve::lossesOf(d, p.losses, losses);
    if (!why.empty()) {
        platform().error(this, u("O arquivo %1 não pôde ser aberto: %2").arg(path, q(why)));
        return false;
    }
    loadProject(p);
    setFileName(path);
    return true;
}

bool DesignerWindow::saveFile(const QString& path)
{
    const DesignProject p = project();
    Design d;
    // What is saved reads back: every field a number.
    std::string why = fieldsolve::designOf(p, d);
    fieldsolve::LossInputs losses;
    if (why.empty())
        why = fieldsolve::lossesOf(d, p.losses, losses);
    if (!why.empty()) {
        platform().information(this, q(why));
        return false;
    }
    const std::string text = fieldsolve::writeDesignProject(p);
    std::string error;
    if (!writeFileAtomically(path.toStdString(), Bytes(text.begin(), text.end()), error)) {
        platform().error(this, q(error));
        return false;
    }
    return true;
}

void DesignerWindow::setFileName(const QString& path)
{
    path_ = path;
    setWindowTitle(path.isEmpty() ? title() : title() + QStringLiteral(" [") + path + QStringLiteral("]"));
}

void DesignerWindow::Novo1Click()
{
    loadProject(DesignProject{kind_, unit_, {}, {}, {}, {}});
    setFileName(QString());
}

void DesignerWindow::Abrir1Click()
{
    const QString path = platform().openFileName(this, fileFilter());
    if (!path.isEmpty())
        openFile(path);
}

void DesignerWindow::Salvar1Click()
{
    if (path_.isEmpty())
        SalvarComo1Click();
    else
        saveFile(path_);
}

void DesignerWindow::SalvarComo1Click()
{
    const QString path = platform().saveFileName(this, fileFilter(), QStringLiteral("LinhaCampo1.plc"));
    if (path.isEmpty() || !saveFile(path))
        return;
    setFileName(path);
}

void DesignerWindow::Imprimir1Click()
{
    std::unique_ptr<QPrinter> printer = platform().makePrinter();
    int copies = 0;
    if (!printer || !platform().choosePrinter(this, *printer, copies))
        return;
    for (int copy = 0; copy < copies; ++copy) {
        QPainter p;
        if (!p.begin(printer.get()))
            return;
        paintReport(p, printer->pageLayout().paintRectPixels(printer->resolution()));
        p.end();
    }
}

void DesignerWindow::paintReport(QPainter& p, const QRectF& page) const
{
    // Laid out at 300 dots per inch, scaled to the printer.
    const double scale = page.width() / 2300.0;
    p.save();
    p.scale(scale, scale);
    const double width = 2300;
    QFont body(QStringLiteral("Century Schoolbook"));
    body.setPixelSize(38);
    QFont head = body;
    head.setPixelSize(58);
    head.setBold(true);
    double y = 60;
    p.setFont(head);
    p.drawText(QRectF(0, y, width, 80), Qt::AlignLeft, title());
    y += 110;
    p.setFont(body);
    const QStringList lines = resultsAsText().split('\n', Qt::SkipEmptyParts).mid(1);
    // The text beside the labelled drawing, the section beneath.
    // The pictures are drawn at the screen's size of their strokes and
    // letters, then enlarged to the page's dots.
    const double enlarge = 300.0 / 96.0;
    auto enlarged = [&p, enlarge](const QRectF& box, const std::function<void(const QRectF&)>& paint) {
        p.save();
        p.translate(box.topLeft());
        p.scale(enlarge, enlarge);
        paint(QRectF(0, 0, box.width() / enlarge, box.height() / enlarge));
        p.restore();
    };
    const QRectF drawingBox(1250, y, 1050, 460);
    enlarged(drawingBox, [&](const QRectF& r) { designer::paintTemplate(p, r, kind_); });
    for (const QString& line : lines) {
        const QRectF box(0, y, line.size() > 60 ? width : 1200, 400);
        const QRectF used = p.boundingRect(box, Qt::AlignLeft | Qt::TextWordWrap, line);
        p.drawText(box, Qt::AlignLeft | Qt::TextWordWrap, line);
        y += used.height() + 6;
    }
    y = std::max(y, drawingBox.bottom()) + 60;
    if (const gallery::FieldPlot* plot = section_->plot()) {
        const QRectF box(0, y, width, width / kSectionAspect);
        const designer::FieldView view = designer::FieldView(viewBox_->currentData().toInt());
        enlarged(box, [&](const QRectF& r) { designer::paintSection(p, r, *plot, view); });
        p.drawText(QRectF(0, box.bottom() + 10, width, 60), Qt::AlignLeft,
                   designer::viewName(view, fieldsolve::templateInfo(kind_).pair));
    }
    p.restore();
}

void DesignerWindow::GraficosClick() { Graficos(); }

designer::PlotWindow* DesignerWindow::Graficos()
{
    plots_->show();
    plots_->raise();
    return plots_;
}

void DesignerWindow::Geometria1Click() { Navigation::instance().open(Aux::Gallery, this, kNumber); }
void DesignerWindow::Tutorial1Click() { Navigation::instance().open(Aux::Tutorial, this, kNumber); }
void DesignerWindow::Sobre1Click() { Navigation::instance().open(Aux::About, this, kNumber); }

bool DesignerWindow::eventFilter(QObject* watched, QEvent* event)
{
    // An enabled menu key wins over the edit box's own use of it (Ctrl+C
    // analyses, as in the other windows).
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<const QKeyEvent*>(event)->keyCombination());
        for (const QAction* a : findChildren<QAction*>())
            if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed)
                return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void DesignerWindow::closeEvent(QCloseEvent* e)
{
    // Whatever is being solved for this window stops.
    FieldJobs::instance().cancelAll(this);
    e->accept();
}

} // namespace tarvel::ui
