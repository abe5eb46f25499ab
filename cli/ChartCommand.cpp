// zimbrel-cli chart FILE -o OUT.pdf|.png|.svg [options]: draws a song's lead sheet into a file,
// with the fonts, chord style, key kind, user key, intro and verse of ./Zimbrel.ini unless the
// options say otherwise. The grey notice of printed pages is left off unless asked for: a file
// is for playing from. Qt draws without a display: with neither DISPLAY nor WAYLAND_DISPLAY
// set it is told to work offscreen, so that nobody has to set QT_QPA_PLATFORM.
#include "cli/CliCommand.h"

#include "app/CMPerformanceSettings.h"
#include "app/CMSongDocument.h"
#include "app/ChartView.h"
#include "chart/SongDrawing.h"
#include "chart/qt/CMMusicFont.h"
#include "chart/qt/ChartExport.h"
#include "cli/PerformanceOptions.h"
#include "cli/SongFile.h"
#include "settings/CMZimbrelIni.h"
#include "settings/SettingsTable.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>

namespace {

struct ChartRequest {
    std::string song;
    std::string output;
    std::optional<int> page;
    std::optional<int> dotsPerInch;
    bool screen = false;
    std::optional<int> transposition;
    std::optional<int> keyKind;
    std::optional<int> chordStyle;
    bool noIntro = false;
    bool noVerse = false;
    bool notice = false;
};

const std::map<std::string, int> kKeyKinds = {
    {"concert", InstrumentConcert}, {"bb", InstrumentBFlat},       {"eb", InstrumentEFlat},
    {"user", InstrumentUserKey},    {"number", InstrumentNumbers},
};

std::optional<int> WholeNumber(const std::string& text, CMSettingRange range)
{
    long long value = 0;
    if (!ParseInteger(text, static_cast<long long>(range.lowest),
                      static_cast<long long>(range.highest), value))
        return std::nullopt;
    return static_cast<int>(value);
}

// Reads the arguments; answers an error text for bad usage, empty when they are fine.
std::string ParseRequest(const CliArguments& arguments, ChartRequest& request)
{
    struct Ranged {
        std::optional<int>* value;
        CMSettingRange range;
        std::string what;
    };
    // The view's transposition and the chord style setting give their ranges.
    const CMSetting& chordStyle = SettingOf("General", "ChordStyle");
    const std::map<std::string, Ranged> numbers = {
        {"--page", {&request.page, {1, 9999}, "a page number from 1"}},
        {"--dpi", {&request.dotsPerInch, {10, 600}, "a resolution from 10 to 600"}},
        {"--transpose",
         {&request.transposition, kTransposeRange, "semitones from " + kTransposeRange.Text()}},
        {"--chord-style",
         {&request.chordStyle, chordStyle.range, "a chord style: " + chordStyle.Allowed()}},
    };
    const std::map<std::string, bool*> switches = {
        {"--screen", &request.screen},
        {"--no-intro", &request.noIntro},
        {"--no-verse", &request.noVerse},
        {"--notice", &request.notice},
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (const auto flag = switches.find(argument); flag != switches.end()) {
            *flag->second = true;
        } else if (const auto number = numbers.find(argument); number != numbers.end()) {
            const Ranged& ranged = number->second;
            *ranged.value = hasValue ? WholeNumber(arguments[++i], ranged.range) : std::nullopt;
            if (!*ranged.value)
                return argument + " needs " + ranged.what;
        } else if (argument == "--key") {
            const auto kind = hasValue ? kKeyKinds.find(arguments[++i]) : kKeyKinds.end();
            if (kind == kKeyKinds.end())
                return "--key needs concert, bb, eb, user or number";
            request.keyKind = kind->second;
        } else if (argument == "-o") {
            if (!hasValue)
                return "-o needs a file name";
            request.output = arguments[++i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            return "unknown option '" + argument + "'";
        } else if (request.song.empty()) {
            request.song = argument;
        } else {
            return "one song at a time";
        }
    }
    if (request.song.empty())
        return "no song file given";
    if (request.output.empty())
        return "no output file given (-o OUT.pdf, OUT.png or OUT.svg)";
    const std::optional<CMChartFormat> format =
        ChartFormatOf(QString::fromLocal8Bit(request.output.c_str()));
    if (!format)
        return "the output file must end in .pdf, .png or .svg";
    if (request.dotsPerInch && *format != CMChartFormat::Png)
        return "--dpi is for PNG images";
    if (request.screen && request.page)
        return "--page and --screen do not go together: the screen view shows pages 1 and 2";
    return std::string();
}

// Qt draws offscreen when there is no display to talk to.
void ChooseQtPlatform()
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

// Qt's notes about its own set-up (a missing runtime folder of the offscreen platform) are no
// news for someone drawing a chart; real warnings still reach standard error.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg ||
        message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    std::fprintf(stderr, "zimbrel-cli: Qt: %s\n", qPrintable(message));
}

// The chart view's choices: the settings' key kind, user key, intro and verse, unless the
// options say otherwise, and the tempo the song is played at.
CMChartExportOptions ChartOptions(const ChartRequest& request, const CMZimbrelIni& settings,
                                  const CMMusicSong& song, std::uint8_t chordStyle)
{
    const int keyKind = request.keyKind.value_or(settings.instrumentType);
    CMChartExportOptions options;
    options.page = request.page.value_or(0);
    options.screen = request.screen;
    options.dotsPerInch = request.dotsPerInch.value_or(150);
    options.transposition =
        DisplayedTransposition(request.transposition.value_or(0), keyKind, settings.userDefinedKey);
    options.numerals = keyKind == InstrumentNumbers;
    options.chordStyle = chordStyle;
    options.showIntro = settings.intro && !request.noIntro;
    options.showVerse = settings.verse && !request.noVerse;
    options.printNotice = request.notice;
    options.tempo = DefaultPerformance(settings, song).tempo;
    return options;
}

// What the file holds, on standard output.
void ReportWritten(const std::string& output, const CMChartExportOptions& options, int pages)
{
    const bool pdf = ChartFormatOf(QString::fromLocal8Bit(output.c_str())) == CMChartFormat::Pdf;
    if (options.screen)
        std::printf("%s: the screen view\n", output.c_str());
    else if (pdf && options.page == 0)
        std::printf("%s: %d page%s\n", output.c_str(), pages, pages == 1 ? "" : "s");
    else
        std::printf("%s: page %d\n", output.c_str(), std::max(options.page, 1));
}

}  // namespace

