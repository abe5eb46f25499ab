// Helpers of the chart tests.
#include "tests/chart/ChartTestSupport.h"

#include "chart/SongDrawing.h"

#include <gtest/gtest.h>

#include <memory>

std::string MeasuresSource(int count)
{
    std::string source = "chord {";
    for (int i = 0; i < count; ++i) {
        source += " ";
        source += "CDEFGAB"[i % 7];
        source += i + 1 < count ? " |" : " ||";
    }
    return source + " }";
}

const CMChartSettings& DefaultChartSettings()
{
    static const CMChartSettings settings("");
    return settings;
}

RecordingDC DrawChart(const CMMusicSong& song, const ChartOptions& options)
{
    auto surface = std::make_unique<RecordingDC>();
    surface->origin = CMPoint(0.5, 0.5);
    surface->printing = options.page >= 1;
    RecordingDC* recording = surface.get();
    CMChartSettings chart("");  // no settings file: the default fonts
    chart.chordStyle = static_cast<std::uint8_t>(options.chordStyle);
    CMMusicDC renderer(std::move(surface), chart);
    Draw(song, renderer, options.transposition, options.intro, options.verse, options.numerals,
         static_cast<std::uint8_t>(options.chordStyle), options.page, options.ringBitmap,
         options.printNotice, options.tempo);
    return *recording;
}
