// zimbrel-cli songbook FILE... -o BOOK.pdf: many lead sheets in one PDF with a title page and
// contents, drawn with the chart's fonts and the choices the chart view makes from ./Zimbrel.ini
// unless the options say otherwise. A song that does not compile is named and left out; the book
// holds the others. Runs in zimbrel-cli-chart, the program that loads Qt.
#include "cli/ChartApplication.h"
#include "cli/HelperCommands.h"
#include "cli/SongFiles.h"

#include "app/ChartFiles.h"

#include <memory>

namespace {

// The songs that compile, in the order given; the others are named on standard error.
struct CompiledSongs {
    std::vector<std::unique_ptr<CMSongDocument>> documents;
    std::vector<CMSongbookSong> book;
    std::vector<std::string> paths;
    bool allCompiled = true;
};

CompiledSongs CompileSongs(const SongbookRequest& request, const CMChartFileWriter& writer)
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
                              writer.Choices(song, request.look).tempo});
        songs.paths.push_back(path);
        songs.documents.push_back(std::move(document));
    }
    return songs;
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

    CMChartFileWriter writer;
    const CompiledSongs songs = CompileSongs(request, writer);
    if (songs.book.empty())
        return Failure("songbook: no song compiled; no book is written");

    const CliChartApplication application;
    const CMChartViewChoices choices = writer.Choices(*songs.book.front().song, request.look);
    const CMExportKey key = ExportKeyFor(writer.Settings(), request.look.keyKind,
                                         request.look.transposition.value_or(0));
    const CMSongbookOptions options = SongbookOptionsFor(
        choices, key, QString::fromStdString(request.title.value_or("Songbook")), request.notice);
    CliProgress progress(songs.book.size());
    std::string error;
    const bool written = writer.WriteSongbook(songs.book, options, output, error,
                                              [&](std::size_t done, std::size_t total) {
                                                  if (done < total)
                                                      progress.Show(done, songs.paths[done]);
                                                  return true;
                                              });
    if (!written)
        return Failure("songbook: cannot write '" + output + "': " + error);
    std::printf("%s: %zu song%s\n", output.c_str(), songs.book.size(),
                songs.book.size() == 1 ? "" : "s");
    return songs.allCompiled ? kExitDone : kExitFailed;
}
