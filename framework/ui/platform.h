// SPDX-License-Identifier: GPL-3.0-or-later
// The seam for everything modal or external: message boxes, file dialogs,
// the print dialog and the printer. The program installs the real one; the
// tests install a scripted one, so no test ever waits on a modal box.
#pragma once
#include <memory>

#include <QString>
#include <QStringList>

class QWidget;
class QPrinter;

namespace tarvel::ui {

class Platform {
public:
    virtual ~Platform() = default;

    virtual void information(QWidget* parent, const QString& text) = 0;
    virtual void warning(QWidget* parent, const QString& text) = 0;
    virtual void error(QWidget* parent, const QString& text) = 0;

    // The chosen full path, or an empty string when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& filter, const QString& proposed) = 0;

    // The printer a report goes to, set up by the print dialog. Returns false
    // when the user cancels; `copies` is the number of copies chosen.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer, int& copies) = 0;
    virtual std::unique_ptr<QPrinter> makePrinter() = 0;
};

// The project dialogs' filters, written as name|pattern pairs joined by "|"
// ("Projetos de análise|*.bfl|Todos os  arquivos [*.*]|*.*"), as the file
// dialog takes them: `qt` as "name (patterns)" with "*.*" meaning every file
// ("*"), and `names` the names as written, blanks and all, for the type box.
struct NameFilters {
    QStringList qt;
    QStringList names;
};
NameFilters nameFilters(const QString& filter);

Platform& platform();
// Installs p (not owned); nullptr restores the real dialogs.
void setPlatform(Platform* p);

// The real one: QMessageBox, QFileDialog, QPrintDialog and QPrinter.
Platform& desktopPlatform();

} // namespace tarvel::ui
