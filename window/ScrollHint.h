// The hint window shown beside the vertical scroll bar while its thumb is dragged.
#pragma once
#include <string>

#include "classlib/windowing/Controls.h"

class TScrollHintWindow : public TCustomControl {
public:
    explicit TScrollHintWindow(TComponent* owner);
    std::string Text; // "Page n", and on a second line the heading there

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
};
