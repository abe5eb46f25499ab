// Fuzz target: arbitrary bytes as song source, and when they compile, the chart drawn from them
// on every page and in every display mode the bytes choose. Drawing must not crash, hang or leak,
// and every coordinate it hands the surface must be a finite number.
#include "chart/SongDrawing.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

// A surface that only checks what it is given.
class CheckingDC : public IMDC {
public:
    int DrawLine(double x1, double y1, double x2, double y2, int, double width) override
    {
        Check({x1, y1, x2, y2, width});
        return 1;
    }
    double DrawText(double x, double y, const CMString& text, const CMFontConfig& font,
                    std::uint8_t) override
    {
        Check({x, y, font.height});
        return 0.5 * font.height * text.GetLength();
    }
    int DrawRectangle(double x1, double y1, double x2, double y2, int, int, double width) override
    {
        Check({x1, y1, x2, y2, width});
        return 1;
    }
    int DrawEllipse(double x1, double y1, double x2, double y2, int, int, double width) override
    {
        Check({x1, y1, x2, y2, width});
        return 1;
    }
    int DrawBitmap(double x, double y, int, bool) override
    {
        Check({x, y});
        return 1;
    }

private:
    static void Check(std::initializer_list<double> numbers)
    {
        for (const double number : numbers)
            if (!std::isfinite(number))
                std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMMusicSong song;
    CMString error;
    if (!song.Compile(CMString(std::string_view(reinterpret_cast<const char*>(data), size)), error))
        return 0;
    const std::uint8_t choice = size > 0 ? data[size - 1] : 0;
    CMChartSettings chart("");  // the default fonts
    chart.chordStyle = choice & 3;
    CMMusicDC renderer(nullptr, chart);
    const bool intro = choice & 4, verse = choice & 8, numerals = choice & 16;
    const int transposition = static_cast<int>(choice % 15) - 7;
    const int pages = CountChartPages(song, intro, verse);
    for (const int page : {0, 1, pages, pages + 1}) {
        auto surface = std::make_unique<CheckingDC>();
        surface->origin = CMPoint(0.5, 0.5);
        surface->printing = page > 0;
        renderer.surface = std::move(surface);
        Draw(song, renderer, transposition, intro, verse, numerals, chart.chordStyle, page,
             kRingBitmap, true);
    }
    return 0;
}
