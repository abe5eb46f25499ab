// CMChartSettings: the font table and the order in which the renderer reads and writes.
#include "settings/CMChartSettings.h"

namespace {

CMFontConfig DefaultFont(const char* fileName, const char* section, double height)
{
    return CMFontConfig(fileName, section, "Arial", height, false, false, 0);
}

}  // namespace

CMChartSettings::CMChartSettings(const char* fileName)
    : titleFont(DefaultFont(fileName, "TitleFont", 0.25)),
      labelFont(DefaultFont(fileName, "LabelFont", 0.125)),
      lyricsFont(DefaultFont(fileName, "LyricsFont", 0.125)),
      chordFont(DefaultFont(fileName, "ChordFont", 0.25)),
      authorFont(DefaultFont(fileName, "AuthorFont", 0.125)), m_file(fileName)
{
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
    for (CMFontConfig* font : {&titleFont, &labelFont, &lyricsFont, &chordFont, &authorFont})
        font->LoadFrom(store);
    chordStyle = static_cast<std::uint8_t>(store.ReadInt("Preferences", "ChordStyle", 0));
}

bool CMChartSettings::SaveTo(IMIniStore& store) const
{
    bool ok = true;
    for (const CMFontConfig* font : {&titleFont, &labelFont, &lyricsFont, &chordFont, &authorFont})
        ok &= font->SaveTo(store);
    ok &= store.WriteInt("Preferences", "ChordStyle", chordStyle);
    return ok;
}
