// What the commands that perform a song share (midi, audio, play): reading one song file, the
// performance options and the command's own options; opening and compiling the song; and the
// performance's parameters, from ./Zimbrel.ini and the song, with the options applied over them.
#pragma once

#include "app/CMPerformanceSettings.h"
#include "app/CMSongDocument.h"
#include "cli/CliCommand.h"
#include "performance/CMMusicBand.h"

#include <functional>
#include <string>

class CMZimbrelIni;

struct CliSongPerformance {
    std::string file;
    CMSongDocument document;
    CMMusicBandList bands;
    const CMMusicBand* band = nullptr;
    CMPerformanceSettings performance;
};

// Takes one of a command's own options at arguments[index]: answers the number of arguments
// taken, 0 when the argument is none of its options, or -1 with a message in `error`.
using CliOptionTaker =
    std::function<int(const CliArguments& arguments, std::size_t index, std::string& error)>;

// Reads the arguments of `command`, opens and compiles the song and finds the band. Answers
// kExitDone when the song is ready to perform; otherwise the exit status, with the message
// already written to standard error.
int PrepareSongPerformance(const std::string& command, const CliArguments& arguments,
                           const CMZimbrelIni& settings, const CliOptionTaker& takeOwnOption,
                           CliSongPerformance& result);
