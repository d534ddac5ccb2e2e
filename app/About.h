// TAboutBox: product, version and credits.
#pragma once
#include <QDialog>

namespace tarvel::ui {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    static QString productLine();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void done(int r) override;
};

} // namespace tarvel::ui
