// A deliberately plain texture-script interpreter: every operation per pixel, exactly as described,
// two sines per pixel in a sine warp and one square root per pixel in a spot. The tests hold the
// product's interpreter to it byte for byte, and the benchmark measures against it.
#pragma once

#include "textures/rgb.h"

#include <cstddef>
#include <vector>

using ReferenceLayers = std::vector<std::vector<Rgb>>;  // four layers of 65,536 pixels

ReferenceLayers ReferenceRun(const unsigned char* script, std::size_t size);
