// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_layout.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "calculator_window.h"
#include "icons.h"
#include "small_figure.h"
#include "qt_text.h"

namespace tarvel::ui {

namespace {

const char* const hints[] = {"Abrir projeto", "Salvar projeto", "Novo projeto", "Calcular",
                             "Geometria do casador", "Imprimir projeto", "Fechar projeto"};

using Command = void (CalculatorWindow::*)();

void buildMenu(CalculatorWindow& w)
{
    const WindowDescription& d = w.description();
    QMenuBar* bar = w.menuBar();
    bar->setObjectName("MainMenu1");
    auto add = [&w](QMenu* menu, const char* name, const QString& text, const QKeySequence& key, bool enabled,
                    Command slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        if (!key.isEmpty())
            a->setShortcut(key);
        a->setEnabled(enabled);
        if (slot)
            QObject::connect(a, &QAction::triggered, &w, [&w, slot] { (w.*slot)(); });
        return a;
    };
    QMenu* projeto = bar->addMenu("&Projeto");
    projeto->setObjectName("Projeto1");
    add(projeto, "Novo1", "&Novo", QKeySequence("Ctrl+N"), false, &CalculatorWindow::Novo1Click);
    add(projeto, "Abrir1", "&Abrir", QKeySequence("Ctrl+A"), true, &CalculatorWindow::Abrir1Click);
    projeto->addSeparator();
    add(projeto, "Calcular1", "&Calcular", d.calcShortcut ? QKeySequence("Ctrl+C") : QKeySequence(),
        d.calcEnabledAtStart, &CalculatorWindow::Calcular1Click);
    projeto->addSeparator();
    add(projeto, "Salvar1", "&Salvar", QKeySequence("Ctrl+B"), false, &CalculatorWindow::Salvar1Click);
    add(projeto, "SalvarComo1", "Salvar Co&mo...", QKeySequence(), false, &CalculatorWindow::SalvarComo1Click);
    projeto->addSeparator();
    add(projeto, "Imprimir1", "Im&primir", QKeySequence("Ctrl+P"), false, &CalculatorWindow::Imprimir2Click);
    projeto->addSeparator();
    add(projeto, "Sair1", "&Fechar", QKeySequence("Ctrl+F"), true, &CalculatorWindow::Sair1Click);

    QMenu* opcao = bar->addMenu(QString::fromUtf8("&Opção"));
    opcao->setObjectName("Opo1");
    add(opcao, "Geometria1", "&Geometria", QKeySequence("Ctrl+G"), true, &CalculatorWindow::Geometria1Click);

    QMenu* ajuda = bar->addMenu("&Ajuda");
    ajuda->setObjectName("Ajuda1");
    add(ajuda, "Contedoendice1", QString::fromUtf8("Conteúdo e índice"), QKeySequence(Qt::Key_F1), false,
        &CalculatorWindow::Contedoendice1Click);
    add(ajuda, "Tutorial1", "&Tutorial", QKeySequence("Ctrl+T"), d.tutorialCommand,
        d.tutorialCommand ? &CalculatorWindow::Tutorial1Click : nullptr);
    ajuda->addSeparator();
    add(ajuda, "Sobre1", "Sobre...", QKeySequence(), true, &CalculatorWindow::Sobre1Click);
}

void buildToolbar(CalculatorWindow& w)
{
    QToolBar* bar = w.addToolBar("ToolBar1");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->toggleViewAction()->setVisible(false);
    const Command commands[] = {&CalculatorWindow::Abrir1Click,     &CalculatorWindow::Salvar1Click,
                                &CalculatorWindow::Novo1Click,      &CalculatorWindow::Calcular1Click,
                                &CalculatorWindow::Geometria1Click, &CalculatorWindow::Imprimir2Click,
                                &CalculatorWindow::Sair1Click};
    for (int i = 0; i < 7; ++i) {
        auto* b = new QToolButton(bar);
        b->setObjectName(toQString(w.description().toolbarNames[i]));
        b->setAutoRaise(true);
        b->setToolTip(QString::fromUtf8(hints[i]));
        b->setIcon(toolbarIcon(i));
        b->setIconSize(QSize(22, 22));
        b->setEnabled(i == Open || i == Gallery || i == Close);
        auto slot = commands[i];
        QObject::connect(b, &QToolButton::clicked, &w, [&w, slot] { (w.*slot)(); });
        bar->addWidget(b);
        if (i == New || i == Gallery)
            bar->addSeparator();
    }
}

// Labels without a name of their own are numbered, skipping the names that
// other labels carry.
class LabelMaker {
public:
    explicit LabelMaker(const WindowDescription& d)
    {
        for (const auto& in : d.inputs)
            if (!in.labelName.empty()) reserved_.insert(toQString(in.labelName));
        for (const auto& res : d.results)
            if (!res.labelName.empty()) reserved_.insert(toQString(res.labelName));
    }

