// Typing in the document window: each character replaces the selection or goes in at the caret as an
// undoable edit, with its typing sound and the word sent to the spelling checker.
#include <algorithm>

#include "core/Events.h"
#include "core/Options.h"
#include "core/Sounds.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "editing/Builders.h"
#include "editing/OperationParams.h"
#include "window/DocForm.h"

namespace {

// Typing one of these keeps the language of the text around it.
bool IsPunctuation(uint8_t c)
{
    return (c >= 32 && c <= 64) || (c >= 91 && c <= 96) || (c >= 123 && c <= 127) || c == 132 ||
           (c >= 145 && c <= 148) || c == 171 || c == 187;
}

// A character that ends the word before it (which then goes to the spelling checker).
bool EndsWord(uint8_t c)
{
    return (c >= 2 && c <= 13) || c == 15 || (c >= 32 && c <= 38) || (c >= 40 && c <= 47) ||
           (c >= 58 && c <= 64) || (c >= 91 && c <= 95) || (c >= 123 && c <= 126) || c == 128 || c == 132 ||
           c == 133 || c == 147 || c == 148 || c == 171 || c == 187;
}

// The sound of a key: space, a digit, a letter; 0 for the others (the default key sound). Keypad keys
// (97 to 122) play the default sound rather than a letter's.
int32_t KeySoundEvent(uint32_t key)
{
    if (key == 32)
        return 12300;
    if (key >= '0' && key <= '9')
        return 12200 + int32_t(key - '0');
    if (key >= 'A' && key <= 'Z')
        return 12100 + int32_t(key - 'A');
    return 0;
}

// Fires an event with a sound, when it is not switched off; true when it did.
bool PlaySoundEvent(TSoundManager* sounds, int32_t event)
{
    if (!sounds || !sounds->HasSound(event))
        return false;
    TriggerEvent(event);
    return true;
}

} // namespace

bool TDocumentForm::KeyChar(uint8_t ch)
{
    if (!CanEdit() || ch < 32 || Keyboard.ShortcutConsumed) {
        Keyboard.ShortcutConsumed = false;
        return false;
    }
    TDocument& doc = *Document;
    uint32_t key = Keyboard.LastKeyCode < 32 ? ch : Keyboard.LastKeyCode;
    if (key >= 256) {
        Keyboard.LastKeyCode = 0;
        return true;
    }
    TSoundManager* sounds = GetSoundManager();
    // A lock key pressed before this character, or the caret near the line's right edge, sound instead.
    bool suspended = false;
    if (Keyboard.CapsLockPressed || (Keyboard.NumLockPressed && ch >= '0' && ch <= '9')) {
        suspended = PlaySoundEvent(sounds, 12470);
    } else if (!doc.HasSelection() && doc.Caret.ParIndex >= 0 && doc.Caret.ParIndex < doc.ParagraphCount()) {
        const TParagraph& p = *doc.Paragraphs[size_t(doc.Caret.ParIndex)];
        const int32_t align = p.ParaFormat[pfAlignment];
        if ((align == 0 || align == 3 || align == UndefinedField) && doc.Caret.LineIndex >= 0 &&
            doc.Caret.LineIndex < p.LineCount()) {
            const int32_t edge = p.Lines[size_t(doc.Caret.LineIndex)]->RightLimit;
            if (edge - doc.Caret.X < doc.TwipsToScreen(200) * 8)
                suspended = PlaySoundEvent(sounds, 12500);
        }
    }
    if (suspended)
        sounds->SuspendSounds();
    Keyboard.CapsLockPressed = Keyboard.NumLockPressed = false;

    // The character replaces the selection, or goes in at the caret, as one edit.
    {
        TModeFlagScope flags(doc);
        if (IsPunctuation(ch))
            flags.On(mfKeepLanguage);
        TInsertTextParams params;
        params.Text = std::string(1, char(ch));
        try {
            ExecuteOperation(doc, params);
        } catch (...) {
            if (suspended)
                sounds->ResumeSounds();
            throw;
        }
    }
    if (sounds && sounds->KeySoundsEnabled()) {
        int32_t event = KeySoundEvent(key);
        if (event == 0 || !sounds->HasSound(event))
            event = 12000;
        TriggerEvent(event);
    }
    if (suspended)
        sounds->ResumeSounds();

    // The word the character ends goes to the spelling checker; a word being typed is checked once the
    // caret leaves it.
    const TTextPos caret = doc.Caret;
    if (EndsWord(ch)) {
        const TTextRange around = TextRangeOf(
            TextPosAt(caret.ParIndex, std::max(0, caret.Offset - 2)),
            TextPosAt(caret.ParIndex, std::min(caret.Offset + 1, doc.ParagraphLength(caret.ParIndex))));
        DocumentHost().CheckTypedWord(&doc, around);
    } else if (caret.Offset > 0) {
        const TTextPiece word = doc.GetWordAt(TextPosAt(caret.ParIndex, caret.Offset - 1));
        if (word.Length > 0)
            // One character of room: the next one typed at the word's end does not leave it.
            doc.CaretState.PendingWord = {
                true, TextRangeOf(word.Pos, TextPosAt(word.Pos.ParIndex, word.Pos.Offset + word.Length + 1))};
    }
    if (doc.HasSelection())
        HideDocCaret();
    else if (!CaretShown())
        RecreateCaret();
    Keyboard.LastKeyCode = 0;
    return true;
}
