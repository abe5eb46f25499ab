// Audio export: see AudioRenderer.h.
#include "midi/playback/AudioRenderer.h"

#include "core/AtomicFile.h"
#include "midi/playback/FluidSynthSupport.h"
#include "midi/playback/SynthWorkShare.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <future>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kBufferFrames = 16384;   // rendered side by side and written at once
constexpr std::uint64_t kRingOutBlock = 1024;  // between looks at whether anything still sounds

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

int SoundFileFormat(CMAudioFormat format)
{
    switch (format) {
    case CMAudioFormat::Flac: return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    case CMAudioFormat::OggVorbis: return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    case CMAudioFormat::Wav: break;
    }
    return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
}

const char* FormatName(CMAudioFormat format)
{
    switch (format) {
    case CMAudioFormat::Flac: return "FLAC";
    case CMAudioFormat::OggVorbis: return "Ogg Vorbis";
    case CMAudioFormat::Wav: break;
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

// libsndfile writes the file through these calls on our own descriptor, so that a failing write
// keeps its reason: libsndfile's own messages for a full disk are "Unspecified internal error" and
// worse, depending on the format.
struct SoundSink {
    int fd = -1;
    int writeError = 0;  // errno of the first failed write

    static SoundSink& Of(void* data) { return *static_cast<SoundSink*>(data); }
    static sf_count_t Length(void* data)
    {
        struct stat status;
        return fstat(Of(data).fd, &status) == 0 ? status.st_size : -1;
    }
    static sf_count_t Seek(sf_count_t offset, int whence, void* data)
    {
        return lseek(Of(data).fd, offset, whence);
    }
    static sf_count_t Tell(void* data) { return lseek(Of(data).fd, 0, SEEK_CUR); }
    static sf_count_t Read(void* bytes, sf_count_t count, void* data)
    {
        const ssize_t read = ::read(Of(data).fd, bytes, static_cast<std::size_t>(count));
        return read < 0 ? 0 : read;
    }
    static sf_count_t Write(const void* bytes, sf_count_t count, void* data)
    {
        SoundSink& sink = Of(data);
        sf_count_t done = 0;
        while (done < count && sink.writeError == 0) {
            const ssize_t written = ::write(sink.fd, static_cast<const char*>(bytes) + done,
                                            static_cast<std::size_t>(count - done));
            if (written > 0)
                done += written;
            else if (written < 0 && errno != EINTR)
                sink.writeError = errno;
        }
        return done;
    }
};

SF_VIRTUAL_IO SoundSinkCalls()
{
    return SF_VIRTUAL_IO{SoundSink::Length, SoundSink::Seek, SoundSink::Read, SoundSink::Write,
                         SoundSink::Tell};
}

// One synthesizer and the channels it plays, with their events.
class SynthPart {
public:
    // A synthesizer with the SoundFont loaded and the channels set as `channels` says, on
    // settings of its own: FluidSynth's settings serve one synthesizer at a time (it keeps them
    // and hangs its own callbacks on them).
    bool Load(int sampleRate, const CMString& soundFont, const CMChannelMix& channels,
              CMString& error)
    {
        m_settings = NewSynthSettings(sampleRate);
        if (m_settings)
            m_synth = NewSynth(m_settings.get());
        if (!m_synth) {
            error = "FluidSynth cannot start a synthesizer.";
            return false;
        }
        if (!LoadSoundFont(m_synth.get(), soundFont, error))
            return false;
        ApplyChannelMix(m_synth.get(), channels);
        return true;
    }
    void Add(const CMTimedMidiEvent& event) { m_events.push_back(event); }
    // Sends the events before `start` that set programs and controllers; earlier notes are
    // left out with the silence they begin in.
    void Prepare(double start)
    {
        for (; m_next < m_events.size() && m_events[m_next].milliseconds < start; ++m_next)
            if ((m_events[m_next].status & 0xE0) != 0x80)
                SendToSynth(m_synth.get(), m_events[m_next]);
    }
    // Renders frames [from, to) into `out` (interleaved stereo), each event on its frame;
    // `frameOf` turns an event's time into its frame.
    template <typename FrameOf>
    void Render(std::uint64_t from, std::uint64_t to, float* out, const FrameOf& frameOf)
    {
        for (std::uint64_t frame = from; frame < to;) {
            for (; m_next < m_events.size() && frameOf(m_events[m_next]) <= frame; ++m_next)
                SendToSynth(m_synth.get(), m_events[m_next]);
            const std::uint64_t until =
                m_next < m_events.size() ? std::min(frameOf(m_events[m_next]), to) : to;
            float* const at = out + 2 * (frame - from);
            fluid_synth_write_float(m_synth.get(), static_cast<int>(until - frame), at, 0, 2, at, 1,
                                    2);
            frame = until;
        }
    }
    // Sends what is left: the events at the very end.
    void Finish()
    {
        for (; m_next < m_events.size(); ++m_next)
            SendToSynth(m_synth.get(), m_events[m_next]);
    }
    bool IsSounding() const { return fluid_synth_get_active_voice_count(m_synth.get()) > 0; }

private:
    CMFluidSettings m_settings;  // before the synthesizer, which uses them until it goes
    CMFluidSynth m_synth;
    std::vector<CMTimedMidiEvent> m_events;
    std::size_t m_next = 0;
};

// Plays the sequence into the synthesizers and their sound into the file, a buffer at a time.
// The synthesizers render side by side, each its share of the work (CMSynthWorkShare), and the
// file gets the sum.
class Renderer {
public:
    Renderer(const CMMidiSequence& sequence, int sampleRate,
             const std::function<void(double)>& progress)
        : m_sequence(sequence), m_framesPerMillisecond(sampleRate / 1000.0), m_progress(progress),
          m_mix(2 * kBufferFrames)
    {
        m_start = sequence.GetFirstNoteTime().value_or(0.0);
    }

    // Shares the work out among at most `mostParts` synthesizers, makes them and loads the
    // SoundFont into each, one after another: the synthesizers share FluidSynth's cache of
    // samples, whose lock is glib's and out of sight of the race checks, and loading takes
    // some 40 to 90 ms a synthesizer (with the dynamic loading of samples), little against a
    // render.
    bool Load(int sampleRate, const CMString& soundFont, const CMChannelMix& channels,
              std::size_t mostParts, CMString& error)
    {
        const CMSynthWorkShare share(m_sequence.GetEvents(), mostParts);
        m_parts.resize(share.GetPartCount());
        for (SynthPart& part : m_parts)
            if (!part.Load(sampleRate, soundFont, channels, error))
                return false;
        for (const CMTimedMidiEvent& event : m_sequence.GetEvents())
            m_parts[share.GetPartOf(event)].Add(event);
        for (SynthPart& part : m_parts)
            part.Prepare(m_start);
        return true;
    }

    bool Run(SNDFILE* file)
    {
        const std::uint64_t endFrame = FrameOf(m_sequence.GetLength());
        for (std::uint64_t frame = 0; frame < endFrame;) {
            const std::uint64_t until = std::min<std::uint64_t>(frame + kBufferFrames, endFrame);
            if (!RenderAndWrite(file, frame, until, 1.0f, 1.0f))
                return false;
            frame = until;
            if (m_progress)
                m_progress(static_cast<double>(frame) / static_cast<double>(endFrame));
        }
        for (SynthPart& part : m_parts)
            part.Finish();
        if (!RingOut(file, endFrame))
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

    // Runs `work(i)` for every part, the first on this thread and the others beside it.
    template <typename Work>
    void ForEachPart(const Work& work)
    {
        std::vector<std::future<void>> others;
        for (std::size_t i = 1; i < m_parts.size(); ++i)
            others.push_back(std::async(std::launch::async, work, i));
        work(0);
        for (std::future<void>& other : others)
            other.get();
    }

    // Renders frames [from, to) of every part, adds them up with a gain going from `fromGain`
    // to `toGain`, and writes them to the file.
    bool RenderAndWrite(SNDFILE* file, std::uint64_t from, std::uint64_t to, float fromGain,
                        float toGain)
    {
        const std::size_t count = static_cast<std::size_t>(to - from);
        m_partSound.resize(m_parts.size());
        const auto frameOf = [this](const CMTimedMidiEvent& event) {
            return FrameOf(event.milliseconds);
        };
        ForEachPart([&](std::size_t i) {
            m_partSound[i].resize(2 * count);
            m_parts[i].Render(from, to, m_partSound[i].data(), frameOf);
        });
        for (std::size_t frame = 0; frame < count; ++frame) {
            const float gain = fromGain + (toGain - fromGain) * static_cast<float>(frame) /
                                              static_cast<float>(count);
            for (std::size_t side = 0; side < 2; ++side) {
                float sum = 0.0f;
                for (const std::vector<float>& sound : m_partSound)
                    sum += sound[2 * frame + side];
                m_mix[2 * frame + side] = sum * gain;
            }
        }
        const auto frames = static_cast<sf_count_t>(count);
        return sf_writef_float(file, m_mix.data(), frames) == frames;
    }

    // The last notes ring on for at most half a beat, fading out, and end sooner when silent.
    bool RingOut(SNDFILE* file, std::uint64_t endFrame)
    {
        const std::uint64_t total = static_cast<std::uint64_t>(m_sequence.GetLastBeatLength() /
                                                               2.0 * m_framesPerMillisecond);
        const auto sounding = [this] {
            return std::any_of(m_parts.begin(), m_parts.end(),
                               [](const SynthPart& part) { return part.IsSounding(); });
        };
        for (std::uint64_t done = 0; done < total && sounding();) {
            const std::uint64_t count = std::min<std::uint64_t>(kRingOutBlock, total - done);
            const float from = 1.0f - static_cast<float>(done) / static_cast<float>(total);
            const float to = 1.0f - static_cast<float>(done + count) / static_cast<float>(total);
            if (!RenderAndWrite(file, endFrame + done, endFrame + done + count, from, to))
                return false;
            done += count;
        }
        return true;
    }

    const CMMidiSequence& m_sequence;
    const double m_framesPerMillisecond;
    const std::function<void(double)>& m_progress;
    double m_start = 0.0;  // the time in the sequence where the file starts
    std::vector<SynthPart> m_parts;
    std::vector<std::vector<float>> m_partSound;  // interleaved stereo, one buffer a part
    std::vector<float> m_mix;                     // what goes to the file
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
    Renderer renderer(sequence, options.sampleRate, options.progress);
    const std::size_t synthesizers = options.synthesizers > 0
                                         ? static_cast<std::size_t>(options.synthesizers)
                                         : std::max(1u, std::thread::hardware_concurrency());
    if (!renderer.Load(options.sampleRate, soundFontPath, options.channels, synthesizers, error))
        return false;

    CMString writeError;
    const auto write = [&](const char* temporaryPath) {
        SoundSink sink;
        sink.fd = open(temporaryPath, O_RDWR | O_CLOEXEC);
        if (sink.fd < 0)
            return false;
        SF_VIRTUAL_IO calls = SoundSinkCalls();
        SoundFile file(sf_open_virtual(&calls, SFM_WRITE, &info, &sink));
        bool written = file != nullptr;
        if (written) {
            sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
            written = renderer.Run(file.get());
            // libsndfile's own message only when no write failed: for Ogg Vorbis it has none
            // (and prints "Not a valid error number" on standard output when asked).
            if (!written && sink.writeError == 0)
                writeError = sf_strerror(file.get());
            // The header is completed here.
            written = sf_close(file.release()) == 0 && written;
        } else if (sink.writeError == 0) {
            writeError = sf_strerror(nullptr);
        }
        if (sink.writeError != 0)
            writeError = std::strerror(sink.writeError);
        written = close(sink.fd) == 0 && written && sink.writeError == 0;
        if (!written && writeError.IsEmpty())
            writeError = "the file could not be completed";
        return written;
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
