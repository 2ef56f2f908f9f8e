// The two format clipboards of the format painter: a copied paragraph format and a copied character
// format, each with a flag telling whether it holds a format.
#pragma once
#include <string>

#include "core/FormatRecords.h"
#include "core/TabTables.h"

struct TParFormatingStateClipboard {
    TParFormatingStateClipboard() { Clear(); }
    // Back to holding no format, every field not set.
    void Clear()
    {
        HasFormat = false;
        FillUndefined(Format.F, ParaFormatFieldCount);
        StyleName.clear();
        Tabs.Clear();
    }

    bool HasFormat = false;
    TParaFormat Format;
    std::string StyleName;
    TTabTable Tabs; // the tab stops of the copied paragraph
};

struct TCharFormatClipboard {
    TCharFormatClipboard() { Clear(); }
    void Clear()
    {
        HasFormat = false;
        FillUndefined(Format.F, CharFormatFieldCount);
    }

    bool HasFormat = false;
    TCharFormat Format;
};

TParFormatingStateClipboard& ParFormatClipboard();
TCharFormatClipboard& CharFormatClipboard();
