// CMOptionsSheet: see CMOptionsSheet.h.
#include "app/CMOptionsSheet.h"

#include "app/SettingChecks.h"
#include "settings/CMChartSettings.h"
#include "settings/SettingsTable.h"

namespace {

constexpr double kPointsPerInch = 72;
constexpr int kBoldWeight = 700;

int s_rememberedPage = CMOptionsSheet::GeneralPage;

// The index of the item a stored value shows: a value outside the list shows the default's.
int IndexOf(const CMSetting& setting, int value)
{
    return setting.Fit(value) - static_cast<int>(setting.range.lowest);
}

int ValueOf(const CMSetting& setting, int index)
{
    return setting.Fit(index + static_cast<int>(setting.range.lowest));
}

// The renderer's fonts in the page's order; const for a const renderer.
template <typename Chart>
auto FontsOf(Chart& chart)
{
    return std::array{&chart.titleFont, &chart.labelFont, &chart.lyricsFont, &chart.chordFont,
                      &chart.authorFont};
}

// Every page made from a section, whether the table holds the section yet or not.
const CMSectionPage kSectionPages[] = {
    {"Mixer", "Mixer", "page-mixer"},
};

// The whole settings file as the program would write it from `settings` and `chart`.
CMIniText FileTextOf(const CMZimbrelIni& settings, const CMChartSettings& chart)
{
    CMIniText text;
    settings.SaveTo(text);
    chart.SaveTo(text);
    return text;
}

CMString Stored(const IMIniStore& store, const CMSetting& setting)
{
    return store.ReadString(setting.section, setting.key, CMString());
}

}  // namespace

std::vector<CMSectionPage> SectionPages()
{
    std::vector<CMSectionPage> pages;
    for (const CMSectionPage& page : kSectionPages) {
        if (!CMOptionsSheet::RowsOf(page).empty())
            pages.push_back(page);
    }
    return pages;
}

CMFontChoice FontChoiceOf(const CMFontConfig& font)
{
    return {font.name.Str(), font.height * kPointsPerInch, font.bold ? kBoldWeight : 400,
            font.italic != 0};
}

void TakeFontChoice(const CMFontChoice& choice, CMFontConfig& font)
{
    font.name = choice.family.c_str();
    font.height = SettingOf(font.section.View(), "Height").Fit(choice.points / kPointsPerInch);
    font.bold = choice.weight >= kBoldWeight;
    font.italic = choice.italic;
}

const CMSetting& CMOptionsSheet::SettingOfList(GeneralList list)
{
    static const CMSetting* const settings[kListCount] = {
        &SettingOf("General", "InitialZoom"), &SettingOf("General", "Precount"),
        &SettingOf("Preferences", "UserDefinedKey"), &SettingOf("General", "ChordStyle"),
        &SettingOf("General", "PrecountNote")};
    return *settings[list];
}

CMOptionsSheet::CMOptionsSheet(const CMZimbrelIni& settings, const CMChartSettings& chart,
                               std::vector<CMSectionPage> sections)
    : email(settings.email), password(settings.password), server(settings.server),
      port(settings.port), tempos(settings.tempos), m_sections(std::move(sections)),
      m_opened(FileTextOf(settings, chart)), m_values(m_opened)
{
    const int values[kListCount] = {settings.initialZoom, settings.precount,
                                    settings.userDefinedKey, settings.chordStyle,
                                    settings.precountNote};
    for (int list = 0; list < kListCount; ++list)
        listIndex[list] = IndexOf(SettingOfList(static_cast<GeneralList>(list)), values[list]);
    for (const CMFontConfig* font : FontsOf(chart))
        fonts.push_back(*font);
}

void CMOptionsSheet::Apply(CMZimbrelIni& settings, CMChartSettings& chart) const
{
    const auto value = [this](GeneralList list) {
        return ValueOf(SettingOfList(list), listIndex[list]);
    };
    settings.initialZoom = value(InitialZoom);
    settings.precount = value(Precount);
    settings.userDefinedKey = value(UserDefinedKey);
    settings.chordStyle = static_cast<std::uint8_t>(value(ChordStyle));
    settings.precountNote = static_cast<std::uint8_t>(value(PrecountNote));
    chart.chordStyle = settings.chordStyle;
    const auto chartFonts = FontsOf(chart);
    for (std::size_t i = 0; i < chartFonts.size() && i < fonts.size(); ++i)
        *chartFonts[i] = fonts[i];
    settings.email = email;
    settings.password = password;
    settings.server = server;
    settings.port = SettingOf("Account", "Port").Fit(port);
    for (std::size_t i = 0; i < tempos.size(); ++i) {
        settings.tempos[i].tempo = kTempoRange.Clamp(tempos[i].tempo);
        settings.tempos[i].repeat = kRepeatRange.Clamp(tempos[i].repeat);
    }
    if (m_sections.empty())
        return;
    // Only what was changed on the section pages is taken from them: the other pages' values
    // (the chord style's copy in "Preferences" among them) stay as just copied back.
    CMIniText text = FileTextOf(settings, chart);
    for (const CMSectionPage& page : m_sections) {
        for (const CMSetting* setting : RowsOf(page)) {
            if (IsChanged(*setting))
                text.WriteString(setting->section, setting->key, Stored(m_values, *setting).View());
        }
    }
    settings.LoadFrom(text);
    chart.LoadFrom(text);
}

std::vector<const CMSetting*> CMOptionsSheet::RowsOf(const CMSectionPage& page)
{
    std::vector<const CMSetting*> rows;
    for (const CMSetting& setting : SettingsTable()) {
        if (setting.section == page.section)
            rows.push_back(&setting);
    }
    return rows;
}

bool CMOptionsSheet::IsChanged(const CMSetting& setting) const
{
    return Stored(m_values, setting) != Stored(m_opened, setting);
}

std::string CMOptionsSheet::CheckSections() const
{
    // A value the sheet opened with is the program's own, even one outside its range.
    for (const CMSectionPage& page : m_sections) {
        for (const CMSetting* setting : RowsOf(page)) {
            if (!IsChanged(*setting))
                continue;
            std::string refusal = CheckSettingChange({setting->section, setting->key},
                                                     Stored(m_values, *setting).Str());
            if (!refusal.empty())
                return refusal;
        }
    }
    return std::string();
}

int CMOptionsSheet::RememberedPage()
{
    return s_rememberedPage;
}

void CMOptionsSheet::RememberPage(int page)
{
    if (page >= 0)
        s_rememberedPage = page;
}
