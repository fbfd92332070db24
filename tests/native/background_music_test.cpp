#include "music/background_music.h"
#include "main/texts.h"
#include "show/show_plan.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// Records every command and answers from a script: a reply and code per command, or a function.
class FakeMci : public MciPort {
public:
    std::vector<std::string> sent;
    std::vector<unsigned> capacities;
    std::map<std::string, std::pair<int, std::string>> answers;  // command -> (code, reply)
    std::function<std::pair<int, std::string>(const std::string&)> answer;
    unsigned devices = 1;
    void Clear()
    {
        sent.clear();
        capacities.clear();
    }
    std::vector<std::pair<std::string, unsigned>> sounds;

    int SendString(const std::string& command, std::string* reply, unsigned capacity) override
    {
        sent.push_back(command);
        capacities.push_back(capacity);
        std::pair<int, std::string> a(0, "");
        if (answer)
            a = answer(command);
        else if (answers.count(command))
            a = answers[command];
        if (reply && a.first == 0)  // as MCI: a failing command writes no reply
            *reply = a.second.substr(0, capacity ? capacity - 1 : 0);
        return a.first;
    }
    bool ErrorString(int code, std::string* text, unsigned capacity) override
    {
        capacities.push_back(capacity);
        if (code == 999)
            return false;
        *text = "description of " + std::to_string(code);
        return true;
    }
    unsigned WaveOutDevices() override { return devices; }
    bool PlaySoundName(const char* name, unsigned flags) override
    {
        sounds.emplace_back(name ? name : "<stop>", flags);
        return true;
    }
};

// A disc of ten tracks: track `current` is playing (or stopped).
std::function<std::pair<int, std::string>(const std::string&)> Disc(int* current, const char** mode)
{
    return [current, mode](const std::string& c) -> std::pair<int, std::string> {
        if (c == "status cdaudio current track")
            return {0, std::to_string(*current)};
        if (c == "status cdaudio number of tracks")
            return {0, "10"};
        if (c == "status cdaudio mode")
            return {0, *mode};
        if (c.rfind("status cdaudio position track ", 0) == 0) {
            const int t = std::stoi(c.substr(30));
            return t <= 10 ? std::make_pair(0, std::string("0") + std::to_string(t) + ":00:00:00")
                           : std::make_pair(289, std::string());
        }
        return {0, ""};
    };
}

} // namespace

TEST(MciCommands, TextsForRepliesErrorsAndEmptyCommands)
{
    FakeMci mci;
    Settings s;
    BackgroundMusic music(mci, s);
    std::string text;
    EXPECT_EQ(-1, music.Mci_Command("", text));
    EXPECT_EQ(kNoCommandText, text);
    EXPECT_TRUE(mci.sent.empty()) << "an empty command is never sent";

    mci.answers["status x"] = {0, "ready"};
    EXPECT_EQ("ready", music.Mci_Status("status x"));
    EXPECT_EQ(512u, mci.capacities.back());
    mci.answers["status y"] = {263, ""};
    EXPECT_EQ("Error:263", music.Mci_Status("status y"));
    EXPECT_EQ("description of 263", music.Mci_Text);
    EXPECT_EQ(256u, mci.capacities.back()) << "the error text's buffer";
    mci.answers["status z"] = {999, ""};
    music.Mci_Status("status z");
    EXPECT_EQ(kNoErrorText, music.Mci_Text);

    music.Mci_Play("cdaudio", "03:00:00:00", "");
    music.Mci_Play("cdaudio", "", "");
    music.Mci_Play("dev", "1", "2");
    EXPECT_EQ("play cdaudio from 03:00:00:00", mci.sent[mci.sent.size() - 3]);
    EXPECT_EQ("play cdaudio", mci.sent[mci.sent.size() - 2]);
    EXPECT_EQ("play dev from 1 to 2", mci.sent.back());
}

