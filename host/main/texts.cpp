#include "texts.h"

const UiTexts kJapaneseTexts = {kRendererMissingText, kSettingsNotSavedText, kMusicNameUnspellableText, kFilterName,
                                kPickerTitle, nullptr, 0, kMusicPathTooLongText, kBrowseName, kCheckAction,
                                kUncheckAction, kPressAction, kJumpAction};

namespace {

// Written for the same places: each fits the layout's room, or runs on where nothing follows it.
const CaptionText kEnglishCaptions[] = {
    {"lbl_BGM", 0, "None"},
    {"lbl_BGM", 1, "Music CD"},
    {"lbl_BGM", 2, "MP3, WAV"},
    {"lbl", 14, "Repeat track"},
    {"lbl", 16, "Display"},
    {"lbl_Disp", 0, "Every monitor at its own resolution"},
    {"lbl_Disp", 1, "End on any key, click or mouse move"},
    {"Cmd_Set", -1, "Save"},
    {"Cmd_Can", -1, "Cancel"},
};

} // namespace

const UiTexts kEnglishTexts = {
    "Lunaquill.dll was not found in the same folder!",
    "The settings could not be saved in Lunaquill.ini!",
    "The name of this music file holds characters that this system cannot store in Lunaquill.ini. "
    "Please rename the file or its folder, or choose another file.",
    "Music files (MP3 WAV)",
    "Choose the music",
    kEnglishCaptions,
    sizeof(kEnglishCaptions) / sizeof(kEnglishCaptions[0]),
    "The path of this music file is too long to be stored in Lunaquill.ini. "
    "Please move the file to a folder with a shorter path, or choose another file.",
    "Browse...",
    "Check",
    "Uncheck",
    "Press",
    "Jump",
};

const UiTexts& TextsFor(unsigned short languageId)
{
    const unsigned short kJapanese = 0x11;  // LANG_JAPANESE, the primary language's bits
    return (languageId & 0x3FF) == kJapanese ? kJapaneseTexts : kEnglishTexts;
}
