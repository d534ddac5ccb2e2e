// SPDX-License-Identifier: GPL-3.0-or-later
// The numbers a model reads, by control name, as the window's reader made
// them from the control texts. A combo box also tells which catalogue entry
// is picked (-1: the text was typed), because some models treat a picked
// entry differently from a typed value (copper thickness in micrometres,
// the coaxial cable entry that supplies er).
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "real48.h"

namespace tarvel {

class Inputs {
public:
    Inputs() = default;
    Inputs(std::initializer_list<std::pair<const char*, Real>> values)
    {
        for (const auto& [name, v] : values)
            set(name, v);
    }

    void set(std::string name, Real value, int picked = -1)
    {
        for (auto& item : items_)
            if (item.name == name) {
                item.value = value;
                item.picked = picked;
                return;
            }
        items_.push_back({std::move(name), value, picked});
    }

    // A control that was never set reads as empty text does: 0.
    Real operator[](std::string_view name) const
    {
        const Item* item = find(name);
        return item ? item->value : 0;
    }

    // Index of the picked catalogue entry, or -1 for typed text.
    int picked(std::string_view name) const
    {
        const Item* item = find(name);
        return item ? item->picked : -1;
    }
    bool isPicked(std::string_view name) const { return picked(name) >= 0; }

private:
    struct Item {
        std::string name;
        Real value;
        int picked;
    };
    const Item* find(std::string_view name) const
    {
        for (const auto& item : items_)
            if (item.name == name)
                return &item;
        return nullptr;
    }
    std::vector<Item> items_;
};

} // namespace tarvel
