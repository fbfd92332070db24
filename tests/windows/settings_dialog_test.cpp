// The settings dialog in this process, looked at while it runs (from a timer inside its own message
// loop): what assistive technology is told of every control, through the objects its windows answer
// WM_GETOBJECT with (Wine's oleacc makes none for windows it did not make itself), and its look
// under a high-contrast theme (Wine always says there is none: the answer here is the test's own).
#include "config/settings_dialog.h"
#include "import_patch.h"
#include "win32_driver.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <functional>
#include <string>

using namespace lqtest;

namespace {

std::function<void(HWND)> s_look;
bool s_looked = false;

void CALLBACK Look(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND dialog = FindWindowA("Lunaquill_P", nullptr);
    s_looked = dialog && WaitUntilStill(RECT{0, 0, 1024, 768}, 3000);
    if (s_looked)
        s_look(dialog);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

void WithDialog(Settings& settings, const UiTexts& texts, std::function<void(HWND)> look)
{
    s_look = std::move(look);
    s_looked = false;
    SetTimer(nullptr, 0, 100, Look);
    SettingsDialog::ShowModal(settings, &texts);
    EXPECT_TRUE(s_looked) << "the dialog was not seen";
}

// "role name states action" of one control.
std::string Told(HWND window, long child = CHILDID_SELF)
{
    IAccessible* object = nullptr;
    const LRESULT answer = SendMessageW(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    if (answer <= 0 || FAILED(ObjectFromLresult(answer, IID_IAccessible, 0, reinterpret_cast<void**>(&object))))
        return "no object";
    VARIANT id, role, state;
    id.vt = VT_I4;
    id.lVal = child;
    BSTR name = nullptr, action = nullptr;
    object->get_accRole(id, &role);
    object->get_accState(id, &state);
    object->get_accName(id, &name);
    object->get_accDefaultAction(id, &action);
    object->Release();
    const char* roles[] = {"?", "radio", "check", "button", "link", "text", "combo"};
    const long codes[] = {0, ROLE_SYSTEM_RADIOBUTTON, ROLE_SYSTEM_CHECKBUTTON, ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_LINK,
                          ROLE_SYSTEM_STATICTEXT, ROLE_SYSTEM_COMBOBOX};
    std::string told = roles[0];
    for (int i = 1; i < 7; ++i)
        if (role.lVal == codes[i])
            told = roles[i];
    told += " " + (name ? Utf8(name) : std::string("-"));
    told += state.lVal & STATE_SYSTEM_CHECKED ? " checked" : state.lVal & STATE_SYSTEM_UNAVAILABLE ? " unavailable" : "";
    told += " " + (action ? Utf8(action) : std::string("-"));
    SysFreeString(name);
    SysFreeString(action);
    return told;
}

HWND ChildOfClass(HWND parent, const char* className, int nth = 0)
{
    HWND w = nullptr;
    for (int i = 0; i <= nth; ++i)
        w = FindWindowExA(parent, w, className, nullptr);
    return w;
}

} // namespace

TEST(SettingsDialogTest, EveryControlTellsAssistiveTechnologyWhatItIsInEitherLanguage)
{
    const struct Language {
        const UiTexts& texts;
        std::vector<std::string> panel, form, buttons;
        const char* trackBox;
    } languages[] = {
        {kJapaneseTexts,
         {"text C:\\m.mp3 -", "radio なし チェック", "radio MP3、WAV チェック", "radio 音楽CD checked チェック",
          "text 曲目をﾘﾋﾟｰﾄ -", "text BGM -", "text 表示 -", "check すべてのﾓﾆﾀにそれぞれの解像度で表示 checked チェック解除",
          "check ｷｰ、ｸﾘｯｸ、ﾏｳｽの移動で終了 チェック"},
         {"text Designed by r-koda Ver.1.0.0 -", "link https://lunaquill.example/ ジャンプ"},
         {"button 参照… unavailable 押す", "button 設定 押す", "button ｷｬﾝｾﾙ 押す"},
         "combo 曲目をﾘﾋﾟｰﾄ -"},
        {kEnglishTexts,
         {"text C:\\m.mp3 -", "radio None Check", "radio MP3, WAV Check", "radio Music CD checked Check",
          "text Repeat track -", "text BGM -", "text Display -", "check Every monitor at its own resolution checked Uncheck",
          "check End on any key, click or mouse move Check"},
         {"text Designed by r-koda Ver.1.0.0 -", "link https://lunaquill.example/ Jump"},
         {"button Browse... unavailable Press", "button Save Press", "button Cancel Press"},
         "combo Repeat track -"},
    };
    for (const Language& language : languages) {
        Settings settings;
        settings.BGM_Kind = 1;
        settings.BGM_Track = 7;
        settings.BGM_File = "C:\\m.mp3";
        settings.Display = 1;
        WithDialog(settings, language.texts, [&](HWND dialog) {
            HWND panel = ChildOfClass(dialog, "Lunaquill.PictureBox");
            for (std::size_t i = 0; i < language.panel.size(); ++i)
                EXPECT_EQ(language.panel[i], Told(panel, static_cast<long>(i + 1))) << "panel child " << i + 1;
            for (std::size_t i = 0; i < language.form.size(); ++i)
                EXPECT_EQ(language.form[i], Told(dialog, static_cast<long>(i + 1))) << "form child " << i + 1;
            HWND buttons[] = {ChildOfClass(panel, "Lunaquill.Command"), ChildOfClass(dialog, "Lunaquill.Command"),
                              ChildOfClass(dialog, "Lunaquill.Command", 1)};
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(language.buttons[static_cast<std::size_t>(i)], Told(buttons[i]));
            EXPECT_EQ(language.trackBox, Told(ChildOfClass(panel, "ComboBox")));
            // A music row's default action chooses it, as a click does.
            IAccessible* object = nullptr;
            ObjectFromLresult(SendMessageW(panel, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), IID_IAccessible, 0,
                              reinterpret_cast<void**>(&object));
            ASSERT_NE(nullptr, object);
            VARIANT mp3;
            mp3.vt = VT_I4;
            mp3.lVal = 3;
            EXPECT_EQ(S_OK, object->accDoDefaultAction(mp3));
            object->Release();
            EXPECT_TRUE(WaitUntil([&settings] { return settings.BGM_Kind == 2; }, 2000));
            EXPECT_EQ("radio " + language.panel[2].substr(6, language.panel[2].rfind(' ') - 6) + " checked " +
                          language.panel[2].substr(language.panel[2].rfind(' ') + 1),
                      Told(panel, 3));
        });
    }
}

namespace {

bool s_highContrast = false;
void* s_parameters = nullptr;

BOOL WINAPI AnswerHighContrast(UINT action, UINT size, PVOID value, UINT flags)
{
    if (action != SPI_GETHIGHCONTRAST)
        return reinterpret_cast<BOOL(WINAPI*)(UINT, UINT, PVOID, UINT)>(s_parameters)(action, size, value, flags);
    static_cast<HIGHCONTRASTW*>(value)->dwFlags = s_highContrast ? HCF_HIGHCONTRASTON : 0;
    return TRUE;
}

// How many pixels of a window's client area (or of a part of it, in client pixels) have this colour.
int Count(HWND window, unsigned colour, RECT part = RECT{0, 0, 0, 0})
{
    if (IsRectEmpty(&part))
        GetClientRect(window, &part);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&part), 2);
    int n = 0;
    for (unsigned pixel : Screenshot(part))
        n += pixel == colour;
    return n;
}

} // namespace

