#pragma once
// The bytes of a file or of a memory stream as a string, the form in which the tests compare and
// print them. For the tests of every target that links the class library.
#include "vcl/classes.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testsupport {

// The whole file; "" when it cannot be read.
inline std::string FileBytes(const std::filesystem::path& Path)
{
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// What the stream holds, wherever its position stands.
inline std::string MemoryBytes(vcl::TCustomMemoryStream* Stream)
{
    return std::string(static_cast<const char*>(Stream->Memory()), size_t(Stream->Size()));
}

}  // namespace testsupport
