// Requests to other copies of the program: answers, atoms, and copies that do not answer.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "core/Instance.h"

namespace {

// A main window of a pretended copy on a thread of its own, answering requests (or hung).
class TOtherCopy {
public:
    explicit TOtherCopy(bool hung) : Hung(hung)
    {
        Ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        Release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        Thread = std::thread([this] { Run(); });
        WaitForSingleObject(Ready, 5000);
    }
    ~TOtherCopy()
    {
        SetEvent(Release);
        PostMessageA(Window, WM_CLOSE, 0, 0);
        Thread.join();
        CloseHandle(Ready);
        CloseHandle(Release);
    }
    HWND Window = nullptr;
    std::vector<std::string> Received;

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        auto* self = reinterpret_cast<TOtherCopy*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
        if (msg == InstanceMessage && self) {
            char text[256] = {};
            if (lp)
                GlobalGetAtomNameA(static_cast<ATOM>(lp), text, sizeof(text));
            self->Received.push_back(std::to_string(wp) + ":" + text);
            return wp == 2 ? 1 : wp == 6 ? (std::string(text) == "Session: " ? 1 : 0) : 0;
        }
        if (msg == WM_CLOSE) {
            DestroyWindow(wnd);
            return 0;
        }
        if (msg == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcA(wnd, msg, wp, lp);
    }
    void Run()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TQuillpadTestOtherCopy";
        RegisterClassA(&wc);
        Window = CreateWindowA(wc.lpszClassName, "Quillpad", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                               wc.hInstance, nullptr);
        SetWindowLongPtrA(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetPropA(Window, "1.x Bright Ink", reinterpret_cast<HANDLE>(1));
        SetEvent(Ready);
        if (Hung)
            WaitForSingleObject(Release, 20000);
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0) > 0)
            DispatchMessageA(&m);
    }
    bool Hung;
    HANDLE Ready, Release;
    std::thread Thread;
};

} // namespace

TEST(Instance, RequestsAndAtomsReachTheOtherCopy)
{
    TOtherCopy other(false);
    ASSERT_NE(other.Window, nullptr);
    EXPECT_EQ(SendInstanceMessage(other.Window, 128 + 2, 0), 1); // only the low 7 bits are sent
    intptr_t answer = -1;
    EXPECT_TRUE(SendInstanceAtom(other.Window, 6, "Session: ", answer));
    EXPECT_EQ(answer, 1);
    EXPECT_TRUE(SendInstanceAtom(other.Window, 3, "C:\\Mes documents\\lettre.rtf", answer));
    EXPECT_EQ(GlobalFindAtomA("C:\\Mes documents\\lettre.rtf"), 0); // deleted after the request
    // A path too long for an atom is not sent: this copy opens it itself.
    EXPECT_FALSE(SendInstanceAtom(other.Window, 3, "C:\\" + std::string(300, 'x') + ".rtf", answer));
    EXPECT_EQ(other.Received,
              (std::vector<std::string>{"2:", "6:Session: ", "3:C:\\Mes documents\\lettre.rtf"}));
}

TEST(Instance, AHungCopyDoesNotHoldThisOneUp)
{
    TOtherCopy other(true);
    ASSERT_NE(other.Window, nullptr);
    const DWORD start = GetTickCount();
    EXPECT_EQ(SendInstanceMessage(other.Window, 2, 0), 0);
    EXPECT_LT(GetTickCount() - start, 10000u);
}

TEST(Instance, ThisProcessIsNoOtherCopy)
{
    TOtherCopy other(false);
    EditionString = "1.x Bright Ink";
    EXPECT_EQ(FindRunningInstance(0), nullptr);
    EXPECT_EQ(FindRunningInstance(1), nullptr);
    EditionString.clear();
}
