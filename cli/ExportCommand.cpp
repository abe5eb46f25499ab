// zimbrel-cli export FILE... -o OUT.musicxml [--key concert|bb|eb|user] [--transpose N]: each song
// as a MusicXML score, in the key kind of ./Zimbrel.ini unless --key says otherwise. With several
// songs OUT is a folder, which gets TITLE.musicxml for each.
#include "cli/CliCommand.h"

#include "app/CMPerformanceSettings.h"
#include "app/SongExport.h"
#include "cli/SongFile.h"
#include "settings/CMZimbrelIni.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

int RunExportCommand(const CliArguments& arguments)
{
    static const std::map<std::string, int> kKeyKinds = {{"concert", InstrumentConcert},
                                                         {"bb", InstrumentBFlat},
                                                         {"eb", InstrumentEFlat},
                                                         {"user", InstrumentUserKey}};
    std::vector<std::string> songs;
    std::string output;
    int keyKind = -1, transposition = 0;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool valued = argument == "-o" || argument == "--key" || argument == "--transpose";
        if (valued && i + 1 >= arguments.size())
            return UsageError("export: " + argument + " needs a value");
        const std::string value = valued ? arguments[++i] : "";
        if (argument == "-o") {
            output = value;
        } else if (argument == "--key") {
            const auto kind = kKeyKinds.find(value);
            if (kind == kKeyKinds.end())
                return UsageError("export: --key needs concert, bb, eb or user (a score names its "
                                  "chords by letter)");
            keyKind = kind->second;
        } else if (argument == "--transpose") {
            char* end = nullptr;
            const long number = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end || number < -7 || number > 7)
                return UsageError("export: --transpose needs semitones from -7 to 7");
            transposition = static_cast<int>(number);
        } else if (argument.size() > 1 && argument[0] == '-') {
            return UsageError("export: unknown option '" + argument + "'");
        } else {
            songs.push_back(argument);
        }
    }
    if (songs.empty())
        return UsageError("export: no song file given");
    if (output.empty())
        return UsageError(
            "export: no output given (-o OUT.musicxml, or a folder for several songs)");
    const bool folder = songs.size() > 1;
    if (folder && mkdir(output.c_str(), 0755) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "zimbrel-cli: export: cannot create '%s': %s\n", output.c_str(),
                     std::strerror(errno));
        return kExitFailed;
    }

    CMZimbrelIni settings;
    settings.Load();
    const CMExportKey key = ExportKeyFor(keyKind >= 0 ? keyKind : settings.instrumentType,
                                         transposition, settings.userDefinedKey);
    int status = kExitDone;
    for (const std::string& file : songs) {
        CMSongDocument document;
        if (!OpenCompiledSong(file, document)) {
            status = kExitFailed;
            continue;
        }
        const CMMusicSong& song = document.GetSong();
        const std::string path =
            folder ? output + "/" + song.GetFileTitle().Str() + ".musicxml" : output;
        if (IsTheSongItself("export", document, path))
            return kExitUsage;
        CMMusicXmlOptions options;
        options.transposition = key.transposition;
        options.partName = key.partName;
        options.tempo = DefaultPerformance(settings, song).tempo;
        std::vector<std::string> warnings;
        std::string error;
        const bool written = WriteMusicXmlFile(song, options, path, warnings, error);
        for (const std::string& warning : warnings)
            std::fprintf(stderr, "%s: warning: %s\n", file.c_str(), warning.c_str());
        if (!written) {
            std::fprintf(stderr, "zimbrel-cli: export: cannot write '%s': %s\n", path.c_str(),
                         error.c_str());
            status = kExitFailed;
            continue;
        }
        std::printf("%s: %s\n", path.c_str(), key.partName.c_str());
    }
    return status;
}
