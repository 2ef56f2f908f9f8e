// The texts of keyboard shortcuts.
#include "classlib/windowing/ShortCuts.h"

#include <windows.h>

#include <utility>

#include "classlib/windowing/Controls.h"

namespace {

std::string KeyName(uint32_t key)
{
    static const std::pair<uint32_t, const char*> names[] = {
        {VK_BACK, "Retour arrière"}, {VK_TAB, "Tab"},        {VK_CLEAR, "Effacer"},
        {VK_RETURN, "Entrée"},       {VK_ESCAPE, "Échap"},   {VK_SPACE, "Espace"},
        {VK_PRIOR, "Pg. préc."},     {VK_NEXT, "Pg. suiv."}, {VK_END, "Fin"},
        {VK_HOME, "Origine"},        {VK_LEFT, "Gauche"},    {VK_UP, "Haut"},
        {VK_RIGHT, "Droite"},        {VK_DOWN, "Bas"},       {VK_INSERT, "Inser"},
        {VK_DELETE, "Suppr"},        {VK_MULTIPLY, "Num *"}, {VK_ADD, "Num +"},
        {VK_SUBTRACT, "Num -"},      {VK_DECIMAL, "Num ."},  {VK_DIVIDE, "Num /"}};
    for (const auto& [code, name] : names)
        if (code == key)
            return name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24)
        return "F" + std::to_string(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return "Num " + std::to_string(key - VK_NUMPAD0);
    // The character the key types on the current layout (the punctuation keys).
    const UINT ch = MapVirtualKeyA(key, 2) & 0x7FFFFFFF;
    if (ch > 32 && ch < 256)
        return std::string(1, static_cast<char>(ch));
    return "#" + std::to_string(key);
}

} // namespace

std::string ShortCutToText(uint32_t virtualKey, uint32_t shift)
{
    std::string text;
    if (shift & ssCtrl)
        text += "Ctrl+";
    if (shift & ssShift)
        text += "Maj+";
    if (shift & ssAlt)
        text += "Alt+";
    return text + KeyName(virtualKey);
}
