// Importing iReal links into a song folder: each song stored once under its title, a file that
// holds another song never replaced (the title and composer name the new one), and the titles
// that must not become paths.
#include "app/IRealImport.h"
#include "tests/FileContents.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

TEST(SongImport, SongsAreStoredOnceAndNeverReplaceAnother)
{
    TempDir dir;
    const std::string folder = dir.Path("Data/");
    const std::string playlist = FileContents(ZIMBREL_TEST_DATA "/ireal/playlist.html");
    std::vector<CMImportedSongFile> songs;
    std::string error;
    ASSERT_TRUE(ImportIRealLinks(playlist, folder, songs, error)) << error;
    ASSERT_EQ(songs.size(), 3u);
    EXPECT_EQ(songs[0].stored.outcome, CMStoredSongFile::Outcome::Saved);
    EXPECT_EQ(songs[0].stored.path, folder + "Porch Light.zimbrel");
    EXPECT_EQ(songs[2].warnings.size(), 9u);

    ASSERT_TRUE(ImportIRealLinks(playlist, folder, songs, error));
    EXPECT_EQ(songs[0].stored.outcome, CMStoredSongFile::Outcome::AlreadyThere);

    WriteFileContents(folder + "Porch Light.zimbrel", "title { Mine }");
    ASSERT_TRUE(ImportIRealLinks(playlist, folder, songs, error));
    EXPECT_EQ(songs[0].stored.outcome, CMStoredSongFile::Outcome::Saved);
    EXPECT_EQ(songs[0].stored.path, folder + "Porch Light@Jane Doe.zimbrel");
    EXPECT_EQ(FileContents(folder + "Porch Light.zimbrel"), "title { Mine }");
}

TEST(SongImport, TitlesBecomeFileNamesInsideTheFolder)
{
    const struct {
        std::string title;
        std::string file;
    } cases[] = {
        {"Blues", "Blues"},
        {"Yes/No", "Yes-No"},
        {"../../etc", ".-.-etc"},
        {"Me@Home", "Me at Home"},
        {"  ", "Untitled"},
        {std::string(99, 'a') + "\xC3\xA9", std::string(99, 'a')},  // é is never cut in half
    };
    for (const auto& c : cases)
        EXPECT_EQ(SongFileTitle(c.title), c.file) << c.title;
}
