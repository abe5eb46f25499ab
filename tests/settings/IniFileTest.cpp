// CMIniFile on real files, byte for byte: the reading rules (sections, keys, comments, line ends,
// unfinished last lines, NUL), the typed values, where a write puts its line, what it keeps, and
// what happens when a write cannot be made (nothing changes).
#include "settings/CMIniFile.h"
#include "tests/FileContents.h"
#include "tests/Printers.h"
#include "tests/TempDir.h"
#include "tests/settings/FileTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <string>
#include <thread>

using namespace std::string_literals;

namespace {

// A settings file in a fresh folder, with the given bytes (none: no file).
class IniFileTest : public ::testing::Test {
protected:
    CMIniFile File(const std::string& bytes)
    {
        WriteFileContents(m_path, bytes);
        return At();
    }
    CMIniFile Missing()
    {
        std::filesystem::remove(m_path);
        return At();
    }
    CMIniFile At() const
    {
        CMIniFile file;
        file.path = m_path.c_str();
        return file;
    }
    std::string Bytes() const { return FileContents(m_path); }
    mode_t Mode() const
    {
        struct stat status;
        return stat(m_path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
    }

    TempDir m_dir;
    std::string m_path = m_dir.Path("Zimbrel.ini");
};

}  // namespace

TEST_F(IniFileTest, PathIsRelativeToTheWorkingDirectory)
{
    EXPECT_EQ(CMIniFile("Zimbrel.ini").path, "./Zimbrel.ini");
    EXPECT_FALSE(CMIniFile("").WriteInt("A", "b", 1));  // nowhere to write
}

TEST_F(IniFileTest, FirstWriteCreatesAPrivateFileOfTwoLines)
{
    CMIniFile file = Missing();
    EXPECT_EQ(file.ReadInt("Preferences", "Piano", 7), 7);
    ASSERT_TRUE(file.WriteInt("Preferences", "Piano", 1));
    EXPECT_EQ(Bytes(), "[Preferences]\r\nPiano=1\r\n");
    EXPECT_EQ(Mode(), 0600u);  // it will hold the account password
}

TEST_F(IniFileTest, IntegersBooleansAndHexadecimal)
{
    const std::pair<const char*, int> cases[] = {
        {"Yes", 1},
        {"ON", 1},
        {"tRuE", 1},
        {"No", 0},
        {"off", 0},
        {"FALSE", 0},
        {"0x10", 16},
        {"0X10", 0},  // only a lower-case x marks hexadecimal
        {"0x", 0},    // "0x" alone is the decimal 0
        {"0xFFFFFFFF", -1},
        {"-12abc", -12},
        {"", 5},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(File("[N]\r\nk="s + text + "\r\n").ReadInt("N", "k", 5), value) << text;
}

TEST_F(IniFileTest, DoublesThroughAtof)
{
    const CMIniFile file = File("[General]\r\nZoom= 0.25\r\nempty=\r\n");
    EXPECT_DOUBLE_EQ(file.ReadDouble("General", "Zoom", 9), 0.25);  // leading blank skipped
    EXPECT_DOUBLE_EQ(file.ReadDouble("General", "empty", 9), 9);

    CMIniFile written = Missing();
    ASSERT_TRUE(written.WriteDouble("General", "Zoom", 1.0));
    ASSERT_TRUE(written.WriteDouble("General", "Half", -0.5));
    EXPECT_EQ(Bytes(), "[General]\r\nZoom=1.000000\r\nHalf=-0.500000\r\n");
}

TEST_F(IniFileTest, WhatALineIs)
{
    const CMIniFile file = File("orphan=1\r\n"          // before any header: never found
                                "[[Sec]] trailing\r\n"  // "[" skipped, text after "]" ignored
                                "\r\n"
                                " key = spaced \r\n"  // nothing trimmed
                                "a#b=3\r\n"           // "#" before "=": empty key
                                "hash=x#y\r\n"        // "#" inside a value is the value's
                                "Case=upper\r\n"
                                "dup=first\r\n"
                                "dup=second\r\n"
                                "[Sec]\r\n"  // a second section of the name is never searched
                                "later=4\r\n"
                                "[Bad#]\r\nbad=5\r\n"       // "#" before "]": empty name
                                "[Open\r\nopen=6\r\n"       // no "]": empty name
                                "[Lone]\rcr=7\rcrlf=8\r\n"  // a lone CR breaks a line as CR LF does
                                "[Last]\r\nunfinished=10");
    EXPECT_EQ(file.ReadString("", "orphan", "-"), "-");
    EXPECT_EQ(file.ReadString("Sec", " key ", "-"), " spaced ");
    EXPECT_EQ(file.ReadString("Sec", "a#b", "-"), "-");
    EXPECT_EQ(file.ReadString("Sec", "hash", "-"), "x#y");
    EXPECT_EQ(file.ReadString("Sec", "case", "-"), "-");
    EXPECT_EQ(file.ReadString("sec", "Case", "-"), "-");
    EXPECT_EQ(file.ReadString("Sec", "dup", "-"), "first");
    EXPECT_EQ(file.ReadString("Sec", "later", "-"), "-");
    EXPECT_EQ(file.ReadString("", "bad", "-"), "5");
    EXPECT_EQ(file.ReadString("Open", "open", "-"), "-");
    EXPECT_EQ(file.ReadString("Lone", "cr", "-"), "7");
    EXPECT_EQ(file.ReadString("Lone", "crlf", "-"), "8");
    EXPECT_EQ(file.ReadString("Last", "unfinished", "-"), "-");  // no line break: not read

    const CMIniFile ended = File("[A]\r\nx=1\r\n\0y=2\r\n"s);
    EXPECT_EQ(ended.ReadString("A", "y", "-"), "-");  // a NUL byte ends the text
}

TEST_F(IniFileTest, WhereAWriteGoesAndWhatItKeeps)
{
    // Each file before and after writing k=3 in section A. A replaced line keeps every other
    // byte and its own line break; a new line goes at the end of its section, after blank and
    // comment lines, and ends as the file's first line does; an unfinished last line is ended
    // first and then read like any other; bytes after a NUL are kept.
    const std::string afterNul = "\0\x01garbage\r\n[A]\r\nk=9\r\n"s;
    const std::pair<std::string, std::string> cases[] = {
        {"# top\r\n[A]\r\nx=1\r\n; odd\r\nk=old\r\nUnknown = kept \r\n\r\n[Mine]\r\nx=y\r\n",
         "# top\r\n[A]\r\nx=1\r\n; odd\r\nk=3\r\nUnknown = kept \r\n\r\n[Mine]\r\nx=y\r\n"},
        {"[A]\nk=1\rlone\r\n[B]\ny=2\n", "[A]\nk=3\rlone\r\n[B]\ny=2\n"},
        {"[A]\nx=1\r\n[B]\r\n", "[A]\nx=1\r\nk=3\n[B]\r\n"},
        {"[A]\r\nx=1\r\n\r\n# about B\r\n[B]\r\n", "[A]\r\nx=1\r\n\r\n# about B\r\nk=3\r\n[B]\r\n"},
        {"[B]\r\ny=2\r\n[A]\r\nx=1\r\n", "[B]\r\ny=2\r\n[A]\r\nx=1\r\nk=3\r\n"},
        {"[B]\ry=2", "[B]\ry=2\r[A]\rk=3\r"},
        {"[A]\rx=1\r", "[A]\rx=1\rk=3\r"},
        {"[A]\r\nx=1\r\n[B]", "[A]\r\nx=1\r\nk=3\r\n[B]\r\n"},
        {"[A]", "[A]\r\nk=3\r\n"},
        {"[A]\r\nk=1", "[A]\r\nk=3\r\n"},
        {"[A]\r\nk=1\r\nz=3", "[A]\r\nk=3\r\nz=3"},
        {"[A]\r\nx=1\r\n" + afterNul, "[A]\r\nx=1\r\nk=3\r\n" + afterNul},
    };
    for (const auto& [before, after] : cases) {
        CMIniFile file = File(before);
        ASSERT_TRUE(file.WriteInt("A", "k", 3));
        EXPECT_EQ(Bytes(), after) << before;
    }
}

TEST_F(IniFileTest, WritersAtOnceLoseNoValue)
{
    // Two writers changing different keys at once, as two "zimbrel-cli config" commands: each
    // reads the file, edits it and renames the new text over it, and a writer that read before
    // the other's rename would put back the text without the other's value.
    Missing();
    constexpr int kRounds = 200;
    std::thread other([this] {
        CMIniFile file = At();
        for (int round = 0; round < kRounds; ++round)
            file.WriteInt("Other", "Key" + std::to_string(round), round);
    });
    CMIniFile file = At();
    for (int round = 0; round < kRounds; ++round)
        file.WriteInt("Mine", "Key" + std::to_string(round), round);
    other.join();
    int lost = 0;
    for (int round = 0; round < kRounds; ++round)
        for (const char* section : {"Mine", "Other"})
            lost += file.ReadInt(section, "Key" + std::to_string(round), -1) != round;
    EXPECT_EQ(lost, 0);
}

TEST_F(IniFileTest, TextThatWouldNotReadBackIsRefused)
{
    // Text that would break the file's lines or hide its key or section.
    const std::string old = "[A]\r\nk=1\r\n";
    CMIniFile file = File(old);
    EXPECT_FALSE(file.WriteString("A", "k", "1\r[B]"));
    EXPECT_FALSE(file.WriteString("A", "k\n", "x"));
    EXPECT_FALSE(file.WriteString("A", "k", std::string_view("nul\0byte", 8)));
    EXPECT_FALSE(file.WriteString("A", "", "x"));
    EXPECT_FALSE(file.WriteString("A", "k=v", "x"));
    EXPECT_FALSE(file.WriteString("A", "#k", "x"));
    EXPECT_FALSE(file.WriteString("A", "[k", "x"));
    EXPECT_FALSE(file.WriteString("A]", "k", "x"));
    EXPECT_FALSE(file.WriteString("A#", "k", "x"));
    EXPECT_EQ(Bytes(), old);
    EXPECT_TRUE(file.WriteString("A", "k", " spaces, = and # are fine "));
    EXPECT_EQ(file.ReadString("A", "k", ""), " spaces, = and # are fine ");
}

TEST_F(IniFileTest, AnUnreadableFileIsNeverReplaced)
{
    // A write merges into the file: one that cannot be read is not replaced by a single value.
    // (Failed saves keep the old file through the atomic save, tested in core/.)
    const std::string old = "[A]\r\nk=old\r\n";
    CMIniFile file = File(old);
    chmod(m_path.c_str(), 0);
    EXPECT_EQ(RunAsOrdinaryUser([&] { return file.WriteString("A", "k", "new"); }),
              std::optional<bool>(false));
    EXPECT_EQ(RunAsOrdinaryUser([&] { return file.ReadString("A", "k", "default") == "default"; }),
              std::optional<bool>(true));
    chmod(m_path.c_str(), 0666);
    EXPECT_EQ(Bytes(), old);
}
