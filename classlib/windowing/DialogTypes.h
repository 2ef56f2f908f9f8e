// Modal results, message-dialog types and buttons, and the texts of the message form; free of Windows
// so that the engine's message routines can name them.
#pragma once
#include <cstdint>

// Modal results: the number of the button that closed a modal form.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrAll = 8;
constexpr int mrNoToAll = 9;
constexpr int mrYesToAll = 10;

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Button kinds of the message form, in the order it shows them; a set of buttons has bit k for kind k.
enum TMsgDlgBtn : uint8_t {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
using TMsgDlgButtons = uint16_t;
constexpr TMsgDlgButtons MsgDlgButton(TMsgDlgBtn kind)
{
    return static_cast<TMsgDlgButtons>(1u << kind);
}
constexpr TMsgDlgButtons mbOKOnly = MsgDlgButton(mbOK);
constexpr TMsgDlgButtons mbOKCancel = MsgDlgButton(mbOK) | MsgDlgButton(mbCancel);
constexpr TMsgDlgButtons mbYesNo = MsgDlgButton(mbYes) | MsgDlgButton(mbNo);
constexpr TMsgDlgButtons mbYesNoCancel = mbYesNo | MsgDlgButton(mbCancel);
constexpr int MsgDlgButtonKinds = 11;

// The modal result of each button kind (the help button closes nothing).
inline constexpr int MsgDlgButtonResults[MsgDlgButtonKinds] = {
    mrYes, mrNo, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrNone};
inline constexpr const char* MsgDlgButtonCaptions[MsgDlgButtonKinds] = {
    "&Oui",     "&Non",  "OK",          "Annuler",     "A&bandonner", "&Réessayer",
    "I&gnorer", "To&ut", "Non à &tout", "Ou&i à tout", "&Aide"};
// The message form's caption by dialog type (a custom message takes the application's title).
inline constexpr const char* MsgDlgCaptions[4] = {"Avertissement", "Erreur", "Information", "Confirmation"};
