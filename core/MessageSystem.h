// What the message routines ask of the windowing system: the Windows build shows real windows; the
// host build, without a display, writes messages on the standard error.
#pragma once
#include <cstdint>
#include <string>

struct TMessageFormAnswer {
    int Result = 2;
    // The kind of the button that closed the form (0 Yes ... 6 Ignore), or -1.
    int ClickedKind = -1;
    bool BoxTicked = false;
};

// Runs the message form modally for Text (accelerator marks already escaped), with the optional
// message check box when asked. Raises when the form cannot be shown.
TMessageFormAnswer RunMessageForm(const std::string& text, uint8_t kind, uint16_t buttons,
                                  bool withOptionBox);

enum TSystemBoxKind {
    sbApplication, // the application's title as caption, OK alone
    sbError        // the system's own caption, the error icon, OK alone
};
void ShowSystemMessageBox(const std::string& text, TSystemBoxKind kind);

bool ApplicationTerminating();
// Brings the application's last active pop-up window to the front when it is another visible,
// enabled window.
void BringApplicationPopupToFront();
bool ApplicationWindowVisible();
void HideApplicationWindow();
