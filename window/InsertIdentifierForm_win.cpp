// The calculator's pop-up list of function names: owner-drawn rows of a bold name and its description,
// type-ahead, and insertion of the chosen name into the document.
#include "window/InsertIdentifierForm.h"

#include <algorithm>
#include <cctype>

#include "classlib/windowing/ExtCtrls.h"
#include "core/Options.h"
#include "core/TextUtils.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "editing/Builders.h"
#include "editing/Evaluator.h"
#include "editing/Operation.h"
#include "editing/OperationParams.h"

namespace {

constexpr int VisibleRows = 7;
constexpr int NameLeft = 3; // the name's distance from the row's left edge

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(uint8_t(text[i])) != std::tolower(uint8_t(prefix[i])))
            return false;
    return true;
}

} // namespace

// The list of the form: its rows drawn as name and description, its keys and double clicks handed to
// the form.
class TIdentifierList : public TListBox {
public:
    explicit TIdentifierList(TInsertIdentifierForm* form) : TListBox(form, true), FForm(form) {}

protected:
    void DrawItem(int index, TCanvas& canvas, const RECT& rect, bool selected) override
    {
        canvas.Brush().SetColor(selected ? clHighlight : clWindow);
        canvas.FillRect(rect);
        canvas.Font().SetColor(selected ? clHighlightText : clWindowText);
        const int32_t function = FForm->Entries()[size_t(index)];
        RECT r = rect;
        r.left += NameLeft;
        canvas.Font().SetStyle(fsBold);
        canvas.DrawText(EvaluatorFunctionName(function), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        canvas.Font().SetStyle(0);
        r.left = rect.left + FForm->NameColumnWidth;
        canvas.DrawText(EvaluatorFunctionDescription(function), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    void WndProc(TMessage& message) override
    {
        switch (message.Msg) {
        case WM_GETDLGCODE: message.Result = DLGC_WANTALLKEYS | DLGC_WANTCHARS; return;
        case WM_KEYDOWN:
            if (message.WParam == VK_RETURN) {
                FForm->InsertSelected();
                return;
            }
            if (message.WParam == VK_ESCAPE) {
                FForm->Close();
                return;
            }
            break;
        case WM_CHAR:
            if (message.WParam > 32 && message.WParam < 256) {
                FForm->TypeAhead(char(message.WParam));
                return;
            }
            if (message.WParam == VK_RETURN || message.WParam == VK_ESCAPE)
                return;
            break;
        case WM_LBUTTONDBLCLK:
            TListBox::WndProc(message);
            FForm->InsertSelected();
            return;
        }
        TListBox::WndProc(message);
    }

private:
    TInsertIdentifierForm* FForm;
};

TInsertIdentifierForm::TInsertIdentifierForm(TDocument* document, int x, int y)
    : TPopupStayOnTopForm(nullptr), FDocument(document)
{
    SetBorderStyle(bsNone);
    for (int32_t i = 1; i < EvaluatorFunctionCount; ++i)
        FEntries.push_back(i);
    std::stable_sort(FEntries.begin(), FEntries.end(), [](int32_t a, int32_t b) {
        return CompareTextLocale(EvaluatorFunctionName(a), EvaluatorFunctionName(b)) < 0;
    });
    List = new TIdentifierList(this);
    List->SetParent(this);
    for (int32_t function : FEntries)
        List->Add(EvaluatorFunctionName(function));

    // The name column holds the widest bold name; the list is as wide as it and the widest description.
    HDC dc = CreateCompatibleDC(nullptr);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font() = List->Font();
    int descriptionWidth = 0, height = 0;
    for (int32_t function : FEntries) {
        canvas.Font().SetStyle(fsBold);
        const SIZE name = canvas.TextExtent(EvaluatorFunctionName(function));
        NameColumnWidth = std::max<int>(NameColumnWidth, name.cx);
        height = std::max<int>(height, name.cy);
        canvas.Font().SetStyle(0);
        descriptionWidth =
            std::max<int>(descriptionWidth, canvas.TextWidth(EvaluatorFunctionDescription(function)));
    }
    canvas.SetHandle(nullptr);
    DeleteDC(dc);
    NameColumnWidth += NameLeft + 8;
    List->ItemHeight = height + 2;
    const int border = 2 * GetSystemMetrics(SM_CXEDGE);
    const int scrollBar = int(FEntries.size()) > VisibleRows ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    const int width = NameColumnWidth + descriptionWidth + 4 + scrollBar + border;
    const int listHeight = VisibleRows * List->ItemHeight + 2 * GetSystemMetrics(SM_CYEDGE);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (y + listHeight > work.bottom)
        y = std::max<int>(int(work.bottom) - listHeight, int(work.top));
    SetBounds(x, y, width, listHeight);
    List->SetBounds(0, 0, width, listHeight);

    const int32_t last = CurrentOptions().Calculator.SelectedFunc;
    const auto at = std::find(FEntries.begin(), FEntries.end(), last);
    List->SetItemIndex(at == FEntries.end() ? 0 : int(at - FEntries.begin()));
    FSelected = SelectedFunction();
    List->OnChange = [this](TComponent*) { FSelected = SelectedFunction(); };
    SetActiveControl(List);
}

// However the list goes (Escape, a click elsewhere, an insertion), the last function chosen is kept.
TInsertIdentifierForm::~TInsertIdentifierForm()
{
    if (FSelected > 0)
        CurrentOptions().Calculator.SelectedFunc = FSelected;
}

int32_t TInsertIdentifierForm::SelectedFunction() const
{
    const int row = List->ItemIndex();
    return row >= 0 && row < int(FEntries.size()) ? FEntries[size_t(row)] : 0;
}

void TInsertIdentifierForm::TypeAhead(char c)
{
    const int count = int(FEntries.size());
    auto find = [&](const std::string& prefix) {
        const int current = std::max(List->ItemIndex(), 0);
        for (int k = 0; k < count; ++k) {
            const int row = (current + k) % count;
            if (StartsWithNoCase(EvaluatorFunctionName(FEntries[size_t(row)]), prefix))
                return row;
        }
        return -1;
    };
    FTyped += c;
    int row = find(FTyped);
    if (row < 0) {
        FTyped = std::string(1, c);
        row = find(FTyped);
    }
    if (row >= 0) {
        List->SetItemIndex(row);
        FSelected = SelectedFunction();
    }
}

void TInsertIdentifierForm::InsertSelected()
{
    const int32_t function = SelectedFunction();
    Close();
    if (function > 0 && FDocument)
        InsertFunctionName(*FDocument, function);
}

void TInsertIdentifierForm::DoClose(TCloseAction& action)
{
    FSelected = SelectedFunction();
    action = caFree;
}

TInsertIdentifierForm* ShowInsertIdentifier(TDocument& document, int x, int y)
{
    auto* form = new TInsertIdentifierForm(&document, x, y);
    form->Show();
    form->List->SetFocus();
    return form;
}

void InsertFunctionName(TDocument& document, int32_t function)
{
    const std::string name = EvaluatorFunctionName(function);
    ExecuteBuilder(document, okTyping, [&](TChangedRange& range, TOperation* operation) {
        range = EmptyChangedRange();
        TChangedRange one;
        if (document.HasSelection()) {
            TTextPos start = document.Selection.StartPos, end = document.Selection.EndPos;
            if (CompareTextPos(end, start) < 0)
                std::swap(start, end);
            document.ClearSelection();
            // The closing parenthesis first, so that the start stays where it is.
            document.PrepareInsertFormat(end, 1);
            InsertPlainText(document, ")", end, one, operation, 0);
            document.ChangedRanges->UnionChangedRange(range, one);
            document.PrepareInsertFormat(start, 1);
            InsertPlainText(document, name + "(", start, one, operation, 0);
            document.ChangedRanges->UnionChangedRange(range, one);
            const int32_t shift = end.ParIndex == start.ParIndex ? int32_t(name.size()) + 1 : 0;
            MakeTextPos(end.ParIndex, end.Offset + shift + 1, document.Caret);
        } else {
            const TTextPos at = document.Caret;
            document.PrepareInsertFormat(at, 1);
            InsertPlainText(document, name + "()", at, one, operation, 0);
            document.ChangedRanges->UnionChangedRange(range, one);
            MakeTextPos(at.ParIndex, at.Offset + int32_t(name.size()) + 1, document.Caret);
        }
        SetCaretFieldsTo(range, document.Caret);
    });
}
