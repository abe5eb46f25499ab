// The performance options: see PerformanceOptions.h.
#include "cli/PerformanceOptions.h"

#include "core/CMString.h"
#include "performance/GenerateMidi.h"
#include "settings/SettingsTable.h"

#include <cerrno>
#include <cstdlib>

namespace {

struct NumberOption {
    const char* name;
    CMSettingRange range;
};

// The ranges are those of the settings and controls the options stand for.
const std::vector<NumberOption>& NumberOptions()
{
    static const std::vector<NumberOption> options = {
        {"--tempo", kTempoRange},
        {"--transpose", kTransposeRange},
        {"--precount", SettingOf("General", "Precount").range},
        {"--precount-note", SettingOf("General", "PrecountNote").range},
        {"--repeats", kRepeatRange},
        {"--seed", {0, 4294967295.0}},
    };
    return options;
}

std::string RangeText(std::string_view name)
{
    for (const NumberOption& option : NumberOptions())
        if (name == option.name)
            return option.range.Text();
    return std::string();
}

}  // namespace

std::string PerformanceOptionsHelp()
{
    CMString text;
    text.Format(R"(  --band NAME         the band (default: "Band" in ./Zimbrel.ini, "Zimbrel Trio")
  --tempo N           beats per minute, %s (default: the song's style or tempo)
  --transpose N       semitones, %s
  --no-piano, --no-bass, --no-drums
                      leave an instrument out
  --precount N        count-in measures, %s (default: the song's precount)
  --precount-note N   MIDI key of the count-in click, %s (default: "PrecountNote"
                      in ./Zimbrel.ini, 37, side stick)
  --repeats N         choruses of the theme, %s (default: the song's style or repeat)
  --no-intro, --no-verse
                      leave the intro or the verse out
  --seed N            the random choices of the musicians (default: the clock)
)",
                RangeText("--tempo").c_str(), RangeText("--transpose").c_str(),
                RangeText("--precount").c_str(), RangeText("--precount-note").c_str(),
                RangeText("--repeats").c_str());
    return text.Str();
}

bool ParseInteger(const std::string& text, long long low, long long high, long long& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

namespace {

void Store(const std::string& name, long long value, CMPerformanceSettings& performance)
{
    if (name == "--tempo")
        performance.tempo = static_cast<int>(value);
    else if (name == "--transpose")
        performance.transpose = static_cast<int>(value);
    else if (name == "--precount")
        performance.precount = static_cast<int>(value);
    else if (name == "--precount-note")
        performance.precountNote = static_cast<int>(value);
    else if (name == "--repeats")
        performance.repeats = static_cast<int>(value);
    else
        performance.seed = static_cast<std::uint32_t>(value);
}

}  // namespace

int TakePerformanceOption(const std::vector<std::string>& arguments, std::size_t index,
                          CMPerformanceSettings& performance, std::string& error)
{
    const std::string& option = arguments[index];
    const auto switchOff = [&](int instrument) {
        performance.instruments &= ~instrument;
        return 1;
    };
    if (option == "--no-piano")
        return switchOff(PlayPiano);
    if (option == "--no-bass")
        return switchOff(PlayBass);
    if (option == "--no-drums")
        return switchOff(PlayDrums);
    if (option == "--no-intro") {
        performance.intro = false;
        return 1;
    }
    if (option == "--no-verse") {
        performance.verse = false;
        return 1;
    }
    const bool isBand = option == "--band";
    const NumberOption* number = nullptr;
    for (const NumberOption& candidate : NumberOptions())
        if (option == candidate.name)
            number = &candidate;
    if (!isBand && !number)
        return 0;
    if (index + 1 >= arguments.size()) {
        error = option + " needs a value";
        return -1;
    }
    const std::string& value = arguments[index + 1];
    if (isBand) {
        performance.band = value.c_str();
        return 2;
    }
    long long parsed = 0;
    if (!ParseInteger(value, static_cast<long long>(number->range.lowest),
                      static_cast<long long>(number->range.highest), parsed)) {
        error =
            option + " takes a whole number from " + number->range.Text() + ", not '" + value + "'";
        return -1;
    }
    Store(option, parsed, performance);
    return 2;
}
