// Parsing "_MENU" resources: one level after another, every read inside the resource.
#include "core/MenuResource.h"

#include <algorithm>

bool MenuEditing = false;

namespace {

// Commands whose captions the command manager supplies while menus are edited.
const uint32_t EditedCaptions[] = {1300, 1250, 6030, 6095, 90300};

bool HasEditedCaption(uint32_t command)
{
    for (uint32_t c : EditedCaptions)
        if (c == command)
            return true;
    return false;
}

// Sub-menus nested deeper than this are skipped: a damaged stored menu must not exhaust the stack.
constexpr int MaxMenuDepth = 16;

size_t ParseLevel(std::vector<TMenuResourceItem>& items, const uint8_t* data, size_t size,
                  const TMenuParseHooks& hooks, int depth);

} // namespace

size_t ParseMenuResource(std::vector<TMenuResourceItem>& items, const uint8_t* data, size_t size,
                         const TMenuParseHooks& hooks)
{
    return ParseLevel(items, data, size, hooks, 0);
}

namespace {

size_t ParseLevel(std::vector<TMenuResourceItem>& items, const uint8_t* data, size_t size,
                  const TMenuParseHooks& hooks, int depth)
{
    size_t p = 0;
    while (p < size) {
        const uint8_t byte = data[p];
        if (byte == 0xFF)
            return p;
        if (byte == 0xFE) {
            ++p;
            std::vector<TMenuResourceItem> sub;
            size_t used;
            if (depth < MaxMenuDepth) {
                used = ParseLevel(sub, data + p, size - p, hooks, depth + 1);
            } else {
                // Too deep: skip to the matching 0xFF without building anything.
                used = 0;
                for (int open = 1; p + used < size; ++used) {
                    const uint8_t b = data[p + used];
                    if (b == 0xFE) {
                        ++open;
                    } else if (b == 0xFF) {
                        if (--open == 0)
                            break;
                    } else {
                        used += size_t(b) + 4; // an item: its caption and command
                    }
                }
                used = std::min(used, size - p);
            }
            if (!items.empty())
                for (TMenuResourceItem& item : sub)
                    items.back().Items.push_back(std::move(item));
            p += used + 1;
            continue;
        }
        if (size - p < size_t(byte) + 5)
            return size; // a truncated item ends the resource
        TMenuResourceItem item;
        item.Caption.assign(reinterpret_cast<const char*>(data + p + 1), byte);
        const uint8_t* c = data + p + 1 + byte;
        item.Command = uint32_t(c[0]) | uint32_t(c[1]) << 8 | uint32_t(c[2]) << 16 | uint32_t(c[3]) << 24;
        p += size_t(byte) + 5;
        if (MenuEditing) {
            if (HasEditedCaption(item.Command) && hooks.CommandCaption)
                item.Caption = hooks.CommandCaption(item.Command);
            if (item.Command == MenuPlaceholder) {
                item.Caption = "( Vide )";
                item.Enabled = false;
            }
            items.push_back(std::move(item));
            continue;
        }
        if (item.Command == MenuPlaceholder)
            continue;
        if (item.Command == MenuToolbarList || item.Command == MenuDocumentBar) {
            const bool toolbars = item.Command == MenuToolbarList;
            item.Caption = toolbars ? "Barres d'outils" : "Barre des documents";
            if (hooks.LoadMenu)
                item.Items = hooks.LoadMenu(toolbars ? "TLBAR" : "DOCBAR2");
        }
        items.push_back(std::move(item));
    }
    return p;
}

} // namespace

const TMenuResourceItem* FindMenuItemByTag(const std::vector<TMenuResourceItem>& items, uint32_t command)
{
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (const TMenuResourceItem* found = FindMenuItemByTag(it->Items, command))
            return found;
        if (it->Command == command)
            return &*it;
    }
    return nullptr;
}
