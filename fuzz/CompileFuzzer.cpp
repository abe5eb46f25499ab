// Fuzz target: arbitrary bytes as song source. The compiler must not crash, leak or hang, and a
// failed compile must leave the song exactly as it was.
#include "music/CMMusicSong.h"
#include "music/SongListing.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// Everything a compile can change, as text.
CMString Snapshot(const CMMusicSong& song)
{
    CMString text;
    AppendBarsListing(song, text);
    for (const CMString* line : song.title)
        text += *line;
    for (const CMString* line : song.lyrics)
        text += *line;
    text.Format("%s|%d|%d|%d|%d|%d|%d|%d|%d", CMString(text).GetText(), song.tempo, song.repeat,
                song.precount, song.style, song.GetCount(), song.keys.GetCount(),
                song.notes.GetCount(), song.structure.GetCount());
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CMString known(
        "title { Known } key { F } chord { labelA: |: F7 | Bb7 :| labelB: C7 @ F7 || }"
        " progression { theme structure = A B ; theme } misc { tempo = 99; }");
    CMMusicSong song;
    CMString error;
    if (!song.Compile(known, error))
        std::abort();
    const CMString before = Snapshot(song);

    const CMString source(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!song.Compile(source, error)) {
        if (error.IsEmpty() || Snapshot(song) != before)
            std::abort();
    } else {
        CMString listing;
        AppendBarsListing(song, listing);  // walk everything that was built
    }
    return 0;
}
