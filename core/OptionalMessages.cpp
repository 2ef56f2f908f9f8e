// The remembered answers of optional messages and the message-form entry that uses them.
#include "core/OptionalMessages.h"

#include <cstring>

#include "core/Memory.h"
#include "core/MessageSystem.h"
#include "core/Messages.h"

const char* const OptionalMessageCheckBoxCaption = "Ne plus &afficher ce message à l'avenir";
const char* const OptionalMessageOffNotice =
    "Vous avez demandé à Quillpad de ne plus afficher le message précédent.||||Vous pourrez toujours "
    "réactiver ce type de message à l'avenir depuis la boîte de dialogue \"Messages facultatifs\" "
    "(\"Outils | Options...\" > onglet \"Général\" > bouton \"Messages facultatifs...\")";

namespace {

// Button kinds that an answer byte may name.
constexpr int AnswerKinds = 10;

} // namespace

TMemory& OptionalMessageAnswers()
{
    static TMemory answers;
    return answers;
}

uint8_t OptionalMessageAnswer(int index)
{
    const TMemory& answers = OptionalMessageAnswers();
    if (index < 0 || index >= answers.Size())
        return 0;
    return answers.Data()[index];
}

void SetOptionalMessageAnswer(int index, uint8_t answer)
{
    if (index < 0 || index >= OptionalMessageCount)
        return;
    TMemory& answers = OptionalMessageAnswers();
    const int32_t oldSize = answers.Size();
    if (index >= oldSize) {
        answers.SetSize(index + 1);
        std::memset(answers.Data() + oldSize, 0, static_cast<size_t>(index + 1 - oldSize));
    }
    answers.Data()[index] = answer;
}

bool OptionalMessageSwitchedOff(int index)
{
    const uint8_t answer = OptionalMessageAnswer(index);
    return (answer & OptionalMessageOff) && (answer & 0x7F) < AnswerKinds;
}

int ShowMessageForm()
{
    const uint8_t index = PendingMessage.OptionalIndex;
    const bool optional = index < OptionalMessageCount;
    if (optional && OptionalMessageSwitchedOff(index))
        return MsgDlgButtonResults[OptionalMessageAnswer(index) & 0x7F];

    const TMessageFormAnswer answer =
        RunMessageForm(PendingMessage.Text, PendingMessage.Kind, PendingMessage.Buttons, optional);
    if (optional && answer.BoxTicked && answer.ClickedKind >= 0 && answer.ClickedKind < AnswerKinds) {
        SetOptionalMessageAnswer(index, static_cast<uint8_t>(answer.ClickedKind) | OptionalMessageOff);
        struct TRestore {
            uint8_t Index;
            ~TRestore() { PendingMessage.OptionalIndex = Index; }
        } restore{index};
        PendingMessage.OptionalIndex = NoOptionalMessage;
        ShowInformation(OptionalMessageOffNotice);
    }
    return answer.Result;
}
