// Any bytes given to the interpreter: it must never read past them or write outside its layers.
#include "textures/texture_generator.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TextureGenerator s_generator;
    s_generator.Run(data, size);
    return 0;
}
