// Storing downloaded songs and reading songs to upload: the two names a song can be stored under,
// content that is never replaced, titles that would lead out of the song folder, and files the
// server would refuse.
#include "app/SharedSongFiles.h"
#include "tests/FileContents.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using Outcome = CMStoredSongFile::Outcome;

CMStoredSongFile Store(const std::string& folder, const std::string& name,
                       const std::string& source)
{
    return StoreDownloadedSong(folder, CMZimbrelSong(name, source, "2026-01-01T00:00:00Z"));
}

}  // namespace

TEST(SharedSongFiles, DownloadsAreStoredUnderTitleThenTitleAndAuthor)
{
    TempDir dir;
    const std::string data = dir.Path("Data/");
    const struct {
        const char* name;
        const char* source;
        Outcome outcome;
        std::string pathOrReason;  // where it is stored, or why it is not
    } steps[] = {
        {"Blues@ann", "ann's", Outcome::Saved, data + "Blues.zimbrel"},
        {"Blues@ann", "ann's", Outcome::AlreadyThere, data + "Blues.zimbrel"},
        {"Blues@bob", "bob's", Outcome::Saved, data + "Blues@bob.zimbrel"},
        {"Blues@bob", "bob's", Outcome::AlreadyThere, data + "Blues@bob.zimbrel"},
        {"Blues@bob", "bob's new", Outcome::Refused, data + "Blues@bob.zimbrel holds another song"},
        {"Blues", "no author", Outcome::Refused, data + "Blues.zimbrel holds another song"},
        {"Solo", "no author, new title", Outcome::Saved, data + "Solo.zimbrel"},
    };
    for (const auto& step : steps) {
        const CMStoredSongFile stored = Store(data, step.name, step.source);
        EXPECT_EQ(stored.outcome, step.outcome) << step.name << ": " << step.source;
        EXPECT_EQ(step.outcome == Outcome::Refused ? stored.reason : stored.path,
                  step.pathOrReason);
    }
    EXPECT_EQ(FileContents(data + "Blues.zimbrel"), "ann's");
    EXPECT_EQ(FileContents(data + "Blues@bob.zimbrel"), "bob's");
}

TEST(SharedSongFiles, TitlesThatWouldLeaveTheFolderAreRefused)
{
    TempDir dir;
    const std::string data = dir.Path("Data/");
    const std::pair<std::string, std::string> cases[] = {
        {"../evil@ann", "the title holds a path separator"},
        {"..@ann", "the title holds \"..\""},
        {"a\\b@ann", "the title holds a path separator"},
        {"tab\there@ann", "the title holds a control character"},
        {"@ann", "the title is empty"},
        {std::string(101, 't') + "@ann", "the title is longer than 100 bytes"},
    };
    for (const auto& [name, reason] : cases) {
        const CMStoredSongFile stored = Store(data, name, "x");
        EXPECT_EQ(stored.outcome, Outcome::Refused) << name;
        EXPECT_EQ(stored.reason, reason) << name;
    }
    EXPECT_EQ(Store(data, std::string(100, 't') + "@ann", "x").outcome, Outcome::Saved);

    Store(data, "Blues@ann", "one");
    const CMStoredSongFile badAuthor = Store(data, "Blues@../x", "two");
    EXPECT_EQ(badAuthor.outcome, Outcome::Refused);
    EXPECT_EQ(badAuthor.reason, "the author's user ID holds a path separator");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data), {}), 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 1);
}

TEST(SharedSongFiles, WhatCannotBeReadOrWrittenLosesNothing)
{
    TempDir dir;
    const std::string data = dir.Path("Data/");
    Store(data, "Blues@ann", "kept");
    std::filesystem::create_directory(data + "Waltz.zimbrel");
    const CMStoredSongFile blocked = Store(data, "Waltz@ann", "new");
    EXPECT_EQ(blocked.outcome, Outcome::Refused);
    EXPECT_EQ(blocked.reason, "cannot read " + data + "Waltz.zimbrel");

    std::ofstream(dir.Path("File")) << "a file where the folder should be";
    const CMStoredSongFile noFolder = Store(dir.Path("File/"), "Waltz@ann", "new");
    EXPECT_EQ(noFolder.outcome, Outcome::Refused);
    EXPECT_EQ(noFolder.reason,
              "cannot read " + dir.Path("File/") + "Waltz.zimbrel: Not a directory");
    EXPECT_EQ(FileContents(data + "Blues.zimbrel"), "kept");
    EXPECT_EQ(FileContents(dir.Path("File")), "a file where the folder should be");
}

TEST(SharedSongFiles, SongsToUpload)
{
    TempDir dir;
    std::ofstream(dir.Path("Blues.zimbrel"), std::ios::binary) << "title { Blues }\r\n";
    CMZimbrelSong song;
    std::string reason;
    ASSERT_TRUE(ReadSongForUpload(dir.Path("Blues.zimbrel"), song, reason)) << reason;
    EXPECT_EQ(song.name, "Blues");
    EXPECT_EQ(song.source, "title { Blues }\r\n");

    std::ofstream(dir.Path("a@b.zimbrel")) << "x";
    EXPECT_FALSE(ReadSongForUpload(dir.Path("a@b.zimbrel"), song, reason));
    EXPECT_EQ(reason, "the title holds an at-mark");

    std::ofstream(dir.Path("Empty.zimbrel")).flush();
    ASSERT_TRUE(ReadSongForUpload(dir.Path("Empty.zimbrel"), song, reason));
    EXPECT_EQ(song.source, "");

    std::filesystem::create_directory(dir.Path("Folder.zimbrel"));
    EXPECT_FALSE(ReadSongForUpload(dir.Path("Folder.zimbrel"), song, reason));
    EXPECT_EQ(reason, "cannot read " + dir.Path("Folder.zimbrel"));
}
