// CMMusicianViewModel: what the musician view shows: the root "Bands" with each band and its
// players, in the band list's order (the order of the ribbon's Band list), and the root
// "Musicians" with every musician, sorted by the current sort command (145 to 148, checked in
// the sort menu). Choosing a band in the tree chooses it in the ribbon's Band list as well.
#pragma once

#include "app/IMCommandTarget.h"
#include "core/CMString.h"

#include <functional>
#include <vector>

class CMCommandRouter;
class CMMusicBand;
class CMMusicBandList;
class CMMusicPlayer;
class IMRibbonControls;

// The tree's pictures: a folder, a band, and one for each kind of player.
enum class CMMusicianImage { Folder, Band, Bass, Piano, Drums, OtherPlayer };

struct CMMusicianItem {
    CMString text;
    CMMusicianImage image = CMMusicianImage::Folder;
    const CMMusicBand* band = nullptr;      // a band's item
    const CMMusicPlayer* player = nullptr;  // a player's item
    bool expanded = false;
    std::vector<CMMusicianItem> children;
};

// The picture of a player of kind `instrument` (0 bass, 1 piano, 2 drums, 3 any other).
CMMusicianImage ImageOfPlayer(int instrument);

class CMMusicianViewModel : public IMCommandTarget {
public:
    // Fills the tree from `bands`, which must outlive the model; `changed` is called whenever
    // the tree's content changes.
    CMMusicianViewModel(const CMMusicBandList& bands, std::function<void()> changed);

    // "Bands", then "Musicians".
    const std::vector<CMMusicianItem>& GetRoots() const { return m_roots; }
    int GetSortCommand() const { return m_sortCommand; }

    // The sort commands: sorting the musicians by name, by kind then name, by the number of
    // bands they play in (most first) then name, or in one folder per kind.
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CMCommandUI& ui) const override;

private:
    void Refill();
    CMMusicianItem MusiciansRoot() const;

    const CMMusicBandList& m_bands;
    std::function<void()> m_changed;
    std::vector<CMMusicianItem> m_roots;
    int m_sortCommand;
};

// The item of the ribbon's Band list that names `band` (its text trimmed); -1 when none does.
int FindBandListItem(const IMRibbonControls& controls, const CMMusicBand& band);
// Chooses `band` in the Band list as the user would, running its command, unless the list takes
// no choice now (while playing) or does not hold the band. Answers whether it was chosen.
bool ChooseBandInRibbon(const CMMusicBand& band, IMRibbonControls& controls,
                        CMCommandRouter& router);
