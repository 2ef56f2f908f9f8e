// Reading a coding's template for the formats of a plain-text file.
#include "formats/load/TextTemplates.h"

#include <algorithm>
#include <array>
#include <memory>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/FileStream.h"
#include "classlib/runtime/Files.h"
#include "core/Memory.h"
#include "core/Options.h"
#include "core/Styles.h"
#include "core/TabTables.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/Section.h"
#include "core/Codings.h"
#include "formats/load/LoadInput.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfReader.h"
#include "formats/text/PlainText.h"

namespace {

// The template read on its own, without a window or questions; none when it cannot be read.
std::unique_ptr<TDocument> ReadTemplate(const std::string& path)
{
    try {
        TFileStream file(path, fmOpenRead | fmShareDenyNone);
        auto document = std::make_unique<TDocument>();
        TLoadInput input(file, file.GetSize(), path);
        ReadRtfDocument(*document, input);
        document->FinishParagraphs();
        return document;
    } catch (const Exception&) {
        return nullptr;
    }
}

// A tab-table index of the template's tab manager as an index of the document's.
int32_t MapTabTable(int32_t index, const TTabManager& from, TTabManager& to)
{
    return index >= 0 && index < from.Count() ? to.RegisterTabTable(from.Table(index)) : index;
}

} // namespace

bool ApplyCodingTemplate(TDocument& document, int coding, const std::string& fileName,
                         TPlainTextFormats& formats)
{
    const std::string folder = DocumentHost().TemplatesFolder();
    if (folder.empty() || LiesInTemplatesFolder(fileName))
        return false;
    std::array<std::string, 6> names;
    std::copy(std::begin(CurrentOptions().General.DefaultTemplates.Templates),
              std::end(CurrentOptions().General.DefaultTemplates.Templates), names.begin());
    const std::string path = folder + TCodingManager::GetTemplateForCoding(coding, names);
    if (!FileExists(path))
        return false;
    std::unique_ptr<TDocument> model = ReadTemplate(path);
    if (!model)
        return false;

    // Style sheet, page setup and the settings that go with them.
    TTabManager& tabs = *document.TabManager;
    document.StyleList->Assign(*model->StyleList);
    for (auto& style : document.StyleList->Styles)
        style->ParaFormat[pfTabTable] = MapTabTable(style->ParaFormat[pfTabTable], *model->TabManager, tabs);
    document.Sections.front()->Assign(*model->Sections.front());
    tabs.SetDefaultTabInterval(model->TabManager->DefaultTabInterval());
    document.WidowControl = model->WidowControl;
    document.DefaultLanguageId = model->DefaultLanguageId;
    document.FootnoteSettings = model->FootnoteSettings;
    document.EndnoteSettings = model->EndnoteSettings;

    // Every paragraph starts in the formats of the template's start.
    const TParagraph& first = *model->Paragraphs.front();
    TCharFormat start = DefaultCharFormat();
    MergeFormatTags(first.Text.Data(), 0, first.CharToStreamOffset(0), false, start);
    document.DefaultLanguageCoding = model->DefaultLanguageCoding;
    if (model->DefaultLanguageCoding >= 0)
        start[cfLanguage] = model->DefaultLanguageCoding;
    TMemory tags;
    const TCharFormat& base = DefaultCharFormat();
    for (int f = 0; f < CharFormatFieldCount; ++f) {
        if (start[f] == base[f] || (f == cfLanguage && model->DefaultLanguageCoding < 0))
            continue;
        AppendInlineTag(tags, f, start[f]);
    }
    formats.InitialTags.assign(tags.Data(), tags.Data() + tags.Size());
    formats.ParaFormat = first.ParaFormat;
    formats.ParaFormat[pfTabTable] = MapTabTable(formats.ParaFormat[pfTabTable], *model->TabManager, tabs);
    return true;
}
