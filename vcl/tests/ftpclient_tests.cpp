// The socket header must precede windows.h, which the class library's headers include.
#include <winsock2.h>

#include "vcl/ftpclient.h"
#include "vcl/sysutils.h"

#include "ftp_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace vcl;

namespace {

class FtpClientTest : public testing::Test {
protected:
    void SetUp() override
    {
        const auto server = testsupport::FtpFixture::Find();
        if (!server)
            GTEST_SKIP() << "the FTP server fixture is not running: run through ctest";
        FServer = *server;
        FClient = Create<TFtpClient>(nullptr);
        FClient->SetHost(L"localhost");
        FClient->SetPort(FServer.Port);
        FClient->SetUsername(FromAnsi(FServer.User));
        FClient->SetPassword(FromAnsi(FServer.Password));
    }

    void TearDown() override { FreeAndNil(FClient); }

    // A name no other test (or test run) retrieves, so its session can be found in the log.
    static std::string UniqueName(const char* stem)
    {
        return std::string(stem) + "_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount64());
    }

    std::string GetText(const std::string& path)
    {
        auto stream = std::make_unique<TMemoryStream>();
        FClient->Get(FromAnsi(path), stream.get());
        return std::string(static_cast<const char*>(stream->Memory()), static_cast<size_t>(stream->Size()));
    }

    testsupport::FtpFixture FServer;
    TFtpClient* FClient = nullptr;
};

// A port on 127.0.0.1 where nobody listens: bound once by us and let go.
Word FreePort()
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    int length = sizeof(address);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(s);
    WSACleanup();
    return ntohs(address.sin_port);
}

}  // namespace

TEST_F(FtpClientTest, GetLogsInPassiveAndRetrievesAsText)
{
    const std::string path = UniqueName("good") + "/zirvane_ver.ini";
    FServer.Serve(path, "[Info]\nVersion=2.5\n");

    FClient->Connect();
    EXPECT_TRUE(FClient->Connected());
    EXPECT_EQ(GetText(path), "[Info]\r\nVersion=2.5\r\n");  // ASCII transfer: the server sends CR LF
    FClient->Disconnect();
    EXPECT_FALSE(FClient->Connected());

    const auto commands = FServer.SessionOf(path);
    auto has = [&](const std::string& command) {
        return std::find(commands.begin(), commands.end(), command) != commands.end();
    };
    EXPECT_TRUE(has("USER " + FServer.User));
    EXPECT_TRUE(has("PASS " + FServer.Password));
    EXPECT_TRUE(has("TYPE A"));
    EXPECT_TRUE(has("PASV"));
    for (const std::string& command : commands) {
        EXPECT_NE(command.rfind("PORT", 0), 0u) << command;
        EXPECT_NE(command.rfind("EPRT", 0), 0u) << command;
    }
}

TEST_F(FtpClientTest, RefusedLoginRaisesAReplyError)
{
    FClient->SetPassword(L"wrong");
    try {
        FClient->Connect();
        FAIL() << "no exception";
    } catch (const EFtpReplyError& e) {
        EXPECT_EQ(e.Message().substr(0, 3), L"530") << e.what();
    }
    EXPECT_FALSE(FClient->Connected());
}

TEST_F(FtpClientTest, MissingFileRaisesAReplyErrorAndKeepsTheConnection)
{
    const std::string good = UniqueName("after_missing");
    FServer.Serve(good, "x");
    FClient->Connect();
    try {
        GetText("no/such/file.ini");
        FAIL() << "no exception";
    } catch (const EFtpReplyError& e) {
        EXPECT_EQ(e.Message().substr(0, 3), L"550") << e.what();
    }
    EXPECT_TRUE(FClient->Connected());
    EXPECT_EQ(GetText(good), "x");
}

TEST_F(FtpClientTest, UnreachableServerRaisesAConnectError)
{
    EXPECT_THROW(GetText("anything"), EFtpConnectError);  // never connected
    FClient->SetPort(FreePort());
    EXPECT_THROW(FClient->Connect(), EFtpConnectError);
    EXPECT_FALSE(FClient->Connected());
}

TEST_F(FtpClientTest, ServerThatNeverGreetsTimesOut)
{
    FClient->SetPort(FServer.SilentPort);
    FClient->SetReadTimeout(300);
    const ULONGLONG start = GetTickCount64();
    EXPECT_THROW(FClient->Connect(), EFtpTimeout);
    EXPECT_LT(GetTickCount64() - start, 20000u);  // far below the time the system would wait
    EXPECT_FALSE(FClient->Connected());
    FClient->Disconnect();
}

TEST_F(FtpClientTest, TransferThatStallsTimesOut)
{
    const std::string path = UniqueName("stalling");
    FServer.Serve(path, "never sent");
    FClient->SetReadTimeout(500);
    FClient->Connect();
    const ULONGLONG start = GetTickCount64();
    EXPECT_THROW(GetText(path), EFtpTimeout);
    EXPECT_LT(GetTickCount64() - start, 20000u);
    EXPECT_FALSE(FClient->Connected());
}
