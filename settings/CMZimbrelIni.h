// CMZimbrelIni: the application's settings in ./Zimbrel.ini: the six tempo presets, the
// preferences (instruments, key kind, band and its feel, MIDI port, what the chart shows), the
// song-server account, the general values (zoom, precount, chord style) and the mixer. Every field
// starts at its default; Load takes what the file holds, and Save writes every key, in the settings
// table's order.
#pragma once

#include "core/CMString.h"
#include "settings/CMIniFile.h"

#include <array>
#include <cstdint>

// One tempo preset: its style name (also its section in the file), tempo and repeat count.
class CMZimbrelTempo {
public:
    CMZimbrelTempo() = default;
    CMZimbrelTempo(const char* name_, int tempo_, int repeat_)
        : name(name_), tempo(tempo_), repeat(repeat_)
    {
    }

    CMString name;
    int tempo = 150;  // quarter notes per minute
    int repeat = 3;   // times the form is played
};

// The key in which the chart shows the chords ("InstrumentType").
enum CMInstrumentType : int {
    InstrumentConcert = 0,
    InstrumentBFlat = 1,    // two semitones up
    InstrumentEFlat = 2,    // three semitones down
    InstrumentUserKey = 3,  // "UserDefinedKey" semitones
    InstrumentNumbers = 4,  // scale degrees, untransposed
};

// How the band plays ("Feel").
enum CMFeelSetting : int { FeelStrict = 0, FeelNatural = 1 };

// The mixer: volume (0-127) and pan (-64 left to 63 right) of each instrument, and the reverb.
struct CMZimbrelMixer {
    int pianoVolume{};
    int pianoPan{};
    int bassVolume{};
    int bassPan{};
    int drumsVolume{};
    int drumsPan{};
    int reverb{};

    bool operator==(const CMZimbrelMixer&) const = default;
};

class CMZimbrelIni : public CMIniFile {
public:
    static constexpr int kTempoCount = 6;

    // The settings file ./Zimbrel.ini with every value at its default (the settings table's).
    CMZimbrelIni();

    // Reads every value from the file, the current value being the default of each.
    void Load();
    // Writes every value with one replacement of the file. False when the file could not be
    // written; it then keeps its old contents.
    bool Save() const;

    // The same, on any store: each key read with the field as its default, or written. The keys,
    // their order and their sections are the rows of ApplicationSettingsTable().
    void LoadFrom(const IMIniStore& store);
    bool SaveTo(IMIniStore& store) const;

    // The values as stored: one outside its range stays as it is until the user changes it;
    // what the program works with is the setting's Fit (SettingsTable.h).
    std::array<CMZimbrelTempo, kTempoCount> tempos;
    bool piano{};
    bool bass{};
    bool drums{};
    int instrumentType{};  // CMInstrumentType
    int userDefinedKey{};  // -7 to +7 semitones
    CMString midiOutPort;  // name of the MIDI output port
    CMString band;
    int feel{};  // CMFeelSetting
    bool intro{};
    bool verse{};
    bool lyrics{};
    CMString soundFont;  // General MIDI SoundFont of the built-in synthesizer; empty: search
    CMString email;
    CMString password;
    CMString server;  // the song server
    int port{};
    int initialZoom{};  // 0 fit window, 1 fit 80% of height, 2 fit two pages, 3 last zoom
    double zoom{};
    int precount{};               // measures of count-in, 0-2
    std::uint8_t chordStyle{};    // 0 default, 1 "maj, min", 2 "M, m", 3 symbols
    std::uint8_t chordSymbol{};   // 1 while the chart shows scale degrees
    std::uint8_t precountNote{};  // MIDI key of the count-in click
    CMZimbrelMixer mixer;

private:
    // Every value read from `defaults`, the file written from the settings table.
    explicit CMZimbrelIni(const CMIniText& defaults);
    // Read once; every new object is a copy.
    static const CMZimbrelIni& TableDefaults();
};
