#include "image_file.h"

#include <string>

// stb_image_write does the PNG (zlib, CRCs, filters); only its in-memory writer is used.
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

void Append(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

} // namespace

std::vector<unsigned char> EncodePpm(const unsigned char* rgb, int width, int height)
{
    const std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    std::vector<unsigned char> out(header.begin(), header.end());
    out.insert(out.end(), rgb, rgb + static_cast<std::size_t>(width) * height * 3);
    return out;
}

std::vector<unsigned char> EncodePng(const unsigned char* rgb, int width, int height)
{
    std::vector<unsigned char> png;
    if (!stbi_write_png_to_func(Append, &png, width, height, 3, rgb, width * 3))
        png.clear();
    return png;
}
