// LoadDriver: many song clients at once, each registering, logging in, uploading its songs,
// listing and downloading them, all driven from one thread by polling. Every reply is checked;
// what went wrong is collected as text.
#pragma once

#include "net/CMZimbrelMessages.h"
#include "tests/server/TestClient.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

struct LoadResult {
    int requests = 0;  // requests answered as expected
    double seconds = 0;
    std::vector<std::string> problems;
};

// Runs `clients` clients against the server at `port`; user IDs and titles start with `prefix`
// (at most 10 bytes) so that runs against one database do not collide.
inline LoadResult RunLoad(std::uint16_t port, int clients, int songsPerClient,
                          const std::string& prefix)
{
    struct Client {
        TestClient client;
        std::string userId;
        std::vector<std::string> names;
        std::string expectedDownload = "DownloadOK";
        int step = 0;
    };
    LoadResult result;
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::unique_ptr<Client>> all;
    for (int i = 0; i < clients; ++i) {
        auto entry = std::make_unique<Client>();
        entry->userId = prefix + "u" + std::to_string(i);
        if (!entry->client.Connect(port)) {
            result.problems.push_back(entry->userId + ": cannot connect");
            continue;
        }
        for (int k = 0; k < songsPerClient; ++k) {
            const std::string title = prefix + "Song" + std::to_string(i) + "-" + std::to_string(k);
            entry->names.push_back(title + "@" + entry->userId);
            entry->expectedDownload +=
                " " + title + "@" + entry->userId + "|title { " + title + " }\n";
        }
        entry->client.net.SendPayload(
            BuildRegister(entry->userId, entry->userId + "@load.test", "pw"));
        all.push_back(std::move(entry));
    }

    const auto deadline = start + std::chrono::seconds(60);
    int finished = 0;
    while (finished < static_cast<int>(all.size()) && std::chrono::steady_clock::now() < deadline) {
        for (auto& entry : all) {
            Client& c = *entry;
            if (c.step < 0 || c.step == 5)
                continue;
            c.client.net.Poll();
            if (static_cast<int>(c.client.replies.size()) <= c.step)
                continue;
            const std::string& reply = c.client.replies[static_cast<std::size_t>(c.step)];
            CFSerialData next;
            bool ok = false;
            switch (c.step) {
            case 0:
                ok = reply == "RegisterOK 0";
                next = BuildLogon(c.userId + "@load.test", "pw");
                break;
            case 1: {
                ok = reply == "LogonOK 0";
                CMZimbrelSongList songs;
                for (const std::string& name : c.names) {
                    const std::string title = name.substr(0, name.find('@'));
                    songs.Add(
                        std::make_unique<CMZimbrelSong>(title, "title { " + title + " }\n", ""));
                }
                next = BuildUpload(songs);
                break;
            }
            case 2: {
                ok = reply == "UploadOK 0";
                CMZimbrelUserNameList users;
                users.AddName(c.userId);
                next = BuildQuerySongList(users);
                break;
            }
            case 3: {
                std::string expected = "QuerySongListOK";
                for (const std::string& name : c.names)
                    expected += " " + name;
                ok = reply == expected;
                CMZimbrelSongNameList names;
                for (const std::string& name : c.names)
                    names.AddName(name);
                next = BuildDownload(names);
                break;
            }
            case 4: ok = reply == c.expectedDownload; break;
            }
            if (!ok) {
                result.problems.push_back(c.userId + " step " + std::to_string(c.step) + ": " +
                                          reply);
                c.step = -1;
                ++finished;
                continue;
            }
            ++result.requests;
            if (++c.step == 5) {
                ++finished;
                c.client.net.Close();
            } else {
                c.client.net.SendPayload(next);
            }
        }
    }
    for (const auto& entry : all) {
        if (entry->step >= 0 && entry->step < 5)
            result.problems.push_back(entry->userId + ": no reply at step " +
                                      std::to_string(entry->step));
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}
