// The compile command as the desktop program and the command line run it: opening a file,
// reporting, editing, and files that cannot be read.
#include "app/CMSongDocument.h"
#include "tests/FileContents.h"
#include "tests/Printers.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingShell : public IMCompileShell {
public:
    void WriteOutput(const CMString& text) override { lines.push_back(text.Str()); }
    void RepaintChart() override { ++repaints; }
    std::vector<std::string> lines;
    int repaints = 0;
};

}  // namespace

TEST(SongDocument, OpeningReportsSuccessOrTheCompilerError)
{
    TempDir dir;
    const std::string good = dir.Path("blues.zimbrel");
    WriteFileContents(good, "title { Blues }\nchord { F7 | Bb7 | F7 | }\n");
    CMSongDocument document;
    CMString readError;
    ASSERT_TRUE(document.Open(good.c_str(), readError));
    EXPECT_TRUE(document.IsCompiled());
    EXPECT_EQ(document.GetTitle(), "blues");
    EXPECT_EQ(document.GetSong().path.Str(), good);
    RecordingShell shell;
    document.ReportOpening(shell);
    EXPECT_EQ(shell.lines, (std::vector<std::string>{"'blues' has been compiled successfully"}));

    const std::string bad = dir.Path("broken.song.zimbrel");
    WriteFileContents(bad, "title { Broken }\n\nchord { C | x }\n");
    ASSERT_TRUE(document.Open(bad.c_str(), readError));
    EXPECT_FALSE(document.IsCompiled());
    EXPECT_EQ(document.GetSong().measures.GetCount(), 0);  // opening cleared the old song
    RecordingShell shell2;
    document.ReportOpening(shell2);
    EXPECT_EQ(shell2.lines,
              (std::vector<std::string>{"Error : line (3) parse error\n  Last token : \"x\"\n"}));
    EXPECT_EQ(document.GetTitle(), "broken.song");
}

TEST(SongDocument, FilesThatCannotBeRead)
{
    TempDir dir;
    CMSongDocument document;
    CMString readError;
    const std::string missing = dir.Path("missing.zimbrel");
    EXPECT_FALSE(document.Open(missing.c_str(), readError));
    EXPECT_EQ(readError.Str(), "Error : Cannot read '" + missing + "': No such file or directory");
    EXPECT_FALSE(document.Open(dir.Root().c_str(), readError));
    EXPECT_EQ(readError.Str(), "Error : Cannot read '" + dir.Root() + "': not a file");

    const std::string empty = dir.Path("empty.zimbrel");
    WriteFileContents(empty, "");
    EXPECT_TRUE(document.Open(empty.c_str(), readError));  // an empty song is a song
    EXPECT_TRUE(document.IsCompiled());
}

TEST(SongDocument, EditingRecompilesOnlyWhatChanged)
{
    TempDir dir;
    const std::string path = dir.Path("tune.zimbrel");
    const std::string source = "chord { C | G7 | }";
    WriteFileContents(path, source);
    CMSongDocument document;
    CMString readError;
    ASSERT_TRUE(document.Open(path.c_str(), readError));

    RecordingShell shell;
    document.ApplyEdit(CMString(source), shell);  // unchanged: no compile, not modified
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(shell.lines.empty());
    EXPECT_EQ(shell.repaints, 1);

    document.ApplyEdit(CMString("chord { C | @ @ }"), shell);
    EXPECT_TRUE(document.IsModified());
    ASSERT_EQ(shell.lines.size(), 1u);
    EXPECT_EQ(shell.lines[0],
              "Error : line (1) Coda mark cannot be used more than once.\n  Last token : \"@\"\n");
    EXPECT_EQ(document.GetSong().measures.GetCount(), 3);  // the last good song stays

    document.ApplyEdit(CMString("chord { D | }"), shell);
    EXPECT_EQ(shell.lines.back(), "'tune' has been compiled successfully");
    EXPECT_EQ(document.GetSong().measures.GetCount(), 2);
    EXPECT_EQ(document.GetSource(), "chord { D | }");
    EXPECT_EQ(shell.repaints, 3);
}

TEST(SongDocument, UntitledDocumentWritesNoSuccessLine)
{
    CMSongDocument document;
    RecordingShell shell;
    document.ReportOpening(shell);
    EXPECT_TRUE(shell.lines.empty());
    EXPECT_TRUE(document.GetTitle().IsEmpty());
}
