// A hint window: a small bordered pop-up in the system's tooltip colours that shows one text beside
// what it explains, without taking the focus.
#pragma once
#include <windows.h>

#include <string>

class THintWindow {
public:
    THintWindow() = default;
    ~THintWindow();
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;

    // The size the text needs, borders included.
    SIZE CalcHintSize(const std::string& text);
    // Shows the text at the screen position (left, top), in front of every other window.
    void ActivateHint(int left, int top, const std::string& text);
    void Hide();
    bool Showing() const { return FHandle && IsWindowVisible(FHandle); }
    HWND Handle() const { return FHandle; }
    const std::string& Text() const { return FText; }

private:
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    void Paint();

    HWND FHandle = nullptr;
    std::string FText;
};
