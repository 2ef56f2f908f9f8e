// The character format commands (12000 - 14999): emphasis, underline kinds, positions, sizes, spacing
// and the default font, each one undoable operation on the selection.
#include "core/FormatClipboards.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "editing/Builders.h"
#include "editing/OperationParams.h"
#include "shell/CommandExecutors.h"
#include "shell/CommandManager.h"
#include "shell/FormatCommands_win.h"

namespace {

void StepField(TDocument& doc, int32_t field, int32_t step)
{
    TStepCharFormatFieldParams params;
    params.Range = CommandRange(doc);
    params.Field = field;
    params.Step = step;
    ExecuteOperation(doc, params);
}

// The field each on/off command turns over.
int ToggleField(int32_t command)
{
    switch (command) {
    case 12120: return cfBold;
    case 12140: return cfItalic;
    case 12170: return cfStrike;
    case 12171: return cfDoubleStrike;
    case 12210: return cfSmallCaps;
    case 12215: return cfAllCaps;
    case 12285: return cfShadow;
    default: return -1;
    }
}

} // namespace

bool ExecuteCharacterCommand(int32_t command)
{
    TDocument* doc = CommandManager().GetDocument();
    if (!doc)
        return false;
    TCharFormat current;
    TParaFormat paras;
    CommandFormats(*doc, current, paras);
    TCharFormat change = UnsetCharFormat();
    if (const int field = ToggleField(command); field >= 0) {
        change[field] = Toggled(current[field]);
        ApplyCharacterChange(*doc, change);
        return true;
    }
    switch (command) {
    case 12020: {
        TCharFormatClipboard& clipboard = CharFormatClipboard();
        SelectionFormats(*doc, clipboard.Format, paras);
        clipboard.HasFormat = true;
        DocumentHost().InvalidateCommands();
        return true;
    }
    case 12040:
        if (!CharFormatClipboard().HasFormat)
            return true;
        change = CharFormatClipboard().Format;
        break;
    case 12160:
    case 12161:
    case 12162:
    case 12163:
    case 12164:
    case 12165:
    case 12166:
    case 12167:
    case 12168:
        change[cfUnderline] =
            SetOrClear(current[cfUnderline], TCommandManager::UnderlineKindOfCommand(command), 0);
        break;
    case 12180: change[cfVertPos] = SetOrClear(current[cfVertPos], 1, 0); break;
    case 12200: change[cfVertPos] = SetOrClear(current[cfVertPos], 2, 0); break;
    case 12220: StepField(*doc, cfSize, -2); return true;
    case 12240: StepField(*doc, cfSize, 2); return true;
    case 12260: StepField(*doc, cfSize, -2000); return true;
    case 12280: StepField(*doc, cfSize, 2000); return true;
    case 12310: ExecuteOperation(*doc, TReducePageCountParams{}); return true;
    case 12320: {
        TResetToStyleFormatParams params;
        params.Range = CommandRange(*doc);
        params.Characters = 1;
        ExecuteOperation(*doc, params);
        return true;
    }
    case 12340: StepField(*doc, cfSpacing, -20); return true;
    case 12360: StepField(*doc, cfSpacing, 20); return true;
    case 12380: StepField(*doc, cfRaise, 1); return true;
    case 12400: StepField(*doc, cfRaise, -1); return true;
    default: return false; // the dialogs, the toolbar's lists and the colour tools
    }
    ApplyCharacterChange(*doc, change);
    return true;
}
