#include "secure_saver.h"

#include "secure_setting.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

namespace {

// A value as Windows keeps these settings (text), or as a number where a policy tool wrote one.
std::optional<std::string> SettingText(HKEY root, const char* key, const char* name)
{
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS)
        return std::nullopt;
    char data[64] = {};
    DWORD size = sizeof(data) - 1;
    DWORD type = 0;
    const LONG result = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(k);
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, data, sizeof(number));
        return std::to_string(number);
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ)
        return std::string(data);
    return std::nullopt;
}

} // namespace

bool ScreenSaverIsSecure()
{
    BOOL secure = FALSE;
    std::optional<bool> system;
    // Windows answers this; Wine 8 does not know the action and returns FALSE.
    if (SystemParametersInfoA(SPI_GETSCREENSAVESECURE, 0, &secure, 0))
        system = secure != FALSE;
    const char kName[] = "ScreenSaverIsSecure";
    return SaverIsSecure(SettingText(HKEY_CURRENT_USER, "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop", kName),
                         system, SettingText(HKEY_CURRENT_USER, "Control Panel\\Desktop", kName));
}

unsigned ScreenSaverGracePeriodMs()
{
    return GracePeriodMs(SettingText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                                     "ScreenSaverGracePeriod"));
}
