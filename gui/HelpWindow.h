// The help behind "Help Topics": the user guide and the song language, bundled with the program,
// in a browser window of their own.
#pragma once

class QWidget;

// Shows the help window (one for the program run), raised when it is already open.
void ShowHelpWindow(QWidget* parent);
