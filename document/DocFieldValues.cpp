// The results of the computed fields that do not hang on the page showing them: the document's
// information, dates, statistics, its file, the nearest paragraph of a style and page references.
#include <algorithm>
#include <cstdio>

#include "classlib/runtime/DateTime.h"
#include "classlib/runtime/Files.h"
#include "core/FileSys.h"
#include "core/Styles.h"
#include "core/TextUtils.h"
#include "document/Document.h"
#include "document/FieldCodes.h"
#include "document/Field.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "document/Statistics.h"

namespace {

// The field code's words after the keyword, switches left out.
std::string FirstArgument(const std::string& code)
{
    const std::vector<std::string> words = SplitFieldCode(code);
    for (size_t i = 1; i < words.size(); ++i)
        if (!words[i].empty() && words[i][0] != '\\')
            return words[i];
    return {};
}

bool HasSwitch(const std::string& code, const char* name)
{
    for (const std::string& word : SplitFieldCode(code))
        if (CompareTextLocale(word, name) == 0)
            return true;
    return false;
}

} // namespace

TField* TDocument::FindBookmark(const std::string& name) const
{
    for (auto it = Fields.rbegin(); it != Fields.rend(); ++it)
        if ((*it)->Kind == fkBookmark && CompareTextLocale((*it)->Code, name) == 0)
            return it->get();
    return nullptr;
}

int32_t TDocument::FindParagraphOfStyle(int32_t style, int32_t from)
{
    const int32_t first = StoryStart(StoryOfParagraph(from)), last = StoryEnd(StoryOfParagraph(from));
    auto matches = [&](int32_t i) {
        const TParagraph& p = *Paragraphs[size_t(i)];
        return p.ParaFormat[pfStyle] == style && p.CharacterCount() > 1;
    };
    for (int32_t i = from; i >= first; --i)
        if (matches(i))
            return i;
    for (int32_t i = from + 1; i <= last; ++i)
        if (matches(i))
            return i;
    return -1;
}

const TDocStatistics& TDocument::FieldStatistics()
{
    if (!FieldStatisticsValid) {
        TModeFlagScope flags(*this);
        flags.On(mfStatisticsCharsOnly);
        // Counted over the whole document, whatever is selected.
        const TTextRange selection = Selection;
        Selection = TTextRange{};
        Selection.StartPos = Selection.EndPos = Caret;
        try {
            ComputeStatistics(FieldStatisticsRecord);
        } catch (...) {
            Selection = selection;
            throw;
        }
        Selection = selection;
        FieldStatisticsValid = true;
    }
    return FieldStatisticsRecord;
}

bool TDocument::ContainsFieldTypes(const uint8_t* types)
{
    UpdateFields();
    const int32_t first = StoryStart(stHeadersFooters), last = StoryEnd(stHeadersFooters);
    for (const auto& f : Fields)
        if (f->Kind == fkCode && f->FieldType < 96 && (types[f->FieldType / 8] >> (f->FieldType % 8)) & 1 &&
            f->StartPos.ParIndex >= first && f->StartPos.ParIndex <= last)
            return true;
    return false;
}

bool TDocument::UpdateStatisticsFields()
{
    if (!GetModeFlag(mfStatisticsStale))
        return false;
    uint8_t types[12] = {};
    for (int type : {26, 27, 28, int(ftPage), int(ftSection), int(ftSectionPages)})
        types[type / 8] |= uint8_t(1u << (type % 8));
    if (!ContainsFieldTypes(types))
        return false;
    SetModeFlag(mfStatisticsStale, false);
    FieldStatisticsValid = false;
    FieldStatistics();
    return true;
}

bool TDocument::ComputeTextFieldResult(const TField& field, int32_t paragraph, std::string& result)
{
    switch (field.FieldType) {
    case 10: { // STYLEREF
        const std::string name = FirstArgument(field.Code);
        int32_t style = StyleList ? StyleList->IndexOfName(name) : -1;
        if (style < 0 && StyleList)
            style = StyleList->IndexOfDisplayName(name);
        const int32_t found = style >= 0 ? FindParagraphOfStyle(style, paragraph) : -1;
        if (found < 0) {
            result = "Aucun paragraphe de style \"" + name + "\" n'a pu être trouvé !";
            return true;
        }
        result = GetText(TextPosAt(found, 0), Paragraphs[size_t(found)]->CharacterCount() - 1);
        break;
    }
    case 15: result = field.ApplyCaseSwitch(Info.Title); break;
    case 16: result = field.ApplyCaseSwitch(Info.Subject); break;
    case 17: result = field.ApplyCaseSwitch(Info.Author); break;
    case 18: result = field.ApplyCaseSwitch(Info.Keywords); break;
    case 19: result = field.ApplyCaseSwitch(Info.Comments); break;
    case 20: result = field.ApplyCaseSwitch(Info.LastAuthor); break;
    case 21: result = field.FormatDateTime(Info.CreationDate); break;
    case 22: result = field.FormatDateTime(Info.LastSaveDate); break;
    case 23: result = field.FormatDateTime(Info.LastPrintDate); break;
    case 27: result = std::to_string(FieldStatistics().Words); break;
    case 28: result = std::to_string(FieldStatistics().CharsWithSpaces); break;
    case 29: result = HasSwitch(field.Code, "\\p") ? FileName : ExtractFileName(FileName); break;
    case 31:
    case 32: result = field.FormatDateTime(Now()); break;
    case ftPageReference: return ComputePageReference(field, paragraph, result);
    case 69: { // FILESIZE
        const int64_t size = FileName.empty() ? 0 : std::max<int64_t>(FileSys::FileSize(FileName), 0);
        result = std::to_string(HasSwitch(field.Code, "\\m")   ? size / (1024 * 1024)
                                : HasSwitch(field.Code, "\\k") ? size / 1024
                                                               : size);
        break;
    }
    default: return false;
    }
    if (const size_t cut = result.find_first_of("\r\n"); cut != std::string::npos)
        result.erase(cut);
    if (result.empty())
        result = "Aucun(e)";
    return true;
}

bool TDocument::ComputePageReference(const TField& field, int32_t paragraph, std::string& result)
{
    const TPageRefCode code = ParsePageRefFieldCode(field.Code);
    UpdateFields();
    const TField* bookmark = FindBookmark(code.Bookmark);
    if (!bookmark) {
        result = "?";
        return true;
    }
    TTextPos target = bookmark->StartPos;
    LocateTextPos(target);
    const TSection* section = SectionOfParagraph(target.ParIndex);
    const std::string number = field.FormatNumber(
        PageNumberOf(target.PageIndex), NotationOfNumberingFormat(section ? section->PageNumberStyle : 0));
    if (!code.Relative || StoryOfParagraph(paragraph) == stHeadersFooters) {
        result = number;
        return true;
    }
    TTextPos here = field.StartPos;
    LocateTextPos(here);
    if (here.PageIndex != target.PageIndex)
        result = "en page " + number;
    else
        result = CompareTextPos(target, field.StartPos) < 0 ? "ci-dessus" : "ci-dessous";
    return true;
}
