// The document window: created hidden for its document; its client size goes to the document.
#include "window/DocForm.h"

#include "document/Document.h"

TDocumentForm::TDocumentForm(TComponent* owner, TDocument* document) : TForm(owner), Document(document) {}

void TDocumentForm::WndProc(TMessage& message)
{
    TForm::WndProc(message);
    if (message.Msg == WM_SIZE && Document) {
        Document->ClientWidth = LOWORD(message.LParam);
        Document->ClientHeight = HIWORD(message.LParam);
    }
}
