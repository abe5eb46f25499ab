// zimbrel-cli import FILE -o DIR: the chord charts of the iReal links in FILE (a playlist saved
// as HTML, or a text holding links) as .zimbrel songs in DIR, never replacing a file that holds
// another song. What the song language cannot hold is said as a warning for each song.
#include "cli/CliCommand.h"

#include "app/IRealImport.h"
#include "core/CMTextFile.h"

#include <cstdio>

int RunImportCommand(const CliArguments& arguments)
{
    std::string file, folder;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "-o") {
            if (i + 1 >= arguments.size())
                return UsageError("import: -o needs a folder");
            folder = arguments[++i];
        } else if (arguments[i].size() > 1 && arguments[i][0] == '-') {
            return UsageError("import: unknown option '" + arguments[i] + "'");
        } else if (file.empty()) {
            file = arguments[i];
        } else {
            return UsageError("import: one file at a time");
        }
    }
    if (file.empty())
        return UsageError("import: no file given");
    if (folder.empty())
        return UsageError("import: no folder given (-o DIR)");
    CMTextFile text;
    if (text.Load(file.c_str()) < 0) {
        std::fprintf(stderr, "zimbrel-cli: import: cannot read '%s'\n", file.c_str());
        return kExitFailed;
    }
    if (folder.back() != '/')
        folder += '/';
    std::vector<CMImportedSongFile> songs;
    std::string error;
    const bool imported = ImportIRealLinks(text.GetText().Str(), folder, songs, error);
    if (!error.empty())
        std::fprintf(stderr, "zimbrel-cli: import: %s: %s\n", file.c_str(), error.c_str());
    int status = imported ? kExitDone : kExitFailed;
    for (const CMImportedSongFile& song : songs) {
        for (const std::string& warning : song.warnings)
            std::fprintf(stderr, "%s: %s: warning: %s\n", file.c_str(), song.title.c_str(),
                         warning.c_str());
        switch (song.stored.outcome) {
        case CMStoredSongFile::Outcome::Saved: std::printf("%s\n", song.stored.path.c_str()); break;
        case CMStoredSongFile::Outcome::AlreadyThere:
            std::printf("%s (already there)\n", song.stored.path.c_str());
            break;
        case CMStoredSongFile::Outcome::Refused:
            std::fprintf(stderr, "zimbrel-cli: import: '%s' is not stored: %s\n",
                         song.title.c_str(), song.stored.reason.c_str());
            status = kExitFailed;
            break;
        }
    }
    return status;
}
