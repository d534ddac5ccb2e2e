// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator_window.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>

#include "framework/core/number_text.h"
#include "navigation.h"
#include "platform.h"
#include "window_fields.h"
#include "window_layout.h"

namespace tarvel::ui {

CalculatorWindow::CalculatorWindow(const WindowDescription& description, QWidget* parent)
    : QMainWindow(parent), d_(description), initialCaption_(toQString(description.caption))
{
    setObjectName(toQString(d_.className).mid(1)); // "Form2"
    setWindowNumber(this, d_.number);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(initialCaption_);
    QFont f(QStringLiteral("MS Sans Serif"), 8);
    f.setBold(true);
    setFont(f);
    WindowWidgets widgets = layOutWindow(*this);
    note_ = widgets.note;
    fields_ = std::make_unique<FieldControls>(d_, std::move(widgets));
    watchKeys();
    setCurrentFileName(d_.number, QStringLiteral(" "));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    fitSmallestScreen();
    // Centred on the screen, so a new window covers an earlier one of its
    // kind, and never with its frame off the screen's top left.
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect screen = s->availableGeometry();
        const QPoint at = screen.center() - rect().center();
        move(std::max(at.x(), screen.left() + windowFrame.width() / 2), std::max(at.y(), screen.top()));
    }
}

// The lists are the widest fields (250 pixels, wider than the 130 of the
// plain fields); a window that would not fit has them narrowed by what it
// lacks, no narrower than a plain field. Their lists still open at the
// width of their longest entry.
void CalculatorWindow::fitSmallestScreen()
{
    // A list may be wider than its minimum (its own size hint), so the
    // window is measured again after each narrowing.
    for (int pass = 0; pass < 4; ++pass) {
        const int excess = width() + windowFrame.width() - smallestScreen.width();
        bool narrowed = false;
        for (QComboBox* c : findChildren<QComboBox*>())
            if (excess > 0 && c->minimumWidth() > plainFieldWidth) {
                c->setMinimumWidth(std::max(plainFieldWidth, c->minimumWidth() - excess));
                narrowed = true;
            }
        if (!narrowed)
            return;
        adjustSize();
    }
}

CalculatorWindow::~CalculatorWindow() = default;

FieldTexts CalculatorWindow::fieldTexts() const { return fields_->texts(); }
QString CalculatorWindow::controlText(const QString& control) const { return fields_->text(control); }
void CalculatorWindow::setControlText(const QString& control, const QString& text) { fields_->setText(control, text); }

void CalculatorWindow::pick(const QString& control, int index)
{
    fields_->choose(control, index, FieldControls::Choice::User);
}

void CalculatorWindow::selectEntry(const QString& control, int index)
{
    fields_->choose(control, index, FieldControls::Choice::Program);
}

bool CalculatorWindow::present(const Outcome& o)
{
    switch (o.kind) {
    case Outcome::Kind::Message:
        platform().information(this, toQString(o.message));
        return false;
    case Outcome::Kind::Fault:
        platform().error(this, QString::fromLatin1(faultText(o.fault)));
        return false;
    case Outcome::Kind::Results:
        break;
    }
    for (const auto& [name, value] : o.results)
        if (QLineEdit* e = fields_->result(toQString(name)))
            e->setText(toQString(resultText(value)));
    computed_ = true;
    enableAfterCompute();
    if (resultsChanged)
        resultsChanged(*this, true);
    for (const auto& w : o.warnings)
        platform().information(this, toQString(w));
    return true;
}

std::function<void(CalculatorWindow&, bool)> CalculatorWindow::resultsChanged;

void CalculatorWindow::setResultNote(const QString& text, NoteTone tone)
{
    static const char* const inks[] = {"", "color: #a35f00;", "color: #c00000;"};
    note_->setStyleSheet(QString::fromLatin1(inks[int(tone)]));
    note_->setText(text);
    note_->setVisible(!text.isEmpty());
}

QString CalculatorWindow::resultNote() const { return note_->text(); }

void CalculatorWindow::Calcular1Click() { present(compute(d_, fieldTexts())); }

std::function<void(QWidget*, const CalculatorWindow&)> CalculatorWindow::galleryOpened;

void CalculatorWindow::galleryShown(QWidget* gallery) const
{
    if (gallery && computed_ && galleryOpened)
        galleryOpened(gallery, *this);
}

void CalculatorWindow::Geometria1Click()
{
    galleryShown(Navigation::instance().open(Aux::Gallery, this, d_.number, galleryTab(d_.section.kind)));
}
void CalculatorWindow::Tutorial1Click() { Navigation::instance().open(Aux::Tutorial, this, d_.number); }

std::function<void(QWidget*, const CalculatorWindow&)> CalculatorWindow::sectionAsked;

void CalculatorWindow::Contedoendice1Click()
{
    QWidget* tutorial = Navigation::instance().open(Aux::Tutorial, this, d_.number);
    if (tutorial && sectionAsked)
        sectionAsked(tutorial, *this);
}
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

} // namespace tarvel::ui
