// The built-in style names, the default style list and copying style lists.
#include "core/StyleManager.h"

#include "core/Fonts.h"
#include "core/RecordUtils.h"
#include "core/TabTables.h"

namespace {

struct TBuiltInName {
    const char* Name;
    const char* DisplayName;
};

const TBuiltInName BuiltInNames[BuiltInStyleCount] = {
    {"Normal", "Normal"},
    {"Heading 1", "Titre 1"},
    {"Heading 2", "Titre 2"},
    {"Heading 3", "Titre 3"},
    {"Heading 4", "Titre 4"},
    {"Heading 5", "Titre 5"},
    {"Heading 6", "Titre 6"},
    {"Heading 7", "Titre 7"},
    {"Heading 8", "Titre 8"},
    {"Heading 9", "Titre 9"},
    {"Index 1", "Index 1"},
    {"Index 2", "Index 2"},
    {"Index 3", "Index 3"},
    {"Index 4", "Index 4"},
    {"Index 5", "Index 5"},
    {"Index 6", "Index 6"},
    {"Index 7", "Index 7"},
    {"Index 8", "Index 8"},
    {"Index 9", "Index 9"},
    {"TOC 1", "TM 1"},
    {"TOC 2", "TM 2"},
    {"TOC 3", "TM 3"},
    {"TOC 4", "TM 4"},
    {"TOC 5", "TM 5"},
    {"TOC 6", "TM 6"},
    {"TOC 7", "TM 7"},
    {"TOC 8", "TM 8"},
    {"TOC 9", "TM 9"},
    {"Normal Indent", "Retrait normal"},
    {"Footnote Text", "Note de bas de page"},
    {"Annotation Text", "Annotation"},
    {"Header", "En-tête"},
    {"Footer", "Pied de page"},
    {"Index Heading", "Titre d'index"},
    {"Caption", "Légende"},
    {"Table of Figures", "Table de nombres"},
    {"Envelope Address", "Adresse destinataire"},
    {"Envelope Return", "Adresse expéditeur"},
    {"Footnote Reference", "Appel de note de bas de page"},
    {"Annotation Reference", "Appel d'annotation"},
    {"Line Number", "Numéro de ligne"},
    {"Page Number", "Numéro de page"},
    {"Endnote Reference", "Appel de note de fin"},
    {"Endnote Text", "Note de fin"},
    {"Table of Authorities", "Table de références juridiques"},
    {"Macro Text", "Texte de macro"},
    {"TOA Heading", "Titre de table de références"},
    {"List", "Liste"},
    {"List 2", "Liste 2"},
    {"List 3", "Liste 3"},
    {"List 4", "Liste 4"},
    {"List 5", "Liste 5"},
    {"List Bullet", "Liste à puces"},
    {"List Bullet 2", "Liste à puces 2"},
    {"List Bullet 3", "Liste à puces 3"},
    {"List Bullet 4", "Liste à puces 4"},
    {"List Bullet 5", "Liste à puces 5"},
    {"List Number", "Liste à numéros"},
    {"List Number 2", "Liste à numéros 2"},
    {"List Number 3", "Liste à numéros 3"},
    {"List Number 4", "Liste à numéros 4"},
    {"List Number 5", "Liste à numéros 5"},
    {"Title", "Titre"},
    {"Closing", "Salutations"},
    {"Signature", "Signature"},
    {"Default Paragraph Font", "Police par défaut"},
    {"Body Text", "Corps de texte"},
    {"Body Text Indent", "Retrait corps de texte"},
    {"List Continue", "Liste continue"},
    {"List Continue 2", "Liste continue 2"},
    {"List Continue 3", "Liste continue 3"},
    {"List Continue 4", "Liste continue 4"},
    {"List Continue 5", "Liste continue 5"},
    {"Message Header", "En-tête de message"},
    {"Subtitle", "Sous-titre"},
    {"Salutation", "Salutation"},
    {"Date", "Date"},
    {"Body Text First Indent", "Retrait corps et 1re ligne"},
    {"Body Text First Indent 2", "Retrait corps et 1re ligne 2"},
    {"Note Heading", "En-tête de message"},
    {"Body Text 2", "Corps de texte 2"},
    {"Body Text 3", "Corps de texte 3"},
    {"Body Text Indent 2", "Retrait corps de texte 2"},
    {"Body Text Indent 3", "Retrait corps de texte 3"},
    {"Block Text", "Texte en majuscules"},
    {"Hyperlink", "Lien hypertexte"},
    {"Followed Hyperlink", "Lien hypertexte suivi"},
    {"Strong", "Gras"},
    {"Emphasis", "Italique"},
    {"Document Map", "Plan de document"},
    {"Plain Text", "Texte ordinaire"},
    {"TOC Title", "Titre TM"},
};

// Equal but for the case of the ASCII letters a to z (accented letters must match exactly).
bool SameNameAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// A new style of the default list, all its fields not set but its name and its index.
TStyle& AddDefaultStyle(TStyleList& list, const char* name)
{
    auto style = std::make_unique<TStyle>(&list);
    ClearCharFormatState(style->CharFormat);
    ClearParFormatState(style->ParaFormat);
    style->Name = name;
    style->DisplayName = name;
    style->ParaFormat[pfStyle] = list.Count();
    list.Styles.push_back(std::move(style));
    return *list.Styles.back();
}

TStyleManager* Manager = nullptr;

} // namespace

