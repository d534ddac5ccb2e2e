// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace tarvel::ui {
namespace {

QString boxTitle() { return QApplication::applicationDisplayName(); }

// Runs an open or save dialog with the project filters, the first one
// selected. Returns the chosen path, or an empty string on cancel.
QString runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& filter, const QString& proposed)
{
    const bool open = mode == QFileDialog::AcceptOpen;
    QFileDialog dialog(parent, QString::fromUtf8(open ? "Abrir" : "Salvar como"));
    dialog.setObjectName(open ? "OpenDialog1" : "SaveDialog1");
    dialog.setAcceptMode(mode);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // No question before overwriting: the project is the user's own file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // The toolkit's own dialog on every desktop: a desktop's native one gets
    // the names with their repeated blanks squeezed out.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const NameFilters filters = nameFilters(filter);
    dialog.setNameFilters(filters.qt);
    if (!filters.qt.isEmpty())
        dialog.selectNameFilter(filters.qt.first());
    // The names as written in its type box.
    if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        for (int i = 0; i < types->count() && i < filters.names.size(); ++i)
            types->setItemText(i, filters.names[i]);
    if (!proposed.isEmpty())
        dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

class Desktop : public Platform {
public:
    void information(QWidget* parent, const QString& text) override
    {
        QMessageBox::information(parent, boxTitle(), text, QMessageBox::Ok);
    }
    void warning(QWidget* parent, const QString& text) override
    {
        QMessageBox::warning(parent, boxTitle(), text, QMessageBox::Ok);
    }
    void error(QWidget* parent, const QString& text) override
    {
        QMessageBox::critical(parent, boxTitle(), text, QMessageBox::Ok);
    }
    QString openFileName(QWidget* parent, const QString& filter) override
    {
        return runFileDialog(parent, QFileDialog::AcceptOpen, filter, QString());
    }
    QString saveFileName(QWidget* parent, const QString& filter, const QString& proposed) override
    {
        return runFileDialog(parent, QFileDialog::AcceptSave, filter, proposed);
    }
    bool choosePrinter(QWidget* parent, QPrinter& printer, int& copies) override
    {
        QPrintDialog dialog(&printer, parent);
        dialog.setObjectName("PrintDialog1");
        if (dialog.exec() != QDialog::Accepted)
            return false;
        copies = printer.copyCount();
        printer.setCopyCount(1); // each copy is a job of its own
        return true;
    }
    std::unique_ptr<QPrinter> makePrinter() override
    {
        return std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
};

Platform* installed = nullptr;

} // namespace

NameFilters nameFilters(const QString& filter)
{
    NameFilters out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*"); // every file, with a point in its name or not
        }
        out.names << parts[i];
        out.qt << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

Platform& desktopPlatform()
{
    static Desktop d;
    return d;
}

Platform& platform() { return installed ? *installed : desktopPlatform(); }
void setPlatform(Platform* p) { installed = p; }

} // namespace tarvel::ui
