// CMPropertiesContent: see CMPropertiesContent.h.
#include "app/CMPropertiesContent.h"

#include "app/CMCommandTable.h"
#include "app/CMSongDocument.h"
#include "app/CommandIds.h"
#include "app/MusicianListing.h"
#include "core/CMString.h"
#include "music/SongListing.h"
#include "performance/CMMusicBand.h"
#include "settings/CMZimbrelIni.h"
#include "settings/SettingsTable.h"

#include <algorithm>
#include <climits>

namespace {

namespace C = CommandId;

std::string Joined(const std::vector<std::string>& parts)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

std::string TitleOf(const CMSongDocument& document)
{
    std::vector<std::string> lines;
    for (const CMString* line : document.GetSong().title)
        lines.push_back(line->Str());
    return lines.empty() ? document.GetTitle().Str() : Joined(lines);
}

std::string KeyOf(const CMMusicSong& song)
{
    const CMMusicChord* key = song.GetKeyChord();
    if (!key)
        return "C (none given)";
    return (key->GetName() + key->GetPlainText()).Str();
}

std::string TimesOf(const CMMusicSong& song)
{
    std::vector<std::string> times;
    for (const auto* box : song.timeBase) {
        const unsigned time = box->GetValue();
        const std::string text = std::to_string(time >> 8) + "/" + std::to_string(time & 255);
        if (time != 0 && std::find(times.begin(), times.end(), text) == times.end())
            times.push_back(text);
    }
    return times.empty() ? "4/4 (none given)" : Joined(times);
}

// The sections in the order they first appear ("Intro, A, B, Ending").
std::string SectionsOf(const CMMusicSong& song)
{
    std::vector<std::string> sections;
    for (const CMMusicChordList* measure : song.measures) {
        std::string name = LabelText(measure->labelCode).Str();
        if (name.rfind("Label ", 0) == 0)
            name.erase(0, 6);
        if (!name.empty() && std::find(sections.begin(), sections.end(), name) == sections.end())
            sections.push_back(name);
    }
    return Joined(sections);
}

std::string RepeatText(int repeat)
{
    const std::vector<std::string> items = RepeatListItems();
    const int index = kRepeatRange.Clamp(repeat) - 1;
    return CMString(items[static_cast<std::size_t>(index)].c_str()).Trim().Str();
}

struct TempoSpan {
    int low = INT_MAX;
    int high = 0;
    void Add(const CMMusicPlayer& player)
    {
        for (const auto& pattern : player.GetPatterns()) {
            low = std::min<int>(low, pattern->lowTempo);
            high = std::max<int>(high, pattern->highTempo);
        }
    }
    std::string Text() const
    {
        return high == 0 ? "none" : std::to_string(low) + " to " + std::to_string(high);
    }
};

std::string Patterns(std::size_t count)
{
    return std::to_string(count) + " phrase patterns";
}

}  // namespace

