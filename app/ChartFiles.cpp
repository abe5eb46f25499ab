// Chart and songbook files as the chart view draws them: see ChartFiles.h.
#include "app/ChartFiles.h"

#include "chart/SongDrawing.h"
#include "chart/qt/CMMusicFont.h"

#include <QObject>

CMChartExportOptions ChartExportOptionsFor(const CMChartViewChoices& choices)
{
    CMChartExportOptions options;
    options.transposition = choices.transposition;
    options.numerals = choices.numerals;
    options.chordStyle = choices.chordStyle;
    options.showIntro = choices.showIntro;
    options.showVerse = choices.showVerse;
    options.tempo = choices.tempo;
    return options;
}

CMSongbookOptions SongbookOptionsFor(const CMChartViewChoices& choices, const CMExportKey& key,
                                     const QString& title, bool printNotice)
{
    CMSongbookOptions options;
    options.title = title;
    options.edition = choices.numerals ? QObject::tr("Chords as scale degrees")
                                       : QString::fromStdString(key.edition);
    options.chart = ChartExportOptionsFor(choices);
    options.chart.tempo = 0;  // each song shows its own
    options.chart.printNotice = printNotice;
    return options;
}

std::optional<CMChartFormat> ChartFormatOfFile(const std::string& path)
{
    return ChartFormatOf(QString::fromLocal8Bit(path.c_str()));
}

std::string MusicFontWarning()
{
    return CMMusicFont::Instance().Warning().toStdString();
}

CMChartFileWriter::CMChartFileWriter() : m_chart("Zimbrel.ini"), m_renderer(nullptr, m_chart)
{
    m_settings.Load();
    m_chart.Load();
}

CMChartViewChoices CMChartFileWriter::Choices(const CMMusicSong& song,
                                              const CMChartViewRequest& request) const
{
    return ChooseChartView(m_settings, song, request);
}

int CMChartFileWriter::PageCount(const CMMusicSong& song, const CMChartExportOptions& options) const
{
    return CountChartPages(song, options.showIntro, options.showVerse);
}

bool CMChartFileWriter::WriteChart(const CMMusicSong& song, const CMChartExportOptions& options,
                                   const std::string& path, std::string& error)
{
    m_chart.chordStyle = options.chordStyle;  // the view's chord style wins over the chart's copy
    QString reason;
    const bool written =
        ExportChart(song, m_renderer, options, QString::fromLocal8Bit(path.c_str()), reason);
    error = reason.toStdString();
    return written;
}

bool CMChartFileWriter::WriteSongbook(
    const std::vector<CMSongbookSong>& songs, const CMSongbookOptions& options,
    const std::string& path, std::string& error,
    const std::function<bool(std::size_t done, std::size_t total)>& progress)
{
    m_chart.chordStyle = options.chart.chordStyle;
    QString reason;
    const bool written = ExportSongbook(songs, m_renderer, options,
                                        QString::fromLocal8Bit(path.c_str()), reason, progress);
    error = reason.toStdString();
    return written;
}
