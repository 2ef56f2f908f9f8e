// A document window and host for the engine's tests: they write down what the document asks of them.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/FontDevice.h"
#include "core/Fonts.h"
#include "core/Options.h"
#include "core/RecordingSurface.h"
#include "document/DocumentHost.h"
#include "document/DocumentView.h"
#include "document/TextPos.h"

namespace qptest {

// A window that writes down what the document asks of it.
class TRecordingView : public TDocumentView {
public:
    TPoint ViewOrigin() override { return Origin; }
    bool HasFocus() override { return Focused; }
    void RelayoutWindow() override { Calls.push_back("relayout"); }
    void HideDocCaret() override {}
    void ShowDocCaret() override {}
    void FlushDeferredPaint() override {}
    void ScrollContents(int32_t dx, int32_t dy) override
    {
        Calls.push_back("scroll " + std::to_string(dx) + "," + std::to_string(dy));
    }
    void InvalidateView() override { Calls.push_back("repaint"); }
    void InvalidateViewRect(const TRect& r) override { Invalidated.push_back(r); }
    void DrawOnView(const std::function<void(TDrawSurface&)>& draw) override { draw(Surface); }
    void SetScrollRanges(const TScrollRanges&, TPoint pos) override { Bars = pos; }
    void SetScrollBarPositions(TPoint pos) override { Bars = pos; }
    void UpdateRulers() override {}
    void CreateSystemCaret(const TCaretShape&) override {}
    void SetSystemCaretPos(TPoint client) override { SystemCaret = client; }
    void DestroySystemCaret() override {}
    void InvertCaretRect(const TRect& client, const TCaretShape&) override { Inverted = client; }

    TPoint Origin{0, 0};
    bool Focused = true;
    std::vector<std::string> Calls;
    TPoint Bars{-1, -1};
    TPoint SystemCaret{-1, -1};
    TRect Inverted{};
    std::vector<TRect> Invalidated;
    TRecordingSurface Surface; // what is drawn straight onto the window
};

// The document's window is the recording view; status texts and checked words are written down.
class TViewHost : public TDocumentHost {
public:
    TDocumentView* ViewOf(TDocumentForm* window) override { return window ? &View : nullptr; }
    bool IsWindowBusy(TDocumentForm*, uint32_t mask) override { return (StateWord & mask) != 0; }
    void PushStatusText() override { Status.push_back("push"); }
    void PopStatusText() override { Status.push_back("pop"); }
    void ShowProgressText(const std::string&) override { Status.push_back("text"); }
    void CheckTypedWord(TDocument*, const TTextRange& word) override { Checked.push_back(word); }
    bool EditDocumentProperties(TDocumentInfo& info) override
    {
        info.Title = "Rapport";
        return Accept;
    }

    TRecordingView View;
    uint32_t StateWord = 0;
    std::vector<std::string> Status;
    std::vector<TTextRange> Checked;
    bool Accept = true;
};

// Tests of documents shown in the recording window, measured by the fixed font device.
class ViewHostTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetFontDevice(&Device);
        FreeFontManager();
        SetDocumentHost(&Host);
    }
    void TearDown() override
    {
        SetDocumentHost(nullptr);
        FreeFontManager();
        SetFontDevice(nullptr);
        CurrentOptions() = TOptions();
    }
    TFixedFontDevice Device;
    TViewHost Host;
    int WindowToken = 0; // stands for the document's window
};

} // namespace qptest
