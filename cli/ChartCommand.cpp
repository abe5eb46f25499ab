// zimbrel-cli chart FILE... -o OUT: draws lead sheets into PDF, PNG or SVG files, with the choices
// the chart view makes from ./Zimbrel.ini and the options over them (ChooseChartView). The grey
// notice of printed pages is left off unless asked for: a file is for playing from. Runs in
// zimbrel-cli-chart, the program that loads Qt.
#include "cli/ChartApplication.h"
#include "cli/HelperCommands.h"
#include "cli/SongFiles.h"

#include "app/ChartFiles.h"

#include <algorithm>

namespace {

// Usage the options alone cannot tell: answers an error text, empty when the request is fine.
std::string CheckRequest(const ChartRequest& request, const std::vector<std::string>& outputs)
{
    if (!request.output)
        return "no output given (-o OUT.pdf, OUT.png or OUT.svg, or a folder)";
    for (const std::string& output : outputs) {
        if (output.empty())
            continue;
        const std::optional<CMChartFormat> format = ChartFormatOfFile(output);
        if (!format)
            return "the output file must end in .pdf, .png or .svg";
        if (request.dotsPerInch && *format != CMChartFormat::Png)
            return "--dpi is for PNG images";
    }
    if (request.screen && request.page)
        return "--page and --screen do not go together: the screen view shows pages 1 and 2";
    return std::string();
}

std::string NoFile(const std::string&)
{
    return std::string();
}

CMChartExportOptions ExportOptions(const ChartRequest& request, const CMChartViewChoices& choices)
{
    CMChartExportOptions options = ChartExportOptionsFor(choices);
    options.page = request.page.value_or(0);
    options.screen = request.screen;
    options.dotsPerInch = request.dotsPerInch.value_or(150);
    options.printNotice = request.notice;
    return options;
}

// What the file holds, on standard output.
void ReportWritten(const std::string& song, const std::string& output,
                   const CMChartExportOptions& options, int pages)
{
    std::string what = "page " + std::to_string(std::max(options.page, 1));
    if (options.screen)
        what = "the screen view";
    else if (ChartFormatOfFile(output) == CMChartFormat::Pdf && options.page == 0)
        what = std::to_string(pages) + (pages == 1 ? " page" : " pages");
    WriteSongMessage(stdout, song, output + ": " + what);
}

// Draws `song` into `output` as the chart view does, with the chart's fonts and the general chord
// style winning over the chart's own copy.
bool DrawChart(const ChartRequest& request, CMChartFileWriter& writer, const std::string& song,
               const std::string& output)
{
    CMSongDocument document;
    if (output.empty() || !OpenSong(song, document, !request.noWarnings))
        return false;
    const CMChartExportOptions options =
        ExportOptions(request, writer.Choices(document.GetSong(), request.look));
    const int pages = writer.PageCount(document.GetSong(), options);
    if (options.page > pages) {
        WriteSongMessage(stderr, song,
                         "Error : it has " + std::to_string(pages) + " page" +
                             (pages == 1 ? "" : "s") + "; there is no page " +
                             std::to_string(options.page));
        return false;
    }
    std::string error;
    if (!writer.WriteChart(document.GetSong(), options, output, error)) {
        WriteSongMessage(stderr, song, "Error : cannot write '" + output + "': " + error);
        return false;
    }
    ReportWritten(song, output, options, pages);
    return true;
}

}  // namespace

int RunChartCommand(const ChartRequest& request)
{
    const CliOutputRequest files{
        request.songs, request.output,
        ChartFormats()[static_cast<std::size_t>(request.format.value_or(0))].word};
    const std::vector<std::string> outputs = PlanOutputs(files, NoFile);
    if (const std::string problem = CheckRequest(request, outputs); !problem.empty())
        return UsageError("chart", problem);
    if (IsAnOutputTheSong("chart", request.songs, outputs))
        return kExitUsage;
    if (!MakeOutputFolder(files))
        return kExitFailed;

    const CliChartApplication application;

    CMChartFileWriter writer;
    int status = kExitDone;
    CliProgress progress(request.songs.size());
    for (std::size_t i = 0; i < request.songs.size(); ++i) {
        progress.Show(i, request.songs[i]);
        if (!DrawChart(request, writer, request.songs[i], outputs[i]))
            status = kExitFailed;
    }
    return status;
}
