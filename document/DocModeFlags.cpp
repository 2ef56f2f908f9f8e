// The document's mode flags and their save stack.
#include "document/Document.h"

void TDocument::PushModeFlag(int k)
{
    ModeFlagStack.push_back((k & 127) + (GetModeFlag(k) ? 65536 : 0));
}

int TDocument::PushModeFlagOn(int k)
{
    PushModeFlag(k);
    SetModeFlag(k, true);
    return k;
}

int TDocument::PushModeFlagOff(int k)
{
    PushModeFlag(k);
    SetModeFlag(k, false);
    return k;
}

void TDocument::PopModeFlags(int n)
{
    for (; n > 0 && !ModeFlagStack.empty(); --n) {
        const int32_t entry = ModeFlagStack.back();
        ModeFlagStack.pop_back();
        SetModeFlag(entry & 127, (entry >> 16 & 1) != 0);
    }
}
