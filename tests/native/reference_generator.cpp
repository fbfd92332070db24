#include "reference_generator.h"

#include "textures/maths.h"

#include <cstdlib>

namespace {

unsigned char& Channel(Rgb& c, int channel)
{
    return channel == 0 ? c.r : channel == 1 ? c.g : c.b;
}

void Warp(std::vector<Rgb>& layer, bool sine, const unsigned char* p)
{
    const std::vector<Rgb> scratch = layer;
    const long double k = static_cast<long double>(3.1415927f) / 127.5L;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            float u, v;
            if (sine) {
                const float a = static_cast<float>(y * k * p[1] + p[5]);
                const float b = static_cast<float>(x * k * p[2] + p[6]);
                u = static_cast<float>(x + p[3] * SinF(a));
                v = static_cast<float>(y + p[4] * SinF(b));
            } else {
                u = static_cast<float>(x + p[1]);
                v = static_cast<float>(y + p[2]);
            }
            u += 256.0f;
            v += 256.0f;
            const int iu = static_cast<int>(u), iv = static_cast<int>(v);
            const float fu = u - iu, fv = v - iv;
            const int cols[4] = {iu, iu + 1, iu, iu + 1};
            const int rows[4] = {iv, iv, iv + 1, iv + 1};
            const float weights[4] = {(1 - fu) * (1 - fv), fu * (1 - fv), (1 - fu) * fv, fu * fv};
            int sum[3] = {0, 0, 0};
            for (int corner = 0; corner < 4; ++corner) {
                Rgb pixel = scratch[Wrap256(rows[corner]) * 256 + Wrap256(cols[corner])];
                for (int ch = 0; ch < 3; ++ch) {
                    const int scaled = Clamp(static_cast<int>(Channel(pixel, ch) * weights[corner]), 0, 255);
                    sum[ch] = corner == 0 ? scaled : Clamp(sum[ch] + scaled, 0, 255);
                }
            }
            Rgb& out = layer[y * 256 + x];
            for (int ch = 0; ch < 3; ++ch)
                Channel(out, ch) = static_cast<unsigned char>(sum[ch]);
        }
    }
}

} // namespace

ReferenceLayers ReferenceRun(const unsigned char* script, std::size_t size)
{
    ReferenceLayers layers(4, std::vector<Rgb>(65536));
    if (size == 0)
        return layers;
    for (int i = 0; i < script[0] && 1 + 9 * (i + 1) <= static_cast<int>(size); ++i) {
        const unsigned char* r = script + 1 + 9 * i;
        const unsigned char op = r[0];
        const unsigned char* p = r + 1;
        std::srand(p[7]);
        const int target = p[0] >> 4, channel = p[0] & 15, source = p[1] >> 4;
        if (target >= 4)
            continue;
        std::vector<Rgb>& layer = layers[target];
        const bool generator = op >= 1 && op <= 3;
        if (generator && channel >= 3)
            continue;
        if (op >= 0x31 && op <= 0x36 && source >= 4)
            continue;
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                Rgb& c = layer[y * 256 + x];
                const Rgb s = layers[source < 4 ? source : 0][y * 256 + x];
                switch (op) {
                case 0x01: Channel(c, channel) = p[1]; break;
                case 0x02: Channel(c, channel) = RandomByte(); break;
                case 0x03: {
                    const int dx = x - 128, dy = y - 128;
                    const long double d = SqrtF(static_cast<float>(dx * dx + dy * dy));
                    const int t = static_cast<int>(2 * d * (p[1] / 255.0));
                    Channel(c, channel) = static_cast<unsigned char>(Clamp(255 - t, 0, 255));
                    break;
                }
                case 0x11:
                    for (int ch = 0; ch < 3; ++ch)
                        Channel(c, ch) = static_cast<unsigned char>(Clamp(Channel(c, ch) + 2 * p[1] - 255, 0, 255));
                    break;
                case 0x12: {
                    static const int orders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
                    if (p[1] > 5)
                        break;
                    const int sum = c.r + c.g + c.b;
                    Channel(c, orders[p[1]][0]) = static_cast<unsigned char>(Clamp(sum, 0, 255));
                    Channel(c, orders[p[1]][1]) = static_cast<unsigned char>(Clamp(sum - 255, 0, 255));
                    Channel(c, orders[p[1]][2]) = static_cast<unsigned char>(Clamp(sum - 510, 0, 255));
                    break;
                }
                case 0x13: {
                    const unsigned char g = static_cast<unsigned char>((c.r + c.g + c.b) / 3);
                    c.r = c.g = c.b = g;
                    break;
                }
                case 0x31: case 0x32: case 0x33: case 0x34: case 0x35: case 0x36:
                    for (int ch = 0; ch < 3; ++ch) {
                        const int d = Channel(c, ch), e = Channel(const_cast<Rgb&>(s), ch);
                        int out = d;
                        if (op == 0x31) out = Clamp(d + e, 0, 255);
                        if (op == 0x32) out = Clamp(d - e, 0, 255);
                        if (op == 0x33) out = Clamp(d * e / 255, 0, 255);
                        if (op == 0x34) out = MinInt(d, e);
                        if (op == 0x35) out = MaxInt(d, e);
                        if (op == 0x36) out = e;
                        Channel(c, ch) = static_cast<unsigned char>(out);
                    }
                    break;
                default: break;
                }
            }
        }
        if (op == 0x21 || op == 0x22)
            Warp(layer, op == 0x22, p);
    }
    return layers;
}
