// CMFontConfig: the five keys of a font section.
#include "settings/CMFontConfig.h"

CMFontConfig::CMFontConfig(const char* fileName, const char* section_, const char* typeface,
                           double height_, bool bold_, bool italic_, int packedColour)
    : ini(fileName), section(section_), name(typeface), height(height_), bold(bold_),
      italic(italic_), colour(packedColour)
{
}

CMFontConfig& CMFontConfig::operator=(const CMFontConfig& other)
{
    name = other.name;
    height = other.height;
    bold = other.bold;
    italic = other.italic;
    colour = other.colour;
    return *this;
}

void CMFontConfig::Load()
{
    CMIniText text;
    ini.ReadText(text);
    LoadFrom(text);
}

bool CMFontConfig::Save() const
{
    return ini.Edit([this](IMIniStore& store) { return SaveTo(store); });
}

void CMFontConfig::LoadFrom(const IMIniStore& store)
{
    name = store.ReadString(section.View(), "Name", name);
    height = store.ReadDouble(section.View(), "Height", height);
    bold = store.ReadInt(section.View(), "Bold", bold) != 0;
    italic = store.ReadInt(section.View(), "Italic", italic) != 0;
    colour = CMColour(store.ReadInt(section.View(), "Color", colour.Pack()));
}

bool CMFontConfig::SaveTo(IMIniStore& store) const
{
    bool ok = store.WriteString(section.View(), "Name", name.View());
    ok &= store.WriteDouble(section.View(), "Height", height);
    ok &= store.WriteInt(section.View(), "Bold", bold);
    ok &= store.WriteInt(section.View(), "Italic", italic);
    ok &= store.WriteInt(section.View(), "Color", colour.Pack());
    return ok;
}
