#include "vcl/seams.h"

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
    };
    return seams;
}

}  // namespace vcl
