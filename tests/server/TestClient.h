// TestClient: a song-server client for tests and measurements, built on the protocol classes
// alone. Every reply and connection event becomes one line in `replies`.
#pragma once

#include "net/CMZimbrelNet.h"

#include <cstdint>
#include <string>
#include <vector>

class TestClient : public IFCommunicationDeviceEvent, public IMZimbrelNetEvent {
public:
    CMZimbrelNet net;
    std::vector<std::string> replies;

    TestClient()
    {
        net.SetEventSink(this);
        net.SetNetEvent(this);
    }
    bool Connect(std::uint16_t port)
    {
        net.SetAddress("127.0.0.1");
        net.SetPort(port);
        return net.Open();
    }
    // Sends raw bytes, as a broken or hostile client would.
    void SendRaw(const std::string& bytes)
    {
        net.Send(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                 static_cast<std::int32_t>(bytes.size()));
    }

    void OnConnected(CFSocketEx&) override {}
    void OnDisconnected(CFSocketEx&) override { replies.push_back("disconnected"); }
    void OnReceive(CFSocketEx& device) override
    {
        CFSerialData payload = device.PopMessage();
        if (!net.Dispatch(device, payload))
            replies.push_back("malformed " + payload.ToHex());
    }
    void OnError(CFSocketEx&, std::int32_t code) override
    {
        replies.push_back("error " + std::to_string(code));
    }

    void OnLogonOK(CFSocketEx&, std::uint8_t result) override
    {
        replies.push_back("LogonOK " + std::to_string(result));
    }
    void OnRegisterOK(CFSocketEx&, std::uint8_t result) override
    {
        replies.push_back("RegisterOK " + std::to_string(result));
    }
    void OnAccountOK(CFSocketEx&, std::uint8_t result) override
    {
        replies.push_back("AccountOK " + std::to_string(result));
    }
    void OnQuerySongListOK(CFSocketEx&, const CMZimbrelSongNameList& names) override
    {
        std::string line = "QuerySongListOK";
        for (const auto& name : names)
            line += " " + name->name;
        replies.push_back(line);
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
    void OnUploadOK(CFSocketEx&, CFSerialData& payload) override
    {
        std::uint8_t result = 255;
        payload.ReadByte(result);
        replies.push_back("UploadOK " + std::to_string(result));
    }

    std::vector<std::string> uploadTimes;
};
