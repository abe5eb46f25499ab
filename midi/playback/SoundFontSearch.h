// Where the built-in synthesizer and the audio export find their General MIDI SoundFont: the
// "SoundFont" setting when it is set; otherwise the system's default General MIDI SoundFont, then
// the first SoundFont file in the usual folders.
#pragma once

#include "core/CMString.h"

#include <string>
#include <vector>

struct CMSoundFontPlaces {
    // Tried in order when the setting is empty.
    std::vector<std::string> files = {"/usr/share/sounds/sf2/default-GM.sf2",
                                      "/usr/share/sounds/sf3/default-GM.sf3"};
    // Then the first .sf2 or .sf3 file of these folders, by name.
    std::vector<std::string> folders = {"/usr/share/sounds/sf2", "/usr/share/soundfonts"};
};

// The SoundFont to play with: `setting` when it is not empty, else the first readable file of
// `places`. Empty, with a sentence for the user in `error` that says what to install or set, when
// there is none (or the file the setting names cannot be read).
CMString FindSoundFont(const CMString& setting, CMString& error,
                       const CMSoundFontPlaces& places = CMSoundFontPlaces());
