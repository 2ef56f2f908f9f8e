// Importing styles from one style list into another, and finding or creating the style of a typed name.
#include <algorithm>
#include <cstdio>

#include "classlib/runtime/Exceptions.h"
#include "core/Messages.h"
#include "core/RecordUtils.h"
#include "core/StyleManager.h"
#include "core/TabTables.h"

namespace {

bool Contains(const std::vector<int32_t>& list, int32_t value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The state of one import: the copy of the target that receives the styles, what is left to import
// and the target styles already handled.
class TStyleImporter {
public:
    TStyleImporter(TImportStylesInfo& info, TStyleList& copy, const TStyleList& target, bool ask)
        : FInfo(info), FCopy(copy), FTarget(target), FAsk(ask), FWork(info.Requested)
    {}

    void Run()
    {
        while (!FWork.empty())
            ImportOne(FWork.front());
    }

private:
    // The source style's tab table, registered with the target's tab manager.
    void MapTabTable(TStyle& style) const
    {
        int32_t& field = style.ParaFormat[pfTabTable];
        const TTabManager* from = FInfo.Source->TabManager;
        if (!IsFieldSet(field) || field < 0 || !from || !FTarget.TabManager || field >= from->Count())
            return;
        field = FTarget.TabManager->RegisterTabTable(from->Table(field));
    }

    // The parent and next style of a style copied from the source, imported in turn.
    void MapReferences(int32_t target, const TStyle& source)
    {
        const int32_t basedOn = source.BasedOn >= 0 ? ImportOne(source.BasedOn) : -1;
        const int32_t next = ImportOne(source.NextStyle);
        TStyle& style = *FCopy.Styles[static_cast<size_t>(target)];
        style.BasedOn = basedOn;
        style.NextStyle = next;
    }

    // Whether the existing style T gives way to the source style; Cancel aborts the whole import.
    bool MayReplace(const TStyle& source)
    {
        if (FReplaceAll || !FAsk)
            return true;
        char text[512];
        std::snprintf(
            text, sizeof text,
            "Voulez-vous remplacer le style \"%s\" présent dans la liste par le style correspondant "
            "de la liste source ?",
            source.DisplayName.c_str());
        const TMsgDlgButtons buttons = mbYesNoCancel | MsgDlgButton(mbNoToAll) | MsgDlgButton(mbYesToAll);
        switch (MessageDlgEx(text, 3, buttons)) {
        case mrYes: return true;
        case mrYesToAll: FReplaceAll = true; return true;
        case mrNoToAll: FSkipAll = true; return false;
        case mrNo: return false;
        default: throw EAbort();
        }
    }

    // Imports source style S; the target index it has now, -1 for an index that names none.
    int32_t ImportOne(int32_t s)
    {
        FWork.erase(std::remove(FWork.begin(), FWork.end(), s), FWork.end());
        const TStyle* source = FInfo.Source->StyleOf(s);
        if (!source)
            return -1;
        int32_t t = FCopy.IndexOfName(source->Name);
        if (t < 0) {
            auto copy = std::make_unique<TStyle>(&FCopy);
            AssignStyle(*copy, *source);
            MapTabTable(*copy);
            t = FCopy.AddStyle(std::move(copy)).ParaFormat[pfStyle];
            FVisited.push_back(t);
            FInfo.Added.push_back(t);
            MapReferences(t, *source);
            return t;
        }
        if (Contains(FVisited, t) || FInfo.Mode != 1 || FSkipAll)
            return t;
        if (!Contains(FInfo.Requested, s) && FInfo.KeepDependencies)
            return t;
        FVisited.push_back(t);
        if (!MayReplace(*source))
            return t;
        TStyle& style = *FCopy.Styles[static_cast<size_t>(t)];
        AssignStyle(style, *source);
        style.ParaFormat[pfStyle] = t;
        MapTabTable(style);
        FInfo.Replaced.push_back(t);
        MapReferences(t, *source);
        return t;
    }

    TImportStylesInfo& FInfo;
    TStyleList& FCopy;
    const TStyleList& FTarget;
    bool FAsk;
    bool FSkipAll = false;
    bool FReplaceAll = false;
    std::vector<int32_t> FWork;
    std::vector<int32_t> FVisited;
};

} // namespace

bool TStyleList::ImportStyles(TImportStylesInfo& info, bool ask)
{
    info.Added.clear();
    info.Replaced.clear();
    if (!info.Source)
        return true;
    // Everything happens on a copy, so that Cancel leaves this list as it was.
    TStyleList copy(Document, TabManager);
    copy.Assign(*this);
    TStyleImporter(info, copy, *this, ask).Run();
    const int32_t oldCount = Count();
    for (int32_t i = 0; i < copy.Count(); ++i) {
        const TStyle& from = *copy.Styles[static_cast<size_t>(i)];
        if (i < oldCount) {
            AssignStyle(*Styles[static_cast<size_t>(i)], from);
        } else {
            auto style = std::make_unique<TStyle>(this);
            AssignStyle(*style, from);
            AddStyle(std::move(style));
        }
    }
    GetStyleManager().IdentifyBuiltInStyles(*this);
    return true;
}

void ImportNormalStyle(TStyleList& target, const TStyleList& source)
{
    TImportStylesInfo info;
    info.Mode = 0;
    info.Source = &source;
    info.Requested = {0};
    target.ImportStyles(info, true);
}

bool FindOrCreateStyle(const TStyleList& list, const std::string& name, const TParaFormat& paraFormat,
                       const TCharFormat& charFormat, TFoundStyle& result)
{
    int32_t index = list.IndexOfDisplayName(name);
    if (index < 0)
        index = list.IndexOfName(name);
    if (index >= 0) {
        result.Index = index;
        return true;
    }
    if (name.empty()) {
        ShowError(
            "La zone de nom de style ne peut pas être laissée en blanc. Précisez un style, s'il vous plaît.");
        return false;
    }
    char text[512];
    std::snprintf(text, sizeof text,
                  "Le style \"%s\" ne se trouve pas dans la liste des styles du document. Voulez-vous l'y "
                  "ajouter en utilisant les caractéristiques de mise en forme du texte sélectionné ?",
                  name.c_str());
    if (MessageDlgEx(text, 3, mbYesNo) != mrYes)
        return false;
    auto copy = std::make_unique<TStyleList>(list.Document, list.TabManager);
    copy->Assign(list);
    for (int32_t i = 0; i < copy->Count(); ++i)
        copy->Styles[static_cast<size_t>(i)]->ParaFormat[pfStyle] = i;
    auto style = std::make_unique<TStyle>(copy.get());
    style->Name = name;
    style->DisplayName = name;
    style->CharFormat = charFormat;
    style->ParaFormat = paraFormat;
    const int32_t given = paraFormat[pfStyle];
    style->BasedOn = IsFieldSet(given) && copy->StyleOf(given) ? given : 0;
    TStyle& added = copy->AddStyle(std::move(style));
    const int32_t own = added.ParaFormat[pfStyle];
    const TStyle* base = copy->StyleOf(added.BasedOn);
    const bool namesStyle = IsFieldSet(given) && base;
    added.NextStyle =
        namesStyle && base->NextStyle != added.BasedOn && base->NextStyle >= 0 ? base->NextStyle : own;
    result.Index = own;
    GetStyleManager().IdentifyBuiltInStyles(*copy);
    result.NewList = std::move(copy);
    return true;
}
