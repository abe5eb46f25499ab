// The song-server messages: the exact payload and frame bytes of every request, the decoding of
// every code into its handler, the trimming of Register, message names, and payloads that are
// empty or cut short.
#include "net/CMZimbrelMessages.h"
#include "net/CMZimbrelNet.h"
#include "tests/net/ByteLiteral.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::string;

// Writes every handler call as one line.
class RecordingNetEvent : public IMZimbrelNetEvent {
public:
    std::vector<std::string> calls;

    void OnUnknown(CFSocketEx&, CFSerialData& payload) override
    {
        calls.push_back("Unknown cursor=" + std::to_string(payload.GetCursor()));
    }
    void OnLogon(CFSocketEx&, const std::string& email, const std::string& password) override
    {
        calls.push_back("Logon " + email + "|" + password);
    }
    void OnLogonOK(CFSocketEx&, std::uint8_t result) override
    {
        calls.push_back("LogonOK " + std::to_string(result));
    }
    void OnQuerySongList(CFSocketEx&, const CMZimbrelUserNameList& userIds) override
    {
        calls.push_back("QuerySongList" + Join(userIds));
    }
    void OnQuerySongListOK(CFSocketEx&, const CMZimbrelSongNameList& names) override
    {
        calls.push_back("QuerySongListOK" + Join(names));
    }
    void OnRegister(CFSocketEx&, const std::string& userId, const std::string& email,
                    const std::string& password) override
    {
        calls.push_back("Register [" + userId + "][" + email + "][" + password + "]");
    }
    void OnRegisterOK(CFSocketEx&, std::uint8_t result) override
    {
        calls.push_back("RegisterOK " + std::to_string(result));
    }
    void OnAccount(CFSocketEx&, CFSerialData& payload) override
    {
        calls.push_back("Account " + payload.ToHex() +
                        " cursor=" + std::to_string(payload.GetCursor()));
    }
    void OnAccountOK(CFSocketEx&, std::uint8_t result) override
    {
        calls.push_back("AccountOK " + std::to_string(result));
    }
    void OnDownload(CFSocketEx&, const CMZimbrelSongNameList& names) override
    {
        calls.push_back("Download" + Join(names));
    }
    void OnDownloadOK(CFSocketEx&, const CMZimbrelSongList& songs) override
    {
        std::string line = "DownloadOK";
        for (const auto& song : songs)
            line += " " + song->name + "|" + song->source + "|" + song->uploadTime;
        calls.push_back(line);
    }
    void OnUpload(CFSocketEx&, CFSerialData& payload) override
    {
        calls.push_back("Upload " + payload.ToHex() +
                        " cursor=" + std::to_string(payload.GetCursor()));
    }
    void OnUploadOK(CFSocketEx&, CFSerialData& payload) override
    {
        calls.push_back("UploadOK " + payload.ToHex() +
                        " cursor=" + std::to_string(payload.GetCursor()));
    }

private:
    template <class List>
    static std::string Join(const List& list)
    {
        std::string joined;
        for (const auto& element : list)
            joined += " " + element->name;
        return joined;
    }
};

struct Dispatcher {
    CMZimbrelNet net;
    RecordingNetEvent sink;
    Dispatcher() { net.SetNetEvent(&sink); }

    // Dispatches the bytes; answers the handler call, or "malformed" when none was made.
    template <std::size_t N>
    std::string Run(const char (&literal)[N])
    {
        return Run(B(literal));
    }
    std::string Run(const Bytes& bytes)
    {
        CFSerialData payload{std::string_view(bytes)};
        sink.calls.clear();
        if (!net.Dispatch(net, payload))
            return sink.calls.empty() ? "malformed" : "malformed after a call";
        return sink.calls.size() == 1 ? sink.calls[0]
                                      : "calls: " + std::to_string(sink.calls.size());
    }
};

}  // namespace

TEST(Protocol, RequestPayloadsAndFrames)
{
    // A log-on with a three-character address and an empty password: six payload bytes, sent as
    // seven.
    const CFSerialData logon = BuildLogon("a@b", "");
    EXPECT_EQ(Bytes(logon.View()), B("\x01"
                                     "a@b\0"
                                     "\0"));
    EXPECT_EQ(Bytes(logon.Serialize().View()), B("\x06\x01"
                                                 "a@b\0"
                                                 "\0"));

    EXPECT_EQ(BuildQuerySongList(CMZimbrelUserNameList()).ToHex(), "0300");
    EXPECT_EQ(BuildDownload(CMZimbrelSongNameList()).ToHex(), "0B00");
    EXPECT_EQ(BuildQuerySongList(CMZimbrelUserNameList()).Serialize().ToHex(), "020300");

    CMZimbrelSongNameList names;
    names.AddName("a");
    names.AddName("b");
    EXPECT_EQ(Bytes(BuildDownload(names).View()), B("\x0B\x02"
                                                    "a\0"
                                                    "b\0"));
    EXPECT_EQ(Bytes(BuildRegister("ann", "a@b", "pw").View()), B("\x07"
                                                                 "ann\0"
                                                                 "a@b\0"
                                                                 "pw\0"));
    EXPECT_EQ(BuildResult(kMessageLogonOK, 3).ToHex(), "0203");

    CMZimbrelSongList songs;
    songs.Add(std::make_unique<CMZimbrelSong>("T", "S", ""));
    EXPECT_EQ(Bytes(BuildUpload(songs).View()), B("\x0D\x01"
                                                  "T\0"
                                                  "S\0"
                                                  "\0"));
    EXPECT_EQ(Bytes(BuildDownloadOK(songs).View()), B("\x0C\x01"
                                                      "T\0"
                                                      "S\0"
                                                      "\0"));
    EXPECT_EQ(Bytes(BuildQuerySongListOK(names).View()), B("\x04\x02"
                                                           "a\0"
                                                           "b\0"));

    // A payload of 128 bytes needs a two-byte length.
    const CFSerialData large = BuildLogon(Bytes(125, 'e'), "");
    EXPECT_EQ(large.GetLength(), 128);
    EXPECT_EQ(large.Serialize().ToHex().substr(0, 6), "810001");
}

