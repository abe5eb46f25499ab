// The table of every command of the desktop program: its identifier, the kind of element that
// shows it, its caption, its prompt (the description shown in the status bar, a line feed, the
// tooltip's title), its shortcut and its picture. The ribbon, the menus and the shortcuts are
// built from this one table, so a text or a key is changed in one place.
#pragma once

#include <string>
#include <vector>

enum class CMCommandKind {
    Button,       // a push button or menu item
    CheckButton,  // a button or menu item with a check mark
    NumberBox,    // a number box with spin buttons
    Slider,       // a slider with zoom buttons
    List,         // a drop-down list
};

struct CMCommandInfo {
    int id;
    CMCommandKind kind;
    const char* caption;   // "&" marks the access key
    const char* prompt;    // description "\n" tooltip title
    const char* shortcut;  // portable key text ("Ctrl+N"); empty for none
    const char* icon;      // name of the picture; empty for none
};

// Every command, in the order the ribbon shows them.
const std::vector<CMCommandInfo>& CommandTable();
// The command with `id`; null for an identifier that is not in the table.
const CMCommandInfo* FindCommand(int id);

// The prompt's first line, the tooltip's title after the line feed (the whole prompt when there
// is none).
std::string CommandDescription(const CMCommandInfo& command);
std::string CommandTooltipTitle(const CMCommandInfo& command);

// The items of the precount and repeat lists (" No precount" ..., " Play once" ...).
std::vector<std::string> PrecountListItems();
std::vector<std::string> RepeatListItems();
