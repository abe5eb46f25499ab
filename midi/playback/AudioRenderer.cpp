// Audio export: see AudioRenderer.h.
#include "midi/playback/AudioRenderer.h"

#include "core/AtomicFile.h"
#include "midi/playback/FluidSynthSupport.h"

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kBufferFrames = 16384;  // written to the file at once
constexpr std::size_t kRingOutBlock = 64;     // FluidSynth's own block

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

int SoundFileFormat(CMAudioFormat format)
{
    switch (format) {
    case CMAudioFormat::Flac:
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    case CMAudioFormat::OggVorbis:
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    case CMAudioFormat::Wav:
        break;
    }
    return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
}

const char* FormatName(CMAudioFormat format)
{
    switch (format) {
    case CMAudioFormat::Flac:
        return "FLAC";
    case CMAudioFormat::OggVorbis:
        return "Ogg Vorbis";
    case CMAudioFormat::Wav:
        break;
    }
    return "WAV";
}

SF_INFO FileInfo(CMAudioFormat format, int sampleRate)
{
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    info.samplerate = sampleRate;
    info.channels = 2;
    info.format = SoundFileFormat(format);
    return info;
}

// Plays the sequence into the synthesizer and its sound into the file, block by block.
class Renderer {
public:
    Renderer(fluid_synth_t* synth, const CMMidiSequence& sequence, int sampleRate,
             const std::function<void(double)>& progress)
        : m_synth(synth), m_sequence(sequence), m_framesPerMillisecond(sampleRate / 1000.0),
          m_progress(progress), m_buffer(2 * kBufferFrames)
    {
    }

    bool Run(SNDFILE* file)
    {
        m_file = file;
        const std::vector<CMTimedMidiEvent>& events = m_sequence.GetEvents();
        m_start = m_sequence.GetFirstNoteTime().value_or(0.0);
        // Programs and controllers set before the first note still count; earlier notes do not.
        std::size_t next = 0;
        for (; next < events.size() && events[next].milliseconds < m_start; ++next)
            if ((events[next].status & 0xE0) != 0x80)
                SendToSynth(m_synth, events[next]);

        const std::uint64_t endFrame = FrameOf(m_sequence.GetLength());
        std::uint64_t frame = 0;
        while (frame < endFrame) {
            for (; next < events.size() && FrameOf(events[next].milliseconds) <= frame; ++next)
                SendToSynth(m_synth, events[next]);
            const std::uint64_t until = next < events.size()
                                            ? std::min(FrameOf(events[next].milliseconds), endFrame)
                                            : endFrame;
            const std::size_t count = static_cast<std::size_t>(
                std::min<std::uint64_t>(until - frame, kBufferFrames - m_filled));
            if (!Render(count, 1.0f, 1.0f))
                return false;
            frame += count;
            if (m_progress && m_filled == 0)
                m_progress(static_cast<double>(frame) / static_cast<double>(endFrame));
        }
        for (; next < events.size(); ++next)
            SendToSynth(m_synth, events[next]);
        if (!RingOut() || !Flush())
            return false;
        if (m_progress)
            m_progress(1.0);
        return true;
    }

private:
    std::uint64_t FrameOf(double milliseconds) const
    {
        return static_cast<std::uint64_t>(
            std::llround(std::max(0.0, milliseconds - m_start) * m_framesPerMillisecond));
    }

    // Renders `count` frames into the buffer, their gain going from `fromGain` to `toGain`, and
    // writes the buffer out whenever it is full.
    bool Render(std::size_t count, float fromGain, float toGain)
    {
        float* const out = m_buffer.data() + 2 * m_filled;
        fluid_synth_write_float(m_synth, static_cast<int>(count), out, 0, 2, out, 1, 2);
        if (fromGain != 1.0f || toGain != 1.0f) {
            for (std::size_t i = 0; i < count; ++i) {
                const float gain = fromGain + (toGain - fromGain) * static_cast<float>(i) /
                                                  static_cast<float>(count);
                out[2 * i] *= gain;
                out[2 * i + 1] *= gain;
            }
        }
        m_filled += count;
        return m_filled < kBufferFrames || Flush();
    }

