// CMPropertiesContent: what the properties pane shows: read-only facts of the song, band or
// musician selected in the song view or the musician view, each with a group, a name, a value
// and a line describing it, shown in groups or sorted by name (151 and 152, checked).
#pragma once

#include "app/IMCommandTarget.h"

#include <functional>
#include <string>
#include <vector>

class CMMusicBand;
class CMMusicBandList;
class CMMusicPlayer;
class CMSongDocument;
class CMZimbrelIni;

struct CMProperty {
    std::string group;
    std::string name;
    std::string value;
    std::string description;
};
using CMPropertyList = std::vector<CMProperty>;

// A song as compiled: its title, composer, lyricist, key, time, style, tempo and repeats (a
// style's preset in `settings` when the song names one), precount, measures, sections and file.
CMPropertyList SongProperties(const CMSongDocument& song, const CMZimbrelIni& settings);
// A band: its players, the size of their libraries and the tempos they play.
CMPropertyList BandProperties(const CMMusicBand& band);
// A musician: kind, library size, the tempos its patterns serve and the bands it plays in.
CMPropertyList MusicianProperties(const CMMusicPlayer& player, const CMMusicBandList& bands);

class CMPropertiesModel : public IMCommandTarget {
public:
    // `changed` is called when what is shown changes.
    explicit CMPropertiesModel(std::function<void()> changed) : m_changed(std::move(changed)) {}

    void SetProperties(CMPropertyList properties);
    // The properties in the order shown: by group, or sorted by name.
    CMPropertyList GetShown() const;
    bool IsCategorized() const { return m_categorized; }

    // Categorized (151) and Alphabetical (152); the one in use is checked.
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CMCommandUI& ui) const override;

private:
    std::function<void()> m_changed;
    CMPropertyList m_properties;
    bool m_categorized = true;
};
