// A scroll bar control over the system's own: a range, a page size, small and large steps, and a
// position of 32 bits (the thumb's track position is read from the system, not from the message); and
// the program's scroll bar, which tells its thumb's dragging and the loss of the mouse.
#pragma once
#include "classlib/windowing/Controls.h"

class TScrollBar : public TControl {
public:
    explicit TScrollBar(TComponent* owner, bool vertical = false);

    bool Vertical() const { return FVertical; }
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int PageSize() const { return FPageSize; }
    int Position() const { return FPosition; }
    // Each keeps the position within Min..Max; none fires OnChange.
    void SetRange(int min, int max);
    void SetPageSize(int pageSize);
    void SetPosition(int position);

    int SmallChange = 1;
    int LargeChange = 1;
    // The user moved the bar to a new position.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    // The thumb is being dragged to the position (before OnChange).
    virtual void Tracking(int) {}

private:
    void Apply();
    void Scroll(int code);

    bool FVertical;
    int FMin = 0;
    int FMax = 100;
    int FPageSize = 0;
    int FPosition = 0;
};

// The program's scroll bar: a page of 18 at first; the thumb's position while it is dragged, and the
// mouse taken away from the bar, are told to the owner.
class TScrollBar95 : public TScrollBar {
public:
    explicit TScrollBar95(TComponent* owner, bool vertical = false);
    std::function<void(TComponent* sender, int position)> OnTrackBarDragEvent;
    TNotifyEvent OnCancelMode;

protected:
    void WndProc(TMessage& message) override;
    void Tracking(int position) override;
};
