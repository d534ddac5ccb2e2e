// SPDX-License-Identifier: GPL-3.0-or-later
// TDialogMenu1: the commercial parameters dialog of the microstrip synthesis
// on a conducting substrate. Picks are written straight into the calling
// window while its caller flag (18) is set; "OK" clears the flag and closes,
// and so does Escape, as in every dialog (the picks made stay written).
#pragma once
#include <QDialog>
#include <QPointer>

class QComboBox;

namespace tarvel::ui {

class CalculatorWindow;

class TDialogMenu1 : public QDialog {
    Q_OBJECT
public:
    static constexpr int callerNumber = 18;
    explicit TDialogMenu1(CalculatorWindow* caller);

    void ComboBox1Change(); // dielectric: the list refilled on each text change
    void OKBtnClick();

    // Picks of the four boxes, as the user's picks.
    void pick(const char* box, int index);

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override; // Escape: the dialog ends as with "OK"

private:
    void write(const char* control, const QString& text);
    void picked(QComboBox* box, int index);

    QPointer<CalculatorWindow> caller_;
    QComboBox *ComboBox1, *ComboBox2, *ComboBox3, *ComboBox4;
};

// Opens the dialog for `caller` (application-modal, centred), raising flag 18.
TDialogMenu1* openCommercialParameters(CalculatorWindow* caller);

} // namespace tarvel::ui
