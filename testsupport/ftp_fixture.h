#pragma once
// The local FTP server that the ctest fixture "ftpserver" runs (tools/ftpfixture/ftpfixture.py),
// as the state files in $ZIRV_BINARY_DIR/ftpserver describe it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

struct FtpFixture {
    std::string Dir;  // the state directory as a Windows path
    uint16_t Port = 0;
    uint16_t SilentPort = 0;  // accepts connections and never greets
    std::string User;
    std::string Password;

    // The running fixture; none when the test does not run under ctest's fixture.
    static std::optional<FtpFixture> Find();

    // Puts a file into the served folder; `path` is relative to the login directory, with "/".
    void Serve(const std::string& path, const std::string& content) const;
    // The commands the server received in the session that retrieved `path`, in order.
    std::vector<std::string> SessionOf(const std::string& path) const;
};

}  // namespace testsupport
