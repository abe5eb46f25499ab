// The settings table: every key of the settings file with its rules, and the checks and fits
// that apply them. The rows are in the order the program writes them.
#include "settings/SettingsTable.h"

#include "core/CMString.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <stdexcept>

namespace {

// Where a row stands in the file.
struct Place {
    std::string section;
    std::string key;
};

CMSetting Row(Place place, CMSettingKind kind, CMSettingRange range, std::string defaultValue,
              std::string description)
{
    return CMSetting{std::move(place.section), std::move(place.key),  kind, range, {},
                     std::move(defaultValue),  std::move(description)};
}

CMSetting Switch(Place place, bool on, std::string description)
{
    return Row(std::move(place), CMSettingKind::Switch, {0, 1}, on ? "1" : "0",
               std::move(description));
}

CMSetting Number(Place place, CMSettingRange range, int value, std::string description)
{
    return Row(std::move(place), CMSettingKind::Number, range, std::to_string(value),
               std::move(description));
}

// Stored as IMIniStore::WriteDouble writes it.
CMSetting Decimal(Place place, CMSettingRange range, double value, std::string description)
{
    CMString text;
    text.Format("%f", value);
    return Row(std::move(place), CMSettingKind::Decimal, range, text.Str(), std::move(description));
}

// The first item stands for `first`, the next for first + 1, and so on.
CMSetting Choice(Place place, int first, std::vector<std::string> items, int value,
                 std::string description)
{
    const CMSettingRange range{static_cast<double>(first),
                               static_cast<double>(first + static_cast<int>(items.size()) - 1)};
    CMSetting row = Row(std::move(place), CMSettingKind::Choice, range, std::to_string(value),
                        std::move(description));
    row.items = std::move(items);
    return row;
}

CMSetting Text(Place place, std::string value, std::string description)
{
    return Row(std::move(place), CMSettingKind::Text, {}, std::move(value), std::move(description));
}

// "-7" ... "0" ... "+7".
std::vector<std::string> SignedNumbers(CMSettingRange range)
{
    std::vector<std::string> texts;
    for (int n = static_cast<int>(range.lowest); n <= static_cast<int>(range.highest); ++n)
        texts.push_back(n > 0 ? "+" + std::to_string(n) : std::to_string(n));
    return texts;
}

// "C0", "Db0" ... "B7": MIDI key = octave × 12 + pitch class.
std::vector<std::string> NoteNames()
{
    const char* const pitches[] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    std::vector<std::string> names;
    for (int octave = 0; octave < 8; ++octave)
        for (const char* pitch : pitches)
            names.push_back(pitch + std::to_string(octave));
    return names;
}

std::vector<std::string> ChordStyles()
{
    return {"Default", "maj, min", "M, m", "Symbol"};
}

constexpr CMSettingRange kPortRange{1, 65535};
constexpr CMSettingRange kZoomRange{0.5, 2.5};         // the zoom slider's 50 % to 250 %
constexpr CMSettingRange kFontHeightRange{0.05, 1.0};  // inches: 3.6 to 72 points
constexpr CMSettingRange kColourRange{0, 0xFFFFFF};
constexpr CMSettingRange kPanRange{-64, 63};

void AddTempoPresets(std::vector<CMSetting>& rows)
{
    struct Preset {
        const char* section;
        int tempo;
        int repeat;
    };
    static const Preset presets[] = {{"Ballad", 60, 2},  {"MediumSlow", 100, 3},
                                     {"Medium", 140, 4}, {"MediumFast", 180, 4},
                                     {"Fast", 240, 5},   {"VeryFast", 300, 5}};
    // The keys are numbered with the preset's place.
    for (std::size_t i = 0; i < std::size(presets); ++i) {
        const Preset& preset = presets[i];
        const std::string place = std::to_string(i + 1);
        const std::string name = std::string("the \"") + preset.section + "\" preset";
        rows.push_back(Number({preset.section, "Tempo" + place}, kTempoRange, preset.tempo,
                              "Tempo of " + name + ", in quarter notes per minute"));
        rows.push_back(Number({preset.section, "Repeat" + place}, kRepeatRange, preset.repeat,
                              "Times " + name + " plays the form (1: once)"));
    }
}

// The volume and pan of each instrument and the reverb, as the built-in synthesizer and the audio
// export apply them. The defaults balance the trio with the General MIDI SoundFonts of Debian
// (FluidR3 and TimGM6mb): the drums as loud as the bass, the piano a little above both.
void AddMixer(std::vector<CMSetting>& rows)
{
    struct Instrument {
        const char* name;
        const char* part;
        int volume;
        int pan;
    };
    static const Instrument instruments[] = {{"Piano", "the piano", 90, -20},
                                             {"Bass", "the bass", 56, 0},
                                             {"Drums", "the drums", 127, 20}};
    const char* const mixer = "Mixer";
    for (const Instrument& instrument : instruments) {
        const std::string name = instrument.name;
        rows.push_back(Number({mixer, name + "Volume"}, kVolumeRange, instrument.volume,
                              "Volume of " + std::string(instrument.part) + " (0: silent)"));
        rows.push_back(Number({mixer, name + "Pan"}, kPanRange, instrument.pan,
                              "Place of " + std::string(instrument.part) +
                                  " between the speakers (-64 left, 0 centre, 63 right)"));
    }
    rows.push_back(Number({mixer, "Reverb"}, kVolumeRange, 32, "How much of the room is heard"));
}

void AddApplicationSettings(std::vector<CMSetting>& rows)
{
    AddTempoPresets(rows);
    const char* const preferences = "Preferences";
    rows.push_back(Switch({preferences, "Piano"}, true, "Play the piano part"));
    rows.push_back(Switch({preferences, "Bass"}, true, "Play the bass part"));
    rows.push_back(Switch({preferences, "Drums"}, true, "Play the drum part"));
    rows.push_back(Choice({preferences, "InstrumentType"}, 0,
                          {"Concert key", "Bb instrument key", "Eb instrument key",
                           "User-defined key", "Number system"},
                          0, "The key the chords are shown in"));
    rows.push_back(Choice({preferences, "UserDefinedKey"}, static_cast<int>(kTransposeRange.lowest),
                          SignedNumbers(kTransposeRange), 5,
                          "Semitones the user-defined key moves the chords by"));
    rows.push_back(Text({preferences, "MidiOutPort"}, "",
                        "MIDI output port to play on, by name (empty: the built-in synthesizer)"));
    rows.push_back(Text({preferences, "Band"}, "Zimbrel Trio", "The band that plays the songs"));
    rows.push_back(Choice({preferences, "Feel"}, 0, {"Strict", "Natural"}, 0,
                          "How the band plays: strictly as written, or with a natural feel"));
    rows.push_back(Switch({preferences, "Intro"}, true, "Show and play the intro"));
    rows.push_back(
        Switch({preferences, "Verse"}, true, "Show and play the verse before the theme"));
    rows.push_back(Switch({preferences, "Lyrics"}, true,
                          "The ribbon's Lyrics check (the chart shows lyrics either way)"));
    rows.push_back(Text({preferences, "SoundFont"}, "",
                        "SoundFont of the built-in synthesizer (empty: the system's General MIDI "
                        "SoundFont)"));
    const char* const account = "Account";
    rows.push_back(Text({account, "Email"}, "", "E-mail address of the song-server account"));
    rows.push_back(
        Text({account, "Password"}, "", "Password of the song-server account, stored as typed"));
    rows.push_back(
        Text({account, "Server"}, "127.0.0.1", "Host name or address of the song server"));
    rows.push_back(Number({account, "Port"}, kPortRange, 11111, "Port of the song server"));
    const char* const general = "General";
    rows.push_back(
        Choice({general, "InitialZoom"}, 0,
               {"Fit to window", "Fit to 80% of height", "Fit to 2 pages", "Restore last setting"},
               1, "The zoom of a chart when it is opened"));
    rows.push_back(Decimal({general, "Zoom"}, kZoomRange, 1.0,
                           "The last zoom factor, which \"Restore last setting\" opens with"));
    rows.push_back(Choice({general, "Precount"}, 0,
                          {"No precount", "1 measure precount", "2 measures precount"}, 1,
                          "The count-in of songs that name none"));
    rows.push_back(
        Choice({general, "ChordStyle"}, 0, ChordStyles(), 0, "How chord symbols are written"));
    rows.push_back(Switch({general, "ChordSymbol"}, false,
                          "1 while the chords are shown in the number system"));
    rows.push_back(Choice({general, "PrecountNote"}, 0, NoteNames(), 37,
                          "The drum key of the count-in click (37: side stick)"));
    AddMixer(rows);
}

void AddChartSettings(std::vector<CMSetting>& rows)
{
    struct Font {
        const char* section;
        const char* role;
        double height;
    };
    static const Font fonts[] = {{"TitleFont", "the title", 0.25},
                                 {"LabelFont", "section labels and marks", 0.125},
                                 {"LyricsFont", "the lyrics", 0.125},
                                 {"ChordFont", "the chords", 0.25},
                                 {"AuthorFont", "the composer and lyricist", 0.125}};
    for (const Font& font : fonts) {
        const std::string role = font.role;
        rows.push_back(Text({font.section, "Name"}, "Arial", "Typeface of " + role));
        rows.push_back(Decimal({font.section, "Height"}, kFontHeightRange, font.height,
                               "Character height of " + role + ", in inches"));
        rows.push_back(Switch({font.section, "Bold"}, false, "Bold type for " + role));
        rows.push_back(Switch({font.section, "Italic"}, false, "Italic type for " + role));
        rows.push_back(
            Number({font.section, "Color"}, kColourRange, 0, "Colour of " + role + ", 0xRRGGBB"));
    }
    rows.push_back(Choice({"Preferences", "ChordStyle"}, 0, ChordStyles(), 0,
                          "The chart's copy of General.ChordStyle, which replaces it at start"));
}

struct Table {
    std::vector<CMSetting> rows;
    std::size_t applicationRows = 0;
};

const Table& TheTable()
{
    static const Table table = [] {
        Table built;
        AddApplicationSettings(built.rows);
        built.applicationRows = built.rows.size();
        AddChartSettings(built.rows);
        return built;
    }();
    return table;
}

// A number in a message: whole numbers without decimals.
std::string NumberText(double value)
{
    CMString text;
    text.Format(value == std::floor(value) && std::fabs(value) < 1e15 ? "%.0f" : "%g", value);
    return text.Str();
}

// A whole number as the settings file reads it: decimal, or hexadecimal after "0x" (its low 32
// bits). Empty when the text is not one whole number.
std::optional<long long> WholeNumber(std::string_view text)
{
    const std::string value(text);
    char* end = nullptr;
    errno = 0;
    if (value.size() > 2 && value.compare(0, 2, "0x") == 0) {
        const unsigned long long number = std::strtoull(value.c_str() + 2, &end, 16);
        if (*end != '\0' || errno != 0 || value[2] == '-' || number > 0xFFFFFFFFULL)
            return std::nullopt;
        return static_cast<int>(static_cast<unsigned int>(number));
    }
    const long long number = std::strtoll(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || errno != 0)
        return std::nullopt;
    return number;
}

bool IsSwitchWord(std::string_view text)
{
    const CMString lower = CMString(std::string(text)).ToLower();
    for (const char* word : {"true", "on", "yes", "false", "off", "no"})
        if (lower == word)
            return true;
    return false;
}

bool IsAllowed(const CMSetting& setting, std::string_view value)
{
    switch (setting.kind) {
    case CMSettingKind::Switch:
    case CMSettingKind::Number:
    case CMSettingKind::Choice: {
        if (setting.kind == CMSettingKind::Switch && IsSwitchWord(value))
            return true;
        const std::optional<long long> number = WholeNumber(value);
        return number && setting.range.Holds(static_cast<double>(*number));
    }
    case CMSettingKind::Decimal: {
        const std::string text(value);
        char* end = nullptr;
        const double number = std::strtod(text.c_str(), &end);
        return !text.empty() && *end == '\0' && setting.range.Holds(number);
    }
    case CMSettingKind::Text: return true;
    }
    return false;
}

}  // namespace

