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
    bool Exists() const { return std::filesystem::exists(m_path); }

    TempDir m_dir;
    std::string m_path = m_dir.Path("Zimbrel.ini");
};

}  // namespace

TEST_F(IniFileTest, PathIsRelativeToTheWorkingDirectory)
{
    EXPECT_EQ(CMIniFile("Zimbrel.ini").path, "./Zimbrel.ini");
    EXPECT_EQ(CMIniFile("").path, "");
    EXPECT_EQ(CMIniFile().path, "");
    EXPECT_FALSE(CMIniFile().WriteInt("A", "b", 1));  // nowhere to write
}

TEST_F(IniFileTest, FirstWriteCreatesAPrivateFileOfTwoLines)
{
    CMIniFile file = Missing();
    EXPECT_EQ(file.ReadInt("Preferences", "Piano", 7), 7);
    EXPECT_EQ(file.ReadString("Preferences", "Band", "x"), "x");
    ASSERT_TRUE(file.WriteInt("Preferences", "Piano", 1));
    EXPECT_EQ(Bytes(), "[Preferences]\r\nPiano=1\r\n");
    EXPECT_EQ(Mode(), 0600u);  // it will hold the account password
    EXPECT_EQ(file.ReadInt("Preferences", "Piano", 7), 1);

    // A file the user has opened up keeps its permissions.
    chmod(m_path.c_str(), 0644);
    ASSERT_TRUE(file.WriteInt("Preferences", "Piano", 0));
    EXPECT_EQ(Mode(), 0644u);
}

TEST_F(IniFileTest, IntegersBooleansAndHexadecimal)
{
    const CMIniFile file =
        File("[N]\r\nyes=Yes\r\nbigX=0X10\r\nhex=0x10\r\non=ON\r\noff=off\r\ntrue=tRuE\r\nno=No\r\n"
             "false=FALSE\r\nlead=-12abc\r\nword=abc\r\nempty=\r\nspace= 7\r\nbare=0x\r\n"
             "badhex=0xZZ\r\nhuge=99999999999\r\ntiny=-99999999999\r\nallbits=0xFFFFFFFF\r\n");
    EXPECT_EQ(file.ReadInt("N", "yes", 5), 1);
    EXPECT_EQ(file.ReadInt("N", "bigX", 5), 0);  // only a lower-case x marks hexadecimal
    EXPECT_EQ(file.ReadInt("N", "hex", 5), 16);
    EXPECT_EQ(file.ReadInt("N", "on", 5), 1);
    EXPECT_EQ(file.ReadInt("N", "off", 5), 0);
    EXPECT_EQ(file.ReadInt("N", "true", 5), 1);
    EXPECT_EQ(file.ReadInt("N", "no", 5), 0);
    EXPECT_EQ(file.ReadInt("N", "false", 5), 0);
    EXPECT_EQ(file.ReadInt("N", "lead", 5), -12);
    EXPECT_EQ(file.ReadInt("N", "word", 5), 0);
    EXPECT_EQ(file.ReadInt("N", "empty", 5), 5);
    EXPECT_EQ(file.ReadInt("N", "space", 5), 7);
    EXPECT_EQ(file.ReadInt("N", "bare", 5), 0);  // "0x" alone is the decimal 0
    EXPECT_EQ(file.ReadInt("N", "badhex", 5), 0);
    EXPECT_EQ(file.ReadInt("N", "huge", 5), INT_MAX);
    EXPECT_EQ(file.ReadInt("N", "tiny", 5), INT_MIN);
    EXPECT_EQ(file.ReadInt("N", "allbits", 5), -1);
    EXPECT_EQ(file.ReadInt("N", "absent", 5), 5);
}

