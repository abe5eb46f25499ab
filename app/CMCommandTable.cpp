// The command table's rows. Prompts are the program's fixed texts, kept as they stand.
#include "app/CMCommandTable.h"

#include "app/ApplicationLook.h"
#include "app/CommandIds.h"

#include <algorithm>

namespace {

using K = CMCommandKind;
namespace C = CommandId;

std::vector<CMCommandInfo> BuildTable()
{
    std::vector<CMCommandInfo> table = {
        // Application button, quick-access bar
        {C::FileNew, K::Button, "&New", "Create a new song\nNew", "Ctrl+N", "new"},
        {C::FileOpen, K::Button, "&Open...", "Open an existing song\nOpen", "Ctrl+O", "open"},
        {C::FileSave, K::Button, "&Save", "Save the song\nSave", "Ctrl+S", "save"},
        {C::FileSaveAs, K::Button, "Save &As...", "Save the song with a new name\nSave As",
         "Ctrl+Shift+S", "save-as"},
        {C::FilePrint, K::Button, "&Print...", "Print the song\nPrint", "Ctrl+P", "print"},
        {C::FileQuickPrint, K::Button, "&Quick Print",
         "Print the song on the default printer\nQuick Print", "", "quick-print"},
        {C::FilePrintPreview, K::Button, "Print Pre&view", "Show the printed pages\nPrint Preview",
         "", "print-preview"},
        {C::FilePrintSetup, K::Button, "Print Set&up...",
         "Change the printer and printing options\nPrint Setup", "", "print-setup"},
        {C::FileExportPdf, K::Button, "Export as P&DF...",
         "Write every page of the lead sheet to a PDF file\nExport as PDF", "", "export"},
        {C::FileExportPng, K::Button, "Export as P&NG...",
         "Write the lead sheet's pages as PNG pictures\nExport as PNG", "", "export"},
        {C::FileExportSvg, K::Button, "Export as S&VG...",
         "Write the lead sheet's pages as SVG drawings\nExport as SVG", "", "export"},
        {C::FileExportMusicXml, K::Button, "Export as &MusicXML...",
         "Write the song as a MusicXML score for notation programs\nExport as MusicXML", "",
         "export"},
        {C::FileExportSongbook, K::Button, "Export &Songbook...",
         "Write the lead sheets of every song in Data into one PDF book\nExport Songbook", "",
         "export"},
        {C::FileImportIReal, K::Button, "&Import iReal Pro Charts...",
         "Turn the chord charts of iReal Pro links into songs in Data\nImport iReal Pro Charts", "",
         "open"},
        {C::FileClose, K::Button, "&Close", "Close the song\nClose", "Ctrl+W", "close"},
        {C::AppExit, K::Button, "E&xit", "Quit Zimbrel; asks to save the song\nExit", "Ctrl+Q",
         "exit"},
        {C::HelpTopics, K::Button, "&Help Topics", "List the help topics\nHelp Topics", "F1",
         "help"},
        {C::AppAbout, K::Button, "&About Zimbrel...", "Show the program's name and version\nAbout",
         "", "about"},

        // Home: Chart
        {C::Refresh, K::Button, "Refresh", "Refresh song list\nRefresh", "F5", "refresh"},
        {C::TransposeBox, K::NumberBox, "Transpose", "Transpose key\nTranspose", "", ""},
        {C::TransposeSlider, K::Slider, "", "Transpose key\nTranspose", "", ""},
        {C::ConcertKey, K::CheckButton, "Concert key", "Concert key\nConcert key", "",
         "key-concert"},
        {C::BbKey, K::CheckButton, "Bb key", "Bb instrument key\nBb key", "", "key-bb"},
        {C::EbKey, K::CheckButton, "Eb key", "Eb instrument key\nEb key", "", "key-eb"},
        {C::UserKey, K::CheckButton, "User key", "User-defined key\nUser key", "", "key-user"},
        {C::NumberSystem, K::CheckButton, "Number", "Number system\nNumber", "", "key-number"},
        {C::EditSong, K::Button, "Edit song", "Edit song data\nEdit song", "Ctrl+E", "edit"},
        {C::Intro, K::CheckButton, "Intro", "Show intro\nIntro", "", ""},
        {C::Verse, K::CheckButton, "Verse", "Show intro-verse\nVerse", "", ""},
        {C::Lyrics, K::CheckButton, "Lyrics", "Show lyrics\nLyrics", "", ""},

        // Home: Sound
        {C::TempoBox, K::NumberBox, "Tempo", "Tempo\nTempo", "", ""},
        {C::TempoSlider, K::Slider, "", "Tempo\nTempo", "", ""},
        {C::Play, K::CheckButton, "Playback", "Playback song\nPlayback", "Space", "play"},
        {C::MidiOutList, K::List, "MIDI out", "Select MIDI out port\nMIDI out", "", ""},
        {C::BandList, K::List, "Band", "Select band\nBand", "", ""},
        {C::Piano, K::CheckButton, "Piano", "Plano\nPiano", "", ""},
        {C::Bass, K::CheckButton, "Bass", "Bass\nBass", "", ""},
        {C::Drums, K::CheckButton, "Drums", "Drums\nDrums", "", ""},
        {C::NaturalFeel, K::CheckButton, "Natural feel",
         "Play with a natural feel: voice leading, dynamics, looser time, drum fills\nNatural feel",
         "", ""},
        {C::PrecountList, K::List, "Precount", "Select precount\nPrecount", "", ""},
        {C::RepeatList, K::List, "Repeat", "Select number of repeat\nRepeat", "", ""},
        {C::TempoBallad, K::CheckButton, "Ballad", "Tempo ballad\nBallad", "", "tempo-1"},
        {C::TempoMediumSlow, K::CheckButton, "Medium-slow", "Tempo medium-slow\nMedium-slow", "",
         "tempo-2"},
        {C::TempoMedium, K::CheckButton, "Medium", "Tempo medium\nMedium", "", "tempo-3"},
        {C::TempoMediumFast, K::CheckButton, "Medium-fast", "Tempo medium-fast\nMedium-fast", "",
         "tempo-4"},
        {C::TempoFast, K::CheckButton, "Fast", "Tempo fast\nFast", "", "tempo-5"},
        {C::TempoVeryFast, K::CheckButton, "Very fast", "Tempo very fast\nVery fast", "",
         "tempo-6"},

        // Home: System
        {C::Options, K::Button, "Options", "Option settings\nOptions", "", "options"},

        // Others: Clipboard
        {C::EditPaste, K::Button, "Paste", "Insert the clipboard's contents\nPaste", "", "paste"},
        {C::EditCut, K::Button, "Cut", "Cut the selection to the clipboard\nCut", "", "cut"},
        {C::EditCopy, K::Button, "Copy", "Copy the selection to the clipboard\nCopy", "", "copy"},
        {C::EditSelectAll, K::Button, "Select All", "Select everything\nSelect All", "",
         "select-all"},

        // Others: View
        {C::ViewStatusBar, K::CheckButton, "Status Bar",
         "Show or hide the status bar\nToggle Status Bar", "", ""},
        {C::ViewProperties, K::CheckButton, "Properties",
         "Show or hide the properties\nToggle Properties", "", "pane-properties"},
        {C::ViewOutput, K::CheckButton, "Output", "Show or hide the output\nToggle Output", "",
         "pane-output"},
        {C::ViewSongView, K::CheckButton, "Song View",
         "Show or hide the song view\nToggle Song View", "", "pane-songs"},
        {C::ViewMusicianView, K::CheckButton, "Musician View",
         "Show or hide the musician view\nToggle Musician View", "", "pane-musicians"},
        {C::ViewNetworkView, K::CheckButton, "Network View",
         "Show or hide the network view\nToggle Network View", "", "pane-network"},

        // Song view
        {C::SongProperties, K::Button, "Properties", "Edit the song's source\nProperties", "",
         "properties"},

        // Musician view: the sort menu
        {C::SortAlphabetic, K::CheckButton, "&Sort Alphabeticaly",
         "Sort the musicians by name\nSort Alphabetically", "", "sort-name"},
        {C::SortByType, K::CheckButton, "Sort by &Type",
         "Sort the musicians by instrument, then by name\nSort by Type", "", "sort-type"},
        {C::SortByAccess, K::CheckButton, "Sort by Acc&ess",
         "Sort the musicians by the number of bands they play in\nSort by Access", "",
         "sort-access"},
        {C::GroupByType, K::CheckButton, "Group by t&ype",
         "Group the musicians by instrument\nGroup by Type", "", "sort-group"},

        // Properties pane
        {C::PropertiesCategorized, K::CheckButton, "Categorized",
         "Show the properties in groups\nCategorized", "", "categorized"},
        {C::PropertiesAlphabetical, K::CheckButton, "Alphabetical",
         "Show the properties sorted by name\nAlphabetical", "", "alphabetical"},

        // Network view
        {C::NetConnect, K::CheckButton, "Connect",
         "Connect to the song server, or disconnect\nConnect", "", "net-connect"},
        {C::NetLogIn, K::CheckButton, "Log in",
         "Log in to the song server; without an account, register one\nLog in", "", "net-login"},
        {C::NetQuerySongList, K::Button, "Query song list",
         "Get the list of the songs on the server\nQuery song list", "", "net-query"},
        {C::NetDownloadSong, K::Button, "Download song",
         "Download the selected songs into the Data folder\nDownload song", "", "net-download"},
        {C::NetUploadSong, K::Button, "Upload song",
         "Upload the current song to the server\nUpload song", "", "net-upload"},
        {C::NetDownloadAll, K::Button, "Download all songs",
         "Download every song on the server into the Data folder\nDownload all songs", "",
         "net-download-all"},
        {C::NetUploadAll, K::Button, "Upload all songs",
         "Upload every song of the Data folder (not the downloaded ones of other users)\nUpload "
         "all songs",
         "", "net-upload-all"},

        // Status bar
        {C::ZoomSlider, K::Slider, "Zoom Slider", "Zoom\nZoom", "", ""},
    };
    for (const CMLookInfo& look : ApplicationLooks())
        table.push_back({look.id, K::CheckButton, look.caption, look.prompt, "", ""});
    return table;
}

}  // namespace

const std::vector<CMCommandInfo>& CommandTable()
{
    static const std::vector<CMCommandInfo> table = BuildTable();
    return table;
}

const CMCommandInfo* FindCommand(int id)
{
    const std::vector<CMCommandInfo>& table = CommandTable();
    const auto found = std::find_if(table.begin(), table.end(), [id](const CMCommandInfo& command) {
        return command.id == id;
    });
    return found == table.end() ? nullptr : &*found;
}

std::string CommandDescription(const CMCommandInfo& command)
{
    const std::string prompt = command.prompt;
    return prompt.substr(0, prompt.find('\n'));
}

std::string CommandTooltipTitle(const CMCommandInfo& command)
{
    const std::string prompt = command.prompt;
    const std::size_t lineFeed = prompt.find('\n');
    return lineFeed == std::string::npos ? prompt : prompt.substr(lineFeed + 1);
}

std::vector<std::string> PrecountListItems()
{
    return {" No precount", " 1 measure precount", " 2 measures precount"};
}

std::vector<std::string> RepeatListItems()
{
    std::vector<std::string> items = {" Play once", " Repeat once", " Repeat twice"};
    for (int times = 3; times <= 10; ++times)
        items.push_back(" Repeat " + std::to_string(times) + " times");
    return items;
}
