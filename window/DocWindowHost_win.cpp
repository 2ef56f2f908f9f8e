// The plain host of the document window, serving until the main window installs itself.
#include "window/DocWindowHost.h"

namespace {

TDocWindowHost PlainHost;
TDocWindowHost* CurrentHost = &PlainHost;

} // namespace

TDocWindowHost::~TDocWindowHost() = default;

void TDocWindowHost::ExecuteCommandWithArg(int32_t, intptr_t) {}

void TDocWindowHost::ShowContextMenu(const std::vector<std::string>&, int, int) {}

void TDocWindowHost::DocumentActivated(TDocument*) {}

HBITMAP TDocWindowHost::CachedFrame(HWND& from)
{
    from = nullptr;
    return nullptr;
}

HWND TDocWindowHost::DragSourceWindow()
{
    return nullptr;
}

void TDocWindowHost::AddPaletteFormat(const TCharFormat&) {}

bool TDocWindowHost::SpellingWordAtCaret(TDocument*, bool, TSpellingWord&)
{
    return false;
}

void TDocWindowHost::ShowSpellingMenu(const std::string&, const std::vector<std::string>&, int, int) {}

TDocWindowHost& DocWindowHost()
{
    return *CurrentHost;
}

void SetDocWindowHost(TDocWindowHost* host)
{
    CurrentHost = host ? host : &PlainHost;
}
