// The socket header must precede windows.h, which the class library's headers include.
#include <winsock2.h>

#include "vcl/ftpclient.h"
#include "vcl/sysutils.h"

#include "testpaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace vcl;

namespace {

// The local FTP server that the ctest fixture runs, as its state files describe it.
struct FtpServer {
    std::string Dir;  // the state directory as a Windows path
    Word Port = 0;
    Word SilentPort = 0;
    String User;
    String Password;

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string State(const std::string& name) const { return ReadFile(Dir + "\\" + name); }

    // Commands the server received in the session that retrieved `path`, in order.
    std::vector<std::string> SessionOf(const std::string& path) const
    {
        std::vector<std::pair<std::string, std::string>> lines;  // session, command
        std::istringstream log(State("commands.log"));
        std::string retrieving;
        for (std::string line; std::getline(log, line);) {
            const size_t blank = line.find(' ');
            lines.emplace_back(line.substr(0, blank), line.substr(blank + 1));
            if (lines.back().second == "RETR " + path)
                retrieving = lines.back().first;
        }
        std::vector<std::string> commands;
        for (const auto& [id, command] : lines)
            if (id == retrieving)
                commands.push_back(command);
        return commands;
    }

    // Puts a file into the served folder; `path` uses "/" as the server does.
    void Serve(const std::string& path, const std::string& content) const
    {
        std::string local = Dir + "\\root";
        for (size_t start = 0;;) {
            const size_t slash = path.find('/', start);
            local += "\\" + path.substr(start, slash - start);
            if (slash == std::string::npos)
                break;
            CreateDirectoryA(local.c_str(), nullptr);
            start = slash + 1;
        }
        std::ofstream(local, std::ios::binary) << content;
    }
};

class FtpClientTest : public testing::Test {
protected:
    void SetUp() override
    {
        const char* binaryDir = std::getenv("ZIRV_BINARY_DIR");
        if (!binaryDir)
            GTEST_SKIP() << "ZIRV_BINARY_DIR is not set: run through ctest, which starts the FTP server";
        FServer.Dir = testsupport::WinePath(std::string(binaryDir) + "/ftpserver");
        FServer.Port = static_cast<Word>(std::stoi(FServer.State("port")));
        FServer.SilentPort = static_cast<Word>(std::stoi(FServer.State("silent_port")));
        FServer.User = FromAnsi(FServer.State("user"));
        FServer.Password = FromAnsi(FServer.State("password"));
        FClient = Create<TFtpClient>(nullptr);
        FClient->SetHost(L"localhost");
        FClient->SetPort(FServer.Port);
        FClient->SetUsername(FServer.User);
        FClient->SetPassword(FServer.Password);
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

    FtpServer FServer;
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
    EXPECT_TRUE(has("USER " + ToAnsi(FServer.User)));
    EXPECT_TRUE(has("PASS " + ToAnsi(FServer.Password)));
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
