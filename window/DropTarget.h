// The document window's drop target: text and files dragged from other programs and dropped on the
// window.
#pragma once
#include <windows.h>

#include <functional>
#include <ole2.h>
#include <string>
#include <vector>

class TDocument;
class TDocumentForm;

// What a drop of files does, installed by the program's document dispatcher: mode 1 (without Ctrl) opens
// them, mode 2 (with Ctrl) inserts them into the document they were dropped on.
extern std::function<void(TDocument* target, const std::vector<std::string>& files, int mode)> DropFilesHook;

class TDocForm_OLEDragDropManager : public IDropTarget {
public:
    explicit TDocForm_OLEDragDropManager(TDocumentForm* form) : Form(form) {}
    virtual ~TDocForm_OLEDragDropManager() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

    TDocumentForm* Form; // none once the window is gone
    bool Accepted = false;

private:
    // Pastes the dropped text at the caret, or hands the dropped files on; false when the data offers
    // neither or is damaged.
    bool DropData(IDataObject* data, DWORD keys);
    LONG FRefCount = 1;
};

// The data offers text, or a list of files.
bool OffersDroppedText(IDataObject* data);
bool OffersDroppedFiles(IDataObject* data);
