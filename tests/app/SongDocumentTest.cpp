// The compile command as the desktop program and the command line run it: opening a file,
// reporting, editing, and files that cannot be read; the file commands: saving, the question
// before edits are lost, the file changed on disk and the recent documents.
#include "app/CMDocumentCommands.h"
#include "app/CMSongDocument.h"
#include "app/CommandIds.h"
#include "tests/FileContents.h"
#include "tests/Printers.h"
#include "tests/TempDir.h"
#include "tests/app/AppFakes.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include <string>
#include <utility>
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
    CMSongDocument document;
    RecordingShell shell;
    document.ReportOpening(shell);  // an untitled document writes no success line
    EXPECT_TRUE(shell.lines.empty());
    const std::string good = dir.Path("blues.zimbrel");
    WriteFileContents(good, "title { Blues }\nchord { F7 | Bb7 | F7 | }\n");
    CMString readError;
    ASSERT_TRUE(document.Open(good.c_str(), readError));
    EXPECT_EQ(document.GetSong().path.Str(), good);
    document.ReportOpening(shell);

    const std::string bad = dir.Path("broken.song.zimbrel");
    WriteFileContents(bad, "title { Broken }\n\nchord { C | x }\n");
    ASSERT_TRUE(document.Open(bad.c_str(), readError));
    EXPECT_EQ(document.GetSong().measures.GetCount(), 0);  // opening cleared the old song
    EXPECT_EQ(document.GetTitle(), "broken.song");
    document.ReportOpening(shell);
    EXPECT_EQ(shell.lines,
              (std::vector<std::string>{"'blues' has been compiled successfully",
                                        "Error : line (3) parse error\n  Last token : \"x\"\n"}));

    // A folder is no file; an empty song is a song.
    EXPECT_FALSE(document.Open(dir.Root().c_str(), readError));
    EXPECT_EQ(readError.Str(), "Error : Cannot read '" + dir.Root() + "': not a file");
    WriteFileContents(dir.Path("empty.zimbrel"), "");
    EXPECT_TRUE(document.Open(dir.Path("empty.zimbrel").c_str(), readError));
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

using Notices = std::vector<std::string>;

TEST(DocumentCommands, SaveSaveAsAndTheQuestionBeforeEditsAreLost)
{
    TempDir dir;
    const std::string path = dir.Path("tune.zimbrel");
    WriteFileContents(path, "chord { C | }");
    chmod(path.c_str(), 0600);
    ScriptedWindow window;
    CMDocumentCommands commands(window);
    ASSERT_TRUE(commands.OpenFile(CMString(path)));
    EXPECT_EQ(window.TakeNotices(), Notices{"shown"});
    RecordingShell compile;
    commands.Document().ApplyEdit(CMString("chord { D | }\r\n"), compile);

    // Closing asks; Cancel keeps everything, Save writes the source byte for byte.
    EXPECT_FALSE(commands.OpenFile(CMString(path)));
    EXPECT_EQ(window.TakeNotices(), Notices{"save changes to tune?"});
    window.saveChoice = CMSaveChoice::Save;
    EXPECT_TRUE(commands.CanClose());
    EXPECT_EQ(FileContents(path), "chord { D | }\r\n");
    EXPECT_FALSE(commands.Document().IsModified());
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);  // the file keeps its permissions

    // Save As into a folder that does not exist says so and keeps the document as it was.
    commands.Document().ApplyEdit(CMString("chord { E | }"), compile);
    window.TakeNotices();
    window.savePath = dir.Path("missing/tune.zimbrel");
    commands.OnCommand(CommandId::FileSaveAs);
    EXPECT_EQ(window.TakeNotices(),
              Notices{"Error : Cannot write '" + window.savePath + "': No such file or directory"});
    EXPECT_TRUE(commands.Document().IsModified());
    EXPECT_EQ(commands.Document().GetPath().Str(), path);

    window.savePath = dir.Path("copy.zimbrel");
    commands.OnCommand(CommandId::FileSaveAs);
    EXPECT_EQ(window.TakeNotices(), Notices{"post " + std::to_string(CommandId::Refresh)});
    EXPECT_EQ(FileContents(window.savePath), "chord { E | }");
    EXPECT_EQ(commands.Document().GetTitle(), "copy");
    EXPECT_EQ(window.recent, (Notices{window.savePath, path}));

    // Discarding lets a new document come; a file that cannot be read changes nothing.
    commands.Document().ApplyEdit(CMString("chord { F | }"), compile);
    window.saveChoice = CMSaveChoice::Discard;
    EXPECT_FALSE(commands.OpenFile(CMString(dir.Path("gone.zimbrel"))));
    EXPECT_EQ(window.TakeNotices().back(),
              "Error : Cannot read '" + dir.Path("gone.zimbrel") + "': No such file or directory");
    EXPECT_EQ(commands.Document().GetTitle(), "copy");
    commands.OnCommand(CommandId::FileNew);
    EXPECT_EQ(window.TakeNotices(), (Notices{"save changes to copy?", "shown"}));
    EXPECT_TRUE(commands.Document().GetPath().IsEmpty());
}

