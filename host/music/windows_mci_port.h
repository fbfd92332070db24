#pragma once

#include "mci_port.h"

// The multimedia system of Windows: mciSendStringA, mciGetErrorStringA, waveOutGetNumDevs,
// PlaySoundA.
class WindowsMciPort : public MciPort {
public:
    int SendString(const std::string& command, std::string* reply, unsigned capacity) override;
    bool ErrorString(int code, std::string* text, unsigned capacity) override;
    unsigned WaveOutDevices() override;
    bool PlaySoundName(const char* name, unsigned flags) override;
};
