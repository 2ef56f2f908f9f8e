// The toolbars' questions about commands. Until the command manager answers captions and states, the
// captions come from the main menu and a few names of the toolbars' own, and every command is enabled
// and not checked.
#include "shell/ToolbarCommands.h"

#include <windows.h>

#include <map>
#include <vector>

#include "core/MenuResource.h"

namespace {

void CollectCaptions(const std::vector<TMenuResourceItem>& items, std::map<int32_t, std::string>& captions)
{
    for (const TMenuResourceItem& item : items) {
        if (item.Command != 0 && item.Caption != "-") {
            std::string caption;
            for (size_t i = 0; i < item.Caption.size(); ++i)
                if (item.Caption[i] != '&' || (i + 1 < item.Caption.size() && item.Caption[i + 1] == '&'))
                    caption += item.Caption[i];
            captions.emplace(static_cast<int32_t>(item.Command), caption);
        }
        CollectCaptions(item.Items, captions);
    }
}

const std::map<int32_t, std::string>& Captions()
{
    static const std::map<int32_t, std::string> captions = [] {
        std::map<int32_t, std::string> result = {
            {206100, "Zoom"},
            {209050, "Styles du document"},
            {212100, "Police"},
            {212200, "Taille de la police"},
            {212300, "Couleur de police"},
            {212400, "Soulignage"},
            {6263, "Changer de jeu de commandes (touche CTRL 2 fois)"},
            {2000000000, "Autres boutons"},
        };
        HRSRC found = FindResourceA(nullptr, "MAIN", "_MENU");
        HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
        const void* data = loaded ? LockResource(loaded) : nullptr;
        if (data) {
            std::vector<TMenuResourceItem> items;
            ParseMenuResource(items, static_cast<const uint8_t*>(data), SizeofResource(nullptr, found));
            CollectCaptions(items, result);
        }
        return result;
    }();
    return captions;
}

} // namespace

std::string ToolbarCommandCaption(int32_t command)
{
    auto found = Captions().find(command);
    return found != Captions().end() ? found->second : "Commande inconnue";
}

bool ToolbarCommandEnabled(int32_t)
{
    return true;
}

int ToolbarCommandState(int32_t)
{
    return 1;
}
