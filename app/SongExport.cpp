// Songs leaving Zimbrel: key kinds, titles and MusicXML files.
#include "app/SongExport.h"

#include "app/CMPerformanceSettings.h"
#include "app/CMSongDocument.h"
#include "app/ChartView.h"
#include "app/IMCompileShell.h"
#include "core/AtomicFile.h"
#include "settings/CMZimbrelIni.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

CMExportKey ExportKeyFor(int keyKind, int transposition, int userDefinedKey)
{
    const int kind = keyKind == InstrumentNumbers ? InstrumentConcert : keyKind;
    CMExportKey key;
    key.transposition = DisplayedTransposition(transposition, kind, userDefinedKey);
    switch (kind) {
    case InstrumentBFlat:
        key.partName = "Lead Sheet in B\u266D";
        key.edition = "B\u266D instruments";
        break;
    case InstrumentEFlat:
        key.partName = "Lead Sheet in E\u266D";
        key.edition = "E\u266D instruments";
        break;
    default:
        key.partName = "Lead Sheet";
        key.edition = key.transposition == 0 ? "Concert key" : "";
        break;
    }
    if (kind != InstrumentBFlat && kind != InstrumentEFlat && key.transposition != 0) {
        const std::string moved = "moved " + std::string(key.transposition > 0 ? "up " : "down ") +
                                  std::to_string(std::abs(key.transposition)) + " semitone" +
                                  (std::abs(key.transposition) == 1 ? "" : "s");
        key.partName += ", " + moved;
        key.edition = "Concert key " + moved;
    }
    return key;
}

CMExportKey ExportKeyFor(const CMZimbrelIni& settings, std::optional<int> keyKind,
                         int transposition)
{
    return ExportKeyFor(keyKind.value_or(settings.instrumentType), transposition,
                        settings.userDefinedKey);
}

CMMusicXmlOptions ScoreOptions(const CMExportKey& key, const CMZimbrelIni& settings,
                               const CMMusicSong& song)
{
    CMMusicXmlOptions options;
    options.transposition = key.transposition;
    options.partName = key.partName;
    options.tempo = DefaultPerformance(settings, song).tempo;
    return options;
}

std::string SongTitleOf(const CMMusicSong& song)
{
    if (!song.title.IsEmpty())
        return song.title.GetHead()->element->Str();
    return song.GetFileTitle().Str();
}

bool WriteMusicXmlFile(const CMMusicSong& song, const CMMusicXmlOptions& options,
                       const std::string& path, std::vector<std::string>& warnings,
                       std::string& error)
{
    CMMusicXmlOptions named = options;
    if (named.title.empty())
        named.title = song.GetFileTitle().Str();
    const CMMusicXmlExport score = ExportMusicXml(song, named);
    warnings = score.warnings;
    if (!WriteFileAtomically(path.c_str(), score.text)) {
        error = std::strerror(errno);
        return false;
    }
    return true;
}

bool ExportShownSong(const CMSongDocument& document, const CMZimbrelIni& settings,
                     int viewTransposition, const std::string& path, IMCompileShell& output,
                     std::string& error)
{
    if (!document.IsCompiled() || document.GetSong().measures.IsEmpty()) {
        error = "the song has no measures to write; compile it first";
        return false;
    }
    if (document.IsSongFile(path.c_str())) {
        error = "it is the song itself; choose another file";
        return false;
    }
    const CMMusicSong& song = document.GetSong();
    const CMExportKey key = ExportKeyFor(settings, std::nullopt, viewTransposition);
    std::vector<std::string> warnings;
    if (!WriteMusicXmlFile(song, ScoreOptions(key, settings, song), path, warnings, error))
        return false;
    for (const std::string& warning : warnings)
        output.WriteOutput(CMString("warning: " + warning));
    output.WriteOutput(
        CMString("The score (" + key.partName + ") has been written to '" + path + "'"));
    return true;
}

std::vector<std::string> SongbookSongFiles(const std::string& folder)
{
    std::vector<std::string> songs;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::filesystem::path& path = entry.path();
        if (path.extension() == ".zimbrel" && entry.is_regular_file(error))
            songs.push_back(path.string());
    }
    std::sort(songs.begin(), songs.end());
    return songs;
}
