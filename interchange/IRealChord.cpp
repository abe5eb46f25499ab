// Qualities: a leading sign (^ major seventh, - minor, h half-diminished, o diminished,
// + augmented), an extension (6, 69, 7, 9, 11, 13, 2, 5), "sus", "alt", "add" and altered
// tensions; each turned into what the song language writes for it.
#include "interchange/IRealChord.h"

#include <cctype>
#include <string_view>
#include <vector>

namespace {

struct Parts {
    std::string quality;    // "", "m", "dim", "aug", "sus"
    std::string seventh;    // "", "7", "maj7", "maj9"
    std::string extension;  // "9", "11" or "13" over no seventh: placed by Spell
    std::vector<std::string> tensions;
    std::string lost;
};

void AddLost(Parts& parts, const std::string& what)
{
    parts.lost += (parts.lost.empty() ? "" : ", ") + what;
}

// Takes `word` off the front of `rest` when it is there.
bool Take(std::string_view& rest, std::string_view word)
{
    if (rest.substr(0, word.size()) != word)
        return false;
    rest.remove_prefix(word.size());
    return true;
}

std::string TakeExtension(std::string_view& rest)
{
    for (const char* extension : {"13", "11", "69", "7", "9", "6", "5", "2"})
        if (Take(rest, extension))
            return extension;
    return "";
}

// The extension on a major seventh's sign: "maj7", or "maj9" with the tensions above it.
void ExtendMajorSeventh(Parts& parts, const std::string& extension)
{
    parts.seventh = extension == "7" || extension.empty() ? "maj7" : "maj9";
    if (extension == "11" || extension == "13")
        parts.tensions.push_back(extension);
    else if (extension == "6" || extension == "69" || extension == "2" || extension == "5")
        AddLost(parts, "^" + extension);
}

// The extension on the half-diminished sign: a minor seventh with a flat five, or a ninth or
// eleventh that brings the seventh itself.
void ExtendHalfDiminished(Parts& parts, const std::string& extension)
{
    parts.quality = "m";
    parts.seventh = extension == "9" || extension == "11" ? "" : "7";
    if (!parts.seventh.empty() && !extension.empty() && extension != "7")
        AddLost(parts, "h" + extension);
    if (parts.seventh.empty())
        parts.tensions.push_back(extension);
    parts.tensions.push_back("b5");
}

// The extension on the quality's sign: a seventh, a ninth on a seventh, more tensions.
void Extend(Parts& parts, char sign, const std::string& extension)
{
    if (sign == '^') {
        ExtendMajorSeventh(parts, extension);
        return;
    }
    if (sign == 'h') {
        ExtendHalfDiminished(parts, extension);
        return;
    }
    if (extension == "7")
        parts.seventh = "7";
    else if (extension == "6")
        parts.tensions.push_back("6");
    else if (extension == "69") {
        parts.tensions.push_back("6");
        parts.tensions.push_back("9");
    } else if (extension == "2" || extension == "5")
        AddLost(parts, extension == "2" ? "2 (an added ninth)" : "5 (no third)");
    else
        parts.extension = extension;
}

// The quality's leading sign, taken off `rest` and answered (0 for none).
char TakeSign(std::string_view& rest, Parts& parts)
{
    if (Take(rest, "-^")) {
        parts.quality = "m";
        return '^';
    }
    if (rest.empty() || std::string_view("^-ho+").find(rest[0]) == std::string_view::npos)
        return 0;
    const char sign = rest[0];
    rest.remove_prefix(1);
    parts.quality = sign == '-' ? "m" : sign == 'o' ? "dim" : sign == '+' ? "aug" : "";
    return sign;
}

void AddSus(Parts& parts)
{
    if (!parts.quality.empty())
        AddLost(parts, "sus on a " + parts.quality + " chord");
    else
        parts.quality = "sus";
}

// A flat or sharp tension at the front of `rest`.
void TakeAlteredTension(std::string_view& rest, Parts& parts)
{
    const char accidental = rest[0];
    rest.remove_prefix(1);
    const std::string step = TakeExtension(rest);
    const std::string tension = accidental + step;
    if (tension == "b5" || tension == "#5" || tension == "b9" || tension == "#9" ||
        tension == "#11" || tension == "b13")
        parts.tensions.push_back(tension);
    else if (accidental == 'b' && step == "6")
        parts.tensions.push_back("b13");
    else
        AddLost(parts, tension);
}

// An extension after the sign's own: the seventh of a "sus" written first, or added tensions.
void AddLaterExtension(Parts& parts, const std::string& extension)
{
    if (parts.quality == "sus" && parts.seventh.empty() && parts.extension.empty() &&
        parts.tensions.empty())
        Extend(parts, 0, extension);  // "sus" first, as in "sus7"
    else if (extension == "69") {
        parts.tensions.push_back("6");
        parts.tensions.push_back("9");
    } else if (extension == "6" || extension == "9" || extension == "11" || extension == "13")
        parts.tensions.push_back(extension);
    else
        AddLost(parts, extension);
}

// The song language has no word for "alt"; these two tensions ask for the altered scale.
void AddAlt(Parts& parts)
{
    if (parts.seventh.empty() && parts.extension.empty())
        parts.seventh = "7";
    parts.tensions.push_back("#9");
    parts.tensions.push_back("b13");
    AddLost(parts, "alt (the two tensions ask for the altered scale)");
}

Parts Parse(std::string_view rest)
{
    Parts parts;
    const char sign = TakeSign(rest, parts);
    Extend(parts, sign, TakeExtension(rest));
    bool alt = false;
    while (!rest.empty()) {
        if (Take(rest, "sus")) {
            AddSus(parts);
        } else if (Take(rest, "alt")) {
            alt = true;
        } else if (Take(rest, "add")) {
            const std::string added = TakeExtension(rest);
            AddLost(parts, "add" + added);
        } else if (rest[0] == 'b' || rest[0] == '#') {
            TakeAlteredTension(rest, parts);
        } else if (const std::string extension = TakeExtension(rest); !extension.empty()) {
            AddLaterExtension(parts, extension);
        } else {
            AddLost(parts, std::string(rest));
            break;
        }
    }
    if (alt)
        AddAlt(parts);
    return parts;
}

// The tensions in the order the song language reads them. A lone 9, 11 or 13 brings the seventh
// and the tensions under it, as in the format; beside other tensions the compiler would not add
// them, so they are written: 9 (which brings the seventh) or, beside a flat or sharp nine, 7.
std::vector<std::string> Spell(const Parts& parts, std::string& seventh)
{
    std::vector<std::string> tensions;
    const std::string& extension = parts.extension;
    if (extension.empty() || parts.tensions.empty() || extension == "9") {
        if (!extension.empty())
            tensions.push_back(extension);
        tensions.insert(tensions.end(), parts.tensions.begin(), parts.tensions.end());
        return tensions;
    }
    bool alteredNine = false;
    for (const std::string& tension : parts.tensions)
        alteredNine = alteredNine || tension == "b9" || tension == "#9";
    if (alteredNine)
        seventh = "7";
    else
        tensions.push_back("9");
    tensions.insert(tensions.end(), parts.tensions.begin(), parts.tensions.end());
    tensions.push_back(extension);
    return tensions;
}

}  // namespace

CMTranslatedChord TranslateIRealChord(const std::string& root, const std::string& quality,
                                      const std::string& bass)
{
    const Parts parts = Parse(quality);
    std::string seventh = parts.seventh;
    const std::vector<std::string> tensions = Spell(parts, seventh);
    std::string text = root + parts.quality + seventh;
    for (const std::string& tension : tensions) {
        // Straight after the root a flat or sharp would be read as the root's own.
        std::string written = tension;
        if (text == root && (written[0] == 'b' || written[0] == '#'))
            written[0] = written[0] == 'b' ? '-' : '+';
        text += written;
    }
    if (!bass.empty())
        text += "on" + bass;
    return {text, parts.lost};
}
