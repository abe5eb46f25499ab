// Writing a song's chart to a file: a PDF of every printed page (letter size, text as text with
// its fonts embedded), or one page as a PNG image or an SVG drawing; or the screen view (two
// pages side by side with the binder rings) in any of the three. Files are written through a
// temporary file, so a failure never leaves half a chart in place of a good one.
#pragma once

#include "chart/CMMusicDC.h"
#include "music/CMMusicSong.h"

#include <QString>

#include <cstdint>
#include <optional>

enum class CMChartFormat { Pdf, Png, Svg };

struct CMChartExportOptions {
    int page = 0;              // the printed page to write, from 1; 0: every page (PDF) or page 1
    bool screen = false;       // the screen view instead of printed pages
    double dotsPerInch = 150;  // resolution of a PNG image
    int transposition = 0;     // semitones, as the chart view adds them up
    bool showIntro = true;
    bool showVerse = true;
    bool numerals = false;  // Roman numerals instead of chord letters
    std::uint8_t chordStyle = 0;
    bool printNotice = true;  // the grey notice on printed pages
    int tempo = 0;            // beats a minute shown under the title; 0 shows none
};

class QPainter;

// Draws one page of the chart on `painter`, which has `dotsPerInch` device units to the inch:
// page 0 the screen view, n >= 1 printed page n, half an inch inside the sheet.
void DrawChartPage(QPainter& painter, double dotsPerInch, const CMMusicSong& song,
                   CMMusicDC& renderer, const CMChartExportOptions& options, int page);

// The format a file name asks for by its extension (either case); empty for any other.
std::optional<CMChartFormat> ChartFormatOf(const QString& path);

// Draws the chart of `song` with `renderer` (its fonts and chord style) into `path`, in the
// format of its extension. Needs the Qt GUI application. False, with the reason in `error`, when
// the file cannot be written; an existing file is then left as it was.
bool ExportChart(const CMMusicSong& song, CMMusicDC& renderer, const CMChartExportOptions& options,
                 const QString& path, QString& error);
