// CMOptionsSheet: see CMOptionsSheet.h.
#include "app/CMOptionsSheet.h"

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

}  // namespace

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

CMOptionsSheet::CMOptionsSheet(const CMZimbrelIni& settings, const CMChartSettings& chart)
    : email(settings.email), password(settings.password), server(settings.server),
      port(settings.port), tempos(settings.tempos)
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
}

int CMOptionsSheet::RememberedPage()
{
    return s_rememberedPage;
}

void CMOptionsSheet::RememberPage(int page)
{
    if (page >= 0 && page < kPageCount)
        s_rememberedPage = page;
}
