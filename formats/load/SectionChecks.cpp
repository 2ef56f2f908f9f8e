// Sections read from a file brought within the program's bounds.
#include "formats/load/SectionChecks.h"

#include <algorithm>

#include "document/Document.h"
#include "document/PageSetup.h"
#include "document/Section.h"

void SettleSectionColumns(TDocument& document)
{
    for (auto& section : document.Sections) {
        ValidatePageSetup(section->PageSetup);
        TSectionParams& sp = section->Params;
        sp[spColumnCount] = std::clamp(sp[spColumnCount], 1, MaxColumns);
        // Columns of their own widths must fit the text width; otherwise they are made equal.
        if (sp[spEqualWidths] == 0) {
            int64_t total = 0;
            for (int n = 0; n < sp[spColumnCount]; ++n) {
                total += sp[ColumnField(n, ceWidth)];
                if (n + 1 < sp[spColumnCount])
                    total += sp[ColumnField(n, ceGapAfter)];
            }
            if (total <= 0 || total > section->PageSetup[psTextWidth])
                sp[spEqualWidths] = 1;
        }
    }
    document.SetModeFlag(mfSectionRangesStale, true);
    document.SetModeFlag(mfColumnWidthsStale, true);
}
