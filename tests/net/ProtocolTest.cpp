// The song-server messages: the exact payload and frame bytes of every request, the decoding of
// every code into its handler, the trimming of Register, message names, and payloads that are
// empty or cut short.
#include "net/CMZimbrelMessages.h"
#include "net/CMZimbrelNet.h"
#include "tests/net/ByteLiteral.h"
#include "tests/net/ReplyRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::string;

// Adds a line for every request and unknown code to the replies a ReplyRecorder writes.
class RecordingNetEvent : public ReplyRecorder {
public:
    void OnUnknown(CFSocketEx&, CFSerialData& payload) override { Payload("Unknown", payload); }
    void OnLogon(CFSocketEx&, const std::string& email, const std::string& password) override
    {
        replies.push_back("Logon " + email + "|" + password);
    }
    void OnQuerySongList(CFSocketEx&, const CMZimbrelUserNameList& userIds) override
    {
        replies.push_back("QuerySongList" + Joined(userIds));
    }
    void OnRegister(CFSocketEx&, const std::string& userId, const std::string& email,
                    const std::string& password) override
    {
        replies.push_back("Register [" + userId + "][" + email + "][" + password + "]");
    }
    void OnAccount(CFSocketEx&, CFSerialData& payload) override { Payload("Account", payload); }
    void OnDownload(CFSocketEx&, const CMZimbrelSongNameList& names) override
    {
        replies.push_back("Download" + Joined(names));
    }
    void OnUpload(CFSocketEx&, CFSerialData& payload) override { Payload("Upload", payload); }

private:
    // The handler gets the whole payload with the cursor after the code.
    void Payload(const char* name, const CFSerialData& payload)
    {
        replies.push_back(name + (" " + payload.ToHex()) +
                          " cursor=" + std::to_string(payload.GetCursor()));
    }
};

}  // namespace

TEST(Protocol, RequestPayloadsAndFrames)
{
    CMZimbrelSongNameList names;
    names.AddName("a");
    names.AddName("b");
    CMZimbrelSongList songs;
    songs.Add(std::make_unique<CMZimbrelSong>("T", "S", ""));
    // A code byte before the fields; a log-on with an empty password is six bytes, sent as seven.
    const std::pair<CFSerialData, const char*> messages[] = {
        {BuildLogon("a@b", ""), "016140620000"},
        {BuildLogon("a@b", "").Serialize(), "06016140620000"},
        {BuildQuerySongList(CMZimbrelUserNameList()), "0300"},
        {BuildQuerySongListOK(names), "040261006200"},
        {BuildRegister("ann", "a@b", "pw"), "07616E6E0061406200707700"},
        {BuildResult(kMessageLogonOK, 3), "0203"},
        {BuildDownload(names), "0B0261006200"},
        {BuildDownloadOK(songs), "0C015400530000"},
        {BuildUpload(songs), "0D015400530000"},
    };
    for (const auto& [message, hex] : messages)
        EXPECT_EQ(message.ToHex(), hex);

    // A payload of 128 bytes needs a two-byte length.
    const CFSerialData large = BuildLogon(Bytes(125, 'e'), "");
    EXPECT_EQ(large.GetLength(), 128);
    EXPECT_EQ(large.Serialize().ToHex().substr(0, 6), "810001");
}

// Every code reaches its handler, unassigned ones OnUnknown; a payload that is empty or cut short
// calls nothing and is malformed.
TEST(Protocol, DispatchOfEveryCode)
{
    const std::pair<Bytes, const char*> cases[] = {
        {B("\x01me@x\0secret\0"), "Logon me@x|secret"},
        {B("\x02\x03"), "LogonOK 3"},
        {B("\x02\x00zz"), "LogonOK 0"},  // bytes after the last field are ignored
        {B("\x03\x00"), "QuerySongList"},
        {B("\x03\001ann\0"), "QuerySongList ann"},
        {B("\x04\002A@x\0B\0"), "QuerySongListOK A@x B"},
        {B("\x07u\0e\0p\0"), "Register [u][e][p]"},
        // Register's fields lose their surrounding blanks.
        {B("\x07 \t ann \r\n\0 a@b \0\tpw\n\0"), "Register [ann][a@b][pw]"},
        {B("\x07  \0\0x y\0"), "Register [][][x y]"},
        {B("\x08\x00"), "RegisterOK 0"},
        {B("\x09\x41\x42"), "Account 094142 cursor=1"},
        {B("\x0A\x05"), "AccountOK 5"},
        {B("\x0B\001A@x\0"), "Download A@x"},
        {B("\x0C\001A@x\0src\0t\0"), "DownloadOK A@x|src"},
        {B("\x0D\x07"), "Upload 0D07 cursor=1"},
        {B("\x0E\x03"), "UploadOK 3"},
        {B("\x00"), "Unknown 00 cursor=1"},
        {B("\x05"), "Unknown 05 cursor=1"},
        {B("\x06\x01"), "Unknown 0601 cursor=1"},
        {B("\xFF"), "Unknown FF cursor=1"},
        {B(""), "malformed"},
        {B("\x01me@x"), "malformed"},
        {B("\x01me@x\0pw"), "malformed"},
        {B("\x02"), "malformed"},
        {B("\x08"), "malformed"},
        {B("\x0A"), "malformed"},
        {B("\x03"), "malformed"},
        {B("\x04\005a\0"), "malformed"},
        {B("\x07u\0e\0"), "malformed"},
        {B("\x0B\x01"), "malformed"},
        {B("\x0C\001a\0b\0"), "malformed"},
    };
    CMZimbrelNet net;
    RecordingNetEvent sink;
    net.SetNetEvent(&sink);
    for (const auto& [bytes, expected] : cases) {
        CFSerialData payload{std::string_view(bytes)};
        sink.replies.clear();
        const bool dispatched = net.Dispatch(net, payload);
        const std::string calls = sink.replies.size() == 1
                                      ? sink.replies[0]
                                      : "calls: " + std::to_string(sink.replies.size());
        EXPECT_EQ(dispatched             ? calls
                  : sink.replies.empty() ? "malformed"
                                         : "malformed after " + calls,
                  expected)
            << payload.ToHex();
    }
    EXPECT_EQ(sink.uploadTimes, std::vector<std::string>{"t"});

    CMZimbrelNet withoutSink;
    CFSerialData payload(std::string_view("\x02\x00", 2));
    EXPECT_FALSE(withoutSink.Dispatch(withoutSink, payload));
}

TEST(Protocol, MessageNames)
{
    std::string names;
    for (int code = 0; code < 16; ++code)
        names += CMZimbrelNet::GetMessageName(static_cast<std::uint8_t>(code)) + std::string(",");
    EXPECT_EQ(names, "None,Logon,LogonOK,QuerySongList,QuerySongListOK,,,Register,RegisterOK,"
                     "Account,AccountOK,Download,DownloadOK,Upload,UploadOK,,");
    EXPECT_STREQ(CMZimbrelNet::GetMessageName(255), "");
}