CMPropertyList SongProperties(const CMSongDocument& document, const CMZimbrelIni& settings)
{
    const CMMusicSong& song = document.GetSong();
    CMPropertyList list = {
        {"Song", "Title", TitleOf(document), "The song's title"},
        {"Song", "Composer", song.composer.Str(), "Who wrote the music"},
        {"Song", "Lyricist", song.lyricist.Str(), "Who wrote the words"},
        {"Song", "File", song.path.Str(), "The song's source file"},
    };
    if (!document.IsCompiled()) {
        list.push_back({"Song", "Compiled", "No: " + document.GetMessage().Str(),
                        "The song does not compile; Edit song shows the source"});
        return list;
    }
    const bool styled = song.style >= 0 && song.style < CMZimbrelIni::kTempoCount;
    const std::string style =
        styled ? FindCommand(C::TempoBallad + song.style)->caption : std::string();
    const CMZimbrelTempo* preset = styled ? &settings.tempos[song.style] : nullptr;
    const std::string fromPreset = styled ? " (the " + style + " preset)" : "";
    const CMSetting& precount = SettingOf("General", "Precount");
    const std::string precountText =
        song.precount < 0 ? precount.ItemText(precount.Fit(settings.precount)) + " (the settings')"
                          : precount.ItemText(precount.Fit(song.precount));
    list.insert(
        list.end(),
        {{"Music", "Key", KeyOf(song), "The key the song is written in"},
         {"Music", "Time", TimesOf(song), "The time signature"},
         {"Music", "Style", styled ? style : "none given", "The tempo preset the song names"},
         {"Music", "Tempo", std::to_string(preset ? preset->tempo : song.tempo) + fromPreset,
          "Quarter notes per minute when the song is opened"},
         {"Music", "Repeats", RepeatText(preset ? preset->repeat : song.repeat) + fromPreset,
          "How often the form is played"},
         {"Music", "Precount", precountText, "The count-in before the song"},
         {"Music", "Measures", std::to_string(std::max(0, song.CountMeasures(true, true) - 1)),
          "Measures written, intro and verse included"},
         {"Music", "Sections", SectionsOf(song), "The sections in the order they first appear"}});
    return list;
}

CMPropertyList BandProperties(const CMMusicBand& band)
{
    std::vector<std::string> players;
    std::size_t patterns = 0;
    TempoSpan tempos;
    for (const CMMusicPlayer* player : band.GetPlayers()) {
        players.push_back(player->name.Str() + " (" + InstrumentName(player->GetInstrument()) +
                          ")");
        patterns += player->GetPatterns().size();
        tempos.Add(*player);
    }
    return {{"Band", "Name", band.GetName().Str(), "The band's name in the ribbon's Band list"},
            {"Band", "Kind", "Band", "A band of musicians"},
            {"Band", "Style", band.GetStyle().Str(), "The style the band plays"},
            {"Band", "Players", Joined(players), "Who plays, and on what"},
            {"Band", "Library size", Patterns(patterns), "The phrase patterns of all its players"},
            {"Band", "Tempo range", tempos.Text(), "The tempos its players' patterns serve"}};
}

CMPropertyList MusicianProperties(const CMMusicPlayer& player, const CMMusicBandList& bands)
{
    std::vector<std::string> bandNames;
    for (const auto& band : bands.GetBands()) {
        const auto& players = band->GetPlayers();
        if (std::find(players.begin(), players.end(), &player) != players.end())
            bandNames.push_back(band->GetName().Str());
    }
    TempoSpan tempos;
    tempos.Add(player);
    return {{"Musician", "Name", player.name.Str(), "The musician's name"},
            {"Musician", "Kind", InstrumentName(player.GetInstrument()), "The instrument"},
            {"Musician", "Library size", Patterns(player.GetPatterns().size()),
             "The phrase patterns the musician chooses from"},
            {"Musician", "Tempo range", tempos.Text(), "The tempos the patterns serve"},
            {"Musician", "Bands", Joined(bandNames), "The preset bands the musician plays in"}};
}

void CMPropertiesModel::SetProperties(CMPropertyList properties)
{
    m_properties = std::move(properties);
    if (m_changed)
        m_changed();
}

CMPropertyList CMPropertiesModel::GetShown() const
{
    CMPropertyList shown = m_properties;
    if (!m_categorized) {
        std::stable_sort(shown.begin(), shown.end(),
                         [](const auto& a, const auto& b) { return a.name < b.name; });
    }
    return shown;
}

bool CMPropertiesModel::OnCommand(int id)
{
    if (id != C::PropertiesCategorized && id != C::PropertiesAlphabetical)
        return false;
    m_categorized = id == C::PropertiesCategorized;
    if (m_changed)
        m_changed();
    return true;
}

bool CMPropertiesModel::OnUpdateCommand(int id, CMCommandUI& ui) const
{
    if (id != C::PropertiesCategorized && id != C::PropertiesAlphabetical)
        return false;
    ui.checked = m_categorized == (id == C::PropertiesCategorized);
    return true;
}