    QLabel* operator()(const std::string& text, const std::string& name, QWidget* parent)
    {
        auto* l = new QLabel(toQString(text), parent);
        if (!name.empty()) {
            l->setObjectName(toQString(name));
            return l;
        }
        QString numbered;
        do numbered = QStringLiteral("Label%1").arg(++count_);
        while (reserved_.contains(numbered));
        l->setObjectName(numbered);
        return l;
    }

private:
    QSet<QString> reserved_;
    int count_ = 0;
};

QFont editFont()
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(12);
    f.setBold(false);
    return f;
}

QWidget* makeField(CalculatorWindow& w, const InputSpec& input, QWidget* parent)
{
    if (input.kind != InputKind::Combo) {
        auto* e = new QLineEdit(parent);
        e->setFont(editFont());
        e->setMinimumWidth(plainFieldWidth);
        return e;
    }
    auto* c = new QComboBox(parent);
    c->setEditable(true);
    // What is typed stays as typed: no completion from the entries (a typed
    // "1" in the height box is 1 mm, not the 1.27 entry).
    c->setCompleter(nullptr);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMaxVisibleItems(20);
    for (const auto& e : input.entries)
        c->addItem(toQString(e));
    c->setCurrentIndex(-1);
    c->setEditText(QString());
    c->lineEdit()->setFont(editFont());
    c->setMinimumWidth(input.entries.size() > 1 ? 250 : plainFieldWidth);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->view()->setMinimumWidth(c->view()->sizeHintForColumn(0) + 24);
    const QString name = toQString(input.name);
    QObject::connect(c, &QComboBox::activated, &w, [&w, name](int i) { w.pick(name, i); });
    return c;
}

// The input group: a label (or a column of labels) and a field per row, and
// the field's small button where it has one.
QGroupBox* buildInputs(CalculatorWindow& w, LabelMaker& makeLabel, WindowWidgets& out, QWidget* central)
{
    const WindowDescription& d = w.description();
    auto* inputs = new QGroupBox(toQString(d.inputGroup), central);
    inputs->setObjectName("GroupBox1");
    auto* grid = new QGridLayout(inputs);
    grid->setVerticalSpacing(6);
    int r = 0;
    for (const auto& input : d.inputs) {
        QWidget* labelCell = nullptr;
        if (input.labels.size() == 1) {
            labelCell = makeLabel(input.labels[0], input.labelName, inputs);
        } else {
            labelCell = new QWidget(inputs);
            auto* v = new QVBoxLayout(labelCell);
            v->setContentsMargins(0, 0, 0, 0);
            v->setSpacing(0);
            for (std::size_t i = 0; i < input.labels.size(); ++i)
                v->addWidget(makeLabel(input.labels[i], i == 0 ? input.labelName : std::string(), labelCell));
        }
        grid->addWidget(labelCell, r, 0, Qt::AlignVCenter);
        const QString name = toQString(input.name);
        QWidget* field = makeField(w, input, inputs);
        field->setObjectName(name);
        out.fields[name] = field;
        grid->addWidget(field, r, 1);
        if (!input.buttonName.empty()) {
            auto* b = new QPushButton(toQString(input.buttonText), inputs);
            b->setObjectName(toQString(input.buttonName));
            b->setFixedWidth(28);
            grid->addWidget(b, r, 2);
        }
        ++r;
    }
    grid->setRowStretch(r, 1);
    return inputs;
}

// The results, one group per caption, stacked in the right column.
QVBoxLayout* buildResults(const WindowDescription& d, LabelMaker& makeLabel, WindowWidgets& out, QWidget* central)
{
    auto* column = new QVBoxLayout;
    column->setSpacing(8);
    std::vector<QGridLayout*> groupGrids;
    for (std::size_t g = 0; g < d.resultGroups.size(); ++g) {
        auto* box = new QGroupBox(toQString(d.resultGroups[g]), central);
        box->setObjectName(QStringLiteral("GroupBox%1").arg(g + 2));
        if (g == 0)
            out.resultGroup = box;
        auto* gg = new QGridLayout(box);
        gg->setVerticalSpacing(6);
        groupGrids.push_back(gg);
        column->addWidget(box);
    }
    out.note = new QLabel(central);
    out.note->setObjectName(QStringLiteral("LinhaCampo"));
    out.note->setWordWrap(true);
    out.note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    out.note->hide();
    column->addWidget(out.note);
    column->addStretch(1);
    std::vector<int> rows(d.resultGroups.size(), 0);
    for (const auto& res : d.results) {
        const int g = res.group;
        QWidget* box = groupGrids[g]->parentWidget();
        QLabel* label = makeLabel(res.label, res.labelName, box);
        label->setEnabled(false);
        addSmallFigures(label, res);
        auto* edit = new QLineEdit(box);
        edit->setObjectName(toQString(res.name));
        edit->setFont(editFont());
        edit->setReadOnly(true);
        edit->setEnabled(false);
        edit->setFixedWidth(110);
        out.results[toQString(res.name)] = edit;
        groupGrids[g]->addWidget(label, rows[g], 0);
        groupGrids[g]->addWidget(edit, rows[g], 1);
        ++rows[g];
    }
    return column;
}

} // namespace

WindowWidgets layOutWindow(CalculatorWindow& w)
{
    buildMenu(w);
    buildToolbar(w);
    WindowWidgets out;
    auto* central = new QWidget(&w);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(8);
    LabelMaker makeLabel(w.description());
    row->addWidget(buildInputs(w, makeLabel, out, central), 0, Qt::AlignTop);
    row->addLayout(buildResults(w.description(), makeLabel, out, central));
    w.setCentralWidget(central);
    return out;
}

} // namespace tarvel::ui
