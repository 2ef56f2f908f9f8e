// A main window with its menu bar, the options holder and the document dispatcher, as the commands find
// them in the running program; messages are answered unseen and unavailable commands recorded.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/windowing/Forms.h"
#include "core/Instance.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/OptionsHolder.h"
#include "document/Document.h"
#include "shell/CommandManager.h"
#include "shell/DocDisp.h"
#include "shell/MainForm.h"
#include "tests/common/test_support.h"
#include "window/DocForm.h"

struct CommandFixture : testing::Test {
    void SetUp() override
    {
        SilentMessages = true;
        EditionString = "1.x Bright Ink";
        SavedOptions = CurrentOptions();
        Holder = std::make_unique<TOptionsHolder>();
        Form = new TMainForm(nullptr);
        Application->MainForm = Form; // document windows are its children
        Form->HandleNeeded();
        Form->CreateMainMenu();
        Form->SetBounds(0, 0, 900, 700);
        Form->Show();
        Dispatcher = std::make_unique<TDocDispatcher>();
        CommandManager().OnCommandUnavailable = [this](int32_t command) { Unavailable.push_back(command); };
        CommandManager().DocumentOverride = nullptr;
    }
    void TearDown() override
    {
        CommandManager().OnCommandUnavailable = nullptr;
        Dispatcher.reset();
        Application->MainForm = nullptr;
        delete Form;
        Holder.reset();
        CurrentOptions() = SavedOptions;
        EditionString.clear();
        SilentMessages = false;
    }
    // A document read from a file, active in its window.
    TDocument* Open(const std::string& path)
    {
        EXPECT_TRUE(Dispatcher->OpenFile(path)) << path;
        Pump();
        return CommandManager().GetDocument();
    }
    TDocument* OpenData(const std::string& name) { return Open(qptest::DataPath(name)); }
    // A file of the test's own with that text.
    static std::string WriteFile(const std::string& name, const std::string& text)
    {
        const std::string path = qptest::ScratchDir() + "\\" + name;
        FILE* f = fopen(path.c_str(), "wb");
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
        return path;
    }
    static void Pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    // The menu of the bar with that caption.
    TMenuItem* BarMenu(const std::string& caption)
    {
        TMenuItem* bar = Form->MainMenuItems();
        for (int i = 0; i < bar->Count(); ++i)
            if (bar->Items(i)->Caption == caption)
                return bar->Items(i);
        ADD_FAILURE() << caption;
        return nullptr;
    }
    // The visible captions of a menu, as its system menu lists them.
    static std::vector<std::string> VisibleCaptions(TMenuItem* menu)
    {
        std::vector<std::string> captions;
        for (int i = 0; i < menu->Count(); ++i)
            if (menu->Items(i)->Visible)
                captions.push_back(menu->Items(i)->Caption);
        return captions;
    }

    TOptions SavedOptions;
    std::unique_ptr<TOptionsHolder> Holder;
    TMainForm* Form = nullptr;
    std::unique_ptr<TDocDispatcher> Dispatcher;
    std::vector<int32_t> Unavailable;
};
