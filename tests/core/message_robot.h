// A robot that answers the message forms shown during a test as a user would, for the window tests.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "classlib/windowing/Dialogs.h"
#include "core/Events.h"

namespace qptest {

struct TEventRecorder : TEventHandler {
    void HandleEvent(int32_t event) override { Events.push_back(event); }
    std::vector<int32_t> Events;
};

// What the robot saw of a message form.
struct TSeenForm {
    std::string Caption;
    std::string Text;
    int TextHeight = 0;
    bool HasIcon = false;
    std::string CheckBox;
    std::vector<std::string> Buttons;
    size_t EventsBefore = 0;
};

// Answers each message form that shows with the next step; a form with no step left, or a test that
// goes wrong, is closed so that nothing waits for a person.
class TRobot {
public:
    using TStep = std::function<void(TMessageForm&)>;
    explicit TRobot(const TEventRecorder& recorder) : Recorder(recorder)
    {
        Current = this;
        Started = GetTickCount();
        Timer = SetTimer(nullptr, 0, 30, Tick);
    }
    ~TRobot()
    {
        KillTimer(nullptr, Timer);
        Current = nullptr;
    }
    void Then(TStep step) { Steps.push_back(std::move(step)); }

    static TStep Click(TMsgDlgBtn kind)
    {
        return [kind](TMessageForm& form) {
            for (TButton* b : form.Buttons)
                if (b->Tag == kind)
                    PostMessageA(b->Handle(), BM_CLICK, 0, 0);
        };
    }
    static TStep TickAndClick(TMsgDlgBtn kind)
    {
        return [kind](TMessageForm& form) {
            ASSERT_NE(form.CheckBox, nullptr);
            PostMessageA(form.CheckBox->Handle(), BM_CLICK, 0, 0);
            Click(kind)(form);
        };
    }
    static TStep Key(WORD key)
    {
        return
            [key](TMessageForm& form) { PostMessageA(form.ActiveControl()->Handle(), WM_KEYDOWN, key, 0); };
    }
    static TStep CloseBox()
    {
        return [](TMessageForm& form) { PostMessageA(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); };
    }

    std::vector<TSeenForm> Seen;
    bool Unexpected = false;

private:
    static BOOL CALLBACK FindForm(HWND wnd, LPARAM data)
    {
        auto* form = dynamic_cast<TMessageForm*>(TControl::FindControl(wnd));
        if (form && form->Modal() && IsWindowVisible(wnd) && form->Tag == 0) {
            *reinterpret_cast<TMessageForm**>(data) = form;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        TRobot* robot = Current;
        if (!robot)
            return;
        TMessageForm* form = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindForm, reinterpret_cast<LPARAM>(&form));
        if (!form) {
            if (GetTickCount() - robot->Started > 10000) // no form came: end any modal loop
                Application->Terminate();
            return;
        }
        form->Tag = 1; // answered
        TSeenForm seen;
        seen.Caption = form->Caption();
        seen.Text = form->Message->Caption();
        seen.TextHeight = form->Message->Height();
        seen.HasIcon = form->Icon != nullptr;
        if (form->CheckBox)
            seen.CheckBox = form->CheckBox->Caption();
        for (TButton* b : form->Buttons)
            seen.Buttons.push_back(b->Caption());
        seen.EventsBefore = robot->Recorder.Events.size();
        robot->Seen.push_back(seen);
        if (robot->Steps.empty()) {
            robot->Unexpected = true;
            PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
            return;
        }
        TStep step = std::move(robot->Steps.front());
        robot->Steps.pop_front();
        step(*form);
    }

    static inline TRobot* Current = nullptr;
    const TEventRecorder& Recorder;
    std::deque<TStep> Steps;
    UINT_PTR Timer = 0;
    DWORD Started = 0;
};

} // namespace qptest
