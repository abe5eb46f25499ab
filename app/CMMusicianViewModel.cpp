// CMMusicianViewModel: see CMMusicianViewModel.h.
#include "app/CMMusicianViewModel.h"

#include "app/CMCommandRouter.h"
#include "app/CommandIds.h"
#include "app/IMRibbonControls.h"
#include "performance/CMMusicBand.h"

#include <algorithm>
#include <utility>

namespace {

namespace C = CommandId;

CMMusicianItem PlayerItem(const CMMusicPlayer& player)
{
    CMMusicianItem item;
    item.text = player.name;
    item.image = ImageOfPlayer(player.GetInstrument());
    item.player = &player;
    return item;
}

int BandsPlayedIn(const CMMusicPlayer& player, const CMMusicBandList& bands)
{
    return static_cast<int>(std::count_if(
        bands.GetBands().begin(), bands.GetBands().end(), [&player](const auto& band) {
            const auto& players = band->GetPlayers();
            return std::find(players.begin(), players.end(), &player) != players.end();
        }));
}

const char* KindName(CMMusicianImage image)
{
    switch (image) {
    case CMMusicianImage::Bass: return "Bass";
    case CMMusicianImage::Piano: return "Piano";
    case CMMusicianImage::Drums: return "Drums";
    default: return "Others";
    }
}

}  // namespace

CMMusicianImage ImageOfPlayer(int instrument)
{
    switch (instrument) {
    case 0: return CMMusicianImage::Bass;
    case 1: return CMMusicianImage::Piano;
    case 2: return CMMusicianImage::Drums;
    default: return CMMusicianImage::OtherPlayer;
    }
}

CMMusicianViewModel::CMMusicianViewModel(const CMMusicBandList& bands,
                                         std::function<void()> changed)
    : m_bands(bands), m_changed(std::move(changed)), m_sortCommand(C::SortAlphabetic)
{
    Refill();
}

void CMMusicianViewModel::Refill()
{
    m_roots.clear();
    CMMusicianItem bandsRoot;
    bandsRoot.text = "Bands";
    bandsRoot.expanded = true;
    for (const auto& band : m_bands.GetBands()) {
        CMMusicianItem item;
        item.text = band->GetName();
        item.image = CMMusicianImage::Band;
        item.band = band.get();
        for (const CMMusicPlayer* player : band->GetPlayers())
            item.children.push_back(PlayerItem(*player));
        bandsRoot.children.push_back(std::move(item));
    }
    m_roots.push_back(std::move(bandsRoot));
    m_roots.push_back(MusiciansRoot());
}

CMMusicianItem CMMusicianViewModel::MusiciansRoot() const
{
    CMMusicianItem root;
    root.text = "Musicians";
    root.expanded = true;
    for (const auto& player : m_bands.GetPlayers())
        root.children.push_back(PlayerItem(*player));  // the list's order: by name
    auto& musicians = root.children;
    if (m_sortCommand == C::SortByType || m_sortCommand == C::GroupByType) {
        std::stable_sort(musicians.begin(), musicians.end(),
                         [](const auto& a, const auto& b) { return a.image < b.image; });
    } else if (m_sortCommand == C::SortByAccess) {
        std::stable_sort(musicians.begin(), musicians.end(), [this](const auto& a, const auto& b) {
            return BandsPlayedIn(*a.player, m_bands) > BandsPlayedIn(*b.player, m_bands);
        });
    }
    if (m_sortCommand != C::GroupByType)
        return root;
    std::vector<CMMusicianItem> folders;
    for (CMMusicianItem& musician : musicians) {
        const CMString kind = KindName(musician.image);
        if (folders.empty() || folders.back().text != kind) {
            CMMusicianItem folder;
            folder.text = kind;
            folder.expanded = true;
            folders.push_back(std::move(folder));
        }
        folders.back().children.push_back(std::move(musician));
    }
    musicians = std::move(folders);
    return root;
}

bool CMMusicianViewModel::OnCommand(int id)
{
    if (id < C::SortAlphabetic || id > C::GroupByType)
        return false;
    if (id != m_sortCommand) {
        m_sortCommand = id;
        m_roots.back() = MusiciansRoot();
        if (m_changed)
            m_changed();
    }
    return true;
}

bool CMMusicianViewModel::OnUpdateCommand(int id, CMCommandUI& ui) const
{
    if (id < C::SortAlphabetic || id > C::GroupByType)
        return false;
    ui.checked = id == m_sortCommand;
    return true;
}

int FindBandListItem(const IMRibbonControls& controls, const CMMusicBand& band)
{
    const int count = controls.GetItemCount(C::BandList);
    for (int i = 0; i < count; ++i) {
        if (controls.GetItem(C::BandList, i).Trim() == band.GetName())
            return i;
    }
    return -1;
}

bool ChooseBandInRibbon(const CMMusicBand& band, IMRibbonControls& controls,
                        CMCommandRouter& router)
{
    const int item = FindBandListItem(controls, band);
    if (item < 0 || !router.Update(C::BandList).enabled)
        return false;
    controls.SetCurSel(C::BandList, item);
    router.Execute(C::BandList);
    return true;
}
