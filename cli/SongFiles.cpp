// Songs on the terminal: see SongFiles.h.
#include "cli/SongFiles.h"

#include "core/CMFile.h"

#include <unistd.h>

#include <filesystem>
#include <set>
#include <system_error>

namespace {

// A progress line stands on the terminal: the next message replaces it.
bool g_progressShown = false;

// The document's report on the terminal: errors and warnings on standard error, the success line
// on standard output (when wanted), each after the song's path.
class TerminalShell : public IMCompileShell {
public:
    TerminalShell(const std::string& path, bool successLine)
        : m_path(path), m_successLine(successLine)
    {
    }
    void WriteOutput(const CMString& text) override
    {
        const bool problem =
            text.View().rfind("Error", 0) == 0 || text.View().rfind("warning:", 0) == 0;
        if (problem || m_successLine)
            WriteSongMessage(problem ? stderr : stdout, m_path, text.Str());
    }
    void RepaintChart() override {}

private:
    const std::string& m_path;
    bool m_successLine;
};

}  // namespace

void DefineWarningsSwitch(CliOptions& options, bool& noWarnings)
{
    options.Switch("--no-warnings", noWarnings,
                   "Leave out the warnings about charts that compile but may be misread");
}

void DefineSongOperands(CliOptions& options, std::vector<std::string>& songs, std::size_t most)
{
    options.Operands("FILE", songs, 1, most,
                     most == 1 ? "The song file (.zimbrel)" : "The song files (.zimbrel)",
                     CliCompletion::Song);
}

void WriteSongMessage(std::FILE* stream, const std::string& path, const std::string& text)
{
    if (g_progressShown) {
        std::fputs("\r\033[K", stderr);
        g_progressShown = false;
    }
    if (stream == stderr)
        std::fflush(stdout);  // in the order they were written, also through one pipe
    std::fprintf(stream, "%s: %s", path.c_str(), text.c_str());
    if (text.empty() || text.back() != '\n')
        std::fputc('\n', stream);
}

bool OpenSong(const std::string& path, CMSongDocument& document, bool warnings, bool successLine)
{
    CMString readError;
    if (!document.Open(path.c_str(), readError)) {
        WriteSongMessage(stderr, path, readError.Str());
        return false;
    }
    TerminalShell shell(path, successLine);
    document.ReportOpening(shell, warnings);
    if (!document.IsCompiled()) {
        std::fputs(document.GetErrorContext().GetText(), stderr);
        return false;
    }
    return true;
}

CliProgress::CliProgress(std::size_t count)
    : m_count(count), m_onTerminal(count > 1 && isatty(STDERR_FILENO))
{
}

CliProgress::~CliProgress()
{
    if (g_progressShown)
        std::fputs("\r\033[K", stderr);
    g_progressShown = false;
}

void CliProgress::Show(std::size_t index, const std::string& path)
{
    if (!m_onTerminal)
        return;
    std::fflush(stdout);
    std::fprintf(stderr, "\r\033[K[%zu/%zu] %s", index + 1, m_count, path.c_str());
    std::fflush(stderr);
    g_progressShown = true;
}

namespace {

bool IntoFolder(const CliOutputRequest& request)
{
    std::error_code error;
    return request.output &&
           (request.songs.size() > 1 || std::filesystem::is_directory(*request.output, error));
}

}  // namespace

std::vector<std::string> PlanOutputs(const CliOutputRequest& request,
                                     std::string (*beside)(const std::string& song))
{
    const bool intoFolder = IntoFolder(request);
    std::vector<std::string> outputs;
    std::set<std::string> taken;
    for (const std::string& song : request.songs) {
        std::string output = beside(song);
        if (intoFolder)
            output = (std::filesystem::path(*request.output) /
                      (CMString::GetFileTitle(song.c_str()).Str() + "." + request.extension))
                         .string();
        else if (request.output)
            output = *request.output;
        if (!taken.insert(output).second) {
            WriteSongMessage(stderr, song,
                             "Error : another song of the command writes '" + output + "' too");
            output.clear();
        }
        outputs.push_back(output);
    }
    return outputs;
}

bool IsAnOutputTheSong(const std::string& command, const std::vector<std::string>& songs,
                       const std::vector<std::string>& outputs)
{
    for (std::size_t i = 0; i < songs.size(); ++i) {
        if (!CMFile::IsSameFile(outputs[i].c_str(), songs[i].c_str()))
            continue;
        UsageError(command, "'" + outputs[i] + "' is the song itself; name another output file");
        return true;
    }
    return false;
}

bool MakeOutputFolder(const CliOutputRequest& request)
{
    std::error_code error;
    if (!IntoFolder(request) || std::filesystem::is_directory(*request.output, error) ||
        std::filesystem::create_directories(*request.output, error))
        return true;
    Failure("cannot make the folder '" + *request.output + "': " + error.message());
    return false;
}
