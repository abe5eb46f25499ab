// The song title rule: see CMSongTitle.h.
#include "net/CMSongTitle.h"

std::string CheckSongTitle(std::string_view title)
{
    if (title.empty())
        return "is empty";
    if (title.size() > kMaxSongTitleBytes)
        return "is longer than 100 bytes";
    if (title.find_first_of("/\\") != std::string_view::npos)
        return "holds a path separator";
    if (title.find("..") != std::string_view::npos)
        return "holds \"..\"";
    for (const char c : title) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "holds a control character";
    }
    if (title.find('@') != std::string_view::npos)
        return "holds an at-mark";
    return {};
}
