// SPDX-License-Identifier: GPL-3.0-or-later
// TAboutBox: product, name, version, licence, the project's page and the
// libraries the program uses with their licences.
#pragma once
#include <QDialog>
#include <QStringList>

namespace tarvel::ui {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    static QString productLine();
    static QString versionLine();  // "Versão " and the build's version
    static QString licenceLine();
    static QString homePage();
    static QStringList libraryLines();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void done(int r) override;
};

} // namespace tarvel::ui
