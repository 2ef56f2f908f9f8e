// The document window's drop target: the caret follows the pointer while data from another program is
// dragged over the window, and the drop pastes the text there or opens or inserts the files.
#include "window/DropTarget.h"

#include "window/BaseForms.h"
#include "window/DocWindowHost.h"

#include <shellapi.h>

#include "core/ClipboardData.h"
#include "core/DroppedFiles.h"
#include "document/Document.h"
#include "editing/OperationParams.h"
#include "window/DocForm.h"

std::function<void(TDocument* target, const std::vector<std::string>& files, int mode)> DropFilesHook;

namespace {

FORMATETC FormatOf(CLIPFORMAT format)
{
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool Offers(IDataObject* data, CLIPFORMAT format)
{
    FORMATETC f = FormatOf(format);
    return data && data->QueryGetData(&f) == S_OK;
}

// The bytes of a format of the data, within the size of the block the data hands over.
bool ReadBlock(IDataObject* data, CLIPFORMAT format, std::string& bytes)
{
    FORMATETC f = FormatOf(format);
    STGMEDIUM medium{};
    if (data->GetData(&f, &medium) != S_OK)
        return false;
    bool read = false;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        const SIZE_T size = GlobalSize(medium.hGlobal);
        if (const void* p = GlobalLock(medium.hGlobal)) {
            bytes.assign(static_cast<const char*>(p), size);
            GlobalUnlock(medium.hGlobal);
            read = true;
        }
    }
    ReleaseStgMedium(&medium);
    return read;
}

// Paragraph ends of dropped text as the insertion takes them: a 13 each.
std::string DroppedText(const std::string& block)
{
    const std::string text = ReadClipboardText(reinterpret_cast<const uint8_t*>(block.data()), block.size());
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && i > 0 && text[i - 1] == '\r')
            continue;
        out += text[i] == '\n' ? '\r' : text[i];
    }
    return out;
}

} // namespace

bool OffersDroppedText(IDataObject* data)
{
    return Offers(data, CF_TEXT);
}

bool OffersDroppedFiles(IDataObject* data)
{
    return Offers(data, CF_HDROP);
}

HRESULT STDMETHODCALLTYPE TDocForm_OLEDragDropManager::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TDocForm_OLEDragDropManager::AddRef()
{
    return ULONG(InterlockedIncrement(&FRefCount));
}

ULONG STDMETHODCALLTYPE TDocForm_OLEDragDropManager::Release()
{
    const LONG count = InterlockedDecrement(&FRefCount);
    if (count == 0)
        delete this;
    return ULONG(count);
}

