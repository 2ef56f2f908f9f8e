// The RTF reader's section words: page setup, columns, breaks and page numbers of the last section,
// the section marks themselves, and the note settings of the document.
#include <algorithm>

#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Section.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/load/SectionChecks.h"
#include "formats/rtf/RtfReading.h"

// Section and note words; false for a word that is none of them.
bool TRtfReader::HandleSectionWord(const TRtfToken& t)
{
    const int32_t p = t.Param;
    TSection& last = *Doc.Sections.back();
    TSection& first = *Doc.Sections.front();
    TPageSetup& ps = last.PageSetup;
    TSectionParams& sp = last.Params;
    TNoteSettings& fn = Doc.FootnoteSettings;
    TNoteSettings& en = Doc.EndnoteSettings;
    switch (t.Word) {
    case rw_paperw:
    case rw_pgwsxn: ps[psWidth] = p; break;
    case rw_paperh:
    case rw_pghsxn: ps[psHeight] = p; break;
    case rw_margl:
    case rw_marglsxn: ps[psLeftMargin] = p; break;
    case rw_margr:
    case rw_margrsxn: ps[psRightMargin] = p; break;
    case rw_margt:
    case rw_margtsxn: ps[psTopMargin] = p; break;
    case rw_margb:
    case rw_margbsxn: ps[psBottomMargin] = p; break;
    case rw_landscape:
    case rw_lndscpsxn: ps[psOrientation] = 1; break;
    case rw_headery: ps[psHeaderDistance] = p; break;
    case rw_footery: ps[psFooterDistance] = p; break;
    case rw_sectfullsaved: last.FullySaved = 1; break;
    case rw_titlepg: ps[psHeaderFlags] |= 0x100; break;
    case rw_margmirror: first.PageSetup[psMirrorMargins] = 1; break;
    case rw_facingp: first.PageSetup[psHeaderFlags] |= 1; break;
    case rw_cols: sp[spColumnCount] = std::clamp(p, 1, MaxColumns); break;
    case rw_colsx: sp[spColumnGap] = RtfLength(p); break;
    case rw_colno: ColumnNumber = std::clamp(p, 1, sp[spColumnCount]) - 1; break;
    case rw_colw:
    case rw_colsr:
        // A width given for a section of one column describes nothing.
        if (sp[spColumnCount] <= 1)
            break;
        sp[ColumnField(ColumnNumber, t.Word == rw_colw ? ceWidth : ceGapAfter)] = RtfLength(p);
        sp[spEqualWidths] = 0;
        break;
    case rw_linebetcol: sp[spLineBetween] = 1; break;
    case rw_sbknone:
    case rw_sbkpage:
    case rw_sbkeven:
    case rw_sbkodd:
        // How this section starts is the break that ends the one before.
        if (Doc.Sections.size() >= 2)
            Doc.Sections[Doc.Sections.size() - 2]->Params[spBreakKind] = t.Word == rw_sbknone   ? 0
                                                                         : t.Word == rw_sbkpage ? 1
                                                                         : t.Word == rw_sbkeven ? 2
                                                                                                : 3;
        break;
    case rw_pgndec: last.PageNumberStyle = 0; break;
    case rw_pgnucrm: last.PageNumberStyle = 1; break;
    case rw_pgnlcrm: last.PageNumberStyle = 2; break;
    case rw_pgnucltr: last.PageNumberStyle = 3; break;
    case rw_pgnlcltr: last.PageNumberStyle = 4; break;
    case rw_pgnstarts: last.PageNumberRestart = std::max(p, 0); break;
    case rw_pgnrestart: last.PageNumberRestart = 1; break;
    case rw_pgncont: last.PageNumberRestart = -1; break;
    case rw_sectd:
        if (Doc.Sections.size() >= 2) {
            const int32_t mirror = ps[psMirrorMargins], oddEven = ps[psHeaderFlags] & 0xFF;
            last.SetDefaults();
            ps[psMirrorMargins] = mirror;
            ps[psHeaderFlags] = oddEven;
            for (int f :
                 {psWidth, psHeight, psOrientation, psLeftMargin, psRightMargin, psTopMargin, psBottomMargin})
                ps[f] = first.PageSetup[f];
        }
        ColumnNumber = 0;
        break;
    // Notes.
    case rw_ftnbj: fn.Position = 1; break;
    case rw_ftntj: fn.Position = 2; break;
    case rw_ftnnar: fn.Format = 0; break;
    case rw_ftnnruc: fn.Format = 1; break;
    case rw_ftnnrlc: fn.Format = 2; break;
    case rw_ftnnauc: fn.Format = 3; break;
    case rw_ftnnalc: fn.Format = 4; break;
    case rw_ftnnchi: fn.Format = 9; break;
    case rw_ftnstart: fn.StartNumber = std::clamp(p, 0, 32767); break;
    case rw_ftnrstcont: fn.RestartMode = 0; break;
    case rw_ftnrestart: fn.RestartMode = 1; break;
    case rw_ftnrstpg: fn.RestartMode = 2; break;
    case rw_aendnotes: en.Position = 0; break;
    case rw_aenddoc: en.Position = 3; break;
    case rw_aftnnar: en.Format = 0; break;
    case rw_aftnnruc: en.Format = 1; break;
    case rw_aftnnrlc: en.Format = 2; break;
    case rw_aftnnauc: en.Format = 3; break;
    case rw_aftnnalc: en.Format = 4; break;
    case rw_aftnnchi: en.Format = 9; break;
    case rw_aftnstart: en.StartNumber = std::clamp(p, 0, 32767); break;
    case rw_aftnrstcont: en.RestartMode = 0; break;
    case rw_aftnrestart: en.RestartMode = 1; break;
    default: return false;
    }
    return true;
}

// Ends the current paragraph with the mark of the last section and opens a new section that starts
// with the settings of the one it follows.
void TRtfReader::EndSection()
{
    TSection& ended = *Doc.Sections.back();
    Cur->AppendSectionBreak(ended.Handle);
    Doc.Sections.push_back(std::make_unique<TSection>(&Doc));
    Doc.Sections.back()->Assign(ended);
    Doc.SetModeFlag(mfSectionRangesStale, true);
}

// Brings what the file gave within the program's ranges.
void TRtfReader::FinishSections()
{
    SettleSectionColumns(Doc);
}
