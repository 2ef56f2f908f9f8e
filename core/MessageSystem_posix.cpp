// Without a display the message form cannot run: messages go to the standard error.
#include "core/MessageSystem.h"

#include <cstdio>

#include "classlib/runtime/Exceptions.h"

TMessageFormAnswer RunMessageForm(const std::string&, uint8_t, uint16_t, bool)
{
    throw Exception("Pas d'écran pour afficher le message.");
}

void ShowSystemMessageBox(const std::string& text, TSystemBoxKind)
{
    std::fprintf(stderr, "%s\n", text.c_str());
}

bool ApplicationTerminating()
{
    return false;
}

void BringApplicationPopupToFront() {}

bool ApplicationWindowVisible()
{
    return false;
}

void HideApplicationWindow() {}
