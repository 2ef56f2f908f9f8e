// The French descriptions of styles' formatting the style dialogs show, and the tests on built-in styles.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "classlib/runtime/Format.h"
#include "core/Fonts.h"
#include "core/InterfaceTexts.h"
#include "core/LinePatterns.h"
#include "core/RecordUtils.h"
#include "core/Styles.h"
#include "core/TabTables.h"
#include "core/Units.h"

THotKeyToText HotKeyToTextHook = nullptr;

bool TStyle::WritesLowerCaseName() const
{
    return BuiltInId >= 1 && BuiltInId <= 46 && BuiltInId != 28 && BuiltInId != 45;
}

bool TStyle::IsHeading() const
{
    return BuiltInId >= 1 && BuiltInId <= 9;
}

namespace {

const char* const Pt = " pt";

// Colour indexes 0 to 16 are the standard colours; 17 is the one the descriptions call "standard".
std::string ColorName(int32_t index)
{
    if (index >= 0 && index < 17) {
        // The names' capitals are plain ASCII letters; the accented letters are lower case already.
        std::string name = ColorNames[index];
        for (char& c : name)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return name;
    }
    return index == 17 ? "standard" : std::string();
}

// A field the style leaves unset counts as off where it qualifies another's text.
bool IsOn(int32_t field)
{
    return IsFieldSet(field) && field != 0;
}

// Twips as points, in the shortest decimal form.
std::string Points(int32_t twips)
{
    return FloatToStr(twips / 20.0L);
}

std::string Length(int32_t twips)
{
    return GetMeasurementsManager()->FormatValue(twips);
}

void DescribeChar(const TCharFormat& f, std::vector<std::string>& parts)
{
    auto add = [&](std::string s) {
        if (!s.empty())
            parts.push_back(std::move(s));
    };
    auto onOff = [&](int field, const char* off, const char* on) {
        if (IsFieldSet(f[field]))
            add(f[field] == 0 ? off : on);
    };
    if (IsFieldSet(f[cfFont])) {
        const TFontManager& fm = GetFontManager();
        const int32_t index = f[cfFont] >= 0 && f[cfFont] < fm.FontCount() ? f[cfFont] : fm.DefaultFont();
        add(Format("police : %s", fm.FontName(index)));
    }
    if (IsFieldSet(f[cfSize]))
        add(Format("taille de la police : %f%s", f[cfSize] / 2.0L, Pt));
    onOff(cfBold, "non gras", "gras");
    onOff(cfItalic, "non italique", "italique");
    if (IsFieldSet(f[cfStrike]))
        add(f[cfStrike] == 1 ? "barré" : !IsOn(f[cfDoubleStrike]) ? "non barré" : "");
    if (f[cfDoubleStrike] == 1)
        add("barré double");
    if (IsFieldSet(f[cfUnderline])) {
        const int index = IndexOfUnderlineStyle(f[cfUnderline]);
        if (index >= 0)
            add(UnderlineNames[index]);
    }
    if (IsFieldSet(f[cfUnderlineColor]) && !ColorName(f[cfUnderlineColor]).empty())
        add(Format("couleur du soulignage : %s", ColorName(f[cfUnderlineColor])));
    if (IsFieldSet(f[cfSmallCaps]) && f[cfSmallCaps] != 0)
        add("petites majuscules");
    if (IsFieldSet(f[cfAllCaps]))
        add(f[cfAllCaps] != 0 ? "majuscules" : !IsOn(f[cfSmallCaps]) ? "pas de majuscules" : "");
    onOff(cfShadow, "pas d'ombre", "ombré");
    onOff(cfOutline, "pas de contour", "contour");
    onOff(cfEmboss, "pas de relief", "relief");
    onOff(cfEngrave, "pas d'empreinte", "empreinte");
    if (IsFieldSet(f[cfColor]) && !ColorName(f[cfColor]).empty())
        add(Format("couleur du texte : %s", ColorName(f[cfColor])));
    if (IsFieldSet(f[cfVertPos]) && f[cfVertPos] >= 0 && f[cfVertPos] <= 2) {
        static const char* const positions[3] = {"ni indice, ni exposant", "exposant", "indice"};
        add(positions[f[cfVertPos]]);
    }
    if (IsFieldSet(f[cfScale]))
        add(f[cfScale] == 100 ? std::string("pas d'étirement des caractères")
                              : Format("étirement des caractères : %d%%", f[cfScale]));
    if (IsFieldSet(f[cfSpacing]))
        add(f[cfSpacing] == 0 ? std::string("police sans espacement")
                              : Format("police à espacement : %s%s", Points(f[cfSpacing]), Pt));
    if (IsFieldSet(f[cfRaise])) {
        const int32_t r = f[cfRaise];
        add(r == 0  ? std::string("aucun décalage vertical")
            : r < 0 ? Format("décalage vers le bas : %d%s", -r, Pt)
                    : Format("décalage vers le haut : %d%s", r, Pt));
    }
    if (IsFieldSet(f[cfKerning]))
        add(f[cfKerning] == 0 ? std::string("pas de crénage")
                              : Format("crénage : %d%s et plus", f[cfKerning] / 2, Pt));
}

void DescribePara(const TParaFormat& f, const TTabManager* tabs, std::vector<std::string>& parts)
{
    const int32_t fi = f[pfFirstIndent], li = f[pfLeftIndent];
    const bool negativeFirst = IsFieldSet(fi) && fi < 0;
    if (IsFieldSet(fi))
        parts.push_back(negativeFirst ? Format("retrait de 1ère ligne négatif : %s", Length(-fi))
                                      : Format("retrait de 1ère ligne positif : %s", Length(fi)));
    if (IsFieldSet(li))
        parts.push_back(Format(
            "retrait gauche : %s",
            Length(negativeFirst ? static_cast<int32_t>(std::max<int64_t>(INT32_MIN + 1, int64_t(li) + fi))
                                 : li)));
    const int32_t spacing = f[pfLineSpacing], rule = f[pfSpacingRule];
    if (IsFieldSet(spacing) && IsFieldSet(rule)) {
        if (rule == 0)
            parts.push_back(spacing > 0 ? Format("interligne d'au moins : %s%s", Points(spacing), Pt)
                                        : Format("interligne défini : %s%s", Points(-spacing), Pt));
        else if (spacing == 240)
            parts.push_back("interligne simple");
        else if (spacing == 360)
            parts.push_back("interligne 1,5 ligne");
        else if (spacing == 480)
            parts.push_back("interligne double");
        else
            parts.push_back(Format("interligne multiple : %s", FloatToStr(spacing / 240.0L)));
    }
    if (IsFieldSet(f[pfRightIndent]))
        parts.push_back(Format("retrait droit : %s", Length(f[pfRightIndent])));
    if (IsFieldSet(f[pfAlignment]) && f[pfAlignment] >= 0 && f[pfAlignment] <= 3) {
        static const char* const alignments[4] = {"alignement à gauche", "alignement centré",
                                                  "alignement à droite", "alignement justifié"};
        parts.push_back(alignments[f[pfAlignment]]);
    }
    auto onOff = [&](int field, const char* off, const char* on) {
        if (IsFieldSet(f[field]))
            parts.push_back(f[field] == 0 ? off : on);
    };
    onOff(pfKeepWithNext, "paragraphes non solidaires", "paragraphes solidaires");
    onOff(pfKeepTogether, "lignes non solidaires", "lignes solidaires");
    onOff(pfPageBreakBefore, "sans saut de page avant", "saut de page avant");
    onOff(pfWidowControl, "ignorer veuves et orphelines", "éviter veuves et orphelines");
    if (IsFieldSet(f[pfSpaceBefore]))
        parts.push_back(Format("espacement avant paragraphe : %s%s", Points(f[pfSpaceBefore]), Pt));
    if (IsFieldSet(f[pfSpaceAfter]))
        parts.push_back(Format("espacement après paragraphe : %s%s", Points(f[pfSpaceAfter]), Pt));
    const int32_t table = f[pfTabTable];
    if (IsFieldSet(table) && table != -1 && tabs && table >= 0 && table < tabs->Count()) {
        std::string stops;
        const TTabTable& t = tabs->Table(table);
        for (int i = 0; i < t.Count(); ++i) {
            const int32_t kind = TabStopKind(t[i]);
            if (!stops.empty())
                stops += ", ";
            stops += Format(TabKindFormats[kind >= 0 && kind < 5 ? kind : 0], Length(TabStopPosition(t[i])));
        }
        parts.push_back(Format("taquets de tabulation : %s", stops));
    }
}

} // namespace

void DescribeFormat(const TStyle& style, bool wholeStyle, std::string& text)
{
    TCharFormat charFormat = style.CharFormat;
    const TStyle* base = style.Owner ? style.Owner->StyleOf(style.BasedOn) : nullptr;
    if (wholeStyle && style.BasedOn < 0) {
        for (int field : {cfFont, cfSize})
            if (!IsFieldSet(charFormat[field]))
                charFormat[field] = DefaultCharFormat()[field];
    }
    std::vector<std::string> parts;
    DescribeChar(charFormat, parts);
    DescribePara(style.ParaFormat, style.Owner ? style.Owner->TabManager : nullptr, parts);
    text.clear();
    for (const std::string& part : parts) {
        if (!text.empty())
            text += "; ";
        text += part;
    }
    if (!wholeStyle)
        return;
    if (base)
        text = text.empty() ? base->DisplayName : base->DisplayName + " + " + text;
    if (style.ShortCut != 0 && HotKeyToTextHook) {
        if (!text.empty())
            text += '\r';
        text += Format("Raccourci clavier : %s", HotKeyToTextHook(style.ShortCut));
    }
}
