// IMIniStore: the values of a sectioned settings text, read and written one at a time by section
// and key. Two stores exist: the file on disk (CMIniFile, every call re-reads and rewrites it) and
// its text held in memory (CMIniText, for reading or saving many values at once). The typed
// reads and writes are the same for both and are built on the two string operations.
#pragma once

#include "core/CMString.h"

#include <string_view>

class IMIniStore {
public:
    virtual ~IMIniStore() = default;

    // The value of `key` in the first section named `section`; `defaultValue` when the section or
    // the key is not there.
    virtual CMString ReadString(std::string_view section, std::string_view key,
                                const CMString& defaultValue) const = 0;
    // Sets the value, replacing the key's line, adding it at the end of its section or adding the
    // section. False when it was not stored (the text cannot hold it, or the file was not written).
    virtual bool WriteString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;

    // "true", "on", "yes" read as 1 and "false", "off", "no" as 0 (any case); "0x" starts a
    // hexadecimal number; otherwise the leading decimal number (0 when there is none). An absent
    // or empty value answers `defaultValue`.
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;
    // The leading decimal number of the value (leading blanks skipped, 0 when there is none); an
    // absent or empty value answers `defaultValue`.
    double ReadDouble(std::string_view section, std::string_view key, double defaultValue) const;
    // The number written with "%d".
    bool WriteInt(std::string_view section, std::string_view key, int value);
    // The number written with "%f": six decimals, 1.0 is stored as 1.000000.
    bool WriteDouble(std::string_view section, std::string_view key, double value);
};
