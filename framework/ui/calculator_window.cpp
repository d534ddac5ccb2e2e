#include "calculator_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPrinter>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <tuple>

#include "framework/core/number_text.h"
#include "framework/core/project_file.h"
#include "icons.h"
#include "navigation.h"
#include "platform.h"
#include "report_printer.h"

namespace tarvel::ui {

namespace {

// Keeps a small figure (a power of ten, a mode index) in the gap the caption
// leaves after its anchor text, raised above or lowered below the caption's
// baseline, wherever the layout puts and sizes the caption.
class SmallFigure : public QObject {
public:
    SmallFigure(QLabel* figure, QString anchor, bool raised)
        : QObject(figure), figure_(figure), anchor_(std::move(anchor)), raised_(raised)
    {
    }

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Resize || e->type() == QEvent::Show || e->type() == QEvent::FontChange)
            place(static_cast<QLabel*>(watched));
        return false;
    }

private:
    void place(QLabel* caption)
    {
        const QFontMetrics big(caption->font()), small(figure_->font());
        const QString text = caption->text();
        const int at = text.indexOf(anchor_);
        const int x = caption->contentsRect().left() + big.horizontalAdvance(text.left(at + anchor_.size()));
        // The caption's line is centred vertically in the label.
        const QRect r = caption->contentsRect();
        const int baseline = r.top() + (r.height() - big.height()) / 2 + big.ascent();
        const int figureBaseline = raised_ ? baseline - big.ascent() * 45 / 100 : baseline + big.descent();
        figure_->move(x + 1, figureBaseline - small.ascent());
    }

    QLabel* figure_;
    QString anchor_;
    bool raised_;
};

QString q(const std::string& s) { return QString::fromStdString(s); }

QHash<int, QString>& fileNames()
{
    static QHash<int, QString> names;
    return names;
}

enum ToolbarCommand { Open, Save, New, Compute, Gallery, Print, Close };
const char* const hints[] = {"Abrir projeto", "Salvar projeto", "Novo projeto", "Calcular",
                             "Geometria do casador", "Imprimir projeto", "Fechar projeto"};

} // namespace

QString openFilter(const WindowDescription& d)
{
    const QString ext = q(d.project.extension);
    return QString::fromUtf8("Projetos de análise|*.%1|Todos os  arquivos [*.*]|*.*").arg(ext);
}

QString saveFilter(const WindowDescription& d)
{
    const QString ext = q(d.project.extension);
    return QString::fromUtf8("Projetos de análise|*.%1|Todos os arquivos [*.*]|*.*").arg(ext);
}

QString CalculatorWindow::currentFileName(int number) { return fileNames().value(number, QStringLiteral(" ")); }
void CalculatorWindow::setCurrentFileName(int number, const QString& path) { fileNames()[number] = path; }

