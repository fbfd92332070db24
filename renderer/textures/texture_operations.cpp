// The fourteen texture-script operations. Each is one small per-pixel function of one of four
// shapes (generator, filter, warp, combiner); a loop per shape visits the pixels (rows y = 0..255,
// columns x = 0..255 inside) and is instantiated for each function, so the table dispatches once per
// record, not once per pixel.
#include "maths.h"
#include "texture_generator.h"
#include "texture_script.h"

#include <cctype>
#include <cstdint>
#include <cstring>

// LQ_NO_SSE2 builds the plain resampler where SSE2 is there too (the tests hold both to the
// reference); other processors (ARM64) always take the plain one.
#if (defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)) && !defined(LQ_NO_SSE2)
#define LQ_SSE2 1
#include <emmintrin.h>
#else
#define LQ_SSE2 0
#endif

namespace {

// Prepared once per record, read by the per-pixel functions.
struct Params {
    const unsigned char* p;           // P0..P7
    const unsigned char* spot;        // RadialSpot: value per pixel
    const long double* rowTerm;       // SineWarp: P3 * sin of the row's angle
    const long double* columnTerm;    // SineWarp: P4 * sin of the column's angle
};

// ---- generators: (x, y, params) -> byte for the record's channel

unsigned char Fill(int, int, const Params& q)
{
    return q.p[1];
}

unsigned char Noise(int, int, const Params&)
{
    return RandomByte();
}

unsigned char RadialSpot(int x, int y, const Params& q)
{
    return q.spot[y * kLayerSide + x];
}

// ---- filters: (x, y, params, pixel) change the pixel in place

unsigned char& ChannelOf(Rgb& pixel, int channel)
{
    return channel == 0 ? pixel.r : channel == 1 ? pixel.g : pixel.b;
}

void Brightness(int, int, const Params& q, Rgb& c)
{
    const int add = 2 * q.p[1] - 255;
    c.r = static_cast<unsigned char>(Clamp(c.r + add, 0, 255));
    c.g = static_cast<unsigned char>(Clamp(c.g + add, 0, 255));
    c.b = static_cast<unsigned char>(Clamp(c.b + add, 0, 255));
}

// First, Second and Third name the channels that fill first, second and third.
template <int First, int Second, int Third>
void ColourRamp(int, int, const Params&, Rgb& c)
{
    const int s = c.r + c.g + c.b;
    ChannelOf(c, First) = static_cast<unsigned char>(Clamp(s, 0, 255));
    ChannelOf(c, Second) = static_cast<unsigned char>(Clamp(s - 255, 0, 255));
    ChannelOf(c, Third) = static_cast<unsigned char>(Clamp(s - 510, 0, 255));
}

void Greyscale(int, int, const Params&, Rgb& c)
{
    const unsigned char grey = static_cast<unsigned char>((c.r + c.g + c.b) / 3);
    c.r = c.g = c.b = grey;
}

// ---- warps: (x, y, out u, out v, params) give the source position of pixel (x, y)

void SineWarp(int x, int y, float& u, float& v, const Params& q)
{
    u = static_cast<float>(x + q.rowTerm[y]);
    v = static_cast<float>(y + q.columnTerm[x]);
}

// ---- combiners: (destination, source) change the destination pixel

void Add(Rgb& d, const Rgb& s)
{
    d.r = static_cast<unsigned char>(Clamp(d.r + s.r, 0, 255));
    d.g = static_cast<unsigned char>(Clamp(d.g + s.g, 0, 255));
    d.b = static_cast<unsigned char>(Clamp(d.b + s.b, 0, 255));
}

void Subtract(Rgb& d, const Rgb& s)
{
    d.r = static_cast<unsigned char>(Clamp(d.r - s.r, 0, 255));
    d.g = static_cast<unsigned char>(Clamp(d.g - s.g, 0, 255));
    d.b = static_cast<unsigned char>(Clamp(d.b - s.b, 0, 255));
}

void Multiply(Rgb& d, const Rgb& s)
{
    d.r = static_cast<unsigned char>(Clamp(d.r * s.r / 255, 0, 255));
    d.g = static_cast<unsigned char>(Clamp(d.g * s.g / 255, 0, 255));
    d.b = static_cast<unsigned char>(Clamp(d.b * s.b / 255, 0, 255));
}

void Darkest(Rgb& d, const Rgb& s)
{
    d.r = static_cast<unsigned char>(MinInt(d.r, s.r));
    d.g = static_cast<unsigned char>(MinInt(d.g, s.g));
    d.b = static_cast<unsigned char>(MinInt(d.b, s.b));
}

void Lightest(Rgb& d, const Rgb& s)
{
    d.r = static_cast<unsigned char>(MaxInt(d.r, s.r));
    d.g = static_cast<unsigned char>(MaxInt(d.g, s.g));
    d.b = static_cast<unsigned char>(MaxInt(d.b, s.b));
}

void Copy(Rgb& d, const Rgb& s)
{
    d = s;
}

// ---- the loops, one per shape

using GeneratorFn = unsigned char (*)(int, int, const Params&);
using FilterFn = void (*)(int, int, const Params&, Rgb&);
using WarpFn = void (*)(int, int, float&, float&, const Params&);
using CombinerFn = void (*)(Rgb&, const Rgb&);

Params ParamsOf(const Record& record)
{
    Params q = {};
    q.p = record.p;
    return q;
}

template <GeneratorFn Generate>
void RunGenerator(TextureGenerator& g, const Record& record, const Params& q)
{
    Rgb* layer = g.Layer(record.TargetLayer());
    const int channel = record.Channel();
    for (int y = 0; y < kLayerSide; ++y)
        for (int x = 0; x < kLayerSide; ++x)
            ChannelOf(layer[y * kLayerSide + x], channel) = Generate(x, y, q);
}

template <GeneratorFn Generate>
void RunGenerator(TextureGenerator& g, const Record& record)
{
    RunGenerator<Generate>(g, record, ParamsOf(record));
}

void RunRadialSpot(TextureGenerator& g, const Record& record)
{
    Params q = ParamsOf(record);
    q.spot = g.SpotTable(record.p[1]);
    RunGenerator<RadialSpot>(g, record, q);
}

template <FilterFn Filter>
void RunFilter(TextureGenerator& g, const Record& record)
{
    const Params q = ParamsOf(record);
    Rgb* layer = g.Layer(record.TargetLayer());
    for (int y = 0; y < kLayerSide; ++y)
        for (int x = 0; x < kLayerSide; ++x)
            Filter(x, y, q, layer[y * kLayerSide + x]);
}

// The warp scratch layer holds each pixel's channels as floats, 16 bytes a pixel: a corner is then
// scaled with one multiply. Converting a byte to float is exact, so the arithmetic is unchanged.
struct ScratchPixel {
    alignas(16) float c[4];  // r, g, b, unused
};

// Static storage: zero before first use, shared by all warps.
ScratchPixel s_warpScratch[kLayerPixels];

void FillScratch(const Rgb* layer)
{
    for (int i = 0; i < kLayerPixels; ++i) {
        s_warpScratch[i].c[0] = layer[i].r;
        s_warpScratch[i].c[1] = layer[i].g;
        s_warpScratch[i].c[2] = layer[i].b;
    }
}

// One resampled pixel: each corner's channels are scaled by its weight in single precision and
// truncated toward zero, then the four are summed with clamping at 255 in corner order.
#if LQ_SSE2
inline __m128i ScaledCorner(const ScratchPixel& pixel, float weight)
{
    return _mm_cvttps_epi32(_mm_mul_ps(_mm_load_ps(pixel.c), _mm_set1_ps(weight)));
}

// Writes four bytes: the pixel and the next pixel's red, which the visiting order writes afterwards
// (layers have one pixel of room after the last).
inline void Resample(const ScratchPixel& a, const ScratchPixel& b, const ScratchPixel& c,
                     const ScratchPixel& d, float wa, float wb, float wc, float wd, Rgb& out)
{
    // The scaled corners are 0..255, so adding with clamping at 255 after each step is the same as
    // clamping the total once, which the saturating packs do.
    __m128i sum = _mm_add_epi32(ScaledCorner(a, wa), ScaledCorner(b, wb));
    sum = _mm_add_epi32(sum, ScaledCorner(c, wc));
    sum = _mm_add_epi32(sum, ScaledCorner(d, wd));
    const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(sum, sum), sum);
    const std::int32_t rgbx = _mm_cvtsi128_si32(packed);
    std::memcpy(static_cast<void*>(&out), &rgbx, sizeof(rgbx));
}
#else
inline int Scaled(float channel, float weight)
{
    return Clamp(static_cast<int>(channel * weight), 0, 255);
}

