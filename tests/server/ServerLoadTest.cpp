// zimbrel-server as a separate process under load: a hundred clients at once register, log in,
// upload, list and download; every request is answered as expected, nothing is lost, and the
// server still lists every song and stops cleanly afterwards.
#include "tests/TempDir.h"
#include "tests/server/LoadDriver.h"
#include "tests/server/ServerProcess.h"

#include <gtest/gtest.h>

TEST(ServerLoad, HundredClientsAtOnce)
{
    TempDir dir;
    ServerProcess server;
    ASSERT_TRUE(server.Start(ZIMBREL_SERVER_PROGRAM, dir.Path("songs.sqlite"), dir.Path("log"),
                             {"--fast-password-hashing", "--quiet", "--max-per-address", "256"}));

    const LoadResult load = RunLoad(server.GetPort(), 100, 3, "t");
    for (const std::string& problem : load.problems)
        ADD_FAILURE() << problem;
    EXPECT_EQ(load.requests, 500);

    TestClient check;
    ASSERT_TRUE(check.Connect(server.GetPort()));
    check.net.SendPayload(BuildRegister("checker", "checker@load.test", "pw"));
    check.net.SendPayload(BuildLogon("checker@load.test", "pw"));
    check.net.SendPayload(BuildQuerySongList(CMZimbrelUserNameList()));
    ASSERT_TRUE(AwaitReplies(check, 3));
    EXPECT_EQ(check.replies[1], "LogonOK 0");
    EXPECT_EQ(std::count(check.replies[2].begin(), check.replies[2].end(), '@'), 300);
    check.net.Close();

    EXPECT_EQ(server.Stop(), 0);
}
