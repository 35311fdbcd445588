#pragma once
// A combo box's list as a user drops it down and sees it: a real click on the box's button, and
// the list's rows as the screen shows them (each visible item's text as the list holds it, and
// the colours of its row).
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "pump.h"
#include "user_input.h"
#include "vcl/stdctrls.h"

namespace testsupport {

struct TListRow {
    std::wstring Text;
    bool Selected = false;
    COLORREF Background = 0;      // the row's most frequent colour
    std::map<COLORREF, int> Ink;  // its other colours, with their pixel counts

    bool ShowsInk(COLORREF colour) const { return Ink.count(colour) != 0; }
};

// The list's items whose rows lie wholly in its client area, from the top.
inline std::vector<TListRow> ShownListRows(HWND list)
{
    RECT window{}, client{};
    GetWindowRect(list, &window);
    GetClientRect(list, &client);
    TGrab grab = GrabScreen(window);
    POINT origin{0, 0};
    ClientToScreen(list, &origin);
    grab.ClientOrigin = POINT{origin.x - window.left, origin.y - window.top};

    std::vector<TListRow> rows;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)) == LB_ERR ||
            r.top < client.top || r.bottom > client.bottom || r.left >= r.right)
            continue;
        TListRow row;
        std::vector<wchar_t> text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) +
                                  1);
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        row.Text = text.data();
        row.Selected = i == selected;
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = std::max(r.left, client.left); x < std::min(r.right, client.right); ++x)
                ++row.Ink[grab.ClientPixel(x, y)];
        const auto background = std::max_element(row.Ink.begin(), row.Ink.end(),
                                                 [](const auto& a, const auto& b) { return a.second < b.second; });
        row.Background = background->first;
        row.Ink.erase(background);
        rows.push_back(row);
    }
    return rows;
}

// Whether the list shows Count items whole, each unselected one with ink of colour Ink on a row
// of colour Background.
inline bool ShowsItemsIn(HWND list, size_t count, COLORREF background, COLORREF ink)
{
    const std::vector<TListRow> rows = ShownListRows(list);
    return rows.size() == count && std::all_of(rows.begin(), rows.end(), [&](const TListRow& row) {
               return row.Selected || (row.Background == background && row.ShowsInk(ink));
           });
}

// The texts of the rows the list shows, from the top.
inline std::vector<std::wstring> ShownListTexts(HWND list)
{
    std::vector<std::wstring> texts;
    for (const TListRow& row : ShownListRows(list))
        texts.push_back(row.Text);
    return texts;
}

// A click in the middle of the combo box's drop-down button (Button, in client coordinates); the
// list's window once it is dropped down, null when it never is.
inline HWND DropDownByClick(UserInput& input, vcl::TCustomComboBox* combo, const vcl::TRect& button)
{
    input.Click(ScreenPointOf(combo->Handle(), button.CenterPoint()));
    return PumpUntil([&] { return combo->DroppedDown(); }) ? combo->ListHandle() : nullptr;
}

}  // namespace testsupport
