// Drives the dialogs of a test as a user does: steps run once the window of their caption shows, and
// find, read and click the controls of that window, and answer the message forms it shows.
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace dialogtest {

// Runs steps one after another, each once the top-level window of its caption shows.
class TUser {
public:
    using TAct = std::function<void(HWND window)>;
    TUser()
    {
        Current = this;
        Timer = SetTimer(nullptr, 0, 40, Tick);
    }
    ~TUser()
    {
        KillTimer(nullptr, Timer);
        Current = nullptr;
    }
    void On(const char* caption, TAct act) { Steps.push_back({caption, std::move(act)}); }
    bool Done() const { return Steps.empty(); }
    std::vector<std::string> Messages; // the texts of the message forms answered

private:
    struct TStep {
        std::string Caption;
        TAct Act;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        TUser* user = Current;
        if (!user || user->Steps.empty())
            return;
        HWND window = FindWindowA(nullptr, user->Steps.front().Caption.c_str());
        if (!window || !IsWindowVisible(window))
            return;
        TStep step = std::move(user->Steps.front());
        user->Steps.pop_front();
        step.Act(window);
    }
    static inline TUser* Current = nullptr;
    std::deque<TStep> Steps;
    UINT_PTR Timer = 0;
};

struct TFind {
    const char* Part;
    std::vector<HWND> Found;
};

inline BOOL CALLBACK CollectChild(HWND child, LPARAM data)
{
    auto* f = reinterpret_cast<TFind*>(data);
    char name[64];
    GetClassNameA(child, name, sizeof name);
    if (std::string(name).find(f->Part) != std::string::npos)
        f->Found.push_back(child);
    return TRUE;
}

inline std::vector<HWND> Children(HWND window, const char* classPart)
{
    TFind find{classPart, {}};
    EnumChildWindows(window, CollectChild, LPARAM(&find));
    return find.Found;
}

inline void CALLBACK CloseLater(HWND window, UINT, UINT_PTR, DWORD)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
}

inline std::string TextOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline void Click(HWND dialog, const char* caption)
{
    HWND button = FindWindowExA(dialog, nullptr, nullptr, caption);
    ASSERT_NE(button, nullptr) << caption;
    SendMessageA(button, BM_CLICK, 0, 0);
}

// Types the text into an edit key by key, in place of what it holds (the keys are posted: they arrive
// before anything posted after them).
inline void TypeText(HWND edit, const std::string& text)
{
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    PostMessageA(edit, WM_CHAR, VK_BACK, 0);
    for (char c : text)
        PostMessageA(edit, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
}

// Clicks the mouse on a list box's line.
inline void ClickLine(HWND list, int line)
{
    RECT r{};
    ASSERT_NE(SendMessageA(list, LB_GETITEMRECT, WPARAM(line), LPARAM(&r)), LB_ERR);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
}

// The lines of a list box.
inline std::vector<std::string> ListLines(HWND list)
{
    std::vector<std::string> lines;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        if (SendMessageA(list, LB_GETTEXTLEN, WPARAM(i), 0) < LRESULT(sizeof text))
            SendMessageA(list, LB_GETTEXT, WPARAM(i), LPARAM(text));
        lines.push_back(text);
    }
    return lines;
}

// Reads what a message form says and closes it with the button of that caption.
inline TUser::TAct Answer(TUser& user, const char* button = "OK")
{
    return [&user, button](HWND form) {
        std::string said;
        for (HWND child : Children(form, ""))
            said += TextOf(child) + "|";
        user.Messages.push_back(said);
        PostMessageA(FindWindowExA(form, nullptr, nullptr, button), BM_CLICK, 0, 0);
    };
}

} // namespace dialogtest
