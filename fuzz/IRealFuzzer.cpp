// Fuzz target: arbitrary bytes as a file of iReal links and as the fields of one song (title,
// composer, style, key and chord text, separated by "="). Reading must not crash, leak or hang,
// and every song the import writes must compile; its MusicXML export is made too.
#include "interchange/IRealChart.h"
#include "interchange/MusicXmlExport.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void ImportAndCompile(const CMIRealSong& song)
{
    const CMImportedSong imported = ImportIRealSong(song, "Fuzz");
    CMMusicSong compiled;
    CMString error;
    if (!compiled.Compile(CMString(imported.source), error))
        std::abort();  // an import the compiler refuses is a fault of the import
    ExportMusicXml(compiled, CMMusicXmlOptions());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const std::string& link : FindIRealLinks(text)) {
        CMIRealPlaylist playlist;
        std::string error;
        if (ReadIRealLink(link, playlist, error))
            for (const CMIRealSong& song : playlist.songs)
                ImportAndCompile(song);
    }
    CMIRealSong song;
    std::string* fields[] = {&song.title, &song.composer, &song.style, &song.key, &song.chords};
    std::size_t field = 0;
    for (const char c : text) {
        if (c == '=' && field + 1 < std::size(fields))
            ++field;
        else
            *fields[field] += c;
    }
    ImportAndCompile(song);
    return 0;
}
