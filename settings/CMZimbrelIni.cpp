// CMZimbrelIni: which field holds each row of the application's part of the settings table.
#include "settings/CMZimbrelIni.h"

#include "settings/DefaultSettings.h"
#include "settings/SettingsTable.h"

#include <cassert>

namespace {

// Calls `visit` on every field, in the order of the rows of ApplicationSettingsTable().
template <class Settings, class Visit>
void ForEachValue(Settings& settings, Visit&& visit)
{
    for (auto& preset : settings.tempos) {
        visit(preset.tempo);
        visit(preset.repeat);
    }
    visit(settings.piano);
    visit(settings.bass);
    visit(settings.drums);
    visit(settings.instrumentType);
    visit(settings.userDefinedKey);
    visit(settings.midiOutPort);
    visit(settings.band);
    visit(settings.feel);
    visit(settings.intro);
    visit(settings.verse);
    visit(settings.lyrics);
    visit(settings.soundFont);
    visit(settings.email);
    visit(settings.password);
    visit(settings.server);
    visit(settings.port);
    visit(settings.initialZoom);
    visit(settings.zoom);
    visit(settings.precount);
    visit(settings.chordStyle);
    visit(settings.chordSymbol);
    visit(settings.precountNote);
    visit(settings.mixer.pianoVolume);
    visit(settings.mixer.pianoPan);
    visit(settings.mixer.bassVolume);
    visit(settings.mixer.bassPan);
    visit(settings.mixer.drumsVolume);
    visit(settings.mixer.drumsPan);
    visit(settings.mixer.reverb);
}

// Reads one value with the field as its default: switches are stored numbers other than 0, and
// 8-bit values keep the low 8 bits of what is stored.
void Read(const IMIniStore& store, const CMSetting& row, bool& value)
{
    value = store.ReadInt(row.section, row.key, value ? 1 : 0) != 0;
}

void Read(const IMIniStore& store, const CMSetting& row, std::uint8_t& value)
{
    value = static_cast<std::uint8_t>(store.ReadInt(row.section, row.key, value));
}

void Read(const IMIniStore& store, const CMSetting& row, int& value)
{
    value = store.ReadInt(row.section, row.key, value);
}

void Read(const IMIniStore& store, const CMSetting& row, double& value)
{
    value = store.ReadDouble(row.section, row.key, value);
}

void Read(const IMIniStore& store, const CMSetting& row, CMString& value)
{
    value = store.ReadString(row.section, row.key, value);
}

bool Write(IMIniStore& store, const CMSetting& row, int value)
{
    return store.WriteInt(row.section, row.key, value);
}

bool Write(IMIniStore& store, const CMSetting& row, double value)
{
    return store.WriteDouble(row.section, row.key, value);
}

bool Write(IMIniStore& store, const CMSetting& row, const CMString& value)
{
    return store.WriteString(row.section, row.key, value.View());
}

}  // namespace

CMZimbrelIni::CMZimbrelIni() : CMZimbrelIni(TableDefaults()) {}

CMZimbrelIni::CMZimbrelIni(const CMIniText& defaults) : CMIniFile("Zimbrel.ini")
{
    // A preset is named after its section, the section of its two rows.
    const std::span<const CMSetting> rows = ApplicationSettingsTable();
    for (std::size_t i = 0; i < tempos.size(); ++i)
        tempos[i].name = rows[2 * i].section.c_str();
    LoadFrom(defaults);
}

const CMZimbrelIni& CMZimbrelIni::TableDefaults()
{
    static const CMZimbrelIni defaults(DefaultSettingsText());
    return defaults;
}

void CMZimbrelIni::Load()
{
    CMIniText text;
    ReadText(text);  // an unreadable file gives the defaults, like a missing one
    LoadFrom(text);
}

bool CMZimbrelIni::Save() const
{
    return Edit([this](IMIniStore& store) { return SaveTo(store); });
}

void CMZimbrelIni::LoadFrom(const IMIniStore& store)
{
    const std::span<const CMSetting> rows = ApplicationSettingsTable();
    std::size_t next = 0;
    ForEachValue(*this, [&](auto& value) { Read(store, rows[next++], value); });
    assert(next == rows.size());
}

bool CMZimbrelIni::SaveTo(IMIniStore& store) const
{
    const std::span<const CMSetting> rows = ApplicationSettingsTable();
    std::size_t next = 0;
    bool ok = true;
    ForEachValue(*this, [&](const auto& value) { ok &= Write(store, rows[next++], value); });
    assert(next == rows.size());
    return ok;
}
