// IMIniStore: the typed reads and writes, on top of the string operations of each store.
#include "settings/IMIniStore.h"

#include <climits>
#include <cstdlib>

namespace {

// atoi without its undefined overflow: the leading decimal number, held to the range of int.
int LeadingInt(const char* text)
{
    const long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// The "%x" conversion of sscanf, without its undefined overflow: the low 32 bits of the number.
int LeadingHex(const char* text)
{
    return static_cast<int>(static_cast<unsigned int>(std::strtoul(text, nullptr, 16)));
}

}  // namespace

int IMIniStore::ReadInt(std::string_view section, std::string_view key, int defaultValue) const
{
    const CMString text = ReadString(section, key, CMString());
    if (text.IsEmpty())
        return defaultValue;
    const CMString lower = text.ToLower();
    if (lower == "true" || lower == "on" || lower == "yes")
        return 1;
    if (lower == "false" || lower == "off" || lower == "no")
        return 0;
    // Only a lower-case "0x" marks hexadecimal: "0X10" is the decimal 0.
    if (text.GetLength() > 2 && text.View().substr(0, 2) == "0x")
        return LeadingHex(text.GetText() + 2);
    return LeadingInt(text.GetText());
}

double IMIniStore::ReadDouble(std::string_view section, std::string_view key,
                              double defaultValue) const
{
    const CMString text = ReadString(section, key, CMString());
    if (text.IsEmpty())
        return defaultValue;
    return std::strtod(text.GetText(), nullptr);
}

bool IMIniStore::WriteInt(std::string_view section, std::string_view key, int value)
{
    CMString text;
    text.Format("%d", value);
    return WriteString(section, key, text.View());
}

bool IMIniStore::WriteDouble(std::string_view section, std::string_view key, double value)
{
    CMString text;
    text.Format("%f", value);
    return WriteString(section, key, text.View());
}