TEST_F(IniFileTest, DoublesThroughAtof)
{
    const CMIniFile file =
        File("[General]\r\nZoom= 0.25\r\nSpaced =0.5\r\nword=abc\r\nempty=\r\nexp=1e3\r\n");
    EXPECT_DOUBLE_EQ(file.ReadDouble("General", "Zoom", 9), 0.25);  // leading blank skipped
    EXPECT_DOUBLE_EQ(file.ReadDouble("General", "Spaced", 9), 9);   // the key is "Spaced "
    EXPECT_DOUBLE_EQ(file.ReadDouble("General", "Spaced ", 9), 0.5);
    EXPECT_DOUBLE_EQ(file.ReadDouble("General", "word", 9), 0);
    EXPECT_DOUBLE_EQ(file.ReadDouble("General", "empty", 9), 9);
    EXPECT_DOUBLE_EQ(file.ReadDouble("General", "exp", 9), 1000);

    CMIniFile written = Missing();
    ASSERT_TRUE(written.WriteDouble("General", "Zoom", 1.0));
    ASSERT_TRUE(written.WriteDouble("General", "Half", -0.5));
    EXPECT_EQ(Bytes(), "[General]\r\nZoom=1.000000\r\nHalf=-0.500000\r\n");
}

TEST_F(IniFileTest, WhatALineIs)
{
    const CMIniFile file = File("orphan=1\r\n"          // before any header: never found
                                "[[Sec]] trailing\r\n"  // "[" skipped, text after "]" ignored
                                "# comment=2\r\n"
                                "\r\n"
                                " key = spaced \r\n"  // nothing trimmed
                                "a#b=3\r\n"           // "#" before "=": empty key
                                "hash=x#y\r\n"        // "#" inside a value is the value's
                                "Case=upper\r\n"
                                "dup=first\r\n"
                                "dup=second\r\n"
                                "noequals\r\n"
                                "[Sec]\r\n"  // a second section of the name is never searched
                                "later=4\r\n"
                                "[Bad#]\r\nbad=5\r\n"       // "#" before "]": empty name
                                "[Open\r\nopen=6\r\n"       // no "]": empty name
                                "[Lone]\rcr=7\rcrlf=8\r\n"  // a lone CR breaks a line as CR LF does
                                "[Last]\r\nfinished=9\r\nunfinished=10");
    EXPECT_EQ(file.ReadString("", "orphan", "-"), "-");
    EXPECT_EQ(file.ReadString("Sec", "orphan", "-"), "-");
    EXPECT_EQ(file.ReadString("Sec", "# comment", "-"), "-");
    EXPECT_EQ(file.ReadString("Sec", " key ", "-"), " spaced ");
    EXPECT_EQ(file.ReadString("Sec", "key", "-"), "-");
    EXPECT_EQ(file.ReadString("Sec", "a#b", "-"), "-");
    EXPECT_EQ(file.ReadString("Sec", "hash", "-"), "x#y");
    EXPECT_EQ(file.ReadString("Sec", "Case", "-"), "upper");
    EXPECT_EQ(file.ReadString("Sec", "case", "-"), "-");
    EXPECT_EQ(file.ReadString("sec", "Case", "-"), "-");
    EXPECT_EQ(file.ReadString("Sec", "dup", "-"), "first");
    EXPECT_EQ(file.ReadString("Sec", "later", "-"), "-");
    EXPECT_EQ(file.ReadString("Bad#", "bad", "-"), "-");
    EXPECT_EQ(file.ReadString("", "bad", "-"), "5");
    EXPECT_EQ(file.ReadString("Open", "open", "-"), "-");
    EXPECT_EQ(file.ReadString("Lone", "cr", "-"), "7");
    EXPECT_EQ(file.ReadString("Lone", "crlf", "-"), "8");
    EXPECT_EQ(file.ReadString("Last", "finished", "-"), "9");
    EXPECT_EQ(file.ReadString("Last", "unfinished", "-"), "-");  // no line break: not read

    const CMIniFile ended = File("[A]\r\nx=1\r\n\0y=2\r\n"s);
    EXPECT_EQ(ended.ReadString("A", "x", "-"), "1");
    EXPECT_EQ(ended.ReadString("A", "y", "-"), "-");  // a NUL byte ends the text
}

