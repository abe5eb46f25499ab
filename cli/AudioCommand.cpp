// zimbrel-cli audio FILE... -o OUT [PERF] [--soundfont SF2]: performs songs with a band and
// renders them with the built-in synthesizer into WAV, FLAC or Ogg Vorbis files, told by the
// extension (or --format in a folder). Runs in zimbrel-cli-sound, which loads FluidSynth and
// libsndfile.
#include "cli/HelperCommands.h"
#include "cli/SongCommands.h"
#include "cli/SongFiles.h"

#include "app/AudioExport.h"
#include "app/CMSongPerformer.h"

#include <unistd.h>

namespace {

std::string NoFile(const std::string&)
{
    return std::string();
}

bool RenderOne(const CMSongPerformer& performer, const AudioRequest& request,
               const CMAudioExportOptions& renderOptions, const std::string& song,
               const std::string& output)
{
    CMSongDocument document;
    if (output.empty() || !OpenSong(song, document, !request.noWarnings))
        return false;
    const CMString title = document.GetTitle();
    CMAudioExportOptions options = renderOptions;
    if (isatty(STDERR_FILENO)) {
        options.progress = [&title](double fraction) {
            std::fprintf(stderr, "\r\033[KRendering '%s': %3.0f%%", title.GetText(),
                         100 * fraction);
        };
    }
    CMString error;
    const bool exported =
        ExportAudio(document.GetSong(), performer.GetBand(),
                    performer.PerformanceOf(document.GetSong()), output.c_str(), options, error);
    if (options.progress)
        std::fprintf(stderr, "\r\033[K");
    if (!exported) {
        WriteSongMessage(stderr, song,
                         "Error : Cannot create audio file '" + title.Str() + "'. " + error.Str());
        return false;
    }
    WriteSongMessage(stdout, song,
                     "'" + title.Str() + "' played by " + performer.GetBand()->GetName().Str() +
                         " into " + output);
    return true;
}

}  // namespace

int RunAudioCommand(const AudioRequest& request)
{
    if (!request.output)
        return UsageError("audio",
                          "-o OUT names the audio file (.wav, .flac or .ogg), or a folder");
    const CliOutputRequest files{
        request.songs, request.output,
        AudioFormats()[static_cast<std::size_t>(request.format.value_or(0))].word};
    const std::vector<std::string> outputs = PlanOutputs(files, NoFile);
    for (const std::string& output : outputs)
        if (!output.empty() && !IsAudioFileName(output.c_str()))
            return UsageError("audio", "'" + output + "' is not a .wav, .flac or .ogg file");
    if (IsAnOutputTheSong("audio", request.songs, outputs))
        return kExitUsage;
    CMPerformanceChoices choices = request.performance;
    std::string error;
    if (!ApplyVolumeOption(request.volume, choices, error))
        return UsageError("audio", error);
    CMSongPerformer performer(choices);
    if (!performer.FindBand(error))
        return UsageError("audio", error);
    if (!MakeOutputFolder(files))
        return kExitFailed;

    CMAudioExportOptions options;
    options.soundFont =
        request.soundFont ? CMString(*request.soundFont) : performer.GetSettings().soundFont;
    int status = kExitDone;
    CliProgress progress(request.songs.size());
    for (std::size_t i = 0; i < request.songs.size(); ++i) {
        progress.Show(i, request.songs[i]);
        if (!RenderOne(performer, request, options, request.songs[i], outputs[i]))
            status = kExitFailed;
    }
    return status;
}
