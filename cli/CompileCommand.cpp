// zimbrel-cli compile [--bars] FILE...: compiles each song and prints the compile command's report,
// optionally followed by the song's measures as the performance listing shows them.
#include "cli/CliCommand.h"

#include "app/CMSongDocument.h"
#include "music/SongListing.h"

#include <cstdio>

namespace {

// Success lines go to standard output, compiler errors to standard error.
class TerminalShell : public IMCompileShell {
public:
    explicit TerminalShell(std::FILE* stream) : m_stream(stream) {}
    void WriteOutput(const CMString& text) override
    {
        std::fputs(text.GetText(), m_stream);
        if (text.IsEmpty() || text[text.GetLength() - 1] != '\n')
            std::fputc('\n', m_stream);
    }
    void RepaintChart() override {}

private:
    std::FILE* m_stream;
};

}  // namespace

int RunCompileCommand(const CliArguments& arguments)
{
    bool bars = false;
    std::vector<std::string> files;
    for (const std::string& argument : arguments) {
        if (argument == "--bars")
            bars = true;
        else if (argument.size() > 1 && argument[0] == '-')
            return UsageError("compile: unknown option '" + argument + "'");
        else
            files.push_back(argument);
    }
    if (files.empty())
        return UsageError("compile: no song file given");

    int status = kExitDone;
    for (const std::string& file : files) {
        CMSongDocument document;
        CMString readError;
        if (!document.Open(file.c_str(), readError)) {
            std::fprintf(stderr, "%s\n", readError.GetText());
            status = kExitFailed;
            continue;
        }
        TerminalShell shell(document.IsCompiled() ? stdout : stderr);
        document.ReportOpening(shell);
        if (!document.IsCompiled()) {
            status = kExitFailed;
        } else if (bars) {
            CMString listing;
            AppendBarsListing(document.GetSong(), listing);
            std::fputs(listing.GetText(), stdout);
        }
    }
    return status;
}