TEST_F(IniFileTest, ReplacingAValueKeepsEveryOtherByte)
{
    CMIniFile file = File("# Zimbrel settings\r\n[Preferences]\r\nPiano=1\r\n; odd line\r\n"
                          "Band=Old Band\r\nUnknown = kept \r\n\r\n[Mine]\r\nx=y\r\n");
    ASSERT_TRUE(file.WriteString("Preferences", "Band", "New Band"));
    EXPECT_EQ(Bytes(), "# Zimbrel settings\r\n[Preferences]\r\nPiano=1\r\n; odd line\r\n"
                       "Band=New Band\r\nUnknown = kept \r\n\r\n[Mine]\r\nx=y\r\n");

    // Every line keeps its own line break; new lines end as the file's first line does.
    const std::pair<const char*, const char*> endings[] = {
        {"[A]\nk=1\rlone\r\n[B]\ny=2\n", "[A]\nk=3\rlone\r\n[B]\ny=2\n"},
        {"[A]\nx=1\r\n[B]\r\n", "[A]\nx=1\r\nk=3\n[B]\r\n"},
        {"[B]\ry=2", "[B]\ry=2\r[A]\rk=3\r"},
    };
    for (const auto& [before, after] : endings) {
        file = File(before);
        ASSERT_TRUE(file.WriteInt("A", "k", 3));
        EXPECT_EQ(Bytes(), after) << before;
    }
}

