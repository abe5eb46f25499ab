// zimbrel-cli songbook FILE... -o BOOK.pdf: many lead sheets in one PDF with a title page and
// contents, drawn with the chart's fonts and the choices the chart view makes from ./Zimbrel.ini
// unless the options say otherwise. A song that does not compile is named and left out; the book
// holds the others. Runs in zimbrel-cli-chart, the program that loads Qt.
#include "cli/ChartApplication.h"
#include "cli/HelperCommands.h"
#include "cli/SongFiles.h"

#include "app/ChartView.h"
#include "app/SongExport.h"
#include "chart/qt/Songbook.h"
#include "settings/CMChartSettings.h"
#include "settings/CMZimbrelIni.h"

#include <memory>

namespace {

// The songs that compile, in the order given; the others are named on standard error.
struct CompiledSongs {
    std::vector<std::unique_ptr<CMSongDocument>> documents;
    std::vector<CMSongbookSong> book;
    std::vector<std::string> paths;
    bool allCompiled = true;
};

CompiledSongs CompileSongs(const SongbookRequest& request, const CMZimbrelIni& settings)
{
    CompiledSongs songs;
    CliProgress progress(request.songs.size());
    for (std::size_t i = 0; i < request.songs.size(); ++i) {
        const std::string& path = request.songs[i];
        progress.Show(i, path);
        auto document = std::make_unique<CMSongDocument>();
        if (!OpenSong(path, *document, !request.noWarnings)) {
            WriteSongMessage(stderr, path, "left out of the book");
            songs.allCompiled = false;
            continue;
        }
        const CMMusicSong& song = document->GetSong();
        songs.book.push_back({&song, QString::fromStdString(SongTitleOf(song)),
                              ChooseChartView(settings, song, request.look).tempo});
        songs.paths.push_back(path);
        songs.documents.push_back(std::move(document));
    }
    return songs;
}

// The book's options: the view's choices (the same for every song) and the edition's name.
CMSongbookOptions BookOptions(const SongbookRequest& request, const CMZimbrelIni& settings,
                              const CMChartViewChoices& choices)
{
    CMSongbookOptions options;
    options.title = QString::fromStdString(request.title.value_or("Songbook"));
    const CMExportKey key =
        ExportKeyFor(request.look.keyKind.value_or(settings.instrumentType),
                     request.look.transposition.value_or(0), settings.userDefinedKey);
    options.edition =
        QString::fromStdString(choices.numerals ? "Chords as scale degrees" : key.edition);
    options.chart.transposition = choices.transposition;
    options.chart.numerals = choices.numerals;
    options.chart.chordStyle = choices.chordStyle;
    options.chart.showIntro = choices.showIntro;
    options.chart.showVerse = choices.showVerse;
    options.chart.printNotice = request.notice;
    return options;
}

}  // namespace

int RunSongbookCommand(const SongbookRequest& request)
{
    if (!request.output)
        return UsageError("songbook", "no output given (-o BOOK.pdf)");
    const std::string& output = *request.output;
    if (output.size() < 5 || output.compare(output.size() - 4, 4, ".pdf") != 0)
        return UsageError("songbook", "the book is a PDF: the output file must end in .pdf");
    if (IsAnOutputTheSong("songbook", request.songs,
                          std::vector<std::string>(request.songs.size(), output)))
        return kExitUsage;

    CMZimbrelIni settings;
    settings.Load();
    const CompiledSongs songs = CompileSongs(request, settings);
    if (songs.book.empty())
        return Failure("songbook: no song compiled; no book is written");

    const CliChartApplication application;
    CMChartSettings chart("Zimbrel.ini");
    chart.Load();
    const CMChartViewChoices choices =
        ChooseChartView(settings, *songs.book.front().song, request.look);
    chart.chordStyle = choices.chordStyle;
    CMMusicDC renderer(nullptr, chart);
    CliProgress progress(songs.book.size());
    QString error;
    const bool written = ExportSongbook(
        songs.book, renderer, BookOptions(request, settings, choices),
        QString::fromLocal8Bit(output.c_str()), error, [&](std::size_t done, std::size_t total) {
            if (done < total)
                progress.Show(done, songs.paths[done]);
            return true;
        });
    if (!written)
        return Failure("songbook: cannot write '" + output + "': " + error.toStdString());
    std::printf("%s: %zu song%s\n", output.c_str(), songs.book.size(),
                songs.book.size() == 1 ? "" : "s");
    return songs.allCompiled ? kExitDone : kExitFailed;
}
