#include "platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace tarvel::ui {
namespace {

QString boxTitle() { return QApplication::applicationDisplayName(); }

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
        return QFileDialog::getOpenFileName(parent, QString::fromUtf8("Abrir"), QString(), filter);
    }
    QString saveFileName(QWidget* parent, const QString& filter, const QString& proposed) override
    {
        // No question before overwriting: the project is the user's own file.
        return QFileDialog::getSaveFileName(parent, QString::fromUtf8("Salvar como"), proposed, filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
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

Platform& desktopPlatform()
{
    static Desktop d;
    return d;
}

Platform& platform() { return installed ? *installed : desktopPlatform(); }
void setPlatform(Platform* p) { installed = p; }

} // namespace tarvel::ui
