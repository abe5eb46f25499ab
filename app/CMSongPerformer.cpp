// CMSongPerformer: see CMSongPerformer.h.
#include "app/CMSongPerformer.h"

CMSongPerformer::CMSongPerformer(const CMPerformanceChoices& choices) : m_choices(choices)
{
    m_settings.Load();
}

bool CMSongPerformer::FindBand(std::string& error)
{
    // Only the chosen band's musicians are built: their libraries take a while.
    const CMString name = m_choices.band ? CMString(*m_choices.band) : m_settings.band;
    m_bands.BuildPresets(
        [&name](const CMString& band) { return band.ToLower() == name.ToLower(); });
    if (m_bands.GetBands().empty())
        m_bands.BuildPresets();  // to name them all
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
