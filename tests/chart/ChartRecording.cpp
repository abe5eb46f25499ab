// Listing a song's chart through the recording surface.
#include "tests/chart/ChartRecording.h"

#include "chart/SongDrawing.h"
#include "core/CMTextFile.h"
#include "tests/chart/RecordingDC.h"

#include <memory>

std::string RecordChart(const std::string& songPath, int page, int transposition)
{
    CMTextFile file;
    CMMusicSong song;
    CMString error;
    if (file.Load(songPath.c_str()) < 0 || !song.Compile(file.GetText(), error))
        return std::string();
    song.path = songPath.c_str();
    auto surface = std::make_unique<RecordingDC>();
    surface->origin = CMPoint(0.5, 0.5);
    surface->printing = page >= 1;
    RecordingDC* recording = surface.get();
    const CMChartSettings chart("");  // no settings file: the default fonts
    CMMusicDC renderer(std::move(surface), chart);
    Draw(song, renderer, transposition, true, true, false, 0, page, kRingBitmap, true, song.tempo);
    return recording->Listing();
}
