// SPDX-License-Identifier: GPL-3.0-or-later
// The one calculator window: a window description turned into a live
// window with its menu, toolbar, input and result groups, enabling states,
// compute, project files, report and catalogues. Its parts live in units of
// their own: the layout (window_layout), the texts and picks of the fields
// (window_fields), the interaction state (window_state) and the project file
// and print commands (window_files).
#pragma once
#include <functional>
#include <memory>

#include <QHash>
#include <QMainWindow>
#include <QSize>

#include "framework/core/calculator.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace tarvel::ui {

class FieldControls;

// Every calculator window fits this screen whole, its frame included (a
// frame of at most windowFrame around it).
inline constexpr QSize smallestScreen{1024, 768};
inline constexpr QSize windowFrame{16, 40};
// The width of a plain input field, the narrowest a list is made.
inline constexpr int plainFieldWidth = 130;

class CalculatorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit CalculatorWindow(const WindowDescription& description, QWidget* parent = nullptr);
    ~CalculatorWindow() override;

    const WindowDescription& description() const { return d_; }

    // The per-kind current file name, " " when there is none.
    static QString currentFileName(int number);
    static void setCurrentFileName(int number, const QString& path);

    // The texts (and picks) of every input, as the compute reads them.
    FieldTexts fieldTexts() const;
    QString controlText(const QString& control) const;
    // Sets a control's text as a program would (no pick).
    void setControlText(const QString& control, const QString& text);

    // Commands.
    virtual void Calcular1Click();
    virtual void Novo1Click();
    void Abrir1Click();
    // Opens a project as "&Abrir" does once a file is chosen: read and
    // checked first, refused with its message, or shown (and computed).
    void openProjectFile(const QString& path);
    void Salvar1Click();
    void SalvarComo1Click();
    void Imprimir2Click();
    virtual void Geometria1Click();
    void Tutorial1Click();
    // "Conteúdo e índice" (F1): the tutorial at this window's own section.
    void Contedoendice1Click();
    virtual void Sobre1Click();
    void Sair1Click();
    void ShowProgress(int steps);

    // Run when a window whose compute has given results opens the gallery:
    // the program installs what the gallery then shows of the window.
    static std::function<void(QWidget* gallery, const CalculatorWindow& caller)> galleryOpened;
    bool computed() const { return computed_; }
    // Run when "Conteúdo e índice" has shown the tutorial: the program
    // installs what brings the window's own section into view.
    static std::function<void(QWidget* tutorial, const CalculatorWindow& caller)> sectionAsked;

    // Run after every compute that gave results (true) and after "Novo"
    // (false); a refused compute changes nothing, so it is not told. The
    // program installs what it adds beneath the results; nothing of it
    // touches a result, a project file or a report.
    static std::function<void(CalculatorWindow& window, bool results)> resultsChanged;
    // The note beneath the results (hidden when empty), in a plain, amber
    // or red ink.
    enum class NoteTone { Plain, Amber, Red };
    void setResultNote(const QString& text, NoteTone tone = NoteTone::Plain);
    QString resultNote() const;

    // A pick of entry `index` in combo box `control`, as the user's pick.
    void pick(const QString& control, int index);
    // Selects an entry as a program does: no fills.
    void selectEntry(const QString& control, int index);
    // Enables (or disables) the named menu items, buttons, fields and labels.
    void setNamedEnabled(const QStringList& names, bool on);

protected:
    // Step 5 of the compute: everything of the window enabled.
    virtual void enableAfterCompute();
    // The first keystroke of the key field (and any later one).
    virtual void keyFieldPressed();
    void enableEverything();
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The widget whose key presses count for a field (a combo's line edit).
    QWidget* keyTarget(const QString& field) const;
    bool isKeyField(QObject* watched) const;
    QAction* action(const char* name) const;
    QToolButton* button(const char* name) const;
    // Runs the outcome of a compute: message, fault box, or results written
    // and enabled, then warnings. Returns true for results.
    bool present(const Outcome& outcome);
    // Hands a gallery this window opened to galleryOpened, once computed.
    void galleryShown(QWidget* gallery) const;

private:
    bool computed_ = false;
    // Narrows the lists of a window wider than the smallest screen.
    void fitSmallestScreen();
    // A key press that an edit box would claim but that is an enabled menu key.
    bool menuKeyFor(const QEvent* event) const;
    // The edit boxes report their key presses to the window.
    void watchKeys();

    const WindowDescription& d_;
    QString initialCaption_;
    std::unique_ptr<FieldControls> fields_;
    QLabel* note_ = nullptr;
};

// A key press that carries a character (Backspace included): what counts
// as typing into a key field.
bool isCharacterKey(const QEvent* event);

// The warning for a file whose name is not of a project of the window.
QString cannotOpenMessage();

// The full filters of the project dialogs.
QString openFilter(const WindowDescription& d);
QString saveFilter(const WindowDescription& d);

} // namespace tarvel::ui
