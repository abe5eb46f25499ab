// zimbrel-cli config [SECTION.KEY [VALUE]]: shows or changes ./Zimbrel.ini. Without a key it lists
// every setting with its value (the default where the file has none), then the entries of the
// file that Zimbrel does not know; with a key it prints that value; with a value it writes it.
// Unknown keys may be read and written (the file keeps them), with a note on standard error.
#include "cli/CliCommand.h"

#include "settings/CMIniFile.h"
#include "settings/DefaultSettings.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>

namespace {

constexpr const char* kSettingsFile = "Zimbrel.ini";

struct SettingName {
    std::string section;
    std::string key;
    std::string Text() const { return section + "." + key; }
};

// "SECTION.KEY", split at the first dot.
std::optional<SettingName> ParseName(const std::string& text)
{
    const std::size_t dot = text.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == text.size())
        return std::nullopt;
    return SettingName{text.substr(0, dot), text.substr(dot + 1)};
}

const CMIniEntry* FindKnown(const std::vector<CMIniEntry>& known, const SettingName& name)
{
    for (const CMIniEntry& entry : known)
        if (entry.section == name.section.c_str() && entry.key == name.key.c_str())
            return &entry;
    return nullptr;
}

bool ParsesWhole(const std::string& text, bool decimalPoint)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    if (decimalPoint) {
        const double value = std::strtod(text.c_str(), &end);
        return *end == '\0' && std::isfinite(value);
    }
    if (text.rfind("0x", 0) == 0 && text.size() > 2) {
        std::strtoul(text.c_str() + 2, &end, 16);
        return *end == '\0' && errno == 0 && text[2] != '-' && text[2] != '+';
    }
    const long value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0' && errno == 0 && value >= INT_MIN && value <= INT_MAX;
}

bool IsWord(const std::string& text)
{
    const CMString lower = CMString(text).ToLower();
    for (const char* word : {"true", "on", "yes", "false", "off", "no"})
        if (lower == word)
            return true;
    return false;
}

// What a known key takes, told by its default: a whole number takes whole numbers (and the
// words for yes and no), a decimal number any number, and anything else any text. Empty when
// the value fits, otherwise what the key wants.
std::string CheckValue(const CMIniEntry& setting, const std::string& value)
{
    const std::string defaultText = setting.value.Str();
    if (ParsesWhole(defaultText, false)) {
        if (ParsesWhole(value, false) || IsWord(value))
            return std::string();
        return "a whole number";
    }
    if (ParsesWhole(defaultText, true) && !ParsesWhole(value, true))
        return "a number";
    return std::string();
}

void NoteUnknown(const SettingName& name)
{
    std::fprintf(stderr, "zimbrel-cli: config: '%s' is not a setting Zimbrel knows\n",
                 name.Text().c_str());
}

// The file's text; a note on standard error when it exists but cannot be read.
CMIniText ReadSettings(const CMIniFile& file, bool& readable)
{
    CMIniText text;
    readable = file.ReadText(text);
    if (!readable)
        std::fprintf(stderr, "zimbrel-cli: config: cannot read %s; showing the defaults\n",
                     file.path.GetText());
    return text;
}

int ListSettings(const CMIniFile& file, const std::vector<CMIniEntry>& known)
{
    bool readable = false;
    const CMIniText text = ReadSettings(file, readable);
    for (const CMIniEntry& setting : known)
        std::printf(
            "%s.%s=%s\n", setting.section.GetText(), setting.key.GetText(),
            text.ReadString(setting.section.View(), setting.key.View(), setting.value).GetText());
    std::set<std::string> listed;
    for (const CMIniEntry& entry : text.GetEntries()) {
        const SettingName name{entry.section.Str(), entry.key.Str()};
        CMString value;
        if (FindKnown(known, name) || !listed.insert(name.Text()).second ||
            !text.Find(name.section, name.key, value))
            continue;
        NoteUnknown(name);
        std::printf("%s=%s\n", name.Text().c_str(), value.GetText());
    }
    return readable ? kExitDone : kExitFailed;
}

int ShowSetting(const CMIniFile& file, const std::vector<CMIniEntry>& known,
                const SettingName& name)
{
    bool readable = false;
    const CMIniText text = ReadSettings(file, readable);
    const CMIniEntry* setting = FindKnown(known, name);
    if (!setting)
        NoteUnknown(name);
    CMString value;
    if (!text.Find(name.section, name.key, value)) {
        if (!setting) {
            std::fprintf(stderr, "zimbrel-cli: config: '%s' is not in %s\n", name.Text().c_str(),
                         file.path.GetText());
            return kExitFailed;
        }
        value = setting->value;
    }
    std::printf("%s\n", value.GetText());
    return readable ? kExitDone : kExitFailed;
}

int ChangeSetting(CMIniFile& file, const std::vector<CMIniEntry>& known, const SettingName& name,
                  const std::string& value)
{
    const CMIniEntry* setting = FindKnown(known, name);
    if (!setting) {
        NoteUnknown(name);
    } else if (const std::string wanted = CheckValue(*setting, value); !wanted.empty()) {
        return UsageError("config: '" + name.Text() + "' takes " + wanted + ", not '" + value +
                          "'");
    }
    if (!CMIniText().WriteString(name.section, name.key, value))
        return UsageError("config: '" + name.Text() + "' cannot hold that text (a line break, or " +
                          "a character that the file format reserves)");
    errno = 0;
    if (!file.WriteString(name.section, name.key, value)) {
        const int reason = errno;
        std::fprintf(stderr, "zimbrel-cli: config: cannot write %s%s%s\n", file.path.GetText(),
                     reason ? ": " : "", reason ? std::strerror(reason) : "");
        return kExitFailed;
    }
    return kExitDone;
}

}  // namespace

int RunConfigCommand(const CliArguments& arguments)
{
    if (!arguments.empty() && arguments[0].rfind('-', 0) == 0)
        return UsageError("config: unknown option '" + arguments[0] + "'");
    if (arguments.size() > 2)
        return UsageError("config: too many arguments");

    CMIniFile file(kSettingsFile);
    const std::vector<CMIniEntry> known = DefaultSettingsText().GetEntries();
    if (arguments.empty())
        return ListSettings(file, known);
    const std::optional<SettingName> name = ParseName(arguments[0]);
    if (!name)
        return UsageError("config: '" + arguments[0] + "' is not SECTION.KEY");
    if (arguments.size() == 1)
        return ShowSetting(file, known, *name);
    return ChangeSetting(file, known, *name, arguments[1]);
}
