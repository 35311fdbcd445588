#include "ftp_fixture.h"

#include "testpaths.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace testsupport {

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::optional<FtpFixture> FtpFixture::Find()
{
    const char* binaryDir = std::getenv("ZIRV_BINARY_DIR");
    if (!binaryDir)
        return std::nullopt;
    FtpFixture fixture;
    fixture.Dir = WinePath(std::string(binaryDir) + "/ftpserver");
    const std::string port = ReadFile(fixture.Dir + "\\port");
    if (port.empty())
        return std::nullopt;
    fixture.Port = static_cast<uint16_t>(std::stoi(port));
    fixture.SilentPort = static_cast<uint16_t>(std::stoi(ReadFile(fixture.Dir + "\\silent_port")));
    fixture.User = ReadFile(fixture.Dir + "\\user");
    fixture.Password = ReadFile(fixture.Dir + "\\password");
    return fixture;
}

void FtpFixture::Serve(const std::string& path, const std::string& content) const
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

std::vector<std::string> FtpFixture::SessionOf(const std::string& path) const
{
    // Each log line is "<session> <command line>".
    std::vector<std::pair<std::string, std::string>> lines;
    std::istringstream log(ReadFile(Dir + "\\commands.log"));
    std::string retrieving;
    for (std::string line; std::getline(log, line);) {
        const size_t blank = line.find(' ');
        lines.emplace_back(line.substr(0, blank), line.substr(blank + 1));
        if (lines.back().second == "RETR " + path)
            retrieving = lines.back().first;
    }
    std::vector<std::string> commands;
    for (const auto& [session, command] : lines)
        if (session == retrieving)
            commands.push_back(command);
    return commands;
}

}  // namespace testsupport