TEST(Protocol, EveryCodeReachesItsHandler)
{
    Dispatcher d;
    EXPECT_EQ(d.Run("\x01"
                    "me@x\0"
                    "secret\0"),
              "Logon me@x|secret");
    EXPECT_EQ(d.Run("\x02\x03"), "LogonOK 3");
    EXPECT_EQ(d.Run("\x03\x00"), "QuerySongList");
    EXPECT_EQ(d.Run("\x03\x01"
                    "ann\0"),
              "QuerySongList ann");
    EXPECT_EQ(d.Run("\x04\x02"
                    "A@x\0"
                    "B\0"),
              "QuerySongListOK A@x B");
    EXPECT_EQ(d.Run("\x07"
                    "u\0"
                    "e\0"
                    "p\0"),
              "Register [u][e][p]");
    EXPECT_EQ(d.Run("\x08\x00"), "RegisterOK 0");
    EXPECT_EQ(d.Run("\x09\x41\x42"), "Account 094142 cursor=1");
    EXPECT_EQ(d.Run("\x0A\x05"), "AccountOK 5");
    EXPECT_EQ(d.Run("\x0B\x01"
                    "A@x\0"),
              "Download A@x");
    EXPECT_EQ(d.Run("\x0C\x01"
                    "A@x\0"
                    "src\0"
                    "t\0"),
              "DownloadOK A@x|src|t");
    EXPECT_EQ(d.Run("\x0D\x07"), "Upload 0D07 cursor=1");
    EXPECT_EQ(d.Run("\x0E\x00"), "UploadOK 0E00 cursor=1");
    EXPECT_EQ(d.Run("\x00"), "Unknown cursor=1");
    EXPECT_EQ(d.Run("\x05"), "Unknown cursor=1");
    EXPECT_EQ(d.Run("\x06\x01"), "Unknown cursor=1");
    EXPECT_EQ(d.Run("\xFF"), "Unknown cursor=1");
    // Bytes after the last field are ignored.
    EXPECT_EQ(d.Run("\x02\x00zz"), "LogonOK 0");
}

TEST(Protocol, RegisterFieldsLoseSurroundingBlanks)
{
    Dispatcher d;
    EXPECT_EQ(d.Run("\x07 \t ann \r\n\0"
                    " a@b \0"
                    "\tpw\n\0"),
              "Register [ann][a@b][pw]");
    EXPECT_EQ(d.Run("\x07  \0"
                    "\0"
                    "x y\0"),
              "Register [][][x y]");
}

TEST(Protocol, EmptyAndTruncatedPayloadsCallNothing)
{
    Dispatcher d;
    EXPECT_EQ(d.Run(""), "malformed");
    EXPECT_EQ(d.Run("\x01"
                    "me@x"),
              "malformed");
    EXPECT_EQ(d.Run("\x01"
                    "me@x\0"
                    "pw"),
              "malformed");
    EXPECT_EQ(d.Run("\x02"), "malformed");
    EXPECT_EQ(d.Run("\x08"), "malformed");
    EXPECT_EQ(d.Run("\x0A"), "malformed");
    EXPECT_EQ(d.Run("\x03"), "malformed");
    EXPECT_EQ(d.Run("\x04\x05"
                    "a\0"),
              "malformed");
    EXPECT_EQ(d.Run("\x07"
                    "u\0"
                    "e\0"),
              "malformed");
    EXPECT_EQ(d.Run("\x0B\x01"), "malformed");
    EXPECT_EQ(d.Run("\x0C\x01"
                    "a\0"
                    "b\0"),
              "malformed");

    CMZimbrelNet withoutSink;
    CFSerialData payload(std::string_view("\x02\x00", 2));
    EXPECT_FALSE(withoutSink.Dispatch(withoutSink, payload));
}

TEST(Protocol, MessageNames)
{
    const char* const expected[] = {
        "None",      "Logon",    "LogonOK",    "QuerySongList", "QuerySongListOK",
        "",          "",         "Register",   "RegisterOK",    "Account",
        "AccountOK", "Download", "DownloadOK", "Upload",        "UploadOK",
        ""};
    for (int code = 0; code < 16; ++code)
        EXPECT_STREQ(CMZimbrelNet::GetMessageName(static_cast<std::uint8_t>(code)), expected[code])
            << code;
    EXPECT_STREQ(CMZimbrelNet::GetMessageName(255), "");
}
