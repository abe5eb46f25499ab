// Song text escaping around the 7-bit scanner: ASCII passes, UTF-8 bytes are escaped one by one,
// double-byte code pages in pairs, and every text comes back byte for byte.
#include "core/CMString.h"
#include "music/HexEscape.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Escape(const std::string& text)
{
    return EscapeHex(text.c_str()).Str();
}

std::string Unescape(const std::string& text)
{
    return UnescapeHex(text.c_str()).Str();
}

}  // namespace

TEST(Escape, DoubleByteTextEscapesPairs)
{
    // 82 is no UTF-8 lead byte, so the text is read as a double-byte code page.
    const std::string text("A\x82\xA0\\B");
    EXPECT_EQ(Escape(text), "A\\x82\\xA0\\B");
    EXPECT_EQ(Unescape(Escape(text)), text);

    // A lead byte takes the byte after it, whatever it is.
    EXPECT_EQ(Escape("\x93}x"), "\\x93\\x7Dx");
    // A lead byte in the last position is written alone.
    EXPECT_EQ(Escape("ab\x93"), "ab\\x93");
    const std::string shiftJis("title { \x93\xFA\x96\x7B }");
    EXPECT_EQ(Unescape(Escape(shiftJis)), shiftJis);
}

TEST(Escape, Utf8BytesAreEscapedOneByOne)
{
    // A three-byte character followed by "}" must leave the brace for the scanner.
    const std::string text("title { \xE6\x97\xA5}");
    EXPECT_EQ(Escape(text), "title { \\xE6\\x97\\xA5}");
    EXPECT_EQ(Unescape(Escape(text)), text);

    const std::string mixed("lyrics { caf\xC3\xA9 / \xF0\x9F\x8E\xB7 ~ }\r\n\tend");
    const std::string escaped = Escape(mixed);
    for (char c : escaped)
        EXPECT_LT(static_cast<unsigned char>(c), 128);
    EXPECT_EQ(Unescape(escaped), mixed);

    // Control bytes cannot swallow the next byte in UTF-8 text either.
    EXPECT_EQ(Escape("\x01}"), "\\x01}");
}

TEST(Escape, PlainAsciiAndLiteralEscapesSurvive)
{
    const std::string ascii("chord { C | Dm7 G7 | }\r\n\t/* x */");
    EXPECT_EQ(Escape(ascii), ascii);
    // A song that itself contains "\x41" must not come back as "A".
    const std::string literal("title { \\x41 and \\xZZ and \\x4 }");
    EXPECT_EQ(Unescape(Escape(literal)), literal);
    EXPECT_EQ(Escape(""), "");
}

TEST(Escape, UnescapeReadsOnlyUpperCaseCompleteEscapes)
{
    EXPECT_EQ(Unescape("\\x41\\x42"), "AB");
    EXPECT_EQ(Unescape("\\x4g"), "\\x4g");  // not a hex digit
    EXPECT_EQ(Unescape("\\xab"), "\\xab");  // lower case is not read
    EXPECT_EQ(Unescape("a\\x4"), "a\\x4");  // among the last three bytes
    EXPECT_EQ(Unescape("\\x"), "\\x");
    EXPECT_EQ(Unescape("\\x00z"), std::string("\0z", 2));
}
