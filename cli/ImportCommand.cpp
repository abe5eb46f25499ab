// zimbrel-cli import FILE -o DIR: the chord charts of the iReal links in FILE (a playlist saved
// as HTML, or a text holding links) as .zimbrel songs in DIR, never replacing a file that holds
// another song. What the song language cannot hold is said as a warning for each song.
#include "cli/InterchangeCommands.h"
#include "cli/SongFiles.h"

#include "app/IRealImport.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

// One line on standard output for each song stored or found already there; false for a song
// that could not be stored (the reason on standard error).
bool ReportStored(const std::string& file, const CMImportedSongFile& song)
{
    switch (song.stored.outcome) {
    case CMStoredSongFile::Outcome::Saved: std::printf("%s\n", song.stored.path.c_str()); break;
    case CMStoredSongFile::Outcome::AlreadyThere:
        std::printf("%s (already there)\n", song.stored.path.c_str());
        break;
    case CMStoredSongFile::Outcome::Refused:
        WriteSongMessage(stderr, file, song.title + ": Error : not stored: " + song.stored.reason);
        return false;
    }
    return true;
}

}  // namespace

void DefineImportCommand(CliOptions& options, ImportRequest& request)
{
    options.Operands("FILE", request.file, 1, 1,
                     "A file holding irealb:// or irealbook:// links (an HTML playlist or a text)",
                     CliCompletion::Files);
    options.Text("-o,--output", request.folder, "DIR",
                 "The folder the songs are written into (made when missing)",
                 CliCompletion::Folder);
}

int RunImportCommand(const ImportRequest& request)
{
    if (!request.folder)
        return UsageError("import", "no folder given (-o DIR)");
    const std::string& file = request.file.front();
    CMString text, readError;
    if (!CMSongDocument::ReadSongFile(file.c_str(), text, readError)) {
        WriteSongMessage(stderr, file, readError.Str());
        return kExitFailed;
    }
    std::error_code made;
    std::filesystem::create_directories(*request.folder, made);
    if (made)
        return Failure("cannot make the folder '" + *request.folder + "': " + made.message());
    std::string folder = *request.folder;
    if (folder.back() != '/')
        folder += '/';

    std::vector<CMImportedSongFile> songs;
    std::string error;
    int status = ImportIRealLinks(text.Str(), folder, songs, error) ? kExitDone : kExitFailed;
    if (!error.empty())
        WriteSongMessage(stderr, file, "Error : " + error);
    for (const CMImportedSongFile& song : songs) {
        for (const std::string& warning : song.warnings)
            WriteSongMessage(stderr, file, song.title + ": warning: " + warning);
        if (!ReportStored(file, song))
            status = kExitFailed;
    }
    return status;
}
