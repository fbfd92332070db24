// 256x256 RGB images as files: binary PPM (P6) and PNG, row 0 first.
#pragma once

#include <vector>

std::vector<unsigned char> EncodePpm(const unsigned char* rgb, int width, int height);
// Empty when the image cannot be encoded.
std::vector<unsigned char> EncodePng(const unsigned char* rgb, int width, int height);
