#include "reference_generator.h"
#include "textures/builtin_scripts.h"
#include "textures/texture_generator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

struct R {
    unsigned char op, p0, p1, p2, p3, p4, p5, p6, p7;
};

Bytes Script(std::initializer_list<R> records)
{
    Bytes s{static_cast<unsigned char>(records.size())};
    for (const R& r : records)
        s.insert(s.end(), {r.op, r.p0, r.p1, r.p2, r.p3, r.p4, r.p5, r.p6, r.p7});
    return s;
}

// Runs on a heap block of exactly the script's size, so AddressSanitizer sees any read past it.
std::unique_ptr<TextureGenerator> RunScript(const Bytes& script)
{
    std::unique_ptr<TextureGenerator> g(new TextureGenerator);
    std::unique_ptr<unsigned char[]> exact(new unsigned char[script.size() + 1]);
    if (!script.empty())
        std::memcpy(exact.get(), script.data(), script.size());
    g->Run(exact.get(), script.size());
    return g;
}

Rgb At(const TextureGenerator& g, int x, int y, int layer = 0)
{
    return g.Layer(layer)[y * 256 + x];
}

void ExpectRgb(int r, int gr, int b, const Rgb& c, const char* where)
{
    EXPECT_EQ(r, c.r) << where;
    EXPECT_EQ(gr, c.g) << where;
    EXPECT_EQ(b, c.b) << where;
}

bool SameAsReference(const Bytes& script, std::string* where)
{
    const std::unique_ptr<TextureGenerator> g = RunScript(script);
    const ReferenceLayers ref = ReferenceRun(script.data(), script.size());
    for (int layer = 0; layer < 4; ++layer)
        for (int i = 0; i < 65536; ++i) {
            const Rgb a = g->Layer(layer)[i], b = ref[layer][i];
            if (a.r != b.r || a.g != b.g || a.b != b.b) {
                *where = "layer " + std::to_string(layer) + " pixel (" + std::to_string(i % 256) + ", " +
                         std::to_string(i / 256) + ")";
                return false;
            }
        }
    return true;
}

} // namespace

TEST(Generators, FillWritesOnlyItsChannel)
{
    auto g = RunScript(Script({{0x01, 1, 200, 0, 0, 0, 0, 0, 0}}));
    ExpectRgb(0, 200, 0, At(*g, 0, 0), "first pixel");
    ExpectRgb(0, 200, 0, At(*g, 255, 255), "last pixel");
    g = RunScript(Script({{0x01, 1, 200, 0, 0, 0, 0, 0, 0}, {0x01, 0x32, 7, 0, 0, 0, 0, 0, 0}}));
    ExpectRgb(0, 200, 0, At(*g, 9, 9), "layer 0 untouched by a fill of layer 3");
    ExpectRgb(0, 0, 7, At(*g, 9, 9, 3), "layer 3, blue");
}