// In High Contrast Black: the theme's colours and no gradient or skin, the track box's text white on
// black, the link in the hot-light yellow; the theme switched off while open, the gradients return.
// With LQ_HIGH_CONTRAST_PICTURE set, the dialog's picture is kept there (scripts/pictures).
TEST(SettingsDialogTest, AHighContrastThemeDrawsInTheSystemsColoursAndIsFollowedWhileOpen)
{
    ImportPatch patch("user32.dll", "SystemParametersInfoW", reinterpret_cast<void*>(&AnswerHighContrast));
    ASSERT_TRUE(patch.Applied());
    s_parameters = patch.Original();
    const int elements[] = {COLOR_WINDOW,    COLOR_WINDOWTEXT,    COLOR_BTNFACE, COLOR_BTNTEXT,
                            COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_HOTLIGHT, COLOR_GRAYTEXT};
    const COLORREF theme[] = {RGB(0, 0, 0),      RGB(255, 255, 255), RGB(0, 0, 0),     RGB(255, 255, 255),
                              RGB(26, 235, 255), RGB(0, 0, 0),       RGB(255, 255, 0), RGB(63, 242, 63)};
    COLORREF before[8];
    for (int i = 0; i < 8; ++i)
        before[i] = GetSysColor(elements[i]);
    SetSysColors(8, elements, theme);
    s_highContrast = true;
    Settings settings;
    settings.BGM_Kind = 1;
    settings.BGM_Track = 7;
    WithDialog(settings, kJapaneseTexts, [](HWND dialog) {
        RECT client;
        GetClientRect(dialog, &client);
        const int all = client.right * client.bottom;
        EXPECT_GT(Count(dialog, 0x000000), all * 8 / 10) << "the background is not the theme's window colour";
        EXPECT_GT(Count(dialog, 0xFFFFFF), all / 100) << "no text in the theme's window-text colour";
        EXPECT_GT(Count(dialog, 0xFFFF00, RECT{0, client.bottom * 7 / 8, client.right / 2, client.bottom}), 20) << "the link";
        HWND edit = ChildOfClass(ChildOfClass(ChildOfClass(dialog, "Lunaquill.PictureBox"), "ComboBox"), "Edit");
        EXPECT_GT(Count(edit, 0xFFFFFF), 5) << "the track box's text is not white";
        EXPECT_GT(Count(edit, 0x000000), 50) << "the track box's background is not black";
        char picture[MAX_PATH] = {};
        if (GetEnvironmentVariableA("LQ_HIGH_CONTRAST_PICTURE", picture, MAX_PATH)) {
            EXPECT_TRUE(SaveClientPicture(dialog, picture));
        }
        s_highContrast = false;
        SendMessageA(dialog, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        EXPECT_TRUE(WaitUntil([dialog] { return Count(dialog, 0x00001E, RECT{0, 0, 50, 1}) == 50; }, 3000))
            << "the theme's end was not followed: no gradient";
    });
    SetSysColors(8, elements, before);
}
