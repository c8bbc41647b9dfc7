#pragma once
// A menu item, a separator or a popup of further items. '&' marks the mnemonic.

#include <string>
#include <vector>

struct TMenuItem {
    std::string text;
    int command = 0;
    bool separator = false;
    std::vector<TMenuItem> items; // a popup when not empty

    static TMenuItem Item(std::string text, int command) { return {std::move(text), command, false, {}}; }
    static TMenuItem Separator() { return {{}, 0, true, {}}; }
    static TMenuItem Popup(std::string text, std::vector<TMenuItem> items) {
        return {std::move(text), 0, false, std::move(items)};
    }
    bool IsPopup() const { return !items.empty(); }
};
