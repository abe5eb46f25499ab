// The play command: the same command starts and stops playback. Started, it performs the
// document's song with the chosen band into a standard MIDI file beside the song (the song's path
// followed by ".midi"), writes the listing to the "Debug" tab and plays the file on the chosen
// MIDI output port; a failure is reported in the "Output" tab and plays nothing.
#pragma once

#include "app/CMPerformanceSettings.h"
#include "app/IMPlayShell.h"
#include "midi/playback/CMMCI.h"  // the player the shell hands over and MakeSystemPlayer makes

#include <memory>

class CMMusicBand;
class CMMusicSong;
class CMZimbrelIni;

struct CMPlayRequest {
    const CMMusicBand* band = nullptr;
    CMPerformanceSettings performance;
    int port = 0;  // the selected entry of the MIDI output port list
};

enum class CMPlayOutcome {
    Stopped,     // the player was playing: it is closed now
    NotSaved,    // the song has no file yet: nothing happens
    NotCreated,  // the MIDI file could not be written (or no band, no instrument)
    NotPlayed,   // the file was written but the player could not play it
    Playing,
};

// The player the chart view keeps: the system's sequencer (the built-in synthesizer with the
// "SoundFont" setting, or an ALSA port).
std::unique_ptr<CMMCI> MakeSystemPlayer(const CMZimbrelIni& settings);

// "Error : Cannot play '<title>'. <reason>" for a player that could not play the file.
CMString CannotPlayMessage(const CMString& title, const CMString& reason);

// The play command on `song` through `shell`: stops a playing player, else performs and plays.
CMPlayOutcome PlayOrStop(const CMMusicSong& song, const CMPlayRequest& request, IMPlayShell& shell);
