// Songs leaving Zimbrel: key kinds, titles and MusicXML files.
#include "app/SongExport.h"

#include "app/ChartView.h"
#include "core/AtomicFile.h"
#include "settings/CMZimbrelIni.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

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
