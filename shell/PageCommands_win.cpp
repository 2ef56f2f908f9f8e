// The page commands (15000 - 17999): pictures, section breaks, columns and page numbers.
#include <cstdio>

#include "core/FormatClipboards.h"
#include "core/Messages.h"
#include "document/Document.h"
#include "document/Section.h"
#include "editing/OperationParams.h"
#include "shell/CommandExecutors.h"
#include "shell/CommandManager.h"

bool ExecutePageCommand(int32_t command)
{
    TDocument* doc = CommandManager().GetDocument();
    if (!doc)
        return false;
    switch (command) {
    case 15000:
        if (!doc->IsObjectSelected()) {
            ShowInformation("Cette action (\"Format de l'image\") ne s'applique qu'à une sélection.||"
                            "Sélectionnez une image et recommencez.");
            return true;
        }
        return false; // the picture format dialog
    case 15550: {
        // The format painter's formats onto the selection.
        TFormatPainterParams params;
        params.CharFormat = CharFormatClipboard().Format;
        params.ParaFormat = ParFormatClipboard().Format;
        params.StyleName = ParFormatClipboard().StyleName;
        ExecuteOperation(*doc, params);
        return true;
    }
    case 15650:
    case 15651:
    case 15652:
    case 15653: {
        // The kind of the break that ends the caret's section.
        doc->UpdateSectionRanges();
        const TSection* section = doc->SectionOfParagraph(doc->Caret.ParIndex);
        if (!section)
            return true;
        TChangeSectionBreakParams params;
        params.Paragraph = section->LastParagraph;
        params.BreakKind = uint8_t(command - 15650);
        ExecuteOperation(*doc, params);
        return true;
    }
    default: return false; // the dialogs
    }
}
