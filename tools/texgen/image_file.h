// 256x256 RGB images as files: binary PPM (P6) and PNG, row 0 first.
#pragma once

#include <vector>

std::vector<unsigned char> EncodePpm(const unsigned char* rgb, int width, int height);
// An uncompressed PNG (stored deflate blocks): needs no image library, any viewer reads it.
std::vector<unsigned char> EncodePng(const unsigned char* rgb, int width, int height);
