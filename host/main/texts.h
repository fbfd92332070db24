// What the host says to people, in one table per language, and the settings file's key names.
// The Japanese texts are code page 932 (Shift-JIS) bytes: the key names must match byte for byte, and
// the file picker takes its texts through the ANSI functions. What a person reads in a box is
// converted from 932 and shown with the wide functions, so that it reads the same on any code page.
// The dialog's Japanese labels and captions are in its layout, as UTF-8. The readable text stands
// beside each; a test converts the bytes back and compares.
#pragma once

// "Lunaquill.dll が同じﾌｫﾙﾀﾞに見つかりません！"
constexpr char kRendererMissingText[] =
    "Lunaquill.dll \x82\xAA\x93\xAF\x82\xB6\xCC\xAB\xD9\xC0\xDE\x82\xC9\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC"
    "\x82\xB9\x82\xF1\x81I";
// "Lunaquill.ini に設定を保存できません！": Set found no place that would keep the settings.
constexpr char kSettingsNotSavedText[] =
    "Lunaquill.ini \x82\xC9\x90\xDD\x92\xE8\x82\xF0\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81I";
// "コマンド文字列が指定されていません"
constexpr char kNoCommandText[] =
    "\x83R\x83}\x83\x93\x83h\x95\xB6\x8E\x9A\x97\xF1\x82\xAA\x8Ew\x92\xE8\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC"
    "\x82\xB9\x82\xF1";
// "Error (文字列が取れません)"
constexpr char kNoErrorText[] = "Error (\x95\xB6\x8E\x9A\x97\xF1\x82\xAA\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1)";

// Settings file keys: "BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ"
constexpr char kKeyKind[] = "BGM\x8B\xE6\x95\xAA";
constexpr char kKeyTrack[] = "BGM\xD8\xCB\xDF\xB0\xC4";
constexpr char kKeyFile[] = "BGM\xCC\xA7\xB2\xD9";
// The display choices: ASCII names, which every code page reads alike.
constexpr char kKeyDisplay[] = "Display";
constexpr char kKeyEndOnInput[] = "EndOnInput";

// "このﾌｧｲﾙの名前には、このｼｽﾃﾑでは Lunaquill.ini に保存できない文字があります。ﾌｧｲﾙかﾌｫﾙﾀﾞの名前を
// 変えるか、別のﾌｧｲﾙを選んでください。": a music file whose name the code page cannot spell.
constexpr char kMusicNameUnspellableText[] =
    "\x82\xB1\x82\xCC\xCC\xA7\xB2\xD9\x82\xCC\x96\xBC\x91O\x82\xC9\x82\xCD\x81" "A\x82\xB1\x82\xCC\xBC\xBD\xC3\xD1"
    "\x82\xC5\x82\xCD Lunaquill.ini \x82\xC9\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xC8\x82\xA2\x95\xB6\x8E\x9A\x82\xAA"
    "\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81" "B\xCC\xA7\xB2\xD9\x82\xA9\xCC\xAB\xD9\xC0\xDE\x82\xCC\x96\xBC\x91O\x82\xF0"
    "\x95\xCF\x82\xA6\x82\xE9\x82\xA9\x81" "A\x95\xCA\x82\xCC\xCC\xA7\xB2\xD9\x82\xF0\x91I\x82\xF1\x82\xC5\x82\xAD"
    "\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// "このﾌｧｲﾙの場所は長すぎて Lunaquill.ini に保存できません。ﾌｧｲﾙを短い名前のﾌｫﾙﾀﾞに移すか、別のﾌｧｲﾙを
// 選んでください。": a music file whose path is longer than the settings file keeps a value.
constexpr char kMusicPathTooLongText[] =
    "\x82\xB1\x82\xCC\xCC\xA7\xB2\xD9\x82\xCC\x8F\xEA\x8F\x8A\x82\xCD\x92\xB7\x82\xB7\x82\xAC\x82\xC4 Lunaquill.ini "
    "\x82\xC9\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81" "B\xCC\xA7\xB2\xD9\x82\xF0\x92Z\x82\xA2\x96\xBC"
    "\x91O\x82\xCC\xCC\xAB\xD9\xC0\xDE\x82\xC9\x88\xDA\x82\xB7\x82\xA9\x81" "A\x95\xCA\x82\xCC\xCC\xA7\xB2\xD9\x82\xF0"
    "\x91I\x82\xF1\x82\xC5\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";
// What assistive technology reads out: the file button's name "参照…", and the default actions
// "チェック", "チェック解除", "押す", "ジャンプ".
constexpr char kBrowseName[] = "\x8EQ\x8F\xC6\x81" "c";
constexpr char kCheckAction[] = "\x83`\x83" "F\x83" "b\x83N";
constexpr char kUncheckAction[] = "\x83`\x83" "F\x83" "b\x83N\x89\xF0\x8F\x9C";
constexpr char kPressAction[] = "\x89\x9F\x82\xB7";
constexpr char kJumpAction[] = "\x83W\x83\x83\x83\x93\x83v";

// File picker: "BGMﾌｧｲﾙ (MP3 WAV)", "ﾌｧｲﾙを開く"
constexpr char kFilterName[] = "BGM\xCC\xA7\xB2\xD9 (MP3 WAV)";
constexpr char kPickerTitle[] = "\xCC\xA7\xB2\xD9\x82\xF0\x8A\x4A\x82\xAD";

// A caption of the dialog's layout given in another language: the control (name and index, -1 for
// none) and its text, UTF-8.
struct CaptionText {
    const char* control;
    int index;
    const char* text;
};

// Everything the user reads in one language: the two messages and the file picker's texts (code page
// 932 bytes; the English ones are plain ASCII, which every code page reads alike) and the dialog's
// captions where they are not its layout's own Japanese ones.
struct UiTexts {
    const char* rendererMissing;
    const char* settingsNotSaved;
    const char* musicNameUnspellable;
    const char* filterName;
    const char* pickerTitle;
    const CaptionText* captions;
    int captionCount;
    const char* musicPathTooLong;
    // For assistive technology: the file button's name, and the default actions of a row, a ticked
    // row, a button and the link.
    const char* browseName;
    const char* checkAction;
    const char* uncheckAction;
    const char* pressAction;
    const char* jumpAction;
};

extern const UiTexts kJapaneseTexts;
extern const UiTexts kEnglishTexts;

// The texts for a user-interface language (a Windows language id): Japanese for Japanese, English
// for any other.
const UiTexts& TextsFor(unsigned short languageId);
