// FluidSynth support: see FluidSynthSupport.h.
#include "midi/playback/FluidSynthSupport.h"

#include <mutex>

namespace {

constexpr double kSynthGain = 0.8;

std::mutex g_logMutex;
CMString g_lastError;

// FluidSynth logs from its own threads too; errors are kept for our messages, the rest dropped.
void KeepError(int level, const char* message, void*)
{
    if (level > FLUID_ERR || !message)
        return;
    std::lock_guard<std::mutex> lock(g_logMutex);
    g_lastError = message;
    g_lastError.TrimRight();
}

void CaptureFluidSynthLog()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, KeepError, nullptr);
    });
}

}  // namespace

CMFluidSettings NewSynthSettings(int sampleRate)
{
    CaptureFluidSynthLog();
    CMFluidSettings settings(new_fluid_settings());
    if (!settings)
        return settings;
    fluid_settings_setnum(settings.get(), "synth.sample-rate", sampleRate);
    // A General MIDI SoundFont holds 128 instruments and a trio plays four of them: loading only
    // what is played starts sooner and keeps a 150 MB SoundFont from filling memory.
    fluid_settings_setint(settings.get(), "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings.get(), "synth.lock-memory", 0);
    // FluidSynth's default gain of 0.2 leaves a trio near -20 dBFS; 0.8 brings its peaks to about
    // -7 dBFS with the General MIDI SoundFonts of Debian.
    fluid_settings_setnum(settings.get(), "synth.gain", kSynthGain);
    // The player's clock follows the sound rendered, so a render that waits delays the music
    // after it rather than letting it catch up in a rush.
    fluid_settings_setstr(settings.get(), "player.timing-source", "sample");
    return settings;
}

CMFluidSynth NewSynth(fluid_settings_t* settings)
{
    // The first synthesizer of the process sets up FluidSynth's shared tables and default
    // modulators, and FluidSynth marks them ready before they are: a synthesizer made at the same
    // time on another thread may copy them half done. Its notes then lack their velocity
    // attenuation and sound five times too loud.
    static std::mutex creation;
    const std::lock_guard<std::mutex> lock(creation);
    return CMFluidSynth(new_fluid_synth(settings));
}

CMString TakeFluidSynthError()
{
    std::lock_guard<std::mutex> lock(g_logMutex);
    CMString error = g_lastError;
    g_lastError = CMString();
    return error;
}

bool LoadSoundFont(fluid_synth_t* synth, const CMString& path, CMString& error)
{
    if (!fluid_is_soundfont(path.GetText())) {
        error.Format("'%s' is not a SoundFont.", path.GetText());
        return false;
    }
    TakeFluidSynthError();
    if (fluid_synth_sfload(synth, path.GetText(), 1) == FLUID_FAILED) {
        const CMString reason = TakeFluidSynthError();
        error.Format("The SoundFont '%s' cannot be loaded%s%s.", path.GetText(),
                     reason.IsEmpty() ? "" : ": ", reason.GetText());
        return false;
    }
    return true;
}

void ApplyChannelMix(fluid_synth_t* synth, const CMChannelMix& mix)
{
    for (std::size_t channel = 0; channel < mix.size(); ++channel)
        if (mix[channel])
            for (const CMChannelSettings::Controller controller : mix[channel]->Controllers())
                fluid_synth_cc(synth, static_cast<int>(channel), controller.number,
                               controller.value);
}

void SendToSynth(fluid_synth_t* synth, const CMTimedMidiEvent& event)
{
    const int channel = event.status & 0x0F;
    switch (event.status & 0xF0) {
    case 0x80: fluid_synth_noteoff(synth, channel, event.data1); break;
    case 0x90:
        if (event.data2 == 0)
            fluid_synth_noteoff(synth, channel, event.data1);
        else
            fluid_synth_noteon(synth, channel, event.data1, event.data2);
        break;
    case 0xA0: fluid_synth_key_pressure(synth, channel, event.data1, event.data2); break;
    case 0xB0: fluid_synth_cc(synth, channel, event.data1, event.data2); break;
    case 0xC0: fluid_synth_program_change(synth, channel, event.data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth, channel, event.data1); break;
    default:  // 0xE0, pitch bend
        fluid_synth_pitch_bend(synth, channel, event.data2 << 7 | event.data1);
        break;
    }
}