TEST(CdPlayer, RepeatsTheChosenTrackByJumpingBack)
{
    FakeMci mci;
    Settings s;
    s.BGM_Track = 3;
    BackgroundMusic music(mci, s);
    int current = 1;
    const char* mode = "stopped";
    mci.answer = Disc(&current, &mode);

    music.CD_Open();
    EXPECT_EQ((std::vector<std::string>{"open cdaudio", "set cdaudio time format tmsf"}), mci.sent);

    mci.Clear();
    music.CD_Check();  // stopped: start the chosen track
    EXPECT_TRUE(music.CD_Ok);
    EXPECT_EQ("status cdaudio mode", mci.sent[2]);
    EXPECT_EQ(255u, mci.capacities[2]);
    EXPECT_EQ("status cdaudio position track 3", mci.sent[3]);
    EXPECT_EQ("play cdaudio from 03:00:00:00", mci.sent[4]);

    current = 3;
    mode = "playing";
    mci.Clear();
    music.CD_Check();  // playing the chosen track: nothing to do
    EXPECT_EQ(3u, mci.sent.size());

    current = 4;  // ran on into the next track
    mci.Clear();
    music.CD_Check();
    EXPECT_EQ("play cdaudio from 03:00:00:00", mci.sent.back());

    current = 3;  // came to a stop on the chosen track itself
    mode = "stopped";
    mci.Clear();
    music.CD_Check();
    EXPECT_EQ("play cdaudio from 03:00:00:00", mci.sent.back());

    music.CD_Close();
    EXPECT_EQ("stop cdaudio", mci.sent[mci.sent.size() - 2]);
    EXPECT_EQ("close cdaudio", mci.sent.back());
}

TEST(CdPlayer, WholeDiscRestartsWhenStopped)
{
    FakeMci mci;
    Settings s;
    BackgroundMusic music(mci, s);
    int current = 7;
    const char* mode = "playing";
    mci.answer = Disc(&current, &mode);
    music.CD_Check();
    EXPECT_EQ(3u, mci.sent.size()) << "playing: no play command";
    mode = "stopped";
    music.CD_Check();
    EXPECT_EQ("play cdaudio", mci.sent.back());

    // A mode query that fails writes nothing: the previous reply ("stopped") is read again.
    mci.answer = nullptr;
    mci.answers = {{"status cdaudio current track", {0, "7"}}, {"status cdaudio number of tracks", {0, "10"}},
                   {"status cdaudio mode", {266, ""}}};
    mci.Clear();
    music.CD_Check();
    EXPECT_EQ("play cdaudio", mci.sent.back());
}

TEST(CdPlayer, UnreadableDiscStopsThePollingAndATrackBeyondTheDiscPlaysNothing)
{
    FakeMci mci;
    Settings s;
    BackgroundMusic music(mci, s);
    mci.answers["status cdaudio current track"] = {266, ""};
    music.CD_Check();
    EXPECT_FALSE(music.CD_Ok);
    EXPECT_EQ(1u, mci.sent.size());

    mci.answers["status cdaudio current track"] = {0, "1"};
    mci.answers["status cdaudio number of tracks"] = {0, "Error in device"};  // "err" in any case fails
    music.CD_Check();
    EXPECT_FALSE(music.CD_Ok);

    FakeMci disc;
    Settings far;
    far.BGM_Track = 12;
    BackgroundMusic beyond(disc, far);
    int current = 1;
    const char* mode = "stopped";
    disc.answer = Disc(&current, &mode);
    beyond.CD_Check();
    EXPECT_TRUE(beyond.CD_Ok) << "the next step tries again";
    EXPECT_EQ("status cdaudio position track 12", disc.sent[3]);
    EXPECT_EQ("play cdaudio from Error:289", disc.sent[4]);

    // With a track chosen, the current track is compared as a number: a reply that is none is a
    // failure, not track 0 (which would jump back to the chosen track every step).
    disc.answer = nullptr;
    disc.answers = {{"status cdaudio current track", {0, "n/a"}}, {"status cdaudio number of tracks", {0, "10"}}};
    disc.Clear();
    beyond.CD_Check();
    EXPECT_FALSE(beyond.CD_Ok);
    EXPECT_EQ(3u, disc.sent.size()) << "nothing is played after the failure";
}

