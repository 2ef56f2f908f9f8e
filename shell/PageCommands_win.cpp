// The page commands (15000 - 17999): pictures, section breaks, columns and page numbers.
#include <cstdio>

#include "core/FormatClipboards.h"
#include "core/Messages.h"
#include "document/Document.h"
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
    default: return false; // the dialogs
    }
}
