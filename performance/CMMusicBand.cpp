// The preset musicians and bands.
#include "performance/CMMusicBand.h"

#include "performance/LibraryBuilders.h"

#include <algorithm>

namespace {

// Ordered insertion behind the equal names.
template <class T>
void InsertByName(std::vector<std::unique_ptr<T>>& items, std::unique_ptr<T> item)
{
    auto place = std::find_if(items.begin(), items.end(), [&](const std::unique_ptr<T>& other) {
        return other->IsGreater(*item);
    });
    items.insert(place, std::move(item));
}

}  // namespace

CMMusicPlayer& CMMusicBandList::AddPlayer(std::unique_ptr<CMMusicPlayer> player,
                                          void (*build)(CMMusicPlayer&))
{
    build(*player);
    CMMusicPlayer& added = *player;
    InsertByName(m_players, std::move(player));
    return added;
}

CMMusicBand& CMMusicBandList::AddBand(const char* name, const char* style,
                                      const CMMusicPlayer& bass, const CMMusicPlayer& piano,
                                      const CMMusicPlayer& drums)
{
    auto band = std::make_unique<CMMusicBand>(CMString(name));
    band->SetStyle(CMString(style));
    band->AddTail(bass);
    band->AddTail(piano);
    band->AddTail(drums);
    CMMusicBand& added = *band;
    InsertByName(m_bands, std::move(band));
    return added;
}

void CMMusicBandList::BuildPresets()
{
    const CMString unnamed;  // each builder names its player
    auto& tolsen = AddPlayer(std::make_unique<CMMusicPlayerBass>(unnamed), BuildTolsen);
    auto& dalmo = AddPlayer(std::make_unique<CMMusicPlayerBass>(unnamed), BuildDalmo);
    auto& quenby = AddPlayer(std::make_unique<CMMusicPlayerChord>(unnamed), BuildQuenby);
    auto& ostrin = AddPlayer(std::make_unique<CMMusicPlayerChord>(unnamed), BuildOstrin);
    auto& falder = AddPlayer(std::make_unique<CMMusicPlayerChord>(unnamed), BuildFalder);
    auto& vashti = AddPlayer(std::make_unique<CMMusicPlayerChord>(unnamed), BuildVashti);
    auto& ruvane = AddPlayer(std::make_unique<CMMusicPlayerChord>(unnamed), BuildRuvane);
    auto& pelko = AddPlayer(std::make_unique<CMMusicPlayerRhythm>(unnamed), BuildPelko);
    auto& garvel = AddPlayer(std::make_unique<CMMusicPlayerRhythm>(unnamed), BuildGarvel);

    // The style follows the pianist: Ostrin's two-hand voicings and upper structures and
    // Falder's lean rootless ones swing, Quenby's full five-note voicings suit ballads, Vashti
    // plays stride, and Dalmo, Ruvane and Garvel play bossa nova.
    AddBand("Zimbrel Trio", "swing", tolsen, ostrin, pelko);
    AddBand("Great Trio", "ballad", tolsen, quenby, pelko);
    AddBand("Ashgrove Trio", "swing", tolsen, falder, pelko);
    AddBand("Norvane Trio", "stride", tolsen, vashti, pelko);
    AddBand("Brazilian Trio", "bossa nova", dalmo, ruvane, garvel);
}

const CMMusicBand* CMMusicBandList::FindBand(const CMString& name) const
{
    for (const auto& band : m_bands)
        if (band->GetName() == name)
            return band.get();
    return nullptr;
}

const CMMusicPlayer* CMMusicBandList::FindPlayer(const CMString& name) const
{
    for (const auto& player : m_players)
        if (player->name == name)
            return player.get();
    return nullptr;
}
