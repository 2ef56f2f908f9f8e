// The window of one document: a form that shows the document and keeps it told of its client size.
#pragma once
#include "classlib/windowing/Forms.h"

class TDocument;

class TDocumentForm : public TForm {
public:
    TDocumentForm(TComponent* owner, TDocument* document);

    TDocument* Document; // not owned: the document owns its window

protected:
    void WndProc(TMessage& message) override;
};
