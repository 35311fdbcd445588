#include "testpaths.h"

#include <cstdlib>

namespace testsupport {

std::string WinePath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

static std::string EnvPath(const char* name)
{
    const char* value = std::getenv(name);
    return value ? WinePath(value) : std::string();
}

std::string SourceDir() { return EnvPath("ZIRV_SOURCE_DIR"); }
std::string BinaryDir() { return EnvPath("ZIRV_BINARY_DIR"); }

}  // namespace testsupport
