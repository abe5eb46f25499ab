// A songbook: many lead sheets in one PDF for the bandstand. A title page, the contents with the
// page each song starts on, then every song from a new page with the chart's own page count on
// its later pages, and the book's page number at the foot of every page. Letter-size pages,
// drawn as the chart prints them; the file is written whole or not at all.
#pragma once

#include "chart/qt/ChartExport.h"

#include <QString>

#include <functional>
#include <vector>

struct CMSongbookSong {
    const CMMusicSong* song = nullptr;  // not owned
    QString title;                      // for the contents: the first title line or file title
    int tempo = 0;                      // the tempo marking under its title; 0 none
};

struct CMSongbookOptions {
    QString title = QStringLiteral("Songbook");
    QString edition;  // under the title: "Concert key", "B♭ instruments" ...; may be empty
    CMChartExportOptions chart;  // transposition, numerals, chord style, intro, verse, notice
};

// Pages of the book before the first song: the title page and the contents.
int SongbookFrontPages(std::size_t songCount);

// Writes the book to `path` (a PDF). `progress` is told the songs drawn so far and may answer
// false to stop; the file is then not written. False, with the reason in `error`, when nothing
// was written. Needs the Qt GUI application.
bool ExportSongbook(const std::vector<CMSongbookSong>& songs, CMMusicDC& renderer,
                    const CMSongbookOptions& options, const QString& path, QString& error,
                    const std::function<bool(std::size_t done, std::size_t total)>& progress = {});
