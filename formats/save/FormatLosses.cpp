// The check of formatting losses before a save: by target coding, the formats present in the range that
// the coding cannot write.
#include "formats/save/FormatLosses.h"

#include "classlib/windowing/DialogTypes.h"
#include "core/Messages.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Paragraph.h"
#include "document/Field.h"
#include "core/Codings.h"
#include "formats/FieldInstructions.h"
#include "formats/save/DocumentSave.h"

namespace {

// A field whose value is present somewhere in the range: set to something but its plain value, or
// different across the range (so not the plain value everywhere).
bool Present(const TCharFormat& format, int field, int32_t plain)
{
    return format[field] != plain;
}

// Whether a decorative underline (kind 5 and above) stands anywhere in the paragraphs of the range.
bool HasDecorativeUnderline(TDocument& document, const TTextRange& range)
{
    for (int32_t i = std::max(range.StartPos.ParIndex, 0);
         i <= range.EndPos.ParIndex && i < document.ParagraphCount(); ++i) {
        const TParagraph& p = *document.Paragraphs[static_cast<size_t>(i)];
        const bool stopped =
            !ForEachTag(p.Text.Data(), 0, p.Text.Size(), [](int32_t, int code, int32_t value) {
                return !(code == cfUnderline && value >= 5);
            });
        if (stopped)
            return true;
    }
    return false;
}

bool HyperlinkMeets(TDocument& document, const TTextRange& range)
{
    document.UpdateFields();
    for (const auto& field : document.Fields) {
        if (field->Kind != fkCode || field->FieldType != kFieldTypeHyperlink)
            continue;
        if (CompareTextPos(field->StartPos, range.EndPos) <= 0 &&
            CompareTextPos(field->EndPos, range.StartPos) >= 0)
            return true;
    }
    return false;
}

bool ParaFormatsDiffer(TDocument& document, const TTextRange& range)
{
    TParaFormat format{};
    document.GetParFormatStateOfRange(range, format, false);
    for (int f = 0; f < ParaFormatFieldCount; ++f)
        if (f != pfWidowControl && format[f] == UndefinedField)
            return true;
    return false;
}

bool CharFormatsDiffer(const TCharFormat& format)
{
    for (int f = 0; f < CharFormatFieldCount; ++f)
        if (format[f] == UndefinedField)
            return true;
    return false;
}

} // namespace

std::string ListFormatLosses(TDocument& document, const TTextRange& range, int coding, bool& lost)
{
    lost = false;
    if (coding == cdRtf || coding == cdWord97 || coding == cdEncrypted)
        return {};
    TCharFormat format{};
    document.GetCharFormatStateOfRange(range, format, false);
    if (coding != cdWord6) {
        lost = CharFormatsDiffer(format) || ParaFormatsDiffer(document, range);
        return {};
    }
    std::string items;
    auto item = [&](bool present, const char* text) {
        if (!present)
            return;
        if (!items.empty())
            items += "||";
        items += text;
    };
    item(Present(format, cfDoubleStrike, 0),
         "* les attributs barré double seront convertis en barré simple.");
    item(Present(format, cfEmboss, 0), "* Texte à effet de relief (la couleur du texte deviendra grise).");
    item(Present(format, cfEngrave, 0), "* Texte à effet d'empreinte (la couleur du texte deviendra grise).");
    item(Present(format, cfHighlight, 0), "* Les caractères surlignés perdront leur surlignage.");
    item(Present(format, cfScale, 100), "* Tout effet d'échelle appliqué à des caractères sera perdu.");
    const int32_t underline = format[cfUnderline];
    item(underline == UndefinedField ? HasDecorativeUnderline(document, range) : underline >= 5,
         "* les soulignages décoratifs seront convertis en soulignages simples.");
    item(HyperlinkMeets(document, range),
         "* Le soulignage des liens hypertextes sera éventuellement préservé mais le lien sera inactivé.");
    if (items.empty())
        return {};
    lost = true;
    return "||Les éléments de mise en forme suivants seront perdus :||" + items;
}

bool CheckFormatLosses(TDocument& document, const TTextRange* range, int coding, const TAskUser& ask)
{
    if (!TCodingManager::CanSaveCoding(coding)) {
        SayCannotSave(coding, ask);
        return true;
    }
    if (document.FormatLossesAccepted)
        return false;
    bool lost = false;
    const std::string list =
        ListFormatLosses(document, range ? *range : document.GetBodyRange(), coding, lost);
    if (!lost)
        return false;
    if (!range)
        document.FormatLossesAccepted = true;
    const std::string quoted = "\"" + std::string(TCodingManager::GetCodingIdentifier(coding)) + "\"";
    const int answer =
        ask("Le document \"" + document.FileName +
                "\" contient des éléments de mise en forme qui seront perdus si le fichier est enregistré "
                "sous le format " +
                quoted + "." + list +
                "||||Appuyez sur \"Oui\" pour enregistrer ce "
                "document au format " +
                quoted +
                ".||Appuyez sur \"Non\" pour choisir un autre format de "
                "document.",
            mtConfirmation, MsgDlgButton(mbYes) | MsgDlgButton(mbNo), 2);
    return answer == mrNo;
}
