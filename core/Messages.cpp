// The message routines around the message form: silent mode, sounds, line breaks and the fall-back to
// the system's message box.
#include "core/Messages.h"

#include "core/Events.h"
#include "core/MessageSystem.h"
#include "core/OptionalMessages.h"
#include "core/Options.h"
#include "core/PathUtils.h"
#include "core/TextUtils.h"

TPendingMessage PendingMessage;
bool SilentMessages = false;
void (*AfterMessageShown)() = nullptr;

namespace {

constexpr int32_t MessageEventBase = 1000;

} // namespace

int MessageDlgEx(const std::string& text, uint8_t kind, uint16_t buttons)
{
    if (SilentMessages)
        return mrCancel;
    // No checking as the user types while a message waits for an answer; the flag word is put back as
    // it was, whatever the message does.
    uint16_t& spellFlags = CurrentOptions().SpellCheck.Flags;
    struct TRestoreSpellFlags {
        uint16_t& Flags;
        const uint16_t Saved;
        ~TRestoreSpellFlags() { Flags = Saved; }
    } restoreSpellFlags{spellFlags, spellFlags};
    spellFlags &= static_cast<uint16_t>(~scoCheckAsYouType);
    if (!ApplicationTerminating())
        BringApplicationPopupToFront();
    const std::string shown = BarsToLineBreaks(text);
    const bool applicationVisible = ApplicationWindowVisible();

    const uint8_t optional = PendingMessage.OptionalIndex;
    const bool switchedOff = optional < OptionalMessageCount && OptionalMessageSwitchedOff(optional);
    if (!switchedOff && kind < 4)
        TriggerEvent(MessageEventBase + kind);

    int result = mrCancel;
    if (ApplicationTerminating()) {
        ShowSystemMessageBox(shown, sbApplication);
    } else {
        try {
            PendingMessage.Text = EscapeAmpersands(shown);
            PendingMessage.Kind = kind;
            PendingMessage.Buttons = buttons;
            result = ShowMessageForm();
        } catch (...) {
            ShowSystemMessageBox(shown, sbApplication);
            result = mrCancel;
        }
    }

    if (!applicationVisible)
        HideApplicationWindow();
    spellFlags = restoreSpellFlags.Saved;
    if (AfterMessageShown)
        AfterMessageShown();
    return result;
}

int MessageDlgWithOption(const std::string& text, uint8_t kind, uint16_t buttons, uint8_t optionalIndex)
{
    struct TRestore {
        ~TRestore() { PendingMessage.OptionalIndex = NoOptionalMessage; }
    } restore;
    PendingMessage.OptionalIndex = optionalIndex;
    return MessageDlgEx(text, kind, buttons);
}

int ShowInformation(const std::string& text)
{
    return MessageDlgEx(text, mtInformation, mbOKOnly);
}

int ShowWarning(const std::string& text)
{
    return MessageDlgEx(text, mtWarning, mbOKOnly);
}

void ShowError(const std::string& text)
{
    MessageDlgEx(text, mtError, mbOKOnly);
}

void ShowErrorMessage(const std::string& text)
{
    ShowSystemMessageBox(BarsToLineBreaks(text), sbError);
}