CalculatorWindow::CalculatorWindow(const WindowDescription& description, QWidget* parent)
    : QMainWindow(parent), d_(description), initialCaption_(q(description.caption))
{
    setObjectName(q(d_.className).mid(1)); // "Form2"
    setWindowNumber(this, d_.number);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(initialCaption_);
    QFont f(QStringLiteral("MS Sans Serif"), 8);
    f.setBold(true);
    setFont(f);
    buildMenu();
    buildToolbar();
    buildGroups();
    setCurrentFileName(d_.number, QStringLiteral(" "));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    // Centred on the screen, so a new window covers an earlier one of its kind.
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

CalculatorWindow::~CalculatorWindow() = default;

QAction* CalculatorWindow::action(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }
QToolButton* CalculatorWindow::button(const char* name) const
{
    return findChild<QToolButton*>(QString::fromLatin1(name));
}

void CalculatorWindow::buildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    auto add = [this](QMenu* menu, const char* name, const QString& text, const QKeySequence& key, bool enabled,
                      void (CalculatorWindow::*slot)()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        if (!key.isEmpty())
            a->setShortcut(key);
        a->setEnabled(enabled);
        if (slot)
            connect(a, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
        return a;
    };
    QMenu* projeto = bar->addMenu("&Projeto");
    projeto->setObjectName("Projeto1");
    add(projeto, "Novo1", "&Novo", QKeySequence("Ctrl+N"), false, &CalculatorWindow::Novo1Click);
    add(projeto, "Abrir1", "&Abrir", QKeySequence("Ctrl+A"), true, &CalculatorWindow::Abrir1Click);
    projeto->addSeparator();
    add(projeto, "Calcular1", "&Calcular", d_.calcShortcut ? QKeySequence("Ctrl+C") : QKeySequence(),
        d_.calcEnabledAtStart, &CalculatorWindow::Calcular1Click);
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
    add(ajuda, "Contedoendice1", QString::fromUtf8("Conteúdo e índice"), QKeySequence(Qt::Key_F1), false, nullptr);
    add(ajuda, "Tutorial1", "&Tutorial", QKeySequence("Ctrl+T"), d_.tutorialCommand,
        d_.tutorialCommand ? &CalculatorWindow::Tutorial1Click : nullptr);
    ajuda->addSeparator();
    add(ajuda, "Sobre1", "Sobre...", QKeySequence(), true, &CalculatorWindow::Sobre1Click);
}

void CalculatorWindow::buildToolbar()
{
    QToolBar* bar = addToolBar("ToolBar1");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->toggleViewAction()->setVisible(false);
    using Command = void (CalculatorWindow::*)();
    const Command commands[] = {&CalculatorWindow::Abrir1Click,   &CalculatorWindow::Salvar1Click,
                                           &CalculatorWindow::Novo1Click,    &CalculatorWindow::Calcular1Click,
                                           &CalculatorWindow::Geometria1Click, &CalculatorWindow::Imprimir2Click,
                                           &CalculatorWindow::Sair1Click};
    for (int i = 0; i < 7; ++i) {
        auto* b = new QToolButton(bar);
        b->setObjectName(q(d_.toolbarNames[i]));
        b->setAutoRaise(true);
        b->setToolTip(QString::fromUtf8(hints[i]));
        b->setIcon(toolbarIcon(i));
        b->setIconSize(QSize(22, 22));
        b->setEnabled(i == Open || i == Gallery || i == Close);
        auto slot = commands[i];
        connect(b, &QToolButton::clicked, this, [this, slot] { (this->*slot)(); });
        bar->addWidget(b);
        if (i == New || i == Gallery)
            bar->addSeparator();
    }
}

void CalculatorWindow::buildGroups()
{
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(8);
    int labelNo = 0;
    // Labels without a name of their own are numbered, skipping the names
    // that other labels carry.
    QSet<QString> reserved;
    for (const auto& in : d_.inputs)
        if (!in.labelName.empty()) reserved.insert(q(in.labelName));
    for (const auto& res : d_.results)
        if (!res.labelName.empty()) reserved.insert(q(res.labelName));
    auto makeLabel = [&](const std::string& text, const std::string& name, QWidget* parent) {
        auto* l = new QLabel(q(text), parent);
        if (!name.empty()) {
            l->setObjectName(q(name));
            return l;
        }
        QString auto_;
        do auto_ = QStringLiteral("Label%1").arg(++labelNo);
        while (reserved.contains(auto_));
        l->setObjectName(auto_);
        return l;
    };
    QFont editFont(QStringLiteral("MS Sans Serif"));
    editFont.setPixelSize(12);
    editFont.setBold(false);

    // Inputs.
    auto* inputs = new QGroupBox(q(d_.inputGroup), central);
    inputs->setObjectName("GroupBox1");
    auto* grid = new QGridLayout(inputs);
    grid->setVerticalSpacing(6);
    int r = 0;
    for (const auto& input : d_.inputs) {
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
        const QString name = q(input.name);
        QWidget* field = nullptr;
        if (input.kind == InputKind::Combo) {
            auto* c = new QComboBox(inputs);
            c->setEditable(true);
            // What is typed stays as typed: no completion from the entries (a typed
            // "1" in the height box is 1 mm, not the 1.27 entry).
            c->setCompleter(nullptr);
            c->setInsertPolicy(QComboBox::NoInsert);
            c->setMaxVisibleItems(20);
            for (const auto& e : input.entries)
                c->addItem(q(e));
            c->setCurrentIndex(-1);
            c->setEditText(QString());
            c->lineEdit()->setFont(editFont);
            c->setMinimumWidth(input.entries.size() > 1 ? 250 : 130);
            c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            c->view()->setMinimumWidth(c->view()->sizeHintForColumn(0) + 24);
            picked_[name] = -1;
            connect(c, &QComboBox::activated, this, [this, name](int i) { pick(name, i); });
            connect(c->lineEdit(), &QLineEdit::textEdited, this, [this, name] { picked_[name] = -1; });
            field = c;
        } else {
            auto* e = new QLineEdit(inputs);
            e->setFont(editFont);
            e->setMinimumWidth(130);
            field = e;
        }
        field->setObjectName(name);
        fields_[name] = field;
        grid->addWidget(field, r, 1);
        if (!input.buttonName.empty()) {
            auto* b = new QPushButton(q(input.buttonText), inputs);
            b->setObjectName(q(input.buttonName));
            b->setFixedWidth(28);
            grid->addWidget(b, r, 2);
        }
        ++r;
    }
    grid->setRowStretch(r, 1);
    row->addWidget(inputs, 0, Qt::AlignTop);

    // Results, one group per caption, stacked in the right column.
    auto* column = new QVBoxLayout;
    column->setSpacing(8);
    std::vector<QGridLayout*> groupGrids;
    for (std::size_t g = 0; g < d_.resultGroups.size(); ++g) {
        auto* box = new QGroupBox(q(d_.resultGroups[g]), central);
        box->setObjectName(QStringLiteral("GroupBox%1").arg(g + 2));
        if (g == 0)
            resultGroup_ = box;
        auto* gg = new QGridLayout(box);
        gg->setVerticalSpacing(6);
        groupGrids.push_back(gg);
        column->addWidget(box);
    }
    column->addStretch(1);
    std::vector<int> rows(d_.resultGroups.size(), 0);
    for (const auto& res : d_.results) {
        const int g = res.group;
        QWidget* box = groupGrids[g]->parentWidget();
        QLabel* label = makeLabel(res.label, res.labelName, box);
        label->setEnabled(false);
        // A small figure set in the gap the caption leaves for it: the power
        // of ten after "x10", the mode index after "TE".
        for (const auto& [figure, anchor, raised] : {std::tuple{res.raised, QStringLiteral("x10"), true},
                                                     std::tuple{res.lowered, QStringLiteral("TE"), false}}) {
            if (figure.empty())
                continue;
            auto* small = new QLabel(q(figure), label);
            small->setObjectName(label->objectName() + (raised ? QStringLiteral("Raised") : QStringLiteral("Lowered")));
            QFont f = label->font();
            f.setPointSizeF(f.pointSizeF() * 0.75);
            small->setFont(f);
            small->setEnabled(false);
            small->adjustSize();
            label->installEventFilter(new SmallFigure(small, anchor, raised));
        }
        auto* edit = new QLineEdit(box);
        edit->setObjectName(q(res.name));
        edit->setFont(editFont);
        edit->setReadOnly(true);
        edit->setEnabled(false);
        edit->setFixedWidth(110);
        results_[q(res.name)] = edit;
        groupGrids[g]->addWidget(label, rows[g], 0);
        groupGrids[g]->addWidget(edit, rows[g], 1);
        ++rows[g];
    }
    row->addLayout(column);
    setCentralWidget(central);

    // Every edit box: the key fields announce the first keystroke, and all
    // of them leave the window's menu keys to the menu.
    for (QLineEdit* e : findChildren<QLineEdit*>())
        e->installEventFilter(this);
}

QWidget* CalculatorWindow::keyTarget(const QString& field) const
{
    QWidget* w = fields_.value(field);
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->lineEdit();
    return w;
}

bool CalculatorWindow::isKeyField(QObject* watched) const
{
    for (const auto& key : d_.keyFields)
        if (keyTarget(q(key)) == watched)
            return true;
    return false;
}

// Any character, Backspace included; arrows, function keys and the like
// carry no character and do not count.
bool isCharacterKey(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* k = static_cast<const QKeyEvent*>(event);
    return k->key() == Qt::Key_Backspace
           || (!k->text().isEmpty() && k->key() != Qt::Key_Delete && k->key() != Qt::Key_Tab
               && k->key() != Qt::Key_Backtab && k->key() != Qt::Key_Escape && !(k->modifiers() & Qt::ControlModifier));
}

// An edit box claims Ctrl+C (copy), Ctrl+A (select all) and the like for
// itself before the menu sees them; the window's menu keys are commands
// ("&Calcular" is Ctrl+C), so while such a command is enabled the box lets
// the key go to it.
bool CalculatorWindow::menuKeyFor(const QEvent* event) const
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const QKeySequence pressed(static_cast<const QKeyEvent*>(event)->keyCombination());
    for (const QAction* a : findChildren<QAction*>())
        if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed)
            return true;
    return false;
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (menuKeyFor(event))
        return true;
    if (isCharacterKey(event) && isKeyField(watched))
        keyFieldPressed();
    return QMainWindow::eventFilter(watched, event);
}


