// A song's measures and chord scales as text: see SongAnalysis.h.
#include "app/SongAnalysis.h"

#include "music/CMMusicSong.h"
#include "music/SongListing.h"
#include "performance/ChordScale.h"

CMString BarsListing(const CMMusicSong& song)
{
    CMString listing;
    AppendBarsListing(song, listing);
    return listing;
}

CMString ScaleListing(const CMMusicSong& song)
{
    const CMSongKey key = song.GetKey();
    CMString listing;
    for (const CMMusicChordList* measure : song.measures)
        for (const CMMusicChord* chord : *measure)
            if (chord->IsPitch())
                listing += ScaleLine(*chord, ScaleFor(*chord, key.pitchClass, key.minor));
    return listing;
}
