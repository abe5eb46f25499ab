// What the desktop program and zimbrel-cli share when songs leave Zimbrel: the key a score or a
// book is written in for a key kind (concert, B-flat, E-flat or the user's key, with the
// view's transposition), the names that say so, a song's title for lists, and MusicXML files
// written whole or not at all; the desktop program's export of the song it shows and the songs of
// its songbook.
#pragma once

#include "interchange/MusicXmlExport.h"

class CMSongDocument;
class CMZimbrelIni;
class IMCompileShell;

#include <optional>
#include <string>
#include <vector>

struct CMExportKey {
    int transposition = 0;  // semitones the music is written moved by
    std::string partName;   // the score's part: "Lead Sheet", "Lead Sheet in B♭" ...
    std::string edition;    // a book's: "Concert key", "B♭ instruments" ...
};

// The key for a key kind ("InstrumentType"), the transposition the user chose (semitones) and
// the user's own key. The number system writes the concert key: scores and books name roots.
CMExportKey ExportKeyFor(int keyKind, int transposition, int userDefinedKey);
// The same with the key kind of `settings` unless one is asked for, and its user key.
CMExportKey ExportKeyFor(const CMZimbrelIni& settings, std::optional<int> keyKind,
                         int transposition);

// A score's options for `song` in `key`, with the tempo it is played at by `settings`.
CMMusicXmlOptions ScoreOptions(const CMExportKey& key, const CMZimbrelIni& settings,
                               const CMMusicSong& song);

// The first title line, or the file's title when the song has none.
std::string SongTitleOf(const CMMusicSong& song);

// Exports `song` and writes the file through a temporary file. False, with the reason in
// `error`, when it cannot be written (an existing file is then left as it was); the export's
// warnings are handed back either way.
bool WriteMusicXmlFile(const CMMusicSong& song, const CMMusicXmlOptions& options,
                       const std::string& path, std::vector<std::string>& warnings,
                       std::string& error);

// The desktop program's Export as MusicXML: the score of the document's song in the view's key
// kind and transposition (semitones), written to `path`. Says in `output` where it went and what
// the score could not say. False, with the reason in `error`, when nothing was written: the song
// did not compile, `path` is the song's own file, or the file cannot be written.
bool ExportShownSong(const CMSongDocument& document, const CMZimbrelIni& settings,
                     int viewTransposition, const std::string& path, IMCompileShell& output,
                     std::string& error);

// The songs of a songbook of `folder`: its .zimbrel files, in the order of their names.
std::vector<std::string> SongbookSongFiles(const std::string& folder);
