// A path in a label (the dialog's chosen file): what the platform's DrawText shows of it.
#include "forms/win32_forms.h"

#include <gtest/gtest.h>

#include <string>

TEST(PathLabel, ALongFolderNeverPushesTheFileNameOutOfSight)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 400, 40);
    SelectObject(dc, bitmap);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const RECT label = {0, 0, 373, 33};  // lbl_Fname: 5595 x 495 twips
    const auto shown = [&](const std::wstring& path) {
        std::wstring s;
        DrawPath(dc, path, label, DT_LEFT | DT_NOPREFIX, &s);
        return s;
    };
    const auto width = [&](const std::wstring& text) {
        SIZE size = {};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    };

    EXPECT_EQ(L"C:\\Music\\song 1.mp3", shown(L"C:\\Music\\song 1.mp3"));
    const std::wstring twoLines = L"C:\\Users\\someone\\My Music\\Songs of the year\\favourites for the evening\\song 1.mp3";
    ASSERT_GT(width(twoLines), 373) << "meant to need the second line";
    EXPECT_EQ(twoLines, shown(twoLines)) << "a path that fits on the label's two lines stays whole";

    for (const std::wstring& folder : {std::wstring(L"C:\\") + std::wstring(150, L'x') + L"\\" + std::wstring(60, L'y'),
                                       std::wstring(L"D:\\Users\\someone\\My Music Collection\\Albums from long "
                                                    L"ago\\Recorded live at the old hall\\Disc two of three\\Bonus")}) {
        const std::wstring path = folder + L"\\song 1.mp3";
        const std::wstring s = shown(path);
        EXPECT_NE(path, s);
        EXPECT_EQ(L"\\song 1.mp3", s.substr(s.size() - 11)) << "the file's name is in sight";
        EXPECT_NE(std::wstring::npos, s.find(L"...")) << "the folder shortened in its middle";
        EXPECT_LE(width(s), 373) << "on the label's width";
    }
    DeleteDC(dc);
    DeleteObject(bitmap);
}