TEST(DocumentCommands, FileChangedOnDiskAndRecentDocuments)
{
    TempDir dir;
    const std::string path = dir.Path("tune.zimbrel");
    WriteFileContents(path, "chord { C | }");
    ScriptedWindow window;
    CMDocumentCommands commands(window);
    ASSERT_TRUE(commands.OpenFile(CMString(path)));
    window.TakeNotices();

    commands.FileChangedOnDisk();  // the same text (our own save): nothing
    WriteFileContents(path, "chord { C | G7 | }");
    commands.FileChangedOnDisk();
    EXPECT_EQ(window.TakeNotices(), Notices{"reloaded"});
    EXPECT_EQ(commands.Document().GetSong().measures.GetCount(), 3);

    RecordingShell compile;
    commands.Document().ApplyEdit(CMString("chord { D | }"), compile);
    WriteFileContents(path, "chord { A | }");
    commands.FileChangedOnDisk();  // edits here: asked, and kept
    EXPECT_EQ(window.TakeNotices(), Notices{"reload?"});
    EXPECT_EQ(commands.Document().GetSource(), "chord { D | }");
    window.reload = true;
    commands.FileChangedOnDisk();
    EXPECT_EQ(window.TakeNotices(), (Notices{"reload?", "reloaded"}));
    EXPECT_FALSE(commands.Document().IsModified());

    std::vector<CMString> stored;
    for (int k = 0; k < 10; ++k)
        stored.push_back(CMString(dir.Path("song" + std::to_string(k) + ".zimbrel")));
    commands.SetRecentFiles(stored);
    EXPECT_EQ(commands.GetRecentFiles().size(), 8u);
    commands.OpenRecent(0);  // missing: it leaves the list
    EXPECT_EQ(commands.GetRecentFiles().size(), 7u);
    EXPECT_EQ(commands.GetRecentFiles().front().Str(), dir.Path("song1.zimbrel"));
}

TEST(DocumentCommands, ImportStoresTheLinksSongsInDataAndOpensTheFirst)
{
    TempDir dir;
    const std::string before = std::filesystem::current_path().string();
    std::filesystem::current_path(dir.Root());
    ScriptedWindow window;
    CMDocumentCommands commands(window);
    window.importPath = ZIMBREL_TEST_DATA "/ireal/link.txt";
    ASSERT_TRUE(commands.OnCommand(CommandId::FileImportIReal));
    EXPECT_EQ(window.TakeNotices(),
              (Notices{"output Open Road: warning: the style 'Bossa Nova' names no tempo: medium "
                       "is taken",
                       "output 'Open Road' has been imported into 'Data/Open Road.zimbrel'",
                       "post " + std::to_string(CommandId::Refresh), "shown"}));
    EXPECT_EQ(commands.Document().GetPath().Str(), dir.Path("Data/Open Road.zimbrel"));
    EXPECT_TRUE(commands.Document().IsCompiled());

    // Again: the same song is there already; a file without links changes nothing.
    commands.OnCommand(CommandId::FileImportIReal);
    EXPECT_EQ(window.TakeNotices()[1], "output 'Open Road' is already in 'Data/Open Road.zimbrel'");
    WriteFileContents(dir.Path("plain.txt"), "no links");
    window.importPath = dir.Path("plain.txt");
    EXPECT_TRUE(commands.OnCommand(CommandId::FileImportIReal));
    EXPECT_EQ(window.TakeNotices(), Notices{"Error : Cannot import from '" + dir.Path("plain.txt") +
                                            "': it holds no irealb:// or irealbook:// link"});
    std::filesystem::current_path(before);
}
