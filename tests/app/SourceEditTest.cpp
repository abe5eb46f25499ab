// The source editor's logic: the colouring of the song language line by line, and the check
// that marks the compiler's error line.
#include "app/SongSyntax.h"
#include "app/SourceCheck.h"
#include "tests/Printers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Each coloured word as "kind:text", the lines' words separated by " / ".
std::string Coloured(const std::vector<std::string>& lines)
{
    static const char* const kNames[] = {"block", "label",   "root",   "suffix",
                                         "bar",   "setting", "quoted", "comment"};
    std::string out;
    int state = 0;
    for (const std::string& line : lines) {
        if (!out.empty())
            out += " /";
        for (const CMSyntaxSpan& span : SongSyntaxSpans(line, state))
            out += std::string(out.empty() ? "" : " ") + kNames[static_cast<int>(span.kind)] + ":" +
                   line.substr(static_cast<std::size_t>(span.start),
                               static_cast<std::size_t>(span.length));
    }
    return out;
}

}  // namespace

TEST(SourceEditor, ColoursTheSongLanguage)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"chord { labelA: |: Cmaj7 / Am7 | F#m7b5 B7onD# :| Bb-5 }"},
         "block:chord label:labelA: bar:|: root:C suffix:maj7 bar:/ root:A suffix:m7 bar:| "
         "root:F# suffix:m7b5 root:B suffix:7onD# bar::| root:Bb suffix:-5"},
        // Blocks open and close across lines; a name's brace may come on the next line.
        {{"Time  Base", "{ 3/4 } CHORD {", "intro: Gsus47 CB ||", "}"},
         "block:Time  Base / block:CHORD / label:intro: root:G suffix:sus47 root:C root:B "
         "bar:|| /"},
        {{"misc { composed by = \"Ann /* B */\"; style = medium; }", "title { chord }"},
         "block:misc setting:composed by quoted:\"Ann /* B */\" setting:style / block:title"},
        {{"/* a comment", "chord { C } still */ note { C4 Q | E }"},
         "comment:/* a comment / comment:chord { C } still */ block:note bar:|"},
        {{"lyrics { la | la } key { C:| }"}, "block:lyrics block:key"},
    };
    for (const auto& [lines, expected] : cases)
        EXPECT_EQ(Coloured(lines), expected) << lines.front();
}

TEST(SourceEditor, TheCompilersErrorLine)
{
    const auto problem = CheckSongSource("title { X }\n\nchord { C | x }\n");
    ASSERT_TRUE(problem);  // the editor marking its line, and none once fixed: tests/gui
    EXPECT_EQ(problem->message, "line (3) parse error - last token \"x\"");
    const auto coda = CheckSongSource("chord { C | @ @ }");
    ASSERT_TRUE(coda);
    EXPECT_EQ(coda->message,
              "line (1) Coda mark cannot be used more than once. - last token \"@\"");
    EXPECT_EQ(ErrorLineOf("Error : line (12) x"), 12);
    EXPECT_EQ(ErrorLineOf("Error : line (-4) x"), 0);
    EXPECT_EQ(ErrorLineOf("Error : Compilation failure - 'x'"), 0);
}