TEST(Generators, RadialSpotIsAConeCentredInTheImage)
{
    auto g = RunScript(Script({{0x03, 0, 255, 0, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(255, At(*g, 128, 128).r);
    EXPECT_EQ(253, At(*g, 129, 128).r);
    EXPECT_EQ(253, At(*g, 128, 127).r);
    EXPECT_EQ(0, At(*g, 0, 0).r);
    EXPECT_EQ(1, At(*g, 128 + 127, 128).r);  // 255 - 254: reaches 0 at distance 127.5
    EXPECT_EQ(0, At(*g, 128, 128).g);
    // Half the width parameter gives a spot about twice as wide.
    g = RunScript(Script({{0x03, 2, 128, 0, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(254, At(*g, 129, 128).b);
    EXPECT_EQ(74, At(*g, 0, 0).b);  // 255 - trunc(2 * 181.02 * 128 / 255)
}

TEST(Generators, NoiseIsReseededFromItsRecord)
{
    const Bytes a = Script({{0x02, 0, 0, 0, 0, 0, 0, 0, 7}});
    auto g1 = RunScript(a), g2 = RunScript(a);
    EXPECT_EQ(0, std::memcmp(g1->Layer(0), g2->Layer(0), 65536 * 3));
    auto g3 = RunScript(Script({{0x02, 0, 0, 0, 0, 0, 0, 0, 8}}));
    EXPECT_NE(0, std::memcmp(g1->Layer(0), g3->Layer(0), 65536 * 3));
    int highest = 0;
    for (int i = 0; i < 65536; ++i)
        highest = std::max<int>(highest, g1->Layer(0)[i].r);
    EXPECT_EQ(254, highest);
}

TEST(Filters, BrightnessColourRampAndGreyscale)
{
    auto g = RunScript(Script({{0x01, 0, 200, 0, 0, 0, 0, 0, 0}, {0x01, 1, 100, 0, 0, 0, 0, 0, 0},
                         {0x11, 0, 64, 0, 0, 0, 0, 0, 0}}));
    ExpectRgb(73, 0, 0, At(*g, 3, 3), "brightness 64 subtracts 127");
    g = RunScript(Script({{0x01, 0, 255, 0, 0, 0, 0, 0, 0}, {0x01, 1, 100, 0, 0, 0, 0, 0, 0},
                    {0x11, 0, 128, 0, 0, 0, 0, 0, 0}}));
    ExpectRgb(255, 101, 1, At(*g, 3, 3), "brightness 128 adds 1");

    const Bytes grey600 = Script({{0x01, 0, 200, 0, 0, 0, 0, 0, 0}, {0x01, 1, 200, 0, 0, 0, 0, 0, 0},
                                  {0x01, 2, 200, 0, 0, 0, 0, 0, 0}});
    Bytes ramp = grey600;
    ramp[0] = 4;
    for (unsigned char b : {0x12, 0, 0, 0, 0, 0, 0, 0, 0})
        ramp.push_back(b);
    ExpectRgb(255, 255, 90, At(*RunScript(ramp), 0, 0), "order 0, sum 600");
    ramp[ramp.size() - 7] = 4;  // order 4: blue, red, green
    ExpectRgb(255, 90, 255, At(*RunScript(ramp), 0, 0), "order 4, sum 600");
    ramp[ramp.size() - 7] = 6;  // no such order: unchanged
    ExpectRgb(200, 200, 200, At(*RunScript(ramp), 0, 0), "order 6");

    g = RunScript(Script({{0x01, 0, 10, 0, 0, 0, 0, 0, 0}, {0x01, 1, 20, 0, 0, 0, 0, 0, 0},
                    {0x01, 2, 41, 0, 0, 0, 0, 0, 0}, {0x13, 0, 0, 0, 0, 0, 0, 0, 0}}));
    ExpectRgb(23, 23, 23, At(*g, 100, 50), "greyscale truncates");
}

TEST(Warps, ShiftMovesWholePixelsWithWrapAround)
{
    const Bytes noise = Script({{0x02, 0, 0, 0, 0, 0, 0, 0, 1}, {0x02, 1, 0, 0, 0, 0, 0, 0, 2}});
    Bytes shifted = noise;
    shifted[0] = 3;
    for (unsigned char b : {0x21, 0, 10, 0, 0, 0, 0, 0, 0})
        shifted.push_back(b);
    auto before = RunScript(noise), after = RunScript(shifted);
    for (int y : {0, 77, 255}) {
        const Rgb a0 = At(*after, 0, y), b10 = At(*before, 10, y);
        EXPECT_TRUE(a0.r == b10.r && a0.g == b10.g) << "pixel (0, " << y << ") takes (10, " << y << ")";
        const Rgb a250 = At(*after, 250, y), b4 = At(*before, 4, y);
        EXPECT_TRUE(a250.r == b4.r && a250.g == b4.g) << "pixel (250, " << y << ") takes (4, " << y << ")";
    }
    std::string where;
    EXPECT_TRUE(SameAsReference(shifted, &where)) << where;
    shifted[shifted.size() - 7] = 200;  // and a vertical move
    EXPECT_TRUE(SameAsReference(shifted, &where)) << where;
}

TEST(Warps, SineWarpMatchesThePlainResamplingExactly)
{
    std::string where;
    const R spot = {0x03, 0, 255, 0, 0, 0, 0, 0, 0}, ramp = {0x12, 0, 5, 0, 0, 0, 0, 0, 0};
    for (const R& warp : {R{0x22, 0, 2, 1, 32, 64, 16, 48, 0}, R{0x22, 0, 5, 3, 48, 32, 32, 64, 0},
                          R{0x22, 0, 255, 255, 255, 255, 255, 255, 0}, R{0x22, 0, 0, 0, 0, 0, 0, 0, 0}}) {
        EXPECT_TRUE(SameAsReference(Script({spot, {0x03, 1, 200, 0, 0, 0, 0, 0, 0}, ramp, warp}), &where))
            << "P1=" << int(warp.p1) << ": " << where;
    }
    // The corners are truncated before they are summed: at most 3 below the exact bilinear value,
    // never above it. A half-pixel shift of a flat 255 field shows it.
    auto g = RunScript(Script({{0x01, 0, 255, 0, 0, 0, 0, 0, 0}, {0x22, 0, 0, 0, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(255, At(*g, 5, 5).r);
}

TEST(Combiners, EachChannelWithClamping)
{
    const R a = {0x01, 0x00, 200, 0, 0, 0, 0, 0, 0}, a2 = {0x01, 0x01, 30, 0, 0, 0, 0, 0, 0};
    const R b = {0x01, 0x10, 100, 0, 0, 0, 0, 0, 0}, b2 = {0x01, 0x11, 60, 0, 0, 0, 0, 0, 0};
    struct Case {
        unsigned char op;
        int r, g;
    } cases[] = {{0x31, 255, 90}, {0x32, 100, 0}, {0x33, 78, 7}, {0x34, 100, 30}, {0x35, 200, 60}, {0x36, 100, 60}};
    for (const Case& c : cases) {
        auto g = RunScript(Script({a, a2, b, b2, {c.op, 0x00, 0x10, 0, 0, 0, 0, 0, 0}}));
        EXPECT_EQ(c.r, At(*g, 1, 2).r) << "opcode " << int(c.op);
        EXPECT_EQ(c.g, At(*g, 1, 2).g) << "opcode " << int(c.op);
        EXPECT_EQ(100, At(*g, 1, 2, 1).r) << "the source layer is unchanged";
    }
}

TEST(Interpreter, UnsafeRecordsAreSkippedAndShortScriptsStopEarly)
{
    const R fill = {0x01, 0x00, 9, 0, 0, 0, 0, 0, 0};
    auto g = RunScript(Script({fill, {0x01, 0x40, 5, 0, 0, 0, 0, 0, 0}, {0x01, 0x03, 5, 0, 0, 0, 0, 0, 0},
                         {0x11, 0xF0, 255, 0, 0, 0, 0, 0, 0}, {0x22, 0x50, 1, 1, 9, 9, 0, 0, 0},
                         {0x36, 0x00, 0x90, 0, 0, 0, 0, 0, 0}, {0x99, 0, 0, 0, 0, 0, 0, 0, 0}}));
    ExpectRgb(9, 0, 0, At(*g, 17, 200), "every record after the first is skipped");

    // Record count 5, bytes for one and a half records: only the complete one runs.
    Bytes shortScript = Script({fill, {0x01, 1, 4, 0, 0, 0, 0, 0, 0}});
    shortScript[0] = 5;
    shortScript.resize(1 + 9 + 5);
    ExpectRgb(9, 0, 0, At(*RunScript(shortScript), 0, 0), "truncated");
    ExpectRgb(0, 0, 0, At(*RunScript(Bytes{}), 0, 0), "no bytes at all");
    ExpectRgb(0, 0, 0, At(*RunScript(Bytes{0}), 0, 0), "no records");
}

TEST(Interpreter, EachRunStartsFromClearedLayers)
{
    TextureGenerator g;
    const Bytes fill = Script({{0x01, 0x21, 50, 0, 0, 0, 0, 0, 0}});
    g.Run(fill.data(), fill.size());
    g.Run(g_script3, 1);
    EXPECT_EQ(0, g.Layer(2)[100].g);
}

TEST(BuiltinScripts, MatchThePlainInterpreterByteForByte)
{
    for (int n = 1; n <= 5; ++n) {
        const unsigned char* s = BuiltinScript(n);
        std::string where;
        EXPECT_TRUE(SameAsReference(Bytes(s, s + ScriptSize(s)), &where)) << "script " << n << ": " << where;
    }
}

TEST(BuiltinScripts, RandomScriptsMatchThePlainInterpreter)
{
    // Random records over every opcode and parameter, valid and invalid, against the oracle.
    const unsigned char opcodes[] = {0x01, 0x02, 0x03, 0x11, 0x12, 0x13, 0x21, 0x22,
                                     0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x00, 0x7F};
    std::mt19937 random(20261207);
    for (int trial = 0; trial < 12; ++trial) {
        Bytes s{6};
        for (int i = 0; i < 6; ++i) {
            s.push_back(opcodes[random() % sizeof(opcodes)]);
            s.push_back(static_cast<unsigned char>((random() % 5) << 4 | random() % 4));
            s.push_back(static_cast<unsigned char>(random() % 3 == 0 ? (random() % 5) << 4 : random()));
            for (int p = 2; p < 8; ++p)
                s.push_back(static_cast<unsigned char>(random()));
        }
        std::string where;
        EXPECT_TRUE(SameAsReference(s, &where)) << "trial " << trial << ": " << where;
    }
}

TEST(BuiltinScripts, TheSetLooksAsDescribed)
{
    // Script 1 before its final warp: the three spots sum to 765 at the centre, all white.
    Bytes first4(g_script1, g_script1 + ScriptSize(g_script1));
    first4[0] = 4;
    ExpectRgb(255, 255, 255, At(*RunScript(first4), 128, 128), "script 1 centre before the warp");

    TextureGenerator g;
    g.Run(g_script3, ScriptSize(g_script3));
    for (int i = 0; i < 65536; ++i)
        ASSERT_TRUE(g.Layer(0)[i].r == 0 && g.Layer(0)[i].g == 0 && g.Layer(0)[i].b == 0);

    // Script 5 ends in grey; script 1 is a blue glow, dark in its corners.
    g.Run(g_script5, ScriptSize(g_script5));
    for (int i = 0; i < 65536; i += 97)
        ASSERT_TRUE(g.Layer(0)[i].r == g.Layer(0)[i].g && g.Layer(0)[i].g == g.Layer(0)[i].b);
    g.Run(g_script1, ScriptSize(g_script1));
    long sum[3] = {0, 0, 0};
    for (int i = 0; i < 65536; ++i) {
        sum[0] += g.Layer(0)[i].r;
        sum[1] += g.Layer(0)[i].g;
        sum[2] += g.Layer(0)[i].b;
    }
    EXPECT_GT(sum[2], sum[1]);
    EXPECT_GT(sum[1], sum[0]);

    // Twice the same script, byte-identical results.
    std::vector<Rgb> once(g.Layer(0), g.Layer(0) + 65536);
    g.Run(g_script4, ScriptSize(g_script4));
    g.Run(g_script1, ScriptSize(g_script1));
    EXPECT_EQ(0, std::memcmp(once.data(), g.Layer(0), 65536 * 3));
}
