// IMRibbonControls: the ribbon's and the status bar's value controls as command logic sees them:
// number boxes (text typed freely, spin buttons within a range), sliders with zoom buttons and
// drop-down lists, each named by its command identifier. A control the user changes runs its
// command, which reads the control back here; values set here run no command. Calls naming a
// control of another kind, or none, do nothing (getters answer 0, -1 or empty).
#pragma once

#include "core/CMString.h"

class IMRibbonControls {
public:
    virtual ~IMRibbonControls() = default;

    // Number boxes: the text as typed, and the range of the spin buttons.
    virtual CMString GetText(int id) const = 0;
    virtual void SetText(int id, const CMString& text) = 0;
    // Number boxes and sliders: the range; sliders also move by `step` on their zoom buttons.
    virtual void SetRange(int id, int low, int high, int step = 1) = 0;
    // Sliders: the position, kept within the range.
    virtual int GetPosition(int id) const = 0;
    virtual void SetPosition(int id, int position) = 0;

    // Drop-down lists.
    virtual void RemoveAllItems(int id) = 0;
    virtual void AddItem(int id, const CMString& text) = 0;
    virtual int GetItemCount(int id) const = 0;
    virtual CMString GetItem(int id, int index) const = 0;
    // The chosen item, -1 for none.
    virtual int GetCurSel(int id) const = 0;
    virtual void SetCurSel(int id, int index) = 0;
};
