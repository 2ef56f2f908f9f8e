// What a document asks of its window: the view's place, scrolling, the scroll bars and the system caret.
#pragma once
#include <cstdint>
#include <functional>

#include "codecs/Geometry.h"
#include "document/CaretShape.h"
#include "document/PageGrid.h"

// The document window implements this; the document reaches it through the document host
// (TDocumentHost::ViewOf), so that the engine never sees the system's windows.
class TDrawSurface;

class TDocumentView {
public:
    virtual ~TDocumentView();

    // The view's top-left corner in the window's client area.
    virtual TPoint ViewOrigin() = 0;
    virtual bool HasFocus() = 0;
    // The window lays its controls out again and tells the document its view size.
    virtual void RelayoutWindow() = 0;
    // The window forgets a drag or selection the mouse has under way.
    virtual void DropMouseState() {}

    // Hides the system caret when it is shown; shows it again.
    virtual void HideDocCaret() = 0;
    virtual void ShowDocCaret() = 0;
    // Carries out the repaints that were deferred.
    virtual void FlushDeferredPaint() = 0;
    // Moves the view's contents by Dx, Dy pixels (positive: the contents move right or down), paints
    // what was uncovered at once.
    virtual void ScrollContents(int32_t dx, int32_t dy) = 0;
    // The whole view is to be painted again; a rectangle of the client area is.
    virtual void InvalidateView() = 0;
    virtual void InvalidateViewRect(const TRect&) {}
    // Draws on the window's client area at once (outside a paint), the client area as the clip.
    virtual void DrawOnView(const std::function<void(TDrawSurface&)>&) {}
    // The scroll bars' ranges and page steps, their notifications suspended meanwhile; their positions.
    virtual void SetScrollRanges(const TScrollRanges& ranges, TPoint pos) = 0;
    virtual void SetScrollBarPositions(TPoint pos) = 0;
    virtual void UpdateRulers() = 0;

    // The system caret of the window: made from a shape (the slanted bitmap for italic text), moved to
    // a point of the client area, destroyed.
    virtual void CreateSystemCaret(const TCaretShape& shape) = 0;
    virtual void SetSystemCaretPos(TPoint client) = 0;
    virtual void DestroySystemCaret() = 0;
    // Inverts a caret-sized rectangle of the client area (through the slanted bitmap for italic text).
    virtual void InvertCaretRect(const TRect& client, const TCaretShape& shape) = 0;
};
