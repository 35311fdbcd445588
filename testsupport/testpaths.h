#pragma once
#include <string>

namespace testsupport {

// A path of the Unix side as Wine sees it (drive Z: is the Unix root).
std::string WinePath(const std::string& unixPath);

// The source tree and the build tree, from the environment ctest gives each test.
std::string SourceDir();
std::string BinaryDir();

}  // namespace testsupport