TEST(Mp3Player, OpensQuotedPlaysOnlyAfterASuccessfulOpenAndRepeats)
{
    FakeMci mci;
    Settings s;
    s.BGM_File = "C:\\My Music\\tone 1.mp3";
    BackgroundMusic music(mci, s);
    music.MP3_Play();
    EXPECT_EQ((std::vector<std::string>{"open \"C:\\My Music\\tone 1.mp3\" type MPEGVideo Alias MP3Play",
                                        "play MP3Play"}),
              mci.sent);

    mci.Clear();
    mci.answers["status MP3Play mode"] = {0, "playing"};
    music.MP3_Repeat();
    EXPECT_EQ(1u, mci.sent.size());
    EXPECT_EQ(30u, mci.capacities.back());
    mci.answers["status MP3Play mode"] = {0, "stopped"};
    music.MP3_Repeat();
    EXPECT_EQ("stop MP3Play", mci.sent[2]);
    EXPECT_EQ("play MP3Play from 0", mci.sent[3]);
    mci.answers["status MP3Play mode"] = {263, ""};  // a failed query counts as not playing
    EXPECT_FALSE(music.MP3_IsPlaying());

    mci.Clear();
    music.MP3_Close();
    EXPECT_EQ((std::vector<std::string>{"stop MP3Play", "close MP3Play"}), mci.sent);

    FakeMci failing;
    failing.answers["open \"C:\\My Music\\tone 1.mp3\" type MPEGVideo Alias MP3Play"] = {277, ""};
    BackgroundMusic noDevice(failing, s);
    noDevice.MP3_Play();
    EXPECT_EQ(1u, failing.sent.size()) << "no play after a failed open";
}

TEST(Mp3Player, APathThatWouldBreakTheCommandIsNeverSent)
{
    FakeMci mci;
    Settings s;
    s.BGM_File = "C:\\a.mp3\" alias x wait";
    BackgroundMusic music(mci, s);
    music.MP3_Play();
    s.BGM_File = "C:\\a\tb.mp3";
    music.MP3_Play();
    EXPECT_TRUE(mci.sent.empty());
}

TEST(WavPlayer, LoopsOnlyWithAnOutputDevice)
{
    FakeMci mci;
    Settings s;
    s.BGM_File = "C:\\loop.wav";
    BackgroundMusic music(mci, s);
    music.WAV_Play();
    music.WAV_Stop();
    ASSERT_EQ(2u, mci.sounds.size());
    EXPECT_EQ(std::make_pair(std::string("C:\\loop.wav"), 0x0Bu), mci.sounds[0]) << "async, looped, no default sound";
    EXPECT_EQ(std::make_pair(std::string("<stop>"), 0u), mci.sounds[1]);
    mci.devices = 0;
    music.WAV_Play();
    EXPECT_EQ(2u, mci.sounds.size()) << "no wave output device: nothing happens";
}

TEST(ShowPlan, MusicByKindAndFileType)
{
    Settings s;
    EXPECT_EQ(MusicSource::None, MusicFor(s));
    s.BGM_Kind = 1;
    EXPECT_EQ(MusicSource::Cd, MusicFor(s));
    s.BGM_Kind = 2;
    s.BGM_File = "C:\\x.mP3";
    EXPECT_EQ(MusicSource::Mp3, MusicFor(s));
    s.BGM_File = "C:\\x.Wav";
    EXPECT_EQ(MusicSource::Wav, MusicFor(s));
    s.BGM_File = "C:\\x.wave";
    EXPECT_EQ(MusicSource::None, MusicFor(s));
    s.BGM_Kind = 3;
    s.BGM_File = "C:\\x.mp3";
    EXPECT_EQ(MusicSource::None, MusicFor(s));
}

TEST(ShowPlan, EndingTheShowStopsWhatPlaysAndGivesTheCursorBackInSModeOnly)
{
    FakeMci mci;
    Settings s;
    BackgroundMusic music(mci, s);
    s.BGM_Kind = 1;
    EXPECT_TRUE(EndShowMusic(music, s, true, "S"));
    EXPECT_EQ((std::vector<std::string>{"stop cdaudio", "close cdaudio"}), mci.sent);
    mci.Clear();
    EXPECT_FALSE(EndShowMusic(music, s, false, "")) << "no argument: the cursor was never hidden";
    EXPECT_TRUE(mci.sent.empty()) << "the polling had stopped after a failed query: the CD is left alone";

    s.BGM_Kind = 2;
    s.BGM_File = "C:\\tone.Mp3";
    EXPECT_TRUE(EndShowMusic(music, s, false, "S"));
    EXPECT_EQ((std::vector<std::string>{"stop MP3Play", "close MP3Play"}), mci.sent);
    EXPECT_TRUE(mci.sounds.empty());
    mci.Clear();
    s.BGM_File = "C:\\loop.wav";
    EndShowMusic(music, s, false, "S");
    EXPECT_TRUE(mci.sent.empty());
    EXPECT_EQ((std::vector<std::pair<std::string, unsigned>>{{"<stop>", 0u}}), mci.sounds);
    s.BGM_Kind = 0;  // a file left from an earlier choice plays nothing and stops nothing
    EndShowMusic(music, s, false, "S");
    EXPECT_EQ(1u, mci.sounds.size());
}
