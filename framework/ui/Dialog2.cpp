// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dialog2.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "calculator_window.h"
#include "framework/core/catalogues.h"
#include "framework/core/number_text.h"
#include "navigation.h"

namespace tarvel::ui {

namespace {

// The entries of a catalogue as this dialog lists them: without the blank.
QStringList toQt(const catalogue::Catalogue& rows)
{
    QStringList out;
    for (const auto& s : catalogue::withoutBlank(rows.texts()))
        out << QString::fromStdString(s);
    return out;
}

// The dialog spells three of the metals without the blank before the colon.
catalogue::Catalogue conductors()
{
    return catalogue::conductorRows().respelled(
        {{2, "41000000 - Au: Ouro"}, {3, "57600000 - Cu: Cobre"}, {4, "61000000 - Ag: Prata"}});
}

// A thickness entry in micrometres as millimetres: "35.0 µm ED(1 oz)" -> "0.035".
QString millimetres(const QString& entry)
{
    QString s = QString::fromStdString(formatFixed(leadingNumber(entry.toStdString()) / 1000, 6));
    while (s.endsWith('0'))
        s.chop(1);
    if (s.endsWith('.'))
        s.chop(1);
    return s;
}

QString leading(const QString& entry)
{
    const std::string e = entry.toStdString();
    std::size_t end = e.find(' ');
    return QString::fromStdString(e.substr(0, end));
}

} // namespace

TDialogMenu1::TDialogMenu1(CalculatorWindow* caller) : QDialog(nullptr), caller_(caller)
{
    setObjectName("DialogMenu1");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Parametros comerciais");
    // Dialog border, no close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* grid = new QGridLayout(this);
    auto addBox = [&](int row, const char* name, const QString& label, const QStringList& items) {
        auto* l = new QLabel(label, this);
        l->setObjectName(QStringLiteral("Label%1").arg(row + 1));
        auto* c = new QComboBox(this);
        c->setObjectName(name);
        c->setEditable(true);
        // What is typed stays as typed: no completion from the entries (a typed
        // "1" in the height box is 1 mm, not the 1.27 entry).
        c->setCompleter(nullptr);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->addItems(items);
        c->setCurrentIndex(-1);
        c->setEditText(QString());
        c->setMinimumWidth(260);
        grid->addWidget(l, row, 0);
        grid->addWidget(c, row, 1);
        connect(c, &QComboBox::activated, this, [this, c](int i) { picked(c, i); });
        return c;
    };
    ComboBox1 = addBox(0, "ComboBox1", QString::fromUtf8("Constante dielétrica relativa (Er): "),
                       toQt(catalogue::dielectricRowsC()));
    ComboBox3 = addBox(1, "ComboBox3", QString::fromUtf8("Altura do dielétrico (mm):"),
                       toQt(catalogue::heightRows()));
    ComboBox2 = addBox(2, "ComboBox2", QString::fromUtf8("Condutividade do material (S/m):"),
                       toQt(conductors()));
    ComboBox4 = addBox(3, "ComboBox4", QString::fromUtf8("Espessura da fita condutora (mm):"),
                       toQt(catalogue::thicknessRows()));
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, &TDialogMenu1::ComboBox1Change);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TDialogMenu1::OKBtnClick);
    grid->addWidget(ok, 4, 0, 1, 2, Qt::AlignCenter);
    adjustSize();
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TDialogMenu1::ComboBox1Change()
{
    if (!Navigation::instance().flag(callerNumber))
        return;
    // The list anew, keeping what the user is typing.
    const QString text = ComboBox1->currentText();
    const int cursor = ComboBox1->lineEdit()->cursorPosition();
    const QSignalBlocker block(ComboBox1);
    ComboBox1->clear();
    ComboBox1->addItems(toQt(catalogue::dielectricRowsC()));
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(text);
    ComboBox1->lineEdit()->setCursorPosition(cursor);
}

void TDialogMenu1::write(const char* control, const QString& text)
{
    if (!caller_ || !Navigation::instance().flag(callerNumber))
        return;
    caller_->setControlText(QString::fromLatin1(control), QString());
    caller_->setControlText(QString::fromLatin1(control), text);
}

void TDialogMenu1::pick(const char* box, int index)
{
    auto* c = findChild<QComboBox*>(QString::fromLatin1(box));
    if (!c || index < 0 || index >= c->count())
        return;
    c->setCurrentIndex(index);
    picked(c, index);
}

void TDialogMenu1::picked(QComboBox* box, int index)
{
    const QString entry = box->itemText(index);
    if (box == ComboBox1) {
        // The permittivity as its number, and the substrate's conductivity,
        // as every pick from this catalogue does.
        write("constdiel", leading(entry));
        const auto rows = catalogue::dielectricRowsC().rows;
        if (index + 1 < int(rows.size()))
            write("condsubs", QString::fromStdString(rows[std::size_t(index) + 1].fills.at(0)));
    } else if (box == ComboBox3) {
        write("alturadiel", entry);
    } else if (box == ComboBox2) {
        write("condutividade", leading(entry));
    } else if (box == ComboBox4) {
        write("espesfita", millimetres(entry));
    }
}

void TDialogMenu1::OKBtnClick()
{
    Navigation::instance().clearFlag(callerNumber);
    close();
}

void TDialogMenu1::reject() { OKBtnClick(); }

void TDialogMenu1::closeEvent(QCloseEvent* e)
{
    // Only "OK" and Escape close it (there is no close box).
    if (Navigation::instance().flag(callerNumber) && e->spontaneous()) {
        e->ignore();
        return;
    }
    e->accept();
}

TDialogMenu1* openCommercialParameters(CalculatorWindow* caller)
{
    Navigation::instance().raiseFlag(TDialogMenu1::callerNumber);
    auto* d = new TDialogMenu1(caller);
    d->setWindowModality(Qt::ApplicationModal);
    d->show();
    return d;
}

} // namespace tarvel::ui
