// The version information of the program, the splash window shown during start-up and the about box.
#pragma once
#include "classlib/windowing/Forms.h"

// Reads the version ("FileVersion" of the version resource) and the edition string from the program.
void ReadVersionInfo();

class TSplashWindow : public TForm {
public:
    explicit TSplashWindow(TComponent* owner);

protected:
    void WndProc(TMessage& message) override;
};

// The splash window while it shows (released by the start-up sequence).
extern TSplashWindow* SplashWindow;
void ShowSplash();
// Releases the splash window, when there is one.
void CloseSplash();

// Fires the about event, then shows the about box modally.
void ShowAboutBox();
// The text of the about box for the version and the encryption strength (false 128 bits, true 256).
std::string AboutText(const std::string& version, bool strongCipher);
