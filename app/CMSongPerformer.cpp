// CMSongPerformer: see CMSongPerformer.h.
#include "app/CMSongPerformer.h"

CMSongPerformer::CMSongPerformer(const CMPerformanceChoices& choices) : m_choices(choices)
{
    m_settings.Load();
    m_bands.BuildPresets();
}

bool CMSongPerformer::FindBand(std::string& error)
{
    const CMString name = m_choices.band ? CMString(*m_choices.band) : m_settings.band;
    m_band = FindBandByName(m_bands, name, error);
    return m_band != nullptr;
}

CMPerformanceSettings CMSongPerformer::PerformanceOf(const CMMusicSong& song) const
{
    return ChoosePerformance(m_settings, song, m_choices);
}

bool CMSongPerformer::Perform(const CMMusicSong& song, const char* path, CMString* listing) const
{
    return PerformSong(song, m_band, PerformanceOf(song), path, listing);
}
