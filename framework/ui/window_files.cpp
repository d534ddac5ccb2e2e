// SPDX-License-Identifier: GPL-3.0-or-later
// The project file and print commands of a calculator window, through the
// Platform's dialogs and printer.
#include "calculator_window.h"

#include <QPrinter>

#include "framework/core/project_file.h"
#include "platform.h"
#include "report_printer.h"
#include "window_fields.h"

namespace tarvel::ui {

namespace {

void openProject(CalculatorWindow& w, const QString& path)
{
    const WindowDescription& d = w.description();
    // The file is read and checked before anything changes.
    Bytes bytes;
    std::string error;
    if (!readFileStart(path.toStdString(), projectSize(d), bytes, error)) {
        platform().error(&w, toQString(error));
        return;
    }
    const Decoded decoded = decodeProject(d, bytes, path.toStdString());
    if (!decoded.ok) {
        platform().error(&w, toQString(decoded.error));
        return;
    }
    CalculatorWindow::setCurrentFileName(d.number, path);
    w.setWindowTitle(QStringLiteral("Antena[") + path + QStringLiteral("]"));
    for (const auto& [name, text] : decoded.texts) {
        // A catalogue entry comes back picked (a thickness in micrometres),
        // found as the compute finds the entry a text stands for.
        const InputSpec* input = d.input(name);
        const int entry = input && input->kind == InputKind::Combo ? effectivePick(*input, FieldState{text, -1}) : -1;
        if (entry >= 0)
            w.selectEntry(toQString(name), entry);
        else
            w.setControlText(toQString(name), toQString(text));
    }
    if (d.project.computeAfterOpen)
        w.Calcular1Click();
}

// Writes the project; false (with its box shown) when refused or failed.
bool saveProject(CalculatorWindow& w, const QString& path)
{
    const Encoded encoded = encodeProject(w.description(), w.fieldTexts());
    if (!encoded.ok) {
        // A field that is not a number is refused with its own check message;
        // a value too large for the file is an error. Nothing is written.
        if (encoded.tooLarge)
            platform().error(&w, toQString(encoded.error));
        else
            platform().information(&w, toQString(encoded.error));
        return false;
    }
    std::string error;
    if (!writeFileAtomically(path.toStdString(), encoded.bytes, error)) {
        platform().error(&w, toQString(error));
        return false;
    }
    return true;
}

} // namespace

QString openFilter(const WindowDescription& d)
{
    const QString ext = toQString(d.project.extension);
    return QString::fromUtf8("Projetos de análise|*.%1|Todos os  arquivos [*.*]|*.*").arg(ext);
}

QString saveFilter(const WindowDescription& d)
{
    const QString ext = toQString(d.project.extension);
    return QString::fromUtf8("Projetos de análise|*.%1|Todos os arquivos [*.*]|*.*").arg(ext);
}

QString cannotOpenMessage() { return QString::fromUtf8("Este programa não pode abrir este arquivo"); }

void CalculatorWindow::Abrir1Click()
{
    const QString path = platform().openFileName(this, openFilter(d_));
    if (path.isEmpty())
        return;
    if (!extensionAccepted(path.toStdString(), d_.project.extension)) {
        platform().warning(this, cannotOpenMessage());
        return;
    }
    openProject(*this, path);
}

void CalculatorWindow::openProjectFile(const QString& path) { openProject(*this, path); }

void CalculatorWindow::Salvar1Click()
{
    const QString current = currentFileName(d_.number);
    if (current == QStringLiteral(" ")) {
        SalvarComo1Click();
        return;
    }
    saveProject(*this, current);
}

void CalculatorWindow::SalvarComo1Click()
{
    const QString typed = platform().saveFileName(this, saveFilter(d_), toQString(d_.project.defaultName));
    if (typed.isEmpty())
        return;
    const QString path = QString::fromStdString(withExtension(typed.toStdString(), d_.project.extension));
    // The new name and caption only once the file holds the project: a
    // refused save leaves both naming what they named.
    if (!saveProject(*this, path))
        return;
    setCurrentFileName(d_.number, path);
    setWindowTitle(QStringLiteral("Antena[ ") + path + QStringLiteral(" ]"));
}

void CalculatorWindow::Imprimir2Click()
{
    std::unique_ptr<QPrinter> printer = platform().makePrinter();
    int copies = 0;
    if (!printer || !platform().choosePrinter(this, *printer, copies))
        return;
    for (int copy = 0; copy < copies; ++copy) {
        printReport(*printer, d_.report,
                    [this](const std::string& c) { return controlText(toQString(c)).toStdString(); });
        ShowProgress(1000);
    }
}

} // namespace tarvel::ui
