#include "image_file.h"
#include "script_text.h"
#include "textures/builtin_scripts.h"
#include "textures/texture_script.h"

#include <gtest/gtest.h>

// The PNG is read back with the decoder of the library that wrote it.
#define STBI_ONLY_PNG
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

TEST(ScriptText, BuiltinScriptsRoundTripThroughTheTextForm)
{
    for (int n = 1; n <= 5; ++n) {
        const unsigned char* s = BuiltinScript(n);
        const ScriptReadResult back = ReadTextScript(FormatTextScript(s, "script"));
        ASSERT_TRUE(back.ok) << back.error;
        EXPECT_EQ(ByteVector(s, s + ScriptSize(s)), back.script) << "script " << n;
        EXPECT_TRUE(back.warnings.empty());
        EXPECT_TRUE(LooksLikeByteScript(back.script));
    }
}

TEST(ScriptText, TextFormAcceptsNamesNumbersCommentsAndCase)
{
    const ScriptReadResult r = ReadTextScript("# header\n  radialspot 2 255 0 0 0 0 0 0  # a spot\n\n"
                                              "0x22 0 2 0x10 32 16 112 144 0\r\n18 0 5 0 0 0 0 0 0\n");
    ASSERT_TRUE(r.ok) << r.error;
    const ByteVector expected{3, 0x03, 2, 255, 0, 0, 0, 0, 0, 0, 0x22, 0, 2, 16, 32, 16, 112, 144, 0,
                              0x12, 0, 5, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(expected, r.script);
    EXPECT_FALSE(LooksLikeByteScript(ByteVector{'F', 'i', 'l', 'l', '\n'}));
}

TEST(ScriptText, ErrorsNameTheLineOrByteOffset)
{
    EXPECT_EQ("line 2: unknown operation 'Blur'", ReadTextScript("Fill 0 1 0 0 0 0 0 0\nBlur 0 0 0 0 0 0 0 0\n").error);
    EXPECT_EQ("line 1: parameter P0 is -1, outside 0..255", ReadTextScript("Fill -1 1 0 0 0 0 0 0").error);
    EXPECT_EQ("line 1: parameter P7 'x9' is not a number", ReadTextScript("Fill 0 1 0 0 0 0 0 x9").error);
    EXPECT_EQ("line 1: opcode 256 is outside 0..255", ReadTextScript("256 0 0 0 0 0 0 0 0").error);
    EXPECT_EQ("line 1: expected 8 parameters (P0..P7) after 'Fill', found 9",
              ReadTextScript("Fill 0 0 0 0 0 0 0 0 0").error);
    std::string many;
    for (int i = 0; i < 256; ++i)
        many += "Fill 0 1 0 0 0 0 0 0\n";
    EXPECT_EQ("line 256: more than 255 records", ReadTextScript(many).error);

    const ScriptReadResult cut = ReadByteScript(ByteVector{2, 1, 0, 9, 0, 0, 0, 0, 0, 0, 1, 1});
    EXPECT_FALSE(cut.ok);
    EXPECT_NE(std::string::npos, cut.error.find("record 2 at byte offset 10")) << cut.error;
    EXPECT_FALSE(ReadByteScript(ByteVector{}).ok);

    const ScriptReadResult extra = ReadByteScript(ByteVector{1, 0x77, 0x50, 0, 0, 0, 0, 0, 0, 0, 42});
    ASSERT_TRUE(extra.ok);
    ASSERT_EQ(2u, extra.warnings.size());
    EXPECT_NE(std::string::npos, extra.warnings[0].find("1 bytes after the last record"));
    EXPECT_NE(std::string::npos, extra.warnings[1].find("unknown opcode"));
}

TEST(ImageFile, PpmAndPngLayout)
{
    const unsigned char rgb[2 * 2 * 3] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9};
    const std::vector<unsigned char> ppm = EncodePpm(rgb, 2, 2);
    EXPECT_EQ("P6\n2 2\n255\n", std::string(ppm.begin(), ppm.begin() + 11));
    EXPECT_EQ(11u + 12u, ppm.size());
    EXPECT_EQ(9, ppm.back());

    const std::vector<unsigned char> png = EncodePng(rgb, 2, 2);
    ASSERT_GT(png.size(), 8u + 25u);
    EXPECT_EQ(0x89, png[0]);
    EXPECT_EQ("IHDR", std::string(png.begin() + 12, png.begin() + 16));
    // Known CRC of this IHDR chunk (2x2, 8-bit RGB), as any PNG reader checks it.
    EXPECT_EQ(std::vector<unsigned char>({0xFD, 0xD4, 0x9A, 0x73}), std::vector<unsigned char>(png.begin() + 29, png.begin() + 33));
    EXPECT_EQ("IEND", std::string(png.end() - 8, png.end() - 4));
    int width = 0, height = 0, channels = 0;
    unsigned char* back = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &width, &height, &channels, 3);
    ASSERT_NE(nullptr, back) << stbi_failure_reason();
    EXPECT_EQ(3, channels);
    EXPECT_EQ(std::vector<unsigned char>(rgb, rgb + sizeof(rgb)), std::vector<unsigned char>(back, back + width * height * 3));
    stbi_image_free(back);
}
