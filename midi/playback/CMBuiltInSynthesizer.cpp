// CMBuiltInSynthesizer: see CMBuiltInSynthesizer.h.
#include "midi/playback/CMBuiltInSynthesizer.h"

#include "midi/playback/AlsaSequencerPorts.h"

#include <algorithm>

namespace {

constexpr int kSampleRate = 44100;
// After the last event, notes ring out until every voice has ended, but not longer than this.
constexpr auto kLongestRingOut = std::chrono::milliseconds(2000);

const char* DriverTitle(const std::string& driver)
{
    if (driver == "pipewire")
        return "PipeWire";
    if (driver == "pulseaudio")
        return "PulseAudio";
    if (driver == "alsa")
        return "ALSA";
    return driver.c_str();
}

std::vector<std::string> BuiltInDrivers(fluid_settings_t* settings)
{
    std::vector<std::string> drivers;
    fluid_settings_foreach_option(
        settings, "audio.driver", &drivers, [](void* data, const char*, const char* option) {
            static_cast<std::vector<std::string>*>(data)->push_back(option);
        });
    return drivers;
}

}  // namespace

CMBuiltInSynthesizer::CMBuiltInSynthesizer(CMAudioOutputOptions options)
    : m_options(std::move(options))
{
}

CMBuiltInSynthesizer::~CMBuiltInSynthesizer()
{
    Stop();
    WaitForLoader();
}

void CMBuiltInSynthesizer::WaitForLoader()
{
    if (m_loader.joinable())
        m_loader.join();
}

bool CMBuiltInSynthesizer::PrepareSynth(const CMString& soundFont, CMString& error)
{
    if (m_synth && m_soundFont == soundFont && m_loadState != kFailed)
        return true;
    WaitForLoader();
    m_synth.reset();
    m_settings = NewSynthSettings(kSampleRate);
    if (m_settings)
        m_synth = NewSynth(m_settings.get());
    if (!m_synth) {
        error = "FluidSynth cannot start a synthesizer.";
        return false;
    }
    if (!fluid_is_soundfont(soundFont.GetText())) {
        error.Format("'%s' is not a SoundFont.", soundFont.GetText());
        m_synth.reset();
        return false;
    }
    m_soundFont = soundFont;
    m_loadState = kLoading;
    m_loader = std::thread([this] {
        CMString loadError;
        if (LoadSoundFont(m_synth.get(), m_soundFont, loadError)) {
            SetLoadState(kLoaded);
        } else {
            m_loadError = loadError;
            SetLoadState(kFailed);
        }
    });
    return true;
}

void CMBuiltInSynthesizer::SetLoadState(LoadState state)
{
    {
        std::lock_guard<std::mutex> lock(m_loadMutex);
        m_loadState = state;
    }
    m_loadChanged.notify_all();
}

int CMBuiltInSynthesizer::ForwardEvent(void* self, fluid_midi_event_t* event)
{
    auto& synthesizer = *static_cast<CMBuiltInSynthesizer*>(self);
    {
        std::unique_lock<std::mutex> lock(synthesizer.m_loadMutex);
        synthesizer.m_loadChanged.wait(lock, [&synthesizer] {
            return synthesizer.m_loadState != kLoading || synthesizer.m_stopping;
        });
    }
    if (synthesizer.m_loadState != kLoaded)
        return FLUID_OK;  // nothing to play it with
    // The player resets the synthesizer when it starts the file, so the mix comes after that.
    if (!synthesizer.m_mixApplied) {
        ApplyChannelMix(synthesizer.m_synth.get(), synthesizer.m_channelMix);
        synthesizer.m_mixApplied = true;
    }
    return fluid_synth_handle_midi_event(synthesizer.m_synth.get(), event);
}

bool CMBuiltInSynthesizer::OpenSoundOutput(CMString& error)
{
    QuietAlsaLibrary();  // FluidSynth's ALSA driver would print the library's complaints
    const std::vector<std::string> available = BuiltInDrivers(m_settings.get());
    CMString reasons;
    for (const std::string& driver : m_options.drivers) {
        if (std::find(available.begin(), available.end(), driver) == available.end())
            continue;
        fluid_settings_setstr(m_settings.get(), "audio.driver", driver.c_str());
        if (driver == "file")
            fluid_settings_setstr(m_settings.get(), "audio.file.name", m_options.file.c_str());
        TakeFluidSynthError();
        m_driver.reset(new_fluid_audio_driver(m_settings.get(), m_synth.get()));
        if (m_driver)
            return true;
        const CMString reason = TakeFluidSynthError();
        reasons += CMString(reasons.IsEmpty() ? "" : "; ") + DriverTitle(driver) + ": " +
                   (reason.IsEmpty() ? CMString("cannot be opened") : reason);
    }
    error.Format("No sound output could be opened (%s).",
                 reasons.IsEmpty() ? "FluidSynth has none of the audio drivers it needs"
                                   : reasons.GetText());
    return false;
}

bool CMBuiltInSynthesizer::Start(const char* midiPath, const CMString& soundFont, CMString& error)
{
    Stop();
    if (!PrepareSynth(soundFont, error) || !OpenSoundOutput(error))
        return false;
    {
        std::lock_guard<std::mutex> lock(m_loadMutex);
        m_stopping = false;
    }
    m_mixApplied = false;
    m_player.reset(new_fluid_player(m_synth.get()));
    if (m_player)
        fluid_player_set_playback_callback(m_player.get(), ForwardEvent, this);
    if (!m_player || fluid_player_add(m_player.get(), midiPath) != FLUID_OK) {
        error.Format("FluidSynth cannot play '%s'.", midiPath);
        Stop();
        return false;
    }
    return true;
}

bool CMBuiltInSynthesizer::Play()
{
    m_doneAt.reset();
    return m_player && fluid_player_play(m_player.get()) == FLUID_OK;
}

void CMBuiltInSynthesizer::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_loadMutex);
        m_stopping = true;  // an event waiting for the SoundFont gives up
    }
    m_loadChanged.notify_all();
    if (m_player)
        fluid_player_stop(m_player.get());
    if (m_synth)
        fluid_synth_all_sounds_off(m_synth.get(), -1);
    // The driver goes first: its thread runs the player's clock, which must not tick on a
    // deleted player.
    m_driver.reset();
    m_player.reset();
}

bool CMBuiltInSynthesizer::IsFinished()
{
    if (m_loadState == kFailed)
        return true;
    if (!m_player || fluid_player_get_status(m_player.get()) != FLUID_PLAYER_DONE)
        return false;
    const auto now = std::chrono::steady_clock::now();
    if (!m_doneAt)
        m_doneAt = now;
    return fluid_synth_get_active_voice_count(m_synth.get()) == 0 ||
           now - *m_doneAt >= kLongestRingOut;
}

std::uint64_t CMBuiltInSynthesizer::GetTick()
{
    const int tick = m_player ? fluid_player_get_current_tick(m_player.get()) : 0;
    return static_cast<std::uint64_t>(std::max(tick, 0));
}

CMString CMBuiltInSynthesizer::GetLoadError() const
{
    return m_loadState == kFailed ? m_loadError : CMString();
}
