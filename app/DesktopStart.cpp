// Window sizes and instance names.
#include "app/DesktopStart.h"

#include <charconv>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int kSmallestSide = 200;
constexpr int kLargestSide = 10000;

std::optional<int> ParseSide(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    if (value < kSmallestSide || value > kLargestSide)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<CMWindowSize> ParseWindowSize(std::string_view text)
{
    const std::size_t cross = text.find('x');
    if (cross == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> width = ParseSide(text.substr(0, cross));
    const std::optional<int> height = ParseSide(text.substr(cross + 1));
    if (!width || !height)
        return std::nullopt;
    return CMWindowSize{*width, *height};
}

std::string InstanceName(unsigned userId, std::string_view workingFolder)
{
    // FNV-1a: a short, stable name for a folder path of any length.
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : workingFolder) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char name[64];
    std::snprintf(name, sizeof name, "zimbrel-%u-%016llx", userId,
                  static_cast<unsigned long long>(hash));
    return name;
}
