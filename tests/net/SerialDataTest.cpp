// The wire encoding: text fields, lists, byte strings, splitting, frame extraction from a receive
// buffer, hexadecimal rendering, and decoding that stops at the end of the bytes it is given.
#include "net/CFSerialData.h"
#include "net/CMZimbrelRecords.h"
#include "tests/net/ByteLiteral.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using Bytes = std::string;

Bytes Encoded(const IFSerializable& object)
{
    return Bytes(object.Serialize().View());
}

const std::uint8_t* Data(const Bytes& bytes)
{
    return reinterpret_cast<const std::uint8_t*>(bytes.data());
}

std::int32_t Size(const Bytes& bytes)
{
    return static_cast<std::int32_t>(bytes.size());
}

}  // namespace

TEST(SerialData, TextFieldsAndLists)
{
    CFSerialData text;
    text.AppendText("");
    EXPECT_EQ(Bytes(text.View()), B("\x00"));
    EXPECT_EQ(CFSerialData::GetTextSize(""), 1);
    EXPECT_EQ(CFSerialData::GetTextSize("abc"), 4);

    CMZimbrelSongNameList empty;
    EXPECT_EQ(Encoded(empty), B("\x00"));
    EXPECT_EQ(empty.GetSerialSize(), 1);

    CMZimbrelSongNameList names;
    names.AddName("a");
    names.AddName("b");
    EXPECT_EQ(Encoded(names), B("\002a\0b\0"));
    EXPECT_EQ(names.GetSerialSize(), 5);

    CMZimbrelSongList songs;
    songs.Add(
        std::make_unique<CMZimbrelSong>("Blues@ann", "title { Blues }", "2026-01-02T03:04:05Z"));
    const Bytes encoded = Encoded(songs);
    EXPECT_EQ(encoded, B("\001Blues@ann\0title { Blues }\0"
                         "2026-01-02T03:04:05Z\0"));
    EXPECT_EQ(songs.GetSerialSize(), Size(encoded));

    CMZimbrelSongList decoded;
    EXPECT_EQ(decoded.Deserialize(Data(encoded), Size(encoded)), Size(encoded));
    ASSERT_EQ(decoded.GetCount(), 1);
    EXPECT_EQ(decoded.GetAt(0).name, "Blues@ann");
    EXPECT_EQ(decoded.GetAt(0).source, "title { Blues }");
    EXPECT_EQ(decoded.GetAt(0).uploadTime, "2026-01-02T03:04:05Z");
}

TEST(SerialData, ListsOfManyElementsUseLongCounts)
{
    CMZimbrelSongNameList names;
    for (int i = 0; i < 200; ++i)
        names.AddName(std::to_string(i));
    const Bytes encoded = Encoded(names);
    EXPECT_EQ(encoded.substr(0, 2), "\x81\x48");
    EXPECT_EQ(names.GetSerialSize(), Size(encoded));
    CMZimbrelSongNameList decoded;
    EXPECT_EQ(decoded.Deserialize(Data(encoded), Size(encoded)), Size(encoded));
    ASSERT_EQ(decoded.GetCount(), 200);
    EXPECT_EQ(decoded.GetAt(199).name, "199");
}

TEST(SerialData, TruncatedEncodingsFailWithinTheirBytes)
{
    CMZimbrelSongNameList names;
    names.AddName("kept");
    const Bytes missingTerminator("\001abc", 4);
    EXPECT_EQ(names.Deserialize(Data(missingTerminator), Size(missingTerminator)), -1);
    EXPECT_TRUE(names.IsEmpty());

    const Bytes countTooLarge("\003a\0b\0", 5);
    EXPECT_EQ(names.Deserialize(Data(countTooLarge), Size(countTooLarge)), -1);
    EXPECT_TRUE(names.IsEmpty());

    const Bytes hugeCount("\xFF\xFF\xFF\x7F", 4);
    EXPECT_EQ(names.Deserialize(Data(hugeCount), Size(hugeCount)), -1);
    EXPECT_EQ(names.Deserialize(nullptr, 0), -1);

    // A song needs three fields; two are not enough.
    CMZimbrelSongList songs;
    const Bytes twoFields("\001a\0b\0", 5);
    EXPECT_EQ(songs.Deserialize(Data(twoFields), Size(twoFields)), -1);

    // Bytes after the list are not the list's.
    const Bytes trailing("\001a\0zz", 5);
    EXPECT_EQ(names.Deserialize(Data(trailing), Size(trailing)), 3);
    EXPECT_EQ(names.GetAt(0).name, "a");

    std::string text = "old";
    EXPECT_EQ(CFSerialData::DecodeText(Data(missingTerminator), 4, text), -1);
    EXPECT_EQ(text, "");
}

