// The fourteen texture-script operations. Each is one small per-pixel function of one of four
// shapes (generator, filter, warp, combiner); a loop per shape visits the pixels (rows y = 0..255,
// columns x = 0..255 inside) and is instantiated for each function, so the table dispatches once per
// record, not once per pixel.
#include "maths.h"
#include "texture_generator.h"
#include "texture_script.h"

#include <cctype>
#include <cstring>

namespace {

// Prepared once per record, read by the per-pixel functions.
struct Params {
    const unsigned char* p;           // P0..P7
    const unsigned char* spot;        // RadialSpot: value per pixel
    const long double* rowTerm;       // SineWarp: P3 * sin of the row's angle
    const long double* columnTerm;    // SineWarp: P4 * sin of the column's angle
};

Rgb s_warpScratch[kLayerPixels];  // static storage: zero before first use, shared by all warps

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

void ColourRamp(int, int, const Params& q, Rgb& c)
{
    // Which channel fills first, second and third, for orders 0..5.
    static const int s_orders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    const int order = q.p[1];
    if (order > 5)
        return;
    const int s = c.r + c.g + c.b;
    ChannelOf(c, s_orders[order][0]) = static_cast<unsigned char>(Clamp(s, 0, 255));
    ChannelOf(c, s_orders[order][1]) = static_cast<unsigned char>(Clamp(s - 255, 0, 255));
    ChannelOf(c, s_orders[order][2]) = static_cast<unsigned char>(Clamp(s - 510, 0, 255));
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

// Scales one channel by a corner weight, truncating toward zero.
inline int Scaled(unsigned char channel, float weight)
{
    return Clamp(static_cast<int>(channel * weight), 0, 255);
}

// Resamples the layer through the warp: four corner samples from a copy of the layer (so the result
// does not depend on the visiting order), each truncated before they are summed with clamping. Both
// coordinates are made positive by adding 256, and positions wrap around the layer.
template <WarpFn Warp>
void RunWarp(TextureGenerator& g, const Record& record, const Params& q)
{
    Rgb* layer = g.Layer(record.TargetLayer());
    std::memcpy(static_cast<void*>(s_warpScratch), layer, sizeof(s_warpScratch));
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
            const int c0 = iu & 255, c1 = (iu + 1) & 255;
            const int r0 = (iv & 255) * kLayerSide, r1 = ((iv + 1) & 255) * kLayerSide;
            const Rgb& a = s_warpScratch[r0 + c0];
            const Rgb& b = s_warpScratch[r0 + c1];
            const Rgb& c = s_warpScratch[r1 + c0];
            const Rgb& d = s_warpScratch[r1 + c1];
            const float wa = (1.0f - fu) * (1.0f - fv);
            const float wb = fu * (1.0f - fv);
            const float wc = (1.0f - fu) * fv;
            const float wd = fu * fv;
            Rgb& out = layer[y * kLayerSide + x];
            out.r = static_cast<unsigned char>(MinInt(
                MinInt(MinInt(Scaled(a.r, wa) + Scaled(b.r, wb), 255) + Scaled(c.r, wc), 255) + Scaled(d.r, wd),
                255));
            out.g = static_cast<unsigned char>(MinInt(
                MinInt(MinInt(Scaled(a.g, wa) + Scaled(b.g, wb), 255) + Scaled(c.g, wc), 255) + Scaled(d.g, wd),
                255));
            out.b = static_cast<unsigned char>(MinInt(
                MinInt(MinInt(Scaled(a.b, wa) + Scaled(b.b, wb), 255) + Scaled(c.b, wc), 255) + Scaled(d.b, wd),
                255));
        }
    }
}

// Shift samples at (x + P1, y + P2): whole pixels, whose weights are exactly 1, 0, 0, 0, so the
// resampling is a plain copy with wrap-around.
void RunShift(TextureGenerator& g, const Record& record)
{
    Rgb* layer = g.Layer(record.TargetLayer());
    std::memcpy(static_cast<void*>(s_warpScratch), layer, sizeof(s_warpScratch));
    const int du = record.p[1], dv = record.p[2];
    for (int y = 0; y < kLayerSide; ++y) {
        const Rgb* row = s_warpScratch + ((y + dv) & 255) * kLayerSide;
        for (int x = 0; x < kLayerSide; ++x)
            layer[y * kLayerSide + x] = row[(x + du) & 255];
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
    {0x12, "ColourRamp", OperationKind::Filter, RunFilter<ColourRamp>},
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

const Operation* Operations(std::size_t* count)
{
    *count = sizeof(s_operations) / sizeof(s_operations[0]);
    return s_operations;
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
