// CMChartSettings: the renderer's fonts and chord style, and the order in which it reads and
// writes them. Their defaults and ranges are the chart's rows of the settings table.
#include "settings/CMChartSettings.h"

#include "settings/DefaultSettings.h"
#include "settings/SettingsTable.h"

namespace {

// A font of `section` in no file, its look to be read from the defaults.
CMFontConfig Font(const char* section)
{
    return CMFontConfig("", section, "", 0, false, false, 0);
}

const CMSetting& ChordStyleSetting()
{
    return SettingOf("Preferences", "ChordStyle");
}

}  // namespace

CMChartSettings::CMChartSettings(const char* fileName) : CMChartSettings(TableDefaults())
{
    const CMIniFile file(fileName);
    for (CMFontConfig* font : {&titleFont, &labelFont, &lyricsFont, &chordFont, &authorFont})
        font->ini = file;
    m_file = file;
}

CMChartSettings::CMChartSettings(const CMIniText& defaults)
    : titleFont(Font("TitleFont")), labelFont(Font("LabelFont")), lyricsFont(Font("LyricsFont")),
      chordFont(Font("ChordFont")), authorFont(Font("AuthorFont"))
{
    LoadFrom(defaults);
}

const CMChartSettings& CMChartSettings::TableDefaults()
{
    static const CMChartSettings defaults(DefaultSettingsText());
    return defaults;
}

void CMChartSettings::Load()
{
    CMIniText text;
    m_file.ReadText(text);  // an unreadable file gives the defaults, like a missing one
    LoadFrom(text);
}

bool CMChartSettings::Save() const
{
    return m_file.Edit([this](IMIniStore& store) { return SaveTo(store); });
}

void CMChartSettings::LoadFrom(const IMIniStore& store)
{
    // Every drawing uses the heights as they are, so one the chart cannot draw (none, or miles
    // high) is brought within the setting's range as it is read.
    for (CMFontConfig* font : {&titleFont, &labelFont, &lyricsFont, &chordFont, &authorFont}) {
        font->LoadFrom(store);
        font->height = SettingOf(font->section.View(), "Height").Fit(font->height);
    }
    const CMSetting& style = ChordStyleSetting();
    chordStyle = static_cast<std::uint8_t>(
        store.ReadInt(style.section, style.key, static_cast<int>(style.DefaultNumber())));
}

bool CMChartSettings::SaveTo(IMIniStore& store) const
{
    bool ok = true;
    for (const CMFontConfig* font : {&titleFont, &labelFont, &lyricsFont, &chordFont, &authorFont})
        ok &= font->SaveTo(store);
    ok &= store.WriteInt(ChordStyleSetting().section, ChordStyleSetting().key, chordStyle);
    return ok;
}
