// CMFile, the folder listing and CMTextFile: values, the variable-length quantity at its
// thresholds, file listing, line ends, loading and atomic saving.
#include "core/AtomicFile.h"
#include "core/CMFile.h"
#include "core/CMStringList.h"
#include "core/CMTextFile.h"
#include "core/FileSystem.h"
#include "tests/FileContents.h"
#include "tests/SmallDisk.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

}  // namespace

TEST(File, VariableLengthQuantityThresholds)
{
    TempDir dir;
    const std::string path = dir.Path("vlq.bin");
    const char* const kFiveHighBytes = "\x81\x82\x83\x84\x05";
    struct Case {
        std::uint32_t value;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {0, std::string(1, '\0')},
        {0x7E, "\x7E"},
        {0x7F, "\x80\x7F"},  // the thresholds are exclusive
        {0x3FFE, "\xFF\x7E"},
        {0x3FFF, "\x80\xFF\x7F"},
        {0x1FFFFE, "\xFF\xFF\x7E"},
        {0x1FFFFF, "\x80\xFF\xFF\x7F"},
        {0x0FFFFFFE, "\xFF\xFF\xFF\x7E"},
    };
    {
        CMFile file(path.c_str(), "wb");
        for (const Case& c : cases)
            EXPECT_EQ(file.WriteVarLen(c.value), static_cast<int>(c.bytes.size())) << c.value;
        EXPECT_EQ(file.WriteVarLen(0x0FFFFFFF), 0);  // out of range: nothing written
        file.Write(kFiveHighBytes, 5);
    }
    std::string expected;
    for (const Case& c : cases)
        expected += c.bytes;
    EXPECT_EQ(FileContents(path), expected + kFiveHighBytes);

    CMFile file(path.c_str(), "rb");
    for (const Case& c : cases)
        EXPECT_EQ(file.ReadVarLen(), c.value);
    // Reading stops after four bytes even when the fourth says more follow.
    EXPECT_EQ(file.ReadVarLen(), (1u << 21) | (2u << 14) | (3u << 7) | 4u);
    EXPECT_EQ(file.ReadVarLen(), 5u);
    EXPECT_EQ(file.ReadVarLen(), 0u);  // end of file
}

TEST(File, LittleEndianValuesAndClosedFile)
{
    TempDir dir;
    const std::string path = dir.Path("values.bin");
    {
        CMFile file(path.c_str(), "wb");
        file << std::uint8_t{0xAB} << std::uint16_t{0x1234} << std::uint32_t{0xDEADBEEF};
    }
    EXPECT_EQ(FileContents(path), "\xAB\x34\x12\xEF\xBE\xAD\xDE");
    CMFile file(path.c_str(), "rb");
    std::uint8_t byte;
    std::uint16_t word;
    std::uint32_t dword;
    file >> byte >> word >> dword;
    EXPECT_EQ(byte, 0xAB);
    EXPECT_EQ(word, 0x1234);
    EXPECT_EQ(dword, 0xDEADBEEFu);
    EXPECT_EQ(file.GetSize(), 7);
    EXPECT_EQ(file.Tell(), 7);  // GetSize leaves the position at the end

    CMFile closed;
    char buffer[4];
    EXPECT_EQ(closed.Read(buffer, 4), 0);
    EXPECT_EQ(closed.Write("abcd", 4), 0);
    EXPECT_EQ(closed.GetSize(), -1);
    EXPECT_FALSE(closed.Open(dir.Path("missing/x").c_str(), "rb"));
}

TEST(File, ListFilesMatchesPlainFilesSorted)
{
    TempDir dir;
    for (const char* name : {"b.zimbrel", "A.zimbrel", "a.zimbrel", "notes.txt", ".zimbrel"})
        WriteFileContents(dir.Path(name), "x");
    std::filesystem::create_directory(dir.Path("folder.zimbrel"));
    CMStringList names;
    EXPECT_TRUE(ListFiles(names, (dir.Root() + "/*.zimbrel").c_str()));
    std::vector<std::string> found;
    for (const CMString* name : names)
        found.push_back(name->Str());
    // fnmatch lets "*" match a leading dot unless told otherwise, as the folder listing did.
    EXPECT_EQ(found, (std::vector<std::string>{".zimbrel", "A.zimbrel", "a.zimbrel", "b.zimbrel"}));

    CMStringList none;
    EXPECT_TRUE(ListFiles(none, (dir.Root() + "/missing/*.zimbrel").c_str()));
    EXPECT_EQ(none.GetCount(), 0);
}

