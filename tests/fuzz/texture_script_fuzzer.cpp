// Any bytes given to the interpreter: it must never read past them or write outside its layers, and
// its four layers must match the plain reference interpreter's byte for byte.
#include "../native/reference_generator.h"
#include "textures/texture_generator.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TextureGenerator s_generator;
    s_generator.Run(data, size);
    const ReferenceLayers reference = ReferenceRun(data, size);
    const TextureGenerator& generator = s_generator;
    for (int layer = 0; layer < kLayerCount; ++layer)
        for (int i = 0; i < 65536; ++i) {
            const Rgb a = generator.Layer(layer)[i], b = reference[layer][i];
            if (a.r != b.r || a.g != b.g || a.b != b.b) {
                std::fprintf(stderr, "layer %d pixel (%d, %d): %d %d %d, the reference %d %d %d\n", layer, i % 256,
                             i / 256, a.r, a.g, a.b, b.r, b.g, b.b);
                std::abort();
            }
        }
    return 0;
}
