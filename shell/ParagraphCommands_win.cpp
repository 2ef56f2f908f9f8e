// The paragraph format commands (9000 - 11999): alignment, indents, spacing, line spacing, keeping
// together, bullets and styles, each one undoable operation on the selection.
#include "core/FormatClipboards.h"
#include "core/Styles.h"
#include "core/TabTables.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "editing/Builders.h"
#include "editing/OperationParams.h"
#include "shell/CommandExecutors.h"
#include "shell/CommandManager.h"
#include "shell/FormatCommands_win.h"

namespace {

void StepParagraphs(TDocument& doc, uint8_t kind, int32_t step)
{
    TStepParagraphFormatParams params;
    params.Range = CommandRange(doc);
    params.Kind = kind;
    params.Step = step;
    ExecuteOperation(doc, params);
}

// 240 twips when the spacing is not 240 already, else none.
int32_t ToggledSpacing(int32_t current)
{
    return current == 240 ? 0 : 240;
}

} // namespace

bool ExecuteParagraphCommand(int32_t command)
{
    TDocument* doc = CommandManager().GetDocument();
    if (!doc)
        return false;
    TCharFormat chars;
    TParaFormat current;
    CommandFormats(*doc, chars, current);
    TParaFormat change = UnsetParaFormat();
    switch (command) {
    case 9020: {
        // The selection's paragraph format and its tab stops.
        TParFormatingStateClipboard& clipboard = ParFormatClipboard();
        SelectionFormats(*doc, chars, clipboard.Format);
        const int32_t table =
            doc->Paragraphs[size_t(CommandRange(*doc).StartPos.ParIndex)]->ParaFormat[pfTabTable];
        clipboard.Tabs.Clear();
        if (table >= 0 && table < doc->TabManager->Count())
            clipboard.Tabs.Assign(doc->TabManager->Table(table));
        const TStyle* style = doc->StyleList->StyleOf(clipboard.Format[pfStyle]);
        clipboard.StyleName = style ? style->DisplayName : std::string();
        clipboard.HasFormat = true;
        DocumentHost().InvalidateCommands();
        return true;
    }
    case 9040: {
        const TParFormatingStateClipboard& clipboard = ParFormatClipboard();
        if (!clipboard.HasFormat)
            return true;
        change = clipboard.Format;
        change[pfTabTable] = doc->TabManager->RegisterTabTable(clipboard.Tabs);
        break;
    }
    case 9080:
    case 9081:
    case 9082:
    case 9083: change[pfAlignment] = command - 9080; break;
    case 9100: StepParagraphs(*doc, 0, 720); return true;
    case 9120: StepParagraphs(*doc, 0, -720); return true;
    case 9140: StepParagraphs(*doc, 1, 720); return true;
    case 9160: StepParagraphs(*doc, 1, -720); return true;
    case 9170: change[pfFirstIndent] = current[pfFirstIndent] != 0 ? 0 : 720; break;
    case 9180:
    case 9200:
    case 9220:
        change[pfSpacingRule] = 1;
        change[pfLineSpacing] = command == 9180 ? 240 : command == 9200 ? 360 : 480;
        break;
    case 9240: change[pfSpaceBefore] = ToggledSpacing(current[pfSpaceBefore]); break;
    case 9243: change[pfSpaceAfter] = ToggledSpacing(current[pfSpaceAfter]); break;
    case 9246: {
        const bool both = current[pfSpaceBefore] == 240 && current[pfSpaceAfter] == 240;
        change[pfSpaceBefore] = change[pfSpaceAfter] = both ? 0 : 240;
        break;
    }
    case 9250: StepParagraphs(*doc, 4, 0); return true;
    case 9251: StepParagraphs(*doc, 5, 0); return true;
    case 9255: StepParagraphs(*doc, 6, 0); return true;
    case 9256: StepParagraphs(*doc, 7, 0); return true;
    case 9260: {
        TResetToStyleFormatParams params;
        params.Range = CommandRange(*doc);
        params.Characters = 0;
        ExecuteOperation(*doc, params);
        return true;
    }
    case 9270: change[pfKeepWithNext] = Toggled(current[pfKeepWithNext]); break;
    case 9271: change[pfKeepTogether] = Toggled(current[pfKeepTogether]); break;
    case 9272: change[pfPageBreakBefore] = Toggled(current[pfPageBreakBefore]); break;
    case 9280: CommandManager().ExecuteCommandWithArg(209100, 0); return true;
    case 9310: {
        TUpdateStyleFromSelectionParams params;
        params.ActionName = "Actualiser le style";
        ExecuteOperation(*doc, params);
        return true;
    }
    case 9320:
        // Bullets on when the paragraphs have none, else off.
        StepParagraphs(*doc, current[pfBullets] == 0 ? 2 : 3, 0);
        return true;
    default: return false; // the dialogs and the toolbar's lists
    }
    ApplyParagraphChange(*doc, change);
    return true;
}