void CalculatorWindow::keyFieldPressed()
{
    setCurrentFileName(d_.number, QStringLiteral(" "));
    enableEverything();
}

void CalculatorWindow::enableEverything()
{
    for (QWidget* w : findChildren<QWidget*>())
        if (qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QToolButton*>(w)
            || qobject_cast<QComboBox*>(w))
            w->setEnabled(true);
    for (QAction* a : findChildren<QAction*>())
        if (!a->isSeparator() && !a->objectName().isEmpty())
            a->setEnabled(true);
}

void CalculatorWindow::enableAfterCompute() { enableEverything(); }

FieldTexts CalculatorWindow::fieldTexts() const
{
    FieldTexts out;
    for (const auto& input : d_.inputs) {
        const QString name = q(input.name);
        out[input.name] = {controlText(name).toStdString(), picked_.value(name, -1)};
    }
    return out;
}

QString CalculatorWindow::controlText(const QString& control) const
{
    QWidget* w = fields_.value(control);
    if (!w)
        if (QLineEdit* r = results_.value(control))
            return r->text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    return QString();
}

void CalculatorWindow::setControlText(const QString& control, const QString& text)
{
    QWidget* w = fields_.value(control);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        c->setEditText(text);
        c->lineEdit()->setCursorPosition(0);
        picked_[control] = -1;
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(text);
    } else if (QLineEdit* r = results_.value(control)) {
        r->setText(text);
    }
}

