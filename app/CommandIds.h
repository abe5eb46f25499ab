// The command identifiers of the desktop program: the numbers its ribbon, menus, shortcuts and
// command handlers agree on. The file, edit and help commands keep the numbers desktop
// frameworks give them; the chart view's, the panes' and the looks' are the program's own.
#pragma once

namespace CommandId {

// Application button, quick-access bar, help
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int FilePrint = 57607;
inline constexpr int FileQuickPrint = 57608;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int FileRecent1 = 57616;  // the recent documents take 57616 to 57631
inline constexpr int RecentCount = 16;
inline constexpr int EditCopy = 57634;
inline constexpr int EditCut = 57635;
inline constexpr int EditPaste = 57637;
inline constexpr int EditSelectAll = 57642;
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;
inline constexpr int HelpTopics = 57667;
inline constexpr int ViewStatusBar = 59393;

// File menu: the lead sheet written to a file
inline constexpr int FileExportPdf = 32860;
inline constexpr int FileExportPng = 32861;
inline constexpr int FileExportSvg = 32862;
// File menu: songs to and from other programs
inline constexpr int FileExportMusicXml = 32863;
inline constexpr int FileExportSongbook = 32864;
inline constexpr int FileImportIReal = 32865;

// Home tab: the chart view's commands
inline constexpr int ZoomSlider = 32771;
inline constexpr int OpenSongFromList = 32772;
inline constexpr int TempoSlider = 32776;
inline constexpr int Play = 32777;
inline constexpr int Piano = 32778;
inline constexpr int Bass = 32779;
inline constexpr int Drums = 32780;
inline constexpr int RepeatList = 32781;
inline constexpr int Options = 32783;
inline constexpr int Intro = 32784;
inline constexpr int Verse = 32785;
inline constexpr int PrecountList = 32786;
inline constexpr int Refresh = 32787;
inline constexpr int TransposeSlider = 32793;
inline constexpr int EditSong = 32794;
inline constexpr int Lyrics = 32795;
inline constexpr int TempoBox = 32797;
inline constexpr int ConcertKey = 32798;
inline constexpr int BbKey = 32799;
inline constexpr int EbKey = 32800;
inline constexpr int UserKey = 32801;
inline constexpr int TempoBallad = 32803;  // the six presets take 32803 to 32808
inline constexpr int TempoMediumSlow = 32804;
inline constexpr int TempoMedium = 32805;
inline constexpr int TempoMediumFast = 32806;
inline constexpr int TempoFast = 32807;
inline constexpr int TempoVeryFast = 32808;
inline constexpr int NumberSystem = 32810;
inline constexpr int NaturalFeel = 32820;
inline constexpr int BandList = 32825;
inline constexpr int MidiOutList = 32828;
inline constexpr int TransposeBox = 120;

// The song view's toolbar and context menu
inline constexpr int SongProperties = 135;

// The musician view's sort menu: 145 to 148
inline constexpr int SortAlphabetic = 145;
inline constexpr int SortByType = 146;
inline constexpr int SortByAccess = 147;
inline constexpr int GroupByType = 148;

// The properties pane's toolbar
inline constexpr int PropertiesCategorized = 151;
inline constexpr int PropertiesAlphabetical = 152;

// The network view's toolbar and menu
inline constexpr int NetConnect = 32811;
inline constexpr int NetLogIn = 32812;
inline constexpr int NetQuerySongList = 32813;
inline constexpr int NetDownloadSong = 32814;
inline constexpr int NetDownloadAll = 32815;
inline constexpr int NetUploadAll = 32816;
inline constexpr int NetUploadSong = 32826;

// Others tab: the panes shown and hidden
inline constexpr int ViewProperties = 32840;
inline constexpr int ViewOutput = 32841;
inline constexpr int ViewSongView = 32842;
inline constexpr int ViewMusicianView = 32843;
inline constexpr int ViewNetworkView = 32844;

// The looks: 205 to 210 and 215 to 219 (211 to 214 are read as a colourless 215 to 218)
inline constexpr int LookFirst = 205;
inline constexpr int LookLast = 219;

}  // namespace CommandId
