// A scroll bar control over the system's own: a range, a page size, small and large steps, and a
// position of 32 bits (the thumb's track position is read from the system, not from the message).
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

private:
    void Apply();
    void Scroll(int code);

    bool FVertical;
    int FMin = 0;
    int FMax = 100;
    int FPageSize = 0;
    int FPosition = 0;
};
