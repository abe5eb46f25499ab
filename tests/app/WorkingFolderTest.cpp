// Where the desktop program works and what its first start puts there; the screenshot size and
// the running program's name.
#include "app/WorkingFolder.h"
#include "app/DesktopStart.h"
#include "tests/FileContents.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

TEST(WorkingFolder, StaysWhereSongsOrSettingsAreElseUsesTheDataHome)
{
    TempDir dir;
    const std::string plain = dir.Path("plain");
    const std::string songs = dir.Path("songs");
    const std::string settings = dir.Path("settings");
    fs::create_directories(plain);
    fs::create_directories(songs + "/Data");
    fs::create_directories(settings);
    WriteFileContents(settings + "/Zimbrel.ini", "");

    EXPECT_EQ(ChooseWorkingFolder(songs, "/data", "/home/ann"), songs);
    EXPECT_EQ(ChooseWorkingFolder(settings, "/data", "/home/ann"), settings);
    EXPECT_EQ(ChooseWorkingFolder(plain, "/data", "/home/ann"), "/data/zimbrel");
    EXPECT_EQ(ChooseWorkingFolder(plain, "relative", "/home/ann"),
              "/home/ann/.local/share/zimbrel");
    EXPECT_EQ(ChooseWorkingFolder(plain, nullptr, "/home/ann"), "/home/ann/.local/share/zimbrel");
    EXPECT_EQ(ChooseWorkingFolder(plain, nullptr, nullptr), "");
}

TEST(WorkingFolder, TheFirstStartCopiesTheExampleSongsAndLaterStartsReplaceNothing)
{
    TempDir dir;
    const std::string examples = dir.Path("examples");
    fs::create_directories(examples);
    WriteFileContents(examples + "/Blues.zimbrel", "title { Blues }");
    WriteFileContents(examples + "/notes.txt", "not a song");

    const std::string folder = dir.Path("home/.local/share/zimbrel");
    std::string error;
    ASSERT_TRUE(PrepareWorkingFolder(folder, examples, error)) << error;
    EXPECT_EQ(FileContents(folder + "/Data/Blues.zimbrel"), "title { Blues }");
    EXPECT_FALSE(fs::exists(folder + "/Data/notes.txt"));

    WriteFileContents(folder + "/Data/Blues.zimbrel", "title { My Blues }");
    WriteFileContents(examples + "/Waltz.zimbrel", "title { Waltz }");
    ASSERT_TRUE(PrepareWorkingFolder(folder, examples, error));
    EXPECT_EQ(FileContents(folder + "/Data/Blues.zimbrel"), "title { My Blues }");
    EXPECT_FALSE(fs::exists(folder + "/Data/Waltz.zimbrel"));  // Data/ is the user's now

    // Without example songs Data/ starts empty.
    ASSERT_TRUE(PrepareWorkingFolder(dir.Path("bare"), dir.Path("nowhere"), error));
    EXPECT_TRUE(fs::is_empty(dir.Path("bare/Data")));

    const std::string locked = dir.Path("locked");
    fs::create_directories(locked);
    chmod(locked.c_str(), 0500);
    if (geteuid() != 0) {  // root writes anywhere
        EXPECT_FALSE(PrepareWorkingFolder(locked + "/zimbrel", examples, error));
        EXPECT_FALSE(error.empty());
    }
    chmod(locked.c_str(), 0700);
}

TEST(DesktopStart, WindowSizesAndInstanceNames)
{
    const std::optional<CMWindowSize> size = ParseWindowSize("1280x800");
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 1280);
    EXPECT_EQ(size->height, 800);
    EXPECT_TRUE(ParseWindowSize("200x10000"));
    for (const char* bad : {"", "1280", "1280x", "x800", "199x800", "1280x10001", "12a0x800",
                            "-1280x800", "1280x800x2", " 1280x800"})
        EXPECT_FALSE(ParseWindowSize(bad)) << bad;

    EXPECT_EQ(InstanceName(1000, "/home/ann/songs"), InstanceName(1000, "/home/ann/songs"));
    EXPECT_NE(InstanceName(1000, "/home/ann/songs"), InstanceName(1000, "/home/ann/other"));
    EXPECT_NE(InstanceName(1000, "/home/ann/songs"), InstanceName(1001, "/home/ann/songs"));
    EXPECT_EQ(InstanceName(1000, "/a").rfind("zimbrel-1000-", 0), 0u);
}
