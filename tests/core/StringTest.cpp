// CMString: clamping, trimming, ordering, formatting and the stored form.
#include "core/CMFile.h"
#include "core/CMString.h"
#include "tests/FileContents.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <string>

TEST(String, MidClampsStartAndCount)
{
    const CMString abc("abc");
    EXPECT_EQ(abc.Mid(5, -1), "c");  // start clamped to length - 1
    EXPECT_EQ(abc.Mid(-3, 2), "ab");
    EXPECT_EQ(abc.Mid(1, 99), "bc");
    EXPECT_EQ(CMString().Mid(0, 5), "");
}

TEST(String, TrimTouchesOnlySpacesAndTabs)
{
    CMString blanks("   ");
    EXPECT_EQ(blanks.TrimLeft(), "");
    CMString text(" \t a b \n\t ");
    EXPECT_EQ(CMString(text).TrimLeft(), "a b \n\t ");
    EXPECT_EQ(CMString(text).TrimRight(), " \t a b \n");
    EXPECT_EQ(text.Trim(), "a b \n");
}

TEST(String, ComparesBytesAsUnsigned)
{
    EXPECT_TRUE(CMString("\xE9") > CMString("z"));
    EXPECT_TRUE(CMString("ab") > CMString("a"));
    EXPECT_FALSE(CMString("a") > CMString("a"));
}

TEST(String, SelfAssignmentAndSelfAppend)
{
    CMString text("0123456789");
    const CMString& alias = text;
    text = alias;
    EXPECT_EQ(text, "0123456789");
    text = text.GetText();
    EXPECT_EQ(text, "0123456789");
    text += alias;
    EXPECT_EQ(text, "01234567890123456789");
    for (int i = 0; i < 3; ++i)
        text += text.GetText();  // grows past any small buffer
    EXPECT_EQ(text.GetLength(), 160);
    EXPECT_EQ(text.Mid(150), "0123456789");
}

TEST(String, FormatGrowsBeyondAMebibyte)
{
    CMString small;
    EXPECT_EQ(small.Format("%s-%03d", "x", 7), "x-007");
    const std::string big(2 * 1024 * 1024 + 3, 'q');
    CMString large;
    large.Format("<%s>", big.c_str());
    ASSERT_EQ(large.GetLength(), static_cast<int>(big.size()) + 2);
    EXPECT_EQ(large[0], '<');
    EXPECT_EQ(large[large.GetLength() - 1], '>');
}

TEST(String, FileTitleSplitsAtEitherSeparator)
{
    EXPECT_EQ(CMString::GetFileTitle("C:\\Data\\song.zimbrel"), "song");
    EXPECT_EQ(CMString::GetFileTitle("/home/me/Data/song.zimbrel"), "song");
    EXPECT_EQ(CMString::GetFileTitle("a.b/c\\blues.v2.zimbrel"), "blues.v2");
    EXPECT_EQ(CMString::GetFileTitle(".zimbrel"), ".zimbrel");
    EXPECT_EQ(CMString::GetFileTitle("C:\\Data\\"), "C:\\Data\\");  // ends in a separator: whole
    EXPECT_EQ(CMString::GetFileTitle(nullptr), "");
}

TEST(String, StoredFormRoundTrips)
{
    TempDir dir;
    const std::string path = dir.Path("string.bin");
    CMString empty, text(std::string_view("h\xC3\xA9llo\x00", 6)), long_text(std::string(300, 'w'));
    {
        CMFile file(path.c_str(), "wb");
        empty.Serialize(file, true);
        text.Serialize(file, true);
        long_text.Serialize(file, true);
    }
    ASSERT_EQ(FileContents(path).size(), 1u + 1 + 6 + 2 + 300);
    CMFile file(path.c_str(), "rb");
    CMString a("junk"), b, c;
    a.Serialize(file, false);
    b.Serialize(file, false);
    c.Serialize(file, false);
    EXPECT_EQ(a, "");
    EXPECT_EQ(b.Str(), std::string("h\xC3\xA9llo\x00", 6));
    EXPECT_EQ(c.Str(), std::string(300, 'w'));
}