inline unsigned char Sum(int a, int b, int c, int d)
{
    return static_cast<unsigned char>(MinInt(MinInt(MinInt(a + b, 255) + c, 255) + d, 255));
}

inline void Resample(const ScratchPixel& a, const ScratchPixel& b, const ScratchPixel& c,
                     const ScratchPixel& d, float wa, float wb, float wc, float wd, Rgb& out)
{
    unsigned char* channels[3] = {&out.r, &out.g, &out.b};
    for (int ch = 0; ch < 3; ++ch)
        *channels[ch] = Sum(Scaled(a.c[ch], wa), Scaled(b.c[ch], wb), Scaled(c.c[ch], wc), Scaled(d.c[ch], wd));
}
#endif

// Resamples the layer through the warp: four corner samples from a copy of the layer (so the result
// does not depend on the visiting order). Both coordinates are made positive by adding 256, and
// positions wrap around the layer.
template <WarpFn Warp>
void RunWarp(TextureGenerator& g, const Record& record, const Params& q)
{
    Rgb* layer = g.Layer(record.TargetLayer());
    FillScratch(layer);
    for (int y = 0; y < kLayerSide; ++y) {
        for (int x = 0; x < kLayerSide; ++x) {
            float u;
            float v;
            Warp(x, y, u, v, q);
            u += 256.0f;
            v += 256.0f;
            const int iu = static_cast<int>(u);
            const int iv = static_cast<int>(v);
            const float fu = u - static_cast<float>(iu);
            const float fv = v - static_cast<float>(iv);
            // Masking is Wrap256 for the non-negative positions every warp produces, and keeps
            // any position inside the layer by construction.
            const unsigned c0 = static_cast<unsigned>(iu) & 255u, c1 = (static_cast<unsigned>(iu) + 1u) & 255u;
            const unsigned r0 = (static_cast<unsigned>(iv) & 255u) * kLayerSide;
            const unsigned r1 = ((static_cast<unsigned>(iv) + 1u) & 255u) * kLayerSide;
            Resample(s_warpScratch[r0 + c0], s_warpScratch[r0 + c1], s_warpScratch[r1 + c0],
                     s_warpScratch[r1 + c1], (1.0f - fu) * (1.0f - fv), fu * (1.0f - fv), (1.0f - fu) * fv,
                     fu * fv, layer[y * kLayerSide + x]);
        }
    }
}

