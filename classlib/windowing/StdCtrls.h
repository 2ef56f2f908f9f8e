// The standard controls: push button, check box and label over the system's own, and an image that
// shows an icon.
#pragma once
#include "classlib/windowing/Controls.h"

// A push button. Clicking it gives its form the button's ModalResult (when not none), then fires
// OnClick. The default button answers Enter, the cancel button Esc.
class TButton : public TControl {
public:
    explicit TButton(TComponent* owner);
    void Click() override;
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel = false;
    int ModalResult = 0;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    void ShowAsDefault(bool value);
    bool FDefault = false;
};

// A system button that is ticked or not: the base of check boxes and radio buttons.
class TButtonControl : public TControl {
public:
    bool Checked() const;
    virtual void SetChecked(bool value);

protected:
    TButtonControl(TComponent* owner, const char* className, uint32_t style, int width);
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

    bool FChecked = false;

private:
    const char* FClassName;
    uint32_t FStyle;
};

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* owner);

protected:
    void WndProc(TMessage& message) override;
};

// Static text; "&" marks an accelerator unless ShowAccelChar is off. Long lines wrap at the width.
class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner);
    bool ShowAccelChar = true;

protected:
    void CreateParams(TCreateParams& params) override;
};

// Shows an icon at its top left corner over its colour.
class TImage : public TCustomControl {
public:
    explicit TImage(TComponent* owner) : TCustomControl(owner) {}
    TIcon& Icon() { return FIcon; }

protected:
    void Paint() override;

private:
    TIcon FIcon;
};
