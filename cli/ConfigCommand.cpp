// zimbrel-cli config [SECTION.KEY [VALUE]]: shows or changes ./Zimbrel.ini. Without a key it lists
// every setting with its value (the default where the file has none), then the entries of the
// file that Zimbrel does not know; with a key it prints that value; with a value it writes it,
// when the settings table allows it. Unknown keys may be read and written (the file keeps them),
// with a note on standard error. --help lists what every setting takes and means.
#include "cli/CliCommand.h"

#include "settings/CMIniFile.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsTable.h"

#include <cerrno>
#include <cstdio>
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

const CMSetting* FindKnown(const SettingName& name)
{
    return FindSetting(name.section, name.key);
}

// Every setting with its default, what it takes and what it means, in the order of the listing.
int ShowHelp(const std::vector<CMIniEntry>& known)
{
    std::printf("Usage: zimbrel-cli config [SECTION.KEY [VALUE]]\n\n"
                "Lists every setting of ./Zimbrel.ini with its value, shows one value, or "
                "changes one.\nThe settings, with their defaults:\n");
    for (const CMIniEntry& entry : known) {
        const CMSetting* setting = FindKnown({entry.section.Str(), entry.key.Str()});
        if (!setting)
            continue;
        std::printf("  %s=%s\n      %s; %s\n", setting->Name().c_str(),
                    setting->defaultValue.c_str(), setting->description.c_str(),
                    setting->Allowed().c_str());
    }
    return kExitDone;
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
        if (FindKnown(name) || !listed.insert(name.Text()).second ||
            !text.Find(name.section, name.key, value))
            continue;
        NoteUnknown(name);
        std::printf("%s=%s\n", name.Text().c_str(), value.GetText());
    }
    return readable ? kExitDone : kExitFailed;
}

int ShowSetting(const CMIniFile& file, const SettingName& name)
{
    bool readable = false;
    const CMIniText text = ReadSettings(file, readable);
    const CMSetting* setting = FindKnown(name);
    if (!setting)
        NoteUnknown(name);
    CMString value;
    if (!text.Find(name.section, name.key, value)) {
        if (!setting) {
            std::fprintf(stderr, "zimbrel-cli: config: '%s' is not in %s\n", name.Text().c_str(),
                         file.path.GetText());
            return kExitFailed;
        }
        value = setting->defaultValue.c_str();
    }
    std::printf("%s\n", value.GetText());
    return readable ? kExitDone : kExitFailed;
}

int ChangeSetting(CMIniFile& file, const SettingName& name, const std::string& value)
{
    const CMSetting* setting = FindKnown(name);
    if (!setting) {
        NoteUnknown(name);
    } else if (const std::string wanted = CheckSettingValue(*setting, value); !wanted.empty()) {
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
    const std::vector<CMIniEntry> known = DefaultSettingsText().GetEntries();
    if (arguments.size() == 1 && arguments[0] == "--help")
        return ShowHelp(known);
    if (!arguments.empty() && arguments[0].rfind('-', 0) == 0)
        return UsageError("config: unknown option '" + arguments[0] + "'");
    if (arguments.size() > 2)
        return UsageError("config: too many arguments");

    CMIniFile file(kSettingsFile);
    if (arguments.empty())
        return ListSettings(file, known);
    const std::optional<SettingName> name = ParseName(arguments[0]);
    if (!name)
        return UsageError("config: '" + arguments[0] + "' is not SECTION.KEY");
    if (arguments.size() == 1)
        return ShowSetting(file, *name);
    return ChangeSetting(file, *name, arguments[1]);
}
