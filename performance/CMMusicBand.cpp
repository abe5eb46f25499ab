// The preset musicians and bands.
#include "performance/CMMusicBand.h"

#include "performance/LibraryBuilders.h"

#include <algorithm>
#include <iterator>
#include <map>

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

namespace {

struct PresetBand {
    const char* name;
    const char* style;
    // The players' classes and library builders: bass, piano, drums.
    void (*bass)(CMMusicPlayer&);
    void (*piano)(CMMusicPlayer&);
    void (*drums)(CMMusicPlayer&);
};

// The style follows the pianist: Ostrin's two-hand voicings and upper structures and Falder's
// lean rootless ones swing, Quenby's full five-note voicings suit ballads, Vashti plays stride,
// and Dalmo, Ruvane and Garvel play bossa nova.
constexpr PresetBand kPresetBands[] = {
    {"Zimbrel Trio", "swing", BuildTolsen, BuildOstrin, BuildPelko},
    {"Great Trio", "ballad", BuildTolsen, BuildQuenby, BuildPelko},
    {"Ashgrove Trio", "swing", BuildTolsen, BuildFalder, BuildPelko},
    {"Norvane Trio", "stride", BuildTolsen, BuildVashti, BuildPelko},
    {"Brazilian Trio", "bossa nova", BuildDalmo, BuildRuvane, BuildGarvel},
};

// Every musician, in the order of creation, with the class that plays its instrument.
constexpr void (*kMusicians[])(CMMusicPlayer&) = {
    BuildTolsen, BuildDalmo,  BuildQuenby, BuildOstrin, BuildFalder,
    BuildVashti, BuildRuvane, BuildPelko,  BuildGarvel,
};

std::unique_ptr<CMMusicPlayer> NewPlayer(void (*build)(CMMusicPlayer&))
{
    const CMString unnamed;  // each builder names its player
    if (build == BuildTolsen || build == BuildDalmo)
        return std::make_unique<CMMusicPlayerBass>(unnamed);
    if (build == BuildPelko || build == BuildGarvel)
        return std::make_unique<CMMusicPlayerRhythm>(unnamed);
    return std::make_unique<CMMusicPlayerChord>(unnamed);
}

bool UsedBy(const PresetBand& band, void (*build)(CMMusicPlayer&))
{
    return band.bass == build || band.piano == build || band.drums == build;
}

}  // namespace

void CMMusicBandList::BuildPresets()
{
    BuildPresets([](const CMString&) { return true; });
}

void CMMusicBandList::BuildPresets(const std::function<bool(const CMString& band)>& wanted)
{
    std::map<void (*)(CMMusicPlayer&), CMMusicPlayer*> built;
    for (const auto build : kMusicians) {
        const bool needed = std::any_of(
            std::begin(kPresetBands), std::end(kPresetBands),
            [&](const PresetBand& band) { return UsedBy(band, build) && wanted(band.name); });
        if (needed)
            built[build] = &AddPlayer(NewPlayer(build), build);
    }
    for (const PresetBand& band : kPresetBands)
        if (wanted(band.name))
            AddBand(band.name, band.style, *built.at(band.bass), *built.at(band.piano),
                    *built.at(band.drums));
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