TEST_F(IniFileTest, WhereANewLineGoes)
{
    // At the end of its section: after blank and comment lines, right before the next header.
    CMIniFile file = File("[A]\r\nx=1\r\n\r\n# about B\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(file.WriteInt("A", "z", 3));
    EXPECT_EQ(Bytes(), "[A]\r\nx=1\r\n\r\n# about B\r\nz=3\r\n[B]\r\ny=2\r\n");

    // At the end of the file when the section is the last.
    ASSERT_TRUE(file.WriteInt("B", "w", 4));
    EXPECT_EQ(Bytes(), "[A]\r\nx=1\r\n\r\n# about B\r\nz=3\r\n[B]\r\ny=2\r\nw=4\r\n");

    // A new section at the end, without a blank line.
    ASSERT_TRUE(file.WriteString("C", "v", "five"));
    EXPECT_EQ(Bytes(),
              "[A]\r\nx=1\r\n\r\n# about B\r\nz=3\r\n[B]\r\ny=2\r\nw=4\r\n[C]\r\nv=five\r\n");

    // Only the first section of a name is searched: the key in the second is not found.
    file = File("[A]\r\na=1\r\n[B]\r\n[A]\r\nk=old\r\n");
    ASSERT_TRUE(file.WriteString("A", "k", "new"));
    EXPECT_EQ(Bytes(), "[A]\r\na=1\r\nk=new\r\n[B]\r\n[A]\r\nk=old\r\n");

    // A key before any header is never found: the section is added.
    file = File("k=orphan\r\n");
    ASSERT_TRUE(file.WriteString("A", "k", "v"));
    EXPECT_EQ(Bytes(), "k=orphan\r\n[A]\r\nk=v\r\n");
}

TEST_F(IniFileTest, AnUnfinishedLastLineIsEndedBeforeAnythingIsAppended)
{
    CMIniFile file = File("[A]\r\nx=1");
    ASSERT_TRUE(file.WriteInt("A", "y", 2));
    EXPECT_EQ(Bytes(), "[A]\r\nx=1\r\ny=2\r\n");
    EXPECT_EQ(file.ReadInt("A", "x", 0), 1);  // read now that it is ended

    // The ended line is read like any other: a header there closes the section ...
    file = File("[A]\r\nx=1\r\n[B]");
    ASSERT_TRUE(file.WriteInt("A", "y", 2));
    EXPECT_EQ(Bytes(), "[A]\r\nx=1\r\ny=2\r\n[B]\r\n");
    // ... or opens the wanted one ...
    file = File("[A]");
    ASSERT_TRUE(file.WriteInt("A", "y", 2));
    EXPECT_EQ(Bytes(), "[A]\r\ny=2\r\n");
    // ... and the wanted key there is replaced.
    file = File("[A]\r\ny=1");
    ASSERT_TRUE(file.WriteInt("A", "y", 2));
    EXPECT_EQ(Bytes(), "[A]\r\ny=2\r\n");

    // A replacement further up leaves the unfinished line alone.
    file = File("[A]\r\ny=1\r\nz=3");
    ASSERT_TRUE(file.WriteInt("A", "y", 2));
    EXPECT_EQ(Bytes(), "[A]\r\ny=2\r\nz=3");
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

TEST_F(IniFileTest, BytesAfterANulSurviveWrites)
{
    const std::string after = "\0\x01garbage\r\n[A]\r\nx=9\r\n"s;
    CMIniFile file = File("[A]\r\nx=1\r\n" + after);
    ASSERT_TRUE(file.WriteInt("A", "y", 2));
    ASSERT_TRUE(file.WriteInt("A", "x", 3));
    EXPECT_EQ(Bytes(), "[A]\r\nx=3\r\ny=2\r\n" + after);
}

TEST_F(IniFileTest, TextThatWouldNotReadBackIsRefused)
{
    CMIniFile file = Missing();
    EXPECT_FALSE(file.WriteString("A", "k", "two\nlines"));
    EXPECT_FALSE(file.WriteString("A", "k", "carriage\rreturn"));
    EXPECT_FALSE(file.WriteString("A", "k", std::string_view("nul\0byte", 8)));
    EXPECT_FALSE(file.WriteString("A", "", "empty key"));
    EXPECT_FALSE(file.WriteString("A", "k=v", "x"));
    EXPECT_FALSE(file.WriteString("A", "#k", "x"));
    EXPECT_FALSE(file.WriteString("A", "[k", "x"));
    EXPECT_FALSE(file.WriteString("A]", "k", "x"));
    EXPECT_FALSE(file.WriteString("A#", "k", "x"));
    EXPECT_FALSE(file.WriteString("[A", "k", "x"));
    EXPECT_FALSE(Exists());

    file = File("[A]\r\nk=1\r\n");
    EXPECT_FALSE(file.WriteString("A", "k", "1\n[B]"));
    EXPECT_EQ(Bytes(), "[A]\r\nk=1\r\n");
    EXPECT_TRUE(file.WriteString("A", "k", " spaces, = and # are fine "));
    EXPECT_EQ(file.ReadString("A", "k", ""), " spaces, = and # are fine ");
}

TEST_F(IniFileTest, AFailedWriteChangesNothing)
{
    const std::string old = "[A]\r\nk=old\r\n";
    CMIniFile file = File(old);
    chmod(m_dir.Root().c_str(), 0555);  // the folder is read-only
    chmod(m_path.c_str(), 0666);        // the file itself is not
    EXPECT_EQ(RunAsOrdinaryUser([&] { return file.WriteString("A", "k", "new"); }),
              std::optional<bool>(false));
    EXPECT_EQ(RunAsOrdinaryUser([&] { return file.ReadString("A", "k", "") == "old"; }),
              std::optional<bool>(true));
    EXPECT_EQ(Bytes(), old);

    // An existing file that cannot be read is never replaced by one holding a single value.
    chmod(m_dir.Root().c_str(), 0777);
    chmod(m_path.c_str(), 0);
    EXPECT_EQ(RunAsOrdinaryUser([&] { return file.WriteString("A", "k", "new"); }),
              std::optional<bool>(false));
    EXPECT_EQ(RunAsOrdinaryUser([&] { return file.ReadString("A", "k", "default") == "default"; }),
              std::optional<bool>(true));
    EXPECT_EQ(Bytes(), old);

    // A full disk: the new text does not fit, the old file stays.
    chmod(m_path.c_str(), 0666);
    EXPECT_EQ(RunAsOrdinaryUser([&] { return file.WriteString("A", "k", "a longer value"); },
                                static_cast<long>(old.size())),
              std::optional<bool>(false));
    EXPECT_EQ(Bytes(), old);

    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_dir.Root()))
        ++entries;
    EXPECT_EQ(entries, 1u);  // no temporary file left behind
}
