#include "background_music.h"

#include "main/texts.h"


namespace {

const unsigned kReplyCapacity = 512;
const unsigned kErrorCapacity = 256;
const unsigned kCdModeCapacity = 255;
const unsigned kMp3ModeCapacity = 30;

bool ContainsErr(const std::string& text)
{
    for (std::size_t i = 0; i + 3 <= text.size(); ++i)
        if ((text[i] & ~0x20) == 'E' && (text[i + 1] & ~0x20) == 'R' && (text[i + 2] & ~0x20) == 'R')
            return true;
    return false;
}


} // namespace

bool SafeForCommandString(const std::string& path)
{
    for (unsigned char c : path)
        if (c == '"' || c < 0x20 || c == 0x7F)
            return false;
    return true;
}

BackgroundMusic::BackgroundMusic(MciPort& port, const Settings& settings)
    : CD_Ok(false), m_port(port), m_settings(settings)
{
}

int BackgroundMusic::Mci_Command(const std::string& command, std::string& text)
{
    if (command.empty()) {
        text = kNoCommandText;
        return -1;
    }
    const int code = m_port.SendString(command, &m_reply, kReplyCapacity);
    if (code != 0) {
        std::string description;
        text = m_port.ErrorString(code, &description, kErrorCapacity) ? description : std::string(kNoErrorText);
        return code;
    }
    text = m_reply;
    return 0;
}

std::string BackgroundMusic::Mci_Status(const std::string& command)
{
    const int code = Mci_Command(command, Mci_Text);
    return code != 0 ? "Error:" + std::to_string(code) : Mci_Text;
}

int BackgroundMusic::Mci_Play(const std::string& device, const std::string& from, const std::string& to)
{
    std::string command = "play " + device;
    if (!from.empty())
        command += " from " + from;
    if (!to.empty())
        command += " to " + to;
    return Mci_Command(command, Mci_Text);
}

void BackgroundMusic::CD_Open()
{
    m_port.SendString("open cdaudio", nullptr, 0);
    m_port.SendString("set cdaudio time format tmsf", nullptr, 0);
}

void BackgroundMusic::CD_Check()
{
    CD_Ok = true;
    const std::string track = Mci_Status("status cdaudio current track");
    if (ContainsErr(track)) {
        CD_Ok = false;
        return;
    }
    // The count is not used: the query only proves that the disc can be read.
    if (ContainsErr(Mci_Status("status cdaudio number of tracks"))) {
        CD_Ok = false;
        return;
    }
    m_port.SendString("status cdaudio mode", &m_cdMode, kCdModeCapacity);
    const std::string mode = m_cdMode.substr(0, 7);

    if (m_settings.BGM_Track != 0) {
        // The track is compared as a number: a reply that is none is a failure, not track 0.
        double current = 0;
        if (!ReadNumber(track, &current)) {
            CD_Ok = false;
            return;
        }
        if (mode == "stopped" || current != m_settings.BGM_Track) {
            const std::string position =
                Mci_Status("status cdaudio position track " + std::to_string(m_settings.BGM_Track));
            Mci_Play("cdaudio", position, "");
        }
    } else if (mode == "stopped") {
        Mci_Play("cdaudio", "", "");
    }
}

void BackgroundMusic::CD_Close()
{
    m_port.SendString("stop cdaudio", nullptr, 0);
    m_port.SendString("close cdaudio", nullptr, 0);
}

void BackgroundMusic::MP3_Play()
{
    if (!SafeForCommandString(m_settings.BGM_File))
        return;
    if (m_port.SendString("open \"" + m_settings.BGM_File + "\" type MPEGVideo Alias MP3Play", nullptr, 0) == 0)
        m_port.SendString("play MP3Play", nullptr, 0);
}

bool BackgroundMusic::MP3_IsPlaying()
{
    m_port.SendString("status MP3Play mode", &m_mp3Mode, kMp3ModeCapacity);
    return m_mp3Mode.substr(0, 7) == "playing";
}

void BackgroundMusic::MP3_Repeat()
{
    if (!MP3_IsPlaying()) {
        m_port.SendString("stop MP3Play", nullptr, 0);
        m_port.SendString("play MP3Play from 0", nullptr, 0);
    }
}

void BackgroundMusic::MP3_Close()
{
    m_port.SendString("stop MP3Play", nullptr, 0);
    m_port.SendString("close MP3Play", nullptr, 0);
}

void BackgroundMusic::WAV_Play()
{
    if (m_port.WaveOutDevices() > 0)
        m_port.PlaySoundName(m_settings.BGM_File.c_str(), kSoundAsyncLoop);
}

void BackgroundMusic::WAV_Stop()
{
    m_port.PlaySoundName(nullptr, 0);
}
