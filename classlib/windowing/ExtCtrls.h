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

// The entries of a list or combo box, kept here so that the window can be made again, and the messages
// through which its kind of window takes them.
class TItemListControl : public TControl {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    const std::string& Items(int index) const { return FItems[index]; }
    void Add(const std::string& text);
    void Clear();
    // The chosen entry, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The choice changed through the user.
    TNotifyEvent OnChange;

protected:
    struct TItemMessages {
        UINT Add, Reset, GetSelection, SetSelection;
    };
    TItemListControl(TComponent* owner, const TItemMessages& messages);
    void DestroyWnd() override;
    // Hands the entries to the window just made.
    void SendItems();
    // The text the window holds for an entry (an owner-drawn list holds none).
    virtual const char* WindowText(const std::string& item) const { return item.c_str(); }
    int FItemIndex = -1;

private:
    TItemMessages FMessages;
    std::vector<std::string> FItems;
};

// A list of texts, one chosen. An owner-drawn list paints its entries through DrawItem.
class TListBox : public TItemListControl {
public:
    explicit TListBox(TComponent* owner, bool ownerDraw = false);
    int TopIndex() const;
    void SetTopIndex(int index);
    int ItemHeight = 16;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    const char* WindowText(const std::string& item) const override { return FOwnerDraw ? "" : item.c_str(); }
    virtual void DrawItem(int index, TCanvas& canvas, const RECT& rect, bool selected);

private:
    bool FOwnerDraw;
    TCanvas FItemCanvas;
};

// A combo box: a list that drops down under an edit (or under a fixed text when EditableText is off).
class TComboBox : public TItemListControl {
public:
    explicit TComboBox(TComponent* owner, bool editableText = true);
    std::string Text();
    void SetText(const std::string& text);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;

private:
    bool FEditable;
};
