// A document without a window holding a line of text, all of it selected, with both format clipboards
// filled: the commands that need a document, a selection or a copied format are enabled on it.
#pragma once
#include <memory>
#include <string>

#include "core/FormatClipboards.h"
#include "document/Document.h"
#include "formats/load/LoadInput.h"
#include "formats/rtf/RtfReader.h"
#include "shell/CommandManager.h"

class TSelectedTextDocument {
public:
    TSelectedTextDocument()
    {
        const std::string rtf = "{\\rtf1\\ansi Un texte choisi\\par}";
        TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
        ReadRtfDocument(*Document, input);
        Document->FinishParagraphs();
        Document->SelectAll();
        CommandManager().DocumentOverride = Document.get();
        ParFormatClipboard().HasFormat = true;
        CharFormatClipboard().HasFormat = true;
    }
    ~TSelectedTextDocument()
    {
        CommandManager().DocumentOverride = nullptr;
        ParFormatClipboard().Clear();
        CharFormatClipboard().Clear();
    }
    TSelectedTextDocument(const TSelectedTextDocument&) = delete;
    TSelectedTextDocument& operator=(const TSelectedTextDocument&) = delete;

    std::unique_ptr<TDocument> Document = std::make_unique<TDocument>();
};