HRESULT STDMETHODCALLTYPE TDocForm_OLEDragDropManager::DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                                                 DWORD* effect)
{
    (void)keys;
    (void)point;
    try {
        Accepted = Form && Form->CanEdit() && (OffersDroppedText(data) || OffersDroppedFiles(data));
        if (Accepted)
            Form->PrepareExternalDrop();
        if (effect)
            *effect = Accepted ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    } catch (...) {
        Accepted = false;
        if (effect)
            *effect = DROPEFFECT_NONE;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TDocForm_OLEDragDropManager::DragOver(DWORD keys, POINTL point, DWORD* effect)
{
    try {
        if (Form && Form->HandleAllocated()) {
            POINT p{point.x, point.y};
            ScreenToClient(Form->Handle(), &p);
            SendMessageA(Form->Handle(), WM_MOUSEMOVE, keys, MAKELPARAM(p.x, p.y));
        }
        if (!Accepted && effect)
            *effect = DROPEFFECT_NONE;
    } catch (...) {
        if (effect)
            *effect = DROPEFFECT_NONE;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TDocForm_OLEDragDropManager::DragLeave()
{
    try {
        if (Form && Form->HandleAllocated())
            SendMessageA(Form->Handle(), WM_CANCELMODE, 0, 0);
    } catch (...) {}
    Accepted = false;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TDocForm_OLEDragDropManager::Drop(IDataObject* data, DWORD keys, POINTL point,
                                                            DWORD* effect)
{
    (void)point;
    try {
        if (Form && Form->HandleAllocated())
            SendMessageA(Form->Handle(), WM_CANCELMODE, 0, 0);
        const bool dropped = Accepted && Form && Form->CanEdit() && DropData(data, keys);
        if (effect && !dropped)
            *effect = DROPEFFECT_NONE;
    } catch (...) {
        if (effect)
            *effect = DROPEFFECT_NONE;
    }
    Accepted = false;
    return S_OK;
}

bool TDocForm_OLEDragDropManager::DropData(IDataObject* data, DWORD keys)
{
    TDocument& doc = *Form->Document;
    std::string block;
    if (OffersDroppedText(data)) {
        if (!ReadBlock(data, CF_TEXT, block))
            return false;
        TInsertTextParams params;
        params.Text = DroppedText(block);
        if (params.Text.empty())
            return false;
        ExecuteOperation(doc, params);
        return true;
    }
    if (!ReadBlock(data, CF_HDROP, block))
        return false;
    std::vector<std::string> files;
    if (!ReadDroppedFiles(reinterpret_cast<const uint8_t*>(block.data()), block.size(), files))
        return false; // a damaged list is refused
    if (DropFilesHook)
        DropFilesHook(&doc, files, (keys & MK_CONTROL) ? 2 : 1);
    return true;
}

void TDocumentForm::PrepareExternalDrop()
{
    TDocument& doc = *Document;
    {
        TModeFlagScope flags(doc);
        flags.On(mfNoScrollToCaret);
        doc.PlaceCaret(doc.Caret, 4);
    }
    HideDocCaret();
    State = (State | dsTextDragArmed | dsExternalDrag | dsCaretHiddenForMouse) & ~dsDragStarted;
    if (!(State & dsDropRectShown)) {
        doc.InvertSelectionRect();
        State |= dsDropRectShown;
    }
}

void TDocumentForm::OwnDragEnter()
{
    if (!CanEdit() || !DocWindowHost().DragSourceWindow() || !HandleAllocated())
        return;
    // The window under the pointer becomes the active one; the one that was loses its drop feedback.
    if (FormStyle == fsMDIChild) {
        HWND client = GetParent(Handle());
        HWND active = HWND(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        if (active && active != Handle()) {
            SendMessageA(active, WM_CANCELMODE, 0, 0);
            SendMessageA(client, WM_MDIACTIVATE, WPARAM(Handle()), 0);
        }
    }
    PrepareExternalDrop();
}

bool TDocumentForm::FormDragOver(HWND source, TPoint client)
{
    const HWND carried = DocWindowHost().DragSourceWindow();
    if (!CanEdit() || !carried || source != carried)
        return false;
    SendMessageA(Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.X, client.Y));
    return true;
}

void TDocumentForm::FormDragDrop()
{
    if (!HandleAllocated())
        return;
    SendMessageA(Handle(), WM_CANCELMODE, 0, 0);
    // The clip dragged from the main window goes in at the drop point.
    if (CanEdit() && ExecuteCommandHook)
        ExecuteCommandHook(5200);
}

void TDocumentForm::CreateWnd()
{
    TForm::CreateWnd();
    PlaceNewWindow();
    static const bool oleReady = SUCCEEDED(OleInitialize(nullptr));
    if (!oleReady)
        return;
    if (!DropTarget)
        DropTarget = new TDocForm_OLEDragDropManager(this);
    CoLockObjectExternal(DropTarget, TRUE, FALSE);
    RegisterDragDrop(Handle(), DropTarget);
}

void TDocumentForm::DestroyWnd()
{
    if (DropTarget && HandleAllocated()) {
        RevokeDragDrop(Handle());
        CoLockObjectExternal(DropTarget, FALSE, TRUE);
        KillTimer(Handle(), 3);
    }
    TForm::DestroyWnd();
}

void TDocumentForm::ReleaseDropTarget()
{
    if (!DropTarget)
        return;
    DropTarget->Form = nullptr;
    DropTarget->Release();
    DropTarget = nullptr;
}
