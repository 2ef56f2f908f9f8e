// The format painter's two shared format clipboards.
#include "core/FormatClipboards.h"

TParFormatingStateClipboard& ParFormatClipboard()
{
    static TParFormatingStateClipboard clipboard;
    return clipboard;
}

TCharFormatClipboard& CharFormatClipboard()
{
    static TCharFormatClipboard clipboard;
    return clipboard;
}
