// The compact menu format of the "_MENU" resources and the menus built from it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TMenuResourceItem {
    std::string Caption;
    uint32_t Command = 0; // the item's tag
    bool Enabled = true;
    std::vector<TMenuResourceItem> Items;
};

// Special command numbers of menu resources.
constexpr uint32_t MenuPlaceholder = 1000002000;
constexpr uint32_t MenuToolbarList = 6030;
constexpr uint32_t MenuDocumentBar = 6095;

// Set while the menu customisation dialog runs: placeholders show, the editing table's captions apply.
extern bool MenuEditing;

struct TMenuParseHooks {
    // The items of another menu resource (by name); none when it is absent.
    std::function<std::vector<TMenuResourceItem>(const std::string& name)> LoadMenu;
    // While menus are edited: the command manager's caption for a command.
    std::function<std::string(uint32_t command)> CommandCaption;
};

// Parses one level of items from Data into Items, stopping at 0xFF or at the end; returns the bytes
// consumed. An item whose caption or command would run past the end is not read.
size_t ParseMenuResource(std::vector<TMenuResourceItem>& items, const uint8_t* data, size_t size,
                         const TMenuParseHooks& hooks = {});
// Depth first: an item's sub-items (from the last to the first) before the item itself.
const TMenuResourceItem* FindMenuItemByTag(const std::vector<TMenuResourceItem>& items, uint32_t command);
