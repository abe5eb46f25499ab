// The settings file as a list of named values: see SettingsListing.h.
#include "app/SettingsListing.h"

#include "settings/CMIniFile.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsTable.h"

#include <cerrno>
#include <cstring>

CMSettingsListing::CMSettingsListing(const char* fileName) : m_path(CMIniFile(fileName).path.Str())
{
}

bool CMSettingsListing::Read()
{
    m_fileEntries.clear();
    CMIniText text;
    CMIniFile file(nullptr);
    file.path = m_path.c_str();
    if (!file.ReadText(text))
        return false;
    for (const CMIniEntry& entry : text.GetEntries()) {
        const std::string name = entry.section.Str() + "." + entry.key.Str();
        CMString value;
        if (!text.Find(entry.section.View(), entry.key.View(), value))
            continue;
        bool listed = false;
        for (const Entry& seen : m_fileEntries)
            listed = listed || seen.name == name;
        if (!listed)
            m_fileEntries.push_back({name, value.Str(), IsKnown(*ParseSettingName(name))});
    }
    return true;
}

std::vector<CMSettingsListing::Entry> CMSettingsListing::Entries() const
{
    std::vector<Entry> entries;
    for (const CMIniEntry& setting : DefaultSettingsText().GetEntries()) {
        const CMSettingName name{setting.section.Str(), setting.key.Str()};
        entries.push_back({name.Text(), Value(name).value_or(setting.value.Str()), true});
    }
    for (const Entry& entry : m_fileEntries)
        if (!entry.known)
            entries.push_back(entry);
    return entries;
}

std::optional<std::string> CMSettingsListing::Value(const CMSettingName& name) const
{
    for (const Entry& entry : m_fileEntries)
        if (entry.name == name.Text())
            return entry.value;
    if (const CMSetting* setting = FindSetting(name.section, name.key))
        return setting->defaultValue;
    return std::nullopt;
}

bool CMSettingsListing::Write(const CMSettingName& name, const std::string& value,
                              std::string& reason) const
{
    CMIniFile file(nullptr);
    file.path = m_path.c_str();
    errno = 0;
    if (file.WriteString(name.section, name.key, value))
        return true;
    reason = errno ? std::strerror(errno) : "";
    return false;
}

bool CMSettingsListing::IsKnown(const CMSettingName& name)
{
    return FindSetting(name.section, name.key) != nullptr;
}

std::string CMSettingsListing::Help()
{
    std::string text;
    for (const CMIniEntry& entry : DefaultSettingsText().GetEntries()) {
        const CMSetting* setting = FindSetting(entry.section.View(), entry.key.View());
        if (setting)
            text += "  " + setting->Name() + "=" + setting->defaultValue + "\n      " +
                    setting->description + "; " + setting->Allowed() + "\n";
    }
    return text;
}
