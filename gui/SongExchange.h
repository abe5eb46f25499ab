// The desktop program's exchange of songs with other programs: Export as MusicXML (the song
// shown, in the view's key) and Export Songbook (every song of ./Data/ in one PDF, drawn on a
// worker thread behind a progress dialog that can cancel, so the window never waits).
#pragma once

class CMChartViewModel;
class IMCompileShell;
class QWidget;

// Asks for a file and writes the score of the song shown; the result goes to "Output", a
// failure also to a message box.
void ExportMusicXmlFile(CMChartViewModel& model, IMCompileShell& output, QWidget* parent);

// Asks for a file and starts writing the songbook of ./Data/ with the view's choices. Returns
// at once; the progress dialog shows the songs drawn, and "Output" the result.
void ExportSongbookFile(CMChartViewModel& model, IMCompileShell& output, QWidget* parent);
