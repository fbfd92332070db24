// Runs texture scripts over four 256x256 RGB working layers; layer 0 becomes the texture.
#pragma once

#include "rgb.h"
#include "texture_image.h"
#include "texture_script.h"

#include <cstddef>

class TextureGenerator {
public:
    TextureGenerator();
    ~TextureGenerator();

    // Clears the layers and runs the script's records in order, each after srand(P7). Records that
    // do not fit completely in `size` bytes are not run, so any bytes are safe.
    void Run(const unsigned char* script, std::size_t size);

    // Runs a built-in script (its size follows from its record count) and copies layer 0 into a
    // new image. Returns null when no memory is left for it. The caller owns the result.
    TextureImage* Image(const unsigned char* script);

    // Writable access marks the layer, so the next Run clears it.
    Rgb* Layer(int index)
    {
        m_written[index] = true;
        return m_layers[index];
    }
    const Rgb* Layer(int index) const { return m_layers[index]; }

    // A radial spot depends only on its width parameter; the last one computed is kept.
    const unsigned char* SpotTable(unsigned char width);

private:
    TextureGenerator(const TextureGenerator&);
    TextureGenerator& operator=(const TextureGenerator&);

    Rgb* m_layers[kLayerCount];
    bool m_written[kLayerCount];  // a layer no record has written since it was cleared is still zero
    unsigned char* m_spot;
    int m_spotWidth;
};