std::string_view BuiltInStyleName(int32_t id)
{
    return id >= 0 && id < BuiltInStyleCount ? BuiltInNames[id].Name : "";
}

std::string_view BuiltInStyleDisplayName(int32_t id)
{
    return id >= 0 && id < BuiltInStyleCount ? BuiltInNames[id].DisplayName : "";
}

void AssignStyle(TStyle& target, const TStyle& source)
{
    target.IsBuiltIn = source.IsBuiltIn;
    target.BuiltInId = source.BuiltInId;
    target.BasedOn = source.BasedOn;
    target.NextStyle = source.NextStyle;
    target.Name = source.Name;
    target.DisplayName = source.DisplayName;
    target.ShortCut = source.ShortCut;
    target.CharFormat = source.CharFormat;
    target.ParaFormat = source.ParaFormat;
}

void TStyleList::Assign(const TStyleList& other)
{
    if (&other == this)
        return;
    Styles.clear();
    for (const auto& source : other.Styles) {
        auto copy = std::make_unique<TStyle>(this);
        AssignStyle(*copy, *source);
        Styles.push_back(std::move(copy));
    }
}

TStyleManager::TStyleManager()
    : TabManager(std::make_unique<TTabManager>()),
      DefaultList(std::make_unique<TStyleList>(nullptr, TabManager.get()))
{
    TStyleList& list = *DefaultList;
    TStyle& normal = AddDefaultStyle(list, "Normal");
    normal.NextStyle = 0;
    normal.CharFormat[cfFont] = GetFontManager().DefaultFont();
    normal.CharFormat[cfSize] = 20;
    for (int n = 1; n <= 9; ++n)
        AddDefaultStyle(list, BuiltInNames[n].Name);
    for (const char* name : {"Header", "Footer"}) {
        TStyle& style = AddDefaultStyle(list, name);
        style.BasedOn = 0;
        style.NextStyle = list.Count() - 1;
    }
    TStyle& title = AddDefaultStyle(list, "TOC Title");
    title.CharFormat[cfSize] = 24;
    title.CharFormat[cfBold] = 1;
    title.ParaFormat[pfAlignment] = 1;
    title.ParaFormat[pfKeepWithNext] = 1;
    title.ParaFormat[pfSpaceBefore] = 120;
    for (int n = 1; n <= 9; ++n)
        AddDefaultStyle(list, BuiltInNames[18 + n].Name).ParaFormat[pfLeftIndent] = (n - 1) * 240;
    IdentifyBuiltInStyles(list);
}

TStyleManager::~TStyleManager() = default;

void TStyleManager::IdentifyBuiltInStyles(TStyleList& list) const
{
    if (IdentifyDisabled)
        return;
    for (auto& style : list.Styles) {
        style->BuiltInId = -1;
        for (int32_t id = 0; id < BuiltInStyleCount && style->BuiltInId < 0; ++id)
            if (SameNameAsciiCase(style->Name, BuiltInNames[id].DisplayName))
                style->BuiltInId = id;
        for (int32_t id = 0; id < BuiltInStyleCount && style->BuiltInId < 0; ++id)
            if (SameNameAsciiCase(style->Name, BuiltInNames[id].Name))
                style->BuiltInId = id;
        style->IsBuiltIn = style->BuiltInId >= 0;
        if (style->IsBuiltIn) {
            style->Name = BuiltInNames[style->BuiltInId].Name;
            style->DisplayName = BuiltInNames[style->BuiltInId].DisplayName;
        }
    }
}

TStyleManager& GetStyleManager()
{
    if (!Manager)
        Manager = new TStyleManager();
    return *Manager;
}

void FreeStyleManager()
{
    delete Manager;
    Manager = nullptr;
}
