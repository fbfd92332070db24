#include "track_box.h"

#include <oleauto.h>

#include <vector>

std::int16_t TrackFromBox(const std::wstring& text)
{
    // Digits typed with the input method on are full-width ("１２"); the number reading knows only
    // the half-width forms, so the text is first mapped the way the system maps widths.
    std::vector<OLECHAR> narrow;
    const int size = text.empty() ? 0
                                  : LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_HALFWIDTH, text.c_str(),
                                                 static_cast<int>(text.size()), nullptr, 0);
    if (size > 0) {
        narrow.resize(static_cast<std::size_t>(size));
        LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_HALFWIDTH, text.c_str(), static_cast<int>(text.size()), narrow.data(), size);
    } else {
        narrow.assign(text.begin(), text.end());
    }
    narrow.push_back(0);
    SHORT value = 0;
    return SUCCEEDED(VarI2FromStr(narrow.data(), LOCALE_USER_DEFAULT, 0, &value)) ? static_cast<std::int16_t>(value) : 0;
}

std::wstring WideWindowText(HWND window)
{
    std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1);
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return std::wstring(text.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}
