// SPDX-License-Identifier: GPL-3.0-or-later
// TForm10: the tutorial, a page beside the executable in an embedded view.
#pragma once
#include <QMainWindow>

class QTextBrowser;

namespace tarvel::ui {

class TForm10 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);
    // The page shown: "principal.htm" in the executable's directory (the
    // directory of its real file when it was started through a link).
    static QString pagePath();
    // The anchor of the tutorial's section on the lines of a window's unit
    // ("CoaxAna": "coaxial"); empty for a unit of no known family.
    static QString sectionOf(const QString& unit);
    // Brings a section of the page into view (the page's top for "").
    void showSection(const QString& anchor);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void loadPage();
    QTextBrowser* WebBrowser1;
};

} // namespace tarvel::ui
