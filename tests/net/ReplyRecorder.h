// ReplyRecorder: writes every reply a song server sends, as the protocol decoded it, as one line
// in `replies` ("LogonOK 3", "QuerySongListOK a@x b@y", "DownloadOK a@x|source"); the upload
// times of downloaded songs go to `uploadTimes`.
#pragma once

#include "net/CMZimbrelNet.h"

#include <string>
#include <vector>

class ReplyRecorder : public IMZimbrelNetEvent {
public:
    std::vector<std::string> replies;
    std::vector<std::string> uploadTimes;

    void OnLogonOK(CFSocketEx&, std::uint8_t result) override { Result("LogonOK", result); }
    void OnRegisterOK(CFSocketEx&, std::uint8_t result) override { Result("RegisterOK", result); }
    void OnAccountOK(CFSocketEx&, std::uint8_t result) override { Result("AccountOK", result); }
    void OnQuerySongListOK(CFSocketEx&, const CMZimbrelSongNameList& names) override
    {
        replies.push_back("QuerySongListOK" + Joined(names));
    }
    void OnDownloadOK(CFSocketEx&, const CMZimbrelSongList& songs) override
    {
        std::string line = "DownloadOK";
        for (const auto& song : songs) {
            line += " " + song->name + "|" + song->source;
            uploadTimes.push_back(song->uploadTime);
        }
        replies.push_back(line);
    }
    // The result byte follows the code, where the cursor stands.
    void OnUploadOK(CFSocketEx&, CFSerialData& payload) override
    {
        std::uint8_t result = 255;
        payload.ReadByte(result);
        Result("UploadOK", result);
    }

protected:
    void Result(const char* name, std::uint8_t result)
    {
        replies.push_back(name + (" " + std::to_string(result)));
    }
    template <class List>
    static std::string Joined(const List& list)
    {
        std::string joined;
        for (const auto& element : list)
            joined += " " + element->name;
        return joined;
    }
};
