// zimbrel-cli config [SECTION.KEY [VALUE]]: shows or changes ./Zimbrel.ini. Without a key it lists
// every setting with its value (the default where the file has none), then the entries of the
// file that Zimbrel does not know; with a key it prints that value; with a value it writes it,
// when the settings allow it. Unknown keys may be read and written (the file keeps them), with a
// note on standard error.
#include "cli/OtherCommands.h"

#include "app/SettingsListing.h"

#include <cstdio>

namespace {

constexpr const char* kSettingsFile = "Zimbrel.ini";

void NoteUnknown(const std::string& name)
{
    std::fprintf(stderr, "zimbrel-cli: config: '%s' is not a setting Zimbrel knows\n",
                 name.c_str());
}

// Reads the file; a note on standard error when it exists but cannot be read.
bool Read(CMSettingsListing& listing)
{
    if (listing.Read())
        return true;
    std::fprintf(stderr, "zimbrel-cli: config: cannot read %s; showing the defaults\n",
                 listing.Path().c_str());
    return false;
}

int ListSettings(CMSettingsListing& listing)
{
    const bool readable = Read(listing);
    for (const CMSettingsListing::Entry& entry : listing.Entries()) {
        if (!entry.known)
            NoteUnknown(entry.name);
        std::printf("%s=%s\n", entry.name.c_str(), entry.value.c_str());
    }
    return readable ? kExitDone : kExitFailed;
}

int ShowSetting(CMSettingsListing& listing, const CMSettingName& name)
{
    const bool readable = Read(listing);
    if (!CMSettingsListing::IsKnown(name))
        NoteUnknown(name.Text());
    const std::optional<std::string> value = listing.Value(name);
    if (!value)
        return Failure("config: '" + name.Text() + "' is not in " + listing.Path());
    std::printf("%s\n", value->c_str());
    return readable ? kExitDone : kExitFailed;
}

int ChangeSetting(const CMSettingsListing& listing, const CMSettingName& name,
                  const std::string& value)
{
    if (const std::string problem = CheckSettingChange(name, value); !problem.empty())
        return UsageError("config", problem);
    if (!CMSettingsListing::IsKnown(name))
        NoteUnknown(name.Text());
    std::string reason;
    if (!listing.Write(name, value, reason))
        return Failure("config: cannot write " + listing.Path() +
                       (reason.empty() ? "" : ": " + reason));
    return kExitDone;
}

}  // namespace

std::string ConfigSettingsHelp()
{
    return "The settings, with their defaults:\n" + CMSettingsListing::Help();
}

void DefineConfigCommand(CliOptions& options, ConfigRequest& request)
{
    options.Operands("SECTION.KEY", request.setting, 0, 1, "The setting to show or change",
                     CliCompletion::Setting);
    options.Operands("VALUE", request.value, 0, 1, "Its new value", CliCompletion::None);
}

int RunConfigCommand(const ConfigRequest& request)
{
    CMSettingsListing listing(kSettingsFile);
    if (request.setting.empty())
        return ListSettings(listing);
    const std::optional<CMSettingName> name = ParseSettingName(request.setting.front());
    if (!name)
        return UsageError("config", "'" + request.setting.front() + "' is not SECTION.KEY");
    if (request.value.empty())
        return ShowSetting(listing, *name);
    return ChangeSetting(listing, *name, request.value.front());
}
