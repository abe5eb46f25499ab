// The settings file as a list of named values, as zimbrel-cli config shows and changes it: every
// setting Zimbrel knows with its value (the default where the file has none), then the file's
// entries that Zimbrel does not know, which are kept and may be read and written too.
#pragma once

#include "app/SettingChecks.h"

#include <optional>
#include <string>
#include <vector>

class CMSettingsListing {
public:
    struct Entry {
        std::string name;  // "SECTION.KEY"
        std::string value;
        bool known = true;
    };

    // The file "./fileName"; nothing is read yet.
    explicit CMSettingsListing(const char* fileName);

    // Reads the file. False when it exists but cannot be read: the values are then the defaults.
    bool Read();
    // Every known setting in the table's order, then the unknown entries in the file's order.
    std::vector<Entry> Entries() const;
    // The file's value, else the default of a known setting; empty for an unknown setting the
    // file does not hold.
    std::optional<std::string> Value(const CMSettingName& name) const;
    // Writes one value into the file, keeping every other line. False, with the system's reason
    // (may be empty), when the file could not be written; it keeps its old contents then.
    bool Write(const CMSettingName& name, const std::string& value, std::string& reason) const;
    const std::string& Path() const { return m_path; }

    static bool IsKnown(const CMSettingName& name);
    // Each setting with its default, what it means and what it takes, for help texts:
    // "  General.PrecountNote=37\n      The drum key ...; a whole number from 0 to 95 ...\n".
    static std::string Help();

private:
    std::string m_path;
    std::vector<Entry> m_fileEntries;  // as read, the last value of each name
};
