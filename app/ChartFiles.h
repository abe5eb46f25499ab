// Chart and songbook files as the chart view draws them: the view's choices made into the
// drawing's options, and the files written with the chart's fonts and the chord style the view
// chose. The desktop program's chart and songbook exports and zimbrel-cli chart and songbook build
// their options here. Needs Qt: only the programs that draw link it (zimbrel_app_chart).
#pragma once

#include "app/ChartView.h"
#include "app/SongExport.h"
#include "chart/qt/Songbook.h"
#include "settings/CMChartSettings.h"
#include "settings/CMZimbrelIni.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The drawing's options for the view's choices, the tempo included; page, screen, resolution
// and notice stay at their defaults.
CMChartExportOptions ChartExportOptionsFor(const CMChartViewChoices& choices);

// A book's options: the view's choices for every song (each song shows its own tempo) and the
// edition under the title, named after the key or "Chords as scale degrees".
CMSongbookOptions SongbookOptionsFor(const CMChartViewChoices& choices, const CMExportKey& key,
                                     const QString& title, bool printNotice);

// The format a file name asks for by its extension (either case); empty for any other.
std::optional<CMChartFormat> ChartFormatOfFile(const std::string& path);

// What is wrong with the music font, empty when it is there. Needs the Qt GUI application.
std::string MusicFontWarning();

// Writes charts and books with the settings and the chart's fonts of ./Zimbrel.ini, read once.
// Needs the Qt GUI application.
class CMChartFileWriter {
public:
    CMChartFileWriter();
    CMChartFileWriter(const CMChartFileWriter&) = delete;
    CMChartFileWriter& operator=(const CMChartFileWriter&) = delete;

    const CMZimbrelIni& Settings() const { return m_settings; }
    CMChartViewChoices Choices(const CMMusicSong& song, const CMChartViewRequest& request) const;
    // The printed pages of `song` with the intro and verse `options` show.
    int PageCount(const CMMusicSong& song, const CMChartExportOptions& options) const;

    // False, with the reason in `error`, when the file cannot be written.
    bool WriteChart(const CMMusicSong& song, const CMChartExportOptions& options,
                    const std::string& path, std::string& error);
    bool WriteSongbook(const std::vector<CMSongbookSong>& songs, const CMSongbookOptions& options,
                       const std::string& path, std::string& error,
                       const std::function<bool(std::size_t done, std::size_t total)>& progress);

private:
    CMZimbrelIni m_settings;
    CMChartSettings m_chart;
    CMMusicDC m_renderer;
};
