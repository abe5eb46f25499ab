// LoadDriver: many song clients at once, each registering, logging in, uploading its songs,
// listing and downloading them, all driven from one thread by polling. Every reply is checked;
// what went wrong is collected as text.
#pragma once

#include "net/CMZimbrelMessages.h"
#include "tests/server/TestClient.h"

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct LoadResult {
    int requests = 0;  // requests answered as expected
    double seconds = 0;
    std::vector<std::string> problems;
};

// One client's conversation: each request with the reply it must get.
struct LoadClient {
    TestClient client;
    std::string userId;
    std::vector<std::pair<CFSerialData, std::string>> steps;
    std::size_t step = 0;
    bool failed = false;

    LoadClient(const std::string& prefix, int index, int songs)
        : userId(prefix + "u" + std::to_string(index))
    {
        const std::string email = userId + "@load.test";
        CMZimbrelSongList uploads;
        CMZimbrelSongNameList names;
        CMZimbrelUserNameList users;
        users.AddName(userId);
        std::string listed = "QuerySongListOK", downloaded = "DownloadOK";
        for (int k = 0; k < songs; ++k) {
            const std::string title =
                prefix + "Song" + std::to_string(index) + "-" + std::to_string(k);
            const std::string name = title + "@" + userId, source = "title { " + title + " }\n";
            uploads.Add(std::make_unique<CMZimbrelSong>(title, source, ""));
            names.AddName(name);
            listed += " " + name;
            downloaded += " " + name + "|" + source;
        }
        steps = {{BuildRegister(userId, email, "pw"), "RegisterOK 0"},
                 {BuildLogon(email, "pw"), "LogonOK 0"},
                 {BuildUpload(uploads), "UploadOK 0"},
                 {BuildQuerySongList(users), listed},
                 {BuildDownload(names), downloaded}};
    }
    bool Running() const { return !failed && step < steps.size(); }

    // Checks the reply to the current step, if it has come, and sends the next request.
    void Advance(LoadResult& result)
    {
        client.net.Poll();
        if (client.replies.size() <= step)
            return;
        if (client.replies[step] != steps[step].second) {
            result.problems.push_back(userId + " step " + std::to_string(step) + ": " +
                                      client.replies[step]);
            failed = true;
            return;
        }
        ++result.requests;
        if (++step == steps.size())
            client.net.Close();
        else
            client.net.SendPayload(steps[step].first);
    }
};

// Runs `clients` clients against the server at `port`; user IDs and titles start with `prefix`
// (at most 10 bytes) so that runs against one database do not collide.
inline LoadResult RunLoad(std::uint16_t port, int clients, int songsPerClient,
                          const std::string& prefix)
{
    LoadResult result;
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::unique_ptr<LoadClient>> all;
    for (int i = 0; i < clients; ++i) {
        auto entry = std::make_unique<LoadClient>(prefix, i, songsPerClient);
        if (!entry->client.Connect(port)) {
            result.problems.push_back(entry->userId + ": cannot connect");
            continue;
        }
        entry->client.net.SendPayload(entry->steps[0].first);
        all.push_back(std::move(entry));
    }
    bool running = true;
    while (running && std::chrono::steady_clock::now() < start + std::chrono::seconds(60)) {
        running = false;
        for (const auto& entry : all) {
            if (entry->Running())
                entry->Advance(result);
            running = running || entry->Running();
        }
    }
    for (const auto& entry : all) {
        if (entry->Running())
            result.problems.push_back(entry->userId + ": no reply at step " +
                                      std::to_string(entry->step));
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}