// Shift samples at (x + P1, y + P2): whole pixels, whose weights are exactly 1, 0, 0, 0, so the
// resampling is a plain copy with wrap-around, row by row in two pieces.
void RunShift(TextureGenerator& g, const Record& record)
{
    static Rgb s_copy[kLayerPixels];
    Rgb* layer = g.Layer(record.TargetLayer());
    std::memcpy(static_cast<void*>(s_copy), layer, sizeof(s_copy));
    const int du = record.p[1] & 255, dv = record.p[2];
    for (int y = 0; y < kLayerSide; ++y) {
        const Rgb* from = s_copy + ((y + dv) & 255) * kLayerSide;
        Rgb* to = layer + y * kLayerSide;
        std::memcpy(static_cast<void*>(to), from + du, sizeof(Rgb) * (kLayerSide - du));
        std::memcpy(static_cast<void*>(to + kLayerSide - du), from, sizeof(Rgb) * du);
    }
}

// The sine of a row depends on the row only, and that of a column on the column only: 512 sines per
// record instead of two per pixel, with the same arithmetic.
void RunSineWarp(TextureGenerator& g, const Record& record)
{
    const unsigned char* p = record.p;
    const long double k = static_cast<long double>(3.1415927f) / 127.5L;
    long double rowTerm[kLayerSide];
    long double columnTerm[kLayerSide];
    for (int i = 0; i < kLayerSide; ++i) {
        rowTerm[i] = p[3] * SinF(static_cast<float>(i * k * p[1] + p[5]));
        columnTerm[i] = p[4] * SinF(static_cast<float>(i * k * p[2] + p[6]));
    }
    Params q = ParamsOf(record);
    q.rowTerm = rowTerm;
    q.columnTerm = columnTerm;
    RunWarp<SineWarp>(g, record, q);
}

