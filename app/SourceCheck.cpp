// The source editor's check: see SourceCheck.h.
#include "app/SourceCheck.h"

#include "music/CMMusicSong.h"

#include <cstdlib>
#include <string>

int ErrorLineOf(const CMString& message)
{
    const std::string_view text = message.View();
    const std::size_t start = text.find("line (");
    if (start == std::string_view::npos)
        return 0;
    const long line = std::strtol(text.data() + start + 6, nullptr, 10);
    return line > 0 && line < 1000000000 ? static_cast<int>(line) : 0;
}

std::optional<CMSourceProblem> CheckSongSource(const CMString& source)
{
    CMMusicSong song;
    CMString errorText;
    if (song.Compile(source, errorText))
        return std::nullopt;
    CMSourceProblem problem;
    problem.line = ErrorLineOf(errorText);
    // One line for the editor: the "Error : " prefix and the line breaks go.
    std::string text = errorText.IsEmpty() ? std::string("Compilation failure") : errorText.Str();
    if (text.rfind("Error : ", 0) == 0)
        text.erase(0, 8);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    for (std::size_t at = text.find("\n  Last token : "); at != std::string::npos;
         at = text.find("\n  Last token : "))
        text.replace(at, 16, " - last token ");
    problem.message = CMString(text);
    return problem;
}