void CalculatorWindow::pick(const QString& control, int index)
{
    auto* c = qobject_cast<QComboBox*>(fields_.value(control));
    const InputSpec* input = d_.input(control.toStdString());
    if (!c || !input || index < 0 || index >= c->count())
        return;
    c->setCurrentIndex(index);
    c->setEditText(c->itemText(index));
    c->lineEdit()->setCursorPosition(0);
    picked_[control] = index;
    applyFills(*input, index);
}

void CalculatorWindow::selectEntry(const QString& control, int index)
{
    auto* c = qobject_cast<QComboBox*>(fields_.value(control));
    if (!c || index < 0 || index >= c->count())
        return;
    c->setCurrentIndex(index);
    c->setEditText(c->itemText(index));
    picked_[control] = index;
}

void CalculatorWindow::setNamedEnabled(const QStringList& names, bool on)
{
    for (const QString& name : names) {
        for (QAction* a : findChildren<QAction*>(name))
            a->setEnabled(on);
        for (QWidget* w : findChildren<QWidget*>(name))
            w->setEnabled(on);
    }
}

void CalculatorWindow::applyFills(const InputSpec& input, int index)
{
    for (const Fill& fill : input.fills) {
        if (index < 0 || index >= int(fill.values.size()))
            continue;
        const QString target = q(fill.target);
        setControlText(target, QString());
        setControlText(target, q(fill.values[index]));
    }
}

bool CalculatorWindow::present(const Outcome& o)
{
    switch (o.kind) {
    case Outcome::Kind::Message:
        platform().information(this, q(o.message));
        return false;
    case Outcome::Kind::Fault:
        platform().error(this, QString::fromLatin1(faultText(o.fault)));
        return false;
    case Outcome::Kind::Results:
        break;
    }
    for (const auto& [name, value] : o.results)
        if (QLineEdit* e = results_.value(q(name)))
            e->setText(q(resultText(value)));
    computed_ = true;
    enableAfterCompute();
    for (const auto& w : o.warnings)
        platform().information(this, q(w));
    return true;
}

void CalculatorWindow::Calcular1Click() { present(compute(d_, fieldTexts())); }

void CalculatorWindow::Novo1Click()
{
    for (int i : {Save, New, Compute, Print})
        if (QToolButton* b = button(d_.toolbarNames[i].c_str()))
            b->setEnabled(false);
    setCurrentFileName(d_.number, QStringLiteral(" "));
    setWindowTitle(initialCaption_);
    computed_ = false;
    for (QLineEdit* e : findChildren<QLineEdit*>())
        if (!qobject_cast<QComboBox*>(e->parentWidget()))
            e->clear();
    if (resultGroup_)
        for (QWidget* w : resultGroup_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w))
                w->setEnabled(false);
}

