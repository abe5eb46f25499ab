// Songs on the terminal, for every command that reads songs: each message about a song starts
// with its path, as compilers write theirs ("Data/x.zimbrel: Error : line (5) parse error"), the
// lines after the first are kept as they are; errors and warnings go to standard error. Long work
// over several songs shows which song it is at on a terminal, and nothing when the output is
// piped. Several songs write into a folder, one file each, named after the song.
#pragma once

#include "app/CMSongDocument.h"
#include "cli/CliCommand.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// The --no-warnings switch of the commands that compile songs.
void DefineWarningsSwitch(CliOptions& options, bool& noWarnings);
// The song operands: `most` 1 for one song, 0 for any number.
void DefineSongOperands(CliOptions& options, std::vector<std::string>& songs, std::size_t most);

// `text` on `stream` with "PATH: " before its first line.
void WriteSongMessage(std::FILE* stream, const std::string& path, const std::string& text);

// Reads and compiles the song at `path`. On failure the reason is on standard error (and where
// the compiler stopped, when the last token says too little); on success the success line is on
// standard output when `successLine` says so, and the warnings on standard error unless
// `warnings` is false. True when the song compiled.
bool OpenSong(const std::string& path, CMSongDocument& document, bool warnings,
              bool successLine = false);

// "[3/500] Data/x.zimbrel" on standard error while a command works through several songs, when
// standard error is a terminal; the line is cleared at the end.
class CliProgress {
public:
    explicit CliProgress(std::size_t count);
    ~CliProgress();
    CliProgress(const CliProgress&) = delete;
    CliProgress& operator=(const CliProgress&) = delete;

    void Show(std::size_t index, const std::string& path);

private:
    std::size_t m_count;
    bool m_onTerminal;
};

// Where each song's result goes. With -o: for one song its file, unless it names a folder; for
// several songs a folder, holding NAME.EXTENSION for each song. Without -o, `beside(song)`. An
// empty path stands for a song whose result would overwrite another's (the reason is then on
// standard error). PlanOutputs makes no folder; MakeOutputFolder makes the one -o names when
// it is missing, and answers false, with the reason on standard error, when it cannot.
struct CliOutputRequest {
    std::vector<std::string> songs;
    std::optional<std::string> output;  // -o
    std::string extension;              // in a folder: "pdf", "wav", "midi"
};
std::vector<std::string> PlanOutputs(const CliOutputRequest& request,
                                     std::string (*beside)(const std::string& song));
bool MakeOutputFolder(const CliOutputRequest& request);

// True, with the reason on standard error, when an output is its own song's file under whatever
// name (a link, "./"): writing it would replace the song, so the command does nothing.
bool IsAnOutputTheSong(const std::string& command, const std::vector<std::string>& songs,
                       const std::vector<std::string>& outputs);
