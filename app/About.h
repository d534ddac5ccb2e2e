// TAboutBox: product, version and credits.
#pragma once
#include <QDialog>

namespace tarvel::ui {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* e) override;
    void done(int r) override;
};

} // namespace tarvel::ui
