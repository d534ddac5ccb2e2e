// SPDX-License-Identifier: GPL-3.0-or-later
// TForm1: the main window, its menu tree and the program's start.
#pragma once
#include <QMainWindow>

namespace tarvel::ui {

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // The main menu, built from the window descriptions: caption path, item
    // name, window number (0: a submenu).
    struct MenuEntry {
        QStringList path;
        const char* name;
        int window;
    };
    static const QList<MenuEntry>& menuEntries();

    void Geometria1Click();
    void Tutorial1Click();
    void Sobre1Click();
    void Sair1Click();
    // Creates and shows a new calculator window of number n.
    QWidget* openWindow(int n);
    // Creates and shows a new field designer window.
    QWidget* openDesigner();

protected:
    void closeEvent(QCloseEvent* e) override;
};

// Installs the auxiliary windows' makers into the navigation.
void installAuxiliaryWindows();

} // namespace tarvel::ui
