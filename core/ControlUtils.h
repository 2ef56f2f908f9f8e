// Helpers over controls and menus: the hint of a control whose caption does not fit, and the shared
// pop-up menu built from a list of items.
#pragma once
#include <vector>

#include "codecs/Geometry.h"

class TControl;
class TMenuItem;

// The control's hint becomes its caption when the caption, in the control's font, is wider than the
// control; otherwise the control gets no hint.
void SetHintIfTruncated(TControl* control);

// Rebuilds the shared pop-up menu from copies of the items (caption, checked, enabled, default and
// visible states, click handler, hint and tag, with all their sub-items; a null item gives a
// separator line) and pops it up at a screen point. A chosen copy's click handler runs, with the
// copy as sender, once the menu has closed.
void PopupMenuItems(const std::vector<TMenuItem*>& items, TPoint point);
// The shared pop-up menu's root item, as PopupMenuItems last built it; null before the first call.
TMenuItem* SharedPopupMenuItems();
