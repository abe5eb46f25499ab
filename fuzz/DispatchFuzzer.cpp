// Fuzz target: an arbitrary payload handed to the protocol dispatcher, as a client or the server
// receives it. Decoding must stay inside the payload, call at most one handler, and hand over
// lists that encode back to the sizes they report.
#include "net/CMZimbrelNet.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

class CheckingSink : public IMZimbrelNetEvent {
public:
    int calls = 0;

    void OnUnknown(CFSocketEx&, CFSerialData& payload) override { Raw(payload); }
    void OnLogon(CFSocketEx&, const std::string& email, const std::string& password) override
    {
        Texts({&email, &password});
    }
    void OnLogonOK(CFSocketEx&, std::uint8_t) override { ++calls; }
    void OnQuerySongList(CFSocketEx&, const CMZimbrelUserNameList& list) override { List(list); }
    void OnQuerySongListOK(CFSocketEx&, const CMZimbrelSongNameList& list) override { List(list); }
    void OnRegister(CFSocketEx&, const std::string& userId, const std::string& email,
                    const std::string& password) override
    {
        Texts({&userId, &email, &password});
        for (const std::string* text : {&userId, &email, &password}) {
            Check(text->empty() || (text->front() != ' ' && text->back() != ' '));
        }
    }
    void OnRegisterOK(CFSocketEx&, std::uint8_t) override { ++calls; }
    void OnAccount(CFSocketEx&, CFSerialData& payload) override { Raw(payload); }
    void OnAccountOK(CFSocketEx&, std::uint8_t) override { ++calls; }
    void OnDownload(CFSocketEx&, const CMZimbrelSongNameList& list) override { List(list); }
    void OnDownloadOK(CFSocketEx&, const CMZimbrelSongList& list) override { List(list); }
    void OnUpload(CFSocketEx&, CFSerialData& payload) override
    {
        Raw(payload);
        CMZimbrelSongList songs;  // as the server reads an upload
        if (payload.ReadObject(songs))
            Check(payload.GetCursor() <= payload.GetLength());
    }
    void OnUploadOK(CFSocketEx&, CFSerialData& payload) override { Raw(payload); }

private:
    void Raw(const CFSerialData& payload)
    {
        ++calls;
        Check(payload.GetCursor() == 1);
    }
    void Texts(std::initializer_list<const std::string*> texts)
    {
        ++calls;
        for (const std::string* text : texts)
            Check(text->find('\0') == std::string::npos);
    }
    template <class Records>
    void List(const Records& list)
    {
        ++calls;
        Check(list.Serialize().GetLength() == list.GetSerialSize());
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static CMZimbrelNet net;
    CheckingSink sink;
    net.SetNetEvent(&sink);
    CFSerialData payload(std::string_view(reinterpret_cast<const char*>(data), size));
    const bool dispatched = net.Dispatch(net, payload);
    Check(sink.calls == (dispatched ? 1 : 0));
    Check(size > 0 || !dispatched);
    net.SetNetEvent(nullptr);
    return 0;
}
