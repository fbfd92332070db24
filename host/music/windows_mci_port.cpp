#include "windows_mci_port.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

int WindowsMciPort::SendString(const std::string& command, std::string* reply, unsigned capacity)
{
    if (!reply || capacity == 0)
        return static_cast<int>(mciSendStringA(command.c_str(), nullptr, 0, nullptr));
    // The buffer holds the previous text, so what MCI does not overwrite reads as before.
    std::vector<char> buffer(capacity, '\0');
    reply->copy(buffer.data(), capacity - 1);
    const int code = static_cast<int>(mciSendStringA(command.c_str(), buffer.data(), capacity, nullptr));
    buffer.back() = '\0';
    *reply = buffer.data();
    return code;
}

bool WindowsMciPort::ErrorString(int code, std::string* text, unsigned capacity)
{
    std::vector<char> buffer(capacity, '\0');
    if (!mciGetErrorStringA(static_cast<MCIERROR>(code), buffer.data(), capacity))
        return false;
    buffer.back() = '\0';
    *text = buffer.data();
    return true;
}

unsigned WindowsMciPort::WaveOutDevices()
{
    return waveOutGetNumDevs();
}

bool WindowsMciPort::PlaySoundName(const char* name, unsigned flags)
{
    return PlaySoundA(name, nullptr, flags) != FALSE;
}