// Orders 0..5: red, green, blue; red, blue, green; green, red, blue; green, blue, red; blue, red,
// green; blue, green, red. Any other order leaves the layer unchanged.
void RunColourRamp(TextureGenerator& g, const Record& record)
{
    switch (record.p[1]) {
    case 0: RunFilter<ColourRamp<0, 1, 2>>(g, record); break;
    case 1: RunFilter<ColourRamp<0, 2, 1>>(g, record); break;
    case 2: RunFilter<ColourRamp<1, 0, 2>>(g, record); break;
    case 3: RunFilter<ColourRamp<1, 2, 0>>(g, record); break;
    case 4: RunFilter<ColourRamp<2, 0, 1>>(g, record); break;
    case 5: RunFilter<ColourRamp<2, 1, 0>>(g, record); break;
    default: break;
    }
}

template <CombinerFn Combine>
void RunCombiner(TextureGenerator& g, const Record& record)
{
    Rgb* d = g.Layer(record.TargetLayer());
    const Rgb* s = g.Layer(record.SourceLayer());
    for (int i = 0; i < kLayerPixels; ++i)
        Combine(d[i], s[i]);
}

const Operation s_operations[] = {
    {0x01, "Fill", OperationKind::Generator, RunGenerator<Fill>},
    {0x02, "Noise", OperationKind::Generator, RunGenerator<Noise>},
    {0x03, "RadialSpot", OperationKind::Generator, RunRadialSpot},
    {0x11, "Brightness", OperationKind::Filter, RunFilter<Brightness>},
    {0x12, "ColourRamp", OperationKind::Filter, RunColourRamp},
    {0x13, "Greyscale", OperationKind::Filter, RunFilter<Greyscale>},
    {0x21, "Shift", OperationKind::Warp, RunShift},
    {0x22, "SineWarp", OperationKind::Warp, RunSineWarp},
    {0x31, "Add", OperationKind::Combiner, RunCombiner<Add>},
    {0x32, "Subtract", OperationKind::Combiner, RunCombiner<Subtract>},
    {0x33, "Multiply", OperationKind::Combiner, RunCombiner<Multiply>},
    {0x34, "Darkest", OperationKind::Combiner, RunCombiner<Darkest>},
    {0x35, "Lightest", OperationKind::Combiner, RunCombiner<Lightest>},
    {0x36, "Copy", OperationKind::Combiner, RunCombiner<Copy>},
};

} // namespace

Record ReadRecord(const unsigned char* bytes)
{
    Record record;
    record.opcode = bytes[0];
    std::memcpy(record.p, bytes + 1, sizeof(record.p));
    return record;
}

std::size_t ScriptSize(const unsigned char* script)
{
    return 1 + kRecordSize * script[0];
}

const Operation* FindOperation(unsigned char opcode)
{
    for (const Operation& operation : s_operations)
        if (operation.opcode == opcode)
            return &operation;
    return nullptr;
}

const Operation* FindOperation(const char* name)
{
    for (const Operation& operation : s_operations) {
        const char* a = operation.name;
        const char* b = name;
        while (*a && *b && std::tolower(static_cast<unsigned char>(*a)) == std::tolower(static_cast<unsigned char>(*b))) {
            ++a;
            ++b;
        }
        if (!*a && !*b)
            return &operation;
    }
    return nullptr;
}

const char* RecordProblem(const Record& record)
{
    const Operation* operation = FindOperation(record.opcode);
    if (!operation)
        return "unknown opcode";
    if (record.TargetLayer() >= kLayerCount)
        return "target layer is 4 or more";
    if (operation->kind == OperationKind::Generator && record.Channel() >= 3)
        return "channel is 3 or more";
    if (operation->kind == OperationKind::Combiner && record.SourceLayer() >= kLayerCount)
        return "source layer is 4 or more";
    return nullptr;
}
