// A texture's pixels on their way to OpenGL: RGB, three bytes a pixel, row 0 first.
#pragma once

struct TextureImage {
    int width;
    int height;
    unsigned char* pixels;  // width * height * 3 bytes
};
