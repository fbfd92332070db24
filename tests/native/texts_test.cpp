#include "main/texts.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

namespace {

std::string FromCp932(const char* bytes)
{
    iconv_t cd = iconv_open("UTF-8", "CP932");
    std::string in(bytes), out(in.size() * 4, '\0');
    char* src = &in[0];
    char* dst = &out[0];
    size_t left = in.size(), room = out.size();
    const size_t rc = iconv(cd, &src, &left, &dst, &room);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || left != 0)
        return "<not CP932>";
    out.resize(out.size() - room);
    return out;
}

} // namespace

TEST(Texts, AreTheJapaneseTextsInCodePage932)
{
    EXPECT_EQ(u8"Lunaquill.dll が同じﾌｫﾙﾀﾞに見つかりません！", FromCp932(kRendererMissingText));
    EXPECT_EQ(u8"Lunaquill.ini に設定を保存できません！", FromCp932(kSettingsNotSavedText));
    EXPECT_EQ(u8"コマンド文字列が指定されていません", FromCp932(kNoCommandText));
    EXPECT_EQ(u8"Error (文字列が取れません)", FromCp932(kNoErrorText));
    EXPECT_EQ(u8"BGM区分", FromCp932(kKeyKind));
    EXPECT_EQ(u8"BGMﾘﾋﾟｰﾄ", FromCp932(kKeyTrack));
    EXPECT_EQ(u8"BGMﾌｧｲﾙ", FromCp932(kKeyFile));
    EXPECT_EQ(u8"BGMﾌｧｲﾙ (MP3 WAV)", FromCp932(kFilterName));
    EXPECT_EQ(u8"ﾌｧｲﾙを開く", FromCp932(kPickerTitle));
    EXPECT_EQ(u8"このﾌｧｲﾙの場所は長すぎて Lunaquill.ini に保存できません。ﾌｧｲﾙを短い名前のﾌｫﾙﾀﾞに移すか、別のﾌｧｲﾙを選んでください。",
              FromCp932(kMusicPathTooLongText));
    EXPECT_EQ(u8"参照… チェック チェック解除 押す ジャンプ",
              FromCp932((std::string(kBrowseName) + " " + kCheckAction + " " + kUncheckAction + " " + kPressAction + " " +
                         kJumpAction).c_str()));
}

TEST(Texts, TheUserReadsJapaneseOnAJapaneseInterfaceAndEnglishOnAnyOther)
{
    EXPECT_EQ(&kJapaneseTexts, &TextsFor(0x0411));
    EXPECT_EQ(&kEnglishTexts, &TextsFor(0x0409));
    EXPECT_EQ(&kEnglishTexts, &TextsFor(0x0804)) << "Chinese";
    EXPECT_EQ(0, kJapaneseTexts.captionCount) << "the layout's own captions are the Japanese ones";
    EXPECT_EQ(std::string(kRendererMissingText), kJapaneseTexts.rendererMissing);
    // Plain ASCII reads the same in every code page, the Japanese one included.
    for (const char* text : {kEnglishTexts.rendererMissing, kEnglishTexts.settingsNotSaved,
                             kEnglishTexts.musicNameUnspellable, kEnglishTexts.filterName, kEnglishTexts.pickerTitle,
                             kEnglishTexts.musicPathTooLong, kEnglishTexts.browseName})
        for (const char* c = text; *c; ++c)
            EXPECT_LT(static_cast<unsigned char>(*c), 128u) << text;
}
