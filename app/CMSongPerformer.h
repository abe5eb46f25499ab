// CMSongPerformer: what the commands that perform songs gather before they play one, the same in
// the desktop program and in zimbrel-cli: the settings of ./Zimbrel.ini, the preset bands and the
// band chosen by name (the "Band" setting unless the user names another), and for each song the
// performance its defaults and the user's choices make.
#pragma once

#include "app/CMPerformanceSettings.h"
#include "performance/CMMusicBand.h"
#include "settings/CMZimbrelIni.h"

#include <string>

class CMSongPerformer {
public:
    // Reads ./Zimbrel.ini.
    explicit CMSongPerformer(const CMPerformanceChoices& choices);

    // Builds the band of the choices, else of the settings, found in any case. False, with a
    // sentence naming the bands in `error`, when there is no such band.
    bool FindBand(std::string& error);
    // The performance of `song`: its defaults with the choices over them.
    CMPerformanceSettings PerformanceOf(const CMMusicSong& song) const;
    // Performs `song` into the MIDI file at `path`, with the listing when asked for; false when
    // the file could not be written or no instrument plays.
    bool Perform(const CMMusicSong& song, const char* path, CMString* listing) const;

    const CMMusicBand* GetBand() const { return m_band; }
    const CMZimbrelIni& GetSettings() const { return m_settings; }

private:
    CMPerformanceChoices m_choices;
    CMZimbrelIni m_settings;
    CMMusicBandList m_bands;
    const CMMusicBand* m_band = nullptr;
};