    bool Flush()
    {
        const sf_count_t frames = static_cast<sf_count_t>(m_filled);
        m_filled = 0;
        return sf_writef_float(m_file, m_buffer.data(), frames) == frames;
    }

    // The last notes ring on for at most half a beat, fading out, and end sooner when silent.
    bool RingOut()
    {
        const std::size_t total =
            static_cast<std::size_t>(m_sequence.GetLastBeatLength() / 2.0 * m_framesPerMillisecond);
        for (std::size_t done = 0;
             done < total && fluid_synth_get_active_voice_count(m_synth) > 0;) {
            const std::size_t count =
                std::min({kRingOutBlock, total - done, kBufferFrames - m_filled});
            const float from = 1.0f - static_cast<float>(done) / static_cast<float>(total);
            const float to = 1.0f - static_cast<float>(done + count) / static_cast<float>(total);
            if (!Render(count, from, to))
                return false;
            done += count;
        }
        return true;
    }

    fluid_synth_t* m_synth;
    const CMMidiSequence& m_sequence;
    const double m_framesPerMillisecond;
    const std::function<void(double)>& m_progress;
    std::vector<float> m_buffer;  // interleaved stereo
    std::size_t m_filled = 0;     // frames in the buffer
    double m_start = 0.0;         // the time in the sequence where the file starts
    SNDFILE* m_file = nullptr;
};

}  // namespace

std::optional<CMAudioFormat> AudioFormatOf(const CMString& path)
{
    const std::string name = path.ToLower().Str();
    const auto endsWith = [&name](const char* extension) {
        const std::size_t length = std::strlen(extension);
        return name.size() > length && name.compare(name.size() - length, length, extension) == 0;
    };
    if (endsWith(".wav"))
        return CMAudioFormat::Wav;
    if (endsWith(".flac"))
        return CMAudioFormat::Flac;
    if (endsWith(".ogg") || endsWith(".oga"))
        return CMAudioFormat::OggVorbis;
    return std::nullopt;
}

bool CanWriteAudioFormat(CMAudioFormat format)
{
    const SF_INFO info = FileInfo(format, 44100);
    return sf_format_check(&info) != 0;
}

bool RenderAudio(const CMMidiSequence& sequence, const CMString& soundFontPath, const char* path,
                 CMAudioFormat format, CMString& error, const CMAudioRenderOptions& options)
{
    SF_INFO info = FileInfo(format, options.sampleRate);
    if (!sf_format_check(&info)) {
        error.Format("This system's libsndfile cannot write %s files.", FormatName(format));
        return false;
    }
    const CMFluidSettings settings = NewSynthSettings(options.sampleRate);
    const CMFluidSynth synth(settings ? new_fluid_synth(settings.get()) : nullptr);
    if (!synth) {
        error = "FluidSynth cannot start a synthesizer.";
        return false;
    }
    if (!LoadSoundFont(synth.get(), soundFontPath, error))
        return false;

    CMString writeError;
    const auto write = [&](const char* temporaryPath) {
        SoundFile file(sf_open(temporaryPath, SFM_WRITE, &info));
        if (!file) {
            writeError = sf_strerror(nullptr);
            return false;
        }
        sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
        Renderer renderer(synth.get(), sequence, options.sampleRate, options.progress);
        if (!renderer.Run(file.get())) {
            writeError = sf_strerror(file.get());
            return false;
        }
        if (sf_close(file.release()) != 0) {  // the header is completed here
            writeError = "the file could not be completed";
            return false;
        }
        return true;
    };
    errno = 0;
    if (!WriteFileAtomicallyWith(path, write)) {
        const char* reason = !writeError.IsEmpty() ? writeError.GetText()
                             : errno               ? std::strerror(errno)
                                                   : "write error";
        error.Format("Cannot write the audio file '%s': %s.", path, reason);
        return false;
    }
    return true;
}
