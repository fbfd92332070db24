#include "show_plan.h"

ShowOptions ShowOptionsFor(const Settings& settings)
{
    ShowOptions options;
    options.nativeDisplay = settings.Display == 1;
    options.endOnInput = settings.EndOnInput == 1;
    return options;
}

MusicSource MusicFor(const Settings& settings)
{
    if (settings.BGM_Kind == 1)
        return MusicSource::Cd;
    if (settings.BGM_Kind == 2) {
        const std::string type = FileType(settings.BGM_File);
        if (type == "WAV")
            return MusicSource::Wav;
        if (type == "MP3")
            return MusicSource::Mp3;
    }
    return MusicSource::None;
}

bool EndShowMusic(BackgroundMusic& music, const Settings& settings, bool cdPolling, const std::string& mode)
{
    if (cdPolling)
        music.CD_Close();
    if (settings.BGM_Kind == 2) {
        const MusicSource source = MusicFor(settings);
        if (source == MusicSource::Wav)
            music.WAV_Stop();
        if (source == MusicSource::Mp3)
            music.MP3_Close();
    }
    return mode == "S";
}
