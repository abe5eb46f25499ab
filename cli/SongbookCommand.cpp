// zimbrel-cli songbook FILE... -o BOOK.pdf [--key concert|bb|eb|user] [--title TEXT]
// [--transpose N] [--chord-style 0-3] [--no-intro] [--no-verse] [--notice]: many lead sheets in
// one PDF with a title page and contents, drawn with the chart's fonts and choices of
// ./Zimbrel.ini unless the options say otherwise. A song that does not compile is named and left
// out; the book holds the others.
#include "cli/CliCommand.h"

#include "app/CMPerformanceSettings.h"
#include "app/CMSongDocument.h"
#include "app/SongExport.h"
#include "chart/qt/CMMusicFont.h"
#include "chart/qt/Songbook.h"
#include "cli/SongFile.h"
#include "settings/CMZimbrelIni.h"

#include <QGuiApplication>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

namespace {

struct SongbookRequest {
    std::vector<std::string> songs;
    std::string output;
    std::string title = "Songbook";
    int keyKind = -1;
    int transposition = 0;
    int chordStyle = -1;
    bool noIntro = false;
    bool noVerse = false;
    bool notice = false;
};

std::string ParseRequest(const CliArguments& arguments, SongbookRequest& request)
{
    static const std::map<std::string, int> kKeyKinds = {{"concert", InstrumentConcert},
                                                         {"bb", InstrumentBFlat},
                                                         {"eb", InstrumentEFlat},
                                                         {"user", InstrumentUserKey}};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        const std::string value = hasValue ? arguments[i + 1] : "";
        if (argument == "-o" || argument == "--title" || argument == "--key" ||
            argument == "--transpose" || argument == "--chord-style") {
            if (!hasValue)
                return argument + " needs a value";
            ++i;
        }
        if (argument == "-o") {
            request.output = value;
        } else if (argument == "--title") {
            request.title = value;
        } else if (argument == "--key") {
            const auto kind = kKeyKinds.find(value);
            if (kind == kKeyKinds.end())
                return "--key needs concert, bb, eb or user";
            request.keyKind = kind->second;
        } else if (argument == "--transpose" || argument == "--chord-style") {
            char* end = nullptr;
            const long number = std::strtol(value.c_str(), &end, 10);
            const bool transpose = argument == "--transpose";
            if (*end || value.empty() || number < (transpose ? -7 : 0) ||
                number > (transpose ? 7 : 3))
                return argument + (transpose ? " needs semitones from -7 to 7" : " needs 0 to 3");
            (transpose ? request.transposition : request.chordStyle) = static_cast<int>(number);
        } else if (argument == "--no-intro" || argument == "--no-verse" || argument == "--notice") {
            (argument == "--no-intro"   ? request.noIntro
             : argument == "--no-verse" ? request.noVerse
                                        : request.notice) = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            return "unknown option '" + argument + "'";
        } else {
            request.songs.push_back(argument);
        }
    }
    if (request.songs.empty())
        return "no song file given";
    if (request.output.empty())
        return "no output file given (-o BOOK.pdf)";
    if (request.output.size() < 4 || request.output.substr(request.output.size() - 4) != ".pdf")
        return "the book is a PDF: the output file must end in .pdf";
    return "";
}

}  // namespace

namespace {

// Qt's notes about its own set-up (the offscreen runtime folder) are no news here.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg &&
        !message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        std::fprintf(stderr, "zimbrel-cli: Qt: %s\n", qPrintable(message));
}

}  // namespace

int RunSongbookCommand(const CliArguments& arguments)
{
    SongbookRequest request;
    if (const std::string problem = ParseRequest(arguments, request); !problem.empty())
        return UsageError("songbook: " + problem);
    CMZimbrelIni settings;
    settings.Load();
    CMChartSettings chart("Zimbrel.ini");
    chart.Load();
    chart.chordStyle = static_cast<std::uint8_t>(request.chordStyle >= 0 ? request.chordStyle
                                                                         : settings.chordStyle);
    const int keyKind = request.keyKind >= 0 ? request.keyKind : settings.instrumentType;
    const CMExportKey key = ExportKeyFor(keyKind, request.transposition, settings.userDefinedKey);

    std::vector<std::unique_ptr<CMSongDocument>> documents;
    std::vector<CMSongbookSong> book;
    bool failed = false;
    for (const std::string& file : request.songs) {
        auto document = std::make_unique<CMSongDocument>();
        if (!OpenCompiledSong(file, *document)) {
            std::fprintf(stderr, "zimbrel-cli: songbook: '%s' is left out of the book\n",
                         file.c_str());
            failed = true;
            continue;
        }
        if (IsTheSongItself("songbook", *document, request.output))
            return kExitUsage;
        const CMMusicSong& song = document->GetSong();
        book.push_back({&song, QString::fromStdString(SongTitleOf(song)),
                        DefaultPerformance(settings, song).tempo});
        documents.push_back(std::move(document));
    }

    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QtMessages);
    int argc = 1;
    char name[] = "zimbrel-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    if (const QString warning = CMMusicFont::Instance().Warning(); !warning.isEmpty())
        std::fprintf(stderr, "zimbrel-cli: warning: %s\n", qPrintable(warning));

    CMMusicDC renderer(nullptr, chart);
    CMSongbookOptions options;
    options.title = QString::fromStdString(request.title);
    options.edition = QString::fromStdString(key.edition);
    options.chart.transposition = key.transposition;
    options.chart.chordStyle = chart.chordStyle;
    options.chart.showIntro = settings.intro && !request.noIntro;
    options.chart.showVerse = settings.verse && !request.noVerse;
    options.chart.printNotice = request.notice;
    const bool terminal = isatty(STDERR_FILENO) != 0;
    QString error;
    const bool written =
        ExportSongbook(book, renderer, options, QString::fromLocal8Bit(request.output.c_str()),
                       error, [terminal](std::size_t done, std::size_t total) {
                           if (terminal)
                               std::fprintf(stderr, "\rsongbook: %zu of %zu songs%s", done, total,
                                            done == total ? "\n" : "");
                           return true;
                       });
    if (!written) {
        std::fprintf(stderr, "zimbrel-cli: songbook: cannot write '%s': %s\n",
                     request.output.c_str(), qPrintable(error));
        return kExitFailed;
    }
    std::printf("%s: %zu song%s\n", request.output.c_str(), book.size(), book.size() == 1 ? "" : "s");
    return failed ? kExitFailed : kExitDone;
}