std::function<void(QWidget*, const CalculatorWindow&)> CalculatorWindow::galleryOpened;

void CalculatorWindow::galleryShown(QWidget* gallery) const
{
    if (gallery && computed_ && galleryOpened)
        galleryOpened(gallery, *this);
}

void CalculatorWindow::Geometria1Click()
{
    galleryShown(Navigation::instance().open(Aux::Gallery, this, d_.number, d_.galleryTab));
}
void CalculatorWindow::Tutorial1Click() { Navigation::instance().open(Aux::Tutorial, this, d_.number); }
void CalculatorWindow::Sobre1Click() { Navigation::instance().open(Aux::About, this, d_.number); }

void CalculatorWindow::Sair1Click()
{
    if (d_.closesGallery)
        if (QWidget* g = Navigation::findOpen(Aux::Gallery))
            g->close();
    close();
}

void CalculatorWindow::closeEvent(QCloseEvent* e)
{
    e->accept();
    if (d_.mainToFront)
        if (QWidget* main = Navigation::instance().referenced(1)) {
            main->show();
            main->raise();
            main->activateWindow();
        }
}

void CalculatorWindow::ShowProgress(int steps)
{
    auto* bar = new QProgressBar(this);
    bar->setObjectName("ProgressBar");
    bar->setMinimum(0);
    bar->setMaximum(steps);
    bar->setTextVisible(false);
    bar->setGeometry(0, height() - 16, width(), 16);
    bar->show();
    for (int i = 0; i < steps; ++i) {
        bar->setValue(i + 1);
        bar->repaint();
    }
    delete bar;
}

// Project files.

void CalculatorWindow::Abrir1Click()
{
    const QString path = platform().openFileName(this, openFilter(d_));
    if (path.isEmpty())
        return;
    if (!extensionAccepted(path.toStdString(), d_.project.extension)) {
        platform().warning(this, QString::fromUtf8("Este programa não pode abrir este arquivo"));
        return;
    }
    openProject(path);
}

void CalculatorWindow::openProject(const QString& path)
{
    // The file is read and checked before anything changes.
    Bytes bytes;
    std::string error;
    if (!readFileStart(path.toStdString(), projectSize(d_), bytes, error)) {
        platform().error(this, q(error));
        return;
    }
    const Decoded decoded = decodeProject(d_, bytes, path.toStdString());
    if (!decoded.ok) {
        platform().error(this, q(decoded.error));
        return;
    }
    setCurrentFileName(d_.number, path);
    setWindowTitle(QStringLiteral("Antena[") + path + QStringLiteral("]"));
    for (const auto& [name, text] : decoded.texts)
        setControlText(q(name), q(text));
    if (d_.project.computeAfterOpen)
        Calcular1Click();
}

void CalculatorWindow::Salvar1Click()
{
    const QString current = currentFileName(d_.number);
    if (current == QStringLiteral(" ")) {
        SalvarComo1Click();
        return;
    }
    saveProject(current);
}

void CalculatorWindow::SalvarComo1Click()
{
    const QString path = platform().saveFileName(this, saveFilter(d_), q(d_.project.defaultName));
    if (path.isEmpty())
        return;
    setCurrentFileName(d_.number, path);
    setWindowTitle(QStringLiteral("Antena[ ") + path + QStringLiteral(" ]"));
    saveProject(path);
}

void CalculatorWindow::saveProject(const QString& path)
{
    const Encoded encoded = encodeProject(d_, fieldTexts());
    if (!encoded.ok) {
        // A field that is not a number is refused with its own check message;
        // a value too large for the file is an error. Nothing is written.
        if (encoded.tooLarge)
            platform().error(this, q(encoded.error));
        else
            platform().information(this, q(encoded.error));
        return;
    }
    std::string error;
    if (!writeFileAtomically(path.toStdString(), encoded.bytes, error))
        platform().error(this, q(error));
}

void CalculatorWindow::Imprimir2Click()
{
    std::unique_ptr<QPrinter> printer = platform().makePrinter();
    int copies = 0;
    if (!printer || !platform().choosePrinter(this, *printer, copies))
        return;
    for (int copy = 0; copy < copies; ++copy) {
        printReport(*printer, d_.report, [this](const std::string& c) { return controlText(q(c)).toStdString(); });
        ShowProgress(1000);
    }
}

} // namespace tarvel::ui