int CMSettingRange::Clamp(int value) const
{
    return std::clamp(value, static_cast<int>(lowest), static_cast<int>(highest));
}

double CMSettingRange::Clamp(double value) const
{
    return std::clamp(value, lowest, highest);
}

std::string CMSettingRange::Text() const
{
    return NumberText(lowest) + " to " + NumberText(highest);
}

double CMSetting::DefaultNumber() const
{
    return std::strtod(defaultValue.c_str(), nullptr);
}

int CMSetting::Fit(int value) const
{
    switch (kind) {
    case CMSettingKind::Switch: return value != 0 ? 1 : 0;
    case CMSettingKind::Choice:
        return range.Holds(value) ? value : static_cast<int>(DefaultNumber());
    case CMSettingKind::Number:
    case CMSettingKind::Decimal: return range.Clamp(value);
    case CMSettingKind::Text: break;
    }
    return value;
}

double CMSetting::Fit(double value) const
{
    if (kind == CMSettingKind::Text)
        return value;
    if (std::isnan(value))
        return DefaultNumber();
    if (kind == CMSettingKind::Switch)
        return value != 0 ? 1 : 0;
    if (kind == CMSettingKind::Choice)
        return range.Holds(value) && value == std::floor(value) ? value : DefaultNumber();
    return range.Clamp(value);
}

