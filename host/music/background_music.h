// The background music of a show (module Lunaquill_BGM): the CD player (one track repeated, or the
// disc restarted when it stops), the MP3 player over MCI (restarted when it ends) and the WAV player
// (looped by the sound player). The run form starts them and drives the CD and MP3 from its timers.
#pragma once

#include "main/settings.h"
#include "mci_port.h"

#include <string>

// SND_ASYNC | SND_LOOP | SND_NODEFAULT: a file that cannot be played is silence, never the system's
// default sound looped for the whole show.
constexpr unsigned kSoundAsyncLoop = 0x0B;

class BackgroundMusic {
public:
    BackgroundMusic(MciPort& port, const Settings& settings);

    // Sends a command; text is the reply or the error's description. -1 for an empty command.
    int Mci_Command(const std::string& command, std::string& text);
    // The reply, or "Error:" and the code.
    std::string Mci_Status(const std::string& command);
    // "play <device>[ from <from>][ to <to>]".
    int Mci_Play(const std::string& device, const std::string& from, const std::string& to);

    void CD_Open();
    // One polling step: starts or restarts the disc or the chosen track; CD_Ok false once the disc
    // cannot be read.
    void CD_Check();
    void CD_Close();

    void MP3_Play();
    bool MP3_IsPlaying();
    // Starts the file again from its beginning once it is no longer playing.
    void MP3_Repeat();
    void MP3_Close();

    void WAV_Play();
    void WAV_Stop();

    bool CD_Ok;
    std::string Mci_Text;

private:
    MciPort& m_port;
    const Settings& m_settings;
    // The reply buffers live as long as the module: a command that fails writes nothing into its
    // buffer, and what is read then is the previous reply.
    std::string m_reply;   // 512 bytes, Mci_Command
    std::string m_cdMode;  // 255 bytes, "status cdaudio mode"
    std::string m_mp3Mode; // 30 characters, "status MP3Play mode"
};

// A path with a double quote or a control character cannot name a Windows file, and would break
// out of the quotes of an MCI command string: such a file is never played.
bool SafeForCommandString(const std::string& path);
