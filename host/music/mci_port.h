// What the music player needs from the multimedia system: MCI command strings, their error texts,
// the number of wave output devices and the simple sound player. The real port calls Windows; the
// tests use a fake that records every command and scripts the replies.
#pragma once

#include <string>

class MciPort {
public:
    virtual ~MciPort() = default;
    // Sends one command string. With a reply buffer, the reply up to its first NUL (at most
    // capacity - 1 bytes) is stored there; a command that writes no reply (a failing one) leaves the
    // buffer's text as it was. Returns the MCI error code, 0 for success.
    virtual int SendString(const std::string& command, std::string* reply, unsigned capacity) = 0;
    // The description of an error code; false when there is none.
    virtual bool ErrorString(int code, std::string* text, unsigned capacity) = 0;
    virtual unsigned WaveOutDevices() = 0;
    // PlaySoundA(name, no module, flags); a null name stops the sound.
    virtual bool PlaySoundName(const char* name, unsigned flags) = 0;
};