std::string CMSetting::ItemText(int value) const
{
    if (kind != CMSettingKind::Choice || !range.Holds(value))
        return std::string();
    return items[static_cast<std::size_t>(value - static_cast<int>(range.lowest))];
}

std::string CMSetting::Allowed() const
{
    const std::string span = "from " + range.Text();
    switch (kind) {
    case CMSettingKind::Switch: return "0 or 1 (or true/false, on/off, yes/no)";
    case CMSettingKind::Number: return "a whole number " + span;
    case CMSettingKind::Decimal: return "a number " + span;
    case CMSettingKind::Text: return "any text on one line";
    case CMSettingKind::Choice: break;
    }
    if (items.size() > 5)
        return "a whole number " + span + " (shown as " + items.front() + " to " + items.back() +
               ")";
    std::string list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const char* separator = i == 0 ? "" : i + 1 == items.size() ? " or " : ", ";
        list +=
            separator + NumberText(range.lowest + static_cast<double>(i)) + " (" + items[i] + ")";
    }
    return list;
}

std::span<const CMSetting> SettingsTable()
{
    return TheTable().rows;
}

std::span<const CMSetting> ApplicationSettingsTable()
{
    return SettingsTable().first(TheTable().applicationRows);
}

std::span<const CMSetting> ChartSettingsTable()
{
    return SettingsTable().subspan(TheTable().applicationRows);
}

const CMSetting* FindSetting(std::string_view section, std::string_view key)
{
    for (const CMSetting& setting : SettingsTable())
        if (setting.section == section && setting.key == key)
            return &setting;
    return nullptr;
}

const CMSetting& SettingOf(std::string_view section, std::string_view key)
{
    if (const CMSetting* setting = FindSetting(section, key))
        return *setting;
    throw std::out_of_range("no setting " + std::string(section) + "." + std::string(key));
}

std::string CheckSettingValue(const CMSetting& setting, std::string_view value,
                              const CMSettingCheck& more)
{
    if (!IsAllowed(setting, value))
        return setting.Allowed();
    return more ? more(setting, value) : std::string();
}