TEST(SerialData, ByteStringRoundTripAndBounds)
{
    CFSerialData original(Bytes(300, 'x'));
    const Bytes encoded = Encoded(original);
    EXPECT_EQ(Size(encoded), 302);
    EXPECT_EQ(encoded.substr(0, 2), "\x82\x2C");
    EXPECT_EQ(original.GetSerialSize(), 302);

    CFSerialData copy(std::string_view("previous"));
    EXPECT_EQ(copy.Deserialize(Data(encoded), Size(encoded)), 302);
    EXPECT_EQ(copy, original);
    EXPECT_EQ(copy.Deserialize(Data(encoded), 301), -1);
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(SerialData, SplitKeepsTheRemainder)
{
    CFSerialData data(std::string_view("abcdef"));
    EXPECT_EQ(data.Split(0).GetLength(), 0);
    EXPECT_EQ(data.Split(-3).GetLength(), 0);
    EXPECT_EQ(data.Split(2).View(), "ab");
    EXPECT_EQ(data.View(), "cdef");
    EXPECT_EQ(data.Split(10).View(), "cdef");
    EXPECT_TRUE(data.IsEmpty());
    data.Append(Data("gh"), 2);
    EXPECT_EQ(data.View(), "gh");
}

TEST(SerialData, FrameExtraction)
{
    // 05 and three payload bytes: not yet a frame; the buffer keeps all four bytes.
    CFSerialData buffer(std::string_view("\005abc"));
    EXPECT_TRUE(buffer.ExtractFrame().IsEmpty());
    EXPECT_EQ(buffer.GetLength(), 4);
    buffer.Append(Data("de"), 2);
    EXPECT_EQ(buffer.ExtractFrame().View(), "abcde");
    EXPECT_TRUE(buffer.IsEmpty());

    // Two frames in one buffer come out one at a time, in order.
    buffer.Append(Data("\x02xy\x01z"), 5);
    EXPECT_EQ(buffer.ExtractFrame().View(), "xy");
    EXPECT_EQ(buffer.ExtractFrame().View(), "z");
    EXPECT_TRUE(buffer.IsEmpty());

    // A two-byte header: 128 payload bytes.
    const Bytes payload(128, 'p');
    buffer.Append(Data("\x81\x00"), 2);
    buffer.Append(Data(payload), 127);
    EXPECT_TRUE(buffer.ExtractFrame().IsEmpty());
    buffer.Append(Data(payload), 1);
    EXPECT_EQ(buffer.ExtractFrame().View(), payload);

    // Four header bytes with the top bit set never make a header.
    std::uint32_t length = 0;
    std::int32_t header = 0;
    CFSerialData malformed(std::string_view("\x80\x80\x80\x80\x00", 5));
    EXPECT_FALSE(malformed.PeekFrameHeader(length, header));
    EXPECT_TRUE(malformed.ExtractFrame().IsEmpty());
    EXPECT_EQ(malformed.GetLength(), 5);
}

TEST(SerialData, ManySmallFramesFromOneLargeBuffer)
{
    CFSerialData buffer;
    for (int i = 0; i < 100000; ++i) {
        const std::uint8_t frame[] = {2, static_cast<std::uint8_t>(i),
                                      static_cast<std::uint8_t>(i >> 8)};
        buffer.Append(frame, 3);
    }
    for (int i = 0; i < 100000; ++i) {
        const CFSerialData payload = buffer.ExtractFrame();
        ASSERT_EQ(payload.GetLength(), 2);
        ASSERT_EQ(payload.GetData()[0] | payload.GetData()[1] << 8, i & 0xFFFF);
    }
    EXPECT_TRUE(buffer.IsEmpty());
}

TEST(SerialData, CursorReadsAndHex)
{
    CFSerialData payload(std::string_view("\001ab\0\0\x07", 6));
    std::uint8_t code = 0;
    std::string text;
    ASSERT_TRUE(payload.ReadByte(code));
    EXPECT_EQ(code, 1);
    ASSERT_TRUE(payload.ReadText(text));
    EXPECT_EQ(text, "ab");
    ASSERT_TRUE(payload.ReadText(text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(payload.ReadText(text));  // 07 has no terminator
    EXPECT_EQ(payload.GetCursor(), 5);
    ASSERT_TRUE(payload.ReadByte(code));
    EXPECT_EQ(code, 7);
    EXPECT_FALSE(payload.ReadByte(code));
    EXPECT_EQ(payload.GetCursor(), 6);

    EXPECT_EQ(CFSerialData(std::string_view("\x03\x00", 2)).ToHex(), "0300");
    EXPECT_EQ(CFSerialData(std::string_view("\xAB\x0F\xF0")).ToHex(), "AB0FF0");
    EXPECT_EQ(CFSerialData().ToHex(), "");
}

TEST(SerialData, SongNamesSplitAtTheFirstAtMark)
{
    const char* const cases[][3] = {{"Blues@ann", "Blues", "ann"},
                                    {"Blues", "Blues", ""},
                                    {"Blues@", "Blues", ""},
                                    {"a@b@c", "a", "b@c"}};
    for (const auto& [name, title, author] : cases) {
        std::string splitTitle = "old", splitAuthor = "old";
        SplitSongName(name, splitTitle, splitAuthor);
        EXPECT_EQ(splitTitle + "|" + splitAuthor, std::string(title) + "|" + author) << name;
    }
}
