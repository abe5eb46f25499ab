// IMCommandTarget: something that carries commands (the chart view, the frame): it runs the
// commands it knows and answers, for each, whether its element is enabled and checked. The
// desktop program asks these questions through one router and shows the answers on every
// button, menu item and shortcut of the command.
#pragma once

struct CMCommandUI {
    bool enabled = true;
    bool checked = false;
};

class IMCommandTarget {
public:
    virtual ~IMCommandTarget() = default;
    // Runs command `id`; false when this target does not carry it.
    virtual bool OnCommand(int id) = 0;
    // Sets the state of command `id` in `ui` (which starts enabled and unchecked); false when
    // this target does not carry it.
    virtual bool OnUpdateCommand(int id, CMCommandUI& ui) const = 0;
};
