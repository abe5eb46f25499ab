// The performance options: see PerformanceOptions.h.
#include "cli/PerformanceOptions.h"

#include "performance/GenerateMidi.h"

#include <cerrno>
#include <cstdlib>

const char* const kPerformanceOptionsHelp =
    R"(  --band NAME         the band (default: "Band" in ./Zimbrel.ini, "Zimbrel Trio")
  --tempo N           beats per minute, 30-360 (default: the song's style or tempo)
  --transpose N       semitones, -7 to 7
  --no-piano, --no-bass, --no-drums
                      leave an instrument out
  --precount N        count-in measures, 0-2 (default: the song's precount)
  --precount-note N   MIDI key of the count-in click, 0-127 (default 37, side stick)
  --repeats N         choruses of the theme, 1-99 (default: the song's style or repeat)
  --no-intro, --no-verse
                      leave the intro or the verse out
  --seed N            the random choices of the musicians (default: the clock)
)";

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

struct NumberOption {
    const char* name;
    long long low;
    long long high;
};

const NumberOption kNumberOptions[] = {
    {"--tempo", CMPerformanceSettings::kLowestTempo, CMPerformanceSettings::kHighestTempo},
    {"--transpose", -7, 7},
    {"--precount", 0, 2},
    {"--precount-note", 0, 127},
    {"--repeats", 1, 99},
    {"--seed", 0, 4294967295LL},
};

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
    for (const NumberOption& candidate : kNumberOptions)
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
    if (!ParseInteger(value, number->low, number->high, parsed)) {
        error = option + " takes a whole number from " + std::to_string(number->low) + " to " +
                std::to_string(number->high) + ", not '" + value + "'";
        return -1;
    }
    Store(option, parsed, performance);
    return 2;
}
