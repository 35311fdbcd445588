// The skin packer: packs a skin folder into one packed skin file, as the program carries its
// internal skin. The build runs it under Wine.
//   skinpack <skin folder> <packed file>
#include "skin/core/acSkinPack.h"
#include "vcl/sysutils.h"

#include <windows.h>

#include <cstdio>
#include <exception>

int main()
{
    if (vcl::ParamCount() != 2) {
        std::fputs("usage: skinpack <skin folder> <packed file>\n", stderr);
        return 2;
    }
    const vcl::String folder = vcl::ParamStr(1), packed = vcl::ParamStr(2);
    // A folder without skin files writes nothing: a package of an earlier run must not pass for it.
    DeleteFileW(packed.c_str());
    try {
        skin::PackDir(folder, packed);
    } catch (const std::exception& e) {
        // The class library's errors and the standard library's alike (a failed allocation, a
        // file system error): what() gives the message in UTF-8.
        std::fprintf(stderr, "skinpack: %s\n", e.what());
        return 1;
    }
    if (!vcl::FileExists(packed)) {
        std::fprintf(stderr, "skinpack: %s holds no skin files\n", vcl::ToUtf8(folder).c_str());
        return 1;
    }
    return 0;
}
