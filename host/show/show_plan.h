// What the run form decides without the platform: which music plays, and whether the show is over.
#pragma once

#include "main/settings.h"
#include "music/background_music.h"
#include "shared/show_options.h"

#include <string>

enum class MusicSource { None, Cd, Mp3, Wav };

// Kind 1 is the CD; kind 2 plays the file by its type ("MP3" or "WAV", any case); anything else
// plays nothing.
MusicSource MusicFor(const Settings& settings);

// The show the settings ask the renderer for: each choice is on only at its value 1, so a value this
// version does not know gives the original show.
ShowOptions ShowOptionsFor(const Settings& settings);

// What the run form's unload does besides its timers: the CD is stopped and closed only while its
// polling still runs (cdPolling), the file players by the file's type; the result tells whether the
// cursor is to be shown again, which is in S mode only (balancing the ShowCursor(FALSE) of Main).
bool EndShowMusic(BackgroundMusic& music, const Settings& settings, bool cdPolling, const std::string& mode);