int RunChartCommand(const CliArguments& arguments)
{
    ChartRequest request;
    if (const std::string problem = ParseRequest(arguments, request); !problem.empty())
        return UsageError("chart: " + problem);
    CMSongDocument document;
    if (!OpenCompiledSong(request.song, document))
        return kExitFailed;
    if (IsTheSongItself("chart", document, request.output))
        return kExitUsage;
    const CMMusicSong& song = document.GetSong();

    // As the chart view: the chart's fonts, the general chord style winning over the chart's
    // own copy.
    CMZimbrelIni settings;
    settings.Load();
    CMChartSettings chart("Zimbrel.ini");
    chart.Load();
    chart.chordStyle = static_cast<std::uint8_t>(request.chordStyle.value_or(settings.chordStyle));
    CMMusicDC renderer(nullptr, chart);
    const CMChartExportOptions options = ChartOptions(request, settings, song, chart.chordStyle);
    const int pages = CountChartPages(song, options.showIntro, options.showVerse);
    if (options.page > pages) {
        std::fprintf(stderr, "zimbrel-cli: chart: '%s' has %d page%s; there is no page %d\n",
                     request.song.c_str(), pages, pages == 1 ? "" : "s", options.page);
        return kExitFailed;
    }

    ChooseQtPlatform();
    qInstallMessageHandler(QtMessages);
    int argc = 1;
    char name[] = "zimbrel-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    const QString warning = CMMusicFont::Instance().Warning();
    if (!warning.isEmpty())
        std::fprintf(stderr, "zimbrel-cli: warning: %s\n", qPrintable(warning));

    QString error;
    if (!ExportChart(song, renderer, options, QString::fromLocal8Bit(request.output.c_str()),
                     error)) {
        std::fprintf(stderr, "zimbrel-cli: chart: cannot write '%s': %s\n", request.output.c_str(),
                     qPrintable(error));
        return kExitFailed;
    }
    ReportWritten(request.output, options, pages);
    return kExitDone;
}