TEST(TextFile, ConvertNewlines)
{
    CMTextFile file;
    file.SetText(CMString("a\r\nb\rc"));
    EXPECT_EQ(file.ConvertNewlines(false), "a\nb\nc");
    file.SetText(CMString("a\nb\rc"));
    EXPECT_EQ(file.ConvertNewlines(true), "a\r\nbc");
    file.SetText(CMString("\r\r\n\n"));
    EXPECT_EQ(file.ConvertNewlines(false), "\n\n\n");
}

TEST(TextFile, LoadAndAtomicSave)
{
    TempDir dir;
    const std::string path = dir.Path("song.zimbrel");
    CMTextFile missing;
    EXPECT_EQ(missing.Load(path.c_str()), -1);

    WriteFileContents(path, "");
    CMTextFile empty;
    EXPECT_EQ(empty.Load(path.c_str()), 0);
    EXPECT_EQ(empty.GetText(), "");

    const std::string bytes("title { A\x00 B }\r\n", 16);
    WriteFileContents(path, bytes);
    CMTextFile file(path.c_str(), "rb");
    EXPECT_EQ(file.GetText().Str(), bytes);

    file.SetText(CMString("chord { C }\n"));
    ASSERT_TRUE(file.Save(path.c_str()));
    EXPECT_EQ(FileContents(path), "chord { C }\n");
    EXPECT_EQ(FilesIn(dir.Root()), (std::vector<std::string>{"song.zimbrel"}));  // no temp file

    // No path: the save fails and nothing is created.
    EXPECT_FALSE(file.Save(""));
}

TEST(TextFile, AtomicSaveKeepsPermissionsAndOldContentOnFailure)
{
    TempDir dir;
    const std::string path = dir.Path("Zimbrel.ini");
    ASSERT_TRUE(WriteFileAtomically(path.c_str(), "[A]\r\n", 0600));
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(path.c_str(), "[B]\r\n", 0600));
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);  // an existing file keeps its mode
    EXPECT_EQ(FileContents(path), "[B]\r\n");

    if (geteuid() != 0) {  // root may write anywhere
        chmod(dir.Root().c_str(), 0500);
        EXPECT_FALSE(WriteFileAtomically(path.c_str(), "[C]\r\n"));
        chmod(dir.Root().c_str(), 0700);
        EXPECT_EQ(FileContents(path), "[B]\r\n");
    }
}

TEST(TextFile, AtomicSaveOnAFullDiskKeepsTheOldFileAndSaysWhy)
{
    const SmallDisk disk;
    if (!disk.IsMounted())
        GTEST_SKIP() << "mounting a small disk needs root";
    const std::string path = disk.Path("sheet.pdf");
    WriteFileContents(path, "the file that was there");
    disk.Fill();
    errno = 0;
    EXPECT_FALSE(WriteFileAtomically(path.c_str(), std::string(4096, 'x')));
    EXPECT_EQ(errno, ENOSPC);  // what the callers' messages say
    EXPECT_EQ(FileContents(path), "the file that was there");
}

TEST(TextFile, AtomicSaveByNameReplacesOnlyAFinishedFile)
{
    TempDir dir;
    const std::string path = dir.Path("take.wav");
    std::string written;
    const auto writeByName = [&](const char* temporaryPath) {
        written = temporaryPath;
        WriteFileContents(temporaryPath, "RIFF");
        return true;
    };
    ASSERT_TRUE(WriteFileAtomicallyWith(path.c_str(), writeByName));
    EXPECT_EQ(written.rfind(path + ".tmp.", 0), 0u);  // beside the target
    EXPECT_EQ(FileContents(path), "RIFF");

    // A writer that fails, after writing part of its file, leaves the old file and no temporary.
    const auto failHalfway = [](const char* temporaryPath) {
        WriteFileContents(temporaryPath, "RI");
        return false;
    };
    EXPECT_FALSE(WriteFileAtomicallyWith(path.c_str(), failHalfway));
    EXPECT_EQ(FileContents(path), "RIFF");
    EXPECT_EQ(FilesIn(dir.Root()), (std::vector<std::string>{"take.wav"}));
    EXPECT_FALSE(WriteFileAtomicallyWith(dir.Path("missing/take.wav").c_str(), writeByName));
}
