// SPDX-License-Identifier: GPL-3.0-or-later
// A calculator window as data: what it shows, what it reads, how it stores
// and prints, and the pure model that computes it. The one generic window of
// the user interface, the command-line calculator and the tests all work
// from these descriptions.
#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "fault_guard.h"
#include "line_section.h"

namespace tarvel {

enum class InputKind { Edit, Combo };

// What picking entry i of a list writes into another field: values[i]
// (empty, then that text). An index past the end of `values` writes nothing.
struct Fill {
    std::string target;
    std::vector<std::string> values;
};

struct InputSpec {
    std::string name;                 // control name
    std::vector<std::string> labels;  // caption, one or two lines
    InputKind kind = InputKind::Edit;
    std::vector<std::string> entries; // catalogue list of a combo box
    std::vector<Fill> fills;          // applied in order on a pick
    std::string message;              // the field's own check message
    std::string labelName;            // object name of the label, if it matters
    std::string buttonName;           // a small button beside the field ("Button1")
    std::string buttonText;
};

struct ResultSpec {
    std::string name;   // control name
    std::string label;  // caption
    int group = 0;      // index into WindowDescription::resultGroups
    std::string raised;  // small raised text after the "x10" of the caption
    std::string lowered; // small lowered text after the "TE" of the caption (a mode index)
    std::string labelName;
};

struct ProjectField {
    std::string name;
    int decimals;
};

struct ProjectSpec {
    std::string extension;   // three letters, lower case
    std::string defaultName; // proposed by "Salvar Co&mo..."
    std::vector<ProjectField> fields;
    bool computeAfterOpen = false;
};

struct ReportLine {
    std::string label;
    std::string control; // empty: a heading
    bool wideGap = false; // 100 units before it although it is no heading
};

struct ReportSpec {
    std::string title;
    int valueX = 1000;
    std::vector<ReportLine> lines;
};

// A submenu of the main menu: its caption as shown (with its "&"), its
// object name, and the submenu it opens from (none: the menu bar).
struct MenuFolder {
    const char* caption;
    const char* name;
    const MenuFolder* parent;
};

// Where a window is opened from in the main menu.
struct MenuItem {
    const MenuFolder* folder = nullptr;
    std::string caption; // as shown, with its "&"
    std::string name;    // the item's object name
};

struct WindowDescription {
    int number = 0;          // the window number of the caller flags
    std::string className;   // "TForm2"
    std::string unit;        // "BifiAna"
    std::string caption;
    MenuItem menu;

    std::string inputGroup = "Entrada de dados:";
    std::vector<std::string> resultGroups = {"Resultados:"};
    std::vector<InputSpec> inputs;
    std::vector<ResultSpec> results;

    std::vector<std::string> keyFields;
    bool closesGallery = false;
    bool mainToFront = false;
    bool calcEnabledAtStart = true;
    bool calcShortcut = true;   // Ctrl+C on "&Calcular"
    WindowSection section; // the line cross-section it describes; its kind picks the gallery tab
    // Toolbar buttons for open, save, new, compute, gallery, print, close.
    std::vector<std::string> toolbarNames = {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4",
                                             "SpeedButton5", "SpeedButton6", "SpeedButton7"};
    bool tutorialCommand = true; // "&Tutorial" enabled and bound

    ProjectSpec project;
    ReportSpec report;
    Model model = nullptr;

    const InputSpec* input(const std::string& control) const
    {
        for (const auto& in : inputs)
            if (in.name == control)
                return &in;
        return nullptr;
    }
    const ResultSpec* result(const std::string& control) const
    {
        for (const auto& r : results)
            if (r.name == control)
                return &r;
        return nullptr;
    }
};

// The captions from the menu bar down to the window's item, without "&".
inline std::vector<std::string> menuPath(const WindowDescription& w)
{
    auto plain = [](std::string caption) {
        caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
        return caption;
    };
    std::vector<std::string> path{plain(w.menu.caption)};
    for (const MenuFolder* f = w.menu.folder; f; f = f->parent)
        path.insert(path.begin(), plain(f->caption));
    return path;
}

} // namespace tarvel
