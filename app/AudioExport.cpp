// Audio export: see AudioExport.h.
#include "app/AudioExport.h"

#include "midi/playback/AudioRenderer.h"
#include "midi/playback/SoundFontSearch.h"

#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

// A temporary file that is removed with this object.
class TemporaryFile {
public:
    TemporaryFile()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zimbrel-XXXXXX.midi").string();
        const int fd = mkstemps(pattern.data(), 5);
        if (fd >= 0) {
            close(fd);
            m_path = pattern;
        }
    }
    ~TemporaryFile()
    {
        if (!m_path.empty())
            unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& Path() const { return m_path; }  // empty when none could be made

private:
    std::string m_path;
};

}  // namespace

bool IsAudioFileName(const char* path)
{
    return AudioFormatOf(path).has_value();
}

bool ExportAudio(const CMMusicSong& song, const CMMusicBand* band,
                 const CMPerformanceSettings& performance, const char* path,
                 const CMAudioExportOptions& options, CMString& error)
{
    const std::optional<CMAudioFormat> format = AudioFormatOf(path);
    if (!format) {
        error.Format("'%s' names no audio format: use .wav, .flac or .ogg.", path);
        return false;
    }
    if (!CanWriteAudioFormat(*format)) {
        error.Format("This system cannot write audio files like '%s'; .wav always works.", path);
        return false;
    }
    const CMString soundFont = FindSoundFont(options.soundFont, error);
    if (soundFont.IsEmpty())
        return false;
    const TemporaryFile midi;
    CMMidiSequence sequence;
    error = PerformanceRefusal(song, performance);
    if (!error.IsEmpty())
        return false;
    if (midi.Path().empty() ||
        !PerformSong(song, band, performance, midi.Path().c_str(), nullptr) ||
        !sequence.Load(midi.Path().c_str(), error)) {
        error = "The performance could not be written to a temporary MIDI file.";
        return false;
    }
    CMAudioRenderOptions renderOptions;
    renderOptions.progress = options.progress;
    renderOptions.channels = ChannelMixOf(performance.mixer);
    return RenderAudio(sequence, soundFont, path, *format, error, renderOptions);
}
