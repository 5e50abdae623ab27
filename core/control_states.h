#pragma once
// Collecting the states a toolkit-free handler wants the window to give its controls.

#include "core/fields.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// Control states by name, in the order first touched; a later setting of the same property wins, as on the
/// real controls.
class ControlStates {
public:
    ControlState& operator[](std::string_view name)
    {
        auto it = std::find_if(states_.begin(), states_.end(), [&](const ControlState& s) { return s.name == name; });
        if (it != states_.end())
            return *it;
        states_.push_back({.name = std::string(name)});
        return states_.back();
    }
    void show(std::initializer_list<std::string_view> names, bool visible)
    {
        for (auto n : names)
            (*this)[n].visible = visible;
    }
    /// Enables or disables input fields; a disabled field is painted yellow.
    void enable(std::initializer_list<std::string_view> names, bool enabled)
    {
        for (auto n : names) {
            (*this)[n].enabled = enabled;
            (*this)[n].yellow = !enabled;
        }
    }
    /// Merges the states of another handler: what it sets wins.
    void add(std::vector<ControlState> more)
    {
        for (ControlState& s : more) {
            ControlState& target = (*this)[s.name];
            const auto take = [](auto& to, auto& from) {
                if (from)
                    to = std::move(from);
            };
            take(target.text, s.text);
            take(target.enabled, s.enabled);
            take(target.visible, s.visible);
            take(target.checked, s.checked);
            take(target.item, s.item);
            take(target.yellow, s.yellow);
            take(target.fontColour, s.fontColour);
        }
    }
    std::vector<ControlState> take() { return std::move(states_); }

private:
    std::vector<ControlState> states_;
};

} // namespace umbrix
