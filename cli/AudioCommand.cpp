// zimbrel-cli audio FILE -o OUT [PERF] [--soundfont SF2]: performs a song with a band and renders
// it with the built-in synthesizer into a WAV, FLAC or Ogg Vorbis file, told by OUT's extension.
#include "cli/CliCommand.h"
#include "cli/SongFile.h"
#include "cli/SongPerformance.h"

#include "app/AudioExport.h"
#include "midi/playback/AudioRenderer.h"
#include "settings/CMZimbrelIni.h"

#include <unistd.h>

#include <cstdio>

int RunAudioCommand(const CliArguments& arguments)
{
    CMZimbrelIni settings;
    settings.Load();
    std::string output;
    CMAudioExportOptions options;
    options.soundFont = settings.soundFont;
    const auto takeOwnOption = [&](const CliArguments& all, std::size_t i, std::string& error) {
        const bool isOutput = all[i] == "-o" || all[i] == "--output";
        if (!isOutput && all[i] != "--soundfont")
            return 0;
        if (i + 1 >= all.size()) {
            error = all[i] + (isOutput ? " needs a file name" : " needs a SoundFont file");
            return -1;
        }
        if (isOutput)
            output = all[i + 1];
        else
            options.soundFont = all[i + 1].c_str();
        return 2;
    };
    CliSongPerformance song;
    const int status = PrepareSongPerformance("audio", arguments, settings, takeOwnOption, song);
    if (status != kExitDone)
        return status;
    if (output.empty())
        return UsageError("audio: -o OUT names the audio file (.wav, .flac or .ogg)");
    if (!AudioFormatOf(output.c_str()))
        return UsageError("audio: '" + output + "' is not a .wav, .flac or .ogg file");
    if (IsTheSongItself("audio", song.document, output))
        return kExitUsage;

    const CMString title = song.document.GetTitle();
    if (isatty(STDERR_FILENO)) {
        options.progress = [&title](double fraction) {
            std::fprintf(stderr, "\rRendering '%s': %3.0f%%", title.GetText(), 100 * fraction);
        };
    }
    CMString error;
    const bool exported = ExportAudio(song.document.GetSong(), song.band, song.performance,
                                      output.c_str(), options, error);
    if (options.progress)
        std::fprintf(stderr, "\r\033[K");
    if (!exported) {
        std::fprintf(stderr, "Error : Cannot create audio file '%s'. %s\n", title.GetText(),
                     error.GetText());
        return kExitFailed;
    }
    std::printf("'%s' played by %s into %s\n", title.GetText(), song.band->GetName().GetText(),
                output.c_str());
    return kExitDone;
}
