#include "vcl/seams.h"

#include <shellapi.h>

namespace vcl {

TSystemSeams& Seams()
{
    static TSystemSeams seams{
        [](HWND owner, const String& text, const String& caption, UINT type) {
            return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
        },
        [](int index) { return GetSystemMetrics(index); },
        [] {
            POINT p{};
            GetCursorPos(&p);
            return TPoint(p);
        },
        [] {
            int count = 0;
            LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
            std::vector<String> words(argv, argv + (argv ? count : 0));
            LocalFree(argv);
            return words;
        },
    };
    return seams;
}

}  // namespace vcl
