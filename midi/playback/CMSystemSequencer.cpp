// CMSystemSequencer: see CMSystemSequencer.h.
#include "midi/playback/CMSystemSequencer.h"

#include "midi/playback/SoundFontSearch.h"

#include <algorithm>
#include <climits>

namespace {

int Milliseconds(double value)
{
    return static_cast<int>(std::clamp(value, 0.0, static_cast<double>(INT_MAX)));
}

}  // namespace

CMSystemSequencer::CMSystemSequencer(CMSequencerOptions options)
    : m_options(std::move(options)), m_synthesizer(m_options.audio)
{
}

bool CMSystemSequencer::OpenAlsaPort(int port)
{
    const std::vector<CMAlsaPort> ports = ListAlsaWritablePorts();
    if (port < 1 || static_cast<std::size_t>(port) > ports.size())
        return false;
    CMString ignored;  // like a refused port command: playback falls back to the default output
    return m_alsa.Start(ports[static_cast<std::size_t>(port) - 1], m_sequence, ignored);
}

bool CMSystemSequencer::Open(const char* path, int port)
{
    Close();
    m_error = CMString();
    if (!m_sequence.Load(path, m_error))
        return false;
    if (port != 0 && OpenAlsaPort(port)) {
        m_output = Output::Alsa;
        return true;
    }
    const CMString soundFont = FindSoundFont(m_options.soundFont, m_error);
    if (soundFont.IsEmpty() || !m_synthesizer.Start(path, soundFont, m_error))
        return false;
    m_output = Output::BuiltIn;
    return true;
}

bool CMSystemSequencer::Play()
{
    switch (m_output) {
    case Output::BuiltIn: m_playing = m_synthesizer.Play(); break;
    case Output::Alsa: m_playing = m_alsa.Play(); break;
    case Output::None: m_playing = false; break;
    }
    return m_playing;
}

bool CMSystemSequencer::Close()
{
    if (m_output == Output::BuiltIn) {
        const CMString loadError = m_synthesizer.GetLoadError();
        if (!loadError.IsEmpty())
            m_error = loadError;
        m_synthesizer.Stop();
    } else if (m_output == Output::Alsa) {
        m_alsa.Stop();
    }
    m_output = Output::None;
    m_playing = false;
    return true;
}

CMString CMSystemSequencer::GetMode()
{
    bool finished = !m_playing;
    if (m_output == Output::BuiltIn && m_playing)
        finished = m_synthesizer.IsFinished();
    else if (m_output == Output::Alsa && m_playing)
        finished = m_alsa.IsFinished();
    return finished ? "stopped" : "playing";
}

int CMSystemSequencer::GetPosition()
{
    double position = 0.0;
    if (m_output == Output::BuiltIn)
        position = m_sequence.TickToMilliseconds(m_synthesizer.GetTick());
    else if (m_output == Output::Alsa)
        position = m_alsa.GetPosition();
    return Milliseconds(std::min(position, m_sequence.GetLength()));
}

int CMSystemSequencer::GetLength()
{
    return Milliseconds(m_sequence.GetLength());
}

CMString CMSystemSequencer::GetError()
{
    if (m_output == Output::BuiltIn && m_error.IsEmpty())
        return m_synthesizer.GetLoadError();
    return m_error;
}
