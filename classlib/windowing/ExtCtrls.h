// More standard controls: radio button, panel, progress bar, list box and combo box.
#pragma once
#include <string>
#include <vector>

#include "classlib/windowing/Controls.h"
#include "classlib/windowing/StdCtrls.h"

// A radio button; the buttons of one parent form one group, and ticking one clears the others.
class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* owner);
    void SetChecked(bool value) override;

protected:
    void WndProc(TMessage& message) override;
};

// A plain container of controls, its colour for a background; Tab moves through its children.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner) : TCustomControl(owner) {}

protected:
    void CreateParams(TCreateParams& params) override;
};

class TProgressBar : public TControl {
public:
    explicit TProgressBar(TComponent* owner);
    int Max() const { return FMax; }
    void SetMax(int max);
    int Position() const { return FPosition; }
    void SetPosition(int position);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    int FMax = 100;
    int FPosition = 0;
};

// A list of texts, one chosen. An owner-drawn list paints its entries through DrawItem.
class TListBox : public TControl {
public:
    explicit TListBox(TComponent* owner, bool ownerDraw = false);
    int Count() const { return static_cast<int>(FItems.size()); }
    const std::string& Items(int index) const { return FItems[index]; }
    void Add(const std::string& text);
    void Clear();
    // The chosen entry, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    int TopIndex() const;
    void SetTopIndex(int index);
    int ItemHeight = 16;
    // The choice changed through the user.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    virtual void DrawItem(int index, TCanvas& canvas, const RECT& rect, bool selected);

private:
    bool FOwnerDraw;
    std::vector<std::string> FItems;
    int FItemIndex = -1;
    TCanvas FItemCanvas;
};

// A combo box: a list that drops down under an edit (or under a fixed text when EditableText is off).
class TComboBox : public TControl {
public:
    explicit TComboBox(TComponent* owner, bool editableText = true);
    int Count() const { return static_cast<int>(FItems.size()); }
    const std::string& Items(int index) const { return FItems[index]; }
    void Add(const std::string& text);
    void Clear();
    int ItemIndex() const;
    void SetItemIndex(int index);
    std::string Text();
    void SetText(const std::string& text);
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;

private:
    bool FEditable;
    std::vector<std::string> FItems;
    int FItemIndex = -1;
};
