// CMZimbrelIni: the keys, their sections and their order in the file.
#include "settings/CMZimbrelIni.h"

namespace {

constexpr const char* kPreferences = "Preferences";
constexpr const char* kAccount = "Account";
constexpr const char* kGeneral = "General";

bool ReadBool(const IMIniStore& store, const char* section, const char* key, bool value)
{
    return store.ReadInt(section, key, value ? 1 : 0) != 0;
}

// The 8-bit values keep the low 8 bits of what is stored.
std::uint8_t ReadByte(const IMIniStore& store, const char* section, const char* key,
                      std::uint8_t value)
{
    return static_cast<std::uint8_t>(store.ReadInt(section, key, value));
}

CMString Numbered(const char* key, int position)
{
    CMString text;
    text.Format("%s%d", key, position);
    return text;
}

}  // namespace

CMZimbrelIni::CMZimbrelIni()
    : CMIniFile("Zimbrel.ini"), tempos{{{"Ballad", 60, 2},
                                        {"MediumSlow", 100, 3},
                                        {"Medium", 140, 4},
                                        {"MediumFast", 180, 4},
                                        {"Fast", 240, 5},
                                        {"VeryFast", 300, 5}}}
{
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
    for (int i = 0; i < kTempoCount; ++i) {
        CMZimbrelTempo& preset = tempos[static_cast<std::size_t>(i)];
        preset.tempo =
            store.ReadInt(preset.name.View(), Numbered("Tempo", i + 1).View(), preset.tempo);
        preset.repeat =
            store.ReadInt(preset.name.View(), Numbered("Repeat", i + 1).View(), preset.repeat);
    }
    piano = ReadBool(store, kPreferences, "Piano", piano);
    bass = ReadBool(store, kPreferences, "Bass", bass);
    drums = ReadBool(store, kPreferences, "Drums", drums);
    instrumentType = store.ReadInt(kPreferences, "InstrumentType", instrumentType);
    userDefinedKey = store.ReadInt(kPreferences, "UserDefinedKey", userDefinedKey);
    midiOutPort = store.ReadString(kPreferences, "MidiOutPort", midiOutPort);
    band = store.ReadString(kPreferences, "Band", band);
    intro = ReadBool(store, kPreferences, "Intro", intro);
    verse = ReadBool(store, kPreferences, "Verse", verse);
    lyrics = ReadBool(store, kPreferences, "Lyrics", lyrics);
    soundFont = store.ReadString(kPreferences, "SoundFont", soundFont);
    email = store.ReadString(kAccount, "Email", email);
    password = store.ReadString(kAccount, "Password", password);
    server = store.ReadString(kAccount, "Server", server);
    port = store.ReadInt(kAccount, "Port", port);
    initialZoom = store.ReadInt(kGeneral, "InitialZoom", initialZoom);
    zoom = store.ReadDouble(kGeneral, "Zoom", zoom);
    precount = store.ReadInt(kGeneral, "Precount", precount);
    chordStyle = ReadByte(store, kGeneral, "ChordStyle", chordStyle);
    chordSymbol = ReadByte(store, kGeneral, "ChordSymbol", chordSymbol);
    precountNote = ReadByte(store, kGeneral, "PrecountNote", precountNote);
}

bool CMZimbrelIni::SaveTo(IMIniStore& store) const
{
    bool ok = true;
    for (int i = 0; i < kTempoCount; ++i) {
        const CMZimbrelTempo& preset = tempos[static_cast<std::size_t>(i)];
        ok &= store.WriteInt(preset.name.View(), Numbered("Tempo", i + 1).View(), preset.tempo);
        ok &= store.WriteInt(preset.name.View(), Numbered("Repeat", i + 1).View(), preset.repeat);
    }
    ok &= store.WriteInt(kPreferences, "Piano", piano);
    ok &= store.WriteInt(kPreferences, "Bass", bass);
    ok &= store.WriteInt(kPreferences, "Drums", drums);
    ok &= store.WriteInt(kPreferences, "InstrumentType", instrumentType);
    ok &= store.WriteInt(kPreferences, "UserDefinedKey", userDefinedKey);
    ok &= store.WriteString(kPreferences, "MidiOutPort", midiOutPort.View());
    ok &= store.WriteString(kPreferences, "Band", band.View());
    ok &= store.WriteInt(kPreferences, "Intro", intro);
    ok &= store.WriteInt(kPreferences, "Verse", verse);
    ok &= store.WriteInt(kPreferences, "Lyrics", lyrics);
    ok &= store.WriteString(kPreferences, "SoundFont", soundFont.View());
    ok &= store.WriteString(kAccount, "Email", email.View());
    ok &= store.WriteString(kAccount, "Password", password.View());
    ok &= store.WriteString(kAccount, "Server", server.View());
    ok &= store.WriteInt(kAccount, "Port", port);
    ok &= store.WriteInt(kGeneral, "InitialZoom", initialZoom);
    ok &= store.WriteDouble(kGeneral, "Zoom", zoom);
    ok &= store.WriteInt(kGeneral, "Precount", precount);
    ok &= store.WriteInt(kGeneral, "ChordStyle", chordStyle);
    ok &= store.WriteInt(kGeneral, "ChordSymbol", chordSymbol);
    ok &= store.WriteInt(kGeneral, "PrecountNote", precountNote);
    return ok;
}
